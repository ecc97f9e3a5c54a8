#pragma once

#include <zem/zem.h>

#include "IdleProcessor.h"
#include "TestBundle.h"
#include "TestImages.h"
#include "EditorSnapshot.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace juce
{
// The framework's own step of the Linux message loop; declared here so that tests can
// deliver posted messages (button clicks, async attachment updates) without a real loop.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace controls_test
{
inline void pumpMessages()
{
    for (int i = 0; i < 1000 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
}

// A processor with one continuous and one choice parameter and an undo manager.
class FixtureProcessor : public IdleProcessor
{
public:
    FixtureProcessor() : store (*this, &undo, "STATE", layout()) {}

    static juce::AudioProcessorValueTreeState::ParameterLayout layout()
    {
        juce::AudioProcessorValueTreeState::ParameterLayout l;
        l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { "level", 1 }, "Level",
                                                            juce::NormalisableRange<float> (0.0f, 100.0f, 0.1f), 25.0f));
        l.add (std::make_unique<juce::AudioParameterChoice> (juce::ParameterID { "mode", 1 }, "Mode",
                                                             juce::StringArray { "A", "B", "C" }, 1));
        return l;
    }

    juce::RangedAudioParameter& parameter (const juce::String& id) { return *store.getParameter (id); }

    // Sets a parameter the way a host does: normalised, with listeners told at once.
    void hostSets (const juce::String& id, float value)
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.convertTo0to1 (value));
    }

    // A parameter's value as a host reads it back, in the parameter's own units.
    float plainValue (const juce::String& id)
    {
        auto& p = parameter (id);
        return p.convertFrom0to1 (p.getValue());
    }

    juce::UndoManager undo;
    juce::AudioProcessorValueTreeState store;
};

// A horizontal filmstrip with one solid colour per frame.
inline juce::Image strip (const std::vector<juce::Colour>& colours, int cellWidth = 10, int height = 10)
{
    return stripImage (cellWidth, height, colours);
}

// A resource bundle built in memory: pictures (scale 1) and JSON files, read through the
// toolkit's own store and kit as a product's embedded art would be.
class ArtFixture
{
public:
    ArtFixture& picture (const juce::String& name, const juce::Image& image)
    {
        bundle.add ((name + "1x_png").toStdString(), pngOf (image));
        return *this;
    }

    ArtFixture& json (const juce::String& baseName, const juce::String& text)
    {
        bundle.addText ((baseName + "_json").toStdString(), text.toStdString());
        return *this;
    }

    // Builds the store and the kit; the bytes stay owned by the fixture.
    zem::ArtKit& build()
    {
        store = std::make_unique<zem::ArtStore> (bundle.source());
        kit = std::make_unique<zem::ArtKit> (store.get());
        return *kit;
    }

    std::unique_ptr<zem::ArtStore> store;
    std::unique_ptr<zem::ArtKit> kit;

private:
    TestBundle bundle;
};

// A mouse event on a component at a point (its centre by default), pressed at another.
inline juce::MouseEvent mouseEventOn (juce::Component& c, juce::ModifierKeys mods = juce::ModifierKeys::leftButtonModifier,
                                      juce::Point<float> offset = {}, bool dragged = false)
{
    const auto centre = c.getLocalBounds().getCentre().toFloat();
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), centre + offset, mods, 1.0f, 0.0f, 0.0f,
                             0.0f, 0.0f, &c, &c, now, centre, now, 1, dragged);
}

// Whether a component takes clicks on itself and on its children.
inline std::pair<bool, bool> clickFlags (const juce::Component& c)
{
    bool self = false, children = false;
    c.getInterceptsMouseClicks (self, children);
    return { self, children };
}

// Counts a component's repaint requests: the framework tells a component's cached image
// of every area to repaint, so a counting stand-in sees each request without a window.
struct RepaintCounter : juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override { ++count; return false; }
    bool invalidate (const juce::Rectangle<int>&) override { ++count; return false; }
    void releaseResources() override {}
    int count = 0;
};

// Installs a counter on a visible component, which owns it from then on.
inline RepaintCounter& countRepaints (juce::Component& c)
{
    c.setVisible (true);
    auto* counter = new RepaintCounter();
    c.setCachedComponentImage (counter);
    counter->count = 0;   // installing it repaints once
    return *counter;
}

// Paints a component (and its children) at its size into a fresh image, through the
// same path as the snapshot tool, at a display scale: as a window on a display of that
// density would.
inline juce::Image renderAt (juce::Component& c, float scale)
{
    return renderEditorSnapshot (c, c.getWidth(), c.getHeight(), scale);
}

// The same at scale 1.
inline juce::Image render (juce::Component& c)
{
    return renderAt (c, 1.0f);
}

// With TORVANE_SNAPSHOT_DIR set, writes the picture there for a person to look at.
inline void keep (const juce::Image& image, const juce::String& name)
{
    const auto dir = juce::SystemStats::getEnvironmentVariable ("TORVANE_SNAPSHOT_DIR", {});
    if (dir.isNotEmpty())
        writeSnapshotPng (image, juce::File (dir).getChildFile (name));
}
}
