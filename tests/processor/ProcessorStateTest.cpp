// Saved state: the bytes written, the round trip, and what a restore ignores.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
// JUCE's binary XML wrapper, built here byte by byte: magic, length, text, zero.
juce::MemoryBlock wrapXml (const juce::String& text, juce::uint32 magic = 0x21324356)
{
    juce::MemoryBlock block;
    const auto utf8 = text.toStdString();
    juce::MemoryOutputStream stream (block, false);
    stream.writeInt ((int) magic);
    stream.writeInt ((int) utf8.size());
    stream.write (utf8.data(), utf8.size());
    stream.writeByte (0);
    stream.flush();
    return block;
}

juce::String stateXml (const char* root, float drive, float blend, int page)
{
    return juce::String ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + root + ">"
           + "<PARAM id=\"drive\" value=\"" + juce::String (drive) + "\"/>"
           + "<PARAM id=\"blend\" value=\"" + juce::String (blend) + "\"/>"
           + "<PARAM id=\"page\" value=\"" + juce::String (page) + "\"/>" + "</" + root + ">";
}

struct Values
{
    float drive, blend, page;
};

Values valuesOf (const TorvaneProcessor& p)
{
    auto raw = [&p] (const char* id) { return p.apvts.getRawParameterValue (id)->load(); };
    return { raw ("drive"), raw ("blend"), raw ("page") };
}

void restore (TorvaneProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation (block.getData(), (int) block.getSize());
}

TEST (ProcessorState, SavesTheStoreAsXmlInsideTheBinaryWrapper)
{
    ProcessorHarness harness;
    harness.set ("drive", 42.5f);
    juce::MemoryBlock saved;
    harness.processor.getStateInformation (saved);
    ASSERT_GT (saved.getSize(), 9u);

    juce::MemoryInputStream stream (saved, false);
    EXPECT_EQ ((juce::uint32) stream.readInt(), 0x21324356u);
    EXPECT_EQ ((size_t) stream.readInt(), saved.getSize() - 9);
    EXPECT_EQ (static_cast<const char*> (saved.getData())[saved.getSize() - 1], 0);
    const juce::String text (static_cast<const char*> (saved.getData()) + 8, saved.getSize() - 9);
    auto xml = juce::parseXML (text);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "STATE");
    EXPECT_EQ (xml->getNumChildElements(), 3);
    for (auto* param : xml->getChildIterator())
    {
        EXPECT_EQ (param->getTagName(), "PARAM");
        if (param->getStringAttribute ("id") == "drive")
            EXPECT_FLOAT_EQ ((float) param->getDoubleAttribute ("value"), 42.5f);
    }
}

TEST (ProcessorState, RoundTripRestoresEveryParameter)
{
    ProcessorHarness source, target;
    source.set ("drive", 33.3f);
    source.set ("blend", 12.7f);
    source.set ("page", 2.0f);
    juce::MemoryBlock saved;
    source.processor.getStateInformation (saved);
    restore (target.processor, saved);
    const auto v = valuesOf (target.processor);
    EXPECT_NEAR (v.drive, 33.3f, 1.0e-4f);
    EXPECT_NEAR (v.blend, 12.7f, 1.0e-4f);
    EXPECT_EQ (v.page, 2.0f);
}

TEST (ProcessorState, LowerCaseRootIsAcceptedAndSavedAgainInUpperCase)
{
    ProcessorHarness harness;
    restore (harness.processor, wrapXml (stateXml ("state", 25.0f, 40.0f, 1)));
    const auto v = valuesOf (harness.processor);
    EXPECT_EQ (v.drive, 25.0f);
    EXPECT_EQ (v.blend, 40.0f);
    EXPECT_EQ (v.page, 1.0f);

    juce::MemoryBlock saved;
    harness.processor.getStateInformation (saved);
    const juce::String text (static_cast<const char*> (saved.getData()) + 8, saved.getSize() - 9);
    EXPECT_TRUE (text.contains ("<STATE")) << text;
    EXPECT_FALSE (text.contains ("<state")) << text;
}

struct IgnoredCase
{
    const char* name;
    juce::MemoryBlock data;
};

TEST (ProcessorState, OtherRootsAndForeignBytesLeaveTheParameters)
{
    const juce::String plain = stateXml ("STATE", 90.0f, 10.0f, 2);
    const IgnoredCase cases[] = {
        { "other root", wrapXml (stateXml ("PARAMS", 90.0f, 10.0f, 2)) },
        { "longer root", wrapXml (stateXml ("STATES", 90.0f, 10.0f, 2)) },
        { "no magic", wrapXml (plain, 0x12345678) },
        { "plain text without wrapper", juce::MemoryBlock (plain.toRawUTF8(), plain.getNumBytesAsUTF8()) },
        { "empty", juce::MemoryBlock() },
        { "truncated", juce::MemoryBlock (wrapXml (plain).getData(), 6) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        ProcessorHarness harness;
        harness.set ("drive", 5.0f);
        restore (harness.processor, c.data);
        const auto v = valuesOf (harness.processor);
        EXPECT_EQ (v.drive, 5.0f);
        EXPECT_EQ (v.blend, 100.0f);
        EXPECT_EQ (v.page, 0.0f);
    }
}
} // namespace
