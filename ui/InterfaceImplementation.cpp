#include "ui/InterfaceImplementation.h"
#include "ui/Accessor.h"
#include "ui/Sky.h"

#include "host/environment/Environment.h"

namespace kel::ui {

DayTime InterfaceImplementation::getDayTime() {
    return theAccessor.getSky()->getEnvironment()->getDayTime();
}

} // namespace kel::ui
