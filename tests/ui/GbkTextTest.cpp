// The window interface takes and gives GBK text only: a bare literal, whose
// bytes are those of the file it stands in (UTF-8 here), must not compile
// where GBK is expected, while GBK bytes held in a string pass both ways.
// Each check pairs the literal with a string, so a call that fails for some
// other reason cannot make the literal check pass.
#include <string>
#include <type_traits>
#include <vector>

#include "ui/Ui.h"
#include "ui/Window.h"

namespace trelvix::ui {
namespace {

using Literal = decltype(("x"));  // const char (&)[2]

static_assert(!std::is_constructible_v<GbkText, const char*>);
static_assert(!std::is_constructible_v<GbkText, Literal>);
static_assert(!std::is_convertible_v<Literal, GbkText>);
static_assert(std::is_convertible_v<const Gbk&, GbkText>);
static_assert(std::is_convertible_v<Gbk&&, GbkText>);
static_assert(std::is_convertible_v<const GbkText&, const Gbk&>);
static_assert(std::is_convertible_v<const GbkText&, std::string_view>);

template <class T>
concept SetsText = requires(Window& w, T t) {
    w.setText("c", t);
};
template <class T>
concept ReplacesSelection = requires(Window& w, T t) {
    w.replaceSelection("c", t);
};
template <class T>
concept SetsItems = requires(Window& w, T t) {
    w.setItems("c", {t, t});
};
template <class T>
concept AddsRow = requires(Window& w, T t) {
    w.addRow("c", {t});
};
template <class T>
concept SetsCells = requires(Window& w, T t) {
    w.setCell("c", 0, 0, t);
    w.setGridCell("c", 0, 0, t);
};
template <class T>
concept AddsTreeItem = requires(Window& w, T t) {
    w.addTreeItem("c", t, -1);
};
template <class T>
concept SetsTip = requires(Window& w, T t) {
    w.setTip("tip", "c", t);
};
template <class T>
concept SetsTitle = requires(Window& w, T t) {
    w.setTitle(t);
};
template <class T>
concept ComparesText = requires(const Window& w, T t) {
    w.text("c") == t;
};
template <class T>
concept ShowsMessage = requires(Ui& ui, T t) {
    ui.message(t, mb::Ok);
};
template <class T>
concept FillsMessageBox = requires(T t) {
    MessageBoxCall{t, mb::Ok, t, ""};
};
template <class T>
concept CopiesAndOpens = requires(Ui& ui, T t) {
    ui.setClipboardText(t);
    ui.openUrl(t);
};
template <class T>
concept FillsRequests = requires(T t) {
    FileDialogRequest{true, t, {}, t};
    FontChoice{t};
    TreeItem{t};
};

template <class T>
constexpr bool TakenEverywhere =
    SetsText<T>&& ReplacesSelection<T>&& SetsItems<T>&& AddsRow<T>&& SetsCells<T>&& AddsTreeItem<T>&& SetsTip<T>&&
        SetsTitle<T>&& ComparesText<T>&& ShowsMessage<T>&& FillsMessageBox<T>&& CopiesAndOpens<T>&& FillsRequests<T>;
template <class T>
constexpr bool TakenNowhere = !SetsText<T> && !ReplacesSelection<T> && !SetsItems<T> && !AddsRow<T> && !SetsCells<T> &&
                              !AddsTreeItem<T> && !SetsTip<T> && !SetsTitle<T> && !ComparesText<T> &&
                              !ShowsMessage<T> && !FillsMessageBox<T> && !CopiesAndOpens<T> && !FillsRequests<T>;

static_assert(TakenEverywhere<const Gbk&>);
static_assert(TakenEverywhere<GbkText>);
static_assert(TakenNowhere<const char*>);
static_assert(TakenNowhere<Literal>);

// Text read back converts to bytes for the byte helpers and comparisons.
static_assert(requires(const Window& w) {
    { w.text("c") } -> std::convertible_to<Gbk>;
    { w.items("c").front() } -> std::convertible_to<std::string_view>;
});

}  // namespace
}  // namespace trelvix::ui
