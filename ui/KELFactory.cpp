#include "ui/KELFactory.h"
#include "ui/BalloonContainer.h"
#include "ui/CreateMenu.h"
#include "ui/EndTurnButton.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/GameBoard.h"
#include "ui/GameMenu.h"
#include "ui/GameRoundMenu.h"
#include "ui/GameUI.h"
#include "ui/Goal.h"
#include "ui/InputMenu.h"
#include "ui/ItemDescription.h"
#include "ui/KELUI.h"
#include "ui/LoadGameDialog.h"
#include "ui/Loading.h"
#include "ui/MainRoundMenu.h"
#include "ui/Menu.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/RedefineEdit.h"
#include "ui/RedefineMenu.h"
#include "ui/Results.h"
#include "ui/RoundMenu.h"
#include "ui/RoundMenuContainer.h"
#include "ui/SaveGameDialog.h"
#include "ui/Sky.h"
#include "ui/SoundMenu.h"
#include "ui/StatusPanel.h"
#include "ui/SubGameUI.h"
#include "ui/Time.h"
#include "ui/VideoMenu.h"

#include "host/ui/Container.h"

#include <functional>
#include <vector>

namespace kel::ui {

KELFactory* theFactory = nullptr;

namespace {

struct ClassEntry {
    std::string name;
    std::function<::ui::Component*()> create;
};

// Every class of the module the layout can name, one row each.
const std::vector<ClassEntry>& classTable() {
    static const std::vector<ClassEntry> table = {
        {"entiremenuitem", [] { return new EntireMenuItem(theKELUI); }},
        {"roundmenu", [] { return new RoundMenu(theKELUI); }},
        {"roundmenucontainer", [] { return new RoundMenuContainer(); }},
        {"entiremenu", [] { return new EntireMenu(); }},
        {"redefinemenu", [] { return new RedefineMenu(theKELUI); }},
        {"soundmenu", [] { return new SoundMenu(); }},
        {"newgamedialog", [] { return new NewGameDialog(); }},
        {"inputmenu", [] { return new InputMenu(); }},
        {"videomenu", [] { return new VideoMenu(); }},
        {"loadgamedialog", [] { return new LoadGameDialog(); }},
        {"savegamedialog", [] { return new SaveGameDialog(); }},
        {"menu", [] { return new Menu(); }},
        {"itemdescription", [] { return new ItemDescription(); }},
        {"sky", [] { return new Sky(); }},
        {"mainroundmenu", [] { return new MainRoundMenu(); }},
        {"gameroundmenu", [] { return new GameRoundMenu(); }},
        {"redefineedit", [] { return new RedefineEdit(); }},
        {"playmenu", [] { return new PlayMenu(); }},
        {"gamemenu", [] { return new GameMenu(); }},
        {"createmenu", [] { return new CreateMenu(); }},
        {"gameui", [] { return new GameUI(); }},
        {"subgameui", [] { return new SubGameUI(); }},
        {"gameboard", [] { return new GameBoard(); }},
        {"loading", [] { return new Loading(); }},
        {"goal", [] { return new Goal(); }},
        {"results", [] { return new Results(); }},
        {"endturnbutton",
         [] { return new EndTurnButton(theKELUI ? theKELUI->getView() : nullptr); }},
        {"time", [] { return new Time(); }},
        {"statuspanel", [] { return new StatusPanel(); }},
        {"ballooncontainer", [] { return new BalloonContainer(); }},
    };
    return table;
}

} // namespace

KELFactory::KELFactory() {
    theFactory = this;
    ::ui::installFactory(this);
}

KELFactory::~KELFactory() {
    ::ui::installFactory(nullptr);
    if (theFactory == this)
        theFactory = nullptr;
}

::ui::Component* KELFactory::createComponent(const std::string& className) {
    if (::ui::Component* toolkit = ::ui::Factory::createComponent(className))
        return toolkit;
    for (const auto& entry : classTable())
        if (entry.name == className)
            return entry.create();
    return nullptr;
}

const std::string* KELFactory::moduleClasses(int* count) {
    static std::vector<std::string> names;
    if (names.empty())
        for (const auto& entry : classTable())
            names.push_back(entry.name);
    *count = static_cast<int>(names.size());
    return names.data();
}

template <class T>
bool KELFactory::lookUp(const std::string& name, T** out, ::ui::Container* parent, bool deep) {
    if (!parent)
        parent = theKELUI;
    ::ui::Component* found = !parent ? nullptr
                             : deep  ? parent->getDescendant(name)
                                     : parent->getComponent(name);
    *out = dynamic_cast<T*>(found);
    return *out != nullptr;
}

bool KELFactory::getComponent(const std::string& name, CreateMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, GameMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, PlayMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, GameRoundMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, MainRoundMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, Sky** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, ItemDescription** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, SaveGameDialog** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, LoadGameDialog** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, NewGameDialog** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, RedefineMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, EntireMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, RoundMenuContainer** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, RoundMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, EntireMenuItem** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, InputMenu** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, GameBoard** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, Results** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, Goal** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, Loading** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, GameUI** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, EndTurnButton** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, Time** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, StatusPanel** out, ::ui::Container* parent,
                              bool deep) {
    return lookUp(name, out, parent, deep);
}

bool KELFactory::getComponent(const std::string& name, BalloonContainer** out,
                              ::ui::Container* parent, bool deep) {
    return lookUp(name, out, parent, deep);
}

} // namespace kel::ui
