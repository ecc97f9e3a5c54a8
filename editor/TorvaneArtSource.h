#pragma once

#include <zem/zem.h>

#include "TorvaneBundle.h"

// The product's embedded art and layout files, described for the editor toolkit.
inline zem::ArtSource torvaneArtSource()
{
    return { TorvaneBundle::namedResourceList, TorvaneBundle::namedResourceListSize,
             &TorvaneBundle::getNamedResource };
}
