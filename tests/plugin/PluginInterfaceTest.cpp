// The built bundle seen through the VST3 interface, as a host sees it.
#include "HostRun.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
// The 31-bit parameter ID the VST3 wrapper derives from a parameter's string ID.
uint32_t vst3ParameterId (const std::string& id)
{
    uint32_t hash = 0;
    for (char c : id)
        hash = hash * 31u + (uint32_t) (unsigned char) c;
    return hash & 0x7fffffffu;
}

class PluginCheck : public testing::Test
{
protected:
    static void SetUpTestSuite() { check = new HostRun (HostRun::run ("check")); }
    static void TearDownTestSuite() { delete check; }

    // The "paramN" line whose id field is the given ID, or empty.
    static std::string parameterLine (const std::string& id)
    {
        for (const auto& [key, value] : check->values)
            if (key.rfind ("param", 0) == 0 && HostRun::field (" " + value, "id") == id)
                return " " + value;
        return {};
    }

    static HostRun* check;
};

HostRun* PluginCheck::check = nullptr;

TEST_F (PluginCheck, LoadsAndReportsFactoryIdentity)
{
    ASSERT_EQ (check->status, 0) << (check->lines.empty() ? "" : check->lines.front());
    EXPECT_EQ (check->value ("factory.vendor"), "Quillmoor Audio");
    EXPECT_EQ (check->value ("factory.url"), "https://quillmoor.example");
    EXPECT_EQ (check->value ("factory.email"), "");
    EXPECT_EQ (check->value ("plugin.name"), "Torvane");
}

TEST_F (PluginCheck, BothClassesCarryTheirIdentity)
{
    struct ClassCase
    {
        const char* key;
        const char* category;
        const char* classId;
    };
    const ClassCase cases[] = {
        { "class0.", "Audio Module Class", "{0xABCDEF01, 0x9182FAEB, 0x516C6D72, 0x5476726E}" },
        { "class1.", "Component Controller Class", "{0xABCDEF01, 0x1234ABCD, 0x516C6D72, 0x5476726E}" },
    };
    for (const auto& c : cases)
    {
        const std::string k = c.key;
        SCOPED_TRACE (k);
        EXPECT_EQ (check->value (k + "name"), "Torvane");
        EXPECT_EQ (check->value (k + "category"), c.category);
        EXPECT_EQ (check->value (k + "cid"), c.classId);
        EXPECT_EQ (check->value (k + "vendor"), "Quillmoor Audio");
        EXPECT_EQ (check->value (k + "version"), "0.1.1");
        EXPECT_EQ (check->value (k + "sdkVersion"), "VST 3.8.0");
        EXPECT_EQ (check->value (k + "subCategories"), "Fx");
        EXPECT_EQ (check->value (k + "classFlags"), "0");
        EXPECT_EQ (check->value (k + "cardinality"), "2147483647"); // many instances
    }
    EXPECT_EQ (check->values.count ("class2.name"), 0u);
}

