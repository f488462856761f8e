#pragma once

#include "host/engine/RenderDriverListener.h"
#include "ui/Menu.h"
#include "ui/UiApi.h"

#include <string>

namespace ui {
class TextureButton;
class TextureComponent;
} // namespace ui

namespace kel::ui {

// The mission menu: the current player's mission as a picture and a name, stepped with
// "button_left"/"button_right" (or the keys) between the first mission and the furthest one
// reached, with a cross-fade between two picture pairs on the host clock; "button_play" starts
// the mission ("ok"). Layout options: "slowmotion" (bool, true) and "motiontime" (seconds, 1).
//
// Children: "missionpicture1", "missionname1", "missionpicture2", "missionname2"
// (TextureComponent, their image is the mission name), "button_play", "button_left",
// "button_right" (TextureButton).
class KEL_UI_API PlayMenu : public Menu, public RenderDriverListener {
public:
    ~PlayMenu() override;

    std::string_view getClassName() const override { return "playmenu"; }
    void initFrame(float elapsed) override;
    void notify(::ui::NotifyEvent& event) override;
    void readConfig(config::Block* block) override;
    void processInputEvent(const counting_ptr<::input::Event>& event) override;
    void updateShowed() override;

    // The selected mission: the "mapName" of the game it starts.
    const std::string& getMission() const { return mission; }
    bool isInSlowMotion() const { return inSlowMotion; }

private:
    void left();
    void right();
    void step();
    void updatePicture();
    void beginSlowMotion();
    void endSlowMotion();
    void setButtonsEnabled(bool on);

    bool inSlowMotion = false;
    bool slowMotionEnabled = true;
    double motionStart = 0;
    float motionTime = 1.0f;
    bool firstPairVisible = true;
    std::string mission;
    ::ui::TextureComponent* missionName1 = nullptr;
    ::ui::TextureComponent* missionName2 = nullptr;
    ::ui::TextureComponent* missionPicture1 = nullptr;
    ::ui::TextureComponent* missionPicture2 = nullptr;
    ::ui::TextureButton* playButton = nullptr;
    ::ui::TextureButton* leftButton = nullptr;
    ::ui::TextureButton* rightButton = nullptr;
    bool registered = false;
};

} // namespace kel::ui
