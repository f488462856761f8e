// Every route of the root's notify: a notification sent by the real component of the shipped
// layout (or, for screens the layout does not build, straight to the root), and everything that
// has changed once notify returns and at the moment each root-UI event reached the host.
#include "support/RootFixture.h"
#include "support/RootWorld.h"
#include "ui/KelDataStorage.h"
#include "ui/Saves.h"

#include "host/config/Config.h"
#include "host/logic/Game.h"
#include "host/logic/StateController.h"
#include "host/ui/ListBox.h"
#include "host/ui/NotifyEvent.h"

#include <memory>

namespace {

using kel::test::RootWorld;
using kel::ui::Command;

struct Row {
    const char* label;
    // The world the notification finds: "@main" (default), "@game" (in battle) or "@gamemenu"
    // (the in-game ring up), then "+screen"/"-screen", "pointer=shown|hidden", "fade=N",
    // "players=none|beyond", "mode=Play|Create", "unstable" (the board is busy), "map=Stem" (the
    // map dialog's selection), "noscenario", "timers=P-" (only the paused-render timer paused),
    // "mapsky" (a map's sky loaded).
    const char* given;
    // The sender: "ring@screen" for a round menu of an entire menu, or a component name.
    const char* from;
    // The notification's values: "action=command itemName=play", "phase=2", "progress=0.5".
    const char* what;
    // Everything that has changed once notify returns (RootWorld's tokens).
    const char* changes;
    // The root-UI event the host hears ("name mapName=X"), if any, and what had changed when it
    // arrived.
    const char* heard = "";
    const char* atEvent = "";
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.label;
}

// Records each root-UI event with what had changed in the world when it arrived.
class HeardAt : public kel::ui::Listener {
public:
    void uiEvent(const kel::ui::Event& event) override {
        std::string name, map;
        event.getProperty("name", &name);
        if (event.getProperty("mapName", &map))
            name += " mapName=" + map;
        heard += (heard.empty() ? "" : "; ") + name;
        changed += (changed.empty() ? "" : "; ") + RootWorld::diff(before, RootWorld::take(root));
    }
    kel::ui::KELUI* root = nullptr;
    RootWorld::Snapshot before;
    std::string heard;
    std::string changed;
};

class Routing : public kel::test::RootFixture, public ::testing::WithParamInterface<Row> {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        // The settings pages the shipped layout does not build yet stand in as plain pages, so
        // what the root does to them can be seen.
        auto* commonui = dynamic_cast<::ui::Container*>(root->getComponent("commonui"));
        ASSERT_NE(commonui, nullptr);
        for (const char* name : {"inputmenu", "redefinemenu", "videomenu"}) {
            if (commonui->getComponent(name))
                continue;
            auto* page = new ::ui::Container(root.get());
            page->setName(name);
            commonui->addComponent(page);
        }
        // Likewise the goal screen the scenario shows, hidden until it does.
        auto* mainui = dynamic_cast<::ui::Container*>(root->getComponent("mainui"));
        ASSERT_NE(mainui, nullptr);
        if (!root->getDescendant("maingoal")) {
            auto* goals = new ::ui::Container(root.get());
            goals->setName("maingoal");
            mainui->addComponent(goals);
        }
        heard.root = root.get();
        root->addUIListener(&heard);
    }
    void TearDown() override {
        if (root)
            root->removeUIListener(&heard);
        if (!savedScenario.empty())
            SCENARIO = savedScenario.back();
        RootFixture::TearDown();
    }

    void startBattle() {
        game = std::make_unique<kel::logic::Game>();
        ASSERT_TRUE(game->loadMap("/Maps/Lighthouse.lvx"));
        root->command(Command::BEGIN_LOADING);
        root->setGameBoard(&game->getBoard());
        root->command(Command::BEGIN_GAME);
    }
    void openGameMenu() {
        startBattle();
        root->command(Command::SHOW_GAME_MENU);
        frame(); // the battle picture is taken: the in-game ring opens
        wait(0.6);
    }

