#pragma once
// The IP-location lookup and the window that shows it: country, province,
// city, district and carrier of an IPv4 address, as the service reports them.
#include <atomic>
#include <optional>
#include <string_view>

#include "common/json/JsonObject.h"
#include "common/text/Gbk.h"
#include "tools/ToolContext.h"
#include "tools/iplookup/IpLookupService.h"
#include "ui/Window.h"

namespace trelvix {

// A reply of the service as the lookup reads it: an answer only with a
// success status (200 to 299) and a body that is UTF-8 or GBK text holding
// one JSON document; nothing otherwise.
std::optional<JsonObject> ReadIpLookupReply(int status, std::string_view body);

// Asks the service about address, or without a service the built-in table
// (IpLocationTable.h). True when the reply was an answer, or the table holds
// the address: the out texts given (each may be null) then hold the five
// fields, empty where one is missing. False leaves them as they were. The
// request fails soon after `abandon`, when given, turns true.
bool LookupIpLocation(const IpLookupService& service, std::string_view address, Gbk* country = nullptr,
                      Gbk* province = nullptr, Gbk* city = nullptr, Gbk* district = nullptr, Gbk* carrier = nullptr,
                      const std::atomic<bool>* abandon = nullptr);

// The created event of `IpLookupWindow`: binds the lookup button, whose click
// looks up the address of the IP box as background work of the window (the
// button disabled meanwhile) and writes the five result labels, all empty
// when the lookup failed.
void OnIpLookupWindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
