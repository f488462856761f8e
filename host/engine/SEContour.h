#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/engine/ScreenEffect.h"

#include <vector>

class Animator;

// An outline drawn around the models it is attached to. Attaching puts the effect among the
// animator's effects; the contour remembers its animators (not owned) and leaves them all when it
// is destroyed, so an animator never keeps a dead effect. An animator must not be destroyed while
// the contour is attached to it.
class KEL_HOST_API SEContour : public ScreenEffect {
public:
    explicit SEContour(const config::Color& color = config::Color(1, 1, 1, 1));
    ~SEContour() override;

    // Each once; attaching twice changes nothing, detaching an animator not attached neither.
    void attach(Animator* animator);
    void detach(Animator* animator);
    bool isAttached(const Animator* animator) const;
    const std::vector<Animator*>& getAnimators() const { return animators; }

    void setColor(const config::Color& value) { color = value; }
    const config::Color& getColor() const { return color; }

    std::string describe() const override;

private:
    config::Color color;
    std::vector<Animator*> animators; // not owned
};