    void setUp(const std::string& given) {
        std::vector<std::string> tokens = RootWorld::words(given);
        if (tokens.empty() || tokens.front()[0] != '@')
            tokens.insert(tokens.begin(), "@main");
        if (tokens.front() == "@game")
            startBattle();
        else if (tokens.front() == "@gamemenu")
            openGameMenu();
        std::string pointerGiven;
        for (const std::string& token : tokens) {
            const auto eq = token.find('=');
            const std::string key = token.substr(0, eq);
            const std::string value = eq == std::string::npos ? "" : token.substr(eq + 1);
            kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
            if (token[0] == '+' || token[0] == '-') {
                ::ui::Component* screen = root->getDescendant(token.substr(1));
                ASSERT_NE(screen, nullptr) << token;
                screen->setVisible(token[0] == '+');
            } else if (key == "pointer") {
                pointerGiven = value;
            } else if (key == "fade") {
                sky->startFading(std::stoi(value));
            } else if (key == "players") {
                using kel::ui::theSaves;
                if (value == "none")
                    theSaves.removeUser(theSaves.getCurrentUser());
                if (value == "beyond") { // the current player reached the second mission
                    theSaves.setMaximumMission(kel::ui::theKelDataStorage->getMission(1));
                    theSaves.setCurrentMission(kel::ui::theKelDataStorage->getMission(1));
                }
            } else if (key == "mode") {
                kel::ui::theAccessor.getCreateMenu()->setMode(
                    value == "Play" ? kel::ui::CreateMenu::Play : kel::ui::CreateMenu::Create);
            } else if (key == "unstable") {
                game->getBoard().getStateController()->beginTransition();
            } else if (key == "map") {
                auto* list = dynamic_cast<::ui::ListBox*>(
                    dynamic_cast<::ui::Container*>(root->getDescendant("newgamedialog"))
                        ->getComponent("list"));
                ASSERT_TRUE(list && list->selectString(value)) << token;
                ::ui::NotifyEvent changed(list); // the player's click on the row
                changed.setSValue("action", "selchanged");
                list->notify(changed);
            } else if (key == "noscenario") {
                savedScenario.push_back(SCENARIO);
                SCENARIO = nullptr;
            } else if (key == "timers") {
                thePausedRenderTimer->resume();
                theDelayedRenderTimer->resume();
                if (value[0] == 'P')
                    thePausedRenderTimer->pause();
            } else if (key == "mapsky") {
                config::Config map;
                ASSERT_TRUE(map.readString("sky = Eden\n", "map.cfg"));
                sky->loadConfiguration(&map);
            } else {
                ASSERT_EQ(token[0], '@') << "unknown given " << token;
            }
        }
        // Every row starts from a "bgm" fade in progress, no focus and a hidden pointer in the
        // corner, so each fade call, focus and pointer move shows.
        sound::MANAGER->startFading("bgm", 0.25f, 0.75f);
        root->setFocusedComponent(nullptr);
        root->getMousePointer()->setPosition(10, 10);
        pointer()->setVisible(pointerGiven == "shown");
        events.take();
    }

    void deliver(const std::string& from, const std::string& what) {
        std::unique_ptr<::ui::NotifyEvent> event;
        ::ui::Component* through = nullptr; // the component that sends it on its way up
        const auto at = from.find('@');
        if (at != std::string::npos) {
            const std::string ring = from.substr(0, at), screen = from.substr(at + 1);
            auto* entire = dynamic_cast<::ui::Container*>(root->getDescendant(screen));
            auto* rings =
                entire ? dynamic_cast<::ui::Container*>(entire->getDescendant("roundmenucontainer"))
                       : nullptr;
            ::ui::Component* real = rings ? rings->getComponent(ring) : nullptr;
            event = std::make_unique<::ui::NotifyEvent>(real);
            through = real;
            if (!real) { // a ring the layout does not have
                event->setSValue("class", "roundmenu");
                event->setSValue("name", ring);
                through = entire;
                if (!entire) {
                    event->setSValue("menuName", screen);
                    through = root.get();
                }
            }
        } else {
            through = root->getDescendant(from);
            event = std::make_unique<::ui::NotifyEvent>(through);
            if (!through) { // a screen the layout does not build
                event->setSValue("class", from);
                event->setSValue("name", from);
                through = root.get();
            }
        }
        for (const std::string& token : RootWorld::words(what)) {
            const auto eq = token.find('=');
            const std::string key = token.substr(0, eq), value = token.substr(eq + 1);
            if (key == "phase")
                event->setIValue(key, std::stoi(value));
            else if (key == "progress")
                event->setFValue(key, std::stof(value));
            else
                event->setSValue(key, value);
        }
        through->notify(*event);
    }

