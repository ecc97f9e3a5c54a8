#pragma once

#include "Scene.h"

namespace torvane::art
{
// art.json: a "_comment" of 47 lines for the artists, "design" 560 by 560 and "layout" with
// every entry, CRLF line ends, plain ASCII. The comment's last line is padded so the file
// is always 37,181 bytes long: the product's layout file has that fixed size.
juce::String layoutJson (const std::vector<LayoutEntry>& entries);

constexpr int layoutFileBytes = 37181;
} // namespace torvane::art
