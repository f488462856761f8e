#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderDriverListener.h"

class View;

namespace ui {

// Calls end() once when an interval of the host clock has run out after start(). It checks when
// its view is drawn.
class KEL_HOST_API Progresser : public RenderDriverListener {
public:
    // Registers with the view (not owned).
    explicit Progresser(View* view);
    ~Progresser() override;

    void setInterval(float seconds) { interval = seconds; }
    float getInterval() const { return interval; }
    void start();
    void stop() { running = false; }
    // Stops and forgets the start time.
    void reset();
    bool isRunning() const { return running; }
    void unregisterSelf();

    void initView(RenderView*) override { tick(); }
    virtual void tick();
    virtual void end() {}

private:
    View* view;
    float interval = 1.0f;
    double begin = 0;
    bool running = false;
};

} // namespace ui
