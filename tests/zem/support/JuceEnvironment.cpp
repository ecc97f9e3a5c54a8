#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
    // Components, fonts and images need the framework's GUI side set up once per test run.
    class JuceEnvironment : public ::testing::Environment
    {
    public:
        void SetUp() override { gui = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
        void TearDown() override { gui.reset(); }

    private:
        std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;
    };
}

static auto* const environment = ::testing::AddGlobalTestEnvironment (new JuceEnvironment);