    HeardAt heard;
    std::unique_ptr<kel::logic::Game> game; // outlives the root's teardown
    std::vector<kel::logic::ScenarioInterface*> savedScenario;
};

TEST_P(Routing, HasExactlyItsEffectsWhenTheNotificationArrives) {
    const Row& row = GetParam();
    setUp(row.given);
    if (HasFatalFailure())
        return;
    heard.heard.clear();
    heard.changed.clear();
    heard.before = RootWorld::take(root.get());
    deliver(row.from, row.what);
    EXPECT_EQ(RootWorld::diff(heard.before, RootWorld::take(root.get())),
              RootWorld::sorted(row.changes));
    EXPECT_EQ(heard.heard, row.heard);
    if (*row.heard) {
        EXPECT_EQ(heard.changed, RootWorld::sorted(row.atEvent)) << "when the host heard it";
    }
    if (game && !game->getBoard().getStateController()->isStateStable())
        game->getBoard().getStateController()->endTransition();
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.label;
}

// The main ring ("main@mainroundmenu"; its options ring is "options@mainroundmenu").
const Row kMainRing[] = {
    {"PrecommandPlayFadesIntoTheFirstMission", "", "main@mainroundmenu",
     "action=precommand itemName=play", "fade=5"},
    {"PrecommandPlayBeforeTheMissionMenuKeepsTheSky", "players=beyond", "main@mainroundmenu",
     "action=precommand itemName=play", ""},
    {"PrecommandPlayBeforePlayerCreationKeepsTheSky", "players=none", "main@mainroundmenu",
     "action=precommand itemName=play", ""},
    {"PrecommandExitFadesTheMusicOut", "", "main@mainroundmenu", "action=precommand itemName=exit",
     "bgm=fading@1"},
    {"PrecommandOtherEntryDoesNothing", "", "main@mainroundmenu",
     "action=precommand itemName=sound", ""},
    {"CommandPlayStartsTheFirstMission", "", "main@mainroundmenu", "action=command itemName=play",
     "-mainroundmenu music=off bgm=still@0.75", "newgame mapName=Lighthouse", "-mainroundmenu"},
    {"CommandPlayWithoutPlayersOpensPlayerCreation", "players=none mode=Create",
     "main@mainroundmenu", "action=command itemName=play",
     "-mainroundmenu +createmenu createmode=Play focus=createmenu:editname pointer=shown "
     "bgm=still@0.75"},
    {"CommandPlayBeyondTheFirstMissionOpensTheMissionMenu", "players=beyond", "main@mainroundmenu",
     "action=command itemName=play",
     "-mainroundmenu +playmenu focus=playmenu pointer=shown bgm=still@0.75"},
    {"CommandExitStopsTheMusicTellsTheHostThenHidesThePointer", "pointer=shown",
     "main@mainroundmenu", "action=command itemName=exit",
     "music=off -mainroundmenu pointer=hidden bgm=still@0.75", "exit", "music=off -mainroundmenu"},
    {"CommandControlsOpensTheInputPage", "", "main@mainroundmenu",
     "action=command itemName=controls",
     "-mainroundmenu +inputmenu focus=inputmenu pointer=shown bgm=still@0.75"},
    {"CommandVideoOpensTheVideoPage", "", "main@mainroundmenu", "action=command itemName=video",
     "-mainroundmenu +videomenu focus=videomenu pointer=shown bgm=still@0.75"},
    {"CommandSoundOpensTheSoundPage", "", "main@mainroundmenu", "action=command itemName=sound",
     "-mainroundmenu +soundmenu focus=soundmenu pointer=shown bgm=still@0.75"},
    {"CommandOptionsPlayOpensThePlayerMenu", "", "main@mainroundmenu",
     "action=command itemName=options_play",
     "-mainroundmenu +gamemenu focus=gamemenu pointer=shown bgm=still@0.75"},
    {"CommandSelectmapOpensTheMapDialog", "", "main@mainroundmenu",
     "action=command itemName=selectmap",
     // the root leaves the focus alone; the dialog gives it to its list itself
     "-mainroundmenu +newgamedialog focus=newgamedialog:list pointer=shown bgm=still@0.75"},
    {"CommandUnknownEntryKeepsTheRingButShowsThePointer", "", "main@mainroundmenu",
     "action=command itemName=options", "pointer=shown bgm=still@0.75"},
    {"CommandWithoutEntryOnlyEndsTheMusicFade", "", "main@mainroundmenu", "action=command",
     "bgm=still@0.75"},
    {"WorkingMainRingPlacesAndShowsThePointer", "", "main@mainroundmenu", "action=setphase phase=2",
     "at=512,460.8 pointer=shown bgm=still@0.75"},
    {"WorkingOptionsRingShowsThePointerWhereItIs", "", "options@mainroundmenu",
     "action=setphase phase=2", "pointer=shown bgm=still@0.75"},
    {"AppearingHidesThePointer", "pointer=shown", "main@mainroundmenu", "action=setphase phase=1",
     "pointer=hidden"},
    {"DisappearingHidesThePointer", "pointer=shown", "options@mainroundmenu",
     "action=setphase phase=3", "pointer=hidden"},
    {"GonePhaseDoesNothing", "pointer=shown", "main@mainroundmenu", "action=setphase phase=4", ""},
    {"StartphaseDrivesTheSkyAndTheMusic", "fade=1", "main@mainroundmenu",
     "action=startphase progress=0.5", "fade=1@0.3:own bgm=fading@0.5"},
    {"EndphaseAboveOneEndsTheSkyFade", "fade=4", "main@mainroundmenu",
     "action=endphase progress=1.5", "fade=0 bgm=fading@0.75"},
};
INSTANTIATE_TEST_SUITE_P(MainRoundMenu, Routing, ::testing::ValuesIn(kMainRing), rowName);

