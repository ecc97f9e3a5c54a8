#include "zem.h"

#include <atomic>
#include <cmath>
#include <cstring>

#include "editor/Maker.h"

#include "bundle/ResourceId.cpp"
#include "docs/ArtDocs.cpp"
#include "art/PngCheck.cpp"
#include "art/ArtEntry.cpp"
#include "art/ArtStore.cpp"
#include "art/ArtKit.cpp"
#include "art/ArtStoreCache.cpp"
#include "look/FontOptions.cpp"
#include "look/Fonts.cpp"
#include "look/GlyphText.cpp"
#include "look/LookAndFeel.cpp"
#include "editor/EditorBase.cpp"
#include "editor/LogoBadge.cpp"
#include "editor/AboutPanel.cpp"

#include "controls/ControlArt.cpp"
#include "controls/ValueWindow.cpp"
#include "controls/KnobSlider.cpp"
#include "controls/Knob.cpp"
#include "controls/Selector.cpp"
#include "controls/ArtButton.cpp"
#include "controls/ButtonGroup.cpp"
#include "controls/Lamp.cpp"
#include "controls/Lane.cpp"
#include "controls/DevReadout.cpp"
