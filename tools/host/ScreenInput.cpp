#include "ScreenInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

struct ScreenInput::Connection
{
    Display* display = nullptr;
    bool hasTest = false;
};

ScreenInput::ScreenInput() : connection (std::make_unique<Connection>())
{
    connection->display = XOpenDisplay (nullptr);
    if (connection->display == nullptr)
        return;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    connection->hasTest = XTestQueryExtension (connection->display, &eventBase, &errorBase, &major, &minor) != 0;
}

ScreenInput::~ScreenInput()
{
    if (connection->display != nullptr)
        XCloseDisplay (connection->display);
}

bool ScreenInput::isReady() const
{
    return connection->display != nullptr && connection->hasTest;
}

void ScreenInput::moveTo (juce::Point<int> p)
{
    if (! isReady())
        return;
    XTestFakeMotionEvent (connection->display, -1, p.x, p.y, CurrentTime);
    XSync (connection->display, False);
}

void ScreenInput::pressButton (bool down)
{
    if (! isReady())
        return;
    XTestFakeButtonEvent (connection->display, 1, down ? True : False, CurrentTime);
    XSync (connection->display, False);
}

void ScreenInput::tapKey (unsigned long keySymbol)
{
    if (! isReady())
        return;
    const auto code = XKeysymToKeycode (connection->display, (KeySym) keySymbol);
    if (code == 0)
        return;
    XTestFakeKeyEvent (connection->display, code, True, CurrentTime);
    XTestFakeKeyEvent (connection->display, code, False, CurrentTime);
    XSync (connection->display, False);
}

juce::Image ScreenInput::grab (juce::Rectangle<int> area) const
{
    if (connection->display == nullptr || area.isEmpty())
        return {};
    auto* display = connection->display;
    XImage* shot = XGetImage (display, DefaultRootWindow (display), area.getX(), area.getY(),
                              (unsigned int) area.getWidth(), (unsigned int) area.getHeight(), AllPlanes, ZPixmap);
    if (shot == nullptr)
        return {};

    juce::Image image (juce::Image::RGB, area.getWidth(), area.getHeight(), false);
    // A true-colour screen: the masks say where each channel lies in a pixel.
    auto channel = [] (unsigned long pixel, unsigned long mask)
    {
        if (mask == 0)
            return (juce::uint8) 0;
        int shift = 0;
        while (((mask >> shift) & 1u) == 0)
            ++shift;
        const auto top = mask >> shift;
        return (juce::uint8) (((pixel >> shift) & top) * 255u / top);
    };
    for (int y = 0; y < area.getHeight(); ++y)
        for (int x = 0; x < area.getWidth(); ++x)
        {
            const auto pixel = XGetPixel (shot, x, y);
            image.setPixelAt (x, y, juce::Colour (channel (pixel, shot->red_mask), channel (pixel, shot->green_mask),
                                                  channel (pixel, shot->blue_mask)));
        }
    XDestroyImage (shot);
    return image;
}
