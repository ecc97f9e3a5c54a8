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
