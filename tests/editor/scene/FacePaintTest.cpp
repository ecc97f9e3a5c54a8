#include "PixelDistance.h"
#include "ReferencePaintEditor.h"
#include "SceneFixture.h"

#include "EditorSnapshot.h"

#include <cmath>

namespace
{
// A picture size and display scale the editor is rendered at, as the snapshot tool does.
struct View
{
    int side;
    float scale;
    float artScale() const { return scale * (float) side / 560.0f; }
    juce::String name() const { return juce::String (side) + "x" + juce::String (scale, 0); }
};

// The design size on a 1x display, a window of twice the size (content scale 2) and the
// design size on a 2x display.
const View views[] = { { 560, 1.0f }, { 1120, 1.0f }, { 560, 2.0f } };

juce::File snapshotDir()
{
    return juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots");
}
} // namespace

class FacePaint : public SceneTest
{
protected:
    juce::Image render (const View& view, const juce::String& name)
    {
        auto image = renderEditorSnapshot (*editor, view.side, view.side, view.scale);
        writeSnapshotPng (image, snapshotDir().getChildFile (name + "-" + view.name() + ".png"));
        return image;
    }

    const juce::Image& pagePicture (int page, const View& view) const
    {
        const auto name = page == 0 ? juce::String ("panel") : "page" + TorvaneEditor::pageWord (page);
        return editor->kit.find (name)->imageFor (view.artScale());
    }

    // Design points away from everything a still scene draws over its page drawing (the
    // eyes, the mouth, the smoke, the knobs and the badge): there the picture must be the
    // page drawing itself.
    std::vector<juce::Point<float>> freePoints() const
    {
        static const char* const stillPieces[] = { "eye", "pupil", "mouth", "smoke", "knob", "blend", "logo" };
        std::vector<juce::Rectangle<float>> covered;
        if (auto* layout = editor->kit.docs.lookupPath ("layout").getDynamicObject())
            for (const auto& entry : layout->getProperties())
            {
                const auto key = entry.name.toString();
                for (auto* piece : stillPieces)
                    if (key.startsWith (piece))
                        covered.push_back (editor->kit.docs.layoutRect (key, {}).expanded (4.0f));
            }
        std::vector<juce::Point<float>> points;
        for (float y = 5.0f; y < 555.0f; y += 9.0f)
            for (float x = 5.0f; x < 555.0f; x += 9.0f)
            {
                const juce::Point<float> p (x, y);
                if (std::none_of (covered.begin(), covered.end(), [p] (auto r) { return r.contains (p); }))
                    points.push_back (p);
            }
        return points;
    }

    static juce::Colour at (const juce::Image& image, juce::Point<float> design, float pixelsPerDesign)
    {
        return image.getPixelAt ((int) (design.x * pixelsPerDesign), (int) (design.y * pixelsPerDesign));
    }

    void expectDrawingAt (const juce::Image& shot, int page, const View& view, const std::vector<juce::Point<float>>& points,
                          const juce::String& what)
    {
        const auto& picture = pagePicture (page, view);
        const float k = view.artScale();
        int mismatches = 0;
        for (auto p : points)
            mismatches += channelDistance (at (shot, p, k), at (picture, p, k)) > 2 ? 1 : 0;
        EXPECT_EQ (mismatches, 0) << what << " " << view.name() << " over " << points.size() << " points";
    }
};

TEST_F (FacePaint, StillPictureOfEachCharacterIsItsDrawing)
{
    const auto points = freePoints();
    ASSERT_GT (points.size(), 100u);
    for (int page = 0; page < 3; ++page)
    {
        setParameter ("page", (float) page);
        openEditor();
        tick();
        for (const auto& view : views)
        {
            const auto shot = render (view, "still-" + TorvaneEditor::pageWord (page));
            ASSERT_EQ (shot.getWidth(), (int) (view.side * view.scale));
            expectDrawingAt (shot, page, view, points, "still " + TorvaneEditor::pageWord (page));
        }
    }
}

