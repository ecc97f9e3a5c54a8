#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

// The X server as a user meets it: a pointer that moves and clicks, keys that are pressed,
// and the pixels on the screen. Input goes through the XTest extension, so it reaches
// whichever window lies under the pointer (or has the keyboard focus), even one that
// another toolkit instance owns, such as a hosted plug-in's view. Screen coordinates are
// physical pixels.
class ScreenInput
{
public:
    ScreenInput();
    ~ScreenInput();

    // False when there is no display or it lacks the XTest extension.
    bool isReady() const;

    void moveTo (juce::Point<int> screenPosition);
    void pressButton (bool down);
    // Presses and releases the key of an X key symbol (XK_Up and so on).
    void tapKey (unsigned long keySymbol);

    // The screen's pixels in the given rectangle, opaque; invalid when it cannot be read.
    juce::Image grab (juce::Rectangle<int> screenArea) const;

private:
    struct Connection;
    std::unique_ptr<Connection> connection;
};
