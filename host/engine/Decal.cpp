#include "host/engine/Decal.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/ScreenEffect.h"
#include "host/engine/View.h"

#include <algorithm>

Decal::Decal() = default;

Decal::~Decal() {
    // A decal destroyed while registered leaves its views rather than dangle in them.
    while (!slots.empty())
        const_cast<View*>(slots.back().view)->unregisterDecal(this);
}

Decal::Slot* Decal::slotIn(const View* view) {
    for (Slot& slot : slots)
        if (slot.view == view)
            return &slot;
    return nullptr;
}

const Decal::Slot* Decal::slotIn(const View* view) const {
    return const_cast<Decal*>(this)->slotIn(view);
}

void Decal::setMapping(int corner, float u, float v) {
    if (corner < 0 || corner > 3)
        return;
    mapping[corner][0] = u;
    mapping[corner][1] = v;
}

void Decal::getMapping(int corner, float* u, float* v) const {
    if (corner < 0 || corner > 3)
        return;
    *u = mapping[corner][0];
    *v = mapping[corner][1];
}

void Decal::addEffect(ScreenEffect* effect) {
    if (effect && std::find(effects.begin(), effects.end(), effect) == effects.end())
        effects.push_back(effect);
}

void Decal::delEffect(ScreenEffect* effect) {
    effects.erase(std::remove(effects.begin(), effects.end(), effect), effects.end());
    // The effect may be destroyed next: the record of the last drawing forgets it.
    drawnEffects.erase(
        std::remove_if(drawnEffects.begin(), drawnEffects.end(),
                       [effect](const DrawnEffect& drawn) { return drawn.effect == effect; }),
        drawnEffects.end());
}

std::vector<std::string> Decal::getDrawnEffects() const {
    std::vector<std::string> described;
    for (const DrawnEffect& drawn : drawnEffects)
        described.push_back(drawn.effect->describe(drawn.values));
    return described;
}

void Decal::draw() {
    ++drawCount;
    lastDrawnView = drawingView;
    drawnLast = true;
    drawnEffects.resize(effects.size());
    for (size_t i = 0; i < effects.size(); ++i) {
        drawnEffects[i].effect = effects[i];
        effects[i]->capture(drawnEffects[i].values);
    }
}

void Decal::drawInView(View* view) {
    drawingView = view;
    drawnLast = false;
    draw();
    drawingView = nullptr;
}

// The walk over a view's decals, which may see its private list.
struct DecalWalk {
    static void draw(View& view) {
        thread::Lock hold(*theRenderDriver);
        // Walk a copy: a decal may leave the view while it is drawn. The view keeps the copy's
        // storage from frame to frame; a drawing of the same view nested in this one (a decal that
        // draws its view again) walks a copy of its own.
        std::vector<Decal*> nested;
        std::vector<Decal*>& current = view.walkingDecals ? nested : view.decalWalk;
        const bool outer = !view.walkingDecals;
        view.walkingDecals = true;
        // The list as it stands, holes and all: closing them is left to unregisterDecal.
        current.assign(view.decals.begin(), view.decals.end());
        for (size_t i = 0; i < current.size(); ++i) {
            Decal* decal = current[i];
            if (decal && view.holdsDecal(decal))
                decal->drawInView(&view);
        }
        if (outer)
            view.walkingDecals = false;
    }
};

void drawDecals(View& view) {
    DecalWalk::draw(view);
}
