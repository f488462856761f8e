#pragma once

#include "host/ui/Factory.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

class BalloonContainer;
class CreateMenu;
class EndTurnButton;
class EntireMenu;
class EntireMenuItem;
class GameBoard;
class GameMenu;
class GameRoundMenu;
class InputMenu;
class GameUI;
class Goal;
class ItemDescription;
class LoadGameDialog;
class Loading;
class MainRoundMenu;
class NewGameDialog;
class PlayMenu;
class RedefineMenu;
class Results;
class RoundMenu;
class RoundMenuContainer;
class SaveGameDialog;
class Sky;
class StatusPanel;
class Time;

// The toolkit's factory extended with the module's component classes and typed lookups of them.
// The toolkit's own class names come first; the module's names are matched exactly and
// case-sensitively (the table is in KELFactory.cpp, one row per class). Exactly one exists: it
// installs itself as the toolkit's factory and as theFactory for its lifetime.
class KEL_UI_API KELFactory : public ::ui::Factory {
public:
    KELFactory();
    ~KELFactory() override;

    // A new, unparented component owned by the caller; null for an unknown class name.
    ::ui::Component* createComponent(const std::string& className) override;

    // Typed lookups (in the order of the module's table of lookups, as its classes exist): the
    // component called `name` below `parent` (the root UI for null), a direct child unless
    // `deep`, stored in *out when it is of the type, else null.
    using ::ui::Factory::getComponent;
    virtual bool getComponent(const std::string& name, CreateMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, GameMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, PlayMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, GameRoundMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, MainRoundMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Sky** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, ItemDescription** out,
                              ::ui::Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, SaveGameDialog** out,
                              ::ui::Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, LoadGameDialog** out,
                              ::ui::Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, NewGameDialog** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, RedefineMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, EntireMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, RoundMenuContainer** out,
                              ::ui::Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, RoundMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, EntireMenuItem** out,
                              ::ui::Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, InputMenu** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, GameBoard** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Results** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Goal** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Loading** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, GameUI** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, EndTurnButton** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Time** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, StatusPanel** out, ::ui::Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, BalloonContainer** out,
                              ::ui::Container* parent, bool deep);

    // The module's class names, in the table's order (for tests and tools).
    static const std::string* moduleClasses(int* count);

private:
    template <class T>
    static bool lookUp(const std::string& name, T** out, ::ui::Container* parent, bool deep);
};

KEL_UI_API extern KELFactory* theFactory;

} // namespace kel::ui
