namespace zem
{
namespace
{
    // The framework's slider handler, but stepping by the knob's arrow step.
    class KnobAccessibility : public juce::AccessibilityHandler
    {
    public:
        explicit KnobAccessibility (KnobSlider& s)
            : juce::AccessibilityHandler (s, juce::AccessibilityRole::slider, {},
                                          Interfaces { std::make_unique<Value> (s) }),
              slider (s)
        {
        }

        juce::String getHelp() const override { return slider.getTooltip(); }

    private:
        class Value : public juce::AccessibilityValueInterface
        {
        public:
            explicit Value (KnobSlider& s) : slider (s) {}

            bool isReadOnly() const override { return false; }
            double getCurrentValue() const override { return slider.getValue(); }

            void setValue (double newValue) override
            {
                juce::Slider::ScopedDragNotification gesture (slider);
                slider.setValue (newValue, juce::sendNotificationSync);
            }

            juce::String getCurrentValueAsString() const override { return slider.getTextFromValue (getCurrentValue()); }
            void setValueAsString (const juce::String& text) override { setValue (slider.getValueFromText (text)); }

            AccessibleValueRange getRange() const override
            {
                return { { slider.getMinimum(), slider.getMaximum() }, slider.arrowStep() };
            }

        private:
            KnobSlider& slider;
        };

        KnobSlider& slider;
    };
}

double KnobSlider::arrowStep() const
{
    return 0.01 * getRange().getLength();
}

double KnobSlider::fineStep() const
{
    const double interval = getInterval();
    return interval > 0.0 ? interval : 0.1 * arrowStep();
}

double KnobSlider::pageStep() const
{
    return 0.1 * getRange().getLength();
}

std::optional<double> KnobSlider::targetFor (const juce::KeyPress& key) const
{
    const auto mods = key.getModifiers();
    const int code = key.getKeyCode();
    const bool arrow = code == juce::KeyPress::upKey || code == juce::KeyPress::downKey
                    || code == juce::KeyPress::rightKey || code == juce::KeyPress::leftKey;

    // Other modifiers are left to the host's own shortcuts.
    if (mods.isCommandDown() || mods.isCtrlDown() || mods.isAltDown() || (mods.isShiftDown() && ! arrow))
        return std::nullopt;

    const double value = getValue();
    const double step = mods.isShiftDown() ? fineStep() : arrowStep();

    if (code == juce::KeyPress::upKey || code == juce::KeyPress::rightKey)
        return value + step;
    if (code == juce::KeyPress::downKey || code == juce::KeyPress::leftKey)
        return value - step;
    if (code == juce::KeyPress::pageUpKey)
        return value + pageStep();
    if (code == juce::KeyPress::pageDownKey)
        return value - pageStep();
    if (code == juce::KeyPress::homeKey)
        return getMinimum();
    if (code == juce::KeyPress::endKey)
        return getMaximum();
    return std::nullopt;
}

bool KnobSlider::keyPressed (const juce::KeyPress& key)
{
    const auto target = targetFor (key);
    if (! target.has_value())
        return false;
    setValueAsGesture (juce::jlimit (getMinimum(), getMaximum(), *target));
    return true;
}

// Begin, value and end reach the host for one press, so that it records the press for
// undo and automation; a press at the end of the range changes nothing and sends nothing.
void KnobSlider::setValueAsGesture (double newValue)
{
    if (juce::approximatelyEqual (newValue, getValue()))
        return;
    ScopedDragNotification gesture (*this);
    setValue (newValue, juce::sendNotificationSync);
}

void KnobSlider::focusGained (FocusChangeType)
{
    repaint();
}

void KnobSlider::focusLost (FocusChangeType)
{
    repaint();
}

std::unique_ptr<juce::AccessibilityHandler> KnobSlider::createAccessibilityHandler()
{
    return std::make_unique<KnobAccessibility> (*this);
}
}
