#include "HostCommands.h"

#include "FactoryReport.h"
#include "PluginSession.h"

#include <cmath>

namespace
{
constexpr double testRate = 48000.0;
constexpr int testBlock = 512;

void print (const juce::String& line)
{
    std::cout << line << std::endl;
}

juce::String describeParameter (juce::AudioProcessorParameter& parameter, const juce::String& id, bool isBypass)
{
    return "name=" + parameter.getName (64) + " id=" + id + " label=" + parameter.getLabel()
           + " min=" + parameter.getText (0.0f, 64) + " max=" + parameter.getText (1.0f, 64)
           + " steps=" + juce::String (parameter.getNumSteps())
           + " default=" + parameter.getText (parameter.getDefaultValue(), 64)
           + " defaultNormalised=" + juce::String (parameter.getDefaultValue(), 6)
           + (isBypass ? " bypass=yes" : "");
}

void reportParameters (PluginSession& session)
{
    auto& plugin = session.plugin();
    const auto& parameters = plugin.getParameters();
    print ("parameters: " + juce::String (parameters.size()));
    for (int i = 0; i < parameters.size(); ++i)
    {
        auto* parameter = parameters[i];
        const bool isBypass = parameter == plugin.getBypassParameter();
        print ("param" + juce::String (i) + ": "
               + describeParameter (*parameter, PluginSession::parameterId (*parameter), isBypass));
    }
}

void reportLayouts (PluginSession& session)
{
    using Set = juce::AudioChannelSet;
    const std::pair<const char*, std::pair<Set, Set>> cases[] = {
        { "mono->mono", { Set::mono(), Set::mono() } },
        { "stereo->stereo", { Set::stereo(), Set::stereo() } },
        { "mono->stereo", { Set::mono(), Set::stereo() } },
        { "stereo->mono", { Set::stereo(), Set::mono() } },
        { "quad->quad", { Set::quadraphonic(), Set::quadraphonic() } },
    };
    for (const auto& [name, sets] : cases)
        print (juce::String ("layout ") + name + ": "
               + (session.accepts (sets.first, sets.second) ? "accepted" : "refused"));
}

void fillSine (juce::AudioBuffer<float>& buffer, int64_t& phase, float amplitude, double frequency)
{
    for (int i = 0; i < buffer.getNumSamples(); ++i, ++phase)
    {
        const float value = amplitude * (float) std::sin (juce::MathConstants<double>::twoPi * frequency
                                                          * (double) phase / testRate);
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            buffer.setSample (ch, i, value);
    }
}

double rmsDb (double sumSquares, int64_t count)
{
    const double rms = std::sqrt (sumSquares / (double) juce::jmax ((int64_t) 1, count));
    return rms > 0.0 ? 20.0 * std::log10 (rms) : -200.0;
}

// A -12 dBFS 1 kHz sine at drive 50 %, blend 100 %: one second to settle, then the
// output level over the next second.
void reportLevels (PluginSession& session)
{
    const char* pages[] = { "Rare", "Medium", "Well" };
    session.setParameter ("95852938", 0.5f);
    session.setParameter ("93823057", 1.0f);
    const float amplitude = juce::Decibels::decibelsToGain (-12.0f);
    for (int page = 0; page < 3; ++page)
    {
        session.setParameter ("3433103", (float) page / 2.0f);
        session.prepare (2, testRate, testBlock);
        juce::AudioBuffer<float> buffer (2, testBlock);
        int64_t phase = 0;
        double sum = 0.0;
        int64_t count = 0;
        const int blocks = (int) (2.0 * testRate) / testBlock;
        for (int b = 0; b < blocks; ++b)
        {
            fillSine (buffer, phase, amplitude, 1000.0);
            session.process (buffer);
            if (b < blocks / 2)
                continue;
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < testBlock; ++i)
                    sum += (double) buffer.getSample (ch, i) * buffer.getSample (ch, i);
            count += 2 * testBlock;
        }
        print (juce::String ("level ") + pages[page] + ": in " + juce::String (rmsDb (0.5 * amplitude * amplitude, 1), 2)
               + " dBFS, out " + juce::String (rmsDb (sum, count), 2) + " dBFS");
    }
}

void fillNoise (juce::AudioBuffer<float>& buffer, juce::Random& random)
{
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (ch, i, random.nextFloat() * 2.0f - 1.0f);
}

