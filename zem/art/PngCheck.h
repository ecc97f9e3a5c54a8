#pragma once

namespace zem
{

/** True when the bytes are a complete PNG file that the framework's decoder can read
    without its error path: signature, chunk lengths and checksums, a valid header,
    the critical chunks in order and image data that inflates to exactly the rows the
    header promises, each with a known filter. The decoder of this framework version
    crashes on a damaged file instead of failing, so damaged files never reach it. */
bool isCompletePng (const void* data, size_t size);

} // namespace zem
