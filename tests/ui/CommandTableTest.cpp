// The root's flow commands and screen states: every accepted (command, state) pair with all it
// changes, every refused pair changing nothing but the sound mode, the state table walked along
// the host's own road, setState and the fixed numbers the host relies on.
#include "support/RootFixture.h"
#include "support/RootWorld.h"

#include "host/config/Config.h"
#include "host/engine/RenderDriverListener.h"
#include "host/logic/Game.h"
#include "host/ui/SpriteText.h"

#include <memory>
#include <set>

namespace {

using kel::test::RootWorld;
using kel::ui::Command;
using kel::ui::State;

struct CommandRow {
    const char* label;
    // Where the root stands: "loaded" (layout read, still INITIAL), "MAIN_MENU", "LOADING",
    // "GAME", "GAME_MENU" or "ENDING_GAME" (left from the game menu); then "pointer=shown",
    // "-screen", "music=off", "env=off", "quiet"/"loud", "classes=00|11", "timers=PD|-D|--",
    // "at=10,10", "rich=no", "mapsky".
    const char* given;
    Command::Name command;
    // Everything that has changed once the command returns (RootWorld's tokens).
    const char* changes;
};

std::ostream& operator<<(std::ostream& out, const CommandRow& row) {
    return out << row.label;
}

class Commands : public kel::test::RootFixture {
protected:
    bool bootToMainMenu() override { return false; }

    // Takes the root along the host's road to `where`.
    void reach(const std::string& where) {
        root->command(Command::LOAD_INTERFACE);
        if (where == "loaded")
            return;
        root->command(Command::SHOW_MAIN_MENU);
        if (where == "MAIN_MENU")
            return;
        game = std::make_unique<kel::logic::Game>();
        ASSERT_TRUE(game->loadMap("/Maps/Lighthouse.lvx"));
        root->command(Command::BEGIN_LOADING);
        root->setGameBoard(&game->getBoard());
        if (where == "LOADING")
            return;
        root->command(Command::BEGIN_GAME);
        if (where == "GAME")
            return;
        root->command(Command::SHOW_GAME_MENU);
        frame(); // the battle picture is taken: the in-game ring opens
        wait(0.6);
        if (where == "ENDING_GAME")
            root->command(Command::END_GAME);
    }

    void setUp(const std::string& given) {
        std::vector<std::string> tokens = RootWorld::words(given);
        reach(tokens.at(0));
        tokens.erase(tokens.begin());
        apply(tokens);
    }

    void apply(const std::vector<std::string>& tokens) {
        for (const std::string& token : tokens) {
            const auto eq = token.find('=');
            const std::string key = token.substr(0, eq);
            const std::string value = eq == std::string::npos ? "" : token.substr(eq + 1);
            kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
            if (token[0] == '-' || token[0] == '+') {
                root->getDescendant(token.substr(1))->setVisible(token[0] == '+');
            } else if (key == "pointer") {
                pointer()->setVisible(value == "shown");
            } else if (key == "music") {
                theSoundManager->stopMusic();
            } else if (key == "env") {
                sky->setEnvironmentVisible(value == "on");
            } else if (key == "quiet" || key == "loud") {
                key == "quiet" ? theSoundManager->quiet() : theSoundManager->loud();
            } else if (key == "classes") {
                for (int c = 0; c < 2; ++c)
                    value[c] == '1' ? theInsonificatorManager->enable(c)
                                    : theInsonificatorManager->disable(c);
            } else if (key == "timers") {
                for (auto [timer, paused] : {std::pair{thePausedRenderTimer, value[0] == 'P'},
                                             std::pair{theDelayedRenderTimer, value[1] == 'D'}})
                    paused ? timer->pause() : timer->resume();
            } else if (key == "at") {
                root->getMousePointer()->setPosition(10, 10);
            } else if (key == "rich") {
                dynamic_cast<::ui::Container*>(root->getComponent("mainui"))->setRich(false);
            } else if (key == "mapsky") {
                config::Config map;
                ASSERT_TRUE(map.readString("sky = Eden\n", "map.cfg"));
                sky->loadConfiguration(&map);
            } else {
                FAIL() << "unknown given " << token;
            }
        }
        // A "bgm" fade in progress and no focus, so a new fade or focus shows.
        sound::MANAGER->startFading("bgm", 0.25f, 0.75f);
        root->setFocusedComponent(nullptr);
        events.take();
    }

