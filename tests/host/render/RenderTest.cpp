// Frames rendered offscreen, checked by their pixels: what is drawn where, in which order, and
// what is left out. They hold whether the data's art is there or drawn as the missing marker:
// each compares frames that differ in one thing, or uses pictures and models it writes itself.
#include "support/Rendering.h"
#include "support/RootFixture.h"
#include "support/TempRoots.h"
#include "support/UiFixture.h"

#include "host/engine/Camera.h"
#include "host/engine/Model.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/engine/SEFading.h"
#include "host/engine/ScreenPictures.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/render/FrameRenderer.h"
#include "host/resource/WholeFile.h"
#include "host/ui/Canvas.h"
#include "host/ui/Container.h"
#include "host/ui/Font.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/Paintable.h"
#include "host/ui/Ramka.h"
#include "host/ui/Screenshot.h"
#include "host/ui/TextComponent.h"
#include "ui/MessageBoxA.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

using render::FrameRenderer;
using render::Picture;

constexpr unsigned kGreen = 0x00FF00FFu;

// A component that paints what the test tells it to.
class Painted : public ::ui::Component, public ::ui::Paintable {
public:
    Painted(::ui::UI* ui, std::function<void(::ui::Canvas&)> painter)
        : Component(ui, 0, 0, 10, 10), painter(std::move(painter)) {}
    void paint(::ui::Canvas& canvas) const override { painter(canvas); }
    void display() {
        setVisible(true);
        repaint();
    }

private:
    std::function<void(::ui::Canvas&)> painter;
};

::ui::Canvas::ImageRun imageRun(const ::ui::Canvas::Rect& rect, const std::string& name,
                                float angle = 0, bool flip = false) {
    return {rect, name, "sprite", false, {}, 1, angle, flip};
}

// A veil over its whole view, as a fade is drawn.
struct Veil : SEFading {
    Veil() : SEFading(1.0f) {}
};

struct Box {
    int left, top, right, bottom; // pixels, right and bottom included
};

// How many pixels of the box differ between two frames.
int differing(const Picture& a, const Picture& b, const Box& box) {
    int count = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            count += a.at(x, y) != b.at(x, y);
    return count;
}

Box around(float x, float y, int reach) {
    const int cx = static_cast<int>(x), cy = static_cast<int>(y);
    return {cx - reach, cy - reach, cx + reach, cy + reach};
}

int area(const Box& box) {
    return (box.right - box.left + 1) * (box.bottom - box.top + 1);
}

// The renderer's own reports of art that is not (yet) in the data are no fault of these tests;
// anything else the host logged is.
void keepUnexpected(kel::test::LogCapture& log) {
    for (const auto& record : log.take())
        if (!(record.filter == "engine" && record.text.find(": drawn as") != std::string::npos))
            ADD_FAILURE() << record.file << ": " << record.text;
}

// The two resolutions every frame is checked at: the screens' own and a larger one.
const int kSizes[][2] = {{640, 480}, {1024, 768}};

// Skips a test where no frames can be rendered.
#define SKIP_WITHOUT_FRAMES()                                                                      \
    if (const std::string why = kel::test::whyNoFrames(); !why.empty())                            \
    GTEST_SKIP() << why

// A fresh renderer of that size and its frame of `ui`.
Picture renderOnce(::ui::UI* ui, int width, int height) {
    std::string why;
    auto renderer = FrameRenderer::create(width, height, &why);
    Picture picture;
    EXPECT_TRUE(renderer) << why;
    if (renderer)
        renderer->render(ui, &picture);
    return picture;
}

Box fullFrame(int w, int h) {
    return {0, 0, w - 1, h - 1};
}

// ---------------------------------------------------------------------------------------------
// The module's main menu, rendered.

class RenderedMenu : public kel::test::RootFixture {
protected:
    void SetUp() override {
        SKIP_WITHOUT_FRAMES();
        RootFixture::SetUp();
    }

    void TearDown() override {
        if (!root) // skipped
            return;
        keepUnexpected(log);
        RootFixture::TearDown();
    }

    Picture frame(int width, int height) { return renderOnce(root.get(), width, height); }

