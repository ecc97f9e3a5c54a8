// Parameters, bus layouts, and the lengths prepareToPlay derives from the sample rate.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
TEST (ProcessorParameters, ThreeParametersWithTheirRangesDefaultsAndLabels)
{
    ProcessorHarness harness;
    struct Case
    {
        const char* id;
        const char* name;
        const char* label;
        float defaultValue;
        float interval;
    };
    const Case cases[] = {
        { "drive", "Drive", "%", 0.0f, 0.1f },
        { "blend", "Blend", "%", 100.0f, 0.1f },
        { "page", "Page", "", 0.0f, 1.0f },
    };
    const auto& parameters = harness.processor.getParameters();
    ASSERT_EQ (parameters.size(), 3);
    for (int i = 0; i < 3; ++i)
    {
        const auto& c = cases[i];
        SCOPED_TRACE (c.id);
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (parameters[i]);
        ASSERT_NE (parameter, nullptr);
        EXPECT_EQ (parameter->getParameterID(), c.id);
        EXPECT_EQ (parameter->getName (32), c.name);
        EXPECT_EQ (parameter->getLabel(), c.label);
        EXPECT_EQ (parameter->getNormalisableRange().start, 0.0f);
        EXPECT_EQ (parameter->getNormalisableRange().interval, c.interval);
        EXPECT_EQ (parameter->getNormalisableRange().skew, 1.0f);
        EXPECT_FLOAT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), c.defaultValue);
        EXPECT_FLOAT_EQ (harness.processor.apvts.getRawParameterValue (c.id)->load(), c.defaultValue);
    }
    auto* page = dynamic_cast<juce::AudioParameterChoice*> (parameters[2]);
    ASSERT_NE (page, nullptr);
    EXPECT_EQ (page->choices, juce::StringArray ({ "Rare", "Medium", "Well" }));
    EXPECT_EQ (parameters[2]->getNumSteps(), 3);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ (dynamic_cast<juce::RangedAudioParameter*> (parameters[i])->getNormalisableRange().end, 100.0f);
}

TEST (ProcessorParameters, IdentityAndPrograms)
{
    ProcessorHarness harness;
    auto& p = harness.processor;
    EXPECT_EQ (p.getName(), "Torvane");
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_TRUE (p.hasEditor());
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (p.getProgramName (0), "Default");
    EXPECT_FALSE (p.supportsDoublePrecisionProcessing());
    EXPECT_EQ (p.getBusCount (true), 1);
    EXPECT_EQ (p.getBusCount (false), 1);
    EXPECT_EQ (p.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (p.getBus (false, 0)->getName(), "Output");
}

TEST (ProcessorLayouts, AcceptsOnlyMonoOrStereoWithInputEqualToOutput)
{
    ProcessorHarness harness;
    using Set = juce::AudioChannelSet;
    struct Case
    {
        Set in, out;
        bool accepted;
    };
    const Case cases[] = {
        { Set::mono(), Set::mono(), true },         { Set::stereo(), Set::stereo(), true },
        { Set::mono(), Set::stereo(), false },      { Set::stereo(), Set::mono(), false },
        { Set::disabled(), Set::stereo(), false },  { Set::disabled(), Set::mono(), false },
        { Set::stereo(), Set::disabled(), false },  { Set::quadraphonic(), Set::quadraphonic(), false },
        { Set::create5point1(), Set::create5point1(), false },
    };
    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.in);
        layout.outputBuses.add (c.out);
        EXPECT_EQ (harness.processor.checkBusesLayoutSupported (layout), c.accepted)
            << c.in.getDescription() << " -> " << c.out.getDescription();
    }
}

struct RateCase
{
    double rate;
    int crossfade, inputFade, ramp;
};

class ProcessorLengths : public testing::TestWithParam<RateCase>
{
};

TEST_P (ProcessorLengths, FadesAndRampsFollowTheSampleRate)
{
    const auto c = GetParam();
    ProcessorHarness harness;
    harness.prepare (c.rate, 512);
    const TorvaneProcessorProbe probe (harness.processor);
    EXPECT_EQ (probe.pageCrossfadeLength(), c.crossfade);
    EXPECT_EQ (probe.inputFadeLength(), c.inputFade);
    EXPECT_EQ (probe.driveRampLength(), c.ramp);
    EXPECT_EQ (probe.blendRampLength(), c.ramp);
    EXPECT_EQ (harness.processor.getLatencySamples(), 4);
}

// 30 ms, 5 ms (0.005 x 44100 = 220.5 rounds to the even neighbour) and 20 ms.
INSTANTIATE_TEST_SUITE_P (CommonRates, ProcessorLengths,
                          testing::Values (RateCase { 44100.0, 1323, 220, 882 }, RateCase { 48000.0, 1440, 240, 960 },
                                           RateCase { 96000.0, 2880, 480, 1920 }));

TEST (ProcessorLengths, PreparingAgainAtANewRateChangesThem)
{
    ProcessorHarness harness;
    harness.prepare (48000.0, 512);
    harness.prepare (44100.0, 256);
    const TorvaneProcessorProbe probe (harness.processor);
    EXPECT_EQ (probe.pageCrossfadeLength(), 1323);
    EXPECT_EQ (probe.driveRampLength(), 882);
}
} // namespace
