#pragma once

#include <zem/zem.h>

#include "TorvaneBundle.h"

// The product's embedded art and layout files, described for the editor toolkit.
inline const zem::ArtSource& torvaneArtSource()
{
    static const zem::ArtSource source { TorvaneBundle::namedResourceList, TorvaneBundle::namedResourceListSize,
                                         &TorvaneBundle::getNamedResource };
    return source;
}
