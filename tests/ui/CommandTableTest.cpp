// The root's flow commands and screen states: every accepted (command, state) pair with all it
// changes, every refused pair changing nothing but the sound mode, setState and the fixed numbers
// the host relies on.
#include "support/RootWorld.h"

#include "host/engine/RenderDriverListener.h"
#include "host/ui/SpriteText.h"

#include <set>

namespace {

using kel::test::kEnded;
using kel::test::kResumed;
using kel::test::kResumedTimersAsTheyWere;
using kel::test::RootWorld;
using kel::ui::Command;
using kel::ui::State;

struct CommandRow {
    const char* given; // where the root stands and the world around it (RootWorldFixture::given)
    Command::Name command;
    std::string changes; // everything that has changed once the command returns
};

std::ostream& operator<<(std::ostream& out, const CommandRow& row) {
    return out << row.given << " | command " << int(row.command);
}

class Commands : public kel::test::RootWorldFixture {
protected:
    // Runs the command and checks what changed; commands tell the host nothing.
    void expectCommand(Command::Name command, const std::string& changes) {
        const RootWorld::Snapshot before = RootWorld::take(root.get());
        root->command(command);
        EXPECT_EQ(RootWorld::diff(before, RootWorld::take(root.get())), RootWorld::sorted(changes))
            << "command " << int(command);
        EXPECT_EQ(events.take(), "");
    }
};

class CommandTable : public Commands, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(CommandTable, HasExactlyItsStepsAndTakesTheNewState) {
    given(GetParam().given);
    if (!HasFatalFailure())
        expectCommand(GetParam().command, GetParam().changes);
}

// The ring shown with the main screen takes the focus (the ring container's own rule), and
// appearing it hides the pointer.
const CommandRow kCommands[] = {
    {"loaded env=off quiet classes=11", Command::SHOW_MAIN_MENU,
     "-pleasewait +mainui +commonui +mainroundmenu focus=mainroundmenu:main listening=yes "
     "bgm=fading@0 music=MenuMusic env=on state=MAIN_MENU level=loud classes=00"},
    {"ENDING_GAME -mainui rich=no music=off quiet", Command::SHOW_MAIN_MENU,
     "-pleasewait +mainui rich=1 bgm=fading@0 rewound=+1 music=MenuMusic env=on "
     "+mainroundmenu focus=mainroundmenu:main state=MAIN_MENU mode=0 level=loud"},
    {"MAIN_MENU", Command::BEGIN_LOADING, "-mainroundmenu -sky state=LOADING mode=1"},
    {"GAME pointer=shown", Command::BEGIN_LOADING,
     "-gameui env=off view=own pointer=hidden state=LOADING"},
    // the profile's sound settings are applied again: the battle sound classes come on
    {"LOADING env=off at=10,10", Command::BEGIN_GAME,
     "at=512,384 +gameui +sky env=on view=board pointer=shown state=GAME classes=11 "
     "focus=gameui:subgameui"},
    {"GAME pointer=shown loud classes=11", Command::SHOW_GAME_MENU,
     "+screenshot state=GAME_MENU mode=0 pointer=hidden level=quiet classes=00"},
    {"GAME_MENU pointer=hidden", Command::RESUME_GAME, kResumed},
    {"GAME_MENU pointer=hidden timers=--", Command::RESUME_GAME, kResumedTimersAsTheyWere},
    // asks the paused-render timer only
    {"GAME_MENU pointer=hidden timers=-D", Command::RESUME_GAME, kResumedTimersAsTheyWere},
    {"GAME_MENU mapsky pointer=shown", Command::END_GAME, kEnded},
    {"GAME mapsky pointer=shown", Command::END_GAME,
     "-gameui env=off view=own skyname=Default fade=4@1:own state=ENDING_GAME"},
};
INSTANTIATE_TEST_SUITE_P(Accepted, CommandTable, ::testing::ValuesIn(kCommands));

// Where each command is accepted; anywhere else it does nothing but its sound-mode call, which
// runs in every state: the world before it and what it changes.
const struct {
    Command::Name command;
    std::set<std::string> acceptedIn;
    const char* soundBefore;
    const char* soundChanges;
} kRefusal[] = {
    {Command::LOAD_INTERFACE, {"loaded"}, "", ""},
    {Command::SHOW_MAIN_MENU,
     {"loaded", "ENDING_GAME"},
     "quiet classes=11",
     "level=loud classes=00"},
    {Command::BEGIN_LOADING, {"MAIN_MENU", "GAME"}, "", ""},
    {Command::BEGIN_GAME, {"LOADING"}, "", ""},
    {Command::SHOW_GAME_MENU, {"GAME"}, "loud classes=11", "level=quiet classes=00"},
    {Command::RESUME_GAME, {"GAME_MENU"}, "quiet classes=00", "level=loud classes=11"},
    {Command::END_GAME, {"GAME_MENU", "GAME"}, "", ""},
};

class RefusedCommands : public Commands, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedCommands, ChangeNothingButTheSoundMode) {
    const std::string where = GetParam();
    given(where);
    for (const auto& row : kRefusal) {
        if (HasFatalFailure() || row.acceptedIn.count(where))
            continue;
        set(row.soundBefore);
        expectCommand(row.command, row.soundChanges);
    }
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
    EXPECT_EQ(overlay->getText() + " " + overlay->getFontName(), "PLEASE WAIT efirst_blue");
    EXPECT_EQ(overlay->getAlign(), ::ui::SpriteText::AlignCentre);
    EXPECT_EQ(overlay->getFit(), ::ui::SpriteText::FitTextCentre);
    EXPECT_EQ(theRenderDriver->getForcedFrameCount(), forced + 1);
    EXPECT_TRUE(root->isShowed());
    EXPECT_EQ(root->getState(), State::INITIAL);
    EXPECT_FALSE(pointer()->getVisible());
}

