// A continuous signal stays continuous where the processor resets its stages: after
// bypass ends and on a jump of the host's transport. The dry copy that Blend mixes in
// runs on through both, so a low sine shows no step larger than its own. After bypass
// the reset fade covers the restarted stage; a jump restarts it with no fade (in a
// host's loop the audio itself jumps there), so on a jump the test looks at the dry part
// of the mix: the output less Blend times the output of a run at Blend 100, whose stage
// hears the same input.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double rate = 48000.0;

juce::AudioBuffer<float> sine (int samples, float frequency, float amplitude)
{
    juce::AudioBuffer<float> buffer (2, samples);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < samples; ++i)
            buffer.setSample (ch, i, amplitude * (float) std::sin (2.0 * juce::MathConstants<double>::pi * frequency * i / rate));
    return buffer;
}

// The largest change from one sample to the next over [start, end) of either channel.
float largestStep (const juce::AudioBuffer<float>& buffer, int start, int end)
{
    float largest = 0.0f;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = juce::jmax (1, start); i < end; ++i)
            largest = juce::jmax (largest, std::abs (buffer.getSample (ch, i) - buffer.getSample (ch, i - 1)));
    return largest;
}

enum class Interruption
{
    bypass,
    transportJump
};

struct ContinuityCase
{
    Interruption interruption;
    float blend;
    int blockSize;
};

class ProcessorContinuity : public testing::TestWithParam<ContinuityCase>
{
};

// One second of play, the interruption (half a second of bypass, or the host's
// position moving back to 0), then one more second.
juce::AudioBuffer<float> playThrough (Interruption interruption, float blend, int blockSize,
                                      const juce::AudioBuffer<float>& input, int resumeBlock)
{
    ProcessorHarness harness;
    FakePlayHead head;
    harness.processor.setPlayHead (&head);
    harness.set ("drive", 60.0f);
    harness.set ("blend", blend);
    harness.prepare (rate, blockSize);

    juce::AudioBuffer<float> output (2, input.getNumSamples());
    juce::int64 position = 0;
    for (int start = 0; start < input.getNumSamples(); start += blockSize)
    {
        const int length = juce::jmin (blockSize, input.getNumSamples() - start);
        if (interruption == Interruption::transportJump && start == resumeBlock)
            position = 0;
        head.time = position;
        position += length;
        auto block = slice (input, start, length);
        const bool bypassed = interruption == Interruption::bypass && start >= (int) rate && start < resumeBlock;
        harness.processInPlace (block, bypassed);
        for (int ch = 0; ch < 2; ++ch)
            output.copyFrom (ch, start, block, ch, 0, length);
    }
    harness.processor.setPlayHead (nullptr);
    return output;
}

// The steps are measured from the first processed block after the interruption.
TEST_P (ProcessorContinuity, NoStepWhereTheStagesReset)
{
    const auto c = GetParam();
    const int second = (int) rate;
    const auto input = sine (5 * second / 2, 100.0f, 0.25f);
    const int resumeAt = second + (c.interruption == Interruption::bypass ? second / 2 : 0);
    const int resumeBlock = ((resumeAt + c.blockSize - 1) / c.blockSize) * c.blockSize;

    auto output = playThrough (c.interruption, c.blend, c.blockSize, input, resumeBlock);
    if (c.interruption == Interruption::transportJump && c.blend > 0.0f)
    {
        const auto wet = playThrough (c.interruption, 100.0f, c.blockSize, input, resumeBlock);
        for (int ch = 0; ch < 2; ++ch)
            output.addFrom (ch, 0, wet, ch, 0, wet.getNumSamples(), -0.01f * c.blend);
    }

    const float signalStep = largestStep (input, 0, input.getNumSamples());
    const float resumedStep = largestStep (output, resumeBlock, resumeBlock + second / 2);
    EXPECT_LT (resumedStep, 2.0f * signalStep) << "steady play steps by " << largestStep (output, second / 2, second);
}

std::string caseName (const testing::TestParamInfo<ContinuityCase>& info)
{
    const auto& c = info.param;
    return std::string (c.interruption == Interruption::bypass ? "AfterBypass" : "AfterTransportJump") + "Blend"
           + std::to_string ((int) c.blend) + "Block" + std::to_string (c.blockSize);
}

INSTANTIATE_TEST_SUITE_P (Cases, ProcessorContinuity,
                          testing::Values (ContinuityCase { Interruption::bypass, 0.0f, 512 },
                                           ContinuityCase { Interruption::bypass, 0.0f, 2048 },
                                           ContinuityCase { Interruption::bypass, 50.0f, 512 },
                                           ContinuityCase { Interruption::bypass, 50.0f, 2048 },
                                           ContinuityCase { Interruption::transportJump, 0.0f, 512 },
                                           ContinuityCase { Interruption::transportJump, 0.0f, 2048 },
                                           ContinuityCase { Interruption::transportJump, 50.0f, 512 },
                                           ContinuityCase { Interruption::transportJump, 50.0f, 2048 }),
                          caseName);
} // namespace
