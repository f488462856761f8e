#pragma once

#include "host/HostApi.h"
#include "host/engine/Math.h"

// Something placed in a 3D world: a local orientation and position, and the global ones they give
// once a parent's transformation is applied on top (without a parent the two are the same).
class KEL_HOST_API Transformable {
public:
    virtual ~Transformable() = default;

    void setTransformation(const Matrix3& orientation, const Vector& position);
    const Matrix3& getOrientation() const { return orientation; }
    const Vector& getPosition() const { return position; }

    // Global = parent applied on top of the local transformation.
    void applyGlobalTransformation(const Matrix3& parentOrientation, const Vector& parentPosition);
    void setGlobalTransformation(const Matrix3& orientation, const Vector& position);
    const Matrix3& getGlobalOrientation() const { return globalOrientation; }
    const Vector& getGlobalPosition() const { return globalPosition; }

private:
    Matrix3 orientation;
    Vector position;
    Matrix3 globalOrientation;
    Vector globalPosition;
};
