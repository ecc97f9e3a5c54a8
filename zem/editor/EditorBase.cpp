namespace zem
{

namespace
{
    // The product's version as the plug-in build states it.
    juce::String productVersion()
    {
       #ifdef JucePlugin_VersionString
        return JucePlugin_VersionString;
       #else
        return {};
       #endif
    }

    ArtSource noResources() { return {}; }

    std::shared_ptr<ArtStoreCache> acquireCache()
    {
        // Finds the live cache again without keeping it alive: the editors own it.
        static ArtStoreCache::Holder holder;
        return ArtStoreCache::acquire (holder);
    }
}

EditorBase::EditorBase (juce::AudioProcessor& processor, const ArtSource& source, int width, int height)
    : juce::AudioProcessorEditor (processor),
      cache (acquireCache()),
      kit (cache->get (source)),
      logoBadge (maker::name),
      designWidth (width),
      designHeight (height)
{
    lookAndFeel.kit = &kit;
    setLookAndFeel (&lookAndFeel);

    logoBadge.kit = &kit;
    logoBadge.setTitle (maker::name);
    logoBadge.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    logoBadge.onClick = [this] { showAbout(); };
    addChildComponent (logoBadge, -1);

    setOpaque (true);
}

EditorBase::EditorBase (juce::AudioProcessor& processor, int width, int height)
    : EditorBase (processor, noResources(), width, height)
{
}

EditorBase::~EditorBase()
{
    tooltipWindow.reset();
    setLookAndFeel (nullptr);
}

// The tooltip window follows the pointer on the screen, so it is made only once the editor
// sits in a window there: without a display it would have no pointer to ask about.
void EditorBase::parentHierarchyChanged()
{
    if (tooltipWindow == nullptr && getPeer() != nullptr)
        tooltipWindow = std::make_unique<juce::TooltipWindow> (this, tooltipDelayMs);
}

void EditorBase::finishSetup()
{
    setResizable (true, true);
    setResizeLimits (designWidth, designHeight, 6000, 6000);
    // The product made its children before they had this editor as parent, so the parts a
    // control builds from its look-and-feel (a slider's text box, a combo box's label) came
    // from the framework's default look; tell them all about the toolkit's look now.
    sendLookAndFeelChange();
    setSize (designWidth, designHeight);
}

juce::Rectangle<int> EditorBase::fittedArea() const
{
    const auto bounds = getLocalBounds();

    if (designWidth <= 0 || designHeight <= 0)
        return bounds;

    const float s = juce::jmin ((float) bounds.getWidth() / (float) designWidth,
                                (float) bounds.getHeight() / (float) designHeight);
    const int fw = juce::roundToInt (s * (float) designWidth);
    const int fh = juce::roundToInt (s * (float) designHeight);
    return { bounds.getX() + (bounds.getWidth() / 2 - fw / 2),
             bounds.getY() + (bounds.getHeight() / 2 - fh / 2), fw, fh };
}

float EditorBase::contentScale() const
{
    return designWidth > 0 ? (float) fittedArea().getWidth() / (float) designWidth : 1.0f;
}

juce::Rectangle<int> EditorBase::layoutBounds (const juce::String& name, juce::Rectangle<float> fallback) const
{
    const auto fitted = fittedArea();
    const float s = contentScale();
    const auto r = kit.docs.layoutRect (name, fallback);
    return { fitted.getX() + juce::roundToInt (r.getX() * s), fitted.getY() + juce::roundToInt (r.getY() * s),
             juce::roundToInt (r.getWidth() * s), juce::roundToInt (r.getHeight() * s) };
}

juce::Rectangle<int> EditorBase::contentBounds() const
{
    if (isPresent (kit.panel) || kit.docs.hasLayoutRect ("content"))
        return layoutBounds ("content", { 12.0f, 30.0f, (float) designWidth - 24.0f, (float) designHeight - 42.0f });

    // Below the drawn header, with a margin on every side.
    const float s = contentScale();
    const auto fitted = fittedArea();
    const int header = juce::roundToInt (30.0f * s);
    const int margin = juce::roundToInt (12.0f * s);
    return { fitted.getX() + margin, fitted.getY() + header + margin,
             juce::jmax (fitted.getWidth() - 2 * margin, 0),
             juce::jmax (juce::jmax (fitted.getHeight() - header, 0) - 2 * margin, 0) };
}

juce::Rectangle<int> EditorBase::logoBounds() const
{
    if (isPresent (kit.panel) && kit.docs.hasLayoutRect ("logo"))
        return layoutBounds ("logo", {});

    // The top-right corner of the drawn header.
    const float s = contentScale();
    const auto fitted = fittedArea();
    const int side = juce::roundToInt (24.0f * s);
    return { fitted.getX() + juce::roundToInt (s * (float) (designWidth - 12 - 24)),
             fitted.getY() + juce::roundToInt (3.0f * s), side, side };
}

void EditorBase::resized()
{
    kit.contentScale = contentScale();

    if (aboutPanel != nullptr)
        aboutPanel->setBounds (getLocalBounds());

    if (isPresent (kit.find ("logo")))
    {
        logoBadge.setVisible (true);
        logoBadge.setBounds (logoBounds());
    }
    else
    {
        logoBadge.setVisible (false);
    }

    layoutContent (contentBounds());
}

void EditorBase::layoutContent (juce::Rectangle<int>) {}

void EditorBase::paint (juce::Graphics& g)
{
    g.fillAll (palette::ink);

    if (isPresent (kit.panel))
        paintPanel (g);
    else
        paintHeader (g);
}

void EditorBase::paintPanel (juce::Graphics& g)
{
    const auto fitted = fittedArea().toFloat();
    const float scale = kit.imageScale (g);

    drawBackdrop (g);

    if (fitted.getWidth() <= 0.0f || fitted.getHeight() <= 0.0f)
        return;

    for (auto* entry : { kit.panel, kit.lettering })
    {
        if (! isPresent (entry))
            continue;

        const auto& image = entry->imageFor (scale);

        if (image.isValid())
            g.drawImage (image, fitted, juce::RectanglePlacement::stretchToFit, false);
    }
}

void EditorBase::paintHeader (juce::Graphics& g)
{
    const float a = contentScale();
    const auto fitted = fittedArea();
    const int headerHeight = juce::jmax (0, juce::jmin (juce::roundToInt (30.0f * a), fitted.getHeight()));
    const int margin = juce::roundToInt (12.0f * a);
    int x = fitted.getX() + margin;
    int width = juce::jmax (fitted.getWidth() - 2 * margin, 0);

    g.setColour (palette::cream);
    g.setFont (boldFont (16.0f * a));
    g.drawText (productName(), x, fitted.getY(), width, headerHeight, juce::Justification::centredLeft, true);

    // The version and the rule stop short of the badge while it shows.
    if (logoBadge.isVisible())
    {
        const int right = logoBadge.getX() - juce::roundToInt (6.0f * a);
        x = juce::jmin (x, right);
        width = right - x;
    }

    g.setColour (palette::ash);
    g.setFont (plainFont (12.0f * a));
    g.drawText ("v" + productVersion(), x, fitted.getY(), width, headerHeight, juce::Justification::centredRight, true);

    g.setColour (palette::slate);
    g.drawHorizontalLine (fitted.getY() + headerHeight, (float) x, (float) (x + width));
}

void EditorBase::drawBackdrop (juce::Graphics& g)
{
    const auto* backdrop = kit.find ("backdrop");

    if (! isPresent (backdrop))
        return;

    const auto& image = backdrop->imageFor (kit.imageScale (g));

    if (! image.isValid())
        return;

    g.setTiledImageFill (image, 0, 0, 1.0f);
    g.fillAll();

    // A vignette darkens the bands around the design square once they are wide enough to notice.
    const auto bounds = getLocalBounds().toFloat();
    const auto fitted = fittedArea().toFloat();
    const float contentRadius = std::hypot (fitted.getWidth(), fitted.getHeight()) / 2.0f;
    const float editorRadius = std::hypot (bounds.getWidth(), bounds.getHeight()) / 2.0f;

    if (contentRadius * 1.02f >= editorRadius)
        return;

    const auto centre = bounds.getCentre();
    juce::ColourGradient vignette (juce::Colours::transparentBlack, centre.x, centre.y,
                                   juce::Colour (0x4d000000), centre.x, centre.y + editorRadius, true);
    vignette.addColour (juce::jlimit (0.001, 0.999, (double) (contentRadius / editorRadius)),
                        juce::Colours::transparentBlack);
    g.setGradientFill (vignette);
    g.fillAll();
}

void EditorBase::showAbout()
{
    if (aboutPanel == nullptr)
    {
        aboutPanel = std::make_unique<AboutPanel> (productName(), productVersion());
        aboutPanel->onClose = [this] { aboutClosed(); };
        addChildComponent (*aboutPanel, -1);
    }

    if (! aboutPanel->isVisible())
        setCoveredControlsAccessible (false);

    aboutPanel->setBounds (getLocalBounds());
    aboutPanel->setVisible (true);
    aboutPanel->toFront (true);
}

void EditorBase::aboutClosed()
{
    setCoveredControlsAccessible (true);
    logoBadge.grabKeyboardFocus();
}

// While the panel is open the controls under it are out of sight, so a screen reader
// must not meet them either; closing it gives back exactly those that were accessible.
void EditorBase::setCoveredControlsAccessible (bool accessible)
{
    if (accessible)
    {
        for (auto& control : coveredControls)
            if (control != nullptr)
                control->setAccessible (true);
        coveredControls.clear();
        return;
    }

    for (auto* child : getChildren())
    {
        if (child == aboutPanel.get() || ! child->isAccessible())
            continue;
        child->setAccessible (false);
        coveredControls.emplace_back (child);
    }
}

juce::String EditorBase::productName() const
{
    return processor.getName();
}

} // namespace zem
