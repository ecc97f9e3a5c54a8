#include "ScaledCopies.h"

#include <gtest/gtest.h>

namespace
{
juce::Image picture (juce::Colour colour, int width = 40, int height = 30)
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    g.setGradientFill (juce::ColourGradient (colour, 0.0f, 0.0f, juce::Colours::black, (float) width, (float) height, false));
    g.fillAll();
    g.setColour (juce::Colours::white);
    g.fillRect (10, 10, 5, 5);
    return image;
}

juce::Image frameworkStretch (const juce::Image& source, int width, int height)
{
    juce::Image expected (source.getFormat(), width, height, true);
    juce::Graphics g (expected);
    g.drawImage (source, expected.getBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
    return expected;
}

// A budget that holds "copies" copies of a 60 x 45 RGB picture.
size_t roomFor (double copies)
{
    return (size_t) (copies * (double) ScaledCopies::bytesFor (juce::Image::RGB, 60, 45));
}
} // namespace

// A copy is the framework's own stretch of the picture to the asked size, made in bands
// of rows: every pixel of a copy many bands tall is the whole stretch's.
TEST (ScaledCopies, CopyIsThePictureStretched)
{
    CopyBudget budget (64u << 20);
    ScaledCopies copies (budget);
    const auto source = picture (juce::Colours::darkred);
    for (auto [width, height] : { std::pair { 53, 41 }, { 61, 700 } })
    {
        const auto* copy = copies.copyOf (source, width, height);
        ASSERT_NE (copy, nullptr);
        ASSERT_EQ (copy->getBounds(), juce::Rectangle<int> (0, 0, width, height));
        const auto expected = frameworkStretch (source, width, height);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                differing += copy->getPixelAt (x, y) != expected.getPixelAt (x, y) ? 1 : 0;
        EXPECT_EQ (differing, 0) << width << " x " << height;
        EXPECT_EQ (copies.bytesHeld(), ScaledCopies::bytesFor (juce::Image::RGB, width, height));
        EXPECT_EQ (budget.held(), copies.bytesHeld());
    }
}

// A stretch asked to stop between its bands gives no image.
TEST (ScaledCopies, StoppedStretchGivesNothing)
{
    int asked = 0;
    const auto stopped = ScaledCopies::stretched (picture (juce::Colours::green), 50, 900, [&] { return ++asked > 1; });
    EXPECT_TRUE (stopped.isNull());
    EXPECT_EQ (asked, 2) << "stopped after its first band";
    EXPECT_TRUE (ScaledCopies::stretched (picture (juce::Colours::green), 50, 900, [] { return false; }).isValid());
}

// Made once per picture and size; a new size remakes it in place of the old one.
TEST (ScaledCopies, MadeOncePerPictureAndSize)
{
    CopyBudget budget (64u << 20);
    ScaledCopies copies (budget);
    const auto red = picture (juce::Colours::red), green = picture (juce::Colours::green);
    budget.beginFrame();
    const auto* first = copies.copyOf (red, 60, 45);
    EXPECT_EQ (copies.copyOf (red, 60, 45), first);
    EXPECT_EQ (copies.copiesMade(), 1);
    ASSERT_NE (copies.copyOf (red, 80, 60), nullptr);
    EXPECT_EQ (copies.copiesMade(), 2) << "a new size";
    EXPECT_EQ (copies.bytesHeld(), ScaledCopies::bytesFor (juce::Image::RGB, 80, 60)) << "in place of the old size";
    copies.copyOf (green, 60, 45);
    EXPECT_EQ (copies.copiesMade(), 3) << "a new picture";
    EXPECT_EQ (budget.held(), copies.bytesHeld());
}

