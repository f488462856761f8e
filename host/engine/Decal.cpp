#include "host/engine/Decal.h"
#include "host/engine/ScreenEffect.h"
#include "host/engine/View.h"

#include <algorithm>

Decal::Decal() = default;

Decal::~Decal() = default;

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
}

void Decal::draw() {
    ++drawCount;
    lastDrawnView = drawingView;
    drawnEffects.clear();
    for (const ScreenEffect* effect : effects)
        drawnEffects.push_back(effect->describe());
}

void Decal::drawInView(View* view) {
    drawingView = view;
    draw();
    drawingView = nullptr;
}

void drawDecals(View& view) {
    // Walk a copy: a decal may leave the view while it is drawn.
    const std::vector<Decal*> current = view.getDecals();
    for (Decal* decal : current) {
        if (!view.hasDecal(decal))
            continue;
        decal->drawInView(&view);
    }
}
