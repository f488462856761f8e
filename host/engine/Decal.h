#pragma once

#include "host/HostApi.h"
#include "host/engine/ScreenEffect.h"

#include <string>
#include <vector>

class Image3D;
class View;

// A textured quad drawn by a view it is registered with (View::registerDecal): a rectangle
// (x, y, width, height) in its own plane, a texture (not owned) mapped by the texture
// coordinates of its four corners, and the screen effects (not owned) it is drawn with.
//
// Corners: 0 at (x, y), 1 at (x + width, y), 2 at (x, y + height), 3 at (x + width, y + height);
// by default they map the whole texture: (0, 0), (1, 0), (0, 1), (1, 1).
//
// The reference engine records each drawing: how many, in which view, and the descriptions of
// the effects it was drawn with at that moment. Recording reuses its storage, so a decal drawn
// every frame allocates nothing once it has been drawn with the same effects before.
class KEL_HOST_API Decal {
public:
    Decal();
    Decal(const Decal&) = delete;
    Decal& operator=(const Decal&) = delete;
    virtual ~Decal();

    void setX(float value) { x = value; }
    void setY(float value) { y = value; }
    void setWidth(float value) { width = value; }
    void setHeight(float value) { height = value; }
    float getX() const { return x; }
    float getY() const { return y; }
    float getWidth() const { return width; }
    float getHeight() const { return height; }

    // Corners outside 0..3 are ignored.
    void setMapping(int corner, float u, float v);
    void getMapping(int corner, float* u, float* v) const;

    void setImage(Image3D* texture) { image = texture; }
    Image3D* getImage() const { return image; }
    void setDoubleSided(bool on) { doubleSided = on; }
    bool isDoubleSided() const { return doubleSided; }

    // Each effect once, in the order added.
    void addEffect(ScreenEffect* effect);
    void delEffect(ScreenEffect* effect);
    const std::vector<ScreenEffect*>& getEffects() const { return effects; }

    // Draws the decal into the view being drawn (getDrawingView). Subclasses may decide not to
    // draw (skip the base call) or change their effects first.
    virtual void draw();

    // Draws the decal as part of drawing `view`: getDrawingView() gives the view meanwhile.
    void drawInView(View* view);
    // The view drawing the decal now; null outside drawInView.
    View* getDrawingView() const { return drawingView; }
    unsigned long getDrawCount() const { return drawCount; }
    View* getLastDrawnView() const { return lastDrawnView; }
    // The effects of the last drawing, each described with the values it was drawn with.
    std::vector<std::string> getDrawnEffects() const;
    // Whether the last time a view drew the decal it really appeared (a subclass may decline):
    // what an inspector picture of the view shows.
    bool wasDrawnLast() const { return drawnLast; }

private:
    float x = 0.0f;
    float y = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
    float mapping[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    Image3D* image = nullptr; // not owned
    bool doubleSided = false;
    std::vector<ScreenEffect*> effects; // not owned
    View* drawingView = nullptr;
    unsigned long drawCount = 0;
    View* lastDrawnView = nullptr;
    struct DrawnEffect {
        const ScreenEffect* effect;
        ScreenEffect::Values values;
    };
    std::vector<DrawnEffect> drawnEffects; // keeps its storage from one drawing to the next
    bool drawnLast = false;

    // Where the decal stands in the list of each view it is registered with (nearly always
    // one), so that views register and unregister it without searching.
    friend class View;
    struct Slot {
        const View* view;
        size_t index;
    };
    std::vector<Slot> slots;
    Slot* slotIn(const View* view);
    const Slot* slotIn(const View* view) const;
};

// Draws every decal registered with the view, in registration order, under the render driver's
// lock (which guards the view's decals). A frame draws the decals of each view it draws;
// snapshots and tests may call it on a view of their own. A decal may unregister itself or
// others while the view's decals are drawn.
KEL_HOST_API void drawDecals(View& view);
