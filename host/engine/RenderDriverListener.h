#pragma once

#include "host/HostApi.h"

#include <vector>

class Model;
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
//
// A listener and the models it listens to know each other: whichever goes first unlinks the
// other, so the engine never calls a listener that was destroyed while a model still held it.
class KEL_HOST_API RenderMeshListener {
public:
    RenderMeshListener() = default;
    RenderMeshListener(const RenderMeshListener&) = delete;
    RenderMeshListener& operator=(const RenderMeshListener&) = delete;
    virtual ~RenderMeshListener();
    virtual void traceIn(void* argument) = 0;
    virtual void traceOut(void* argument) = 0;
    void setTracePriority(int priority) { tracePriority = priority; }
    int getTracePriority() const { return tracePriority; }
    // The models whose mesh this listener is attached to.
    const std::vector<Model*>& getMeshes() const { return meshes; }

private:
    friend class Model;
    int tracePriority = 0;
    std::vector<Model*> meshes; // not owned
};
