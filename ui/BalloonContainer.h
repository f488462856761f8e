#pragma once

#include "host/ui/Container.h"
#include "ui/Balloon.h"
#include "ui/UiApi.h"

#include <map>
#include <string>

class Animator;

namespace kel::logic {
class Unit;
}

namespace kel::ui {

// The battle HUD's layer of speech and thought balloons ("ballooncontainer"). It reads the
// balloon pictures of "/Configs/UI/balloons.cfg", loads the phrase pictures of a group of
// "/Configs/dialogs.cfg", and creates, shows and hides balloons for the host. A balloon stays its
// child once made (hidden by hideBalloon) until the container goes; it places balloons in screen
// units, so it stands at the screen's origin.
class KEL_UI_API BalloonContainer : public ::ui::Container {
public:
    BalloonContainer();

    std::string_view getClassName() const override { return "ballooncontainer"; }

    // Reads the balloon pictures again and refreshes every balloon.
    void rereadConfigurations();
    // Loads the phrase pictures of a group: a text that is the name of one of its dialogues
    // followed by the name of one of its phrases is then shown as that phrase's picture.
    void loadGroup(const std::string& name);
    void releaseGroup();

    // A new balloon over the model of `animator` (null: none), shown; owned by the container.
    Balloon* showBalloon(Animator* animator, Balloon::Style style, const std::string& text);
    // The same over a unit's model.
    Balloon* showBalloon(kel::logic::Unit* unit, Balloon::Style style, const std::string& text);
    // The same at a fixed place, with no unit.
    Balloon* showBalloon(Balloon::Style style, float x, float y, const std::string& text);
    // Hides it and stops its frame work; it stays a child.
    void hideBalloon(Balloon* balloon);

    const BalloonStyleConfigurations& getConfigurations() const { return configurations; }
    bool isGroupLoaded() const { return groupLoaded; }
    // The sprite image of a phrase key of the loaded group, or -1.
    int findPhrase(const std::string& key) const;

private:
    void readConfigurations();

    BalloonStyleConfigurations configurations;
    std::map<std::string, int> group; // phrase key -> sprite image id, referenced
    bool groupLoaded = false;
};

} // namespace kel::ui
