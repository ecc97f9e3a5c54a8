#include "TorvaneProcessor.h"

#include "TorvaneEditor.h"

#include <cstring>

namespace
{
constexpr float inputLimit = 1.0e4f;
constexpr int driveSubBlock = 32;
constexpr double smoothingSeconds = 0.02;
constexpr double pageCrossfadeSeconds = 0.03;
constexpr double inputFadeSeconds = 0.005;

int scratchLength (int maximumBlockSize) { return juce::jmax (2 * maximumBlockSize, 4096); }

// Turns NaN and infinity into 0 and clamps other samples into +-1e4, so that one bad
// sample cannot leave the filters, the oversamplers or the loudness matcher non-finite
// for ever. Non-finite values are told apart by their bit patterns, which no
// floating-point optimisation setting can fold away.
float sanitise (float x)
{
    uint32_t bits;
    std::memcpy (&bits, &x, sizeof (bits));
    if ((bits & 0x7f800000u) == 0x7f800000u)
        return 0.0f;
    return juce::jlimit (-inputLimit, inputLimit, x);
}

void sanitiseBuffer (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount)
{
    for (int ch = 0; ch < channelCount; ++ch)
    {
        auto* data = buffer.getWritePointer (ch);
        for (int i = 0; i < sampleCount; ++i)
            data[i] = sanitise (data[i]);
    }
}

// Gain of a linear fade at sample i of a block, from integer counters, as the fades
// of the page change, the input and the reset all compute it.
float fadeGain (int remaining, int i, int length)
{
    return 1.0f - (float) (remaining - i) / (float) length;
}

// Mixes out = (1 - g) * from + g * out over the fade's part of the block; returns the
// samples used.
int crossfadeInto (juce::AudioBuffer<float>& out, const juce::AudioBuffer<float>& from, int channelCount,
                   int sampleCount, int remaining, int length)
{
    const int k = juce::jmin (remaining, sampleCount);
    for (int ch = 0; ch < channelCount; ++ch)
    {
        auto* o = out.getWritePointer (ch);
        const auto* f = from.getReadPointer (ch);
        for (int i = 0; i < k; ++i)
        {
            const float g = fadeGain (remaining, i, length);
            o[i] = (1.0f - g) * f[i] + g * o[i];
        }
    }
    return k;
}

// Copies count samples into a ring of the given length from position start on,
// wrapping at its end, and back out of it.
void copyIntoRing (float* ring, int length, int start, const float* source, int count)
{
    const int first = juce::jmin (count, length - start);
    juce::FloatVectorOperations::copy (ring + start, source, first);
    juce::FloatVectorOperations::copy (ring, source + first, count - first);
}

void copyFromRing (float* destination, const float* ring, int length, int start, int count)
{
    const int first = juce::jmin (count, length - start);
    juce::FloatVectorOperations::copy (destination, ring + start, first);
    juce::FloatVectorOperations::copy (destination + first, ring, count - first);
}

std::unique_ptr<juce::dsp::Oversampling<float>> makeOversampler (int channelCount)
{
    return std::make_unique<juce::dsp::Oversampling<float>> (
        (size_t) channelCount, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
}
} // namespace

TorvaneProcessor::TorvaneProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      apvts (*this, nullptr, "STATE", createParameterLayout())
{
    driveParam = apvts.getRawParameterValue ("drive");
    blendParam = apvts.getRawParameterValue ("blend");
    pageParam = apvts.getRawParameterValue ("page");
}

juce::AudioProcessorValueTreeState::ParameterLayout TorvaneProcessor::createParameterLayout()
{
    auto percent = [] (const char* id, const char* name, float defaultValue)
    {
        return std::make_unique<juce::AudioParameterFloat> (
            juce::ParameterID { id, 1 }, name, juce::NormalisableRange<float> (0.0f, 100.0f, 0.1f, 1.0f),
            defaultValue, juce::AudioParameterFloatAttributes().withLabel ("%"));
    };
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    layout.add (percent ("drive", "Drive", 0.0f));
    layout.add (percent ("blend", "Blend", 100.0f));
    layout.add (std::make_unique<juce::AudioParameterChoice> (
        juce::ParameterID { "page", 1 }, "Page", juce::StringArray { "Rare", "Medium", "Well" }, 0,
        juce::AudioParameterChoiceAttributes()));
    return layout;
}

int TorvaneProcessor::readPage() const
{
    return juce::jlimit (0, 2, (int) pageParam->load());
}

void TorvaneProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    const int channelCount = juce::jmax (1, getTotalNumOutputChannels());
    for (int i = 0; i < 3; ++i)
        stages[(size_t) i].prepare (i, sampleRate, maximumExpectedSamplesPerBlock, channelCount);