    // The entry of the main ring nearest its camera: the one in front.
    ::ui::ModelComponent* frontEntry() {
        ::ui::ModelComponent* front = nullptr;
        float nearest = std::numeric_limits<float>::max();
        std::function<void(::ui::Component*)> walk = [&](::ui::Component* c) {
            auto* entry = dynamic_cast<::ui::ModelComponent*>(c);
            if (entry && entry->isShowed() && entry->getModel()) {
                const float depth = entry->getView()->getCamera()->toCameraSpace(centre(entry)).z;
                if (depth < nearest) {
                    nearest = depth;
                    front = entry;
                }
            }
            if (auto* container = dynamic_cast<::ui::Container*>(c))
                for (::ui::Component* child : container->getChildren())
                    walk(child);
        };
        walk(root->getDescendant("mainroundmenu"));
        return front;
    }

    static Vector centre(const ::ui::ModelComponent* entry) {
        Vector sum;
        for (const Vector& corner : entry->getModel()->worldCorners())
            sum += corner;
        return sum / 8;
    }

    // Where the entry's centre lands, in pixels of a frame of that size.
    static bool projected(const ::ui::ModelComponent* entry, int width, int height, float* x,
                          float* y) {
        float fx = 0, fy = 0;
        if (!theRenderDriver->projectToScreen(entry->getView(), centre(entry), &fx, &fy))
            return false;
        *x = fx * width;
        *y = fy * height;
        return true;
    }
};

TEST_F(RenderedMenu, TheRingsFrontEntryCoversItsPointInFrontOfABattleBehindAndUnderATopBox) {
    ::ui::ModelComponent* entry = frontEntry();
    ASSERT_TRUE(entry) << "the main ring shows no entry";
    View* scene = entry->getView();
    for (const auto& size : kSizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        float x = 0, y = 0;
        ASSERT_TRUE(projected(entry, w, h, &x, &y));
        const Box spot = around(x, y, 2);
        const Picture menu = frame(w, h);
        // Without the entry's model the spot shows what lies behind it.
        scene->unregisterObject(entry->getModel());
        const Picture without = frame(w, h);
        scene->registerObject(entry->getModel());
        EXPECT_GT(differing(menu, without, spot), area(spot) / 2) << "the entry does not cover it";

        // A battle view of a higher priority, veiled black, drawn behind: the ring's scene is
        // drawn where its component stands, in front of it.
        Camera camera;
        View battle(&camera, Viewport(), "battle");
        Veil veil;
        battle.registerObject(&veil);
        battle.setRenderPriority(scene->getRenderPriority() + 10);
        battle.activate();
        theRenderDriver->addView(&battle);
        const Picture behind = frame(w, h);
        theRenderDriver->removeView(&battle);
        battle.unregisterObject(&veil);
        EXPECT_EQ(differing(menu, behind, spot), 0) << "the battle covers the ring";
        EXPECT_GT(differing(menu, behind, fullFrame(w, h)), 0) << "no battle drawn";

        // A top-level box over the entry hides it.
        const float unit = static_cast<float>(w) / root->getScreenWidth();
        Painted box(root.get(), [&](::ui::Canvas& canvas) {
            canvas.fillRect({x / unit - 8, y / unit - 8, 16, 16}, config::Color(0, 1, 0, 1));
        });
        box.display();
        const Picture covered = frame(w, h);
        box.setVisible(false);
        for (int py = spot.top; py <= spot.bottom; ++py)
            for (int px = spot.left; px <= spot.right; ++px)
                ASSERT_EQ(covered.at(px, py), kGreen) << px << ", " << py;
    }
}

