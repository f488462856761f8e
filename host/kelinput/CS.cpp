#include "host/kelinput/CS.h"

namespace kel::input::devices {

ControlSource* ControlSource::instance() {
    static ControlSource device;
    return &device;
}

} // namespace kel::input::devices
