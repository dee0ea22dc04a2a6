#include "common/platform/Paths.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "common/text/CodePage.h"

namespace trelvix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "vemtu";

// The XDG rules for every base folder of the program: a variable counts only
// when it holds an absolute path (a relative one would depend on the folder
// the program was started from).
std::optional<fs::path> XdgVariable(const char* variable) {
    if (auto value = EnvironmentValue(variable); value && !value->empty()) {
        fs::path p(*value);
        if (p.is_absolute()) return p;
    }
    return std::nullopt;
}

fs::path XdgBase(const char* variable, const char* fallbackUnderHome) {
    return XdgVariable(variable).value_or(HomeDirectory() / fallbackUnderHome);
}

}  // namespace

std::optional<std::string> EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

fs::path HomeDirectory() {
    if (auto home = EnvironmentValue("HOME"); home && !home->empty()) return fs::path(*home);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return fs::path(pw->pw_dir);
    return fs::path("/");
}

fs::path ExecutablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

fs::path SettingsDirectory() { return XdgBase("XDG_CONFIG_HOME", ".config") / kFolderName; }

fs::path SettingsFilePath() { return SettingsDirectory() / "config.ini"; }

fs::path TemporaryDirectory() {
    fs::path dir = XdgBase("XDG_CACHE_HOME", ".cache") / kFolderName;
    dir += fs::path::preferred_separator;
    return dir;
}

fs::path RuntimeDirectory() {
    if (auto runtime = XdgVariable("XDG_RUNTIME_DIR")) return *runtime / kFolderName;
    return XdgBase("XDG_CACHE_HOME", ".cache") / kFolderName / "runtime";
}

bool OwnedByAnotherUser(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_uid != ::geteuid();
}

bool MakePrivateFolder(const fs::path& folder, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = folder.string() + ": " + why;
        return false;
    };
    std::error_code ec;
    fs::create_directories(folder.parent_path(), ec);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return fail(std::strerror(errno));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return fail(errno == ELOOP || errno == ENOTDIR ? "not a folder" : std::strerror(errno));
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
    const bool closed = ours && ((st.st_mode & 077) == 0 || ::fchmod(fd, st.st_mode & 0700) == 0);
    ::close(fd);
    if (!ours) return fail("another user's folder");
    return closed || fail("cannot be closed to others");
}

namespace {
fs::path& ProgramDirectorySetting() {
    static fs::path directory;
    return directory;
}
}  // namespace

fs::path ProgramDirectory() {
    const fs::path& set = ProgramDirectorySetting();
    return set.empty() ? ExecutablePath().parent_path() : set;
}

void SetProgramDirectory(fs::path directory) { ProgramDirectorySetting() = std::move(directory); }

fs::path PathFromGbk(std::string_view gbk) { return fs::path(GbkToUtf8(gbk)); }

Gbk GbkFromPath(const fs::path& path) { return Utf8ToGbk(path.string()); }

}  // namespace trelvix