    const auto& oversampler = stages[0].oversampler;
    dryDelaySamples = oversampler != nullptr ? juce::roundToInt (oversampler->getLatencyInSamples()) : 0;
    setLatencySamples (dryDelaySamples);

    driveSmoothed.reset (sampleRate, smoothingSeconds);
    driveSmoothed.setCurrentAndTargetValue (driveParam->load() * 0.01f);
    blendSmoothed.reset (sampleRate, smoothingSeconds);
    blendSmoothed.setCurrentAndTargetValue (blendParam->load() * 0.01f);

    currentPage = previousPage = readPage();
    pageCrossfadeRemaining = 0;
    pageCrossfadeLength = juce::jmax (1, juce::roundToInt (pageCrossfadeSeconds * sampleRate));
    resetPending = false;
    resetFadeRemaining = 0;

    const int scratch = scratchLength (maximumExpectedSamplesPerBlock);
    dryOversampler = makeOversampler (channelCount);
    dryOversampler->initProcessing ((size_t) scratch);
    phaseMatchedDry.setSize (channelCount, scratch, false, true, true);

    inputFadeLength = juce::jmax (1, juce::roundToInt (inputFadeSeconds * sampleRate));
    inputFadeRemaining = 0;

    dryRing.setSize (channelCount, scratch + juce::jmax (dryDelaySamples, 1) + 8, false, true, true);
    delayedDry.setSize (channelCount, scratch, false, true, true);
    inputCopy.setSize (channelCount, scratch, false, true, true);
    outgoingScratch.setSize (channelCount, scratch, false, true, true);

    dryRing.clear();
    dryRingWritePos = 0;
    effort.store (0.0f);
}

int TorvaneProcessor::prepareBlockInputs (juce::AudioBuffer<float>& buffer)
{
    const int n = buffer.getNumSamples();
    const int totalOut = getTotalNumOutputChannels();
    for (int ch = getTotalNumInputChannels(); ch < totalOut; ++ch)
        buffer.clear (ch, 0, n);

    if (n == 0 || totalOut == 0)
        return 0;
    const int c = juce::jmin (totalOut, dryRing.getNumChannels(), buffer.getNumChannels());
    if (c == 0 || n > inputCopy.getNumSamples())
        return 0;

    sanitiseBuffer (buffer, c, n);
    for (int ch = 0; ch < c; ++ch)
        inputCopy.copyFrom (ch, 0, buffer, ch, 0, n);
    runDryDelay (inputCopy, c, n);

    if (dryOversampler != nullptr && n <= phaseMatchedDry.getNumSamples())
    {
        for (int ch = 0; ch < c; ++ch)
            phaseMatchedDry.copyFrom (ch, 0, inputCopy, ch, 0, n);
        juce::dsp::AudioBlock<float> block (phaseMatchedDry.getArrayOfWritePointers(), (size_t) c, 0, (size_t) n);
        dryOversampler->processSamplesUp (block);
        dryOversampler->processSamplesDown (block);
    }
    return c;
}

// Writes the block into the ring, then reads it back dryDelaySamples behind. Writing
// the whole block before reading is the same as writing each sample before reading its
// partner: the ring is longer than a block plus the delay, so the block's writes never
// reach a position that this block still reads from an earlier block.
void TorvaneProcessor::runDryDelay (const juce::AudioBuffer<float>& source, int channelCount, int sampleCount)
{
    const int length = dryRing.getNumSamples();
    const int readPos = (length + ((dryRingWritePos - dryDelaySamples) % length)) % length;
    for (int ch = 0; ch < channelCount; ++ch)
    {
        copyIntoRing (dryRing.getWritePointer (ch), length, dryRingWritePos, source.getReadPointer (ch), sampleCount);
        copyFromRing (delayedDry.getWritePointer (ch), dryRing.getReadPointer (ch), length, readPos, sampleCount);
    }
    dryRingWritePos = (dryRingWritePos + sampleCount) % length;
}

