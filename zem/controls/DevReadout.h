#pragma once

namespace zem
{
// A development readout placeholder: hidden, silent to assistive technology, and it
// draws nothing.
class DevReadout : public juce::Component
{
public:
    DevReadout();

    const juce::String& getText() const noexcept { return text; }

    void paint (juce::Graphics&) override {}

private:
    juce::String text;
};
}
