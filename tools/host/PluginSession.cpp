#include "PluginSession.h"

#include <iostream>
#include <memory>

#if TORVANE_SANITIZER_BUILD
 #include <dlfcn.h>
#endif

namespace
{
// A sanitizer build keeps the plug-in's module mapped until the process ends: the leak
// check runs at exit, after the framework has closed the module, and could not name
// the plug-in's frames otherwise. RTLD_NOLOAD only adds a reference to a module the
// framework has already loaded.
void keepModuleLoaded (const juce::File& bundle)
{
#if TORVANE_SANITIZER_BUILD
    for (const auto& library : bundle.findChildFiles (juce::File::findFiles, true, "*.so"))
        dlopen (library.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
#else
    juce::ignoreUnused (bundle);
#endif
}
} // namespace

PluginSession::PluginSession (std::unique_ptr<juce::AudioPluginInstance> pluginInstance)
    : instance (std::move (pluginInstance))
{
}

std::unique_ptr<PluginSession> PluginSession::load (const juce::File& bundle, juce::String& error)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, bundle.getFullPathName());
    if (found.isEmpty())
    {
        error = "no VST3 plug-in found in " + bundle.getFullPathName();
        return nullptr;
    }
    auto instance = format.createInstanceFromDescription (*found[0], 48000.0, 512, error);
    if (instance == nullptr)
        return nullptr;
    keepModuleLoaded (bundle);
    pumpMessages (50);
    return std::unique_ptr<PluginSession> (new PluginSession (std::move (instance)));
}

std::unique_ptr<PluginSession> PluginSession::loadOrReport (const juce::File& bundle)
{
    juce::String error;
    auto session = load (bundle, error);
    if (session == nullptr)
        std::cerr << "cannot load " << bundle.getFullPathName() << ": " << error << std::endl;
    return session;
}

void PluginSession::pumpMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

juce::AudioProcessor::BusesLayout PluginSession::layout (const juce::AudioChannelSet& in,
                                                         const juce::AudioChannelSet& out)
{
    juce::AudioProcessor::BusesLayout result;
    result.inputBuses.add (in);
    result.outputBuses.add (out);
    return result;
}

bool PluginSession::accepts (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out)
{
    return instance->checkBusesLayoutSupported (layout (in, out));
}

bool PluginSession::prepare (int channels, double sampleRate, int blockSize)
{
    const auto set = juce::AudioChannelSet::canonicalChannelSet (channels);
    instance->releaseResources();
    if (! instance->setBusesLayout (layout (set, set)))
        return false;
    instance->setRateAndBufferSizeDetails (sampleRate, blockSize);
    instance->prepareToPlay (sampleRate, blockSize);
    pumpMessages (100);
    return true;
}

void PluginSession::process (juce::AudioBuffer<float>& buffer)
{
    midi.clear();
    instance->processBlock (buffer, midi);
}

juce::String PluginSession::parameterId (juce::AudioProcessorParameter& parameter)
{
    if (auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (&parameter))
        return hosted->getParameterID();
    return {};
}

juce::AudioProcessorParameter* PluginSession::findParameter (const juce::String& vst3Id)
{
    for (auto* parameter : instance->getParameters())
        if (parameterId (*parameter) == vst3Id)
            return parameter;
    return nullptr;
}

void PluginSession::setParameter (const juce::String& vst3Id, float normalisedValue)
{
    if (auto* parameter = findParameter (vst3Id))
        parameter->setValueNotifyingHost (normalisedValue);
}

void PluginSession::setBypass (bool on)
{
    if (auto* bypass = instance->getBypassParameter())
        bypass->setValueNotifyingHost (on ? 1.0f : 0.0f);
}