    std::unique_ptr<kel::logic::Game> game; // outlives the root's teardown
};

class CommandTable : public Commands, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(CommandTable, HasExactlyItsStepsAndTakesTheNewState) {
    const CommandRow& row = GetParam();
    setUp(row.given);
    if (HasFatalFailure())
        return;
    const RootWorld::Snapshot before = RootWorld::take(root.get());
    root->command(row.command);
    EXPECT_EQ(RootWorld::diff(before, RootWorld::take(root.get())), RootWorld::sorted(row.changes));
    EXPECT_EQ(events.take(), "") << "commands tell the host nothing";
}

// The ring shown with the main screen takes the focus (the ring container's own rule), and
// appearing it hides the pointer.
const CommandRow kCommands[] = {
    {"ShowMainMenuAfterTheLayoutShowsTheMainScreenWithMusicAndSky",
     "loaded env=off quiet classes=11", Command::SHOW_MAIN_MENU,
     "-pleasewait +mainui +commonui +mainroundmenu focus=mainroundmenu:main listening=yes "
     "bgm=fading@0 music=MenuMusic env=on state=MAIN_MENU level=loud classes=00"},
    {"ShowMainMenuAfterTheBattleComesBackRichAndRewound",
     "ENDING_GAME -mainui rich=no music=off quiet", Command::SHOW_MAIN_MENU,
     "-pleasewait +mainui rich=yes bgm=fading@0 rewound=+1 music=MenuMusic env=on "
     "+mainroundmenu focus=mainroundmenu:main state=MAIN_MENU mode=0 level=loud"},
    {"BeginLoadingFromTheMainMenuHidesTheRingAndTheSky", "MAIN_MENU", Command::BEGIN_LOADING,
     "-mainroundmenu -sky state=LOADING mode=1"},
    {"BeginLoadingFromTheBattleHidesTheHudAndTakesTheSkyOffTheBoard", "GAME pointer=shown",
     Command::BEGIN_LOADING, "-gameui env=off view=own pointer=hidden state=LOADING"},
    {"BeginGameShowsTheHudAndTheSkyOverTheBoard", "LOADING env=off at=10,10", Command::BEGIN_GAME,
     // the profile's sound settings are applied again: the battle sound classes come on
     "at=512,384 +gameui +sky env=on view=board pointer=shown state=GAME classes=11"},
    {"ShowGameMenuShowsTheBattlePictureAndQuietensTheBattle", "GAME pointer=shown loud classes=11",
     Command::SHOW_GAME_MENU,
     "+screenshot state=GAME_MENU mode=0 pointer=hidden level=quiet classes=00"},
    {"ResumeGameResumesPausedTimers", "GAME_MENU pointer=hidden", Command::RESUME_GAME,
     "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown timers=-- "
     "state=GAME mode=1 level=loud classes=11"},
    {"ResumeGameLeavesRunningTimersRunning", "GAME_MENU pointer=hidden timers=--",
     Command::RESUME_GAME,
     "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown state=GAME "
     "mode=1 level=loud classes=11"},
    {"ResumeGameAsksOnlyThePausedRenderTimer", "GAME_MENU pointer=hidden timers=-D",
     Command::RESUME_GAME,
     "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown state=GAME "
     "mode=1 level=loud classes=11"},
    {"EndGameFromTheGameMenuFadesOutBehindPleaseWait", "GAME_MENU mapsky pointer=shown",
     Command::END_GAME,
     "-screenshot -gameroundmenu skyname=Default fade=4@1:own +pleasewait pointer=hidden "
     "forced=+1 state=ENDING_GAME mode=1"},
    {"EndGameFromTheBattleTakesTheSkyOffTheBoardAndFadesOut", "GAME mapsky pointer=shown",
     Command::END_GAME, "-gameui env=off view=own skyname=Default fade=4@1:own state=ENDING_GAME"},
};
INSTANTIATE_TEST_SUITE_P(Accepted, CommandTable, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.label); });

// Where each command is accepted; anywhere else it does nothing but its sound-mode call.
const std::map<Command::Name, std::set<std::string>> kAcceptedIn = {
    {Command::LOAD_INTERFACE, {"loaded"}},
    {Command::SHOW_MAIN_MENU, {"loaded", "ENDING_GAME"}},
    {Command::BEGIN_LOADING, {"MAIN_MENU", "GAME"}},
    {Command::BEGIN_GAME, {"LOADING"}},
    {Command::SHOW_GAME_MENU, {"GAME"}},
    {Command::RESUME_GAME, {"GAME_MENU"}},
    {Command::END_GAME, {"GAME_MENU", "GAME"}},
};