TEST_F(RenderedMenu, ThePointersPictureIsDrawnAtThePointerAndNowhereElse) {
    // Two places in the sky above the ring, far from each other and from every entry.
    const float places[][2] = {{60, 60}, {560, 60}};
    pointer()->setVisible(true);
    for (const auto& size : kSizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const float unit = static_cast<float>(w) / root->getScreenWidth();
        moveTo(places[0][0], places[0][1]);
        const Picture first = frame(w, h);
        moveTo(places[1][0], places[1][1]);
        const Picture second = frame(w, h);
        int changed = 0;
        for (const auto& place : places) {
            // The picture hangs below and right of the pointer, 40 units at most; it may be
            // mostly transparent, but some of it shows.
            const Box near{
                static_cast<int>((place[0] - 8) * unit), static_cast<int>((place[1] - 8) * unit),
                static_cast<int>((place[0] + 40) * unit), static_cast<int>((place[1] + 40) * unit)};
            EXPECT_GT(differing(first, second, near), area(near) / 60) << place[0];
            changed += differing(first, second, near);
        }
        EXPECT_EQ(differing(first, second, fullFrame(w, h)), changed)
            << "pixels changed away from the pointer";

        // Over a top-level box that would come after it, the pointer is still above.
        Painted box(root.get(), [&](::ui::Canvas& canvas) {
            canvas.fillRect({places[0][0] - 10, places[0][1] - 10, 60, 60},
                            config::Color(0, 1, 0, 1));
        });
        box.updatePriority(pointer()->getPointerContainer()->getPriority() - 1000);
        box.display();
        moveTo(places[0][0], places[0][1]);
        const Picture over = frame(w, h);
        moveTo(places[1][0], places[1][1]);
        const Box near = around((places[0][0] + 10) * unit, (places[0][1] + 10) * unit,
                                static_cast<int>(10 * unit));
        EXPECT_GT(differing(over, frame(w, h), near), 0) << "the box hides the pointer";
        box.setVisible(false);
    }
}

TEST_F(RenderedMenu, AMessageBoxsTextLiesInsideItsFrame) {
    for (const auto& size : kSizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        kel::ui::MessageBoxA box(root.get(), "Leave the battle and lose what was won?",
                                 kel::ui::MessageBoxA::YES | kel::ui::MessageBoxA::NO, nullptr);
        box.centerBoth();
        box.setVisible(true);
        box.repaint();
        ::ui::Component* text = nullptr;
        ::ui::Component* frameOf = nullptr;
        for (::ui::Component* child : box.getChildren()) {
            if (dynamic_cast<::ui::TextComponent*>(child))
                text = child;
            if (dynamic_cast<::ui::Ramka*>(child))
                frameOf = child;
        }
        ASSERT_TRUE(text && frameOf);
        const Picture with = frame(w, h);
        text->setVisible(false);
        const Picture without = frame(w, h);
        box.setVisible(false);
        const float unit = static_cast<float>(w) / root->getScreenWidth();
        const Box inside{static_cast<int>(frameOf->getAbsoluteX() * unit),
                         static_cast<int>(frameOf->getAbsoluteY() * unit),
                         static_cast<int>((frameOf->getAbsoluteX() + frameOf->getWidth()) * unit),
                         static_cast<int>((frameOf->getAbsoluteY() + frameOf->getHeight()) * unit)};
        const int glyphs = differing(with, without, inside);
        EXPECT_GT(glyphs, 200) << "no text drawn inside the frame";
        EXPECT_EQ(differing(with, without, fullFrame(w, h)), glyphs)
            << "text drawn outside the frame";
        box.term();
    }
}

// ---------------------------------------------------------------------------------------------
// A bare UI with test layouts, on a data root of the test's own pictures and models.

class RenderedCanvas : public kel::test::UiFixture {
protected:
    void SetUp() override {
        SKIP_WITHOUT_FRAMES();
        UiFixture::SetUp();
        ui->getMousePointer()->setVisible(false);
        roots = std::make_unique<kel::test::TempRoots>();
    }
    void TearDown() override {
        if (ui)
            UiFixture::TearDown();
        roots.reset();
    }

    Picture frame(int width = 640, int height = 480) { return renderOnce(ui.get(), width, height); }

    // A picture file of the data root: `left` on its left half, `right` on its right half.
    void writeImage(const std::string& gamePath, unsigned left, unsigned right) {
        Picture p;
        p.width = 8;
        p.height = 4;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                for (int c = 0; c < 4; ++c)
                    p.pixels.push_back(
                        static_cast<unsigned char>((x < 4 ? left : right) >> (24 - 8 * c)));
        std::string why;
        const std::filesystem::path file = roots->data / gamePath.substr(1);
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(render::writePng(file.string(), p, &why)) << why;
    }

