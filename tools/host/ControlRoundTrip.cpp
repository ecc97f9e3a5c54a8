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

// Whether two colours differ by at most the tolerance in every channel.
bool isNear (juce::Colour p, juce::Colour q, int tolerance)
{
    return std::abs (p.getRed() - q.getRed()) <= tolerance && std::abs (p.getGreen() - q.getGreen()) <= tolerance
           && std::abs (p.getBlue() - q.getBlue()) <= tolerance;
}

// The share of pixels that differ by more than a small tolerance in some channel.
float changedShare (const juce::Image& a, const juce::Image& b)
{
    if (! a.isValid() || ! b.isValid() || a.getBounds() != b.getBounds())
        return 1.0f;
    int changed = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            changed += isNear (a.getPixelAt (x, y), b.getPixelAt (x, y), 8) ? 0 : 1;
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

void pressAt (ScreenInput& screen, juce::Point<int> position)
{
    screen.moveTo (position);
    PluginSession::pumpMessages (50);
    screen.pressButton (true);
    PluginSession::pumpMessages (50);
}

// Moves the held pointer upwards from a point in ten steps, as a user's drag does.
void moveUp (ScreenInput& screen, juce::Point<int> from, int pixels)
{
    for (int step = 1; step <= 10; ++step)
    {
        screen.moveTo (from.translated (0, -pixels * step / 10));
        PluginSession::pumpMessages (30);
    }
}

void release (ScreenInput& screen)
{
    screen.pressButton (false);
    PluginSession::pumpMessages (50);
}

// Presses on the knob's centre and drags the pointer upwards, as a user turns it up.
void dragUp (ScreenInput& screen, juce::Point<int> centre, int pixels)
{
    pressAt (screen, centre);
    moveUp (screen, centre, pixels);
    release (screen);
}

// What the host hears of one parameter through JUCE's VST3 hosting, which turns the
// plug-in's beginEdit, performEdit and endEdit into "begin", "value" and "end". A run of
// values counts once: the order of gestures is what matters, not the number of steps.
class GestureLog : public juce::AudioProcessorParameter::Listener
{
public:
    explicit GestureLog (juce::AudioProcessorParameter& p) : parameter (p) { parameter.addListener (this); }
    ~GestureLog() override { parameter.removeListener (this); }

    void parameterValueChanged (int, float) override { add ("value"); }
    void parameterGestureChanged (int, bool starting) override { add (starting ? "begin" : "end"); }

    juce::StringArray events() const
    {
        const juce::ScopedLock lock (mutex);
        return list;
    }

private:
    // Listeners may be called on any thread.
    void add (const juce::String& event)
    {
        const juce::ScopedLock lock (mutex);
        if (event != "value" || list.isEmpty() || list[list.size() - 1] != event)
            list.add (event);
    }

    juce::AudioProcessorParameter& parameter;
    juce::CriticalSection mutex;
    juce::StringArray list;
};

// One begin first, one end last and nothing but values between them.
bool isOneGesture (const juce::StringArray& events)
{
    if (events.size() < 2 || events[0] != "begin" || events[events.size() - 1] != "end")
        return false;
    for (int i = 1; i < events.size() - 1; ++i)
        if (events[i] != "value")
            return false;
    return true;
}

// The knob draws its focus ring within the 6-pixel margin round its square, accent
// between ink edges; this is the accent.
const juce::Colour focusAccent { 0xffff7a3d };
constexpr int knobMargin = 6;

// Over the band round the knob, between the edge of its bounds and its square (less the
// pixel next to the square, where the square's own edge is smoothed): the share of pixels
// that differ from the reference grab, and the share that differ and are now the ring's
// accent.
struct BandChange
{
    float changed = 1.0f, ring = 0.0f;
};

BandChange bandChange (const juce::Image& reference, const juce::Image& grab, float displayScale)
{
    if (! reference.isValid() || ! grab.isValid() || reference.getBounds() != grab.getBounds())
        return {};
    const auto inner = grab.getBounds().reduced (juce::roundToInt ((float) (knobMargin - 1) * displayScale));
    int band = 0, changed = 0, ring = 0;
    for (int y = 0; y < grab.getHeight(); ++y)
        for (int x = 0; x < grab.getWidth(); ++x)
        {
            if (inner.contains (x, y))
                continue;
            const auto p = reference.getPixelAt (x, y), q = grab.getPixelAt (x, y);
            const bool differs = ! isNear (p, q, 8);
            ++band;
            changed += differs ? 1 : 0;
            ring += differs && isNear (q, focusAccent, 48) ? 1 : 0;
        }
    return { (float) changed / (float) juce::jmax (1, band), (float) ring / (float) juce::jmax (1, band) };
}

// The editor's window as the screen shows it, saved as a PNG in the folder when one is
// given.
void savePicture (const ScreenInput& screen, juce::Rectangle<int> area, const juce::File& folder, const char* name)
{
    if (folder == juce::File())
        return;
    const auto file = folder.getChildFile (name);
    file.deleteFile();
    juce::FileOutputStream out (file);
    const bool saved = out.openedOk() && juce::PNGImageFormat().writeImageToStream (screen.grab (area), out);
    std::cout << "picture." << file.getFileNameWithoutExtension() << ": "
              << (saved ? file.getFullPathName() : juce::String ("not saved")) << std::endl;
}

struct Checks
{
    bool drawn = false, dragged = false, keyed = false, hostMoved = false, hostReturned = false;
    bool ringHiddenAfterClick = false, ringShownAfterKey = false;
    bool dragOneGesture = false, keyInDragMovesNothing = false, dragTurnsAfterKey = false, keyAfterDragOneGesture = false;
    bool all() const
    {
        return drawn && dragged && keyed && hostMoved && hostReturned && ringHiddenAfterClick && ringShownAfterKey
               && dragOneGesture && keyInDragMovesNothing && dragTurnsAfterKey && keyAfterDragOneGesture;
    }
};

// Where the knob and the editor lie on the screen, in physical pixels, and where the
// pictures of the focus ring go (nowhere when the folder is unset).
struct Scene
{
    juce::Rectangle<int> knob, window;
    float displayScale = 1.0f;
    juce::File pictures;
};

void printBandChange (const char* key, BandChange change)
{
    std::cout << key << ".changedShare: " << change.changed << "\n" << key << ".ringShare: " << change.ring
              << std::endl;
}

// A click on the knob gives it the keyboard focus but no ring; a key pressed on it then
// rings it. Down at the bottom of the range moves nothing, so nothing but the ring can
// change the band round the knob. The pointer rests on the knob for every grab, so that
// the knob looks hovered in all of them.
void ringByClickAndKey (ScreenInput& screen, const Scene& scene, Checks& checks)
{
    const auto centre = scene.knob.getCentre();
    screen.moveTo (centre);
    const auto before = settled (screen, scene.knob);
    pressAt (screen, centre);
    release (screen);
    const auto click = bandChange (before, settled (screen, scene.knob), scene.displayScale);
    checks.ringHiddenAfterClick = click.changed < 0.002f;
    printBandChange ("ring.click", click);
    savePicture (screen, scene.window, scene.pictures, "ring-click.png");

    screen.tapKey (XK_Down);
    BandChange key;
    checks.ringShownAfterKey = waitFor ([&]
                                        {
                                            key = bandChange (before, screen.grab (scene.knob), scene.displayScale);
                                            return key.ring > 0.02f;
                                        });
    key = bandChange (before, settled (screen, scene.knob), scene.displayScale);
    printBandChange ("ring.key", key);
    savePicture (screen, scene.window, scene.pictures, "ring-key.png");
}

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

// An arrow tapped while a drag holds the gesture open is taken but moves nothing, so the
// host hears one gesture for the whole drag, and the drag goes on turning the knob after it.
void keyInDrag (ScreenInput& screen, juce::AudioProcessorParameter& drive, juce::Rectangle<int> knob, Checks& checks)
{
    GestureLog log (drive);
    const auto centre = knob.getCentre();
    const int half = juce::jmax (20, knob.getHeight() / 2);
    pressAt (screen, centre);
    moveUp (screen, centre, half);
    const float atKey = drive.getValue();
    screen.tapKey (XK_Up);
    PluginSession::pumpMessages (200);
    const float afterKey = drive.getValue();
    moveUp (screen, centre.translated (0, -half), half);
    release (screen);
    checks.dragTurnsAfterKey = waitFor ([&] { return drive.getValue() > afterKey + 0.02f; });
    checks.keyInDragMovesNothing = juce::approximatelyEqual (afterKey, atKey);
    checks.dragOneGesture = isOneGesture (log.events());
    std::cout << "dragKey.atKey: " << atKey << "\ndragKey.afterKey: " << afterKey
              << "\ndragKey.after: " << drive.getValue()
              << "\ndragKey.gestures: " << log.events().joinIntoString (" ") << std::endl;
}

// Once the drag is over, an arrow is one gesture of its own.
void keyAfterDrag (ScreenInput& screen, juce::AudioProcessorParameter& drive, Checks& checks)
{
    GestureLog log (drive);
    const float before = drive.getValue();
    screen.tapKey (XK_Up);
    waitFor ([&] { return drive.getValue() > before && log.events().contains ("end"); });
    checks.keyAfterDragOneGesture = drive.getValue() > before && isOneGesture (log.events());
    std::cout << "keyAfterDrag.after: " << drive.getValue()
              << "\nkeyAfterDrag.gestures: " << log.events().joinIntoString (" ") << std::endl;
}

// Every turn of the knob, by hand and by the host, on the open editor.
void workKnob (ScreenInput& screen, juce::AudioProcessorParameter& drive, const Scene& scene, Checks& checks)
{
    checks.drawn = waitFor ([&] { return isDrawn (screen.grab (scene.knob)); });
    if (! checks.drawn)
        return;
    ringByClickAndKey (screen, scene, checks);
    turnByHand (screen, drive, scene.knob, checks);
    // The pointer leaves the window so that nothing but the parameter moves the knob.
    screen.moveTo ({ 0, 0 });
    turnByHost (screen, drive, scene.knob, checks);
    keyInDrag (screen, drive, scene.knob, checks);
    keyAfterDrag (screen, drive, checks);
}

void printChecks (const Checks& checks)
{
    std::cout << "view.drawn: " << yesNo (checks.drawn) << "\ndrag.reachesHost: " << yesNo (checks.dragged)
              << "\nkey.reachesHost: " << yesNo (checks.keyed) << "\nhost.movesKnob: " << yesNo (checks.hostMoved)
              << "\nhost.knobReturns: " << yesNo (checks.hostReturned)
              << "\nring.hiddenAfterClick: " << yesNo (checks.ringHiddenAfterClick)
              << "\nring.shownAfterKey: " << yesNo (checks.ringShownAfterKey)
              << "\ndragKey.oneGesture: " << yesNo (checks.dragOneGesture)
              << "\ndragKey.keyMovesNothing: " << yesNo (checks.keyInDragMovesNothing)
              << "\ndragKey.turnsAfterKey: " << yesNo (checks.dragTurnsAfterKey)
              << "\nkeyAfterDrag.oneGesture: " << yesNo (checks.keyAfterDragOneGesture) << std::endl;
}
} // namespace

int runControlRoundTrip (const juce::File& bundle, const juce::File& layoutFile, const juce::File& pictures)
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
        Scene scene;
        scene.displayScale = (float) juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->scale;
        scene.knob = onScreen (knobDesign, editor->getScreenBounds(), scene.displayScale);
        scene.window = (editor->getScreenBounds().toFloat() * scene.displayScale).toNearestInt();
        scene.pictures = pictures;
        std::cout << "editor.area: " << editor->getScreenBounds().toString() << "\nknob.area: " << scene.knob.toString()
                  << std::endl;
        workKnob (screen, *drive, scene, checks);
    }
    PluginSession::pumpMessages (50);
    printChecks (checks);
    return checks.all() ? 0 : 1;
}
