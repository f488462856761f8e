#include "host/engine/Decal3D.h"

Decal3D::~Decal3D() = default;
