// The scene's art decoded ahead of its first use: what the editor hands the prefetch
// thread once a size has been painted, and how it takes back what the thread finished.
#include "ArtName.h"
#include "TorvaneEditor.h"

// Once a size has been painted, the rest of the scene's art is made ahead on the prefetch
// thread: this page's pictures first, then the other pages' drawings (with their copies at
// this size), then the other pages' pictures; the overlays that stay put are laid onto the
// device pixels there too, those decoded already included, so that a new size is made
// ready off the message thread as the first one is. The first frame of an editor may take
// its time: it lets the thread work until the frame has taken firstFrameMs.
void TorvaneEditor::prefetchFor (juce::Graphics& g, float artScale, double paintStartMs)
{
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto square = designToPixels ({ 0.0f, 0.0f, designSize, designSize });
    if (kit.store == nullptr
        || (square == prefetchedSquare && artScale == prefetchedArtScale && physical == prefetchedPhysical))
        return;
    const bool firstFrame = prefetchedArtScale == 0.0f;
    prefetchedSquare = square;
    prefetchedArtScale = artScale;
    prefetchedPhysical = physical;

    ArtPrefetch::Job size;
    size.physical = physical;
    size.deviceSquare = copiedSquare;
    size.artScale = artScale;
    std::vector<ArtPrefetch::Job> jobs;
    queuePictures (jobs, shownPage, size);
    queuePageCopies (jobs, g, size);
    for (int step = 1; step <= 2; ++step)
        queuePictures (jobs, (shownPage + step) % 3, size);
    prefetch.start (std::move (jobs));
    if (firstFrame)
        prefetch.waitWhileBusy (firstFrameMs - (juce::Time::getMillisecondCounterHiRes() - paintStartMs));
}

// A job for every picture of the page that is not decoded yet at this art scale or that
// is drawn into a fixed area with no copy at this size yet, with those areas.
void TorvaneEditor::queuePictures (std::vector<ArtPrefetch::Job>& jobs, int page, const ArtPrefetch::Job& size) const
{
    const auto fixed = fixedOverlays (page);
    for (const auto& [name, entry] : kit.store->entries)
    {
        if (pageOfArt (name) != page || isPageArt (entry.get()))
            continue;
        const int slot = entry->chooseSlot (size.artScale);
        if (slot <= 0 || refusedSlots.count ({ entry.get(), slot }) != 0)
            continue;
        auto job = size;
        job.entry = entry.get();
        job.slot = slot;
        job.decoded = entry->slots[(size_t) slot].image;
        const juce::String pictureName (name);
        for (const auto& [fixedName, designRect] : fixed)
        {
            if (fixedName != pictureName)
                continue;
            const auto area = designToPixels (designRect);
            if (! (job.decoded.isValid() && overlayCopies.has (job.decoded, area, size.physical)))
                job.areas.push_back (area);
        }
        if (job.decoded.isNull() || ! job.areas.empty())
            jobs.push_back (std::move (job));
    }
}

// A job for each other page's drawing, with its copy at the face square's device size
// when the square lies on whole device pixels and two such copies fit the budget.
void TorvaneEditor::queuePageCopies (std::vector<ArtPrefetch::Job>& jobs, juce::Graphics& g,
                                     const ArtPrefetch::Job& size) const
{
    const auto device = size.deviceSquare.toNearestInt();
    const bool copies = PictureStretcher::onWholeDevicePixels (g, designToPixels ({ 0.0f, 0.0f, designSize, designSize }))
                        && 2 * ScaledCopies::bytesFor (juce::Image::RGB, device.getWidth(), device.getHeight())
                               <= copyBudgetBytes;
    for (int step = 1; step <= 2; ++step)
    {
        const auto* entry = pageArt ((shownPage + step) % 3);
        const int slot = entry != nullptr ? entry->chooseSlot (size.artScale) : 0;
        if (slot <= 0 || refusedSlots.count ({ entry, slot }) != 0)
            continue;
        auto job = size;
        job.entry = entry;
        job.slot = slot;
        job.decoded = entry->slots[(size_t) slot].image;
        job.copyWidth = copies ? device.getWidth() : 0;
        job.copyHeight = copies ? device.getHeight() : 0;
        if (job.decoded.isNull() || copies)
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

// Puts what the prefetch thread has finished in place, as long as it belongs to the
// current size.
void TorvaneEditor::takePrefetched()
{
    for (auto& done : prefetch.take())
        adoptPrefetched (done);
}

// A slot the thread could not decode is remembered, so that it is not asked for again.
// A decoded picture goes into its entry's slot unless the paint has decoded it meanwhile
// or the current art scale draws another slot, with where it has pixels. A page copy and
// an overlay's pieces are kept only when they were made for the current size: a job
// still running when the window was resized gives nothing of the old size.
void TorvaneEditor::adoptPrefetched (ArtPrefetch::Done& done)
{
    const auto& job = done.job;
    if (! done.picture.isValid())
    {
        refusedSlots.insert ({ job.entry, job.slot });
        return;
    }
    if (job.entry->chooseSlot (copiedArtScale) != job.slot)
        return;
    auto& slot = job.entry->slots[(size_t) job.slot];
    if (slot.image.isNull())
    {
        slot.image = done.picture;
        if (done.grid.columns > 0)
            opaqueTiles.adopt (slot.image, std::move (done.grid));
    }
    if (! madeForThisSize (job))
        return;
    if (done.copy.isValid() && slot.image.getBounds() == done.picture.getBounds())
        pageCopies.adopt (slot.image, done.copy);
    if (slot.image.getPixelData() == done.picture.getPixelData())
        for (size_t i = 0; i < done.pieces.size(); ++i)
            overlayCopies.adopt (slot.image, job.areas[i], job.physical, std::move (done.pieces[i]));
}

bool TorvaneEditor::madeForThisSize (const ArtPrefetch::Job& job) const
{
    return job.deviceSquare == copiedSquare && job.artScale == copiedArtScale;
}
