#include "PictureCatalog.h"
#include "Sprites.h"

namespace torvane::art
{
// The mouth frames fade into the face over their outer pixels; the warm frames fade the
// same way, so the warm glow they carry blends with the glow under the frame's edge.
constexpr float mouthFeather = 3.0f;

PictureCatalog::PictureCatalog()
{
    for (auto c : allCharacters)
    {
        scenes.push_back (std::make_unique<Scene> (c));
        painters.push_back (std::make_unique<ScenePainter> (*scenes.back()));
    }
    for (auto c : allCharacters)
        addCharacter (c);
    addShared();
}

const Picture* PictureCatalog::find (const juce::String& name) const
{
    for (auto& p : list)
        if (p.name == name)
            return &p;
    return nullptr;
}

std::vector<LayoutEntry> PictureCatalog::layout() const
{
    std::vector<LayoutEntry> all;
    for (auto& s : scenes)
        for (auto& e : s->layout())
            all.push_back (e);
    return all;
}

void PictureCatalog::add (const Scene& s, const juce::String& name, std::function<void (juce::Graphics&)> paint)
{
    list.push_back ({ name, s.rectFor (name), false, 0, std::move (paint) });
}

void PictureCatalog::addCrop (const Scene& s, const juce::String& name, Rect rect, Pose pose, float feather)
{
    // A piece of the whole page, opaque: patches and mouth frames.
    auto& painter = *painters[(size_t) s.character];
    list.push_back ({ name, rect, false, feather, [&painter, pose] (juce::Graphics& g) { painter.paintPage (g, pose); } });
}

void PictureCatalog::addCharacter (Character c)
{
    const auto& s = *scenes[(size_t) c];
    const auto& p = *painters[(size_t) c];
    const auto P = pageWord (c);
    auto n = [] (int i) { return juce::String (i); };

    list.push_back ({ pageName (c), Scene::content(), true, 0, [&p] (juce::Graphics& g) { p.paintPage (g, {}); } });
    if (c == Character::Rare)
        add (s, "warmRare", [&p] (juce::Graphics& g) { p.paintWarmGlow (g); });

    const char* letters[] = { "A", "B", "C" };
    for (int j = 0; j < 3; ++j)
    {
        add (s, juce::String ("coals") + letters[j] + P, [&p, j] (juce::Graphics& g) { p.fire.paintLitCoals (g, j); });
        add (s, juce::String ("glisten") + letters[j] + P, [&p, j] (juce::Graphics& g) { p.paintGlisten (g, j); });
    }
    add (s, "indicator" + P, [&p] (juce::Graphics& g) { p.face.paintIndicatorGlow (g); });

    Pose bare;
    bare.transformer = bare.cable = false;
    addCrop (s, "behind" + P, s.rectFor ("behind" + P), bare);
    add (s, "cable" + P, [&p] (juce::Graphics& g) { p.machine.paintCable (g); });
    add (s, "transformer" + P, [&p] (juce::Graphics& g) { p.machine.paintTransformer (g); });
    add (s, "valveDim" + P, [&p] (juce::Graphics& g) { p.machine.paintValveDim (g); });
    add (s, "valveHot" + P, [&p] (juce::Graphics& g) { p.machine.paintValveHot (g); });

    for (int f = 0; f < FacePainter::mouthFrames; ++f)
    {
        Pose pose;
        pose.mouthFrame = f;
        addCrop (s, "mouth" + P + n (f), s.rectFor ("mouth" + P), pose, mouthFeather);
    }

    for (int k = 0; k < 2; ++k)
    {
        // The open white without its pupil; its alpha is the pupil's clip.
        const auto& white = s.eyes[k].white;
        add (s, "eye" + P + n (k), [&p, &white] (juce::Graphics& g)
        {
            Pose pose;
            pose.pupils = false;
            g.reduceClipRegion (white);
            p.paintPage (g, pose);
        });
        add (s, "pupil" + P + n (k), [&p, k] (juce::Graphics& g) { p.face.paintPupil (g, k); });
    }

    add (s, "cone" + P, [&p] (juce::Graphics& g) { p.machine.paintCone (g); });
    for (int k = 0; k < 6; ++k)
        add (s, "flap" + P + n (k), [&p, k] (juce::Graphics& g) { p.machine.paintFlap (g, k); });
    for (int v = 0; v < (int) s.flames.size(); ++v)
        add (s, "flame" + P + n (v), [&p, v] (juce::Graphics& g) { p.fire.paintFlame (g, v); });
    for (int k = 0; k < (int) s.drips.size(); ++k)
    {
        auto drop = [&p, k] (juce::Graphics& g) { p.fire.paintDrip (g, k); };
        add (s, "drip" + P + n (k), drop);
        // The page without the drop, cut to exactly the drop's own alpha: the patch never
        // shows beyond the drop as a cold halo over the warm glow or a lit coal's light.
        add (s, "dripBehind" + P + n (k), [&p, k] (juce::Graphics& g)
        {
            Pose pose;
            pose.hiddenDrip = k;
            p.paintPage (g, pose);
        });
        list.back().mask = drop;
    }
    for (int v = 0; v < (int) s.smoke.size(); ++v)
        add (s, "smoke" + P + n (v), [&p, v] (juce::Graphics& g) { p.fire.paintSmoke (g, v); });
}

void PictureCatalog::addShared()
{
    const auto& rare = *scenes[0];
    const auto& painter = *painters[0];
    add (rare, "knob", [] (juce::Graphics& g) { paintKnobCap (g, Scene::knob(), false); });
    add (rare, "blend", [] (juce::Graphics& g) { paintKnobCap (g, Scene::blend(), true); });
    for (int i = 0; i < 4; ++i)
        add (rare, "spark" + juce::String (i), [i] (juce::Graphics& g) { paintSpark (g, Scene::spark (i), i); });
    for (int f = 0; f < FacePainter::mouthFrames; ++f)
        list.push_back ({ "mouthWarm" + juce::String (f), rare.rectFor ("mouthRare"), false, mouthFeather,
                          [&painter, f] (juce::Graphics& g) { painter.paintMouthWarm (g, f); } });
}
} // namespace torvane::art
