#include "host/engine/SEContour.h"
#include "host/engine/EngineLog.h"
#include "host/engine/Model.h"

#include <algorithm>

SEContour::SEContour(const config::Color& color) : color(color) {}

SEContour::~SEContour() {
    for (Animator* animator : animators)
        animator->removeEffect(this);
}

void SEContour::attach(Animator* animator) {
    if (!animator || isAttached(animator))
        return;
    animators.push_back(animator);
    animator->addEffect(this);
}

void SEContour::detach(Animator* animator) {
    const auto found = std::find(animators.begin(), animators.end(), animator);
    if (found == animators.end())
        return;
    animators.erase(found);
    animator->removeEffect(this);
}

bool SEContour::isAttached(const Animator* animator) const {
    return std::find(animators.begin(), animators.end(), animator) != animators.end();
}

std::string SEContour::describe() const {
    return "contour " + engineNumber(color.r) + " " + engineNumber(color.g) + " " +
           engineNumber(color.b) + " " + engineNumber(color.a);
}
