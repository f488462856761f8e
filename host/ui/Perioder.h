#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderDriverListener.h"

class View;

namespace ui {

// Calls expire() every period of the host clock while started. It ticks when its view is drawn;
// a frame that spans several periods runs every tick that fell due, in order, so what happens
// does not depend on the frame rate. The period may change inside expire(): the next tick comes
// one new period after the one that fired.
class KEL_HOST_API Perioder : public RenderDriverListener {
public:
    // Registers with the view (not owned).
    Perioder(View* view, float period);
    ~Perioder() override;

    void setPeriod(float seconds) { period = seconds; }
    float getPeriod() const { return period; }
    void start();
    void stop() { running = false; }
    bool isRunning() const { return running; }
    // Leaves the view; the perioder never ticks again.
    void unregisterSelf();

    void initView(RenderView*) override { tick(); }
    // Runs the ticks that are due.
    virtual void tick();
    virtual void expire() {}

private:
    View* view;
    float period;
    double next = 0;
    bool running = false;
};

} // namespace ui
