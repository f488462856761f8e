#include "host/logic/CountingScenario.h"

namespace kel::logic {

void CountingScenario::showGoals() {
    ++count;
    std::function<void()> call;
    {
        std::lock_guard<std::mutex> guard(mutex);
        call = observer;
    }
    if (call)
        call();
}

void CountingScenario::setObserver(std::function<void()> newObserver) {
    std::lock_guard<std::mutex> guard(mutex);
    observer = std::move(newObserver);
}

} // namespace kel::logic
