#include "support/RootFixture.h"
#include "ui/EntireMenuItem.h"
#include "ui/GameRoundMenu.h"
#include "ui/ItemDescription.h"
#include "ui/KELFactory.h"
#include "ui/MainRoundMenu.h"
#include "ui/RoundMenu.h"
#include "ui/RoundMenuContainer.h"

#include "host/environment/Environment.h"
#include "host/logic/Game.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/MousePointer.h"

#include <memory>

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
            for (int frames = 0; frames < 120 && menu->getRotation() != RoundMenu::STOPPED;
                 ++frames)
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
    // The boot hides the pointer twice (init, then the overlay) and nothing shows it again; start
    // from a shown pointer to see what the rings do to it.
    void showPointer() { pointer()->restoreCountingVisible(); }
    void openGameMenu() {
        game = std::make_unique<kel::logic::Game>();
        ASSERT_TRUE(game->loadMap("/Maps/Lighthouse.lvx"));
        root->command(Command::BEGIN_LOADING);
        root->setGameBoard(&game->getBoard());
        root->command(Command::BEGIN_GAME);
        root->command(Command::SHOW_GAME_MENU);
        frame(); // the battle picture is taken: the in-game ring opens
        wait(0.6);
        ASSERT_EQ(events.take(), "gameroundmenu; ");
    }

    // Outlives the root's teardown: the sky draws in the board's view until then.
    std::unique_ptr<kel::logic::Game> game;
};

TEST_F(ShippedRoundMenus, TheMainRingAppearsAtStartAndPutsThePointerInFrontOfIt) {
    kel::ui::EntireMenu* screen = kel::ui::theAccessor.getMainRoundMenu();
    ASSERT_NE(dynamic_cast<kel::ui::MainRoundMenu*>(screen), nullptr);
    ASSERT_NE(dynamic_cast<kel::ui::GameRoundMenu*>(kel::ui::theAccessor.getGameRoundMenu()),
              nullptr);
    EXPECT_TRUE(screen->isShowed());
    EXPECT_FALSE(shown("gameroundmenu"));
    RoundMenu* main = ring("mainroundmenu", "main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->getItemCount(), 8);
    EXPECT_EQ(main->getPhase(), RoundMenu::START);
    EXPECT_FALSE(ring("mainroundmenu", "options")->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), main);

    wait(0.6);
    EXPECT_EQ(main->getPhase(), RoundMenu::WORK);
    EXPECT_FLOAT_EQ(root->getMousePointer()->getX(), 1024 * 0.5f);
    EXPECT_FLOAT_EQ(root->getMousePointer()->getY(), 768 * 0.6f);
    EXPECT_TRUE(shown("description"));
    EXPECT_TRUE(log.take().empty()) << "every entry's picture is in the image catalogue";
}

TEST_F(ShippedRoundMenus, ShowingTheMainScreenPutsTheMenusSkyBack) {
    Environment* environment = kel::ui::theAccessor.getSky()->getEnvironment();
    environment->setDayTime(DayTime(600)); // a map's sky
    ::ui::Component* screen = root->getDescendant("mainroundmenu");
    screen->setVisible(false);
    EXPECT_EQ(environment->getDayTime().minutes, 600);
    screen->setVisible(true);
    EXPECT_EQ(environment->getDayTime().minutes, 18 * 60 + 30);
}

TEST_F(ShippedRoundMenus, EveryEntryOfTheRingIsOnScreenAtEveryResolution) {
    RoundMenu* main = ring("mainroundmenu", "main");
    const float sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}};
    for (const auto& size : sizes) {
        root->setResolution(size[0], size[1]);
        root->updateResolution();
        wait(0.6);
        for (int i = 0; i < main->getItemCount(); ++i) {
            const kel::ui::EntireMenuItem* entry = main->getItem(i);
            EXPECT_GT(entry->getProjectedX(), 0.0f) << size[0] << " " << entry->getName();
            EXPECT_LT(entry->getProjectedX(), size[0]) << size[0] << " " << entry->getName();
            EXPECT_GT(entry->getProjectedY(), 0.0f) << size[0] << " " << entry->getName();
            EXPECT_LT(entry->getProjectedY(), size[1] * 0.85f) << "above the description";
            EXPECT_GT(entry->getProjectedSize(), size[0] * 0.02f) << "big enough to point at";
        }
    }
}

