#include "host/engine/SERotateWithCamera.h"

std::string SERotateWithCamera::describe() const {
    return "rotate with camera";
}
