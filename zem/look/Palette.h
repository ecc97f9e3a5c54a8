#pragma once

namespace zem::palette
{

// The toolkit's nine shared colours.
inline const juce::Colour ink      { 0xff1f1d1b };
inline const juce::Colour charcoal { 0xff2a2724 };
inline const juce::Colour slate    { 0xff4a453f };
inline const juce::Colour cream    { 0xfff2e9dc };
inline const juce::Colour ash      { 0xff9a918a };
inline const juce::Colour accent   { 0xffff7a3d };
inline const juce::Colour rust     { 0xff8a4a2a };
inline const juce::Colour green    { 0xff7ed07e };
inline const juce::Colour amber    { 0xffffc857 };

} // namespace zem::palette
