#include "tools/iplookup/IpLookup.h"

#include <array>

#include "common/http/HttpRequestEx.h"
#include "common/json/JsonObject.h"
#include "common/text/CodePage.h"
#include "tools/iplookup/IpLocationTable.h"

namespace trelvix {
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

bool LookupIpLocation(const IpLookupService& service, std::string_view address, Gbk* country, Gbk* province,
                      Gbk* city, Gbk* district, Gbk* carrier) {
    if (service.host.empty()) return LookupInTable(address, {country, province, city, district, carrier});
    const std::string url = "http://" + service.host + "/apistore/iplookupservice/iplookup?ip=" + std::string(address);
    Gbk headers = "apikey: " + service.key;
    int status = 0;
    const std::string body = HttpRequestEx(url, 0, {}, nullptr, nullptr, &headers, nullptr, &status);
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

void OnIpLookupClicked(const IpLookupService& service, ui::Window& window) {
    std::array<Gbk, 5> found;
    LookupIpLocation(service, window.text("IP编辑框"), &found[0], &found[1], &found[2], &found[3], &found[4]);
    const std::array<const char*, 5> labels = {"标签_国家", "标签_地区", "标签_城市", "标签_城区", "标签_运营商"};
    for (std::size_t i = 0; i < labels.size(); ++i) window.setText(labels[i], found[i]);
}

void OnIpLookupWindowCreated(ToolContext& tools, ui::Window& window) {
    // The window is destroyed on close and the tools outlive it.
    const IpLookupService& service = tools.ipLookup;
    window.on("按钮_查询", ui::Event::Click, [&service, &window](const ui::EventArgs&) {
        OnIpLookupClicked(service, window);
    });
}

}  // namespace trelvix