    std::unique_ptr<kel::test::TempRoots> roots;
};

TEST_F(RenderedCanvas, AHiddenComponentAndItsChildrenLeaveNoPixel) {
    const Picture empty = frame();
    auto* parent = new ::ui::Container(ui.get(), 100, 100, 200, 200);
    ui->addComponent(parent);
    auto* child = new Painted(ui.get(), [](::ui::Canvas& canvas) {
        canvas.fillRect({120, 120, 100, 60}, config::Color(0, 1, 0, 1), 6);
        canvas.strokeRect({110, 110, 160, 100}, config::Color(0, 1, 0, 1), 2);
        canvas.line(100, 300, 300, 320, config::Color(0, 1, 0, 1), 3);
        canvas.image(imageRun({150, 200, 64, 64}, "Nowhere"));
    });
    parent->addComponent(child);
    child->setVisible(true);
    parent->setVisible(true);
    child->repaint();
    const Picture shown = frame();
    EXPECT_EQ(shown.at(170, 150), kGreen);
    EXPECT_GT(differing(empty, shown, fullFrame(640, 480)), 100 * 60);
    parent->setVisible(false);
    EXPECT_EQ(differing(empty, frame(), fullFrame(640, 480)), 0) << "the parent hidden";
    parent->setVisible(true);
    child->setVisible(false);
    EXPECT_EQ(differing(empty, frame(), fullFrame(640, 480)), 0) << "the child hidden";
    // The missing picture was reported once, by name, however often it was drawn.
    const auto logged = log.take();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].file, "/Images/Named/Nowhere.png");
}

TEST_F(RenderedCanvas, PicturesAreDrawnFromTheirFilesTurnedAndMirroredAsAsked) {
    constexpr unsigned red = 0xFF0000FFu, blue = 0x0000FFFFu;
    writeImage("/Images/Named/Halves.png", red, blue);
    writeImage("/Images/Missions/halves.png", red, blue); // a game path is taken as it is
    const struct {
        const char* name;
        float angle;
        bool flip;
        unsigned left, right;
    } rows[] = {{"Halves", 0, false, red, blue},
                {"Halves", 0, true, blue, red},
                {"Halves", 180, false, blue, red},
                {"/Images/Missions/halves.png", 0, false, red, blue}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.angle) +
                     (row.flip ? " flipped" : ""));
        const auto run = imageRun({200, 200, 160, 80}, row.name, row.angle, row.flip);
        Painted picture(ui.get(), [&run](::ui::Canvas& canvas) { canvas.image(run); });
        picture.display();
        for (const auto& size : kSizes) {
            const float unit = size[0] / 640.0f;
            const Picture p = frame(size[0], size[1]);
            EXPECT_EQ(p.at(static_cast<int>(220 * unit), static_cast<int>(240 * unit)), row.left);
            EXPECT_EQ(p.at(static_cast<int>(340 * unit), static_cast<int>(240 * unit)), row.right);
        }
        picture.setVisible(false);
    }
}

TEST_F(RenderedCanvas, TextEndsWhereItsFontsMetricTableSaysAtEveryScale) {
    // Fonts whose tables give the same letters very different advances: the ink follows them.
    const struct { float wide, narrow, other; } rows[] = {{30, 5, 9}, {12, 12, 12}, {9, 20, 14}};
    const std::string text = "WWWW iiii";
    for (const auto& row : rows) {
        ::ui::Font font("metrics", 20, row.other);
        font.setCharacterWidth('W', row.wide);
        font.setCharacterWidth('i', row.narrow);
        const float width = font.getTextWidth(text);
        SCOPED_TRACE("text of " + std::to_string(width) + " units");
        Painted line(ui.get(), [&](::ui::Canvas& canvas) {
            canvas.text({100, 200, width, text, &font, config::Color(0, 1, 0, 1)});
        });
        line.display();
        for (const auto& size : kSizes) {
            const float unit = size[0] / 640.0f;
            const Picture p = frame(size[0], size[1]);
            int left = size[0], right = -1;
            for (int y = static_cast<int>(195 * unit); y < static_cast<int>(225 * unit); ++y)
                for (int x = 0; x < size[0]; ++x)
                    if (((p.at(x, y) >> 16) & 0xFF) > 128) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            // The first glyph starts at the run, the last ends within its own advance.
            EXPECT_NEAR(left, 100 * unit, 3 * unit);
            EXPECT_LE(right, (100 + width) * unit + 1);
            EXPECT_GE(right, (100 + width - row.narrow) * unit - 1);
        }
        line.setVisible(false);
    }
}

