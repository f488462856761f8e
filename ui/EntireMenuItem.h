#pragma once

#include "host/ui/Container.h"
#include "host/ui/ModelComponent.h"
#include "ui/UiApi.h"

#include <string>

class SEContour;
class SEDirectHighlight;

namespace kel::ui {

// One entry of a round menu: a 3D model standing on the ring, the screen area in which the
// pointer picks it, and optionally the name of another round menu that choosing it switches to.
// The round menu places the model and tells the entry where it lands on screen; the entry
// reports fly-by changes as "updatecontour" so the round menu can move its contour.
class KEL_UI_API EntireMenuItem : public ::ui::Container {
public:
    // The entry's model: never takes the keyboard focus.
    class KEL_UI_API ItemModel : public ::ui::ModelComponent {
    public:
        // `view` is the round menu's and must outlive the model.
        ItemModel(::ui::UI* ui, View* view, const std::string& modelName);

        std::string_view getClassName() const override { return "itemmodel"; }
        void refocus(::ui::Component** candidate) override;
        void updateShowed() override;
    };

    explicit EntireMenuItem(::ui::UI* ui);

    std::string_view getClassName() const override { return "entiremenuitem"; }
    void notify(::ui::NotifyEvent& event) override;
    // "model", "changeEvent", "projectionWidth", "projectionHeight", "initialTransformation".
    void readConfig(config::Block* block) override;
    void setName(const std::string& name) override;
    // The hit rectangle around the projected position, or the model under the pointer's ray.
    void reFlyby() override;
    // Entries never take the keyboard focus.
    void refocus(::ui::Component** candidate) override;
    void updateFlyby() override;

    // Replaces the model by one of the catalogue's; the master must be a Scene, whose view shows
    // it (without one the model is kept out of every view).
    void create(const std::string& modelName);
    // Where the entry lands on screen and how long 0.5 world units are there (round menu's call).
    void setProjection(float x, float y, float size);

    // Each effect is put on the model once; not owned.
    void addHighlight(SEDirectHighlight* effect);
    void delHighlight(SEDirectHighlight* effect);
    void setContour(SEContour* effect);
    void removeContour(SEContour* effect);
    void setWalkAnimation();
    void setBaseAnimation();

    // Null until create() ran.
    ItemModel* getModel() const { return model; }
    const std::string& getChangeEvent() const { return changeEvent; }
    bool isHighlighted() const { return highlighted; }
    bool isTraced() const { return traced; }
    float getProjectedX() const { return projectedX; }
    float getProjectedY() const { return projectedY; }
    float getProjectedSize() const { return projectedSize; }
    float getProjectionWidth() const { return projectionWidth; }
    float getProjectionHeight() const { return projectionHeight; }

private:
    ItemModel* model = nullptr; // a child: the tree owns it
    bool highlighted = false;
    float projectedX = 0;
    float projectedY = 0;
    float projectedSize = 0;
    std::string changeEvent;
    bool traced = false;
    // Half-size of the hit rectangle, in units of projectedSize.
    float projectionWidth = 1.0f;
    float projectionHeight = 1.0f;
};

} // namespace kel::ui
