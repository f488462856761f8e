// Every route of the root's notify: a notification sent by the real component of the shipped
// layout (or, for screens the layout does not build, straight to the root), and everything that
// has changed once notify returns and at the moment each root-UI event reached the host.
#include "support/RootWorld.h"

namespace {

using kel::test::kEnded;
using kel::test::kResumed;
using kel::test::RootWorld;

struct Row {
    std::string given; // the world the notification finds (RootWorldFixture::given)
    // "sender action [itemName] [key=value...]": the sender is "ring@screen" for a round menu of
    // an entire menu, else a component's name.
    std::string sent;
    std::string changes; // everything that has changed once notify returns
    // "event: changes": the root-UI event the host hears and what had changed when it arrived.
    std::string heard = "";
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.given << " | " << row.sent;
}

// "event:" followed by the tokens of `changes` in the order diff gives them.
std::string eventWith(const std::string& event, const std::string& changes) {
    return event + ":" + (changes.empty() ? "" : " " + changes);
}

// Also listens as the host does, and records each root-UI event with what had changed in the
// world when it arrived.
class Routing : public kel::test::RootWorldFixture,
                public ::testing::WithParamInterface<Row>,
                public kel::ui::Listener {
protected:
    void uiEvent(const kel::ui::Event& event) override {
        heard += (heard.empty() ? "" : "; ") +
                 eventWith(kel::test::EventLog::describe(event), RootWorld::diff(before, world()));
    }
    void TearDown() override {
        if (root)
            root->removeUIListener(this);
        RootWorldFixture::TearDown();
    }
    RootWorld::Snapshot world() { return RootWorld::take(root.get()); }

    // Sends the notification from its real sender or, when the layout has none, from the screen
    // (or the root) it would pass on its way up, carrying what the sender would have added.
    void deliver(const std::string& sent) {
        const std::vector<std::string> words = RootWorld::words(sent);
        const auto at = words[0].find('@');
        const std::string name = words[0].substr(0, at);
        ::ui::Component* real = nullptr;
        ::ui::Component* via = root.get();
        if (at == std::string::npos) {
            real = root->getDescendant(name);
        } else if (auto* entire = dynamic_cast<::ui::Container*>(
                       root->getDescendant(words[0].substr(at + 1)))) {
            auto* rings =
                dynamic_cast<::ui::Container*>(entire->getDescendant("roundmenucontainer"));
            real = rings ? rings->getComponent(name) : nullptr;
            via = entire;
        }
        ::ui::NotifyEvent event(real);
        if (!real) {
            event.setSValue("class", at == std::string::npos ? name : "roundmenu");
            event.setSValue("name", name);
            if (at != std::string::npos && via == root.get())
                event.setSValue("menuName", words[0].substr(at + 1));
        }
        event.setSValue("action", words.at(1));
        for (size_t i = 2; i < words.size(); ++i) {
            const auto eq = words[i].find('=');
            const std::string key = words[i].substr(0, eq), value = words[i].substr(eq + 1);
            if (eq == std::string::npos)
                event.setSValue("itemName", words[i]);
            else if (key == "phase")
                event.setIValue(key, std::stoi(value));
            else if (key == "progress")
                event.setFValue(key, std::stof(value));
        }
        (real ? real : via)->notify(event);
    }

    RootWorld::Snapshot before;
    std::string heard;
};

// Every row starts with no focus, a "bgm" fade in progress and the pointer in the corner, hidden
// unless the row shows it, so each fade call, focus and pointer move shows.
TEST_P(Routing, HasExactlyItsEffectsWhenTheNotificationArrives) {
    const Row& row = GetParam();
    const bool shown = row.given.find("pointer=shown") != std::string::npos;
    given(row.given + " at=10,10 pointer=" + (shown ? "shown" : "hidden"));
    if (HasFatalFailure())
        return;
    root->addUIListener(this);
    before = world();
    deliver(row.sent);
    EXPECT_EQ(RootWorld::diff(before, world()), RootWorld::sorted(row.changes));
    const auto colon = row.heard.find(':');
    EXPECT_EQ(heard, row.heard.empty() ? ""
                                       : eventWith(row.heard.substr(0, colon),
                                                   RootWorld::sorted(row.heard.substr(colon + 1))))
        << "what the host heard, and when";
}

// The main ring ("main@mainroundmenu"; its options ring is "options@mainroundmenu").
const Row kMainRing[] = {
    {"", "main@mainroundmenu precommand play", "fade=5"},
    {"players=beyond", "main@mainroundmenu precommand play", ""},
    {"players=none", "main@mainroundmenu precommand play", ""},
    {"", "main@mainroundmenu precommand exit", "bgm=fading@1"},
    {"", "main@mainroundmenu precommand sound", ""},
    {"", "main@mainroundmenu command play", "-mainroundmenu music=off bgm=still@0.75",
     "newgame mapName=Lighthouse: -mainroundmenu"},
    {"players=none mode=Create", "main@mainroundmenu command play",
     "-mainroundmenu +createmenu createmode=Play focus=createmenu:editname pointer=shown "
     "bgm=still@0.75"},
    {"players=beyond", "main@mainroundmenu command play",
     "-mainroundmenu +playmenu focus=playmenu pointer=shown bgm=still@0.75"},
    {"pointer=shown", "main@mainroundmenu command exit",
     "music=off -mainroundmenu pointer=hidden bgm=still@0.75", "exit: music=off -mainroundmenu"},
    {"", "main@mainroundmenu command controls",
     "-mainroundmenu +inputmenu focus=inputmenu pointer=shown bgm=still@0.75"},
    {"", "main@mainroundmenu command video",
     "-mainroundmenu +videomenu focus=videomenu pointer=shown bgm=still@0.75"},
    {"", "main@mainroundmenu command sound",
     "-mainroundmenu +soundmenu focus=soundmenu pointer=shown bgm=still@0.75"},
    {"", "main@mainroundmenu command options_play",
     "-mainroundmenu +gamemenu focus=gamemenu pointer=shown bgm=still@0.75"},
    // the root leaves the focus alone; the dialog gives it to its list itself
    {"", "main@mainroundmenu command selectmap",
     "-mainroundmenu +newgamedialog focus=newgamedialog:list pointer=shown bgm=still@0.75"},
    {"", "main@mainroundmenu command options", "pointer=shown bgm=still@0.75"},
    {"", "main@mainroundmenu command", "bgm=still@0.75"},
    {"", "main@mainroundmenu setphase phase=2", "at=512,460.8 pointer=shown bgm=still@0.75"},
    {"", "options@mainroundmenu setphase phase=2", "pointer=shown bgm=still@0.75"},
    {"pointer=shown", "main@mainroundmenu setphase phase=1", "pointer=hidden"},
    {"pointer=shown", "options@mainroundmenu setphase phase=3", "pointer=hidden"},
    {"pointer=shown", "main@mainroundmenu setphase phase=4", ""},
    {"fade=1", "main@mainroundmenu startphase progress=0.5", "fade=1@0.3:own bgm=fading@0.5"},
    {"fade=4", "main@mainroundmenu endphase progress=1.5", "fade=0 bgm=fading@0.75"},
};
INSTANTIATE_TEST_SUITE_P(MainRoundMenu, Routing, ::testing::ValuesIn(kMainRing));

// The in-game ring ("main@gameroundmenu") over the paused battle.
const Row kGameRing[] = {
    {"GAME_MENU", "main@gameroundmenu command continue", kResumed},
    {"GAME_MENU", "main@gameroundmenu command", kResumed},
    {"GAME_MENU mapsky pointer=shown", "main@gameroundmenu command endgame", kEnded,
     "endgame: " + kEnded},
    {"GAME_MENU", "main@gameroundmenu command savegame", "pointer=shown", "savegame:"},
    {"GAME_MENU", "main@gameroundmenu command goal", "goals=+1"},
    {"GAME_MENU noscenario", "main@gameroundmenu command goal", ""},
    {"GAME_MENU", "main@gameroundmenu command controls",
     "-gameroundmenu +inputmenu focus=inputmenu pointer=shown"},
    {"GAME_MENU", "main@gameroundmenu command video",
     "-gameroundmenu +videomenu focus=videomenu pointer=shown"},
    // the sound page shown over the game menu lets the battle sounds play (its own rule)
    {"GAME_MENU", "main@gameroundmenu command sound",
     "-gameroundmenu +soundmenu insonify=+1 focus=soundmenu pointer=shown level=loud classes=11"},
    {"GAME_MENU", "main@gameroundmenu command savegames", "pointer=shown"},
    {"GAME_MENU pointer=shown", "main@gameroundmenu precommand endgame",
     "fade=2@0.6:own pointer=hidden"},
    {"GAME_MENU pointer=shown", "main@gameroundmenu precommand continue",
     "fade=3@0.6:own pointer=hidden"},
    {"GAME_MENU pointer=shown", "main@gameroundmenu precommand", "fade=3@0.6:own pointer=hidden"},
    {"GAME_MENU pointer=shown", "other@gameroundmenu precommand", ""},
    {"GAME_MENU pointer=shown", "main@gameroundmenu precommand savegame", ""},
    {"GAME_MENU pointer=shown", "main@gameroundmenu exit", "fade=3@0.6:own pointer=hidden"},
    {"GAME_MENU", "main@gameroundmenu setphase phase=2", "pointer=shown bgm=still@0.75"},
};
INSTANTIATE_TEST_SUITE_P(GameRoundMenu, Routing, ::testing::ValuesIn(kGameRing));

// A round menu in an entire menu of another name: only the phases count.
const Row kOtherRing[] = {
    {"", "main@other setphase phase=2", "pointer=shown bgm=still@0.75"},
    {"pointer=shown", "main@other setphase phase=1", "pointer=hidden"},
    {"fade=5", "main@other startphase progress=0.25", "fade=5@0.25:own bgm=fading@0.375"},
    {"pointer=shown", "main@other command exit", ""},
};
INSTANTIATE_TEST_SUITE_P(OtherRoundMenu, Routing, ::testing::ValuesIn(kOtherRing));

// Every other sender, by name. A round-menu screen that is shown gives its current ring the
// focus, and the in-game one puts the pointer at 50 % and 60 % of the screen (their own rules).
const Row kBySender[] = {
    {"+inputmenu -mainroundmenu", "inputmenu ok",
     "-inputmenu +mainroundmenu focus=mainroundmenu:main"},
    {"GAME_MENU +inputmenu -gameroundmenu", "inputmenu cancel",
     "-inputmenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"+inputmenu", "inputmenu customizecontrols", "-inputmenu +redefinemenu focus=redefinemenu"},
    {"+redefinemenu", "redefinemenu cancel", "+inputmenu -redefinemenu focus=inputmenu"},
    // the page keeps its own "ok": Return chooses a control there
    {"+redefinemenu", "redefinemenu ok", ""},
    {"GAME_MENU +redefinemenu", "redefinemenu cancel", "+inputmenu -redefinemenu focus=inputmenu"},
    {"+soundmenu -mainroundmenu", "soundmenu ok",
     "-soundmenu +mainroundmenu focus=mainroundmenu:main"},
    // the page hidden over the game menu quietens the battle again (its own rule)
    {"GAME_MENU +soundmenu -gameroundmenu", "soundmenu cancel",
     "-soundmenu +gameroundmenu focus=gameroundmenu:main at=512,460.8 level=quiet classes=00"},
    {"+videomenu -mainroundmenu", "videomenu cancel",
     "-videomenu +mainroundmenu focus=mainroundmenu:main"},
    {"GAME_MENU +videomenu -gameroundmenu", "videomenu ok",
     "-videomenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"GAME +videomenu", "videomenu cancel",
     "-videomenu +gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"+soundmenu -mainroundmenu", "soundmenu value", ""},
    {"GAME", "endturnbutton job", "endturns=+1"},
    {"GAME pointer=shown", "gameui gameroundmenu",
     "+screenshot state=GAME_MENU mode=0 pointer=hidden level=quiet classes=00"},
    {"GAME unstable pointer=shown", "gameui gameroundmenu", ""},
    {"pointer=shown", "gameui gameroundmenu", ""},
    {"GAME pointer=shown", "gameui job", ""},
    {"GAME +screenshot", "screenshot taken",
     "-gameui +gameroundmenu focus=gameroundmenu:main at=512,460.8 env=off view=own fade=1 "
     "timers=PD mode=0",
     "gameroundmenu:"},
    {"GAME +screenshot timers=P-", "screenshot taken",
     "-gameui +gameroundmenu focus=gameroundmenu:main at=512,460.8 env=off view=own fade=1 mode=0",
     "gameroundmenu:"},
    {"+newgamedialog map=Skirmish", "newgamedialog ok", "-newgamedialog music=off",
     "newgame mapName=Skirmish.lvx: -newgamedialog"},
    {"+newgamedialog map=Garden", "newgamedialog ok", "-newgamedialog music=off",
     "newgame mapName=Garden: -newgamedialog"},
    {"+newgamedialog -mainroundmenu", "newgamedialog cancel",
     "-newgamedialog +mainroundmenu focus=mainroundmenu:main"},
    {"GAME_MENU -gameroundmenu", "maingoal ok",
     "+gameroundmenu focus=gameroundmenu:main at=512,460.8"},
    {"GAME_MENU", "gamegoal ok", "", "goal:"},
    {"+createmenu -mainroundmenu mode=Play", "createmenu cancel",
     "-createmenu +mainroundmenu focus=mainroundmenu:main"},
    {"+createmenu -mainroundmenu mode=Create", "createmenu cancel",
     "-createmenu +gamemenu focus=gamemenu"},
    {"+createmenu", "createmenu play", "-createmenu music=off",
     "newgame mapName=Lighthouse: -createmenu"},
    {"+createmenu", "createmenu create", "-createmenu +gamemenu"},
    {"players=beyond +playmenu -mainroundmenu", "playmenu cancel",
     "-playmenu +mainroundmenu focus=mainroundmenu:main"},
    {"players=beyond +playmenu", "playmenu ok", "-playmenu music=off",
     "newgame mapName=Watermill: -playmenu"},
    {"players=beyond +playmenu", "playmenu job", ""},
    {"+gamemenu -mainroundmenu", "gamemenu cancel",
     "-gamemenu +mainroundmenu focus=mainroundmenu:main"},
    {"+gamemenu -mainroundmenu", "gamemenu ok",
     "-gamemenu +mainroundmenu focus=mainroundmenu:main"},
    {"+gamemenu mode=Play", "gamemenu create",
     "-gamemenu +createmenu createmode=Create focus=createmenu:editname"},
    {"pointer=shown", "nobody ok", ""},
};
INSTANTIATE_TEST_SUITE_P(BySender, Routing, ::testing::ValuesIn(kBySender));

} // namespace