// The in-game ring ("main@gameroundmenu") over the paused battle.
const Row kGameRing[] = {
    {"CommandContinueResumesTheBattle", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=continue",
     "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown timers=-- "
     "state=GAME mode=1 level=loud classes=11"},
    {"CommandWithoutEntryResumesTheBattle", "@gamemenu", "main@gameroundmenu", "action=command",
     "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown timers=-- "
     "state=GAME mode=1 level=loud classes=11"},
    {"CommandEndgameLeavesTheBattleBeforeTheHostHears", "@gamemenu mapsky pointer=shown",
     "main@gameroundmenu", "action=command itemName=endgame",
     "-screenshot -gameroundmenu skyname=Default fade=4@1:own +pleasewait pointer=hidden "
     "forced=+1 state=ENDING_GAME mode=1",
     "endgame",
     "-screenshot -gameroundmenu skyname=Default fade=4@1:own +pleasewait pointer=hidden "
     "forced=+1 state=ENDING_GAME mode=1"},
    {"CommandSavegameTellsTheHost", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=savegame", "pointer=shown", "savegame", ""},
    {"CommandGoalShowsTheScenarioGoals", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=goal", "goals=+1"},
    {"CommandGoalWithoutAScenarioDoesNothing", "@gamemenu noscenario", "main@gameroundmenu",
     "action=command itemName=goal", ""},
    {"CommandControlsOpensTheInputPage", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=controls", "-gameroundmenu +inputmenu focus=inputmenu pointer=shown"},
    {"CommandVideoOpensTheVideoPage", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=video", "-gameroundmenu +videomenu focus=videomenu pointer=shown"},
    {"CommandSoundOpensTheSoundPageAndUpdatesTheLandSounds", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=sound",
     // the sound page shown over the game menu lets the battle sounds play (its own rule)
     "-gameroundmenu +soundmenu insonify=+1 focus=soundmenu pointer=shown level=loud classes=11"},
    {"CommandUnknownEntryOnlyShowsThePointer", "@gamemenu", "main@gameroundmenu",
     "action=command itemName=savegames", "pointer=shown"},
    {"PrecommandEndgameFadesToTheMenusSky", "@gamemenu pointer=shown", "main@gameroundmenu",
     "action=precommand itemName=endgame", "fade=2@0.6:own pointer=hidden"},
    {"PrecommandContinueFadesBackToTheBattle", "@gamemenu pointer=shown", "main@gameroundmenu",
     "action=precommand itemName=continue", "fade=3@0.6:own pointer=hidden"},
    {"PrecommandWithoutEntryFromTheMainRingFadesBack", "@gamemenu pointer=shown",
     "main@gameroundmenu", "action=precommand", "fade=3@0.6:own pointer=hidden"},
    {"PrecommandWithoutEntryFromAnotherRingDoesNothing", "@gamemenu pointer=shown",
     "other@gameroundmenu", "action=precommand", ""},
    {"PrecommandSavegameDoesNothing", "@gamemenu pointer=shown", "main@gameroundmenu",
     "action=precommand itemName=savegame", ""},
    {"ExitFadesBackAndHidesThePointer", "@gamemenu pointer=shown", "main@gameroundmenu",
     "action=exit", "fade=3@0.6:own pointer=hidden"},
    {"WorkingRingShowsThePointerWhereItIs", "@gamemenu", "main@gameroundmenu",
     "action=setphase phase=2", "pointer=shown bgm=still@0.75"},
};
INSTANTIATE_TEST_SUITE_P(GameRoundMenu, Routing, ::testing::ValuesIn(kGameRing), rowName);

// A round menu in an entire menu of another name: only the phases count.
const Row kOtherRing[] = {
    {"WorkingShowsThePointerWithoutPlacingIt", "", "main@other", "action=setphase phase=2",
     "pointer=shown bgm=still@0.75"},
    {"AppearingHidesThePointer", "pointer=shown", "main@other", "action=setphase phase=1",
     "pointer=hidden"},
    {"StartphaseDrivesTheSkyAndTheMusic", "fade=5", "main@other", "action=startphase progress=0.25",
     "fade=5@0.25:own bgm=fading@0.375"},
    {"PrecommandAndCommandDoNothing", "pointer=shown", "main@other", "action=command itemName=exit",
     ""},
};
INSTANTIATE_TEST_SUITE_P(OtherRoundMenu, Routing, ::testing::ValuesIn(kOtherRing), rowName);

// Every other sender, by name. A round-menu screen that is shown gives its current ring the
// focus, and the in-game one puts the pointer at 50 % and 60 % of the screen (their own rules).
const Row kBySender[] = {
    {"InputPageOkReturnsToTheMainRing", "+inputmenu -mainroundmenu", "inputmenu", "action=ok",
     "-inputmenu +mainroundmenu focus=mainroundmenu:main"},
    {"InputPageCancelReturnsToTheGameRing", "@gamemenu +inputmenu -gameroundmenu", "inputmenu",
     "action=cancel", "-inputmenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"InputPageOpensTheKeyPage", "+inputmenu", "inputmenu", "action=customizecontrols",
     "-inputmenu +redefinemenu focus=redefinemenu"},
    {"KeyPageOkReturnsToTheInputPage", "+redefinemenu", "redefinemenu", "action=ok",
     "+inputmenu -redefinemenu focus=inputmenu"},
    {"KeyPageCancelReturnsToTheInputPage", "@gamemenu +redefinemenu", "redefinemenu",
     "action=cancel", "+inputmenu -redefinemenu focus=inputmenu"},
    {"SoundPageOkReturnsToTheMainRing", "+soundmenu -mainroundmenu", "soundmenu", "action=ok",
     "-soundmenu +mainroundmenu focus=mainroundmenu:main"},
    {"SoundPageCancelReturnsToTheGameRing", "@gamemenu +soundmenu -gameroundmenu", "soundmenu",
     "action=cancel",
     // the page hidden over the game menu quietens the battle again (its own rule)
     "-soundmenu +gameroundmenu focus=gameroundmenu:main at=512,460.8 level=quiet classes=00"},
    {"VideoPageCancelReturnsToTheMainRing", "+videomenu -mainroundmenu", "videomenu",
     "action=cancel", "-videomenu +mainroundmenu focus=mainroundmenu:main"},
    {"VideoPageOkReturnsToTheGameRing", "@gamemenu +videomenu -gameroundmenu", "videomenu",
     "action=ok", "-videomenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"VideoPageClosedInBattleReturnsToTheGameRing", "@game +videomenu", "videomenu",
     "action=cancel", "-videomenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"SettingsPageOtherActionDoesNothing", "+soundmenu -mainroundmenu", "soundmenu", "action=value",
     ""},
    {"EndTurnButtonEndsTheTurn", "@game", "endturnbutton", "action=job", "endturns=+1"},
    {"HudAsksForTheGameMenuOverAStableBoard", "@game pointer=shown", "gameui",
     "action=gameroundmenu",
     "+screenshot state=GAME_MENU mode=0 pointer=hidden level=quiet classes=00"},
    {"HudAskingWhileTheBoardIsBusyIsIgnored", "@game unstable pointer=shown", "gameui",
     "action=gameroundmenu", ""},
    {"HudAskingWithoutABoardIsIgnored", "pointer=shown", "gameui", "action=gameroundmenu", ""},
    {"HudOtherActionDoesNothing", "@game pointer=shown", "gameui", "action=job", ""},
    {"BattlePictureTakenOpensTheGameRingOverPausedTimers", "@game +screenshot", "screenshot",
     "action=taken",
     "-gameui +gameroundmenu focus=gameroundmenu:main at=512,460.8 env=off view=own fade=1 "
     "timers=PD mode=0",
     "gameroundmenu", ""},
    {"BattlePictureLeavesPausedTimersAsTheyAre", "@game +screenshot timers=P-", "screenshot",
     "action=taken",
     "-gameui +gameroundmenu focus=gameroundmenu:main at=512,460.8 env=off view=own fade=1 "
     "mode=0",
     "gameroundmenu", ""},
    {"MapDialogOkStartsTheSelectedMap", "+newgamedialog map=Skirmish", "newgamedialog", "action=ok",
     "-newgamedialog music=off", "newgame mapName=Skirmish.lvx", "-newgamedialog"},
    {"MapDialogOkStartsTheMissionOfTheSelectedMap", "+newgamedialog map=Garden", "newgamedialog",
     "action=ok", "-newgamedialog music=off", "newgame mapName=Garden", "-newgamedialog"},
    {"MapDialogCancelReturnsToTheMainRing", "+newgamedialog -mainroundmenu", "newgamedialog",
     "action=cancel", "-newgamedialog +mainroundmenu focus=mainroundmenu:main"},
    {"MainGoalScreenReopensTheGameRing", "@gamemenu -gameroundmenu", "maingoal", "action=ok",
     "+gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"GameGoalScreenTellsTheHost", "@gamemenu", "gamegoal", "action=ok", "", "goal", ""},
    {"CreationCancelInPlayModeReturnsToTheMainRing", "+createmenu -mainroundmenu mode=Play",
     "createmenu", "action=cancel", "-createmenu +mainroundmenu focus=mainroundmenu:main"},
    {"CreationCancelInCreateModeReturnsToThePlayerMenu", "+createmenu -mainroundmenu mode=Create",
     "createmenu", "action=cancel", "-createmenu +gamemenu focus=gamemenu"},
    {"CreationPlayStartsTheFirstMission", "+createmenu", "createmenu", "action=play",
     "-createmenu music=off", "newgame mapName=Lighthouse", "-createmenu"},
    {"CreationCreateReturnsToThePlayerMenu", "+createmenu", "createmenu", "action=create",
     "-createmenu +gamemenu"},
    {"MissionMenuCancelReturnsToTheMainRing", "players=beyond +playmenu -mainroundmenu", "playmenu",
     "action=cancel", "-playmenu +mainroundmenu focus=mainroundmenu:main"},
    {"MissionMenuOkStartsTheMission", "players=beyond +playmenu", "playmenu", "action=ok",
     "-playmenu music=off", "newgame mapName=Watermill", "-playmenu"},
    {"MissionMenuOtherActionDoesNothing", "players=beyond +playmenu", "playmenu", "action=job", ""},
    {"PlayerMenuCancelReturnsToTheMainRing", "+gamemenu -mainroundmenu", "gamemenu",
     "action=cancel", "-gamemenu +mainroundmenu focus=mainroundmenu:main"},
    {"PlayerMenuOkReturnsToTheMainRing", "+gamemenu -mainroundmenu", "gamemenu", "action=ok",
     "-gamemenu +mainroundmenu focus=mainroundmenu:main"},
    {"PlayerMenuCreateOpensCreationInCreateMode", "+gamemenu mode=Play", "gamemenu",
     "action=create", "-gamemenu +createmenu createmode=Create focus=createmenu:editname"},
    {"UnknownSenderDoesNothing", "pointer=shown", "nobody", "action=ok", ""},
};
INSTANTIATE_TEST_SUITE_P(BySender, Routing, ::testing::ValuesIn(kBySender), rowName);

} // namespace
