namespace zem
{

namespace
{
    constexpr float radiansPerDegree = 0.017453292f;

    // A var's member by exact name, only when the var is an object.
    bool stepInto (juce::var& current, const juce::String& segment)
    {
        auto* object = current.getDynamicObject();

        if (object == nullptr)
            return false;

        if (segment.isEmpty())
        {
            // An empty member name cannot be an Identifier; search the properties by text.
            for (auto& property : object->getProperties())
                if (property.name.toString().isEmpty())
                {
                    const auto member = property.value;
                    current = member;
                    return true;
                }

            return false;
        }

        const juce::Identifier id (segment);

        if (! object->hasProperty (id))
            return false;

        // Copied before the assignment, which may drop the last hold on the object.
        const auto member = object->getProperty (id);
        current = member;
        return true;
    }

    juce::StringArray splitPath (const juce::String& path)
    {
        juce::StringArray segments;

        if (path.isEmpty())
            return segments;

        int start = 0;

        for (;;)
        {
            const int dot = path.indexOfChar (start, '.');

            if (dot < 0)
            {
                segments.add (path.substring (start));
                return segments;
            }

            segments.add (path.substring (start, dot));
            start = dot + 1;
        }
    }
}

void ArtDocs::addDocument (const char* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    // A zero byte among the data ends the text early.
    const auto length = (size_t) juce::jmax (0, (int) strnlen (data, (size_t) size));
    auto parsed = juce::JSON::parse (juce::String::fromUTF8 (data, (int) length));

    if (parsed.getDynamicObject() != nullptr)
        documents.add (parsed);
}

juce::var ArtDocs::lookupPath (const juce::String& path) const
{
    const auto segments = splitPath (path);

    for (int i = documents.size(); --i >= 0;)
    {
        auto current = documents.getReference (i);
        bool found = true;

        for (auto& segment : segments)
            if (! stepInto (current, segment))
            {
                found = false;
                break;
            }

        if (found && ! current.isVoid())
            return current;
    }

    return {};
}

juce::Rectangle<float> ArtDocs::layoutRect (const juce::String& name, juce::Rectangle<float> fallback) const
{
    const auto value = lookupPath ("layout." + name);
    const auto* entries = value.getArray();

    if (entries == nullptr || entries->size() < 4)
        return fallback;

    auto number = [entries] (int index) { return (float) entries->getReference (index); };
    return { number (0), number (1), number (2), number (3) };
}

bool ArtDocs::hasLayoutRect (const juce::String& name) const
{
    const auto value = lookupPath ("layout." + name);
    const auto* entries = value.getArray();
    return entries != nullptr && entries->size() >= 4;
}

int ArtDocs::frameCount (const juce::String& name, int fallback) const
{
    const auto value = lookupPath ("frames." + name);

    if (value.isVoid())
        return fallback;

    return juce::jmax (1, (int) value);
}

juce::String ArtDocs::glyphOrder (const juce::String& fallback) const
{
    const auto value = lookupPath ("glyphs.order");
    return value.isVoid() ? fallback : value.toString();
}

std::pair<float, float> ArtDocs::knobRange (std::pair<float, float> fallback) const
{
    const auto startValue = lookupPath ("knob.startDegrees");
    const auto endValue = lookupPath ("knob.endDegrees");

    if (startValue.isVoid() || endValue.isVoid())
        return fallback;

    const float start = (float) startValue * radiansPerDegree;
    const float end = (float) endValue * radiansPerDegree;
    return { start, juce::jmax (end, start) };
}

std::pair<int, int> ArtDocs::designSize (std::pair<int, int> fallback) const
{
    const auto width = lookupPath ("design.width");
    const auto height = lookupPath ("design.height");

    if (width.isVoid() || height.isVoid())
        return fallback;

    return { (int) width, (int) height };
}

} // namespace zem
