#include "ui/Screens.h"
#include "ui/CreateMenu.h"
#include "ui/EndTurnButton.h"
#include "ui/EntireMenu.h"
#include "ui/GameBoard.h"
#include "ui/GameMenu.h"
#include "ui/GameUI.h"
#include "ui/Goal.h"
#include "ui/InputMenu.h"
#include "ui/KELFactory.h"
#include "ui/Loading.h"
#include "ui/ModuleLog.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/RedefineMenu.h"
#include "ui/Results.h"
#include "ui/Sky.h"
#include "ui/SoundMenu.h"
#include "ui/VideoMenu.h"

#include "host/ui/Container.h"
#include "host/ui/Screenshot.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {

template <class T> bool isA(const ::ui::Component* component) {
    return dynamic_cast<const T*>(component) != nullptr;
}

// Classes this module does not build yet: any component will do until it does.
bool anything(const ::ui::Component*) {
    return true;
}

bool moduleBuilds(const std::string& className) {
    int count = 0;
    const std::string* names = KELFactory::moduleClasses(&count);
    for (int i = 0; i < count; ++i)
        if (names[i] == className)
            return true;
    return className == "container" || className == "screenshot";
}

::ui::Component* lookUp(::ui::UI* root, const Screens::Expected& screen,
                        const ::ui::Component** where) {
    const std::string parent = screen.parent;
    *where = root;
    if (parent == "*")
        return root->getDescendant(screen.name);
    if (parent.empty())
        return root->getComponent(screen.name);
    auto* container = dynamic_cast<::ui::Container*>(root->getComponent(parent));
    if (!container)
        return nullptr; // the container itself is reported as a screen of its own
    *where = container;
    return container->getComponent(screen.name);
}

} // namespace

const std::vector<Screens::Expected>& Screens::expected() {
    static const std::vector<Expected> table = {
        {"mainui", "", "container", isA<::ui::Container>},
        {"commonui", "", "container", isA<::ui::Container>},
        {"gameui", "", "gameui", isA<GameUI>},
        {"screenshot", "*", "screenshot", isA<::ui::Screenshot>},
        {"sky", "*", "sky", isA<Sky>},
        {"mainroundmenu", "mainui", "mainroundmenu", isA<EntireMenu>},
        {"gameroundmenu", "mainui", "gameroundmenu", isA<EntireMenu>},
        {"createmenu", "mainui", "createmenu", isA<CreateMenu>},
        {"gamemenu", "mainui", "gamemenu", isA<GameMenu>},
        {"playmenu", "mainui", "playmenu", isA<PlayMenu>},
        {"newgamedialog", "mainui", "newgamedialog", isA<NewGameDialog>},
        {"inputmenu", "commonui", "inputmenu", isA<InputMenu>},
        {"redefinemenu", "commonui", "redefinemenu", isA<RedefineMenu>},
        {"soundmenu", "commonui", "soundmenu", isA<SoundMenu>},
        {"videomenu", "commonui", "videomenu", isA<VideoMenu>},
        {"maingoal", "*", "goal", isA<Goal>},
        {"gamegoal", "*", "goal", isA<Goal>},
        {"gameresults", "*", "results", isA<Results>},
        {"status", "*", "statuspanel", anything},
        {"endturnbutton", "*", "endturnbutton", isA<EndTurnButton>},
        {"gameboard", "*", "gameboard", isA<GameBoard>},
        {"loading", "*", "loading", isA<Loading>},
        {"ballooncontainer", "*", "ballooncontainer", anything},
    };
    return table;
}

int Screens::check(::ui::UI* root) {
    int problems = 0;
    for (const Expected& screen : expected()) {
        if (!moduleBuilds(screen.className))
            continue;
        const ::ui::Component* where = nullptr;
        const ::ui::Component* found = lookUp(root, screen, &where);
        if (found && screen.fits(found))
            continue;
        ++problems;
        const std::string need = "a '" + std::string(screen.className) + "'";
        if (found) {
            reported.insert(screen.name);
            reportError(found->getLayoutFile().c_str(), found->getLayoutLine(),
                        "the screen '" + std::string(screen.name) + "' is a '" +
                            std::string(found->getClassName()) + "' where the game needs " + need +
                            "; it is left out");
        } else {
            reportMissing(screen.name, where, "the game goes on without it (" + need + ")");
        }
    }
    return problems;
}

void Screens::reportMissing(const std::string& name, const ::ui::Component* where,
                            const std::string& loss) {
    if (!reported.insert(name).second)
        return;
    const std::string place =
        !where || !where->getMaster() ? "the layout" : "'" + where->getName() + "'";
    const std::string file = where ? where->getLayoutFile() : std::string();
    reportError(file.empty() ? "/Configs/UI/layout.cfg" : file.c_str(),
                where ? where->getLayoutLine() : 0,
                place + " has no screen '" + name + "': " + loss);
}

} // namespace kel::ui
