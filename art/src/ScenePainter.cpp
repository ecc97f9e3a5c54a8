#include "ScenePainter.h"

namespace torvane::art
{
using namespace paint;

void ScenePainter::paintPage (Graphics& g, const Pose& pose) const
{
    backdrop.paintWall (g);
    backdrop.paintSign (g);
    machine.paintShelf (g);
    machine.paintCabinet (g);
    face.paintHead (g);
    for (int k = 0; k < 2; ++k)
        face.paintEye (g, k, pose.pupils);
    face.paintMouth (g, pose.mouthFrame);
    if (pose.cable)
        machine.paintCable (g);
    if (pose.transformer)
        machine.paintTransformer (g);
    fire.paintGrill (g, pose.hiddenDrip);
}

void ScenePainter::paintGlisten (Graphics& g, int group) const
{
    for (auto& r : scene.glints[group])
    {
        fillGlow (g, r.getCentre(), r.getWidth() * 0.5f + 3, r.getHeight() * 0.5f + 3, rgba (255, 250, 225, 0.45f));
        g.setColour (rgba (255, 252, 235, 0.95f));
        g.fillEllipse (r.reduced (r.getWidth() * 0.2f, r.getHeight() * 0.25f));
    }
}

void ScenePainter::paintWarmGlow (Graphics& g) const
{
    fillGlow (g, { 266, 470 }, 236, 78, rgba (255, 120, 60, 0.55f));
    fillGlow (g, scene.mouthCentre + Point (0, 10), 100, 64, rgba (255, 150, 90, 0.35f));
    fillGlow (g, { 170, 300 }, 46, 30, rgba (255, 110, 90, 0.35f));
    fillGlow (g, { 384, 318 }, 40, 26, rgba (255, 110, 90, 0.3f));
}

void ScenePainter::paintMouthWarm (Graphics& g, int frame) const
{
    // The frames cover the face's warm glow inside their rectangle, so each warm frame
    // carries that glow too (both are drawn at the same strength), and the hot throat.
    paintWarmGlow (g);
    float o = (float) frame / (float) (FacePainter::mouthFrames - 1);
    auto c = scene.mouthCentre;
    if (frame > 0)
    {
        auto opening = face.mouthOpening (o);
        auto b = opening.getBounds();
        g.setGradientFill (radial (rgba (255, 210, 120, 0.95f), { c.x, b.getBottom() - b.getHeight() * 0.3f }, rgba (230, 60, 40, 0.6f), b.getWidth() * 0.55f));
        g.fillPath (opening);
    }
    g.setColour (rgba (255, 150, 100, 0.6f));
    g.strokePath (face.mouthLine (o, false), PathStrokeType (2.0f, PathStrokeType::curved, PathStrokeType::rounded));
}
} // namespace torvane::art
