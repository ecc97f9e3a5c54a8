#include "ControlRoundTrip.h"

#include "EditorWindow.h"
#include "PluginSession.h"
#include "ScreenInput.h"

#include <X11/keysym.h>

#include <functional>
#include <iostream>

namespace
{
constexpr int designSide = 560;
constexpr int waitLimitMs = 8000;

// Pumps the message loop in short slices until the condition holds or time runs out.
bool waitFor (const std::function<bool()>& condition, int timeoutMs = waitLimitMs)
{
    const auto end = juce::Time::getMillisecondCounterHiRes() + timeoutMs;
    while (! condition())
    {
        if (juce::Time::getMillisecondCounterHiRes() > end)
            return false;
        PluginSession::pumpMessages (20);
    }
    return true;
}

// The share of pixels that differ by more than a small tolerance in some channel.
float changedShare (const juce::Image& a, const juce::Image& b)
{
    if (! a.isValid() || ! b.isValid() || a.getBounds() != b.getBounds())
        return 1.0f;
    int changed = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
            const int d = juce::jmax (std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                                      std::abs (p.getBlue() - q.getBlue()));
            changed += d > 8 ? 1 : 0;
        }
    return (float) changed / (float) (a.getWidth() * a.getHeight());
}

// Whether the picture holds more than one colour: the view has been drawn there.
bool isDrawn (const juce::Image& image)
{
    if (! image.isValid())
        return false;
    const auto first = image.getPixelAt (0, 0);
    for (int y = 0; y < image.getHeight(); y += 3)
        for (int x = 0; x < image.getWidth(); x += 3)
            if (image.getPixelAt (x, y) != first)
                return true;
    return false;
}

// The screen's pixels in the area once two grabs 100 ms apart agree.
juce::Image settled (const ScreenInput& screen, juce::Rectangle<int> area)
{
    auto last = screen.grab (area);
    waitFor ([&]
             {
                 PluginSession::pumpMessages (100);
                 auto next = screen.grab (area);
                 const bool same = changedShare (last, next) == 0.0f;
                 last = next;
                 return same;
             });
    return last;
}

// The layout file's rectangle "layout.<name>" in design pixels, or an empty one.
juce::Rectangle<float> designRect (const juce::File& layoutFile, const juce::String& name)
{
    const auto layout = juce::JSON::parse (layoutFile)["layout"][juce::Identifier (name)];
    if (! layout.isArray() || layout.size() < 4)
        return {};
    return { (float) layout[0], (float) layout[1], (float) layout[2], (float) layout[3] };
}

// A design rectangle in physical screen pixels: the design square is fitted, centred,
// into the editor's area.
juce::Rectangle<int> onScreen (juce::Rectangle<float> design, juce::Rectangle<int> editorArea, float displayScale)
{
    const float s = (float) juce::jmin (editorArea.getWidth(), editorArea.getHeight()) / (float) designSide;
    const auto fitted = juce::roundToInt (s * (float) designSide);
    const auto origin = editorArea.getPosition().toFloat()
                        + juce::Point<float> ((float) (editorArea.getWidth() - fitted) / 2.0f,
                                              (float) (editorArea.getHeight() - fitted) / 2.0f);
    const juce::Rectangle<float> logical (origin.x + design.getX() * s, origin.y + design.getY() * s,
                                          design.getWidth() * s, design.getHeight() * s);
    return (logical * displayScale).toNearestInt();
}

juce::AudioProcessorParameter* parameterNamed (juce::AudioPluginInstance& plugin, const juce::String& name)
{
    for (auto* parameter : plugin.getParameters())
        if (parameter->getName (64) == name)
            return parameter;
    return nullptr;
}

const char* yesNo (bool b)
{
    return b ? "yes" : "no";
}

// Presses on the knob's centre and drags the pointer upwards, as a user turns it up.
void dragUp (ScreenInput& screen, juce::Point<int> centre, int pixels)
{
    screen.moveTo (centre);
    PluginSession::pumpMessages (50);
    screen.pressButton (true);
    PluginSession::pumpMessages (50);
    for (int step = 1; step <= 10; ++step)
    {
        screen.moveTo (centre.translated (0, -pixels * step / 10));
        PluginSession::pumpMessages (30);
    }
    screen.pressButton (false);
    PluginSession::pumpMessages (50);
}