TEST_F (PluginCheck, ParametersUseHashedIdsRangesAndDefaults)
{
    struct ParameterCase
    {
        const char* id;
        uint32_t expectedHash;
        const char* name;
        const char* label;
        const char* min;
        const char* max;
        const char* defaultText;
    };
    const ParameterCase cases[] = {
        { "drive", 95852938u, "Drive", "%", "0.0", "100.0", "0.0" },
        { "blend", 93823057u, "Blend", "%", "0.0", "100.0", "100.0" },
        { "page", 3433103u, "Page", "", "Rare", "Well", "Rare" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        EXPECT_EQ (vst3ParameterId (c.id), c.expectedHash);
        const auto line = parameterLine (std::to_string (c.expectedHash));
        ASSERT_FALSE (line.empty());
        EXPECT_EQ (HostRun::field (line, "name"), c.name);
        EXPECT_EQ (HostRun::field (line, "label"), c.label);
        EXPECT_EQ (HostRun::field (line, "min"), c.min);
        EXPECT_EQ (HostRun::field (line, "max"), c.max);
        EXPECT_EQ (HostRun::field (line, "default"), c.defaultText);
    }
    EXPECT_EQ (HostRun::field (parameterLine ("3433103"), "steps"), "3");
}

TEST_F (PluginCheck, WrapperAddsItsOwnBypass)
{
    EXPECT_EQ (check->value ("parameters"), "4");
    int bypassCount = 0;
    for (const auto& [key, value] : check->values)
        if (key.rfind ("param", 0) == 0 && HostRun::field (" " + value, "bypass") == "yes")
            ++bypassCount;
    EXPECT_EQ (bypassCount, 1);
}

TEST_F (PluginCheck, AcceptsMonoAndStereoWithEqualInputAndOutput)
{
    const std::pair<const char*, const char*> cases[] = {
        { "layout mono->mono", "accepted" },     { "layout stereo->stereo", "accepted" },
        { "layout mono->stereo", "refused" },    { "layout stereo->mono", "refused" },
        { "layout quad->quad", "refused" },
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ (check->value (key), expected) << key;
}

TEST_F (PluginCheck, ReportsOversamplerLatencyNoTailAndALevelPerCharacter)
{
    EXPECT_EQ (check->value ("latency"), "4");
    EXPECT_EQ (check->value ("tail"), "0");
    for (const char* page : { "Rare", "Medium", "Well" })
        EXPECT_NE (check->value (std::string ("level ") + page).find ("out"), std::string::npos) << page;
}

class PluginBypass : public testing::TestWithParam<int>
{
};

TEST_P (PluginBypass, OutputIsInputDelayedByTheReportedLatency)
{
    const auto run = HostRun::run ("bypass", std::to_string (GetParam()));
    ASSERT_EQ (run.status, 0);
    EXPECT_EQ (run.value ("bypass-delay"), run.value ("latency"));
    EXPECT_EQ (run.value ("latency"), "4");
}

INSTANTIATE_TEST_SUITE_P (MonoAndStereo, PluginBypass, testing::Values (1, 2));

TEST (PluginState, SavedByOneInstanceRestoresEveryParameterInAnother)
{
    const auto run = HostRun::run ("state");
    ASSERT_EQ (run.status, 0);
    for (const char* id : { "95852938", "93823057", "3433103" })
    {
        const auto line = " " + run.value (std::string ("state ") + id);
        SCOPED_TRACE (line);
        const double set = std::stod (HostRun::field (line, "set"));
        const double first = std::stod (HostRun::field (line, "first"));
        const double second = std::stod (HostRun::field (line, "second"));
        const double defaultValue = std::stod (HostRun::field (line, "default"));
        // Drive and Blend snap to 0.1 % steps: within half a step of what was set.
        EXPECT_NEAR (first, set, 0.0005);
        EXPECT_DOUBLE_EQ (second, first);
        EXPECT_GT (std::abs (second - defaultValue), 0.1);
    }
}

class PluginRates : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P (PluginRates, FiniteOutputAndTheSameLatency)
{
    const auto [rate, block] = GetParam();
    const auto run = HostRun::run ("process", std::to_string (rate) + " " + std::to_string (block));
    ASSERT_EQ (run.status, 0);
    EXPECT_EQ (run.value ("finite"), "yes");
    EXPECT_EQ (run.value ("latency"), "4");
}

INSTANTIATE_TEST_SUITE_P (RatesAndBlocks, PluginRates,
                          testing::Values (std::make_pair (44100, 64), std::make_pair (96000, 1024),
                                           std::make_pair (192000, 4096)));

TEST (PluginEditor, OpensResizesClosesAndReopensUnderXvfb)
{
    const auto run = HostRun::run ("editor", "1", true);
    EXPECT_EQ (run.status, 0);
    int opened = 0, pages = 0;
    for (const auto& line : run.lines)
    {
        opened += line.rfind ("editor: opened", 0) == 0 ? 1 : 0;
        pages += line.rfind ("editor: page", 0) == 0 ? 1 : 0;
        EXPECT_EQ (line.find ("not taken"), std::string::npos) << line;
    }
    EXPECT_EQ (opened, 2);
    EXPECT_EQ (pages, 6) << "three character switches each time the editor is open";
}
} // namespace
