#include "FactoryReport.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <dlfcn.h>

namespace
{
using GetFactoryFunction = Steinberg::IPluginFactory* (*)();

juce::File findModuleBinary (const juce::File& bundle)
{
    for (const auto& entry : juce::RangedDirectoryIterator (bundle.getChildFile ("Contents"), true, "*.so"))
        return entry.getFile();
    return {};
}

juce::String text (const char* chars, size_t size)
{
    return juce::String::fromUTF8 (chars, (int) strnlen (chars, size));
}

template <size_t size>
juce::String text (const Steinberg::char8 (&chars)[size])
{
    return text (chars, size);
}

void reportClasses (Steinberg::IPluginFactory& factory, juce::StringArray& lines)
{
    Steinberg::IPluginFactory2* factory2 = nullptr;
    factory.queryInterface (Steinberg::IPluginFactory2::iid, (void**) &factory2);

    for (Steinberg::int32 i = 0; i < factory.countClasses(); ++i)
    {
        const juce::String key = "class" + juce::String (i) + ".";
        Steinberg::PClassInfo info {};
        if (factory.getClassInfo (i, &info) != Steinberg::kResultOk)
            continue;
        lines.add (key + "name: " + text (info.name));
        lines.add (key + "category: " + text (info.category));
        lines.add (key + "cid: " + formatClassId (info.cid));
        lines.add (key + "cardinality: " + juce::String (info.cardinality));

        Steinberg::PClassInfo2 info2 {};
        if (factory2 == nullptr || factory2->getClassInfo2 (i, &info2) != Steinberg::kResultOk)
            continue;
        lines.add (key + "vendor: " + text (info2.vendor));
        lines.add (key + "version: " + text (info2.version));
        lines.add (key + "sdkVersion: " + text (info2.sdkVersion));
        lines.add (key + "subCategories: " + text (info2.subCategories));
        lines.add (key + "classFlags: " + juce::String ((juce::int64) info2.classFlags));
    }
    if (factory2 != nullptr)
        factory2->release();
}
} // namespace

juce::String formatClassId (const char* tuid)
{
    juce::StringArray words;
    for (int w = 0; w < 4; ++w)
    {
        juce::uint32 value = 0;
        for (int b = 0; b < 4; ++b)
            value = (value << 8) | (juce::uint8) tuid[w * 4 + b];
        words.add ("0x" + juce::String::toHexString ((juce::int64) value).paddedLeft ('0', 8).toUpperCase());
    }
    return "{" + words.joinIntoString (", ") + "}";
}

juce::StringArray reportFactory (const juce::File& bundle)
{
    juce::StringArray lines;
    const auto binary = findModuleBinary (bundle);
    void* handle = dlopen (binary.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return lines;

    if (auto getFactory = (GetFactoryFunction) dlsym (handle, "GetPluginFactory"))
    {
        if (auto* factory = getFactory())
        {
            Steinberg::PFactoryInfo info {};
            if (factory->getFactoryInfo (&info) == Steinberg::kResultOk)
            {
                lines.add ("factory.vendor: " + text (info.vendor));
                lines.add ("factory.url: " + text (info.url));
                lines.add ("factory.email: " + text (info.email));
                lines.add ("factory.flags: " + juce::String ((juce::int64) info.flags));
            }
            reportClasses (*factory, lines);
            factory->release();
        }
    }
    dlclose (handle);
    return lines;
}
