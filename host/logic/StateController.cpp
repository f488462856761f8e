#include "host/logic/StateController.h"

namespace kel::logic {

void StateController::endTransition() {
    int current = transitions.load();
    while (current > 0 && !transitions.compare_exchange_weak(current, current - 1)) {
    }
}

} // namespace kel::logic
