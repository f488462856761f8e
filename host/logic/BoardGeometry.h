#pragma once

#include "host/engine/Math.h"

namespace kel::logic {

// Board cells are squares of this side in world units.
constexpr float kCellSize = 2.0f;

// The flat world position of a cell's centre on a board of width x height cells, which is laid
// out centred on the origin (where the world's sphere has its top).
inline Vector cellCentre(int x, int y, int width, int height) {
    return {(static_cast<float>(x) + 0.5f - static_cast<float>(width) * 0.5f) * kCellSize,
            (static_cast<float>(y) + 0.5f - static_cast<float>(height) * 0.5f) * kCellSize, 0.0f};
}

} // namespace kel::logic
