/*
BEGIN_JUCE_MODULE_DECLARATION
  ID:               zem
  vendor:           Quillmoor Audio
  version:          0.1.1
  name:             zem editor toolkit
  description:      Art-drawn editor toolkit: resource bundle, art store, layout documents, editor base and controls.
  license:          GPLv3
  dependencies:     juce_gui_basics, juce_audio_processors
END_JUCE_MODULE_DECLARATION
*/
#pragma once
#define ZEM_H_INCLUDED

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bundle/ArtSource.h"
#include "bundle/ResourceId.h"
#include "docs/ArtDocs.h"
#include "art/PngCheck.h"
#include "art/ArtEntry.h"
#include "art/ArtStore.h"
#include "art/ArtKit.h"
#include "art/ArtStoreCache.h"
#include "look/Palette.h"
#include "look/FontOptions.h"
#include "look/Fonts.h"
#include "look/GlyphText.h"
#include "look/LookAndFeel.h"
#include "editor/EditorBase.h"

#include "controls/ControlArt.h"
#include "controls/ValueWindow.h"
#include "controls/KnobSlider.h"
#include "controls/Knob.h"
#include "controls/Selector.h"
#include "controls/ArtButton.h"
#include "controls/ButtonGroup.h"
#include "controls/Lamp.h"
#include "controls/Lane.h"
#include "controls/DevReadout.h"
