#pragma once

#include "host/HostApi.h"

#include <string>

class Model;

// Anything a view draws besides decals: models, fades. The snapshot asks each for what it is.
class KEL_HOST_API RenderObject {
public:
    virtual ~RenderObject() = default;
    // A short description for inspectors and snapshots ("model menu_play", "fade 0.6").
    virtual std::string describe() const = 0;
    // The object as a model, or null: picking asks every object of a view every frame, and
    // this costs less than a dynamic_cast.
    virtual Model* asModel() { return nullptr; }
};
