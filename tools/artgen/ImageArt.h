#pragma once

#include "Catalogue.h"
#include "Raster.h"

#include <cstdint>
#include <vector>

namespace artgen {

// The faces text in pictures is set in: the game's title and body fonts.
struct ArtFaces {
    const TextFace* title = nullptr; // menus' titles
    const TextFace* body = nullptr;  // captions, phrases
    const TextFace* bold = nullptr;  // digits, labels on buttons
};

// Paints one picture of the catalogue at its catalogue size: what it shows is chosen from its
// name (mission landscapes, name plates, pointer looks, HUD icons, balloons, phrases, digits);
// an unknown name gets a framed plate with its initial. RGBA rows, top down.
std::vector<uint8_t> paintImage(const ImageRef& image, const Catalogue& catalogue,
                                const ArtFaces& faces);

} // namespace artgen