void TorvaneProcessor::outputDelayedDry (juce::AudioBuffer<float>& buffer, int channelCount)
{
    const int n = buffer.getNumSamples();
    for (int ch = 0; ch < channelCount; ++ch)
        buffer.copyFrom (ch, 0, delayedDry, ch, 0, n);
    resetPending = true;
    resetFadeRemaining = 0;
    publishBypassed();
}

void TorvaneProcessor::resetStages()
{
    // The dry path's oversampler runs on for the whole stream: its input is sanitised, so
    // its state is always finite, and restarting it would put a step into the dry copy
    // that Blend mixes in.
    for (auto& stage : stages)
        stage.reset();
}

void TorvaneProcessor::checkTransport (int sampleCount)
{
    auto* playHead = getPlayHead();
    if (playHead == nullptr)
        return;
    const auto position = playHead->getPosition();
    if (! position.hasValue())
        return;
    const auto time = position->getTimeInSamples();
    if (! time.hasValue())
        return;

    const int64_t t = *time;
    // A host may alternate block lengths; steady play advances by the previous block's
    // length, so allow twice the larger of the two before calling it a jump.
    const int64_t allowed = 2 * (int64_t) juce::jmax (sampleCount, lastBlockSamples);
    if (lastTimeInSamples >= 0 && (t < lastTimeInSamples || t > lastTimeInSamples + allowed))
        resetStages();
    lastTimeInSamples = t;
    lastBlockSamples = sampleCount;
}

void TorvaneProcessor::takePageChange()
{
    const int page = readPage();
    if (page == currentPage)
        return;
    previousPage = currentPage;
    currentPage = page;
    pageCrossfadeRemaining = pageCrossfadeLength;
    inputFadeRemaining = inputFadeLength;
}

void TorvaneProcessor::analyseIdleStages (int channelCount, int sampleCount)
{
    for (int s = 0; s < 3; ++s)
    {
        const bool fadingOut = pageCrossfadeRemaining > 0 && s == previousPage;
        if (s != currentPage && ! fadingOut)
            stages[(size_t) s].analyseIdle (inputCopy, channelCount, sampleCount);
    }
}

void TorvaneProcessor::applyInputFade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount)
{
    if (inputFadeRemaining <= 0)
        return;
    const int k = juce::jmin (inputFadeRemaining, sampleCount);
    for (int ch = 0; ch < channelCount; ++ch)
    {
        auto* data = buffer.getWritePointer (ch);
        for (int i = 0; i < k; ++i)
            data[i] *= fadeGain (inputFadeRemaining, i, inputFadeLength);
    }
    inputFadeRemaining -= k;
}

float TorvaneProcessor::runCurrentStage (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount)
{
    auto& stage = stages[(size_t) currentPage];
    driveSmoothed.setTargetValue (juce::jlimit (0.0f, 1.0f, driveParam->load() * 0.01f));

    if (! driveSmoothed.isSmoothing())
    {
        const float drive = driveSmoothed.skip (sampleCount);
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), channelCount, 0, sampleCount);
        stage.process (view, drive, true);
        return drive;
    }

    // While the drive ramps, the stage follows it in short steps.
    float drive = 0.0f;
    for (int start = 0; start < sampleCount; start += driveSubBlock)
    {
        const int length = juce::jmin (driveSubBlock, sampleCount - start);
        drive = driveSmoothed.skip (length);
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), channelCount, start, length);
        stage.process (view, drive, true);
    }
    return drive;
}

void TorvaneProcessor::applyPageCrossfade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount,
                                           float drive)
{
    if (pageCrossfadeRemaining <= 0)
        return;
    for (int ch = 0; ch < channelCount; ++ch)
        outgoingScratch.copyFrom (ch, 0, inputCopy, ch, 0, sampleCount);
    juce::AudioBuffer<float> outgoing (outgoingScratch.getArrayOfWritePointers(), channelCount, 0, sampleCount);
    stages[(size_t) previousPage].process (outgoing, drive, true);

    pageCrossfadeRemaining -= crossfadeInto (buffer, outgoingScratch, channelCount, sampleCount,
                                             pageCrossfadeRemaining, pageCrossfadeLength);
}

void TorvaneProcessor::applyBlend (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount)
{
    const float blend = juce::jlimit (0.0f, 1.0f, blendParam->load() * 0.01f);
    blendSmoothed.setTargetValue (blend);
    if (! blendSmoothed.isSmoothing() && blend >= 0.999f)
    {
        blendSmoothed.skip (sampleCount);
        return;
    }
    for (int i = 0; i < sampleCount; ++i)
    {
        const float v = blendSmoothed.getNextValue();
        for (int ch = 0; ch < channelCount; ++ch)
        {
            auto* o = buffer.getWritePointer (ch);
            o[i] = (1.0f - v) * phaseMatchedDry.getSample (ch, i) + v * o[i];
        }
    }
}

