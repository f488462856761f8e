#pragma once

#include "host/HostApi.h"

namespace kel::logic {

// The running mission's scenario (SCENARIO).
class KEL_HOST_API ScenarioInterface {
public:
    // Brings up the mission's goals.
    virtual void showGoals() = 0;
    virtual ~ScenarioInterface() = default;
};

} // namespace kel::logic