TEST_F(ShippedRoundMenus, ChoosingSoundHidesTheScreenAndShowsThePointer) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    showPointer();
    turnTo(main, "sound");
    tap("Return");
    frame();
    EXPECT_FALSE(pointer()->getVisible()) << "hidden while the ring flies out";
    wait(0.6);
    EXPECT_FALSE(shown("mainroundmenu"));
    EXPECT_FALSE(main->isShowed());
    EXPECT_TRUE(pointer()->getVisible());
    EXPECT_EQ(events.take(), "");
}

TEST_F(ShippedRoundMenus, ChoosingExitTellsTheHostOnlyAfterTheFlyOut) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    turnTo(main, "exit");
    tap("Return");
    EXPECT_TRUE(sound::MANAGER->isFading("bgm"));
    wait(0.3);
    EXPECT_EQ(events.take(), "");
    EXPECT_LT(sound::MANAGER->getFadeLevel("bgm"), 1.0f) << "the music fades with the fly-out";
    wait(0.3);
    EXPECT_EQ(events.take(), "exit; ");
    EXPECT_FALSE(theSoundManager->isMusicPlaying());
    EXPECT_FALSE(shown("mainroundmenu"));
    wait(1.0);
    EXPECT_EQ(events.take(), "");
}

TEST_F(ShippedRoundMenus, AnEntryNoCommandKnowsKeepsTheScreenButShowsThePointer) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    main->getItem(7)->setName("back"); // in the place of "exit"; the main menu has no "back"
    showPointer();
    choose(main, "back");
    EXPECT_TRUE(shown("mainroundmenu"));
    EXPECT_FALSE(main->isShowed()) << "the ring flew out for the command";
    EXPECT_TRUE(pointer()->getVisible());
    EXPECT_EQ(events.take(), "");
}

TEST_F(ShippedRoundMenus, TheOptionsRingIsReachedByItsEntryAndLeftByEscapeOrBack) {
    wait(0.6);
    RoundMenu* main = ring("mainroundmenu", "main");
    RoundMenu* options = ring("mainroundmenu", "options");
    tap("Escape"); // nothing on the first ring
    wait(0.6);
    EXPECT_TRUE(main->isShowed());
    EXPECT_EQ(main->getPhase(), RoundMenu::WORK);

    choose(main, "options");
    EXPECT_FALSE(main->isShowed());
    EXPECT_EQ(options->getPhase(), RoundMenu::WORK);
    EXPECT_EQ(root->getFocusedComponent(), options);

    tap("Escape");
    wait(0.6);
    EXPECT_TRUE(main->isShowed());
    EXPECT_FALSE(options->isShowed());
    EXPECT_EQ(current(main), "options") << "back where it was left";

    choose(main, "options");
    choose(options, "back");
    EXPECT_TRUE(main->isShowed());

    // The screen comes back on the ring it was left on.
    choose(main, "options");
    choose(options, "sound");
    EXPECT_FALSE(shown("mainroundmenu"));
    root->getDescendant("mainroundmenu")->setVisible(true);
    EXPECT_EQ(options->getPhase(), RoundMenu::START);
    EXPECT_FALSE(main->isShowed());
}

TEST_F(ShippedRoundMenus, EscapeInTheGameMenuResumesTheBattleAfterTheFlyOut) {
    openGameMenu();
    RoundMenu* main = ring("gameroundmenu", "main");
    ASSERT_EQ(main->getPhase(), RoundMenu::WORK);
    EXPECT_EQ(root->getState(), State::GAME_MENU);
    EXPECT_FLOAT_EQ(root->getMousePointer()->getX(), 1024 * 0.5f);
    EXPECT_FLOAT_EQ(root->getMousePointer()->getY(), 768 * 0.6f);
    tap("Escape");
    EXPECT_FALSE(pointer()->getVisible());
    wait(0.6);
    EXPECT_EQ(root->getState(), State::GAME);
    EXPECT_FALSE(shown("gameroundmenu"));
    EXPECT_TRUE(shown("gameui"));
    EXPECT_TRUE(pointer()->getVisible());
}

TEST_F(ShippedRoundMenus, EndgameLeavesTheBattleBeforeTheHostHearsItOnce) {
    openGameMenu();
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
