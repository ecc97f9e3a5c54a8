// The Drive knob of the built plug-in, loaded by the project's host in a window on a
// private X server: the pointer and the keyboard turn it as a user does, and the host
// reads the parameter back; the host sets the parameter and the knob's pixels follow.
#include "HostRun.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
TEST (PluginControls, DriveKnobAndHostParameterMoveEachOther)
{
    const auto run = HostRun::run ("controls", std::string ("'") + TORVANE_ART_LAYOUT + "'", true);
    std::string output;
    for (const auto& line : run.lines)
        output += line + "\n";
    SCOPED_TRACE (output);

    EXPECT_EQ (run.value ("view.drawn"), "yes");
    // Dragging upwards from zero turns the parameter up, and so does the up arrow after it.
    EXPECT_EQ (run.value ("drag.reachesHost"), "yes");
    EXPECT_EQ (run.value ("drag.before"), "0");
    EXPECT_GT (std::atof (run.value ("drag.after").c_str()), 0.05);
    EXPECT_EQ (run.value ("key.reachesHost"), "yes");
    EXPECT_GT (std::atof (run.value ("key.after").c_str()), std::atof (run.value ("drag.after").c_str()));
    // From the host's side: the knob's pixels change when the parameter goes from 0 to 1,
    // and come back to the same picture when it returns to 0.
    EXPECT_EQ (run.value ("host.movesKnob"), "yes");
    EXPECT_EQ (run.value ("host.knobReturns"), "yes");
    EXPECT_EQ (run.status, 0);
}
} // namespace
