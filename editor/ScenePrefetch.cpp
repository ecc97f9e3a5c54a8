// The scene's art decoded ahead of its first use: what the editor hands the prefetch
// thread once a size has been painted, and how it takes back what the thread finished.
#include "ArtName.h"
#include "TorvaneEditor.h"

// Once a size has been painted, the rest of the scene's art is decoded ahead on the
// prefetch thread: this page's pictures first, then the other pages' drawings (with their
// copies at this size), then the other pages' pictures; the overlays that stay put are
// laid onto the device pixels there too. The first frame of an editor may take its time:
// it lets the thread work until the frame has taken firstFrameMs.
void TorvaneEditor::prefetchFor (juce::Graphics& g, float artScale, double paintStartMs)
{
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto square = designToPixels ({ 0.0f, 0.0f, designSize, designSize });
    if (referencePaint || kit.store == nullptr
        || (square == prefetchedSquare && artScale == prefetchedArtScale && physical == prefetchedPhysical))
        return;
    const bool firstFrame = prefetchedArtScale == 0.0f;
    prefetchedSquare = square;
    prefetchedArtScale = artScale;
    prefetchedPhysical = physical;

    std::vector<ArtPrefetch::Job> jobs;
    queuePictures (jobs, shownPage, artScale, physical);
    const bool onGrid = PictureStretcher::onWholeDevicePixels (g, square);
    const auto device = (square * physical).toNearestInt();
    for (int step = 1; step <= 2; ++step)
        if (const auto* entry = pageArt ((shownPage + step) % 3))
            if (const int slot = entry->chooseSlot (artScale); slot > 0)
                jobs.push_back ({ entry, slot, entry->slots[(size_t) slot].image, onGrid ? device.getWidth() : 0,
                                  onGrid ? device.getHeight() : 0, {}, physical });
    for (int step = 1; step <= 2; ++step)
        queuePictures (jobs, (shownPage + step) % 3, artScale, physical);
    prefetch.start (std::move (jobs));
    if (firstFrame)
        prefetch.waitWhileBusy (firstFrameMs - (juce::Time::getMillisecondCounterHiRes() - paintStartMs));
}

// A job for every picture of the page not yet decoded at this art scale, with the areas
// the page's fixed overlays are drawn into.
void TorvaneEditor::queuePictures (std::vector<ArtPrefetch::Job>& jobs, int page, float artScale, float physical) const
{
    const auto fixed = fixedOverlays (page);
    for (const auto& [name, entry] : kit.store->entries)
    {
        if (pageOfArt (name) != page || isPageArt (entry.get()))
            continue;
        const int slot = entry->chooseSlot (artScale);
        if (slot <= 0 || ! entry->slots[(size_t) slot].image.isNull())
            continue;
        ArtPrefetch::Job job { entry.get(), slot, {}, 0, 0, {}, physical };
        for (const auto& [fixedName, designRect] : fixed)
            if (fixedName == juce::String (name))
                job.areas.push_back (designToPixels (designRect));
        jobs.push_back (std::move (job));
    }
}

// The page whose pictures an art name belongs to: the one whose word it holds; pictures
// of no page (the warm mouth, the sparks, the flames, the controls) go with Rare.
int TorvaneEditor::pageOfArt (const std::string& name)
{
    for (int page = 2; page >= 1; --page)
        if (name.find (pageWord (page).toStdString()) != std::string::npos)
            return page;
    return 0;
}

bool TorvaneEditor::isPageArt (const zem::ArtEntry* entry) const
{
    return entry == pageArt (0) || entry == pageArt (1) || entry == pageArt (2);
}

// The overlays of a page drawn into rectangles that stay put, with their rectangles (the
// mouth frames are left out: a page has a dozen, and they are laid on as they show; the
// eyes too, laid on whole as their pupils' clip).
std::vector<std::pair<juce::String, juce::Rectangle<float>>> TorvaneEditor::fixedOverlays (int page) const
{
    const auto& word = pageWord (page);
    std::vector<std::pair<juce::String, juce::Rectangle<float>>> fixed;
    auto add = [&] (const juce::String& name) { fixed.emplace_back (name, rect (name)); };
    if (page == 0)
        add ("warmRare");
    for (const char* base : { "coalsA", "coalsB", "coalsC", "glistenA", "glistenB", "glistenC", "behind", "transformer",
                              "valveDim", "valveHot" })
        add (base + word);
    for (int k = 0; k < dripCount[(size_t) page]; ++k)
        add (artName ("dripBehind", word, k));
    for (int v = 0; art (artName ("smoke", word, v)) != nullptr; ++v)
        add (artName ("smoke", word, v));
    return fixed;
}

// Puts what the prefetch thread has finished in place: each decoded picture into its
// entry's slot unless the paint has decoded it meanwhile, with where it has pixels, and
// each page copy beside its drawing.
void TorvaneEditor::takePrefetched()
{
    for (auto& done : prefetch.take())
    {
        auto& slot = done.job.entry->slots[(size_t) done.job.slot];
        if (slot.image.isNull() && done.picture.isValid())
        {
            slot.image = done.picture;
            if (done.grid.columns > 0)
                opaqueTiles.adopt (slot.image, std::move (done.grid));
        }
        if (done.copy.isValid() && slot.image.getBounds() == done.picture.getBounds())
            pageCopies.adopt (slot.image, done.copy);
        if (slot.image.getPixelData() == done.picture.getPixelData())
            for (size_t i = 0; i < done.pieces.size(); ++i)
                overlayCopies.adopt (slot.image, done.job.areas[i], done.job.physical, std::move (done.pieces[i]));
    }
}
