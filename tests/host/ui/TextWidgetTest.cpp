#include "host/ui/BothTextSprite.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/DataStorage.h"
#include "host/ui/Factory.h"
#include "host/ui/Font.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"
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
    const auto wrapped = [&](const char* text, float width) {
        std::string lines;
        for (const std::string& line : ui::TextLayout::wrap(font, text, width))
            lines += line + "|";
        return lines;
    };
    EXPECT_EQ(wrapped("aaa bb cccc", 55), "aaa bb|cccc|") << "'aaa bb' is 30 + 5 + 20 wide";
    EXPECT_EQ(wrapped("aaa bb cccc", 54), "aaa|bb|cccc|");
    EXPECT_EQ(wrapped("enormousword a", 30), "enormousword|a|");
    EXPECT_EQ(wrapped("one\n\ntwo  words", 1000), "one||two words|");
    EXPECT_EQ(wrapped("", 100), "");
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

TEST_F(TextWidgets, MultiTextLinesAreFoundByKeyAndAligned) {
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
    const float pitch = ui->getFont("default")->getLineHeight() * 1.5f;
    EXPECT_FLOAT_EQ(keys.getLine("zoom")->getYPosition(), 2 * pitch);
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
    EXPECT_EQ(dynamic_cast<ui::SpriteText*>(ui->getComponent("title"))->getText(), "PLEASE WAIT");
    EXPECT_EQ(dynamic_cast<ui::BothTextSprite*>(ui->getComponent("player"))->getText(), "No game");
    EXPECT_EQ(dynamic_cast<ui::Text*>(ui->getComponent("mail"))->getText(), "@home");
    EXPECT_EQ(dynamic_cast<ui::TextButton*>(ui->getComponent("missing"))->getText(), "nosuchkey");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file + ":" + std::to_string(records[0].line), "layout.cfg:5");
    EXPECT_NE(records[0].text.find("'nosuchkey'"), std::string::npos);
}

} // namespace
