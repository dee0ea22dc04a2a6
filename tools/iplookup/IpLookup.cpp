#include "tools/iplookup/IpLookup.h"

#include <array>
#include <memory>

#include "common/http/HttpRequestEx.h"
#include "common/json/JsonObject.h"
#include "common/text/CodePage.h"
#include "names/tools/ip_lookup.h"
#include "tools/iplookup/IpLocationTable.h"
#include "ui/BackgroundWork.h"

namespace trelvix {
using namespace names::tools::ip_lookup;

namespace {

bool LookupInTable(std::string_view address, const std::array<Gbk*, 5>& outs) {
    const std::optional<IpPlace> place = FindIpPlace(address);
    if (!place) return false;
    for (std::size_t i = 0; i < outs.size(); ++i)
        if (outs[i]) *outs[i] = (*place)[i];
    return true;
}

}  // namespace

std::optional<JsonObject> ReadIpLookupReply(int status, std::string_view body) {
    // An error page may well be JSON too, but it locates nothing; bytes that
    // are no text in either code page would only show as garbage.
    if (status < 200 || status > 299 || !(IsValidUtf8(body) || IsValidGbk(body))) return std::nullopt;
    JsonObject reply;
    if (!reply.Parse(body)) return std::nullopt;
    return reply;
}

bool LookupIpLocation(const IpLookupService& service, std::string_view address, Gbk* country, Gbk* province, Gbk* city,
                      Gbk* district, Gbk* carrier, const std::atomic<bool>* abandon) {
    if (service.host.empty()) return LookupInTable(address, {country, province, city, district, carrier});
    const std::string url = "http://" + service.host + "/apistore/iplookupservice/iplookup?ip=" + std::string(address);
    Gbk headers = "apikey: " + service.key;
    int status = 0;
    const std::string body = HttpRequestEx(url, 0, {}, nullptr, nullptr, &headers, nullptr, &status, false, {}, {},
                                           service.timeoutSeconds, {}, {}, 1, NewWebRequestObject(abandon));
    const std::optional<JsonObject> reply = ReadIpLookupReply(status, body);
    if (!reply) return false;
    const std::array<std::pair<Gbk*, const char*>, 5> members{{{country, "retData.country"},
                                                               {province, "retData.province"},
                                                               {city, "retData.city"},
                                                               {district, "retData.district"},
                                                               {carrier, "retData.carrier"}}};
    for (const auto& [out, path] : members)
        if (out) *out = reply->GetText(path);
    return true;
}

namespace {

constexpr const char* kLookupButton = 按钮_查询;

// A slow service must not hold the program: the request runs beside the
// window, one at a time, and is abandoned when the window goes.
class IpLookupWindow {
public:
    IpLookupWindow(const IpLookupService& service, ui::Ui& ui, ui::Window& window)
        : service_(service), w_(window), work_(ui, window) {}

    void OnIpLookupClicked() {
        // The built-in table answers at once; only a service is worth a worker.
        if (service_.host.empty()) {
            std::array<Gbk, 5> found;
            LookupIpLocation(service_, w_.text(IP编辑框).bytes(), &found[0], &found[1], &found[2], &found[3],
                             &found[4]);
            ShowLocation(found);
            return;
        }
        w_.setEnabled(kLookupButton, false);
        work_.start(
            [service = service_, address = w_.text(IP编辑框).bytes()](ui::Job& job) {
                std::array<Gbk, 5> found;
                LookupIpLocation(service, address, &found[0], &found[1], &found[2], &found[3], &found[4],
                                 &job.abandoned());
                return found;
            },
            [this](const std::array<Gbk, 5>& found) { ShowLocation(found); });
    }

private:
    void ShowLocation(const std::array<Gbk, 5>& found) {
        const std::array<const char*, 5> labels = {标签_国家, 标签_地区, 标签_城市, 标签_城区, 标签_运营商};
        for (std::size_t i = 0; i < labels.size(); ++i) w_.setText(labels[i], found[i]);
        w_.setEnabled(kLookupButton, true);
    }

    const IpLookupService& service_;  // read at each click: the tools outlive the window
    ui::Window& w_;
    ui::BackgroundWork work_;
};

}  // namespace

void OnIpLookupWindowCreated(ToolContext& tools, ui::Window& window) {
    auto lookup = std::make_shared<IpLookupWindow>(tools.ipLookup, tools.ui, window);
    window.on(kLookupButton, ui::Event::Click, [lookup](const ui::EventArgs&) { lookup->OnIpLookupClicked(); });
}

}  // namespace trelvix
