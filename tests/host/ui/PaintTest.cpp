#include "host/ui/BothTextSprite.h"
#include "host/ui/Canvas.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/Factory.h"
#include "host/ui/Font.h"
#include "host/ui/HSlider.h"
#include "host/ui/ListBox.h"
#include "host/ui/PaintRecord.h"
#include "host/ui/Paintable.h"
#include "host/ui/Plane.h"
#include "host/ui/PlaneComponent.h"
#include "host/ui/Ramka.h"
#include "host/ui/Snapshot.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "support/UiFixture.h"

#include <functional>
#include <vector>

namespace {

using kel::test::UiFixture;

// Keeps what a component painted, so tests can check where things land.
class RecordingCanvas : public ui::Canvas {
public:
    void fillRect(const Rect& rect, const config::Color&, float) override { fills.push_back(rect); }
    void strokeRect(const Rect&, const config::Color&, float, float) override {}
    void line(float, float, float, float, const config::Color&, float) override {}
    void text(const TextRun& run) override { texts.push_back(run); }
    void image(const ImageRun& run) override { images.push_back(run); }

    std::vector<Rect> fills;
    std::vector<TextRun> texts;
    std::vector<ImageRun> images;
};

class Painting : public UiFixture {
protected:
    template <class T> T* find(const std::string& name) {
        T* found = nullptr;
        EXPECT_TRUE(ui::getFactory()->getComponent(name, &found, nullptr, true)) << name;
        return found;
    }
    template <class T> RecordingCanvas paint(const T* component) {
        RecordingCanvas canvas;
        component->paint(canvas);
        return canvas;
    }
};

TEST_F(Painting, TextLinesLandByTheirAlignmentAndTheSpriteTextsOwnNumbering) {
    layout("left { class = text; position = 100 10; size = 200 40; text = \"ab\\nabcd\" }\n"
           "right { class = text; position = 100 60; size = 200 40; text = ab; align = right }\n"
           "centred { class = spritetext; position = 100 110; size = 200 20; text = ab;\n"
           "          align = 1 }\n"
           "plate { class = bothtextsprite; position = 100 140; size = 200 40; text = ab;\n"
           "        align = centre; image = /Images/StatusPanel/back.tga }\n");
    const float ab = ui->getFont("default")->getTextWidth("ab");
    const float line = ui->getFont("default")->getLineHeight();

    // Each run as "x y width"; the second line one line lower; 1 centres a sprite text.
    const auto runs = [](const RecordingCanvas& canvas) {
        std::vector<float> all;
        for (const auto& run : canvas.texts)
            all.insert(all.end(), {run.x, run.y, run.width});
        return all;
    };
    EXPECT_EQ(runs(paint(find<ui::Text>("left"))),
              (std::vector<float>{100, 10, ab, 100, 10 + line,
                                  ui->getFont("default")->getTextWidth("abcd")}));
    EXPECT_EQ(runs(paint(find<ui::Text>("right"))), (std::vector<float>{300 - ab, 60, ab}));
    EXPECT_EQ(runs(paint(find<ui::SpriteText>("centred"))),
              (std::vector<float>{100 + (200 - ab) / 2, 110, ab}));
    const RecordingCanvas plate = paint(find<ui::BothTextSprite>("plate"));
    ASSERT_EQ(plate.images.size(), 1u);
    EXPECT_EQ(plate.images[0].name, "/Images/StatusPanel/back.tga");
    EXPECT_EQ(runs(plate), (std::vector<float>{100 + (200 - ab) / 2, 140 + (40 - line) / 2, ab}));
}

TEST_F(Painting, AGrowingBarIsClippedToItsRegionAndAHiddenImageIsNotDrawn) {
    layout("gadget { class = planecomponent; position = 120 400; image = Garden;\n"
           "         size = 400 16; visible = true }\n");
    auto* gadget = find<ui::PlaneComponent>("gadget");
    gadget->setRegion(0, 0, 400 * 0.37f, 16);
    RecordingCanvas canvas = paint(gadget);
    ASSERT_EQ(canvas.images.size(), 1u);
    EXPECT_TRUE(canvas.images[0].clipped);
    EXPECT_FLOAT_EQ(canvas.images[0].clip.x, 120);
    EXPECT_FLOAT_EQ(canvas.images[0].clip.width, 148);
    EXPECT_FLOAT_EQ(canvas.images[0].rect.width, 400) << "the picture keeps its full size";
    gadget->setImage(-1);
    EXPECT_TRUE(paint(gadget).images.empty());
}

// Rows: the picture's angle, and the rectangle it is drawn over before it is turned about the
// centre of the component (120 x 60 at 100, 50): a quarter turn draws it 60 x 120, so that it
// covers the component once turned.
TEST_F(Painting, APictureTurnedAQuarterIsDrawnAcrossSoThatItCoversItsComponent) {
    layout("turned { class = planecomponent; position = 100 50; size = 120 60; image = Garden;\n"
           "         visible = true }\n");
    auto* turned = find<ui::PlaneComponent>("turned");
    const struct {
        float angle, x, y, width, height;
    } kRows[] = {{0, 100, 50, 120, 60},
                 {90, 130, 20, 60, 120},
                 {180, 100, 50, 120, 60},
                 {270, 130, 20, 60, 120},
                 {45, 100, 50, 120, 60}};
    for (const auto& row : kRows) {
        turned->getPlane()->setAngle(row.angle);
        RecordingCanvas canvas = paint(turned);
        ASSERT_EQ(canvas.images.size(), 1u);
        const ui::Canvas::Rect& r = canvas.images[0].rect;
        EXPECT_EQ((std::vector<float>{r.x, r.y, r.width, r.height}),
                  (std::vector<float>{row.x, row.y, row.width, row.height}))
            << row.angle;
        EXPECT_EQ(canvas.images[0].angle, row.angle);
    }
}

TEST_F(Painting, TheSliderThumbAndTheListRowsFollowTheirValues) {
    layout("scroll { class = hslider; position = 0 0; size = 110 20; range = -3 3; value = 0 }\n"
           "list { class = listbox; position = 0 40; size = 100 40;\n"
           "       items = one two three four five }\n");
    auto* slider = find<ui::HSlider>("scroll");
    EXPECT_FLOAT_EQ(slider->thumbX(), 55) << "the middle of the track";
    slider->setValue(3);
    EXPECT_FLOAT_EQ(slider->thumbX(), 105);
    EXPECT_FLOAT_EQ(slider->valueAt(slider->thumbX()), 3);

    auto* list = find<ui::ListBox>("list");
    ASSERT_EQ(list->getVisibleRows(), 2);
    list->selectString("four");
    EXPECT_EQ(list->getTopItem(), 2);
    const RecordingCanvas rows = paint(list);
    ASSERT_EQ(rows.texts.size(), 2u) << "only the rows that fit";
    EXPECT_EQ(rows.texts[0].text, "three");
    EXPECT_EQ(rows.texts[1].text, "four");
}

TEST_F(Painting, AWrappedTextIsDrawnOneLinePitchApartAndRevealedWhileTyping) {
    // Room for "bbb" but not for "bbb ccc".
    const float width = ui->getFont("default")->getTextWidth("bbb ") + 1;
    auto* text = new ui::DFormattedSpriteText(ui.get(), 0, 0, width, 100);
    ui->addComponent(text);
    text->setFont("default");
    text->setText("aaa bbb ccc", 0.1f);
    const float pitch = text->getLineHeight();
    ASSERT_EQ(text->getLines(), (std::vector<std::string>{"aaa", "bbb", "ccc"}));
    frame(0.45);
    EXPECT_EQ(text->getVisibleText(), "") << "nothing until the owner steps it";
    text->initView();
    const RecordingCanvas typed = paint(text);
    ASSERT_EQ(typed.texts.size(), 2u) << "4 characters: the first line and one more";
    EXPECT_EQ(typed.texts[0].text, "aaa");
    EXPECT_EQ(typed.texts[1].text, "b");
    EXPECT_FLOAT_EQ(typed.texts[1].y, pitch);
    text->finishTyping();
    EXPECT_EQ(paint(text).texts.size(), 3u);
    text->setText("Bye");
    EXPECT_EQ(text->getVisibleText(), "Bye") << "without a timing the text shows at once";
}

// A component that paints one word; the word changes without a repaint.
class Sign : public ui::Component, public ui::Paintable {
public:
    explicit Sign(ui::UI* ui) : Component(ui, 10, 10, 80, 20) {}
    void paint(ui::Canvas& canvas) const override {
        canvas.text({getAbsoluteX(), getAbsoluteY(), 0, word, getUI()->getFont("default"), {}});
    }
    std::string word = "old";
};

TEST_F(Painting, AComponentShowsWhatItPaintedAtItsLastRepaintWhereverItStands) {
    auto* sign = new Sign(ui.get());
    ui->addComponent(sign);
    sign->setVisible(true);
    auto drawn = [&] {
        RecordingCanvas canvas;
        sign->draw(canvas);
        return canvas.texts.size() == 1
                   ? canvas.texts[0].text + "@" + std::to_string(int(canvas.texts[0].x))
                   : std::string("?");
    };
    EXPECT_EQ(drawn(), "old@10");
    sign->word = "new";
    EXPECT_EQ(drawn(), "old@10") << "no repaint: the old picture";
    const std::string svg = ui::Snapshot(ui.get()).render({});
    EXPECT_NE(svg.find(">old</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">new</text>"), std::string::npos);
    sign->setPosition(200, 10);
    EXPECT_EQ(drawn(), "old@200") << "a move takes the picture along";
    sign->repaint();
    EXPECT_EQ(drawn(), "new@200");
}

TEST_F(Painting, EveryWidgetSetterRepaintsItsPicture) {
    layout("text { class = text; size = 100 20; text = a }\n"
           "button { class = textbutton; position = 0 30; size = 100 20; text = a }\n"
           "sprite { class = spritetext; position = 0 60; size = 100 20; text = a }\n"
           "plate { class = bothtextsprite; position = 0 90; size = 100 20; text = a;\n"
           "        image = /Images/StatusPanel/back.tga }\n"
           "typed { class = dformattedspritetext; position = 0 120; size = 10 60;\n"
           "        text = \"a b\" }\n"
           "frame { class = ramka; position = 0 200; size = 100 20 }\n"
           "box { class = textcomponent; position = 0 230; size = 100 20; text = a }\n");
    const config::Color red(1, 0, 0);
    const struct {
        const char* name;
        std::function<void(ui::Component*)> change;
    } rows[] = {
        {"text", [&](ui::Component* c) { static_cast<ui::Text*>(c)->setColor(red); }},
        {"button", [&](ui::Component* c) { static_cast<ui::TextButton*>(c)->setColor(red); }},
        {"sprite", [&](ui::Component* c) { static_cast<ui::SpriteText*>(c)->setColor(red); }},
        {"plate", [&](ui::Component* c) { static_cast<ui::BothTextSprite*>(c)->setColor(red); }},
        {"plate", [](ui::Component* c) { static_cast<ui::BothTextSprite*>(c)->setAlign(2); }},
        {"typed",
         [&](ui::Component* c) { static_cast<ui::DFormattedSpriteText*>(c)->setColor(red); }},
        {"typed",
         [](ui::Component* c) { static_cast<ui::DFormattedSpriteText*>(c)->setInterline(9); }},
        {"typed",
         [](ui::Component* c) { static_cast<ui::DFormattedSpriteText*>(c)->setFont("small"); }},
        {"frame", [&](ui::Component* c) { static_cast<ui::Ramka*>(c)->setBorder(red); }},
        {"frame", [&](ui::Component* c) { static_cast<ui::Ramka*>(c)->setBackground(red); }},
        {"frame", [](ui::Component* c) { static_cast<ui::Ramka*>(c)->setThickness(5); }},
        {"box", [&](ui::Component* c) { static_cast<ui::TextComponent*>(c)->setBackground(red); }},
        {"box", [](ui::Component* c) { c->setEnabled(false); }},
    };
    for (const auto& row : rows) {
        ui::Component* widget = ui->getComponent(row.name);
        ASSERT_NE(widget, nullptr) << row.name;
        ui::PaintRecord before, after, now;
        before.begin(0, 0);
        widget->draw(before);
        row.change(widget);
        after.begin(0, 0);
        widget->draw(after);
        now.begin(0, 0);
        dynamic_cast<const ui::Paintable*>(widget)->paint(now);
        EXPECT_FALSE(now.samePicture(before)) << row.name << ": the change shows in its paint";
        EXPECT_TRUE(after.samePicture(now)) << row.name << ": drawn as it paints now";
    }
}

} // namespace