// A window that no embedded scale matches (840 at 1x draws the 2x drawing at 0.75 of its
// size): the still picture is the drawing stretched over the square, and the stretch is
// made once, not on every paint.
TEST_F (FacePaint, StillPictureAtAnUnmatchedScaleIsTheStretchedDrawing)
{
    tick();
    const View view { 840, 1.0f };
    render (view, "still-unmatched");
    const auto shot = render (view, "still-unmatched");
    EXPECT_EQ (editor->pageCopies.copiesMade(), 1);

    juce::Image expected (juce::Image::ARGB, 840, 840, true);
    {
        juce::Graphics g (expected);
        g.drawImage (pagePicture (0, view), { 0.0f, 0.0f, 840.0f, 840.0f }, juce::RectanglePlacement::stretchToFit);
    }
    int mismatches = 0;
    const auto points = freePoints();
    for (auto p : points)
        mismatches += channelDistance (at (shot, p, 1.5f), at (expected, p, 1.5f)) > 2 ? 1 : 0;
    EXPECT_EQ (mismatches, 0) << "over " << points.size() << " points";
}

// In a window wider than tall the ink shows beside the face square and the drawing fills
// the square right to its edges, on whole-pixel and fractional displays alike.
TEST_F (FacePaint, InkBesideTheFaceSquareAndTheDrawingWithin)
{
    tick();
    const auto ink = juce::Colour (zem::palette::ink);
    for (float scale : { 1.0f, 2.0f, 1.5f })
    {
        const auto shot = renderEditorSnapshot (*editor, 700, 560, scale);
        const auto& picture = pagePicture (0, { 560, scale });
        auto shotAt = [&] (float x, float y) { return shot.getPixelAt ((int) (x * scale), (int) (y * scale)); };
        auto drawingAt = [&] (float x, float y)
        {
            const float toPicture = (float) picture.getWidth() / 560.0f;
            return picture.getPixelAt ((int) (x * toPicture), (int) (y * toPicture));
        };
        for (float y : { 1.0f, 280.0f, 559.0f })
        {
            EXPECT_EQ (channelDistance (shotAt (30.0f, y), ink), 0) << scale << " left of the square";
            EXPECT_EQ (channelDistance (shotAt (669.0f, y), ink), 0) << scale << " right of the square";
        }
        if (scale != 1.5f) // whole pixels: the square's edge columns are the drawing's own
            for (float y : { 3.0f, 280.0f, 556.0f })
            {
                EXPECT_LE (channelDistance (shotAt (70.2f, y), drawingAt (0.2f, y)), 2) << scale << " left edge";
                EXPECT_LE (channelDistance (shotAt (629.6f, y), drawingAt (559.6f, y)), 2) << scale << " right edge";
            }
    }
}

// The shaking transformer moves by whole device pixels: its solid pixels below the valve
// are the picture's own, copied at some small offset, not resampled between pixels.
TEST_F (FacePaint, ShakenTransformerIsCopiedAtAWholePixelOffset)
{
    setParameter ("drive", 100.0f);
    playLoud (40);
    const auto r = editor->kit.docs.layoutRect ("transformerRare", {});
    for (const auto& view : views)
    {
        const auto shot = render (view, "shaken");
        const float k = view.artScale();
        const auto& picture = editor->kit.find ("transformerRare")->imageFor (k);
        int bestMismatches = 1 << 30, solid = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
            {
                int mismatches = 0;
                solid = 0;
                for (int y = (int) ((215.0f - r.getY()) * k); y < picture.getHeight() - 8; y += 2)
                    for (int x = 8; x < picture.getWidth() - 8; x += 2)
                    {
                        const auto c = picture.getPixelAt (x, y);
                        if (c.getAlpha() < 255)
                            continue;
                        ++solid;
                        const auto s = shot.getPixelAt ((int) (r.getX() * k) + x + dx, (int) (r.getY() * k) + y + dy);
                        mismatches += channelDistance (s, c) > 1 ? 1 : 0;
                    }
                bestMismatches = std::min (bestMismatches, mismatches);
            }
        ASSERT_GT (solid, 50) << view.name();
        EXPECT_EQ (bestMismatches, 0) << view.name() << " over " << solid << " solid pixels";
    }
}

