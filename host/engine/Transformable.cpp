#include "host/engine/Transformable.h"

void Transformable::setTransformation(const Matrix3& newOrientation, const Vector& newPosition) {
    orientation = newOrientation;
    position = newPosition;
    globalOrientation = newOrientation;
    globalPosition = newPosition;
}

void Transformable::applyGlobalTransformation(const Matrix3& parentOrientation,
                                              const Vector& parentPosition) {
    globalOrientation = parentOrientation * orientation;
    globalPosition = parentOrientation * position + parentPosition;
}

void Transformable::setGlobalTransformation(const Matrix3& newOrientation,
                                            const Vector& newPosition) {
    globalOrientation = newOrientation;
    globalPosition = newPosition;
}
