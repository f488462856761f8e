#pragma once

#include "host/HostApi.h"

class RenderView;

// Per-frame callbacks. As a frame listener of the render driver, initFrame(seconds since the
// previous frame) runs before any view is drawn and termFrame after all of them. As a listener of
// a view, initView and termView run around the drawing of that view, each frame the view is drawn.
class KEL_HOST_API RenderDriverListener {
public:
    virtual ~RenderDriverListener() = default;
    virtual void initFrame(float) {}
    virtual void termFrame() {}
    virtual void initView(RenderView*) {}
    virtual void termView() {}
};

// Something told when its render mesh comes under the pointer or leaves it. The engine picks,
// each frame, the mesh under the pointer with the highest trace priority (the nearest among
// equals). The argument of traceIn is the mesh's render object; the argument of traceOut is the
// render object traced next, or null when the pointer left onto nothing.
class KEL_HOST_API RenderMeshListener {
public:
    virtual ~RenderMeshListener() = default;
    virtual void traceIn(void* argument) = 0;
    virtual void traceOut(void* argument) = 0;
    void setTracePriority(int priority) { tracePriority = priority; }
    int getTracePriority() const { return tracePriority; }

private:
    int tracePriority = 0;
};
