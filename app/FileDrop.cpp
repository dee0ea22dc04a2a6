#include "app/FileDrop.h"

#include <map>
#include <optional>
#include <utility>

#include "app/App.h"
#include "common/platform/DroppedFile.h"
#include "common/platform/Paths.h"
#include "generators/RowList.h"
#include "names/main.h"
#include "names/main/install.h"

namespace trelvix {
using namespace names::main;
using namespace names::main::install;

namespace fs = std::filesystem;

// ---------------------------------------------------------------- receiver

struct FileDropReceiver::Registrations {
    struct Entry {
        std::uint64_t id;  // which registration the window's handler belongs to
        DropCallback callback;
    };
    using Key = std::pair<const ui::Window*, std::string>;
    std::map<Key, Entry> entries;
    std::uint64_t lastId = 0;

    // The callback of registration `id`, or null once it is undone.
    const DropCallback* current(const Key& key, std::uint64_t id) const {
        const auto it = entries.find(key);
        return it != entries.end() && it->second.id == id ? &it->second.callback : nullptr;
    }
};

namespace {

fs::path::string_type ExtensionOf(const fs::path& path) {
    const fs::path::string_type& text = path.native();
    const auto dot = text.rfind(fs::path::value_type('.'));
    return dot == fs::path::string_type::npos ? text : text.substr(dot + 1);
}

}  // namespace

FileDropReceiver::FileDropReceiver() : registrations_(std::make_shared<Registrations>()) {}

bool FileDropReceiver::Register(ui::Window& window, const std::string& control, DropCallback callback) {
    Registrations::Key key{&window, control};
    if (registrations_->entries.count(key)) return false;
    const std::uint64_t id = ++registrations_->lastId;
    registrations_->entries.emplace(key, Registrations::Entry{id, std::move(callback)});
    window.acceptFiles(control, true);
    // The window keeps its handlers for good, so this one asks at every drop
    // whether its registration still holds.
    std::weak_ptr<Registrations> weak = registrations_;
    window.on(control, ui::Event::FilesDropped, [weak, key, id](const ui::EventArgs& args) {
        const int count = static_cast<int>(args.files.size());
        for (int i = 0; i < count; ++i) {
            const std::shared_ptr<Registrations> live = weak.lock();
            const DropCallback* callback = live ? live->current(key, id) : nullptr;
            if (!callback) return;
            const fs::path& path = args.files[static_cast<std::size_t>(i)];
            if (path.empty()) continue;
            // A copy: the callback may unregister its own control.
            const DropCallback call = *callback;
            call(DroppedFile{count, i + 1, path, ExtensionOf(path)});
        }
    });
    return true;
}

bool FileDropReceiver::Unregister(ui::Window& window, const std::string& control) {
    if (registrations_->entries.erase({&window, control}) == 0) return false;
    window.acceptFiles(control, false);
    return true;
}

// ---------------------------------------------------------------- workers

namespace {

// The file's text, or nothing after telling the user why there is none.
std::optional<Gbk> ReadDroppedText(App& app, const fs::path& file) {
    DroppedFileText dropped = ReadDroppedFile(file, kDroppedFileLimit, TextBytes::GbkOrUtf8);
    switch (dropped.result) {
        case DroppedFileText::Result::Read:
            if (const Gbk notice = LostCharactersNotice(dropped); !notice.empty())
                app.ui.message(notice, ui::mb::IconExclamation);
            return std::move(dropped.text);
        case DroppedFileText::Result::TooLarge:
            app.ui.message("文件太大:" + GbkFromPath(file), ui::mb::IconExclamation);
            break;
        case DroppedFileText::Result::Unreadable:
            app.ui.message("无法读取文件:" + GbkFromPath(file), ui::mb::IconError);
            break;
    }
    return std::nullopt;
}

void ImportDroppedRows(App& app, const fs::path& file, const std::string& list, std::size_t fields) {
    if (const std::optional<Gbk> text = ReadDroppedText(app, file))
        ImportHashSeparatedFile(app.ui, *text, *app.main, list, fields);
}

struct DropTarget {
    const char* control;
    void (*callback)(App&, const DroppedFile&);
};

constexpr DropTarget kDropTargets[] = {
    {编辑框_代码, OnCodeBoxFileDrop},         {超级列表框_13, OnFixedIpListFileDrop},
    {超级列表框_15, OnPppoeLineListFileDrop}, {超级列表框_18, OnVlanListFileDrop},
    {超级列表框_1a, OnVrrpListFileDrop},
};

}  // namespace

void LoadDroppedFileIntoEditor(App& app, const fs::path& file) {
    if (const std::optional<Gbk> text = ReadDroppedText(app, file)) app.main->setText(编辑框_代码, *text);
}

void ImportFixedIpList(App& app, const fs::path& file) { ImportDroppedRows(app, file, 超级列表框_13, 4); }
void ImportPppoeLineList(App& app, const fs::path& file) { ImportDroppedRows(app, file, 超级列表框_15, 4); }
void ImportVlanList(App& app, const fs::path& file) { ImportDroppedRows(app, file, 超级列表框_18, 3); }
void ImportVrrpList(App& app, const fs::path& file) { ImportDroppedRows(app, file, 超级列表框_1a, 2); }

void OnCodeBoxFileDrop(App& app, const DroppedFile& file) { LoadDroppedFileIntoEditor(app, file.path); }
void OnFixedIpListFileDrop(App& app, const DroppedFile& file) { ImportFixedIpList(app, file.path); }
void OnPppoeLineListFileDrop(App& app, const DroppedFile& file) { ImportPppoeLineList(app, file.path); }
void OnVlanListFileDrop(App& app, const DroppedFile& file) { ImportVlanList(app, file.path); }
void OnVrrpListFileDrop(App& app, const DroppedFile& file) { ImportVrrpList(app, file.path); }

// ---------------------------------------------------------------- start-up and shut-down

void RegisterDropTargets(App& app) {
    if (!app.FileDrop || !app.main) return;
    ui::Window& w = *app.main;
    for (const DropTarget& target : kDropTargets) {
        if (!w.has(target.control)) continue;
        app.FileDrop->Register(w, target.control,
                               [&app, callback = target.callback](const DroppedFile& file) { callback(app, file); });
    }
}

void UnregisterDropTargets(App& app) {
    if (!app.FileDrop || !app.main) return;
    for (const DropTarget& target : kDropTargets) app.FileDrop->Unregister(*app.main, target.control);
}

}  // namespace trelvix
