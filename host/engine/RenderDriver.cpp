#include "host/engine/RenderDriver.h"
#include "host/engine/Decal.h"
#include "host/engine/ListSnapshot.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriverListener.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"

#include <algorithm>

namespace {
RenderDriver driver;
}

RenderDriver* theRenderDriver = &driver;

void RenderDriver::addView(View* view) {
    thread::Lock hold(*this);
    if (!isRendering(view))
        views.push_back(view);
}

void RenderDriver::removeView(View* view) {
    thread::Lock hold(*this);
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
    if (traced) {
        const bool inView = std::find(view->getObjects().begin(), view->getObjects().end(),
                                      traced) != view->getObjects().end();
        if (inView)
            traced = nullptr;
    }
}

bool RenderDriver::isRendering(const View* view) const {
    return std::find(views.begin(), views.end(), view) != views.end();
}

void RenderDriver::registerListener(RenderDriverListener* listener, int) {
    thread::Lock hold(*this);
    if (!hasListener(listener))
        listeners.push_back(listener);
}

void RenderDriver::unregisterListener(RenderDriverListener* listener) {
    thread::Lock hold(*this);
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
    if (framing)
        leftDuringFrame.push_back(listener);
}

bool RenderDriver::stillRegistered(const RenderDriverListener* listener) const {
    // Nearly always nothing left during the frame: no search of the whole list per listener.
    return leftDuringFrame.empty() || (std::find(leftDuringFrame.begin(), leftDuringFrame.end(),
                                                 listener) == leftDuringFrame.end() ||
                                       hasListener(listener));
}

bool RenderDriver::hasListener(const RenderDriverListener* listener) const {
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

void RenderDriver::drawFrame() {
    frame(false);
}

void RenderDriver::drawFrameAtOnce() {
    frame(true);
}

bool RenderDriver::listening(const RenderDriverListener* listener) const {
    thread::Lock hold(*this);
    return stillRegistered(listener);
}

void RenderDriver::frame(bool forced) {
    // The driver's lock guards its own lists and the scene while they are read; it is let go
    // around every call out (frame, view and trace listeners), which take the UI lock: the UI
    // lock is always taken first, then the driver's, by input and frames alike.
    float elapsed = 0;
    ListSnapshot<RenderDriverListener*> current;
    {
        thread::Lock hold(*this);
        const float now = theRenderTimer->getTime();
        elapsed = firstFrame ? 0.0f : now - lastTime;
        firstFrame = false;
        lastTime = now;
        current.items().assign(listeners.begin(), listeners.end());
        ++framing; // a frame drawn at once from inside a frame nests
    }
    for (RenderDriverListener* listener : current)
        if (listening(listener))
            listener->initFrame(elapsed);

    ListSnapshot<View*> drawn;
    {
        thread::Lock hold(*this);
        // By render priority, views of equal priority in the order they were added (an
        // insertion sort: a handful of views, and no buffer to allocate as stable_sort would).
        std::vector<View*>& order = drawn.items();
        for (View* view : views) {
            if (!view->isActive())
                continue;
            auto place = order.end();
            while (place != order.begin() &&
                   (*(place - 1))->getRenderPriority() > view->getRenderPriority())
                --place;
            order.insert(place, view);
        }
    }
    for (View* view : drawn) {
        {
            thread::Lock hold(*this);
            if (!isRendering(view))
                continue;
        }
        view->render();
        thread::Lock hold(*this);
        if (isRendering(view))
            drawDecals(*view);
    }
    trace();

    for (auto it = current.rbegin(); it != current.rend(); ++it)
        if (listening(*it))
            (*it)->termFrame();
    std::function<void(bool)> observer;
    {
        thread::Lock hold(*this);
        if (--framing == 0)
            leftDuringFrame.clear();
        ++frames;
        if (forced)
            ++forcedFrames;
        observer = frameObserver;
    }
    if (observer)
        observer(forced);
}

void RenderDriver::trace() {
    Model* previous = nullptr;
    Model* best = nullptr;
    {
        thread::Lock hold(*this);
        best = findTraced();
        if (best == traced)
            return;
        previous = traced;
        traced = best;
    }
    if (previous && previous->getMeshListener())
        previous->getMeshListener()->traceOut(best);
    if (best && best->getMeshListener())
        best->getMeshListener()->traceIn(best);
}

Model* RenderDriver::findTraced() const {
    Model* best = nullptr;
    int bestPriority = 0;
    int bestViewPriority = 0;
    float bestDistance = 0;
    const float x = pointerX * screenWidth;
    const float y = pointerY * screenHeight;
    for (View* view : views) {
        if (!view->isActive() || !(view->getRenderView()->getFlags() & RenderView::kTraceFlag) ||
            !view->getCamera())
            continue;
        Vector origin, direction;
        view->getCamera()->ray(x, y, view->getViewport(), screenWidth, screenHeight, &origin,
                               &direction);
        for (RenderObject* object : view->getObjects()) {
            Model* model = object->asModel();
            float distance = 0;
            if (!model || !model->getMeshListener() ||
                !model->intersect(origin, direction, &distance))
                continue;
            const int priority = model->getMeshListener()->getTracePriority();
            const bool better =
                !best || priority > bestPriority ||
                (priority == bestPriority &&
                 (view->getRenderPriority() > bestViewPriority ||
                  (view->getRenderPriority() == bestViewPriority && distance < bestDistance)));
            if (better) {
                best = model;
                bestPriority = priority;
                bestViewPriority = view->getRenderPriority();
                bestDistance = distance;
            }
        }
    }
    return best;
}

void RenderDriver::forgetModel(const Model* model) {
    thread::Lock hold(*this);
    if (traced == model)
        traced = nullptr;
}

void RenderDriver::setScreenSize(float width, float height) {
    screenWidth = width;
    screenHeight = height;
}

void RenderDriver::setPointerPosition(float x, float y) {
    thread::Lock hold(*this); // the frame's picking reads it
    pointerX = x;
    pointerY = y;
}

void RenderDriver::setHardwareCursorSize(int width, int height) {
    cursorWidth = width;
    cursorHeight = height;
}

void RenderDriver::setHardwareCursorImage(Image2D* image) {
    cursorImage = image;
}

void RenderDriver::setHardwareCursorHotspot(int x, int y) {
    cursorHotspotX = x;
    cursorHotspotY = y;
}

void RenderDriver::setBackground(const config::Color& color, bool enabled) {
    background = color;
    backgroundEnabled = enabled;
}

void RenderDriver::beginLoading() {
    loading = true;
}

void RenderDriver::endLoading() {
    loading = false;
}

bool RenderDriver::projectToScreen(const View* view, const Vector& world, float* x,
                                   float* y) const {
    if (!view->getCamera())
        return false;
    float sx, sy;
    if (!view->getCamera()->project(world, view->getViewport(), screenWidth, screenHeight, &sx,
                                    &sy))
        return false;
    *x = sx / screenWidth;
    *y = sy / screenHeight;
    return true;
}

void RenderDriver::reset() {
    thread::Lock hold(*this);
    firstFrame = true;
    lastTime = 0.0f;
    pointerX = pointerY = 0.5f;
    cursorWidth = cursorHeight = 0;
    cursorImage = nullptr;
    cursorHotspotX = cursorHotspotY = 0;
    background = config::Color(0, 0, 0, 1);
    backgroundEnabled = false;
    loading = false;
    traced = nullptr;
}

void RenderDriver::setFrameObserver(std::function<void(bool)> observer) {
    thread::Lock hold(*this);
    frameObserver = std::move(observer);
}
