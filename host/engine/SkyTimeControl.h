#pragma once

#include "host/HostApi.h"
#include "host/engine/DayTime.h"

// Whatever shows a time of day (the sky): it can be asked for the time and set to another.
class KEL_HOST_API SkyTimeControl {
public:
    virtual ~SkyTimeControl() = default;
    virtual DayTime getDayTime() const = 0;
    virtual void setDayTime(const DayTime& time) = 0;
};
