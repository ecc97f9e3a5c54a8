namespace zem
{

namespace
{
    bool isScaleDigit (juce::juce_wchar c) noexcept { return c >= '1' && c <= '3'; }
}

bool parseResourceId (const juce::String& identifier, juce::String& baseName, int& scale, juce::String& extension)
{
    const int p = identifier.lastIndexOfChar ('_');

    if (p <= 0)
        return false;

    extension = identifier.substring (p + 1).toLowerCase();
    auto base = identifier.substring (0, p);
    scale = 1;

    const int n = base.length();

    // "_2x" suffix: the underscore form may leave an empty base, which the caller rejects.
    if (n >= 3 && base[n - 3] == '_' && isScaleDigit (base[n - 2]) && base[n - 1] == 'x')
    {
        scale = (int) (base[n - 2] - '0');
        base = base.substring (0, n - 3);
    }
    // "2x" suffix: only after at least one character of base.
    else if (n > 2 && isScaleDigit (base[n - 2]) && base[n - 1] == 'x')
    {
        scale = (int) (base[n - 2] - '0');
        base = base.substring (0, n - 2);
    }

    baseName = base;
    return baseName.isNotEmpty();
}

} // namespace zem
