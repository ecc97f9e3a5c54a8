#include "TorvaneProcessor.h"

#include <gtest/gtest.h>

TEST (Processor, HasThreeParametersInOrder)
{
    juce::ScopedJuceInitialiser_GUI juce;
    TorvaneProcessor processor;
    const auto& params = processor.getParameters();
    ASSERT_EQ (params.size(), 3);
    EXPECT_EQ (processor.apvts.getParameter ("drive")->getName (32), "Drive");
    EXPECT_EQ (processor.apvts.getParameter ("blend")->getName (32), "Blend");
    EXPECT_EQ (processor.apvts.getParameter ("page")->getName (32), "Page");
}