// Playing loud lights the coals: the pixels that move go from the still drawing towards
// the lit coal picture (a set the noise holds dim at that moment barely moves at all).
TEST_F (FacePaint, PlayingLoudLightsEachCharacter)
{
    setParameter ("drive", 100.0f);
    for (int page = 0; page < 3; ++page)
    {
        setParameter ("page", (float) page);
        for (const auto& view : views)
        {
            processor.effort = processor.stageHeat = processor.gridBlock = processor.slewBite = 0.0f;
            openEditor();
            tick();
            const auto still = render (view, "quiet-" + TorvaneEditor::pageWord (page));
            playLoud (45);
            const auto loud = render (view, "loud-" + TorvaneEditor::pageWord (page));

            const auto coalName = "coalsA" + TorvaneEditor::pageWord (page);
            const auto coalRect = editor->kit.docs.layoutRect (coalName, {});
            const auto& coal = editor->kit.find (coalName)->imageFor (view.artScale());
            ASSERT_TRUE (coal.isValid());
            int closer = 0, opaque = 0;
            const float k = view.artScale();
            for (int y = 0; y < coal.getHeight(); y += 3)
                for (int x = 0; x < coal.getWidth(); x += 3)
                {
                    const auto c = coal.getPixelAt (x, y);
                    if (c.getAlpha() < 250)
                        continue;
                    const int wx = (int) (coalRect.getX() * k) + x, wy = (int) (coalRect.getY() * k) + y;
                    const auto before = still.getPixelAt (wx, wy), after = loud.getPixelAt (wx, wy);
                    if (channelDistance (after, before) < 3)
                        continue;
                    ++opaque;
                    closer += channelDistance (after, c) < channelDistance (before, c) ? 1 : 0;
                }
            ASSERT_GT (opaque, 10);
            EXPECT_GT (closer, opaque / 2) << TorvaneEditor::pageWord (page) << " " << view.name();
        }
    }
}

// Half way through the dissolve the new drawing shows where the noise is low and the old
// one where it is high.
TEST_F (FacePaint, MidDissolveShowsBothDrawingsThroughTheNoise)
{
    tick();
    setParameter ("page", 1.0f);
    tick();
    ASSERT_GT (editor->dissolve, 0.5f);
    ASSERT_LT (editor->dissolve, 0.6f);
    const float threshold = editor->dissolve * 1.1f * 255.0f;

    const auto free = freePoints();
    for (const auto& view : views)
    {
        const auto shot = render (view, "dissolve");
        const juce::Image::BitmapData noise (editor->noiseImage, juce::Image::BitmapData::readOnly);
        auto noiseAt = [&noise] (int x, int y) { return (float) noise.getLinePointer (y)[x * noise.pixelStride]; };
        // Cells whose whole neighbourhood lies clearly on one side of the threshold.
        std::vector<juce::Point<float>> newSide, oldSide;
        for (const auto p : free)
        {
            const int cx = (int) (p.x / 4.0f), cy = (int) (p.y / 4.0f);
            if (cx < 1 || cy < 1 || cx > 138 || cy > 138)
                continue;
            float lo = 255.0f, hi = 0.0f;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    lo = std::min (lo, noiseAt (cx + dx, cy + dy));
                    hi = std::max (hi, noiseAt (cx + dx, cy + dy));
                }
            if (hi < threshold - 26.0f)
                newSide.push_back (p);
            else if (lo > threshold)
                oldSide.push_back (p);
        }
        ASSERT_GT (newSide.size(), 20u);
        ASSERT_GT (oldSide.size(), 20u);
        expectDrawingAt (shot, 1, view, newSide, "new drawing");
        expectDrawingAt (shot, 0, view, oldSide, "old drawing");
    }
}

