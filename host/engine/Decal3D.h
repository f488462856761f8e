#pragma once

#include "host/HostApi.h"
#include "host/engine/Decal.h"
#include "host/engine/Transformable.h"

// A decal placed in the 3D world: its rectangle lies in the plane of its global transformation.
class KEL_HOST_API Decal3D : public Decal, public Transformable {
public:
    // Defined in the library, so that its table of virtual functions is there for every user
    // (a DLL exports it only then).
    ~Decal3D() override;
};
