#include "ScaledCopies.h"

#include <gtest/gtest.h>

namespace
{
juce::Image picture (juce::Colour colour)
{
    juce::Image image (juce::Image::RGB, 40, 30, true);
    juce::Graphics g (image);
    g.fillAll (colour);
    g.setColour (juce::Colours::white);
    g.fillRect (10, 10, 5, 5);
    return image;
}
} // namespace

// A copy is the framework's own stretch of the picture to the asked size.
TEST (ScaledCopies, CopyIsThePictureStretched)
{
    ScaledCopies copies (1);
    const auto source = picture (juce::Colours::darkred);
    const auto& copy = copies.copyOf (source, 53, 41);
    ASSERT_EQ (copy.getBounds(), juce::Rectangle<int> (0, 0, 53, 41));
    juce::Image expected (juce::Image::RGB, 53, 41, true);
    {
        juce::Graphics g (expected);
        g.drawImage (source, { 0.0f, 0.0f, 53.0f, 41.0f }, juce::RectanglePlacement::stretchToFit);
    }
    for (int y = 0; y < 41; y += 4)
        for (int x = 0; x < 53; x += 4)
            EXPECT_EQ (copy.getPixelAt (x, y), expected.getPixelAt (x, y)) << x << "," << y;
}

// Made once per picture and size; a new size or a new picture makes a new copy; the
// least recently used copy goes first when all places are taken.
TEST (ScaledCopies, MadeOnceAndRemadeOnChange)
{
    ScaledCopies copies (3);
    const juce::Image pictures[] = { picture (juce::Colours::red), picture (juce::Colours::green),
                                     picture (juce::Colours::blue), picture (juce::Colours::grey) };
    copies.copyOf (pictures[0], 80, 60);
    copies.copyOf (pictures[0], 80, 60);
    EXPECT_EQ (copies.copiesMade(), 1);
    copies.copyOf (pictures[0], 60, 45);
    EXPECT_EQ (copies.copiesMade(), 2) << "a new size";
    copies.copyOf (pictures[1], 60, 45);
    copies.copyOf (pictures[2], 60, 45);
    copies.copyOf (pictures[0], 60, 45);
    EXPECT_EQ (copies.copiesMade(), 4) << "three pictures fit";
    copies.copyOf (pictures[3], 60, 45);   // takes the place of pictures[1], the oldest
    copies.copyOf (pictures[0], 60, 45);
    copies.copyOf (pictures[2], 60, 45);
    EXPECT_EQ (copies.copiesMade(), 5);
    copies.copyOf (pictures[1], 60, 45);
    EXPECT_EQ (copies.copiesMade(), 6) << "the evicted picture is made again";
}
