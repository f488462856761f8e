#include "host/logic/Unit3d.h"
#include "host/engine/Model.h"
#include "host/engine/SphericalPlacement.h"

namespace kel::logic {

Unit3d::Unit3d(const std::string& modelName) : model(std::make_unique<Model>(modelName)) {}

Unit3d::~Unit3d() = default;

Animator* Unit3d::getAnimator() const {
    return model->getAnimator();
}

void Unit3d::place(const Vector& flatPosition, float facing) {
    Matrix3 orientation = Matrix3::rotationZ(facing);
    Vector position = flatPosition;
    sphericalPlacement(&orientation, &position);
    model->getAnimator()->setTransformation(orientation, position);
}

} // namespace kel::logic
