#pragma once

// The world is a sphere: the board is laid out flat (x, y across it, z up) and the engine bends
// it onto a sphere of a given radius whose top touches the origin. Radius 0, the default, is a
// flat world: every placement is then the identity.
//
// A flat point (x, y, z) at horizontal distance d = |(x, y)| from the origin lands at angle
// a = d / R from the top, at height z above the surface:
//     placed = ((R + z) sin a * x / d, (R + z) sin a * y / d, (R + z) cos a - R)
// so distances along the surface are kept. sphericalUnplacement is the exact inverse for points
// less than half way around the sphere (a < pi).

#include "host/HostApi.h"
#include "host/engine/Math.h"

KEL_HOST_API void setSphereRadius(float radius);
KEL_HOST_API float getSphereRadius();

// A flat point placed on the sphere.
KEL_HOST_API Vector sphericalPlacementVector(const Vector& flat);
// A flat point placed with `degree` of the sphere's curvature (a sphere of radius R / degree):
// 1 follows the sphere, 0 stays flat. Landscape objects are bent by their degree.
KEL_HOST_API Vector sphericalPlacement(const Vector& flat, float degree);
// A flat transformation placed on the sphere: the position as above, the orientation turned so
// that its vertical axis points away from the sphere's centre.
KEL_HOST_API void sphericalPlacement(Matrix3* orientation, Vector* position);
// The flat point a placed point came from.
KEL_HOST_API Vector sphericalUnplacement(const Vector& placed);
