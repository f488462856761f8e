#pragma once

#include "host/HostApi.h"
#include "host/logic/ScenarioInterface.h"

#include <atomic>
#include <functional>
#include <mutex>

namespace kel::logic {

// The reference scenario: counts how often the goals were asked for and tells an observer (the
// host shows its goal screen from there).
class KEL_HOST_API CountingScenario : public ScenarioInterface {
public:
    void showGoals() override;
    int getShowGoalsCount() const { return count; }
    void setObserver(std::function<void()> observer);

private:
    std::atomic<int> count{0};
    std::mutex mutex;
    std::function<void()> observer;
};

} // namespace kel::logic
