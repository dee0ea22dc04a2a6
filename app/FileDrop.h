#pragma once
// Files dropped on the main window: the receiver that makes a control accept
// them and hands each file to the control's callback, and the five callbacks
// of the script box and the installation pages' four row lists.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ui/Window.h"

namespace trelvix {

struct App;

// One file of a drop.
struct DroppedFile {
    int count = 0;               // files in this drop
    int index = 0;               // 1-based, in drop order
    std::filesystem::path path;  // as the desktop named it
    // The path's text after its last "."; the whole path when it holds none.
    std::filesystem::path::string_type extension;
};

using DropCallback = std::function<void(const DroppedFile& file)>;

// Copies share their registrations. A drop reaches a callback only while its
// control is registered; registering a control again after unregistering it
// does not call the new callback twice.
class FileDropReceiver {
public:
    FileDropReceiver();

    // Makes the control accept dropped files; each drop calls `callback` once
    // per file, in drop order, skipping empty names. False, and nothing
    // changes, when the control is registered already.
    bool Register(ui::Window& window, const std::string& control, DropCallback callback);
    // The control no longer accepts drops, and nothing more reaches its
    // callback, not even the rest of a drop under way. False when the control
    // was not registered.
    bool Unregister(ui::Window& window, const std::string& control);

private:
    struct Registrations;
    std::shared_ptr<Registrations> registrations_;
};

// Dropped files larger than this are refused with a message: a generated
// route table of about a megabyte opens, a stray disk image does not freeze
// the window.
inline constexpr std::uintmax_t kDroppedFileLimit = 8u << 20;

// The workers: each reads the dropped file and, when it cannot be read or is
// too large, says so and changes nothing.
// The script box := the file's text.
void LoadDroppedFileIntoEditor(App& app, const std::filesystem::path& file);
// The list's rows := the file's "#"-separated lines (`ImportHashSeparatedFile`).
void ImportFixedIpList(App& app, const std::filesystem::path& file);
void ImportPppoeLineList(App& app, const std::filesystem::path& file);
void ImportVlanList(App& app, const std::filesystem::path& file);
void ImportVrrpList(App& app, const std::filesystem::path& file);

// The callbacks registered for `编辑框_代码`, `超级列表框_13`, `超级列表框_15`,
// `超级列表框_18` and `超级列表框_1a`: each passes the path to its worker.
void OnCodeBoxFileDrop(App& app, const DroppedFile& file);
void OnFixedIpListFileDrop(App& app, const DroppedFile& file);
void OnPppoeLineListFileDrop(App& app, const DroppedFile& file);
void OnVlanListFileDrop(App& app, const DroppedFile& file);
void OnVrrpListFileDrop(App& app, const DroppedFile& file);

}  // namespace trelvix