// The pupils follow the look: at a full look left the left pupil's centre sits 0.75 of
// its half width inside the white's left edge.
TEST_F (FacePaint, EyesLookLeftAndRight)
{
    tick();
    const auto& docs = editor->kit.docs;
    const auto white = docs.hasLayoutRect ("eyeWhiteRare0") ? docs.layoutRect ("eyeWhiteRare0", {})
                                                             : docs.layoutRect ("eyeRare0", {});
    const auto pupilRect = docs.layoutRect ("pupilRare0", {});
    const float u = pupilRect.getWidth() / 2.0f;
    const float travel = std::max (white.getWidth() / 2.0f - 0.75f * u, 0.0f);
    ASSERT_GT (travel, 1.0f);
    const juce::Point<float> leftCentre (white.getCentreX() - travel, white.getCentreY());
    const juce::Point<float> rightCentre (white.getCentreX() + travel, white.getCentreY());

    for (const auto& view : views)
    {
        editor->lookX = -1.0f;
        const auto left = render (view, "look-left");
        editor->lookX = 1.0f;
        const auto right = render (view, "look-right");
        const float k = view.artScale();
        const auto& pupil = editor->kit.find ("pupilRare0")->imageFor (k);
        const auto pupilCentre = pupil.getPixelAt (pupil.getWidth() / 2, pupil.getHeight() / 2);
        EXPECT_LE (channelDistance (at (left, leftCentre, k), pupilCentre), 24) << view.name();
        EXPECT_LE (channelDistance (at (right, rightCentre, k), pupilCentre), 24) << view.name();
        EXPECT_GT (channelDistance (at (left, rightCentre, k), pupilCentre), 24) << view.name();
        EXPECT_GT (channelDistance (at (right, leftCentre, k), pupilCentre), 24) << view.name();
    }
}

// An eye picture that does not decode has no pixels to clip the pupil with: that pupil is
// skipped and the drawing's own eye shows, the other eye is drawn as usual.
TEST_F (FacePaint, EyeWithoutPixelsSkipsItsPupil)
{
    auto* eye = editor->kit.find ("eyeRare0");
    ASSERT_NE (eye, nullptr);
    const auto saved = eye->slots;
    static const char garbage[] = "not a picture";
    for (int scale = 1; scale <= 3; ++scale)
        eye->slots[(size_t) scale] = { garbage, (int) sizeof (garbage), {} };

    tick();
    editor->lookX = -1.0f; // the pupil would sit off the drawing's centred pupil
    const View view { 560, 1.0f };
    const auto shot = render (view, "eye-without-pixels");
    eye->slots = saved;

    const auto& docs = editor->kit.docs;
    const auto white = docs.hasLayoutRect ("eyeWhiteRare0") ? docs.layoutRect ("eyeWhiteRare0", {})
                                                             : docs.layoutRect ("eyeRare0", {});
    const float travel = white.getWidth() / 2.0f - 0.75f * docs.layoutRect ("pupilRare0", {}).getWidth() / 2.0f;
    const juce::Point<float> lookedAt (white.getCentreX() - travel, white.getCentreY());
    const auto& page = pagePicture (0, view);
    EXPECT_LE (channelDistance (at (shot, lookedAt, 1.0f), at (page, lookedAt, 1.0f)), 2);

    // The other eye still has its pupil where it looks.
    const auto white1 = docs.hasLayoutRect ("eyeWhiteRare1") ? docs.layoutRect ("eyeWhiteRare1", {})
                                                              : docs.layoutRect ("eyeRare1", {});
    const float travel1 = white1.getWidth() / 2.0f - 0.75f * docs.layoutRect ("pupilRare1", {}).getWidth() / 2.0f;
    const juce::Point<float> lookedAt1 (white1.getCentreX() - travel1, white1.getCentreY());
    EXPECT_GT (channelDistance (at (shot, lookedAt1, 1.0f), at (page, lookedAt1, 1.0f)), 24);
}