void TorvaneProcessor::applyResetFade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount)
{
    if (resetFadeRemaining <= 0)
        return;
    resetFadeRemaining -= crossfadeInto (buffer, delayedDry, channelCount, sampleCount, resetFadeRemaining,
                                         pageCrossfadeLength);
}

void TorvaneProcessor::publishProcessed (const juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount,
                                         float drive)
{
    const auto& stage = stages[(size_t) currentPage];
    const auto& table = stage.compensationDb;
    float x = 0.0f;
    int i = 0;
    if (drive >= 0.0f)
    {
        x = juce::jmin (drive, 1.0f) * 47.0f;
        i = juce::jlimit (0, 46, (int) x);
    }
    const float f = x - (float) i;
    const float depth = juce::jlimit (
        0.0f, 1.0f, -((1.0f - f) * table[(size_t) i] + f * table[(size_t) i + 1]) / 12.0f);
    const float previousEffort = effort.load (std::memory_order_relaxed);
    effort.store (previousEffort + (depth - previousEffort) * 0.25f, std::memory_order_relaxed);

    float peak = 0.0f;
    for (int ch = 0; ch < channelCount; ++ch)
        peak = juce::jmax (peak, buffer.getMagnitude (ch, 0, sampleCount));
    outputPeak.store (peak, std::memory_order_relaxed);

    stageHeat.store (stage.heat, std::memory_order_relaxed);

    float grid = 0.0f;
    for (int ch = 0; ch < stage.numChannels; ++ch)
        grid = juce::jmax (grid, stage.gridDepth * stage.channels[(size_t) ch].gridState);
    gridBlock.store (grid, std::memory_order_relaxed);

    slewBite.store (stage.sampleCount > 0 ? (float) stage.biteCount / (float) stage.sampleCount : 0.0f,
                    std::memory_order_relaxed);
    blockCounter.fetch_add (1);
}

void TorvaneProcessor::publishBypassed()
{
    effort.store (0.0f, std::memory_order_relaxed);
    outputPeak.store (0.0f, std::memory_order_relaxed);
    stageHeat.store (0.0f, std::memory_order_relaxed);
    gridBlock.store (0.0f, std::memory_order_relaxed);
    slewBite.store (0.0f, std::memory_order_relaxed);
    blockCounter.fetch_add (1);
}

void TorvaneProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    const int c = prepareBlockInputs (buffer);
    if (c == 0)
        return;
    const int n = buffer.getNumSamples();

    if (resetPending)
    {
        resetPending = false;
        resetStages();
        resetFadeRemaining = pageCrossfadeLength;
    }
    checkTransport (n);
    takePageChange();
    analyseIdleStages (c, n);
    applyInputFade (buffer, c, n);
    const float drive = runCurrentStage (buffer, c, n);
    applyPageCrossfade (buffer, c, n, drive);
    applyBlend (buffer, c, n);
    applyResetFade (buffer, c, n);
    publishProcessed (buffer, c, n, drive);
}

void TorvaneProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    const int c = prepareBlockInputs (buffer);
    if (c > 0)
        outputDelayedDry (buffer, c);
}

juce::AudioProcessorEditor* TorvaneProcessor::createEditor()
{
    return new TorvaneEditor (*this);
}

void TorvaneProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    if (auto xml = apvts.copyState().createXml())
        copyXmlToBinary (*xml, destData);
}

void TorvaneProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    auto xml = getXmlFromBinary (data, sizeInBytes);
    const auto type = apvts.state.getType().toString();
    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (type))
        return;

    // A root spelt in another case is rebuilt under the store's own type, so that
    // later saves keep writing it as the store names it.
    auto restored = juce::ValueTree::fromXml (*xml);
    if (restored.getType().toString() != type)
    {
        juce::ValueTree renamed (apvts.state.getType());
        renamed.copyPropertiesAndChildrenFrom (restored, nullptr);
        restored = renamed;
    }
    apvts.replaceState (restored);
}

bool TorvaneProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();
    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;
    return layouts.getMainInputChannelSet() == out;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TorvaneProcessor();
}
