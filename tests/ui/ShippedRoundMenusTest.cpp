#include "support/Near.h"
#include "support/RootFixture.h"
#include "ui/CSMessageRedirector.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenu.h"

#include "host/environment/Environment.h"
#include "host/logic/Game.h"
#include "host/logic/Target.h"
#include "host/logic/Unit.h"
#include "host/sound/SoundManager.h"
#include "host/ui/MousePointer.h"

#include <memory>
#include <tuple>
#include <utility>

namespace {

using kel::ui::Command;
using kel::ui::RoundMenu;
using kel::ui::State;

// The round menus of the shipped layout, driven through the root as a player would.
class ShippedRoundMenus : public kel::test::RootFixture {
protected:
    RoundMenu* ring(const std::string& screen, const std::string& name) {
        ::ui::Container* rings = nullptr;
        RoundMenu* found = nullptr;
        kel::ui::EntireMenu* top = nullptr;
        kel::ui::theFactory->getComponent(screen, &top, nullptr, true);
        if (top && kel::ui::theFactory->getComponent("roundmenucontainer", &rings, top, false))
            kel::ui::theFactory->getComponent(name, &found, rings, false);
        return found;
    }
    // Turns the ring one entry at a time (left: towards the last entry) until `entry` is in front.
    void turnTo(RoundMenu* menu, const std::string& entry) {
        for (int i = 0; i < menu->getItemCount() && current(menu) != entry; ++i) {
            tap("Left");
            for (int n = 0; n < 120 && menu->getRotation() != RoundMenu::STOPPED; ++n)
                frame();
        }
        ASSERT_EQ(current(menu), entry);
    }
    std::string current(RoundMenu* menu) { return menu->getItemName(menu->findCurrentItem()); }
    // Chooses `entry` of a working ring with the keyboard and lets the fly-out end.
    void choose(RoundMenu* menu, const std::string& entry) {
        turnTo(menu, entry);
        tap("Return");
        wait(0.6);
    }
    void startBattle() {
        wait(0.6); // the main ring at work, as the player left it
        game = std::make_unique<kel::logic::Game>();
        beginBattle(*game);
        events.take();
    }
    // Opens the in-game ring with the pointer somewhere on the board.
    void askGameMenu() {
        moveTo(100, 100);
        root->command(Command::SHOW_GAME_MENU);
        frame(); // the battle picture is taken: the in-game ring opens
        wait(0.6);
        ASSERT_EQ(events.take(), "gameroundmenu; ");
        ASSERT_EQ(ring("gameroundmenu", "main")->getPhase(), RoundMenu::WORK);
    }

    // Outlives the root's teardown: the sky draws in the board's view until then.
    std::unique_ptr<kel::logic::Game> game;
};

TEST_F(ShippedRoundMenus, ShowingTheMainScreenPutsTheMenusSkyBack) {
    Environment* environment = kel::ui::theAccessor.getSky()->getEnvironment();
    environment->setDayTime(DayTime(600)); // a map's sky
    ::ui::Component* screen = root->getDescendant("mainroundmenu");
    screen->setVisible(false);
    screen->setVisible(true);
    EXPECT_EQ(environment->getDayTime().minutes, 18 * 60 + 30);
}

// The main ring appears at start, focused, and puts the pointer in front of it; its entries are
// on screen and big enough to point at at every resolution.
TEST_F(ShippedRoundMenus, TheMainRingAppearsAtStartWithEveryEntryOnScreen) {
    RoundMenu* main = ring("mainroundmenu", "main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->getItemCount(), 8);
    EXPECT_EQ(main->getPhase(), RoundMenu::START);
    EXPECT_FALSE(ring("mainroundmenu", "options")->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), main);
    wait(0.6);
    EXPECT_EQ(main->getPhase(), RoundMenu::WORK);
    EXPECT_TRUE(kel::test::near({root->getMousePointer()->getX(), root->getMousePointer()->getY()},
                                {1024 * 0.5f, 768 * 0.6f}));
    EXPECT_TRUE(shown("description"));
    EXPECT_TRUE(log.take().empty()) << "every entry's picture is in the image catalogue";
    const std::pair<float, float> sizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}};
    for (const auto& [w, h] : sizes) {
        root->setResolution(w, h);
        root->updateResolution();
        wait(0.6);
        for (int i = 0; i < main->getItemCount(); ++i) {
            const kel::ui::EntireMenuItem* entry = main->getItem(i);
            SCOPED_TRACE(std::to_string(w) + " " + entry->getName());
            const float x = entry->getProjectedX(), y = entry->getProjectedY();
            EXPECT_TRUE(x > 0 && x < w && y > 0) << x << "," << y;
            EXPECT_LT(y, h * 0.85f) << "above the description";
            EXPECT_GT(entry->getProjectedSize(), w * 0.02f) << "big enough to point at";
        }
    }
}