struct Checks
{
    bool drawn = false, dragged = false, keyed = false, hostMoved = false, hostReturned = false;
    bool all() const { return drawn && dragged && keyed && hostMoved && hostReturned; }
};

// The knob turned by the pointer and the keyboard reaches the host's parameter.
void turnByHand (ScreenInput& screen, juce::AudioProcessorParameter& drive, juce::Rectangle<int> knob, Checks& checks)
{
    const float before = drive.getValue();
    dragUp (screen, knob.getCentre(), juce::jmax (40, knob.getHeight()));
    checks.dragged = waitFor ([&] { return drive.getValue() > before + 0.05f; });
    std::cout << "drag.before: " << before << "\ndrag.after: " << drive.getValue() << std::endl;

    // The click gave the knob the keyboard focus: the up arrow turns it further.
    const float dragged = drive.getValue();
    screen.tapKey (XK_Up);
    checks.keyed = waitFor ([&] { return drive.getValue() > dragged; });
    std::cout << "key.after: " << drive.getValue() << std::endl;
}

// The host's parameter moves the knob on the screen, and back.
void turnByHost (ScreenInput& screen, juce::AudioProcessorParameter& drive, juce::Rectangle<int> knob, Checks& checks)
{
    drive.setValueNotifyingHost (0.0f);
    const auto atZero = settled (screen, knob);
    drive.setValueNotifyingHost (1.0f);
    float share = 0.0f;
    checks.hostMoved = waitFor ([&] { return (share = changedShare (atZero, screen.grab (knob))) > 0.02f; });
    std::cout << "host.changedShare: " << share << std::endl;

    drive.setValueNotifyingHost (0.0f);
    checks.hostReturned = waitFor ([&] { return (share = changedShare (atZero, screen.grab (knob))) < 0.002f; });
    std::cout << "host.returnedShare: " << share << std::endl;
}
} // namespace

int runControlRoundTrip (const juce::File& bundle, const juce::File& layoutFile)
{
    ScreenInput screen;
    const auto knobDesign = designRect (layoutFile, "knob");
    if (! screen.isReady() || knobDesign.isEmpty())
    {
        std::cerr << "needs an X display with XTest and the layout file's knob rectangle" << std::endl;
        return 1;
    }
    juce::String error;
    auto session = PluginSession::load (bundle, error);
    auto* drive = session != nullptr ? parameterNamed (session->plugin(), "Drive") : nullptr;
    if (drive == nullptr)
    {
        std::cerr << "cannot load " << bundle.getFullPathName() << " with a Drive parameter: " << error << std::endl;
        return 1;
    }
    drive->setValueNotifyingHost (0.0f);

    Checks checks;
    {
        auto* editor = session->plugin().createEditorIfNeeded();
        if (editor == nullptr)
            return 1;
        EditorWindow window (editor);
        const float displayScale = (float) juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->scale;
        const auto knob = onScreen (knobDesign, editor->getScreenBounds(), displayScale);
        std::cout << "editor.area: " << editor->getScreenBounds().toString() << "\nknob.area: " << knob.toString()
                  << std::endl;

        checks.drawn = waitFor ([&] { return isDrawn (screen.grab (knob)); });
        if (checks.drawn)
        {
            turnByHand (screen, *drive, knob, checks);
            // The pointer leaves the window so that nothing but the parameter moves the knob.
            screen.moveTo ({ 0, 0 });
            turnByHost (screen, *drive, knob, checks);
        }
    }
    PluginSession::pumpMessages (50);
    std::cout << "view.drawn: " << yesNo (checks.drawn) << "\ndrag.reachesHost: " << yesNo (checks.dragged)
              << "\nkey.reachesHost: " << yesNo (checks.keyed) << "\nhost.movesKnob: " << yesNo (checks.hostMoved)
              << "\nhost.knobReturns: " << yesNo (checks.hostReturned) << std::endl;
    return checks.all() ? 0 : 1;
}
