#include "PictureRenderer.h"
#include <atomic>
#include <set>
#include <thread>

namespace torvane::art
{
juce::Point<int> pixelSize (Rect rect, int scale)
{
    return { (int) std::lround (rect.getWidth() * (float) scale), (int) std::lround (rect.getHeight() * (float) scale) };
}

namespace
{
// Fades alpha (and, premultiplied, colour) linearly to zero over the last pixels of each edge.
void featherEdges (juce::Image& image, float pixels)
{
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < data.height; ++y)
    {
        for (int x = 0; x < data.width; ++x)
        {
            float d = (float) std::min (std::min (x, data.width - 1 - x), std::min (y, data.height - 1 - y)) + 0.5f;
            if (d >= pixels)
                continue;
            auto* p = (juce::PixelARGB*) data.getPixelPointer (x, y);
            p->multiplyAlpha (d / pixels);
        }
    }
}

// Scales each pixel (premultiplied, so colour with alpha) by the mask's alpha there.
void takeAlphaOf (juce::Image& image, const juce::Image& mask)
{
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    juce::Image::BitmapData alpha (mask, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < data.height; ++y)
        for (int x = 0; x < data.width; ++x)
        {
            auto* p = (juce::PixelARGB*) data.getPixelPointer (x, y);
            p->multiplyAlpha (((const juce::PixelARGB*) alpha.getPixelPointer (x, y))->getAlpha());
        }
}

juce::Image paintInto (Rect rect, juce::Point<int> size, bool opaque, const std::function<void (juce::Graphics&)>& paint)
{
    juce::Image image (juce::Image::ARGB, size.x, size.y, true, juce::SoftwareImageType());
    {
        juce::Graphics g (image);
        if (opaque)
            g.fillAll (juce::Colours::black);
        g.addTransform (juce::AffineTransform::translation (-rect.getX(), -rect.getY())
                            .scaled ((float) size.x / rect.getWidth(), (float) size.y / rect.getHeight()));
        paint (g);
    }
    return image;
}
} // namespace

juce::Image renderPicture (const Picture& picture, int scale)
{
    auto size = pixelSize (picture.rect, scale);
    auto image = paintInto (picture.rect, size, picture.opaque, picture.paint);
    if (picture.mask)
        takeAlphaOf (image, paintInto (picture.rect, size, false, picture.mask));
    if (picture.feather > 0)
        featherEdges (image, picture.feather * (float) scale);
    return picture.opaque ? image.convertedToFormat (juce::Image::RGB) : image;
}

juce::File pictureFile (const juce::File& folder, const juce::String& name, int scale)
{
    return folder.getChildFile (name + "@" + juce::String (scale) + "x.png");
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    juce::MemoryOutputStream bytes;
    juce::PNGImageFormat png;
    if (! png.writeImageToStream (image, bytes))
        return false;
    return file.replaceWithData (bytes.getData(), bytes.getDataSize());
}

// Pictures left from an earlier set of names would be embedded too: remove them.
void removeStalePictures (const std::vector<Picture>& pictures, const juce::File& folder)
{
    std::set<juce::String> wanted;
    for (auto& p : pictures)
        for (int scale = 1; scale <= 3; ++scale)
            wanted.insert (pictureFile (folder, p.name, scale).getFileName());
    for (auto& file : folder.findChildFiles (juce::File::findFiles, false, "*.png"))
        if (wanted.count (file.getFileName()) == 0)
            file.deleteFile();
}

bool renderAll (const std::vector<Picture>& pictures, const juce::File& folder)
{
    removeStalePictures (pictures, folder);
    struct Job { const Picture* picture; int scale; };
    std::vector<Job> jobs;
    // The big drawings first, so no core is left with one of them at the end.
    for (int scale = 3; scale >= 1; --scale)
        for (auto& p : pictures)
            if (p.opaque)
                jobs.push_back ({ &p, scale });
    for (int scale = 3; scale >= 1; --scale)
        for (auto& p : pictures)
            if (! p.opaque)
                jobs.push_back ({ &p, scale });

    std::atomic<size_t> next { 0 };
    std::atomic<bool> ok { true };
    auto work = [&]
    {
        for (size_t i = next++; i < jobs.size(); i = next++)
        {
            auto& job = jobs[i];
            auto file = pictureFile (folder, job.picture->name, job.scale);
            if (! writePng (renderPicture (*job.picture, job.scale), file))
            {
                std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
                ok = false;
            }
        }
    };
    std::vector<std::thread> threads;
    unsigned count = std::max (1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < count; ++t)
        threads.emplace_back (work);
    for (auto& t : threads)
        t.join();
    return ok;
}
} // namespace torvane::art
