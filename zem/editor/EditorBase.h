#pragma once

namespace zem
{

/** The toolkit's base editor: a resizable window that fits its design square into
    the window, draws the art set's panel or a drawn header, and carries the logo badge
    and the About panel. Products derive from it, create their children, then call
    finishSetup; layoutContent places them. */
class EditorBase : public juce::AudioProcessorEditor
{
public:
    /** The button showing the "logo" art; its click opens the About panel. */
    class LogoBadge : public juce::Button
    {
    public:
        explicit LogoBadge (const juce::String& name);
        void paintButton (juce::Graphics&, bool highlighted, bool down) override;

        ArtKit* kit = nullptr;
    };

    /** The overlay with the product's name, version, tagline, site button and Close. It
        keeps the keyboard focus among its own buttons while open; Escape closes it as
        Close does. */
    class AboutPanel : public juce::Component
    {
    public:
        AboutPanel (const juce::String& productName, const juce::String& version);
        void paint (juce::Graphics&) override;
        void resized() override;
        bool keyPressed (const juce::KeyPress&) override;

        /** Hides the panel, then tells onClose. */
        void close();

        juce::Label nameLabel, versionLabel, taglineLabel;
        juce::TextButton siteButton, closeButton;

        /** Opens a web address; replaced in tests so that no browser is started. */
        std::function<void (const juce::URL&)> openUrl;
        std::function<void()> onClose;
    };

    EditorBase (juce::AudioProcessor& processor, const ArtSource& source, int designWidth, int designHeight);
    EditorBase (juce::AudioProcessor& processor, int designWidth, int designHeight);
    ~EditorBase() override;

    /** Makes the editor resizable and gives it its design size; called last by the product. */
    void finishSetup();

    juce::Rectangle<int> fittedArea() const;
    float contentScale() const;
    juce::Rectangle<int> layoutBounds (const juce::String& name, juce::Rectangle<float> fallback) const;
    juce::Rectangle<int> contentBounds() const;
    juce::Rectangle<int> logoBounds() const;

    void showAbout();
    void drawBackdrop (juce::Graphics&);

    void paint (juce::Graphics&) override;
    void resized() override;
    void parentHierarchyChanged() override;

    /** Places the product's children in the content area; called last by every resize. */
    virtual void layoutContent (juce::Rectangle<int> contentArea);

    /** The panel, once the badge has been clicked; null before. */
    AboutPanel* getAboutPanel() const noexcept { return aboutPanel.get(); }
    LogoBadge& getLogoBadge() noexcept { return logoBadge; }
    /** The window that shows a control's help text under the pointer; made once the editor
        is in a window on the screen, null before. */
    juce::TooltipWindow* getTooltipWindow() const noexcept { return tooltipWindow.get(); }

    /** How long the pointer rests on a control before its help text shows. */
    static constexpr int tooltipDelayMs = 700;

private:
    std::unique_ptr<AboutPanel> aboutPanel;
    std::shared_ptr<ArtStoreCache> cache;

public:
    ArtKit kit;

private:
    LogoBadge logoBadge;
    LookAndFeel lookAndFeel;

public:
    int designWidth = 0;
    int designHeight = 0;

private:
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;
    // The controls under the open About panel, taken out of the accessibility tree.
    std::vector<juce::Component::SafePointer<juce::Component>> coveredControls;

    void aboutClosed();
    void setCoveredControlsAccessible (bool accessible);
    void paintHeader (juce::Graphics&);
    void paintPanel (juce::Graphics&);
    juce::String productName() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorBase)
};

} // namespace zem
