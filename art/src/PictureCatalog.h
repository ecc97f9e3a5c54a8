#pragma once

#include "Picture.h"
#include "ScenePainter.h"
#include <memory>

namespace torvane::art
{
// Every picture of the product, each cut from its character's scene at the rectangle the
// layout file gives it.
class PictureCatalog
{
public:
    PictureCatalog();

    const std::vector<Picture>& pictures() const { return list; }
    const Picture* find (const juce::String& name) const;
    const Scene& scene (Character c) const { return *scenes[(size_t) c]; }
    std::vector<LayoutEntry> layout() const;

private:
    std::vector<std::unique_ptr<Scene>> scenes;
    std::vector<std::unique_ptr<ScenePainter>> painters;
    std::vector<Picture> list;

    void addCharacter (Character c);
    void addShared();
    void add (const Scene& s, const juce::String& name, std::function<void (juce::Graphics&)> paint);
    void addCrop (const Scene& s, const juce::String& name, Rect rect, Pose pose, float feather = 0);
};
} // namespace torvane::art
