#pragma once

#include "host/HostApi.h"
#include "host/engine/Camera.h"

#include <string>
#include <vector>

class Decal;
class RenderDriverListener;
class RenderObject;

// What the renderer keeps per view: a flags word. Bit 0 switches the tracing of render meshes
// under the pointer on (set by default).
class KEL_HOST_API RenderView {
public:
    static constexpr unsigned kTraceFlag = 1u;

    unsigned getFlags() const { return flags; }
    void setFlags(unsigned value) { flags = value; }

private:
    unsigned flags = kTraceFlag;
};

class View;

// Told when a view it uses goes: whoever keeps a view it does not own (a component drawing into
// the game's board view) forgets it then, instead of reaching into freed memory later.
class KEL_HOST_API ViewObserver {
public:
    virtual void viewDestroyed(View* view) = 0;

protected:
    ~ViewObserver() = default;
};

// A 3D view: a camera seen through a viewport, with the objects, lights, decals and listeners
// registered with it. Nothing here is owned: registrants unregister themselves before they go,
// and observers are told when the view itself goes.
// A view is drawn by the render driver while it is active and handed to the driver.
class KEL_HOST_API View {
public:
    View(Camera* camera, const Viewport& viewport, std::string name = "view");
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    ~View();

    const std::string& getName() const { return name; }
    Camera* getCamera() const { return camera; }
    const Viewport& getViewport() const { return viewport; }
    void setViewport(const Viewport& v) { viewport = v; }

    void activate() { active = true; }
    void deactivate() { active = false; }
    bool isActive() const { return active; }

    void registerObject(RenderObject* object);
    void unregisterObject(RenderObject* object);
    bool hasObject(const RenderObject* object) const;
    const std::vector<RenderObject*>& getObjects() const { return objects; }

    void registerLight(Light* light);
    void unregisterLight(Light* light);
    const std::vector<Light*>& getLights() const { return lights; }

    // Decals may come and go on another thread than the one drawing frames (a unit's health
    // digits, changed by the game logic): these hold the render driver's lock, which frames hold
    // while they draw the decals. Whoever reads getDecals() holds it too. Each costs the same
    // however many decals the view has: a decal knows where it stands in the list.
    void registerDecal(Decal* decal);
    void unregisterDecal(Decal* decal);
    bool hasDecal(const Decal* decal) const;
    // In registration order.
    const std::vector<Decal*>& getDecals() const;

    // Listeners run in ascending priority (equal priorities in registration order).
    void registerListener(RenderDriverListener* listener, int priority);
    void unregisterListener(RenderDriverListener* listener);
    bool hasListener(const RenderDriverListener* listener) const;

    // Views are drawn in ascending render priority.
    void setRenderPriority(int priority) { renderPriority = priority; }
    int getRenderPriority() const { return renderPriority; }
    RenderView* getRenderView() { return &renderView; }

    // Runs the listeners around a drawing of the view (the render driver calls it).
    void render();

    // Observers (not owned) are told when the view is destroyed; each once, however often added.
    void addObserver(ViewObserver* observer);
    void removeObserver(ViewObserver* observer);

private:
    bool stillRegistered(const RenderDriverListener* listener) const;

    struct Registered {
        RenderDriverListener* listener;
        int priority;
    };

    std::string name;
    Camera* camera; // not owned
    Viewport viewport;
    bool active = false;
    int renderPriority = 0;
    RenderView renderView;
    std::vector<RenderObject*> objects;
    std::vector<Light*> lights;
    // Unregistering leaves a hole (null) where the decal stood, closed when someone reads the
    // list or the holes are half of it, so that neither call searches or shifts the list.
    mutable std::vector<Decal*> decals;
    mutable size_t decalHoles = 0;
    void closeDecalHoles() const;
    bool holdsDecal(const Decal* decal) const; // hasDecal for one who holds the driver's lock
    // drawDecals walks the list through it (a friend function could not carry the export).
    friend struct DecalWalk;
    std::vector<Decal*> decalWalk; // drawDecals' copy of the decals, kept for its storage
    bool walkingDecals = false;
    std::vector<Registered> listeners;
    std::vector<ViewObserver*> observers;
    // Listeners that left while the view was being drawn, so the walk skips them.
    int rendering = 0; // renders under way, nested ones included
    std::vector<const RenderDriverListener*> leftDuringRender;
};
