#pragma once

#include "host/profile/VideoSettings.h"
#include "ui/Menu.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// The settings page for the graphics options of the profile's video settings: renderer features,
// texture quality, fog distance, details and their level, scene activity and whether enemy
// actions are traced. The controls are filled from the profile when the page is shown; when it
// is hidden they are written back, the settings written and applied, and the profile saved if
// anything changed. The boxes of features the renderer cannot do (as the degrading manager
// reports) are disabled but still show the stored choice; antialiasing is never offered.
//
// Children, anywhere below the page: CheckBoxes "traceenemyaction", "detailscheck",
// "sceneactivity", "mipmaps", "dithering", "specular", "antialiasing", "wbuffer", "hallo",
// "shadows", "lightmaps"; HSliders "fogdistanceslider" (0.8 to 1) and "detailsslider" (0 to 2);
// the RadioContainer "radiocontainer" whose radios' values are the texture qualities ("low",
// "medium", "high"). A missing child is reported once when the layout is read; the page works
// without it and leaves its setting as it is.
class KEL_UI_API VideoMenu : public Menu {
public:
    std::string_view getClassName() const override { return "videomenu"; }

    void notify(::ui::NotifyEvent& event) override;
    void readConfig(config::Block* block) override;
    void updateShowed() override;

    // Sets every control from the profile's video settings and enables the feature boxes the
    // renderer can do.
    void update();
    // Writes every control into the profile's video settings, then writes and applies them.
    void reflectChanging();

private:
    // The detail level can be changed only while details are on.
    void enableDetailLevel();

    profile::VideoSettings shownSettings;
};

} // namespace kel::ui
