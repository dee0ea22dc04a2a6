#include "common/platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace trelvix {

namespace fs = std::filesystem;

std::optional<std::string> ReadFileBytes(const fs::path& file) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

// A name beside the target that no other writer uses: the process id and a
// counter keep two saves, in this process or another, apart.
fs::path TemporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path name = target;
    name += ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return name;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const fs::path& file, std::string_view bytes, std::string* error) {
    // Writing through a link replaces what it points to, not the link itself.
    fs::path target = file;
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        fs::path resolved = fs::weakly_canonical(file, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) return Fail(error, target.string(), EISDIR);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryNameBeside(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return Fail(error, temp.string(), errno);
    }
    if (fd < 0) return Fail(error, temp.string(), EEXIST);

    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, target.string(), err);
    };
    if (!WriteAll(fd, bytes)) return abandon(errno);
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
    if (::fsync(fd) != 0) return abandon(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Fail(error, target.string(), err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Fail(error, target.string(), err);
    }
    return true;
}

}  // namespace trelvix
