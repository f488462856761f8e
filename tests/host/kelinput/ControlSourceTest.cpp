#include "KelInputFixture.h"
#include "support/LogCapture.h"

#include <thread>

using kel::test::KelInputTest;

namespace {

using Bindings = std::list<std::list<std::string>>;

TEST_F(KelInputTest, BoundKeysAndButtonsSendTheirStateNumbers) {
    for (const char* key : {"Return", "LeftClick", "RightClick", "Tab", "Digit3", "NumpadEnter"})
        tap(key);
    EXPECT_EQ(recorder.take(), (std::vector<int>{28, 22, 23, 0, 8, 28}));

    // The event says which control fired, and comes from the control-source device.
    struct Last : input::Listener {
        void event(counting_ptr<input::Event> e) override { last = e; }
        counting_ptr<input::Event> last;
    } last;
    cs()->getOutput()->attach(&last);
    tap("Return");
    cs()->getOutput()->detach(&last);
    const auto* event = last.last.as<kel::input::events::CS>();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->getState()->getNumber(), 28);
    EXPECT_EQ(event->getState()->getCode(), 28);
    EXPECT_EQ(event->getState()->getName(), "endturn");
    EXPECT_EQ(event->getDevice(), kel::input::devices::ControlSource::instance());
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

    press("LeftShift");
    tap("Tab");
    release("LeftShift");
    EXPECT_EQ(recorder.take(), std::vector<int>{1});
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

TEST_F(KelInputTest, TheTablesListTheControlsInFileOrderWithTheirNames) {
    auto* table = cs()->getRedefineControls();
    std::vector<std::string> names;
    table->enumerateEventsNames(names);
    ASSERT_EQ(names.size(), 37u);
    EXPECT_EQ(names.front(), "selectnext");
    EXPECT_EQ(names[28], "endturn");
    EXPECT_EQ(table->getEventSweetName("endturn"), "End turn");
    EXPECT_EQ(table->getEventSweetName("nosuch"), "");
    EXPECT_FALSE(table->eventIsAxis("endturn"));

    Bindings bindings = {{"stale"}};
    ASSERT_TRUE(table->getEventData("endturn", bindings));
    EXPECT_EQ(bindings, (Bindings{{"Return"}, {"NumpadEnter"}}));
    EXPECT_FALSE(table->getEventData("rotateyawaxis", bindings)) << "a camera control";
    EXPECT_EQ(bindings, (Bindings{{"Return"}, {"NumpadEnter"}})) << "left untouched";

    auto* cameraTable = camera()->getRedefineControls();
    EXPECT_TRUE(cameraTable->eventIsAxis("movehaxis-"));
    ASSERT_TRUE(cameraTable->getEventData("movehaxis-", bindings));
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
    EXPECT_TRUE(profile.exists("profile.cfg"));

    // Everything in memory forgotten; the player starts the game again.
    theKelInput->reset();
    theProfile->reset();
    ASSERT_EQ(theProfile->load(), profile::Profile::Read);
    kel::test::LogCapture log;
    theKelInput->load();
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

    theKelInput->reset();
    theProfile->reset();
    theProfile->load();
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
    const auto records = log.take();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].file, "/Profile/profile.cfg");
    EXPECT_EQ(records[0].line, 3);
    EXPECT_EQ(records[1].line, 4);
    tap("E");
    EXPECT_EQ(recorder.take(), std::vector<int>{28});

    cs()->getRedefineControls()->setEventData("move", {{"M"}});
    ASSERT_TRUE(theKelInput->save());
    theProfile->reset();
    theProfile->load();
    const config::Block* data = theProfile->getData();
    EXPECT_TRUE(data->hasBlock("bindings.controlsource.teleport"));
    EXPECT_TRUE(data->hasBlock("bindings.controlsource.move"));
    std::string kept;
    EXPECT_TRUE(data->getProperty("bindings.gamepad.a", &kept));
}

TEST_F(KelInputTest, APlayersBindingsSurviveAProfileLoadedAfterKelInput) {
    // kel-input is already in use (the fixture loaded it on the empty profile) when the
    // player's profile comes from disk.
    profile.files().write("profile.cfg", "bindings {\n"
                                         "  controlsource {\n"
                                         "    endturn { bind = E }\n"
                                         "  }\n"
                                         "}\n");
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
