#include "ui/ProtoMenu.h"
#include "support/UiFixture.h"

#include <sstream>

namespace {

// A list whose hooks write what they are told, in order, into a transcript.
class Probe : public kel::ui::ProtoMenu {
public:
    using ProtoMenu::calcItemByPoint;
    using ProtoMenu::ProtoMenu;
    std::string take() { return std::exchange(heard, ""); }

protected:
    void change(int index) override { put("change ", index); }
    void select(int index, const std::string& name) override { put("select ", index, name); }
    void cancel() override { put("cancel"); }
    void cursorPosition(float y) override { put("cursor ", y); }
    void cursorHeight(float height) override { put("height ", height); }
    void itemsContainerPosition(float y) override { put("items ", y); }

private:
    template <class... T> void put(const T&... parts) {
        std::ostringstream out;
        (out << ... << parts);
        heard += out.str() + "; ";
    }
    std::string heard;
};

class ListMenu : public kel::test::UiFixture {
protected:
    // n items "a", "b"... with item height 40, gap 10, a menu 480 high and a clickable area from
    // 80, 520 wide; the cursor on `current`, the transcript empty.
    std::unique_ptr<Probe> list(int n, int current = 0) {
        auto made = std::make_unique<Probe>(ui->getView());
        made->setMenuXPosition(80);
        made->setMenuWidth(520);
        for (int i = 0; i < n; ++i)
            made->addItem(std::string(1, char('a' + i)), "");
        made->processPageUp();
        for (int i = 0; i < current; ++i)
            made->processDown();
        made->take();
        return made;
    }
    void key(Probe& menu, const std::string& name, bool pressed = true) {
        menu.processInputEvent(::input::makeButton(name, pressed));
    }
    void hold(double seconds) {
        for (int step = 0; step < int(seconds * 60 + 0.5); ++step)
            frame(1.0 / 60);
    }
};

TEST_F(ListMenu, TheListIsCentredInItsMenuAreaAndHooksFollowEachItemAdded) {
    auto three = list(3);
    EXPECT_FLOAT_EQ(three->calcItemsContainerHeight(), 140);
    EXPECT_FLOAT_EQ(three->calcItemsContainerYPosition(), 170);
    for (int i : {0, 1, 2})
        EXPECT_FLOAT_EQ(three->calcItemYPosition(i), 170 + 50 * i);
    EXPECT_FLOAT_EQ(three->calcCursorHeight(), 50);
    EXPECT_FLOAT_EQ(list(1)->calcItemsContainerHeight(), 40) << "one item: no gap";
    EXPECT_FLOAT_EQ(kel::ui::ProtoMenu::calcItemsContainerXPosition(640, 520), 60);
    three->addItem("d", "");
    EXPECT_EQ(three->take(), "cursor 145; height 50; items 145; ");
    three->setItem(3, "e", "E");
    three->removeAllItems();
    EXPECT_EQ(three->take(), "cursor 245; ") << "setItem calls no hook";
}

TEST_F(ListMenu, EachKeyNameMovesChoosesOrLeavesAsItsRowSays) {
    const char* const rows[][3] = {
        // cursor on, key, heard
        {"1", "Up", "change 0; cursor 170; "},
        {"0", "Up", ""},
        {"1", "Down", "change 2; cursor 270; "},
        {"2", "Down", ""},
        {"0", "PgUp", "change 0; cursor 170; "},
        {"2", "Home", "change 0; cursor 170; "},
        {"1", "NumpadSeven", "change 0; cursor 170; "},
        {"2", "PgDown", "change 2; cursor 270; "},
        {"0", "End", "change 2; cursor 270; "},
        {"1", "NumpadOne", "change 2; cursor 270; "},
        {"1", "Return", "select 1b; "},
        {"1", "Escape", "cancel; "},
        {"1", "RightClick", "cancel; "},
        {"1", "Left", ""},
        {"1", "Space", ""},
    };
    for (const auto& [on, name, heard] : rows) {
        auto menu = list(3, std::stoi(on));
        menu->setControl(true);
        key(*menu, name);
        EXPECT_EQ(menu->take(), heard) << name << " on " << on;
        EXPECT_EQ(menu->getControled(), std::string(name) != "Return") << name;
        key(*menu, "Down", false);
        EXPECT_EQ(menu->take(), "") << "a release does nothing";
    }
}

TEST_F(ListMenu, AClickPicksTheItemUnderItButNotInAGapOnAnEdgeOrOutside) {
    const std::tuple<float, float, const char*> rows[] = {
        {100, 230, "change 1; cursor 220; "},
        {599, 171, "change 0; cursor 170; "},
        {100, 265, ""} /* 5 below item 1 */,
        {100, 220, ""} /* its top edge */,
        {79, 230, ""},
        {601, 230, ""},
        {100, 169, ""},
        {100, 311, ""},
    };
    for (const auto& [x, y, heard] : rows) {
        auto menu = list(3, 2);
        EXPECT_EQ(menu->calcItemByPoint(x, y), -1);
        EXPECT_EQ(menu->take(), heard) << x << "," << y;
    }
}

TEST_F(ListMenu, TwoLeftClicksWithinFourTenthsOfASecondChooseAndLeaveTheFlag) {
    for (auto [gap, heard] : std::vector<std::pair<double, const char*>>{
             {0.3, "select 1b; "}, {0.39, "select 1b; "}, {0.41, ""}, {0.5, ""}}) {
        auto menu = list(3, 1);
        menu->setControl(true);
        key(*menu, "LeftClick");
        frame(gap);
        key(*menu, "LeftClick");
        EXPECT_EQ(menu->take(), heard) << gap << " s apart";
        EXPECT_TRUE(menu->getControled());
    }
}

TEST_F(ListMenu, AHeldCursorKeyRepeatsHalfASecondAfterThePressThenEveryTenth) {
    for (auto [held, moves] : std::vector<std::pair<double, int>>{
             {0.1, 1}, {0.45, 1}, {0.55, 2}, {0.75, 4}, {1.05, 7}}) {
        auto menu = list(20);
        key(*menu, "Down");
        hold(held);
        key(*menu, "Down", false);
        hold(0.5);
        EXPECT_EQ(menu->getCurrent(), moves) << "Down held " << held << " s";
    }
    auto menu = list(20, 10);
    key(*menu, "Down");
    hold(0.3);
    key(*menu, "Up"); // the other key takes over and waits afresh
    hold(0.45);
    EXPECT_EQ(menu->getCurrent(), 10);
    hold(0.1);
    EXPECT_EQ(menu->getCurrent(), 9);
    key(*menu, "Down", false); // releasing either key stops
    hold(0.5);
    EXPECT_EQ(menu->getCurrent(), 9);
}

} // namespace
