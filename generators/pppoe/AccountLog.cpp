#include "generators/pppoe/AccountLog.h"

#include <system_error>

#include "common/platform/AtomicFile.h"
#include "common/platform/Paths.h"

namespace trelvix::pppoe {
namespace {

namespace fs = std::filesystem;

// Far more saves than a user makes in one second.
constexpr int kMaxSerial = 1000;

std::optional<fs::path> SaveInto(const fs::path& base, std::string_view script, OleDate now, std::string& error) {
    if (base.empty()) return std::nullopt;
    const fs::path folder = base / "Log";
    if (!MakePrivateFolder(folder, &error)) return std::nullopt;
    std::error_code ec;
    // The program runs once per user, so no other writer can take the free
    // name between the test and the write.
    for (int serial = 1; serial <= kMaxSerial; ++serial) {
        const fs::path file = folder / PathFromGbk(AccountLogFileName(now, serial));
        if (fs::symlink_status(file, ec).type() != fs::file_type::not_found) continue;
        if (WriteFileAtomically(file, script, &error, {Links::NotFollowed, true})) return file;
        return std::nullopt;
    }
    error = folder.string() + ": no free log name";
    return std::nullopt;
}

}  // namespace

Gbk AccountLogFileName(OleDate now, int serial) {
    Gbk name = "PPPOE自动生成账号和密码-" + FormatDateTime(now, 3, 0, true);
    if (serial > 1) name += "-" + std::to_string(serial);
    return name + ".txt";
}

AccountLogFolders DefaultAccountLogFolders() {
    const fs::path program = ProgramDirectory();
    return {OwnedByAnotherUser(program) ? fs::path() : program, SettingsDirectory()};
}

AccountLogSaved SaveAccountLog(std::string_view script, OleDate now, const AccountLogFolders& folders) {
    AccountLogSaved saved;
    for (const fs::path* base : {&folders.first, &folders.second}) {
        saved.file = SaveInto(*base, script, now, saved.error);
        if (saved.file) {
            saved.error.clear();
            break;
        }
    }
    return saved;
}

}  // namespace trelvix::pppoe
