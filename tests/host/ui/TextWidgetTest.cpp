#include "host/engine/Timer.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/DataStorage.h"
#include "host/ui/Factory.h"
#include "host/ui/Font.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextLayout.h"
#include "support/UiFixture.h"

#include <map>

namespace {

using kel::test::UiFixture;

class TextWidgets : public UiFixture {
protected:
    // A font with round numbers: every character 10 wide, a space 5, lines 20 high.
    ui::Font font{"test", 20, 10};
    void SetUp() override {
        UiFixture::SetUp();
        font.setCharacterWidth(' ', 5);
    }
};

TEST_F(TextWidgets, WrappingBreaksBetweenWordsAtTheWidthAndKeepsLongWordsWhole) {
    // "aaa bb" is 30 + 5 + 20 = 55 wide.
    EXPECT_EQ(ui::TextLayout::wrap(font, "aaa bb cccc", 55),
              (std::vector<std::string>{"aaa bb", "cccc"}));
    EXPECT_EQ(ui::TextLayout::wrap(font, "aaa bb cccc", 54),
              (std::vector<std::string>{"aaa", "bb", "cccc"}));
    EXPECT_EQ(ui::TextLayout::wrap(font, "enormousword a", 30),
              (std::vector<std::string>{"enormousword", "a"}));
    EXPECT_EQ(ui::TextLayout::wrap(font, "one\n\ntwo  words", 1000),
              (std::vector<std::string>{"one", "", "two words"}));
    EXPECT_TRUE(ui::TextLayout::wrap(font, "", 100).empty());
    EXPECT_FLOAT_EQ(ui::TextLayout::widestWord(font, "a bbbb cc\nddddd"), 50);
}

TEST_F(TextWidgets, AFormattedTextMeasuresWrappedHeightsWithTheRealFontMetrics) {
    ui::DFormattedSpriteText text(ui.get(), 0, 0, 100, 10);
    text.setFont("balloons");
    const ui::Font* balloons = ui->getFont("balloons");
    const std::string speech = "Follow me to the old lighthouse";
    const float wide = balloons->getTextWidth(speech);
    const float line = balloons->getLineHeight();
    EXPECT_FLOAT_EQ(text.calcHeight(speech, wide), line) << "one line fits exactly";
    const size_t lines = ui::TextLayout::wrap(*balloons, speech, wide / 2).size();
    EXPECT_GE(lines, 2u);
    EXPECT_FLOAT_EQ(text.calcHeight(speech, wide / 2),
                    lines * line + (lines - 1) * (text.getLineHeight() - line));
    EXPECT_GT(text.getLineHeight(), line) << "lines are an interline apart";
    EXPECT_FLOAT_EQ(text.calcHeight("", 100), 0);
    EXPECT_FLOAT_EQ(text.getMinimumTextWidth(speech), balloons->getTextWidth("lighthouse"));
    text.setText(speech);
    EXPECT_FLOAT_EQ(text.getMinimumTextWidth(), balloons->getTextWidth("lighthouse"));
}

TEST_F(TextWidgets, AFormattedTextFitsToItsMasterAndCentresInIt) {
    auto* box = new ui::Container(ui.get(), 0, 0, 120, 200);
    ui->addComponent(box);
    auto* text = new ui::DFormattedSpriteText(ui.get());
    box->addComponent(text);
    text->setFont("balloons");
    text->setFit(ui::DFormattedSpriteText::FitMasterWidth);
    text->setCenter(ui::DFormattedSpriteText::CenterBoth);
    text->setText("Fire burns the wooden bridge before the dawn comes");
    EXPECT_FLOAT_EQ(text->getWidth(), 120);
    EXPECT_FLOAT_EQ(text->getHeight(), text->calcHeight(text->getText(), 120));
    EXPECT_FLOAT_EQ(text->getYPosition(), (200 - text->getHeight()) / 2);
    EXPECT_GT(text->getLines().size(), 1u);
    // Moving it (a scrolling goal text) is not undone by the layout.
    text->setPosition(0, text->getYPosition() - 1);
    const float moved = text->getYPosition();
    text->setAlign(ui::TextLayout::Centre);
    EXPECT_FLOAT_EQ(text->getYPosition(), moved);
}

TEST_F(TextWidgets, TypingRevealsTheTextAsTheClockRunsWhenTheOwnerCallsInitView) {
    theTimer->reset();
    ui::DFormattedSpriteText text(ui.get(), 0, 0, 300, 20);
    text.setText("Hello", 0.05f);
    EXPECT_TRUE(text.isTyping());
    EXPECT_EQ(text.getVisibleText(), "");
    theTimer->advance(0.125);
    EXPECT_EQ(text.getVisibleText(), "") << "nothing until the owner steps it";
    text.initView();
    EXPECT_EQ(text.getVisibleText(), "He");
    theTimer->advance(1);
    text.initView();
    EXPECT_EQ(text.getVisibleText(), "Hello");
    EXPECT_FALSE(text.isTyping());
    text.setText("Bye");
    EXPECT_EQ(text.getVisibleText(), "Bye") << "without a timing the text shows at once";
}

TEST_F(TextWidgets, ASpriteTextInFitModeThreeIsCentredOnTheScreen) {
    auto* overlay = dynamic_cast<ui::SpriteText*>(ui::getFactory()->createComponent("spritetext"));
    ASSERT_NE(overlay, nullptr);
    overlay->setAlign(ui::SpriteText::AlignCentre);
    overlay->setFont("efirst_blue");
    overlay->setText("PLEASE WAIT");
    overlay->setFit(ui::SpriteText::FitTextCentre);
    ui->addComponent(overlay);
    const ui::Font* font = ui->getFont("efirst_blue");
    EXPECT_FLOAT_EQ(overlay->getWidth(), font->getTextWidth("PLEASE WAIT"));
    EXPECT_FLOAT_EQ(overlay->getXPosition(), (640 - overlay->getWidth()) / 2);
    EXPECT_FLOAT_EQ(overlay->getYPosition(), (480 - font->getLineHeight()) / 2);
    ui->setResolution(800, 600);
    ui->updateResolution();
    EXPECT_FLOAT_EQ(overlay->getXPosition(), (800 - overlay->getWidth()) / 2);
}

TEST_F(TextWidgets, TextsAndMultiTextLinesMeasureAndAlignTheirLines) {
    ui::TextComponent message(ui.get(), 0, 20, 440, 18);
    message.setFont("first_blue");
    message.setText("Overwrite the saved game?");
    EXPECT_FLOAT_EQ(message.getTextWidth(),
                    ui->getFont("first_blue")->getTextWidth("Overwrite the saved game?"));

    ui::MultiTextComponent keys(ui.get(), 360, 150, 200, 300, 1.5f);
    keys.addText("movehaxis+", "HOME+MOUSEX");
    keys.addText("rotateyawaxis", "");
    keys.setAlign(ui::TextLayout::Right);
    keys.addText("zoom", "PGUP");
    EXPECT_EQ(keys.getLineCount(), 3);
    EXPECT_TRUE(keys.setText("rotateyawaxis", "END"));
    EXPECT_FALSE(keys.setText("nosuchcontrol", "X"));
    EXPECT_EQ(keys.getText("rotateyawaxis"), "END");
    EXPECT_EQ(keys.getLine("zoom")->getAlign(), ui::TextLayout::Right) << "later lines too";
    EXPECT_FLOAT_EQ(keys.getLine("zoom")->getYPosition(), 2 * 16 * 1.5f);
    keys.deleteAllComponents();
    EXPECT_EQ(keys.getLineCount(), 0);
}

// Interface strings for "@key" texts, as a game module installs them.
class Strings : public ui::DataStorage {
public:
    std::string uiString(const std::string& key) override {
        const auto found = table.find(key);
        return found == table.end() ? "" : found->second;
    }
    std::map<std::string, std::string> table{{"pleasewait", "PLEASE WAIT"}, {"nogame", "No game"}};
};

TEST_F(TextWidgets, AtKeysAreInterfaceStringsAndAMissingOneIsReportedWithItsLine) {
    Strings strings;
    layout("title { class = spritetext; text = \"@pleasewait\"; visible = true }\n"
           "player { class = bothtextsprite; text = \"@nogame\"; visible = true }\n"
           "mail { class = text; text = \"@@home\" }\n"
           "missing { class = textbutton;\n"
           "          text = \"@nosuchkey\" }\n");
    ui::SpriteText* title = nullptr;
    ui::BothTextSprite* player = nullptr;
    ui::Text* mail = nullptr;
    ui::TextButton* missing = nullptr;
    ASSERT_TRUE(ui::getFactory()->getComponent("title", &title, nullptr, false));
    ASSERT_TRUE(ui::getFactory()->getComponent("player", &player, nullptr, false));
    ASSERT_TRUE(ui::getFactory()->getComponent("mail", &mail, nullptr, false));
    ASSERT_TRUE(ui::getFactory()->getComponent("missing", &missing, nullptr, false));
    EXPECT_EQ(title->getText(), "PLEASE WAIT");
    EXPECT_EQ(player->getText(), "No game");
    EXPECT_EQ(mail->getText(), "@home");
    EXPECT_EQ(missing->getText(), "nosuchkey");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "layout.cfg");
    EXPECT_EQ(records[0].line, 5);
    EXPECT_NE(records[0].text.find("'nosuchkey'"), std::string::npos);
}

} // namespace
