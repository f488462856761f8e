#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/engine/Math.h"
#include "host/thread/SynchronizedObject.h"

#include <functional>
#include <vector>

class Image2D;
class Model;
class RenderDriverListener;
class View;

// Runs frames. A frame (drawFrame) takes the render timer's time, calls every frame listener's
// initFrame (in registration order), draws every active view it was given in ascending render
// priority (running each view's listeners, Section View::render), traces the pointer's ray against
// the models of views whose trace flag is on, then calls termFrame on the frame listeners in
// reverse order. drawFrameAtOnce runs the same step at once, for a host that is busy (loading),
// and counts it.
//
// It is a synchronized object: the UI takes its lock around changes that must not meet a frame.
// A frame holds it only while it reads its lists and the scene, never while it calls a listener
// (frame, view or trace listener): a listener may take the UI lock, and the lock order is the UI
// lock first, then the driver's. Listeners may register and unregister listeners (themselves
// included) during a frame: one that leaves is not called afterwards, one that arrives is called
// from the next frame on.
class KEL_HOST_API RenderDriver : public thread::SynchronizedObject {
public:
    void addView(View* view);
    void removeView(View* view);
    bool isRendering(const View* view) const;
    const std::vector<View*>& getViews() const { return views; }

    void registerListener(RenderDriverListener* listener, int flags);
    void unregisterListener(RenderDriverListener* listener);
    bool hasListener(const RenderDriverListener* listener) const;

    void drawFrame();
    void drawFrameAtOnce();
    unsigned long getFrameCount() const { return frames; }
    unsigned long getForcedFrameCount() const { return forcedFrames; }

    // The screen size in screen units (the UI sets it with its resolution).
    void setScreenSize(float width, float height);
    float getScreenWidth() const { return screenWidth; }
    float getScreenHeight() const { return screenHeight; }

    // The software pointer's position, normalised to 0..1 of the screen.
    void setPointerPosition(float x, float y);
    float getPointerX() const { return pointerX; }
    float getPointerY() const { return pointerY; }

    // The hardware cursor: its size, picture and hotspot.
    void setHardwareCursorSize(int width, int height);
    void setHardwareCursorImage(Image2D* image);
    void setHardwareCursorHotspot(int x, int y);
    int getHardwareCursorWidth() const { return cursorWidth; }
    int getHardwareCursorHeight() const { return cursorHeight; }
    Image2D* getHardwareCursorImage() const { return cursorImage; }
    int getHardwareCursorHotspotX() const { return cursorHotspotX; }
    int getHardwareCursorHotspotY() const { return cursorHotspotY; }

    // The colour drawn behind the screens while a full-screen page wants it (the loading screen).
    void setBackground(const config::Color& color, bool enabled);
    const config::Color& getBackground() const { return background; }
    bool isBackgroundEnabled() const { return backgroundEnabled; }

    // Preparation before a long job that draws frames at once, and its closing.
    void beginLoading();
    void endLoading();
    bool isLoading() const { return loading; }

    // Where a world point lands in a view, relative to the screen (0..1 on each axis); false
    // when it is behind the view's camera.
    bool projectToScreen(const View* view, const Vector& world, float* x, float* y) const;

    // The model whose mesh is traced now (null for none).
    Model* getTracedModel() const { return traced; }
    // Called by whoever destroys a model that may be traced.
    void forgetModel(const Model* model);

    // Forgets the frame timing (the next frame reports 0 seconds), the pointer, cursor,
    // background and loading state; views and listeners stay. For hosts that restart the clock.
    void reset();

    // Called after every frame with whether it was forced (kel-play counts and pictures them).
    void setFrameObserver(std::function<void(bool forced)> observer);

private:
    void frame(bool forced);
    bool stillRegistered(const RenderDriverListener* listener) const;
    void trace();
    Model* findTraced() const;
    bool listening(const RenderDriverListener* listener) const;

    std::vector<View*> views; // not owned
    std::vector<RenderDriverListener*> listeners;
    int framing = 0; // frames under way, nested ones included
    std::vector<const RenderDriverListener*> leftDuringFrame;
    unsigned long frames = 0;
    unsigned long forcedFrames = 0;
    float lastTime = 0.0f;
    bool firstFrame = true;
    float screenWidth = 640.0f;
    float screenHeight = 480.0f;
    float pointerX = 0.5f;
    float pointerY = 0.5f;
    int cursorWidth = 0;
    int cursorHeight = 0;
    Image2D* cursorImage = nullptr;
    int cursorHotspotX = 0;
    int cursorHotspotY = 0;
    config::Color background{0, 0, 0, 1};
    bool backgroundEnabled = false;
    bool loading = false;
    Model* traced = nullptr;
    std::function<void(bool)> frameObserver;
};

KEL_HOST_API extern RenderDriver* theRenderDriver;
