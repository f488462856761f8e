#include "support/RootFixture.h"
#include "ui/Accessor.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/InputMenu.h"
#include "ui/KELFactory.h"
#include "ui/Sky.h"

#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"

#include <memory>

namespace {

using kel::ui::theAccessor;
using kel::ui::theFactory;

class FactoryAndAccessor : public kel::test::RootFixture {};

// Every class of the module's table is built by its exact name (that each is shown somewhere is
// the screen walk's test).
TEST_F(FactoryAndAccessor, ClassNamesAreExactAndEveryRowBuildsItsClass) {
    int count = 0;
    const std::string* names = kel::ui::KELFactory::moduleClasses(&count);
    ASSERT_GT(count, 10);
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<::ui::Component> made(theFactory->createComponent(names[i]));
        ASSERT_NE(made, nullptr) << names[i];
        EXPECT_EQ(made->getClassName(), names[i]);
    }
    EXPECT_EQ(theFactory->createComponent("Sky"), nullptr) << "case counts";
    EXPECT_EQ(theFactory->createComponent("nosuchclass"), nullptr);
    std::unique_ptr<::ui::Component> toolkit(theFactory->createComponent("container"));
    EXPECT_EQ(toolkit->getClassName(), "container") << "the toolkit's names come first";
}

TEST_F(FactoryAndAccessor, TypedLookupsTestTheTypeAndTheDepth) {
    kel::ui::Sky* sky = nullptr;
    EXPECT_TRUE(theFactory->getComponent("sky", &sky, nullptr, true)) << "below the root";
    EXPECT_EQ(sky, theAccessor.getSky());
    EXPECT_FALSE(theFactory->getComponent("sky", &sky, nullptr, false)) << "no child of the root";
    EXPECT_EQ(sky, nullptr);
    auto* impostor = new ::ui::Container(root.get()); // a plain container called "sky"
    impostor->setName("sky");
    root->addComponent(impostor, true);
    EXPECT_FALSE(theFactory->getComponent("sky", &sky, nullptr, false));
    EXPECT_EQ(sky, nullptr);
    root->deleteComponent(impostor);
    kel::ui::InputMenu* input = nullptr;
    EXPECT_TRUE(theFactory->getComponent("inputmenu", &input, nullptr, true));
    EXPECT_EQ(input, root->getDescendant("inputmenu"));
    EXPECT_FALSE(theFactory->getComponent("videomenu", &input, nullptr, true)) << "another page";
    EXPECT_EQ(input, nullptr);
}

TEST_F(FactoryAndAccessor, TheAccessorKeepsGoalsAndACopyOfTheConfiguration) {
    config::Block out, first, second, empty;
    const int one = 1;
    out.setProperty("stale", &one);
    theAccessor.saveConfiguration(&out);
    EXPECT_TRUE(out.isEmpty()) << "nothing loaded yet";
    first.setProperty("a", &one);
    second.setProperty("b", &one);
    theAccessor.loadConfiguration(&first);
    theAccessor.loadConfiguration(&second);
    second.setProperty("later", &one); // the copy does not follow the caller's block
    theAccessor.saveConfiguration(&out);
    EXPECT_FALSE(out.hasProperty("a"));
    EXPECT_TRUE(out.hasProperty("b"));
    EXPECT_FALSE(out.hasProperty("later"));
    theAccessor.loadConfiguration(&empty); // the accessor outlives the test

    std::string text = "untouched";
    theAccessor.setRoundGoals({{"main", "Hold the lighthouse"}});
    EXPECT_TRUE(theAccessor.getGoal("main", text));
    EXPECT_EQ(text, "Hold the lighthouse");
    theAccessor.setRoundGoals({});
    EXPECT_FALSE(theAccessor.getGoal("main", text = "untouched"));
    EXPECT_EQ(text, "untouched");
}

TEST_F(FactoryAndAccessor, TheBoardTracesUnderThePointerOnlyWhenNothingCoversIt) {
    kel::logic::Game game;
    using kel::ui::BoardTraceSwitch;
    BoardTraceSwitch::setGameUIShown(true);
    BoardTraceSwitch::setPointerVisible(true);
    BoardTraceSwitch::setEndTurnShown(true);
    BoardTraceSwitch::setEndTurnFlyby(false);
    EXPECT_TRUE(BoardTraceSwitch::isTracing());
    BoardTraceSwitch::setEndTurnFlyby(true);
    EXPECT_FALSE(BoardTraceSwitch::isTracing()) << "the pointer rests on the end-turn button";
    BoardTraceSwitch::setEndTurnFlyby(false);
    BoardTraceSwitch::setPointerVisible(false);
    EXPECT_FALSE(BoardTraceSwitch::isTracing());
    BoardTraceSwitch::setGameUIShown(false);
    EXPECT_TRUE(BoardTraceSwitch::isTracing()) << "hiding the game UI switches tracing on";
    const unsigned others = GAME_BOARD_VIEW->getRenderView()->getFlags() & ~1u;
    BoardTraceSwitch::setGameUIShown(true);
    EXPECT_EQ(GAME_BOARD_VIEW->getRenderView()->getFlags() & ~1u, others)
        << "only the trace bit changes";
    BoardTraceSwitch::setEndTurnShown(false);
    BoardTraceSwitch::setGameUIShown(false);
}

} // namespace
