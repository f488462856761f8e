#pragma once

#include "host/HostApi.h"
#include "host/engine/Math.h"

#include <memory>
#include <string>

class Animator;
class Model;

namespace kel::logic {

// The 3D form of a unit: its model (owned), which the board registers in its view.
class KEL_HOST_API Unit3d {
public:
    explicit Unit3d(const std::string& modelName);
    ~Unit3d();

    Model* getModel() const { return model.get(); }
    Animator* getAnimator() const;

    // Stands the model at a flat board position, turned `facing` radians about the vertical,
    // bent onto the world's sphere.
    void place(const Vector& flatPosition, float facing);

private:
    std::unique_ptr<Model> model;
};

} // namespace kel::logic
