#include "host/engine/View.h"
#include "host/engine/Decal.h"
#include "host/engine/ListSnapshot.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderDriverListener.h"

#include <algorithm>

namespace {
template <class T> void removeAll(std::vector<T*>& items, const T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}
template <class T> void addOnce(std::vector<T*>& items, T* item) {
    if (std::find(items.begin(), items.end(), item) == items.end())
        items.push_back(item);
}
} // namespace

View::View(Camera* camera, const Viewport& viewport, std::string name)
    : name(std::move(name)), camera(camera), viewport(viewport) {}

View::~View() {
    if (theRenderDriver)
        theRenderDriver->removeView(this);
    // Decals outlive their views: they forget this one.
    for (Decal* decal : decals)
        if (decal)
            decal->slots.erase(decal->slots.begin() + (decal->slotIn(this) - decal->slots.data()));
    // Each observer may remove itself (or others) while it is told.
    while (!observers.empty()) {
        ViewObserver* observer = observers.back();
        observers.pop_back();
        observer->viewDestroyed(this);
    }
}

void View::addObserver(ViewObserver* observer) {
    addOnce(observers, observer);
}

void View::removeObserver(ViewObserver* observer) {
    removeAll(observers, observer);
}

void View::registerObject(RenderObject* object) {
    addOnce(objects, object);
}
void View::unregisterObject(RenderObject* object) {
    removeAll(objects, object);
}
bool View::hasObject(const RenderObject* object) const {
    return std::find(objects.begin(), objects.end(), object) != objects.end();
}

void View::registerLight(Light* light) {
    addOnce(lights, light);
}
void View::unregisterLight(Light* light) {
    removeAll(lights, light);
}

void View::registerDecal(Decal* decal) {
    thread::Lock hold(*theRenderDriver);
    if (decal->slotIn(this))
        return;
    decal->slots.push_back({this, decals.size()});
    decals.push_back(decal);
}
void View::unregisterDecal(Decal* decal) {
    thread::Lock hold(*theRenderDriver);
    Decal::Slot* slot = decal->slotIn(this);
    if (!slot)
        return;
    decals[slot->index] = nullptr;
    // Holes are closed once they are half the list: each unregistering costs O(1) on average.
    if (++decalHoles > 16 && decalHoles * 2 > decals.size())
        closeDecalHoles();
    decal->slots.erase(decal->slots.begin() + (slot - decal->slots.data()));
}
const std::vector<Decal*>& View::getDecals() const {
    closeDecalHoles();
    return decals;
}
void View::closeDecalHoles() const {
    if (decalHoles == 0)
        return;
    size_t kept = 0;
    for (Decal* decal : decals)
        if (decal) {
            decal->slotIn(this)->index = kept;
            decals[kept++] = decal;
        }
    decals.resize(kept);
    decalHoles = 0;
}
bool View::hasDecal(const Decal* decal) const {
    thread::Lock hold(*theRenderDriver);
    return holdsDecal(decal);
}
bool View::holdsDecal(const Decal* decal) const {
    return decal->slotIn(this) != nullptr;
}

// The view's listeners are read by frames, which may run on another thread than the one that
// registers them: both sides hold the render driver's lock while they touch the list.
void View::registerListener(RenderDriverListener* listener, int priority) {
    thread::Lock hold(*theRenderDriver);
    if (hasListener(listener))
        return;
    auto at = std::upper_bound(listeners.begin(), listeners.end(), priority,
                               [](int p, const Registered& r) { return p < r.priority; });
    listeners.insert(at, Registered{listener, priority});
}

void View::unregisterListener(RenderDriverListener* listener) {
    thread::Lock hold(*theRenderDriver);
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [&](const Registered& r) { return r.listener == listener; }),
                    listeners.end());
    if (rendering > 0)
        leftDuringRender.push_back(listener);
}

bool View::stillRegistered(const RenderDriverListener* listener) const {
    return leftDuringRender.empty() ||
           std::find(leftDuringRender.begin(), leftDuringRender.end(), listener) ==
               leftDuringRender.end() ||
           hasListener(listener);
}

bool View::hasListener(const RenderDriverListener* listener) const {
    thread::Lock hold(*theRenderDriver);
    return std::any_of(listeners.begin(), listeners.end(),
                       [&](const Registered& r) { return r.listener == listener; });
}

void View::render() {
    // Listeners may register and unregister others while the view is drawn: walk a copy and
    // skip those that left. They are called without the driver's lock, which they may need.
    ListSnapshot<Registered> current;
    {
        thread::Lock hold(*theRenderDriver);
        current.items().assign(listeners.begin(), listeners.end());
        ++rendering;
    }
    const auto listening = [this](const RenderDriverListener* listener) {
        thread::Lock hold(*theRenderDriver);
        return stillRegistered(listener);
    };
    for (const auto& entry : current)
        if (listening(entry.listener))
            entry.listener->initView(&renderView);
    for (auto it = current.rbegin(); it != current.rend(); ++it)
        if (listening(it->listener))
            it->listener->termView();
    thread::Lock hold(*theRenderDriver);
    if (--rendering == 0)
        leftDuringRender.clear();
}
