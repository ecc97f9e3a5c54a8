#pragma once

namespace zem::maker
{

// The toolkit maker's name and web site, shown on every editor built with it.
inline const char* const name = "Quillmoor Audio";
inline const char* const siteHost = "quillmoor.example";
inline const char* const siteUrl = "https://quillmoor.example";

} // namespace zem::maker
