#include "common/platform/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "common/text/CodePage.h"

namespace trelvix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "vemtu";

// An XDG base folder: the variable when it holds an absolute path, otherwise
// the given folder under the home folder.
fs::path XdgBase(const char* variable, const char* fallbackUnderHome) {
    if (auto value = EnvironmentValue(variable); value && !value->empty()) {
        fs::path p(*value);
        if (p.is_absolute()) return p;
    }
    return HomeDirectory() / fallbackUnderHome;
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

fs::path ProgramDirectory() { return ExecutablePath().parent_path(); }

fs::path PathFromGbk(std::string_view gbk) { return fs::path(GbkToUtf8(gbk)); }

Gbk GbkFromPath(const fs::path& path) { return Utf8ToGbk(path.string()); }

}  // namespace trelvix