TEST_F(RenderedCanvas, AModelFromItsFileStandsWhereItsCameraProjectsIt) {
    // A red plate two units wide and two high, facing a camera ten units away.
    roots->data.write("Configs/Engine/models.cfg", "plate { box = -0.01 -1 0 0.01 1 2 }\n"
                                                   "ghost { box = -0.01 -1 0 0.01 1 2 }\n");
    roots->data.write("Models/plate.obj", "mtllib plate.mtl\nv 0 -1 0\nv 0 1 0\nv 0 1 2\n"
                                          "v 0 -1 2\nvn -1 0 0\nusemtl red\n"
                                          "f 1//1 2//1 3//1\nf 1//1 3//1 4//1\n");
    roots->data.write("Models/plate.mtl", "newmtl red\nKd 1 0 0\n");
    ModelCatalogue::instance().forget();
    Camera camera;
    camera.setTransformation(Camera::lookingAt(0, 0), Vector(-10, 0, 1));
    camera.setGlobalTransformation(Camera::lookingAt(0, 0), Vector(-10, 0, 1));
    camera.setAngle(0.6f);
    View view(&camera, Viewport(), "plates");
    view.activate();
    theRenderDriver->addView(&view);
    // The plate from its file in its material's colour; one without a file in the marker's.
    const char* const names[] = {"plate", "ghost"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Model model(name);
        view.registerObject(&model);
        for (const auto& size : kSizes) {
            const Picture p = frame(size[0], size[1]);
            float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
            for (const Vector& corner : model.worldCorners()) {
                float x = 0, y = 0;
                ASSERT_TRUE(theRenderDriver->projectToScreen(&view, corner, &x, &y));
                left = std::min(left, x * size[0]);
                right = std::max(right, x * size[0]);
                top = std::min(top, y * size[1]);
                bottom = std::max(bottom, y * size[1]);
            }
            auto isPlate = [&](int x, int y) {
                const unsigned c = p.at(x, y);
                if (std::string(name) == "ghost")
                    return c == 0xFF00FFFFu || c == 0x000000FFu;
                return (c >> 24) > 60 && ((c >> 16) & 0xFF) == 0 && ((c >> 8) & 0xFF) == 0;
            };
            const int x0 = static_cast<int>(left), x1 = static_cast<int>(right);
            const int y0 = static_cast<int>(top), y1 = static_cast<int>(bottom);
            for (int y = y0 + 3; y <= y1 - 3; y += 2)
                for (int x = x0 + 3; x <= x1 - 3; x += 2)
                    ASSERT_TRUE(isPlate(x, y)) << x << ", " << y;
            const int midX = (x0 + x1) / 2, midY = (y0 + y1) / 2;
            EXPECT_FALSE(isPlate(x0 - 3, midY));
            EXPECT_FALSE(isPlate(x1 + 3, midY));
            EXPECT_FALSE(isPlate(midX, y0 - 3));
            EXPECT_FALSE(isPlate(midX, y1 + 3));
        }
        view.unregisterObject(&model);
    }
    Model plate("plate");
    view.registerObject(&plate);
    float midX = 0, midY = 0;
    ASSERT_TRUE(theRenderDriver->projectToScreen(&view, Vector(0, 0, 1), &midX, &midY));
    const auto middle = [&] {
        return frame().at(static_cast<int>(midX * 640), static_cast<int>(midY * 480));
    };
    // A highlighted plate is lit up: its red middle takes on green and blue.
    const unsigned plain = middle();
    SEDirectHighlight light;
    plate.getAnimator()->addEffect(&light);
    const unsigned lit = middle();
    plate.getAnimator()->removeEffect(&light);
    for (int shift : {16, 8})
        EXPECT_GT((lit >> shift) & 0xFF, (plain >> shift) & 0xFF)
            << std::hex << plain << " " << lit;
    // Under a sky the plate fades to the sky's fog colour (black) over the fog's range: wholly
    // beyond its end, not at all before its start.
    Environment sky;
    sky.activate(&view);
    const struct {
        float start, end;
        bool fogged;
    } fogs[] = {{2, 5, true}, {30, 80, false}};
    for (const auto& fog : fogs) {
        theSphereVertexFogManager->setFogRange(fog.start, fog.end);
        const unsigned c = middle();
        EXPECT_EQ(c == 0x000000FFu, fog.fogged) << std::hex << c;
        EXPECT_EQ((c >> 24) > 60, !fog.fogged) << std::hex << c;
    }
    theSphereVertexFogManager->reset();
    view.unregisterObject(&plate);
    sky.deactivate(&view);
    theRenderDriver->removeView(&view);
    ModelCatalogue::instance().forget();
    // The model without a file was reported once, by its path.
    const auto logged = log.take();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].file, "/Models/ghost.obj");
}

