namespace zem
{
namespace controlArt
{
    float drawScale (juce::Graphics& g, const ArtKit* kit)
    {
        return kit != nullptr ? kit->imageScale (g) : 1.0f;
    }

    const ArtKit& emptyKit()
    {
        static const ArtKit kit { nullptr };
        return kit;
    }

    void drawBox (juce::Graphics& g, const ArtKit* kit, juce::Rectangle<float> b, float scale, float corner)
    {
        if (kit != nullptr && kit->bezel != nullptr && b.getWidth() > 0.0f && b.getHeight() > 0.0f)
        {
            const auto& image = kit->bezel->imageFor (scale);
            if (image.isValid())
            {
                g.drawImage (image, b, juce::RectanglePlacement::stretchToFit, false);
                return;
            }
        }

        // On panel art the text stands on the panel itself.
        if (kit != nullptr && isPresent (kit->panel))
            return;

        g.setColour (palette::ink.darker (0.4f));
        g.fillRoundedRectangle (b, corner);
        g.setColour (palette::slate);
        g.drawRoundedRectangle (b.getX() + 0.5f, b.getY() + 0.5f, juce::jmax (b.getWidth() - 1.0f, 0.0f),
                                juce::jmax (b.getHeight() - 1.0f, 0.0f), corner, 1.0f);
    }

    void announce (juce::Component& component, const juce::String& description)
    {
        component.setDescription (description);
        if (auto* handler = component.getAccessibilityHandler())
            handler->notifyAccessibilityEvent (juce::AccessibilityEvent::valueChanged);
        component.repaint();
    }
}
}
