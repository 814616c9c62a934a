// Pictures that gallery tests draw for people to look at: BMP files in
// the folder TARVEX_GALLERY_DIR names (else the current folder).
#pragma once

#include <string>

#include "platform/raster/raster_surface.h"

namespace tarvex {

// The gallery folder with a trailing separator ("" for the current folder).
std::string GalleryDir();
// A BMP of the surface's pixels; false if it cannot be written.
bool WriteBmp(const RasterSurface& surface, const std::string& path);

}  // namespace tarvex
