#pragma once

namespace zem
{

/** The toolkit's bold font at a height. */
juce::Font boldFont (float height);

/** The toolkit's plain font at a height (default typeface, plain style). */
juce::Font plainFont (float height);

} // namespace zem