// The smallest delay d for which every output sample from d on equals the input d
// samples earlier, or -1.
int measureDelay (const juce::AudioBuffer<float>& input, const juce::AudioBuffer<float>& output, int from)
{
    for (int d = 0; d < 256; ++d)
    {
        bool equal = true;
        for (int ch = 0; ch < input.getNumChannels() && equal; ++ch)
            for (int i = juce::jmax (from, d); i < input.getNumSamples() && equal; ++i)
                equal = output.getSample (ch, i) == input.getSample (ch, i - d);
        if (equal)
            return d;
    }
    return -1;
}
} // namespace

namespace HostCommands
{
int check (const juce::File& bundle)
{
    auto session = PluginSession::loadOrReport (bundle);
    if (session == nullptr)
        return 1;
    auto& plugin = session->plugin();
    print ("bundle: " + bundle.getFullPathName());
    for (const auto& line : reportFactory (bundle))
        print (line);
    print ("plugin.name: " + plugin.getName());
    print ("plugin.description: " + plugin.getPluginDescription().createIdentifierString());
    reportLayouts (*session);
    session->prepare (2, testRate, testBlock);
    print ("latency: " + juce::String (plugin.getLatencySamples()));
    print ("tail: " + juce::String (plugin.getTailLengthSeconds()));
    // The wrapper publishes a program list to the host only for more than one program.
    print ("programs: " + juce::String (plugin.getNumPrograms()));
    reportParameters (*session);
    reportLevels (*session);
    plugin.releaseResources();
    return 0;
}

int bypass (const juce::File& bundle, int channels)
{
    auto session = PluginSession::loadOrReport (bundle);
    if (session == nullptr || ! session->prepare (channels, testRate, testBlock))
        return 1;
    session->setParameter ("95852938", 0.8f);
    session->setBypass (true);
    PluginSession::pumpMessages (50);

    const int blocks = 8;
    juce::AudioBuffer<float> input (channels, blocks * testBlock), output (channels, blocks * testBlock);
    juce::Random random (7);
    fillNoise (input, random);
    juce::AudioBuffer<float> block (channels, testBlock);
    for (int b = 0; b < blocks; ++b)
    {
        for (int ch = 0; ch < channels; ++ch)
            block.copyFrom (ch, 0, input, ch, b * testBlock, testBlock);
        session->process (block);
        for (int ch = 0; ch < channels; ++ch)
            output.copyFrom (ch, b * testBlock, block, ch, 0, testBlock);
    }
    // The first block may still be processed while the bypass change arrives.
    print ("latency: " + juce::String (session->plugin().getLatencySamples()));
    print ("bypass-delay: " + juce::String (measureDelay (input, output, testBlock)));
    session->plugin().releaseResources();
    return 0;
}

int state (const juce::File& bundle)
{
    const std::pair<const char*, float> settings[] = { { "95852938", 0.375f }, { "93823057", 0.623f }, { "3433103", 1.0f } };
    auto first = PluginSession::loadOrReport (bundle);
    auto second = PluginSession::loadOrReport (bundle);
    if (first == nullptr || second == nullptr)
        return 1;
    for (const auto& [id, value] : settings)
        first->setParameter (id, value);
    PluginSession::pumpMessages (50);

    juce::MemoryBlock saved;
    first->plugin().getStateInformation (saved);
    print ("state-bytes: " + juce::String ((int) saved.getSize()));
    second->plugin().setStateInformation (saved.getData(), (int) saved.getSize());
    PluginSession::pumpMessages (50);

    for (const auto& [id, value] : settings)
    {
        auto* a = first->findParameter (id);
        auto* b = second->findParameter (id);
        if (a == nullptr || b == nullptr)
            return 1;
        print (juce::String ("state ") + id + ": set=" + juce::String (value, 6) + " first=" + juce::String (a->getValue(), 6)
               + " second=" + juce::String (b->getValue(), 6) + " default=" + juce::String (b->getDefaultValue(), 6));
    }
    return 0;
}

int process (const juce::File& bundle, double sampleRate, int blockSize, int channels)
{
    auto session = PluginSession::loadOrReport (bundle);
    if (session == nullptr || ! session->prepare (channels, sampleRate, blockSize))
        return 1;
    session->setParameter ("95852938", 0.7f);
    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::Random random (11);
    bool finite = true;
    const int blocks = juce::jmax (4, (int) sampleRate / blockSize);
    for (int b = 0; b < blocks; ++b)
    {
        fillNoise (buffer, random);
        session->process (buffer);
        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < blockSize; ++i)
                finite = finite && std::isfinite (buffer.getSample (ch, i));
    }
    print ("latency: " + juce::String (session->plugin().getLatencySamples()));
    print (juce::String ("finite: ") + (finite ? "yes" : "no"));
    session->plugin().releaseResources();
    return 0;
}
} // namespace HostCommands
