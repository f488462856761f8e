#pragma once

#include "host/engine/RenderDriverListener.h"
#include "host/logic/ActType.h"
#include "host/ui/MousePointer.h"
#include "ui/UiApi.h"

#include <memory>
#include <string>

class Image2D;
class View;

namespace config {
class Block;
}
namespace ui {
class Container;
}
namespace kel::logic {
class Act;
}

namespace kel::ui {

class KELUI;

// The game's one mouse pointer. Its picture is a small container of sprites built from
// "/Configs/UI/mousepointer.cfg" ("icon", "arrows", "indicator0" to "indicator3" and the text
// "attackName"): the interface look (mode 0), or on the board (mode 1) the scroll arrows at a
// screen edge, the free-look look, or the look of the cursor type the game logic sets, with act
// indicators and the act's name from "/Configs/UI/attackNames.cfg". With hardware support the
// picture is composed into a 64 x 64 image handed to the render driver.
//
// The look is recomputed only when the mode, cursor type, edge or free-look changes, or on every
// setCursorType with arguments. Edge wins over free-look, free-look over the cursor type, and
// mode 0 over everything.
class KEL_UI_API KELMousePointer : public ::ui::MousePointer, public RenderDriverListener {
public:
    using Mode = int;
    using MousePointerType = int;
    // 0 none, 1 left, 2 right, 3 top, 4 bottom, 5 top-left, 6 top-right, 7 bottom-left,
    // 8 bottom-right.
    using Edge = int;

    KELMousePointer(KELUI* ui, View* view);
    ~KELMousePointer() override;

    // Builds the picture from the pointer configuration.
    void readConfig();

    void setMode(Mode mode);
    void setCursorType(MousePointerType type);
    void setEdge(Edge edge);
    void setFreelookMode(bool on);
    // The act cursor of an act (cursor type 3, or 9 for "HelpMe").
    void setCursorType(logic::Act* act, bool enabled);
    void setCursorType(logic::ActType type, int pool, int cost, MousePointerType cursor,
                       bool enabled);

    Mode getMode() const { return mode; }
    MousePointerType getCursorType() const { return cursorType; }
    Edge getEdge() const { return edge; }
    bool getFreelookMode() const { return freelook; }
    // How many times the look was recomputed (for tests and inspectors).
    int getAppearanceCount() const { return appearances; }
    ::ui::Container* getPointerContainer() const { return container; }
    Image2D* getHardwareImage() const { return hardwareImage.get(); }

    void update() override;
    float getXIncrease(float delta) override;
    float getYIncrease(float delta) override;
    void updateVisible() override;
    void updateHardwareMouseSupport() override;

private:
    void updateAppearance();
    void formImage();
    template <class T> T* part(const char* name) const;

    ::ui::Container* container; // owned: a top-level component of the root UI
    Mode mode = 0;
    MousePointerType cursorType = 0;
    logic::ActType actType = logic::ActType(0);
    int actPool = -1;
    int actCost = 0;
    bool actEnabled = true;
    std::string unitName;
    std::string actName;
    Edge edge = 0;
    std::unique_ptr<config::Block> attackNames;
    bool freelook = false;
    int appearances = 0;
    std::unique_ptr<Image2D> hardwareImage;
};

} // namespace kel::ui
