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

            void setValue (double newValue) override { slider.setValueAsGesture (newValue); }

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

    // A key held with Command, Ctrl or Alt is a shortcut, left to the host.
    bool isShortcut (const juce::KeyPress& key)
    {
        const auto mods = key.getModifiers();
        return mods.isCommandDown() || mods.isCtrlDown() || mods.isAltDown();
    }
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
    if (isShortcut (key) || (mods.isShiftDown() && ! arrow))
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

// A key of the knob's is taken even while a drag holds the gesture open, so that it goes
// no further, but then moves nothing. Any key but a shortcut shows the focus ring.
bool KnobSlider::keyPressed (const juce::KeyPress& key)
{
    if (! isShortcut (key))
        setRingWanted (true);
    const auto target = targetFor (key);
    if (! target.has_value())
        return false;
    setValueAsGesture (*target);
    return true;
}

// Begin, value and end reach the host for one press, so that it records the press for
// undo and automation. A value at the end of the range changes nothing and sends nothing;
// so does one while a gesture is open: the host must not see one gesture inside another,
// and a drag's next move would overwrite the value anyway.
void KnobSlider::setValueAsGesture (double newValue)
{
    newValue = juce::jlimit (getMinimum(), getMaximum(), newValue);
    if (isGestureOpen() || juce::approximatelyEqual (newValue, getValue()))
        return;
    ScopedDragNotification gesture (*this);
    setValue (newValue, juce::sendNotificationSync);
}

// Every gesture, the slider's own drags and the knob's keys alike, opens and closes
// through these two.
void KnobSlider::startedDragging()
{
    ++openGestures;
}

void KnobSlider::stoppedDragging()
{
    openGestures = juce::jmax (0, openGestures - 1);
}

bool KnobSlider::showsFocusRing() const
{
    return ringWanted && hasKeyboardFocus (false);
}

// A click gives the focus without a ring; Tab and a direct grab (a panel handing the
// focus back, a screen reader) bring one. The window getting its focus back is a direct
// grab too, and restores what the knob showed when the window lost it.
bool KnobSlider::ringOnFocusFrom (FocusChangeType cause) const
{
    if (cause == focusChangedByMouseClick)
        return false;
    if (cause == focusChangedDirectly && awayWithWindow)
        return ringWanted;
    return true;
}

void KnobSlider::setRingWanted (bool wanted)
{
    if (wanted == ringWanted)
        return;
    ringWanted = wanted;
    repaint();
}

void KnobSlider::focusGained (FocusChangeType cause)
{
    ringWanted = ringOnFocusFrom (cause);
    awayWithWindow = false;
    repaint();
}

// The window losing its focus takes it from the knob as a click would, but leaves no
// component focused; the knob then keeps its ring for the window's return.
void KnobSlider::focusLost (FocusChangeType cause)
{
    awayWithWindow = cause == focusChangedByMouseClick && getCurrentlyFocusedComponent() == nullptr;
    if (! awayWithWindow)
        ringWanted = false;
    repaint();
}

std::unique_ptr<juce::AccessibilityHandler> KnobSlider::createAccessibilityHandler()
{
    return std::make_unique<KnobAccessibility> (*this);
}
}
