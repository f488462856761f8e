#include "ui/RedefineMenu.h"
#include "support/ScreenUnderTest.h"
#include "ui/KELFactory.h"
#include "ui/RedefineEdit.h"

#include "host/kelinput/RedefineControls.h"
#include "host/profile/Profile.h"
#include "host/ui/Font.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"

#include <cctype>
#include <sstream>

namespace {

using kel::ui::RedefineMenu;

// The shipped key bindings page, shown below the trace.
class KeyBindings : public kel::test::ScreenUnderTest {
protected:
    void SetUp() override {
        ScreenUnderTest::SetUp();
        page = build<RedefineMenu>("commonui", "redefinemenu");
        ASSERT_NE(page, nullptr);
        page->setVisible(true);
    }
    void goTo(const std::string& control) {
        tap("Home");
        for (int i = 0; i < 60 && page->getCurrentItemName() != control; ++i)
            tap("Down");
        ASSERT_EQ(page->getCurrentItemName(), control);
    }
    // A control's bindings in kel-input, written as the page writes them.
    static std::string bound(const std::string& control) {
        std::list<std::list<std::string>> bindings;
        for (auto* translator : {theKelInput->getDeviceToCamera()->getRedefineControls(),
                                 theKelInput->getDeviceToCS()->getRedefineControls()})
            translator->getEventData(control, bindings);
        std::string text;
        for (const auto& binding : bindings)
            text += (text.empty() ? "" : ",") + kelinput::RedefineControls::describe(binding);
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
    // "control=TEXT ...": each control's row on the page and its bindings in kel-input.
    void expectRows(const std::string& rows, const std::string& context) {
        std::istringstream words(rows);
        for (std::string word; words >> word;) {
            const std::string control = word.substr(0, word.find('=')),
                              text = word.substr(word.find('=') + 1);
            EXPECT_EQ(page->getKeysColumn()->getText(control), text) << control << context;
            EXPECT_EQ(bound(control), text) << control << " in kel-input" << context;
        }
    }
    std::string value() { return part<::ui::SpriteText>("value")->getText(); }
    int shownLines() {
        int shown = 0;
        for (::ui::Component* line : page->getNamesColumn()->getChildren())
            shown += line->isShowed();
        return shown;
    }

    RedefineMenu* page = nullptr; // the trace owns it
};

TEST_F(KeyBindings, EachCombinationCapturedFromTheKeyboardLeavesWhoeverHeldIt) {
    const char* const steps[][4] = {
        // control, keys pressed together then released ("!" a key while browsing), shown while
        // held, rows after
        {"rotateleft", "End Home", "END+HOME", "rotateleft=END+HOME resetcamera=HOME"},
        {"rotateright", "Home End", "HOME+END", "rotateright=HOME+END rotateleft="},
        {"act3", "NumpadEnter", "NUMPADENTER", "act3=NUMPADENTER endturn=RETURN"},
        {"rotateup", "PgUp", "PGUP", "rotateup=PGUP rotatedown=F,PGDOWN"},
        {"selectprevious", "Tab", "TAB", "selectprevious=TAB selectnext="},
        {"act2", "LeftShift A B", "LEFTSHIFT+A", "act2=LEFTSHIFT+A"},
        {"act4", "Escape", "", "act4=DIGIT4"},
        {"rotateyawaxis", "End", "END+MOUSEX", "rotateyawaxis=END+MOUSEX"},
        {"movehaxis+", "!Delete", "", "movehaxis+="},
        {"movehaxis+", "Home", "HOME+MOUSEX", "movehaxis+=HOME+MOUSEX resetcamera=HOME"},
        {"movevaxis-", "!Delete", "", "movevaxis-="},
        {"movevaxis-", "PgDown", "PGDOWN+MOUSEY", "movevaxis-=PGDOWN+MOUSEY rotatedown=F,PGDOWN"},
    };
    for (const auto& [control, keys, shown, rows] : steps) {
        const std::string context = std::string(" after ") + control + " " + keys;
        goTo(control);
        trace->take();
        std::vector<std::string> pressed;
        std::istringstream words(keys[0] == '!' ? "" : keys);
        for (std::string key; words >> key;)
            pressed.push_back(key);
        if (keys[0] == '!') {
            tap(keys + 1);
        } else {
            tap("Return");
            EXPECT_EQ(page->getPhase(), RedefineMenu::WaitingForKey) << context;
            EXPECT_TRUE(part("entering")->isShowed()) << context;
            for (const std::string& key : pressed)
                press(key);
            EXPECT_EQ(value(), shown) << context;
            for (const std::string& key : pressed)
                release(key);
        }
        EXPECT_EQ(page->getPhase(), RedefineMenu::Browsing) << context;
        EXPECT_FALSE(part("entering")->isShowed()) << context;
        EXPECT_EQ(value(), "") << context;
        EXPECT_EQ(trace->take(), "") << "neither Return nor Escape leaves the page" << context;
        expectRows(rows, context);
    }
    tap("Escape");
    EXPECT_EQ(trace->take(), "redefinemenu:cancel ") << "Escape while browsing";
}

TEST_F(KeyBindings, RowsScrollWithTheCursorAndTheMouseChoosesTheRowUnderIt) {
    RedefineMenu* found = nullptr;
    EXPECT_TRUE(kel::ui::theFactory->getComponent("redefinemenu", &found, trace, false));
    EXPECT_EQ(found, page);
    ::ui::Component* cursor = part("cursor");
    const float bandTop = page->getAbsoluteY() + 60, bandBottom = bandTop + 325;
    EXPECT_FLOAT_EQ(cursor->getHeight(), root->getFont("efirst_blue")->getLineHeight() + 1);
    for (const char* key : {"Home", "Down", "End", "Up", "PgUp", "PgDown"}) {
        tap(key);
        const float y = cursor->getAbsoluteY();
        EXPECT_TRUE(y >= bandTop - 0.5f && y + cursor->getHeight() <= bandBottom + 0.5f) << key;
        ::ui::Text* line = page->getNamesColumn()->getLine(page->getCurrentItemName());
        EXPECT_TRUE(line->isShowed()) << key;
        EXPECT_NEAR(line->getAbsoluteY(), y, 0.01f) << key;
        EXPECT_EQ(shownLines(), 13) << key;
    }
    tap("End"); // the rows have scrolled: a click finds the row drawn under it
    ::ui::Text* row = page->getNamesColumn()->getLine("showpaths");
    ASSERT_TRUE(row->isShowed());
    const float x = row->getAbsoluteX() + 20, y = row->getAbsoluteY() + 10;
    clickAt(x, y);
    EXPECT_EQ(page->getCurrentItemName(), "showpaths");
    EXPECT_EQ(page->getPhase(), RedefineMenu::Browsing) << "one click only picks";
    clickAt(x, y);
    EXPECT_EQ(page->getPhase(), RedefineMenu::WaitingForKey) << "the second click chooses";
    tap("K");
    expectRows("showpaths=K skipunit=", "");
}

TEST_F(KeyBindings, ChangesAreSavedWhenThePageClosesSurviveAProfileReloadAndResetToDefaults) {
    const int saves = theProfile->getSaveCount();
    page->setVisible(false);
    page->setVisible(true);
    EXPECT_EQ(theProfile->getSaveCount(), saves) << "nothing changed, nothing saved";
    goTo("togglegrid");
    tap("Delete");
    goTo("endturn");
    tap("Return");
    tap("F9");
    expectRows("togglegrid= endturn=F9", "");
    EXPECT_EQ(theProfile->getSaveCount(), saves) << "saved only when the page closes";
    page->setVisible(false);
    EXPECT_GT(theProfile->getSaveCount(), saves);
    theKelInput->reset();
    theProfile->reset();
    theProfile->load();
    theKelInput->load();
    page->setVisible(true);
    expectRows("togglegrid= endturn=F9 centerunit=SPACE", " after the reload");
    theKelInput->resetToDefault(); // what the mouse page's "reset" does before it asks again
    page->getData();
    expectRows("togglegrid=G endturn=RETURN,NUMPADENTER", " after the reset");
}

} // namespace
