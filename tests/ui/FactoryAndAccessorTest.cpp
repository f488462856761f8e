#include "support/RootFixture.h"
#include "ui/Accessor.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/KELFactory.h"
#include "ui/Sky.h"

#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"

#include <memory>
#include <set>

namespace {

class FactoryAndAccessor : public kel::test::RootFixture {};

TEST_F(FactoryAndAccessor, ClassNamesAreExactAndEveryRowBuildsItsClass) {
    int count = 0;
    const std::string* names = kel::ui::KELFactory::moduleClasses(&count);
    ASSERT_GT(count, 10);
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<::ui::Component> made(kel::ui::theFactory->createComponent(names[i]));
        ASSERT_NE(made, nullptr) << names[i];
        EXPECT_EQ(made->getClassName(), names[i]);
    }
    EXPECT_EQ(kel::ui::theFactory->createComponent("Sky"), nullptr) << "case counts";
    EXPECT_EQ(kel::ui::theFactory->createComponent("nosuchclass"), nullptr);
    std::unique_ptr<::ui::Component> toolkit(kel::ui::theFactory->createComponent("container"));
    EXPECT_EQ(toolkit->getClassName(), "container") << "the toolkit's names come first";
}

TEST_F(FactoryAndAccessor, TypedLookupsTestTheTypeAndTheDepth) {
    kel::ui::Sky* sky = nullptr;
    EXPECT_TRUE(kel::ui::theFactory->getComponent("sky", &sky, nullptr, true))
        << "a null parent searches below the root";
    EXPECT_EQ(sky, kel::ui::theAccessor.getSky());
    EXPECT_FALSE(kel::ui::theFactory->getComponent("sky", &sky, nullptr, false))
        << "the sky is no direct child of the root";
    EXPECT_EQ(sky, nullptr);

    // A plain container called "sky" is no Sky.
    auto* impostor = new ::ui::Container(root.get());
    impostor->setName("sky");
    root->addComponent(impostor, true);
    EXPECT_FALSE(kel::ui::theFactory->getComponent("sky", &sky, nullptr, false));
    EXPECT_EQ(sky, nullptr);
    root->deleteComponent(impostor);
}

TEST_F(FactoryAndAccessor, TheAccessorKeepsGoalsAndACopyOfTheConfiguration) {
    config::Block out;
    const int one = 1;
    out.setProperty("stale", &one);
    kel::ui::theAccessor.saveConfiguration(&out);
    EXPECT_TRUE(out.isEmpty()) << "nothing loaded yet";

    config::Block first, second;
    first.setProperty("a", &one);
    second.setProperty("b", &one);
    kel::ui::theAccessor.loadConfiguration(&first);
    kel::ui::theAccessor.loadConfiguration(&second);
    second.setProperty("later", &one); // the copy does not follow the caller's block
    kel::ui::theAccessor.saveConfiguration(&out);
    EXPECT_FALSE(out.hasProperty("a"));
    EXPECT_TRUE(out.hasProperty("b"));
    EXPECT_FALSE(out.hasProperty("later"));

    kel::ui::theAccessor.setRoundGoals({{"main", "Hold the lighthouse"}});
    std::string text = "untouched";
    EXPECT_TRUE(kel::ui::theAccessor.getGoal("main", text));
    EXPECT_EQ(text, "Hold the lighthouse");
    kel::ui::theAccessor.setRoundGoals({});
    text = "untouched";
    EXPECT_FALSE(kel::ui::theAccessor.getGoal("main", text));
    EXPECT_EQ(text, "untouched");
    config::Block empty;
    kel::ui::theAccessor.loadConfiguration(&empty); // the accessor outlives the test
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