// Choices of the main ring with the keys, one after another: the pointer hides while the ring
// flies out, and the host hears of a choice only once the fly-out has ended. "back" stands in
// for an entry no command knows (the main ring has none): the ring flies out and the screen stays.
TEST_F(ShippedRoundMenus, MainRingChoicesTakeEffectAfterTheFlyOut) {
    // entry, the host hears after the fly-out, screen shown after, pointer shown after, music on
    const std::tuple<const char*, const char*, bool, bool, bool> rows[] = {
        {"sound", "", false, true, true},
        {"back", "", true, true, true},
        {"exit", "exit; ", false, false, false},
    };
    ::ui::Component* screen = root->getDescendant("mainroundmenu");
    RoundMenu* main = ring("mainroundmenu", "main");
    for (const auto& [entry, heard, screenShown, pointerShown, music] : rows) {
        SCOPED_TRACE(entry);
        if (shown("soundmenu")) {
            tap("Escape"); // the page's cancel brings the main screen back
        } else {
            screen->setVisible(false);
            screen->setVisible(true);
        }
        wait(0.6);
        ASSERT_EQ(main->getPhase(), RoundMenu::WORK);
        main->getItem(7)->setName(std::string(entry) == "back" ? "back" : "exit");
        pointer()->restoreCountingVisible();
        turnTo(main, entry);
        tap("Return");
        wait(0.3);
        EXPECT_FALSE(pointer()->getVisible()) << "hidden while the ring flies out";
        EXPECT_EQ(events.take(), "");
        wait(0.3);
        EXPECT_EQ(events.take(), heard);
        EXPECT_EQ(std::make_tuple(main->isShowed(), shown("mainroundmenu"), pointer()->getVisible(),
                                  theSoundManager->isMusicPlaying()),
                  std::make_tuple(false, screenShown, pointerShown, music));
        wait(1.0);
        EXPECT_EQ(events.take(), "");
    }
}

// The in-game ring: shown, it puts the pointer at the middle of the screen, 60 % down, and tells
// the control source again what is under the pointer; escape resumes the battle once the ring has
// flown out; asked for again, "endgame" leaves the battle and the host hears it once.
TEST_F(ShippedRoundMenus, TheGameRingResumesOrEndsTheBattleAfterTheFlyOut) {
    startBattle();
    kel::logic::Unit* unit = game->getBoard().getUnits().front();
    root->getCSMessageRedirector()->addListener(unit)->traceIn(nullptr);
    game->getControlSource().clearCalls();
    askGameMenu();
    ASSERT_EQ(game->getControlSource().getCalls().size(), 1u);
    EXPECT_EQ(game->getControlSource().getCalls()[0],
              "setFocusTarget(" + kel::logic::Target(unit).describe() + ")");
    EXPECT_EQ(root->getState(), State::GAME_MENU);
    EXPECT_TRUE(kel::test::near({root->getMousePointer()->getX(), root->getMousePointer()->getY()},
                                {1024 * 0.5f, 768 * 0.6f}));
    tap("Escape");
    EXPECT_FALSE(pointer()->getVisible());
    wait(0.6);
    EXPECT_EQ(std::make_tuple(root->getState(), shown("gameroundmenu"), shown("gameui"),
                              pointer()->getVisible()),
              std::make_tuple(State::GAME, false, true, true));

    askGameMenu();
    choose(ring("gameroundmenu", "main"), "endgame");
    EXPECT_EQ(root->getState(), State::ENDING_GAME);
    EXPECT_EQ(events.take(), "endgame; ");
    wait(1.0);
    EXPECT_EQ(events.take(), "");
}

TEST_F(ShippedRoundMenus, ARingHiddenDuringItsFlyOutForgetsTheCommandAndComesBackAlone) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    RoundMenu* options = ring("mainroundmenu", "options");
    turnTo(main, "sound");
    tap("Return");
    frame();
    ::ui::Component* screen = root->getDescendant("mainroundmenu");
    screen->setVisible(false); // the flow moved on before the fly-out ended
    screen->setVisible(true);
    wait(0.6);
    ASSERT_EQ(main->getPhase(), RoundMenu::WORK);
    choose(main, "options"); // the main ring flies out again, for no command this time
    wait(0.6);
    EXPECT_FALSE(shown("soundmenu")) << "the forgotten choice never fires";
    EXPECT_TRUE(options->isShowed());

    // Switching rings and hiding the screen while the old ring still flies out: only the
    // current ring comes back.
    tap("Escape"); // back to the main ring; options flies out
    frame();
    screen->setVisible(false);
    screen->setVisible(true);
    wait(0.6);
    EXPECT_TRUE(main->isShowed());
    EXPECT_FALSE(options->isShowed());
}

TEST_F(ShippedRoundMenus, ARingForgetsAHeldKeyWhenThePlayersInputGoesElsewhere) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    press("Right");
    wait(0.1);
    ASSERT_EQ(main->getRotation(), RoundMenu::INCREASING);
    theKelInput->focusLost(); // the window lost the focus: the release never comes
    EXPECT_EQ(main->getKeys(), 0);
    wait(1.0);
    EXPECT_EQ(main->getRotation(), RoundMenu::STOPPED) << "it settles on the next entry";
}

} // namespace
