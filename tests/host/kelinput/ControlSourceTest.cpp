#include "KelInputFixture.h"
#include "support/LogCapture.h"

#include <sstream>
#include <thread>

using kel::test::KelInputTest;

namespace {

using Bindings = std::list<std::list<std::string>>;

// The shipped controls: state, control, default bindings ("+" joins the keys of one binding,
// "," separates bindings).
const std::string kShipped =
    "0 selectnext Tab|1 selectprevious LeftShift+Tab|2 centerunit Space|3 togglehealth H|"
    "4 togglegrid G|5 cancelact Backspace|6 act1 Digit1|7 act2 Digit2|8 act3 Digit3|"
    "9 act4 Digit4|10 act5 Digit5|11 act6 Digit6|12 skipunit K|13 defend V|14 inspect I|"
    "15 selectunit1 LeftControl+Digit1|16 selectunit2 LeftControl+Digit2|"
    "17 selectunit3 LeftControl+Digit3|18 selectunit4 LeftControl+Digit4|"
    "19 selectunit5 LeftControl+Digit5|20 selectunit6 LeftControl+Digit6|"
    "21 selectunit7 LeftControl+Digit7|22 action LeftClick|23 move RightClick|24 overwatch O|"
    "25 nextenemy N|26 unitfreelook L|27 showgoals J|28 endturn Return,NumpadEnter|"
    "29 pickup U|30 useitem B|31 crouch C|32 run Z|33 attack LeftControl+LeftClick|"
    "34 throw LeftAlt+LeftClick|35 showpaths Y|36 nexttarget T";

TEST_F(KelInputTest, EveryShippedBindingSendsItsStateAndNamesItsControl) {
    std::vector<std::string> names; // in the order of the controls file
    cs()->getRedefineControls()->enumerateEventsNames(names);
    std::istringstream rows(kShipped);
    size_t count = 0;
    for (std::string row; std::getline(rows, row, '|'); ++count) {
        std::istringstream words(row);
        int state = -1;
        std::string control, bindings, binding;
        words >> state >> control >> bindings;
        EXPECT_EQ(count < names.size() ? names[count] : "", control);
        std::istringstream each(bindings);
        while (std::getline(each, binding, ',')) {
            const size_t plus = binding.find('+');
            if (plus != std::string::npos)
                press(binding.substr(0, plus));
            tap(binding.substr(plus + 1));
            if (plus != std::string::npos)
                release(binding.substr(0, plus));
            EXPECT_EQ(recorder.take(), std::vector<int>{state}) << binding;
            const auto* event = recorder.last.as<kel::input::events::CS>();
            ASSERT_NE(event, nullptr);
            EXPECT_EQ(event->getState()->getName(), control);
            EXPECT_EQ(event->getState()->getCode(), state);
            EXPECT_EQ(event->getDevice(), kel::input::devices::ControlSource::instance());
        }
    }
    EXPECT_EQ(names.size(), count) << "and no other";
}

TEST_F(KelInputTest, UnboundKeysReleasesAndMotionSendNothing) {
    tap("X");
    tap("F1");
    tap("Escape");
    press("Return");
    recorder.take();
    release("Return");
    motion(30, -12);
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(KelInputTest, ATwoKeyCombinationFiresOnlyWithItsFirstKeyHeld) {
    press("LeftControl");
    tap("Digit1");
    EXPECT_EQ(recorder.take(), std::vector<int>{15}) << "not also act 1 (state 6)";
    tap("Digit2");
    EXPECT_EQ(recorder.take(), std::vector<int>{16}) << "the first key may stay down";
    release("LeftControl");
    tap("Digit1");
    EXPECT_EQ(recorder.take(), std::vector<int>{6});

    // The order matters: the last key of a binding is the one that fires it.
    press("Digit1");
    press("LeftControl");
    release("LeftControl");
    release("Digit1");
    EXPECT_EQ(recorder.take(), std::vector<int>{6});
}

TEST_F(KelInputTest, AHeldKeyFiresOnceAndCleanForgetsHeldKeys) {
    press("Return");
    press("Return"); // auto-repeat
    EXPECT_EQ(recorder.take(), std::vector<int>{28});
    release("Return");
    tap("Return");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});

