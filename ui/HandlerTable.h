#pragma once
// The handlers a window has bound, kept the same way by both realisations:
// each control's event keeps all of its handlers, in binding order, so a
// second `on` adds to the first instead of silently replacing it.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Window.h"

namespace trelvix::ui {

class HandlerTable {
public:
    void add(const std::string& control, Event event, Handler handler);
    bool has(const std::string& control, Event event) const;
    // Runs the event's handlers in binding order; before each one after the
    // first, `goOn` says whether the window still wants them. A handler bound
    // meanwhile waits for the next event. False when none is bound.
    bool run(const std::string& control, Event event, const EventArgs& args, const std::function<bool()>& goOn) const;

private:
    // Shared, so a handler keeps living while it runs even if it binds more.
    std::map<std::pair<std::string, Event>, std::vector<std::shared_ptr<const Handler>>> handlers_;
};

}  // namespace trelvix::ui
