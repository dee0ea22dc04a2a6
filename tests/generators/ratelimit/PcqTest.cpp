#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "generators/ratelimit/Pcq.h"

namespace trelvix::ratelimit {
namespace {

using test::Visible;

std::string PcqBlock(const std::string& up, const std::string& down, const std::string& parentUp,
                     const std::string& parentDown) {
    // clang-format off
    return "/queue type add name=\"PCQ-up\" kind=pcq pcq-rate=" + up +
           " pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000\r\n\r\n"
           "/queue type add name=\"PCQ-down\" kind=pcq pcq-rate=" + down +
           " pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000\r\n\r\n"
           "/ip firewall mangle add chain=prerouting action=mark-packet new-packet-mark=all-mark passthrough=yes\r\n\r\n"
           "/queue tree add name=\"PCQup\" parent=" + parentUp + " queue=PCQ-up packet-mark=all-mark\r\n\r\n"
           "/queue tree add name=\"PCQdown\" parent=" + parentDown + " queue=PCQ-down packet-mark=all-mark";
}

TEST(PcqScript, VersionsHangTheTreeOnGlobalQueuesOrInterfaces) {
    PcqFields f;
    EXPECT_EQ(Visible(BuildPcqScript(f, RouterOsVersion::V5)), Visible(PcqBlock("1M", "1M", "global-out", "global-in")));
    EXPECT_EQ(Visible(BuildPcqScript(f, RouterOsVersion::V6)), Visible(PcqBlock("1M", "1M", "WAN", "LAN")));

    f = {"512k", "2m", "ether1", "bridge-lan"};
    EXPECT_EQ(Visible(BuildPcqScript(f, RouterOsVersion::V6)), Visible(PcqBlock("512k", "2M", "ether1", "bridge-lan")));
}

TEST(PcqScript, EmptyInterfacesAreWrittenAsTyped) {
    PcqFields f;
    f.wan = "";
    f.lan = "";
    const std::string script = BuildPcqScript(f, RouterOsVersion::V6);
    EXPECT_EQ(Visible(script), Visible(PcqBlock("1M", "1M", "", "")));
    EXPECT_NE(script.find("parent= queue=PCQ-up"), std::string::npos);
}

std::string MonitorBlock(const std::string& parentUp, const std::string& parentDown, const std::string& wan,
                         const std::string& up, const std::string& upOff, const std::string& upOn,
                         const std::string& downOff, const std::string& downOn) {
    return "/queue type add name=\"PCQ-up\" kind=pcq pcq-rate=" + up +
           " pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000\r\n"
           "/queue type add name=\"PCQ-down\" kind=pcq pcq-rate=1M"
           " pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000\r\n"
           "\r\n"
           "/ip firewall mangle add chain=prerouting action=mark-packet new-packet-mark=all-mark passthrough=yes\r\n"
           "\r\n"
           "/queue tree add name=\"PCQup\" parent=" + parentUp + " queue=PCQ-up packet-mark=all-mark\r\n"
           "/queue tree add name=\"PCQdown\" parent=" + parentDown + " queue=PCQ-down packet-mark=all-mark\r\n"
           "\r\n"
           "/tool traffic-monitor\r\n"
           "add name=\"PCQupoff\" interface=" + wan + " traffic=transmitted trigger=below threshold=" + upOff +
           " on-event=upoff disabled=no\r\n"
           "add name=\"PCQupon\" interface=" + wan + " traffic=transmitted trigger=above threshold=" + upOn +
           " on-event=upon disabled=no\r\n"
           "add name=\"PCQdownoff\" interface=" + wan + " traffic=received trigger=below threshold=" + downOff +
           " on-event=downoff disabled=no\r\n"
           "add name=\"PCQdownon\" interface=" + wan + " traffic=received trigger=above threshold=" + downOn +
           " on-event=downon disabled=no\r\n"
           "\r\n"
           "/system script\r\n"
           "add name=\"upoff\" source=\":if ([/queue tree get [/queue tree find name=\\\"PCQup\\\"] disable]=false) "
           "do={/queue tree disable PCQup}\"\r\n"
           "add name=\"upon\" source=\":if ([/queue tree get [/queue tree find name=\\\"PCQup\\\"] disable]=true) "
           "do={/queue tree enable PCQup}\"\r\n"
           "add name=\"downoff\" source=\":if ([/queue tree get [/queue tree find name=\\\"PCQdown\\\"] disable]=false) "
           "do={/queue tree disable PCQdown}\"\r\n"
           "add name=\"downon\" source=\":if ([/queue tree get [/queue tree find name=\\\"PCQdown\\\"] disable]=true) "
           "do={/queue tree enable PCQdown}\"";
    // clang-format on
}

TEST(PcqTrafficMonitorScript, BothVersionsWatchTheWanInterface) {
    PcqTrafficMonitorFields f;
    EXPECT_EQ(Visible(BuildPcqTrafficMonitorScript(f, RouterOsVersion::V5)),
              Visible(MonitorBlock("global-out", "global-in", "WAN", "1M", "2M", "4M", "4M", "8M")));
    EXPECT_EQ(Visible(BuildPcqTrafficMonitorScript(f, RouterOsVersion::V6)),
              Visible(MonitorBlock("WAN", "LAN", "WAN", "1M", "2M", "4M", "4M", "8M")));
}

TEST(PcqTrafficMonitorScript, RatesNormalisedAndInterfacesAsTyped) {
    PcqTrafficMonitorFields f;
    f.up = "256k";
    f.wan = "";
    f.lan = "ether2";
    f.upOff = "1m";
    f.upOn = "3mb";
    f.downOff = "10M";
    f.downOn = "20m";
    EXPECT_EQ(Visible(BuildPcqTrafficMonitorScript(f, RouterOsVersion::V6)),
              Visible(MonitorBlock("", "ether2", "", "256k", "1M", "3M", "10M", "20M")));
    // A typed value that looks like a placeholder is not filled again.
    f.wan = "{UP}";
    const std::string script = BuildPcqTrafficMonitorScript(f, RouterOsVersion::V5);
    EXPECT_NE(script.find("interface=\"{UP}\" traffic"), std::string::npos) << Visible(script);
}

TEST(PcqTrafficMonitorScript, TypedValuesThatCannotStandBareAreQuoted) {
    PcqTrafficMonitorFields f;
    f.up = "1 m";
    f.wan = "ether1 wan";
    f.lan = "$lan";
    f.downOn = "8M\"";
    EXPECT_EQ(Visible(BuildPcqTrafficMonitorScript(f, RouterOsVersion::V6)),
              Visible(MonitorBlock("\"ether1 wan\"", "\"\\$lan\"", "\"ether1 wan\"", "\"1 M\"", "2M", "4M", "4M",
                                   "\"8M\\\"\"")));
    PcqFields pcq{"1M", "2 M", "WAN 1", "LAN"};
    EXPECT_EQ(Visible(BuildPcqScript(pcq, RouterOsVersion::V6)),
              Visible(PcqBlock("1M", "\"2 M\"", "\"WAN 1\"", "LAN")));
    // 5.X writes the global queues, whatever the interface boxes hold.
    EXPECT_EQ(Visible(BuildPcqScript(pcq, RouterOsVersion::V5)),
              Visible(PcqBlock("1M", "\"2 M\"", "global-out", "global-in")));
}

}  // namespace
}  // namespace trelvix::ratelimit
