#pragma once

#include "ui/Menu.h"
#include "ui/ProtoMenu.h"
#include "ui/UiApi.h"

#include <list>
#include <map>
#include <string>
#include <vector>

namespace kelinput {
class RedefineControls;
}

namespace ui {
class MultiTextComponent;
class UI;
} // namespace ui

namespace kel::ui {

class RedefineEdit;

// The key bindings page: every control of kel-input's two translators with its display name and
// its bindings, one row each in name order. Choosing a row (Return or a double click) opens the
// child "entering", which captures the new combination; the combination leaves whichever control
// held it and replaces the chosen control's bindings. Delete (61) clears the current row. Every
// change goes to the translators at once; kel-input and the profile are saved when the page is
// hidden if anything changed. Return never closes the page and Escape during a capture only ends
// the capture.
//
// Children: "cursor" (drawn behind the rows, moved and sized to the current row), "entering" (a
// RedefineEdit). Option: listarea = y height, the band of the page in which rows are shown (the
// whole list area of 480 units by default); a list taller than the band scrolls to keep the
// current row in it.
class KEL_UI_API RedefineMenu : public Menu, public ProtoMenu {
public:
    enum Phase : int { Browsing = 0, WaitingForKey = 1, Capturing = 2 };

    explicit RedefineMenu(::ui::UI* ui);

    std::string_view getClassName() const override { return "redefinemenu"; }
    void readConfig(config::Block* block) override;
    void term() override;
    void updateShowed() override;
    void notify(::ui::NotifyEvent& event) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void clean() override;

    // Reads every control and its bindings from the translators and rebuilds the rows.
    void getData();
    void setPhase(Phase newPhase);
    Phase getPhase() const { return phase; }
    // Stores a captured combination (key names in the order pressed, an axis name last) for the
    // control being rebound.
    void setKeys(std::list<std::string>& keys);
    // The bindings of a control as shown: keys joined by "+", bindings by ",", upper case.
    std::string getEventString(const std::string& name) const;

    ::ui::MultiTextComponent* getNamesColumn() const { return namesColumn; }
    ::ui::MultiTextComponent* getKeysColumn() const { return keysColumn; }
    // How far the rows are moved to keep the current one in the band.
    float getScroll() const { return scroll; }

protected:
    void select(int index, const std::string& name) override;
    void cancel() override;
    void cursorPosition(float y) override;
    void cursorHeight(float height) override;
    void itemsContainerPosition(float y) override;

private:
    using Binding = std::list<std::string>;
    using Bindings = std::list<Binding>;
    struct EventData {
        Bindings keys;
        std::string sweetName;
        bool isAxis = false;
    };

    void addItems();
    // The control's bindings to every translator and its row.
    void writeBack(const std::string& name);
    // Chooses the scroll that keeps the current row in the band and shows the rows inside it.
    void placeRows();

    std::string editedEvent;
    // Both columns are children of the menu, which owns them through the tree.
    ::ui::MultiTextComponent* namesColumn = nullptr;
    ::ui::MultiTextComponent* keysColumn = nullptr;
    RedefineEdit* entering = nullptr;                     // a child, or null
    std::vector<kelinput::RedefineControls*> translators; // kel-input's
    std::map<std::string, EventData> events;
    Phase phase = Browsing;
    int replaceMode = 0;
    bool changed = false;
    // Set while an input event that arrived during a capture travels, so the Escape that ends
    // the capture does not also close the page.
    bool inputDuringCapture = false;
    float bandTop = 0.0f;
    float bandHeight = 480.0f;
    float scroll = 0.0f;
};

} // namespace kel::ui
