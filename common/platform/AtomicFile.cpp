#include "common/platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace trelvix {

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

bool IsLink(const fs::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A link's final target when the rule lets it stand for the file; nothing
// when it does not (or `file` is no link: then the file itself is meant).
std::optional<fs::path> FollowedTarget(const fs::path& file, Links links, bool& refused) {
    refused = false;
    if (links == Links::NotFollowed || !IsLink(file)) return std::nullopt;
    std::error_code ec;
    const fs::path target = fs::canonical(file, ec);
    struct stat st {};
    const bool regular = !ec && ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (!regular || (links == Links::FollowOwnFile && st.st_uid != ::geteuid())) {
        refused = true;
        return std::nullopt;
    }
    return target;
}

}  // namespace

FileBytes ReadRegularFile(const fs::path& file, std::uintmax_t limit, Links links) {
    using Result = FileBytes::Result;
    bool refused = false;
    const fs::path path = FollowedTarget(file, links, refused).value_or(file);
    if (refused) return {};
    // Looked at before it is opened: opening a device can do something by itself.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    if (static_cast<std::uintmax_t>(st.st_size) > limit) return {Result::TooLarge, {}};
    // Non-blocking and without following, in case it was swapped for a pipe or a link meanwhile.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return {};
    std::string bytes;
    char chunk[64 * 1024];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {};
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    if (bytes.size() > limit) return {Result::TooLarge, {}};
    return {Result::Read, std::move(bytes)};
}

std::optional<std::string> ReadFileBytes(const fs::path& file, std::uintmax_t limit, Links links) {
    FileBytes read = ReadRegularFile(file, limit, links);
    if (read.result != FileBytes::Result::Read) return std::nullopt;
    return std::move(read.bytes);
}

namespace {

constexpr const char* kTemporaryMark = ".~";

// A name beside the target that no other writer uses: the process id and a
// counter keep two saves, in this process or another, apart.
fs::path TemporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path name = target;
    name += kTemporaryMark + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return name;
}

// The writer's process id of a temporary name ("<name>.~<pid>-<serial>"); 0 for any other name.
pid_t WriterOfTemporaryName(const std::string& name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) return 0;
    const std::string rest = name.substr(mark + 2);
    const std::size_t dash = rest.find('-');
    auto digits = [](const std::string& s) {
        return !s.empty() && s.size() <= 9 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string::npos || !digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return 0;
    return static_cast<pid_t>(std::stol(rest.substr(0, dash)));
}

bool ProcessGone(pid_t pid) { return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH; }

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

bool WriteFileAtomically(const fs::path& file, std::string_view bytes, std::string* error, WriteRules rules) {
    // Through a link, what it points to is replaced, when the rules allow it;
    // otherwise the rename below replaces the link itself.
    bool refused = false;
    const fs::path target = FollowedTarget(file, rules.links, refused).value_or(file);
    if (refused) return Fail(error, file.string() + ": links to no file of this user", EPERM);

    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return Fail(error, target.string(), EISDIR);
    const bool keepMode = replacing && S_ISREG(old.st_mode) && !rules.ownerOnly;

    fs::path temp;
    int fd = -1;
    const mode_t createMode = rules.ownerOnly ? 0600 : 0666;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryNameBeside(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST) return Fail(error, temp.string(), errno);
    }
    if (fd < 0) return Fail(error, temp.string(), EEXIST);

    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(error, target.string(), err);
    };
    if (!WriteAll(fd, bytes)) return abandon(errno);
    if (keepMode && ::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
    if (rules.ownerOnly && ::fchmod(fd, 0600) != 0) return abandon(errno);
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

int RemoveAbandonedSaves(const fs::path& folder) {
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0) return 0;
    DIR* dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOfTemporaryName(entry->d_name);
        struct stat st {};
        if (writer <= 0 || ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || !ProcessGone(writer)) continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace trelvix
