#include "host/ui/FrameWalk.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"
#include "host/ui/Canvas.h"
#include "host/ui/Container.h"
#include "host/ui/MousePointer.h"
#include "host/ui/Palette.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ui {

namespace {

struct Walk {
    explicit Walk(FramePainter& painter) : painter(painter) {}

    FramePainter& painter;
    const Component* pointerComponent = nullptr;
    // Views shown by components, and whether each was drawn yet.
    std::vector<std::pair<const View*, bool>> shown;

    bool drawable(const View* view) const {
        if (!view || !view->isActive())
            return false;
        const auto& views = theRenderDriver->getViews();
        return std::find(views.begin(), views.end(), view) != views.end();
    }

    void collect(const Component* component) {
        if (!component->isShowed())
            return;
        const View* view = component->getShownView();
        if (drawable(view) && std::none_of(shown.begin(), shown.end(),
                                           [view](const auto& s) { return s.first == view; }))
            shown.emplace_back(view, false);
        if (const auto* container = dynamic_cast<const Container*>(component))
            for (const Component* child : container->getChildren())
                collect(child);
    }

    bool isShownByComponent(const View* view) const {
        return std::any_of(shown.begin(), shown.end(),
                           [view](const auto& s) { return s.first == view; });
    }

    void paint(const Component* component) {
        if (!component->isShowed())
            return;
        if (const View* view = component->getShownView())
            for (auto& s : shown)
                if (s.first == view && !s.second) {
                    s.second = true;
                    painter.view(*view);
                }
        painter.beginComponent(*component);
        // What it painted after its last repaint, where it stands now.
        component->draw(painter.canvas());
        if (const auto* container = dynamic_cast<const Container*>(component))
            for (const Component* child : container->getChildren())
                paint(child);
    }
};

} // namespace

void walkFrame(UI* ui, bool include3D, FramePainter& painter) {
    UI* root = ui ? ui : theUI;
    const float width = root ? root->getScreenWidth() : theRenderDriver->getScreenWidth();
    const float height = root ? root->getScreenHeight() : theRenderDriver->getScreenHeight();
    // The tree and the views must not change under the picture: the UI lock first, then the
    // render driver's, the order the frame step takes them in.
    std::optional<thread::Lock> holdUI;
    if (root)
        holdUI.emplace(*root);
    thread::Lock holdDriver(*theRenderDriver);
    Canvas& canvas = painter.canvas();
    const Canvas::Rect screen{0, 0, width, height};
    canvas.fillRect(screen, Palette::screen, 0);
    if (theRenderDriver->isBackgroundEnabled()) {
        painter.beginPart("background");
        canvas.fillRect(screen, theRenderDriver->getBackground(), 0);
        painter.endPart();
    }
    Walk walk(painter);
    const MousePointer* pointer = root ? root->getMousePointer() : nullptr;
    walk.pointerComponent = pointer ? pointer->getComponent() : nullptr;
    const bool showing = root && root->isShowed();
    if (include3D) {
        if (showing) {
            for (const Component* child : root->getChildren())
                walk.collect(child);
            for (const Component* top : root->getTopLevel())
                walk.collect(top);
        }
        std::vector<const View*> views;
        for (const View* view : theRenderDriver->getViews())
            if (view->isActive() && !walk.isShownByComponent(view))
                views.push_back(view);
        std::stable_sort(views.begin(), views.end(), [](const View* a, const View* b) {
            return a->getRenderPriority() < b->getRenderPriority();
        });
        for (const View* view : views)
            painter.view(*view);
    }
    if (showing) {
        painter.beginPart("ui");
        for (const Component* child : root->getChildren())
            walk.paint(child);
        // The pointer's picture comes last, above every other top-level component.
        for (const Component* top : root->getTopLevel())
            if (top != walk.pointerComponent)
                walk.paint(top);
        if (walk.pointerComponent) {
            const auto& tops = root->getTopLevel();
            if (std::find(tops.begin(), tops.end(), walk.pointerComponent) != tops.end())
                walk.paint(walk.pointerComponent);
        }
        painter.endPart();
    }
    if (pointer) {
        // The arrow, when no component of the UI draws the pointer and the engine does not either.
        const Component* drawing = walk.pointerComponent;
        if (pointer->getVisible() && !pointer->getHardwareSupport() &&
            !(drawing && drawing->isShowed()))
            painter.arrow(pointer->getX(), pointer->getY());
    }
}

} // namespace ui