    press("LeftControl");
    EXPECT_TRUE(cs()->isHeld("LeftControl"));
    cs()->clean(); // the game UI was hidden; the release never comes
    EXPECT_FALSE(cs()->isHeld("LeftControl"));
    tap("Digit1");
    EXPECT_EQ(recorder.take(), std::vector<int>{6});
}

TEST_F(KelInputTest, TheTablesGiveNamesAndBindingsByControl) {
    auto* table = cs()->getRedefineControls();
    EXPECT_EQ(table->getEventSweetName("endturn"), "End turn");
    EXPECT_EQ(table->getEventSweetName("nosuch"), "");
    EXPECT_FALSE(table->eventIsAxis("endturn"));

    Bindings bindings = {{"stale"}};
    ASSERT_TRUE(table->getEventData("endturn", bindings));
    EXPECT_EQ(bindings, (Bindings{{"Return"}, {"NumpadEnter"}}));
    EXPECT_FALSE(table->getEventData("rotateyawaxis", bindings)) << "a camera control";
    EXPECT_EQ(bindings, (Bindings{{"Return"}, {"NumpadEnter"}})) << "left untouched";
    EXPECT_TRUE(camera()->getRedefineControls()->eventIsAxis("movehaxis-"));
    ASSERT_TRUE(camera()->getRedefineControls()->getEventData("movehaxis-", bindings));
    EXPECT_EQ(bindings, (Bindings{{"LeftControl", "MiddleClick", "MouseX"}}));
}

TEST_F(KelInputTest, RebindingChangesTranslationAtOnceAndSurvivesSaveAndReload) {
    auto* table = cs()->getRedefineControls();
    ASSERT_TRUE(table->setEventData("endturn", {{"LeftShift", "E"}}));
    ASSERT_TRUE(table->setEventData("action", {}));
    tap("Return");
    tap("LeftClick");
    EXPECT_TRUE(recorder.take().empty()) << "the old bindings are gone";
    press("LeftShift");
    tap("E");
    release("LeftShift");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});

    ASSERT_TRUE(theKelInput->save());
    kel::test::LogCapture log;
    restart();
    EXPECT_EQ(log.count("kel-input"), 0u);
    Bindings bindings;
    cs()->getRedefineControls()->getEventData("endturn", bindings);
    EXPECT_EQ(bindings, (Bindings{{"LeftShift", "E"}}));
    cs()->getRedefineControls()->getEventData("action", bindings);
    EXPECT_TRUE(bindings.empty()) << "a control the player unbound stays unbound";
    tap("LeftClick");
    press("LeftShift");
    tap("E");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});

    // Only what differs from the defaults is in the profile.
    const config::Block* saved = nullptr;
    ASSERT_TRUE(static_cast<const config::Block*>(theProfile->getData())
                    ->getPropertyAccess("bindings.controlsource", &saved));
    EXPECT_EQ(saved->getBlockCount(), 2);
}

TEST_F(KelInputTest, ResetToDefaultBringsBackTheShippedBindings) {
    auto* table = cs()->getRedefineControls();
    table->setEventData("endturn", {{"E"}});
    camera()->getRedefineControls()->setEventData("zoomin", {{"Z"}});
    theKelInput->resetToDefault();
    tap("Return");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});
    ASSERT_TRUE(theKelInput->save());
    restart();
    Bindings bindings;
    camera()->getRedefineControls()->getEventData("zoomin", bindings);
    EXPECT_EQ(bindings, (Bindings{{"WheelUp"}, {"NumpadPlus"}}));
    const config::Block* saved = nullptr;
    ASSERT_TRUE(static_cast<const config::Block*>(theProfile->getData())
                    ->getPropertyAccess("bindings.controlsource", &saved));
    EXPECT_TRUE(saved->isEmpty());
}