TEST_F(RenderedCanvas, AFrameOfEveryKindOfDrawingMatchesItsReferencePicture) {
    writeImage("/Images/Named/Halves.png", 0xFF0000FFu, 0x0000FFFFu);
    ::ui::Font font("reference", 20, 9);
    font.setCharacterWidth('i', 5);
    font.setCharacterWidth('W', 16);
    Painted picture(ui.get(), [&font](::ui::Canvas& canvas) {
        canvas.fillRect({20, 20, 600, 440}, config::Color(0.1f, 0.12f, 0.16f, 1), 12);
        canvas.strokeRect({30, 30, 580, 420}, config::Color(0.9f, 0.75f, 0.45f, 1), 3, 8);
        canvas.fillRect({60, 60, 120, 80}, config::Color(0.2f, 0.6f, 0.3f, 0.6f), 0);
        canvas.line(60, 180, 300, 240, config::Color(1, 1, 1, 1), 2);
        canvas.text({220, 70, 0, "Win the day, knight! \xC3\x84 42", &font,
                     config::Color(0.95f, 0.9f, 0.8f, 1)});
        canvas.image(imageRun({60, 280, 160, 80}, "Halves"));
        canvas.image({{260, 280, 160, 80}, "Halves", "sprite", false, {}, 0.5f, 90});
        canvas.image({{440, 280, 120, 120}, "Nowhere", "sprite", true, {440, 280, 60, 120}});
    });
    picture.display();
    // A scale that is no whole number of pixels a unit.
    const Picture got = frame(480, 360);
    log.take(); // the missing picture's report
    const std::string reference = std::string(KEL_REFERENCE_DIR) + "/canvas.png";
    if (std::getenv("KEL_UPDATE_REFERENCES")) {
        std::string why;
        ASSERT_TRUE(render::writePng(reference, got, &why)) << why;
    }
    std::string png, why;
    Picture want;
    ASSERT_EQ(resource::readWholeFile(reference, &png, &why), resource::FileState::Read) << why;
    ASSERT_TRUE(render::decodePng(png, &want, &why)) << why;
    ASSERT_EQ(want.width, got.width);
    ASSERT_EQ(want.height, got.height);
    // Rasterisers and font versions differ in a few edge pixels; a real change moves many.
    int off = 0;
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x)
            for (int shift = 8; shift < 32; shift += 8)
                if (std::abs(static_cast<int>((got.at(x, y) >> shift) & 0xFF) -
                             static_cast<int>((want.at(x, y) >> shift) & 0xFF)) > 40) {
                    ++off;
                    break;
                }
    if (off > got.width * got.height / 200) {
        const std::string out = (std::filesystem::current_path() / "canvas-got.png").string();
        render::writePng(out, got, nullptr);
        ADD_FAILURE()
            << off << " pixels differ from " << reference << " (the frame is " << out
            << "); with a change meant, KEL_UPDATE_REFERENCES=1 writes it as the reference";
    }
}

