#pragma once

#include "host/logic/GameBoardListener.h"
#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <string>
#include <vector>

namespace kel::logic {
class GameBoard;
}

namespace ui {
class SpriteComponent;
}

namespace kel::ui {

// The full-screen picture ("back") with a progress bar ("gadget") shown while the game logic
// loads a map. Both pictures are chosen by the mission's name. The bar shows as much of its
// picture as the load has done, by the weights the host gives to the board's load phases, and
// each time it has grown by a step of ten percent a frame is drawn at once: the host is busy
// loading and no other frame comes. While it is shown the game pointer is hidden and the
// engine draws black behind it.
//
// The host drives it: preStartLoading(mission), startLoading(board, weights), the board's load
// phases (as its listener), finishLoading(board).
class KEL_UI_API Loading : public ::ui::Container, public logic::GameBoardListener {
public:
    // On the root UI; the layout gives the size.
    Loading();

    std::string_view getClassName() const override { return "loading"; }
    void readConfig(config::Block* block) override;
    void updateSize() override;
    void updateShowed() override;

    void startLoadPhase() override;
    void finishLoadPhase() override;
    // Progress of the running phase, 0 to 1.
    void setLoadProgress(float progress) override;

    // Shows the pictures of `missionName` (those of "another" for a mission without its own)
    // with an empty bar, and draws a frame so the screen is up before the load begins.
    void preStartLoading(const std::string& missionName);
    // Listens to `board`; `weights` are the phases' shares of the bar in percent, in phase order.
    void startLoading(logic::GameBoard* board, const std::vector<float>& weights);
    // Hides the screen and stops listening to `board`.
    void finishLoading(logic::GameBoard* board);

    // The missions that have pictures of their own.
    const std::vector<std::string>& getPictureNames() const { return pictureNames; }

private:
    ::ui::SpriteComponent* getBack();
    ::ui::SpriteComponent* getGadget();
    // Shows `percent` of the bar's picture.
    void showBar(float percent);

    std::vector<float> phaseWeights;
    int phase = -1;
    std::vector<std::string> pictureNames;
    int lastPercent = -1;
};

} // namespace kel::ui