// The sound-mode call each command makes in every state: the world before it and what it changes.
struct SoundMode {
    const char* before;
    const char* changes;
};
const std::map<Command::Name, SoundMode> kSoundModes = {
    {Command::SHOW_MAIN_MENU, {"quiet classes=11", "level=loud classes=00"}},
    {Command::SHOW_GAME_MENU, {"loud classes=11", "level=quiet classes=00"}},
    {Command::RESUME_GAME, {"quiet classes=00", "level=loud classes=11"}},
};

class RefusedCommands : public Commands, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedCommands, ChangeNothingButTheSoundMode) {
    const std::string where = GetParam();
    setUp(where);
    if (HasFatalFailure())
        return;
    for (const auto& [command, states] : kAcceptedIn) {
        if (states.count(where))
            continue;
        const auto mode = kSoundModes.find(command);
        if (mode != kSoundModes.end())
            apply(RootWorld::words(mode->second.before));
        const RootWorld::Snapshot before = RootWorld::take(root.get());
        root->command(command);
        EXPECT_EQ(RootWorld::diff(before, RootWorld::take(root.get())),
                  mode != kSoundModes.end() ? RootWorld::sorted(mode->second.changes) : "")
            << "command " << int(command) << " in " << where;
    }
    EXPECT_EQ(events.take(), "");
}

INSTANTIATE_TEST_SUITE_P(InEveryState, RefusedCommands,
                         ::testing::Values("loaded", "MAIN_MENU", "LOADING", "GAME", "GAME_MENU",
                                           "ENDING_GAME"));

// LOAD_INTERFACE puts "PLEASE WAIT" on screen with a frame drawn at once, before the long read.
TEST_F(Commands, LoadInterfaceDrawsPleaseWaitBeforeReadingTheLayout) {
    struct FrameProbe : RenderDriverListener {
        void initFrame(float) override {
            ::ui::Component* overlay = root->getDescendant("pleasewait");
            seen += std::string("overlay=") + (overlay && overlay->isShowed() ? "on" : "off") +
                    " layout=" + (root->getDescendant("mainui") ? "read" : "unread") + "; ";
        }
        kel::ui::KELUI* root = nullptr;
        std::string seen;
    } probe;
    probe.root = root.get();
    const unsigned long forced = theRenderDriver->getForcedFrameCount();
    theRenderDriver->registerListener(&probe, 0);
    root->command(Command::LOAD_INTERFACE);
    theRenderDriver->unregisterListener(&probe);
    EXPECT_EQ(probe.seen, "overlay=on layout=unread; ");
    auto* overlay = dynamic_cast<::ui::SpriteText*>(root->getComponent("pleasewait"));
    ASSERT_NE(overlay, nullptr) << "a child of the root";
    EXPECT_EQ(overlay->getText(), "PLEASE WAIT");
    EXPECT_EQ(overlay->getFontName(), "efirst_blue");
    EXPECT_EQ(overlay->getAlign(), ::ui::SpriteText::AlignCentre);
    EXPECT_EQ(overlay->getFit(), ::ui::SpriteText::FitTextCentre);
    EXPECT_EQ(theRenderDriver->getForcedFrameCount(), forced + 1);
    EXPECT_TRUE(root->isShowed());
    EXPECT_NE(root->getDescendant("mainui"), nullptr);
    EXPECT_EQ(root->getState(), State::INITIAL);
    EXPECT_FALSE(pointer()->getVisible());
}

