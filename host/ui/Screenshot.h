#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderDriverListener.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

namespace ui {

// A still picture of the screen behind an in-game menu: when it is shown it waits for the next
// frame to finish, keeps that frame as its picture (ScreenPictures, when the host can draw) and
// notifies its master with "taken", so the menu can open over the still battle while the battle
// itself is no longer drawn. It covers the screen, dimmed, while shown.
class KEL_HOST_API Screenshot : public Component, public RenderDriverListener, public Paintable {
public:
    explicit Screenshot(UI* ui = nullptr);
    ~Screenshot() override;

    std::string_view getClassName() const override { return "screenshot"; }

    // The frame the picture was taken from (0 before the first).
    unsigned long getTakenFrame() const { return takenFrame; }
    bool isWaiting() const { return waiting; }
    // The name its picture is kept under in ScreenPictures; empty while it has none.
    const std::string& getPictureName() const { return pictured ? pictureName : none; }

    void updateShowed() override;
    void updateResolution() override;
    void termFrame() override;
    void paint(Canvas& canvas) const override;

private:
    void stopWaiting();
    void forgetPicture();

    bool waiting = false;
    bool taking = false; // the picture being drawn must not show the screenshot itself
    bool pictured = false;
    unsigned long takenFrame = 0;
    const std::string pictureName;
    static const std::string none;
};

} // namespace ui
