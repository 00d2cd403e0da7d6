// The change an elevated run is given: written as arguments and read back whole, and any
// argument list that is not exactly such a change refused before anything is touched.
#include <gtest/gtest.h>

#include <sstream>

#include "adapters/elevatedchange.h"

namespace {
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

ElevatedChange Profile(ProfileSettings settings)
{
    ElevatedChange change;
    change.kind = ElevatedChange::Kind::ApplyProfile;
    change.adapter = 7;
    change.settingId = "{5D1C2E3A-1111-4F1A-9C3E-0050B6000003}";
    change.profile = std::move(settings);
    return change;
}

ElevatedChange Details(DetailSettings settings)
{
    ElevatedChange change;
    change.kind = ElevatedChange::Kind::ApplyDetails;
    change.adapter = -3;
    change.details = std::move(settings);
    return change;
}

// What Undo brings back: every list, a metric, servers set by hand and the stored gateway bytes.
ElevatedChange Restore()
{
    ElevatedChange change;
    change.kind = ElevatedChange::Kind::Restore;
    change.adapter = 3;
    change.settingId = "{5D1C2E3A-1111-4F1A-9C3E-0050B6000003}";
    change.configuration.addresses = {"10.0.0.5", "10.0.0.6"};
    change.configuration.masks = {"255.0.0.0", "255.255.0.0"};
    change.configuration.gateways = {"10.0.0.1"};
    change.configuration.metrics = {20};
    change.configuration.dnsServers = {"10.0.0.2"};
    change.configuration.dnsByHand = true;
    change.configuration.storedGateway = {true, true, {REG_MULTI_SZ, std::string("10.0.0.1\0\0", 10)}};
    return change;
}

ElevatedChange Autostart(bool on)
{
    ElevatedChange change;
    change.kind = ElevatedChange::Kind::Autostart;
    change.autostart = on;
    return change;
}
}  // namespace

TEST(ElevatedChangeTest, EveryChangeComesBackWhole)
{
    const ElevatedChange changes[] = {
        Profile({false, "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", ""}),
        Profile({true, "", "", "", "", ""}),
        // Whatever a profile holds travels, spaces, quotes and percent signs included.
        Profile({false, "10 .0.0.5\"", "%41", "a,b", "x=y", "\xE9"}),
        Details({{"192.168.1.10", "192.168.1.11"}, {"255.255.255.0", "255.255.0.0"}, {}, {"8.8.8.8"}}),
        // An empty row is one empty element, which the calls read as "none": not an empty list.
        Details({{""}, {"", "255.0.0.0"}, {""}, {}}),
        Autostart(true),
        Autostart(false),
        Restore(),
    };
    for (const ElevatedChange& change : changes) {
        const std::string parameters = ElevatedParameters(change);
        SCOPED_TRACE(parameters);
        EXPECT_EQ(parameters.find_first_of("\"\t"), std::string::npos);
        const std::optional<ElevatedChange> back = ParseElevatedArguments(Words(parameters));
        ASSERT_TRUE(back);
        EXPECT_EQ(ElevatedParameters(*back), parameters);
        EXPECT_EQ(back->kind, change.kind);
        EXPECT_EQ(back->profile.ip, change.profile.ip);
        EXPECT_EQ(back->profile.dns2, change.profile.dns2);
        EXPECT_EQ(back->details.masks, change.details.masks);
        EXPECT_EQ(back->details.addresses, change.details.addresses);
        EXPECT_EQ(back->details.gateways, change.details.gateways);
        EXPECT_EQ(back->details.servers, change.details.servers);
        EXPECT_EQ(back->adapter, change.adapter);
        EXPECT_EQ(back->configuration, change.configuration);
    }
}

TEST(ElevatedChangeTest, AnythingElseIsRefused)
{
    const std::string profile = ElevatedParameters(Profile({false, "10.0.0.5", "255.0.0.0", "", "", ""}));
    const char* const refused[] = {
        "",
        "--elevated-change",
        "--elevated-change format-disk",
        "--elevate apply-profile adapter=7",
        "--elevated-change autostart",
        "--elevated-change autostart entry=maybe",
        "--elevated-change autostart entry=on entry=on",
        "--elevated-change autostart entry=on extra=1",
        "--elevated-change autostart entry",
        "--elevated-change apply-details adapter=7 addresses=1.2.3.4 masks= gateways= servers=8.8.8.8,",
        "--elevated-change apply-details adapter=7 addresses=1.2.3.4, masks= gateways= servers=8.8.8.8",
        "--elevated-change apply-details adapter=0x7 addresses= masks= gateways= servers=",
        "--elevated-change apply-details adapter=99999999999 addresses= masks= gateways= servers=",
        "--elevated-change apply-details adapter=7 addresses=%4 masks= gateways= servers=",
        "--elevated-change apply-details adapter=7 addresses=%zz masks= gateways= servers=",
        "--elevated-change apply-details adapter=7 addresses=a b masks= gateways= servers=",
    };
    for (const char* line : refused)
        EXPECT_FALSE(ParseElevatedArguments(Words(line))) << line;
    // A profile change missing any one of its keys.
    std::vector<std::string> words = Words(profile);
    for (size_t drop = 2; drop < words.size(); ++drop) {
        std::vector<std::string> fewer = words;
        fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(drop));
        EXPECT_FALSE(ParseElevatedArguments(fewer)) << words[drop];
    }
}

TEST(ElevatedChangeTest, ResultsComeBackFromTheExitCode)
{
    using Kind = ElevatedChange::Kind;
    for (const ConfigurationRefusal refusal : {ConfigurationRefusal{}, ConfigurationRefusal{1, 91},
                                               ConfigurationRefusal{2, 71}, ConfigurationRefusal{3, -1}}) {
        const std::optional<ElevatedResult> back = ReadElevatedResult(Kind::ApplyProfile, PackRefusal(refusal));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->refusal.step, refusal.step);
        EXPECT_EQ(back->refusal.code, refusal.code);
    }
    const std::optional<ElevatedResult> details =
        ReadElevatedResult(Kind::ApplyDetails, PackDetailResults({0, 81, -1}));
    ASSERT_TRUE(details);
    EXPECT_EQ(details->details.gateways, 0);
    EXPECT_EQ(details->details.address, 81);
    EXPECT_EQ(details->details.servers, -1);
    const std::optional<ElevatedResult> autostart = ReadElevatedResult(Kind::Autostart, PackAutostartResult(true));
    ASSERT_TRUE(autostart);
    EXPECT_TRUE(autostart->autostart);
    // A failure, a crash, a process ended from outside, or another kind's result is never read
    // as a result.
    for (const uint32_t code : {kElevatedMalformed, kElevatedFailed, 0u, 0xC0000005u, PackAutostartResult(true)}) {
        EXPECT_FALSE(ReadElevatedResult(Kind::ApplyProfile, code)) << code;
        EXPECT_FALSE(ReadElevatedResult(Kind::ApplyDetails, code)) << code;
    }
    EXPECT_FALSE(ReadElevatedResult(Kind::Autostart, PackRefusal({})));
}