// A window hands its own memory: rows further apart than a frame's width, and pixels kept as
// blue, green, red. The frame read into it is the same frame, upright, its padding untouched.
TEST_F(RenderedCanvas, AFrameReadIntoAWindowsMemoryIsTheSameFrameInItsByteOrder) {
    Painted picture(ui.get(), [](::ui::Canvas& canvas) {
        canvas.fillRect({0, 0, 64, 48}, config::Color(1, 0, 0, 1), 0);        // top left: red
        canvas.fillRect({576, 432, 64, 48}, config::Color(0, 0, 1, 1), 0);    // bottom right: blue
        canvas.fillRect({300, 200, 40, 40}, config::Color(0, 1, 0, 0.5f), 8); // blended, rounded
    });
    picture.display();
    std::string why;
    auto renderer = FrameRenderer::create(320, 240, &why);
    ASSERT_TRUE(renderer) << why;
    Picture want;
    renderer->render(ui.get(), &want);
    EXPECT_EQ(want.at(2, 2), 0xFF0000FFu);
    EXPECT_EQ(want.at(317, 237), 0x0000FFFFu);

    const int pitch = 320 * 4 + 36;
    std::vector<unsigned char> memory(static_cast<size_t>(pitch) * 240, 0xAB);
    renderer->renderInto(ui.get(), {memory.data(), pitch, true});
    int wrong = 0, padding = 0;
    for (int y = 0; y < 240; ++y) {
        const unsigned char* row = &memory[static_cast<size_t>(y) * pitch];
        for (int x = 0; x < 320; ++x) {
            const unsigned bgra = static_cast<unsigned>(row[x * 4 + 2]) << 24 |
                                  static_cast<unsigned>(row[x * 4 + 1]) << 16 |
                                  static_cast<unsigned>(row[x * 4]) << 8 | row[x * 4 + 3];
            wrong += bgra != want.at(x, y);
        }
        for (int x = 320 * 4; x < pitch; ++x)
            padding += row[x] != 0xAB;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(padding, 0);
}

// The still picture behind an in-game menu: taken at the end of the frame after it is shown,
// it keeps showing what was on the screen then, dimmed, after that is gone; hidden, it lets the
// picture go.
TEST_F(RenderedCanvas, AScreenshotKeepsTheFrameItWasTakenInAfterTheSceneIsGone) {
    Painted scene(ui.get(), [](::ui::Canvas& canvas) {
        canvas.fillRect({100, 100, 200, 100}, config::Color(0.1f, 0.9f, 0.2f, 1), 0);
    });
    scene.display();
    std::string why;
    auto renderer = FrameRenderer::create(640, 480, &why);
    ASSERT_TRUE(renderer) << why;
    ScreenPictures::setTaker([&](ScreenPictures::Picture* picture) {
        Picture frame;
        renderer->render(ui.get(), &frame);
        picture->width = frame.width;
        picture->height = frame.height;
        picture->rgba = std::move(frame.pixels);
        return true;
    });
    ::ui::Screenshot still(ui.get());
    still.setVisible(true);
    EXPECT_TRUE(still.getPictureName().empty()) << "a picture before the frame ended";
    UiFixture::frame();
    const std::string name = still.getPictureName();
    ASSERT_FALSE(name.empty());
    scene.setVisible(false);

    Picture shown;
    renderer->render(ui.get(), &shown);
    const unsigned green = shown.at(200, 150), outside = shown.at(400, 300);
    EXPECT_GT(green >> 16 & 0xFF, 0x40u) << "the scene is not in the picture";
    EXPECT_LT(green >> 16 & 0xFF, 0xE6u * 0.7) << "the picture is not dimmed";
    EXPECT_LT(green >> 24 & 0xFF, 0x20u);
    EXPECT_LT(outside >> 16 & 0xFF, 0x20u);

    still.setVisible(false);
    EXPECT_EQ(ScreenPictures::find(name), nullptr);
    ScreenPictures::setTaker(nullptr);
}

} // namespace