// The paint with its per-size copies, its tile-limited resampling and its own dissolve
// loop draws what the scene drew before them (resampling every overlay on every paint
// and dissolving through an image clip), to within 2 levels at every pixel: loud with
// every layer active and half way through a dissolve, for each character and at every
// size, 2240 device pixels included.
TEST_F (FacePaint, FasterPaintMatchesTheReferencePaint)
{
    const View sizes[] = { { 560, 1.0f }, { 1120, 1.0f }, { 560, 2.0f }, { 560, 1.5f }, { 1120, 2.0f } };
    setParameter ("drive", 100.0f);
    for (int page = 0; page < 3; ++page)
    {
        setParameter ("page", (float) ((page + 2) % 3));
        auto& painter = openEditor<ReferencePaintEditor>();
        playLoud (45);
        for (bool dissolving : { false, true })
        {
            if (dissolving)
            {
                setParameter ("page", (float) page);
                playLoud (1);
                ASSERT_LT (editor->dissolve, 1.0f);
            }
            for (const auto& view : sizes)
            {
                const auto what = TorvaneEditor::pageWord (editor->shownPage) + (dissolving ? " dissolving " : " loud ")
                                  + view.name() + " at " + juce::String (view.side);
                painter.reference = true;
                const auto reference = renderEditorSnapshot (*editor, view.side, view.side, view.scale);
                painter.reference = false;
                renderEditorSnapshot (*editor, view.side, view.side, view.scale);   // builds the copies
                const auto faster = render (view, "faster-" + what.replaceCharacter (' ', '-'));
                ASSERT_EQ (faster.getBounds(), reference.getBounds()) << what;
                int worst = 0, over = 0;
                for (int y = 0; y < faster.getHeight(); ++y)
                    for (int x = 0; x < faster.getWidth(); ++x)
                    {
                        const int distance = channelDistance (faster.getPixelAt (x, y), reference.getPixelAt (x, y));
                        worst = std::max (worst, distance);
                        over += distance > 2 ? 1 : 0;
                    }
                EXPECT_EQ (over, 0) << what << ": " << over << " pixels differ by more than 2, the worst by " << worst;
            }
        }
    }
}

// Once the prefetch thread has decoded the scene's art ahead and made the other pages'
// copies at this size, changing character, dissolving and playing loud on each page makes
// no copy and decodes nothing inside a paint; the copies held stay within 96 MB at 2240
// device pixels.
TEST_F (FacePaint, ArtDecodedAheadSoThatAChangeOfCharacterBuildsNothing)
{
    setParameter ("drive", 100.0f);
    openEditor();
    playLoud (30);
    const View view { 1120, 2.0f };
    renderEditorSnapshot (*editor, view.side, view.side, view.scale);
    ASSERT_TRUE (waitForPrefetch());
    renderEditorSnapshot (*editor, view.side, view.side, view.scale);

    const int copies = editor->pageCopies.copiesMade();
    const int decoded = zem::ArtEntry::decodeCount();
    for (int page : { 1, 2, 0 })
    {
        setParameter ("page", (float) page);
        for (int frame = 0; frame < 20; ++frame)
        {
            playLoud (1);
            renderEditorSnapshot (*editor, view.side, view.side, view.scale);
        }
    }
    EXPECT_EQ (editor->pageCopies.copiesMade(), copies);
    EXPECT_EQ (zem::ArtEntry::decodeCount(), decoded);
    const size_t pageBytes = 2240u * 2240u * 3u;
    EXPECT_GE (editor->pageCopies.bytesHeld(), 3 * pageBytes) << "all three pages held";
    EXPECT_LE (editor->pageCopies.bytesHeld() + editor->overlayCopies.bytesHeld(), (size_t) 96 << 20);
}