// The state table, walked along the host's road so every transition is taken at least once.
TEST_F(Commands, EveryTransitionOfTheStateTable) {
    struct Transition {
        State::Name from;
        Command::Name command;
        State::Name to;
    };
    const Transition kTable[] = {
        {State::INITIAL, Command::LOAD_INTERFACE, State::INITIAL},
        {State::INITIAL, Command::SHOW_MAIN_MENU, State::MAIN_MENU},
        {State::MAIN_MENU, Command::BEGIN_LOADING, State::LOADING},
        {State::GAME, Command::BEGIN_LOADING, State::LOADING},
        {State::LOADING, Command::BEGIN_GAME, State::GAME},
        {State::GAME, Command::SHOW_GAME_MENU, State::GAME_MENU},
        {State::GAME_MENU, Command::RESUME_GAME, State::GAME},
        {State::GAME_MENU, Command::END_GAME, State::ENDING_GAME},
        {State::GAME, Command::END_GAME, State::ENDING_GAME},
        {State::ENDING_GAME, Command::SHOW_MAIN_MENU, State::MAIN_MENU},
    };
    const int kRoad[] = {0, 1, 2, 4, 5, 6, 5, 7, 9, 2, 4, 3, 4, 8, 9};
    std::set<int> taken;
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    for (int step : kRoad) {
        const Transition& t = kTable[step];
        ASSERT_EQ(root->getState(), t.from) << "step " << step;
        if (t.command == Command::BEGIN_GAME) {
            root->resetGameBoard();
            root->setGameBoard(&game.getBoard());
        }
        root->command(t.command);
        EXPECT_EQ(root->getState(), t.to) << "step " << step;
        if (t.from != t.to) { // init put the pointer in mode 0 before the first state change
            EXPECT_EQ(pointer()->getMode(), State(t.to).isMenuMode() ? 0 : 1) << "step " << step;
        }
        taken.insert(step);
    }
    EXPECT_EQ(taken.size(), std::size(kTable));
    root->resetGameBoard();
    EXPECT_EQ(events.take(), "");
}

// The numbers that cross the module boundary, and the state predicates.
TEST(StateAndCommand, FixedNumbersAndPredicates) {
    struct StateRow {
        State::Name state;
        int value;
        bool menu, game, pointerVisible;
    };
    const StateRow kStates[] = {
        {State::INITIAL, 0, false, false, false}, {State::MAIN_MENU, 1, true, false, true},
        {State::LOADING, 2, false, false, false}, {State::GAME, 3, false, true, true},
        {State::GAME_MENU, 4, true, false, true}, {State::ENDING_GAME, 5, false, false, false},
    };
    for (const StateRow& row : kStates) {
        const State state(row.state);
        EXPECT_EQ(static_cast<int>(row.state), row.value);
        EXPECT_EQ(state.isMenuMode(), row.menu) << row.value;
        EXPECT_EQ(state.isGameMode(), row.game) << row.value;
        EXPECT_EQ(state.isPointerVisible(), row.pointerVisible) << row.value;
    }
    const std::pair<Command::Name, int> kCommandNumbers[] = {
        {Command::LOAD_INTERFACE, 0}, {Command::SHOW_MAIN_MENU, 1}, {Command::BEGIN_LOADING, 2},
        {Command::BEGIN_GAME, 3},     {Command::SHOW_GAME_MENU, 4}, {Command::RESUME_GAME, 5},
        {Command::END_GAME, 6}};
    for (const auto& [command, value] : kCommandNumbers)
        EXPECT_EQ(static_cast<int>(command), value);
    static_assert(sizeof(State::Name) == 4 && sizeof(Command::Name) == 4);
}

class SetState : public Commands {
protected:
    bool bootToMainMenu() override { return true; }
};

// setState changes the state and the pointer's mode and nothing else; the same state touches
// nothing at all.
TEST_F(SetState, ChangesOnlyTheStateAndThePointerMode) {
    const std::pair<State::Name, const char*> kRows[] = {
        {State::LOADING, "state=LOADING mode=1"},
        {State::GAME, "state=GAME mode=1"},
        {State::GAME_MENU, "state=GAME_MENU mode=0"},
        {State::INITIAL, "state=INITIAL mode=1"},
        {State::ENDING_GAME, "state=ENDING_GAME mode=1"},
        {State::MAIN_MENU, "state=MAIN_MENU mode=0"},
    };
    for (const auto& [state, changes] : kRows) {
        // The pointer's mode set against the new state, so setting it shows.
        pointer()->setMode(State(state).isMenuMode() ? 1 : 0);
        const RootWorld::Snapshot before = RootWorld::take(root.get());
        root->setState(state);
        EXPECT_EQ(RootWorld::diff(before, RootWorld::take(root.get())), RootWorld::sorted(changes));
    }
    pointer()->setMode(1); // out of step with the state on purpose
    root->setState(State::MAIN_MENU);
    EXPECT_EQ(pointer()->getMode(), 1) << "the same state leaves the pointer alone";
    EXPECT_EQ(events.take(), "");
}

} // namespace