TEST_F(KelInputTest, BadBindingsAreRefusedAndUnknownControlsIgnoredQuietly) {
    auto* table = cs()->getRedefineControls();
    kel::test::LogCapture log;
    EXPECT_FALSE(table->setEventData("rotateleft", {{"Q"}})) << "a camera control";
    EXPECT_EQ(log.count("kel-input"), 0u) << "the menu offers every control to every table";

    EXPECT_FALSE(table->setEventData(
        "endturn", {{"E"}, {"A", "B", "C"}, {"Nope"}, {"K", "MouseX"}, {"G", "G"}, {}}));
    EXPECT_EQ(log.count("kel-input"), 5u);
    Bindings bindings;
    table->getEventData("endturn", bindings);
    EXPECT_EQ(bindings, (Bindings{{"E"}})) << "the good binding is kept";

    auto* cameraTable = camera()->getRedefineControls();
    EXPECT_FALSE(cameraTable->setEventData("rotateyawaxis", {{"MiddleClick"}}))
        << "an axis control needs its axis";
    EXPECT_TRUE(cameraTable->setEventData("rotateyawaxis", {{"Home", "MouseX"}}));
}

TEST_F(KelInputTest, SavedBindingsOfControlsThisGameDoesNotKnowAreKept) {
    profile.files().write("profile.cfg", "bindings {\n"
                                         "  controlsource {\n"
                                         "    teleport { bind = P }\n"
                                         "    endturn { bind = Nope; bind = E }\n"
                                         "  }\n"
                                         "  gamepad { a = b }\n"
                                         "}\n");
    theProfile->load();
    kel::test::LogCapture log;
    theKelInput->load();
    std::string places;
    for (const auto& record : log.take())
        places += record.file + ":" + std::to_string(record.line) + " ";
    EXPECT_EQ(places, "/Profile/profile.cfg:3 /Profile/profile.cfg:4 ");
    tap("E");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});

    cs()->getRedefineControls()->setEventData("move", {{"M"}});
    ASSERT_TRUE(theKelInput->save());
    restart();
    const config::Block* data = theProfile->getData();
    EXPECT_TRUE(data->hasBlock("bindings.controlsource.teleport"));
    EXPECT_TRUE(data->hasBlock("bindings.controlsource.move"));
    std::string kept;
    EXPECT_TRUE(data->getProperty("bindings.gamepad.a", &kept));
}

TEST_F(KelInputTest, APlayersBindingsSurviveAProfileLoadedAfterKelInput) {
    // kel-input is already in use (the fixture loaded it on the empty profile) when the
    // player's profile comes from disk.
    profile.files().write("profile.cfg", "bindings { controlsource { endturn { bind = E } } }\n");
    auto* table = cs()->getRedefineControls(); // as a menu keeps it
    ASSERT_EQ(theProfile->load(), profile::Profile::Read);

    // A rebinding through the kept table must not write stale tables over the player's.
    ASSERT_TRUE(table->setEventData("move", {{"M"}}));
    ASSERT_TRUE(theKelInput->save());
    theProfile->reset();
    theProfile->load();
    EXPECT_TRUE(theProfile->getData()->hasBlock("bindings.controlsource.endturn"));
    EXPECT_TRUE(theProfile->getData()->hasBlock("bindings.controlsource.move"));

    // Translation follows the reloaded profile too.
    tap("E");
    tap("M");
    tap("Return");
    EXPECT_EQ(recorder.take(), (std::vector<int>{28, 23}));
}

TEST_F(KelInputTest, TranslationAndRebindingMayRunOnDifferentThreads) {
    std::thread rebinding([] {
        auto* table = cs()->getRedefineControls();
        for (int i = 0; i < 200; ++i)
            table->setEventData(
                "endturn", {i % 2 ? Bindings::value_type{"Return"} : Bindings::value_type{"E"}});
    });
    for (int i = 0; i < 200; ++i)
        tap("Tab");
    rebinding.join();
    EXPECT_EQ(recorder.take(), std::vector<int>(200, 0));
}

} // namespace