// The numbers that cross the module boundary, and the state predicates (menu, game, pointer).
TEST(StateAndCommand, FixedNumbersAndPredicates) {
    std::string predicates;
    for (int value = 0; value <= 5; ++value) {
        const State state{State::Name(value)};
        predicates += std::string(state.isMenuMode() ? "M" : "-") +
                      (state.isGameMode() ? "G" : "-") + (state.isPointerVisible() ? "P " : "- ");
    }
    EXPECT_EQ(predicates, "--- M-P --- -GP M-P --- ");
    EXPECT_EQ(std::vector<int>({State::INITIAL, State::MAIN_MENU, State::LOADING, State::GAME,
                                State::GAME_MENU, State::ENDING_GAME}),
              std::vector<int>({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(std::vector<int>({Command::LOAD_INTERFACE, Command::SHOW_MAIN_MENU,
                                Command::BEGIN_LOADING, Command::BEGIN_GAME,
                                Command::SHOW_GAME_MENU, Command::RESUME_GAME, Command::END_GAME}),
              std::vector<int>({0, 1, 2, 3, 4, 5, 6}));
    static_assert(sizeof(State::Name) == 4 && sizeof(Command::Name) == 4);
}

// setState changes the state and the pointer's mode and nothing else; the same state touches
// nothing at all.
TEST_F(Commands, SetStateChangesOnlyTheStateAndThePointerMode) {
    given("MAIN_MENU");
    for (const auto& [state, changes] : {std::pair{State::LOADING, "state=LOADING mode=1"},
                                         {State::GAME, "state=GAME mode=1"},
                                         {State::GAME_MENU, "state=GAME_MENU mode=0"},
                                         {State::INITIAL, "state=INITIAL mode=1"},
                                         {State::ENDING_GAME, "state=ENDING_GAME mode=1"},
                                         {State::MAIN_MENU, "state=MAIN_MENU mode=0"}}) {
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