// Past the budget the copies least recently drawn go first, never one drawn in this
// frame or the one before (the page on screen), and a copy the budget cannot hold is not
// made: the caller draws the picture itself.
TEST (ScaledCopies, KeptWithinTheBudget)
{
    CopyBudget budget (roomFor (2.5));
    ScaledCopies copies (budget);
    const juce::Image pictures[] = { picture (juce::Colours::red), picture (juce::Colours::green),
                                     picture (juce::Colours::blue) };
    auto frame = [&] (std::initializer_list<int> drawn)
    {
        budget.beginFrame();
        int shown = 0;
        for (int i : drawn)
            shown += copies.copyOf (pictures[i], 60, 45) != nullptr ? 1 : 0;
        EXPECT_LE (copies.bytesHeld(), budget.limit());
        EXPECT_EQ (budget.held(), copies.bytesHeld());
        return shown;
    };

    EXPECT_EQ (frame ({ 0, 1 }), 2);
    EXPECT_EQ (frame ({ 2 }), 0) << "the copies drawn in the frame before stay";
    EXPECT_EQ (frame ({ 2, 1, 0 }), 2) << "the oldest gave up its room; a third in one frame does not fit";
    EXPECT_EQ (copies.copiesMade(), 3);
    EXPECT_EQ (frame ({ 0 }), 0) << "both were drawn in the frame before";
    EXPECT_EQ (frame ({ 0 }), 1);
    EXPECT_EQ (copies.copiesMade(), 4) << "the copy let go is made again";

    CopyBudget small (roomFor (0.5));
    ScaledCopies none (small);
    small.beginFrame();
    EXPECT_EQ (none.copyOf (pictures[0], 60, 45), nullptr) << "larger than the whole budget";
    EXPECT_EQ (none.bytesHeld(), 0u);
}

// A copy made ahead is kept only in room that is free: it never pushes out another.
TEST (ScaledCopies, CopiesMadeAheadTakeOnlyFreeRoom)
{
    CopyBudget budget (roomFor (1.5));
    ScaledCopies copies (budget);
    const auto red = picture (juce::Colours::red), green = picture (juce::Colours::green);
    copies.adopt (red, frameworkStretch (red, 60, 45));
    EXPECT_EQ (copies.bytesHeld(), roomFor (1.0));
    for (int i = 0; i < 4; ++i)
        budget.beginFrame();
    copies.adopt (green, frameworkStretch (green, 60, 45));
    EXPECT_EQ (copies.bytesHeld(), roomFor (1.0));
    budget.beginFrame();
    EXPECT_NE (copies.copyOf (red, 60, 45), nullptr) << "the adopted copy is the one drawn";
    EXPECT_EQ (copies.copiesMade(), 0);
    copies.clear();
    EXPECT_EQ (budget.held(), 0u);
}

// Copies of the page drawings and of the overlays share one budget: room for a copy drawn
// now comes from the page copies first, however recently an overlay was drawn.
TEST (CopyBudget, HoldersGiveUpRoomInTheirOrder)
{
    struct Holder : CopyBudget::Holder
    {
        Holder (CopyBudget& b, std::vector<juce::uint32> uses) : budget (b), lastUses (std::move (uses))
        {
            budget.add (*this);
            budget.takeAhead (lastUses.size() * 100);
        }
        ~Holder() override { budget.remove (*this); }
        size_t bytesBefore (juce::uint32 keepFrom) const override
        {
            return 100 * (size_t) std::count_if (lastUses.begin(), lastUses.end(), [=] (auto use) { return use < keepFrom; });
        }
        bool dropOldest (juce::uint32 keepFrom) override
        {
            const auto oldest = std::min_element (lastUses.begin(), lastUses.end());
            if (oldest == lastUses.end() || *oldest >= keepFrom)
                return false;
            lastUses.erase (oldest);
            budget.giveBack (100);
            return true;
        }
        CopyBudget& budget;
        std::vector<juce::uint32> lastUses;
    };

    CopyBudget budget (600);
    for (int i = 0; i < 10; ++i)
        budget.beginFrame();
    const auto now = budget.currentFrame();
    Holder pages (budget, { now - 3, now - 2 });
    Holder overlays (budget, { now - 9, now - 8, now - 1, now });
    ASSERT_EQ (budget.held(), 600u);
    EXPECT_TRUE (budget.takeForNow (100));
    EXPECT_EQ (pages.lastUses.size(), 1u) << "a page copy went first";
    EXPECT_TRUE (budget.takeForNow (200));
    EXPECT_TRUE (pages.lastUses.empty());
    EXPECT_EQ (overlays.lastUses.size(), 3u) << "then the oldest overlay";
    EXPECT_FALSE (budget.takeForNow (300)) << "what the last two frames drew stays";
    EXPECT_EQ (overlays.lastUses.size(), 3u) << "a request that cannot be met lets nothing go";
    EXPECT_FALSE (budget.takeAhead (1));
    EXPECT_EQ (budget.held(), 600u);
}
