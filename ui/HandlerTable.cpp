#include "ui/HandlerTable.h"

namespace trelvix::ui {

void HandlerTable::add(const std::string& control, Event event, Handler handler) {
    handlers_[{control, event}].push_back(std::make_shared<const Handler>(std::move(handler)));
}

bool HandlerTable::has(const std::string& control, Event event) const { return handlers_.count({control, event}) != 0; }

bool HandlerTable::run(const std::string& control, Event event, const EventArgs& args,
                       const std::function<bool()>& goOn) const {
    auto it = handlers_.find({control, event});
    if (it == handlers_.end()) return false;
    const std::vector<std::shared_ptr<const Handler>> bound = it->second;
    for (std::size_t i = 0; i < bound.size(); ++i) {
        if (i > 0 && !goOn()) break;
        (*bound[i])(args);
    }
    return true;
}

}  // namespace trelvix::ui
