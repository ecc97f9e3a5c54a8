#pragma once

namespace torvane::art
{
// What the page shows beyond its rest pose: the mouth frame, and the pieces left out of
// the patches that the editor draws behind moving parts.
struct Pose
{
    int mouthFrame = 0;
    bool transformer = true;   // body and valve
    bool cable = true;
    int hiddenDrip = -1;
    bool pupils = true;
};
} // namespace torvane::art
