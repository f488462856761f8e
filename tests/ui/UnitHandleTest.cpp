// Health digits over units: which digits a health shows and which frame of the strip each maps,
// registration with the board view as the handle is shown and hidden, team colours, fog, the
// row's placement over the model, and the root's creation and removal of handles (also from a
// host thread while frames run).
#include "ui/UnitHandle.h"
#include "support/RootFixture.h"
#include "support/TempRoots.h"

#include "host/config/ConfigManager.h"
#include "host/engine/Decal.h"
#include "host/engine/Image3D.h"
#include "host/engine/Model.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/ui/Snapshot.h"

#include <atomic>
#include <thread>
#include <tuple>

namespace {

using kel::ui::Digit;
using kel::ui::UnitHandle;

std::string colourText(const config::Color& c) {
    return std::to_string(c.r).substr(0, 4) + " " + std::to_string(c.g).substr(0, 4) + " " +
           std::to_string(c.b).substr(0, 4) + " " + std::to_string(c.a).substr(0, 4);
}

// A root UI on a data root of the test's own: the digit strip, a model two units tall, and
// the effects file each test writes. Handles hang below a shown container of the root.
class Digits : public ::testing::Test {
protected:
    void SetUp() override {
        resetReferenceHost();
        ui = std::make_unique<::ui::UI>();
        ui->setVisible(true);
        board = new ::ui::Container(ui.get());
        ui->addComponent(board);
        board->setVisible(true);
        camera.setTransformation(Camera::lookingAt(0, -0.5f), Vector(-10, 0, 5));
        effects(""); // no colours: red
    }
    void TearDown() override {
        ui.reset();
        for (const auto& record : log.take())
            ADD_FAILURE() << "unexpected log message [" << record.filter << "] " << record.text;
    }
    void effects(const std::string& text) {
        roots.data.write("Configs/Effects/effects.cfg", text);
        config::theConfigManager->clear();
    }
    UnitHandle* handle(kel::logic::Unit* unit) {
        auto* made = new UnitHandle(ui.get(), &view, unit);
        board->addComponent(made);
        made->setVisible(true);
        return made;
    }
    // The digits of a handle, least significant first.
    static std::string values(const UnitHandle& h) {
        std::string text;
        for (int i = 0; i < h.getDigits().getCount(); ++i)
            text += std::to_string(h.getDigits().getDigit(i)->getValue());
        return text;
    }
    // How many of the handle's digits the view has, and how many decals it has in all.
    std::string registered(const UnitHandle& h) {
        int mine = 0;
        for (int i = 0; i < h.getDigits().getCount(); ++i)
            mine += view.hasDecal(h.getDigits().getDigit(i));
        return std::to_string(mine) + "/" + std::to_string(view.getDecals().size());
    }

    // The data root is ready before the units below are made.
    struct Data {
        Data() {
            roots.data.write("Configs/UI/images.cfg", "\"/Images/Bonus/digit\" = 160 16\n");
            roots.data.write("Configs/Engine/models.cfg", "tall { box = -0.5 -0.5 0 0.5 0.5 2 }\n");
            resetReferenceHost();
        }
        kel::test::TempRoots roots;
    } data;
    kel::test::TempRoots& roots = data.roots;
    kel::test::LogCapture log;
    std::unique_ptr<::ui::UI> ui;
    ::ui::Container* board = nullptr;
    Camera camera;
    View view{&camera, Viewport(), "board"};
    kel::logic::Team player{"player", 0};
    kel::logic::Team enemy{"enemy", 1};
    kel::logic::Unit knight{"knight", &player, "tall"};
};

// Rows: health; the digits, least significant first; the strip's u at corners 0 and 1 of each
// (corners 2 and 3 repeat them at v = 1). 0 shows nothing at all.
TEST_F(Digits, HealthShowsItsDigitsLeastSignificantFirstEachMappingItsFrameOfTheStrip) {
    const std::tuple<int, std::string, std::vector<std::pair<float, float>>> kRows[] = {
        {0, "", {}},
        {10, "01", {{0.0f, 0.1f}, {0.1f, 0.2f}}},
        {305, "503", {{0.5f, 0.6f}, {0.0f, 0.1f}, {0.3f, 0.4f}}},
        {7, "7", {{0.7f, 0.8f}}},
    };
    UnitHandle* h = handle(&knight);
    EXPECT_EQ(values(*h), "") << "health 0 until the first update";
    for (const auto& [health, digits, strip] : kRows) {
        knight.setHealth(health);
        h->update();
        EXPECT_EQ(h->getHealth(), health);
        ASSERT_EQ(values(*h), digits) << health;
        for (int i = 0; i < h->getDigits().getCount(); ++i) {
            const Digit* digit = h->getDigits().getDigit(i);
            for (int corner = 0; corner < 4; ++corner) {
                float u = -1, v = -1;
                digit->getMapping(corner, &u, &v);
                const float want = corner % 2 ? strip[i].second : strip[i].first;
                EXPECT_NEAR(u, want, 1e-6) << health << " digit " << i << " corner " << corner;
                EXPECT_EQ(v, corner / 2) << health << " digit " << i << " corner " << corner;
            }
            EXPECT_TRUE(digit->isDoubleSided());
        }
    }
    // Every handle draws with the one strip the root's texture manager keeps.
    UnitHandle* other = handle(&knight);
    other->update();
    ASSERT_GT(h->getDigits().getCount(), 0);
    EXPECT_EQ(other->getDigits().getDigit(0)->getImage(), h->getDigits().getDigit(0)->getImage());
    EXPECT_EQ(h->getDigits().getImage()->getName(), "/Images/Bonus/digit");
    EXPECT_EQ(h->getDigits().getImage()->getLogicalWidth(), 160);
}

// Rows: a step; then how many of the handle's digits the view has / its decals in all.
TEST_F(Digits, OnlyAShownHandleHasItsDigitsInTheView) {
    UnitHandle* h = handle(&knight);
    const std::pair<std::string, const char*> kRows[] = {
        {"health 305", "3/3"}, {"hide", "0/0"},     {"health 10", "0/0"},  {"show", "2/2"},
        {"health 0", "0/0"},   {"health 7", "1/1"}, {"hide board", "0/0"}, {"show board", "1/1"},
    };
    for (const auto& [step, want] : kRows) {
        if (step.rfind("health ", 0) == 0) {
            knight.setHealth(std::stoi(step.substr(7)));
            h->update();
        } else if (step == "hide" || step == "show") {
            h->setVisible(step == "show");
        } else {
            board->setVisible(step == "show board");
        }
        EXPECT_EQ(registered(*h), want) << step;
    }
}

// Rows: effects.cfg; the unit (none: a handle without a unit); the digits' colour. The team's
// own colour wins, then the default colour, then red; a wrong colour is reported and left out.
TEST_F(Digits, TheColourComesFromTheTeamsEntryThenTheDefaultThenRed) {
    kel::logic::Team neutral("neutral", 2);
    kel::logic::Unit wolf("wolf", &neutral, "tall");
    kel::logic::Unit goblin("goblin", &enemy, "tall");
    const std::string both = "HealthVisualizer { defaultColor = 0 0 1 1\n"
                             "  player { color = 0 1 0 1 }\n enemy { other = 1 } }\n";
    const char* const onlyEnemy = "HealthVisualizer { enemy { color = 1 1 0 } }\n";
    const std::tuple<const char*, kel::logic::Unit*, const char*, size_t> kRows[] = {
        {both.c_str(), &knight, "0.00 1.00 0.00 1.00", 0},
        {both.c_str(), &wolf, "0.00 0.00 1.00 1.00", 0},
        {both.c_str(), &goblin, "0.00 0.00 1.00 1.00", 0},
        {both.c_str(), nullptr, "0.00 0.00 1.00 1.00", 0},
        {onlyEnemy, &goblin, "1.00 1.00 0.00 1.00", 0},
        {onlyEnemy, &wolf, "1.00 0.00 0.00 1.00", 0},
        {onlyEnemy, nullptr, "1.00 0.00 0.00 1.00", 0},
        {"HealthVisualizer { defaultColor = 0.5 0.5 0.5 }\n", &knight, "0.50 0.50 0.50 1.00", 0},
        {"HealthVisualizer { defaultColor = 0 2 0 1; player { color = 0 1 } }\n", &knight,
         "1.00 0.00 0.00 1.00", 2},
        {"", &knight, "1.00 0.00 0.00 1.00", 0},
    };
    for (const auto& [file, unit, colour, reported] : kRows) {
        effects(file);
        EXPECT_EQ(colourText(handle(unit)->getColor()), colour) << file;
        EXPECT_EQ(log.take().size(), reported) << file;
    }
    // The colour goes to each digit's highlight, with black for its dark parts.
    effects(both);
    knight.setHealth(12);
    UnitHandle* h = handle(&knight);
    h->update();
    drawDecals(view);
    EXPECT_EQ(
        h->getDigits().getDigit(1)->getDrawnEffects(),
        (std::vector<std::string>{"colours 0 1 0 1 / 0 0 0 1", "rotate with camera", "opacity 1"}));
}

// A fog of the engine's choosing, the same everywhere.
class FixedFog : public SphereVertexFogManager {
public:
    explicit FixedFog(float value) : value(value) {}
    float getFog(const View*, const Vector&) const override { return value; }
    float value;
};

// Rows: the fog value at the digits; whether they are drawn, with what opacity (1 - fog), and
// what the inspector picture of the view shows of them.
TEST_F(Digits, FogFadesTheDigitsAndHidesThemWhollyFromOneOn) {
    knight.setHealth(42);
    UnitHandle* h = handle(&knight);
    h->update();
    const std::tuple<float, bool, const char*, const char*> kRows[] = {
        {0, true, "opacity 1", "<g class=\"decal\" data-frame=\"2\"><rect"},
        {0.4f, true, "opacity 0.6", "<g class=\"decal\" data-frame=\"2\" opacity=\"0.6\""},
        {1, false, "", ""},
        {1.5f, false, "", ""}};
    view.activate();
    theRenderDriver->addView(&view);
    SphereVertexFogManager* saved = theSphereVertexFogManager;
    for (const auto& [value, drawn, opacity, pictured] : kRows) {
        FixedFog fog(value);
        theSphereVertexFogManager = &fog;
        const unsigned long before = h->getDigits().getDigit(0)->getDrawCount();
        drawDecals(view);
        for (int i = 0; i < h->getDigits().getCount(); ++i) {
            const Digit* digit = h->getDigits().getDigit(i);
            EXPECT_EQ(digit->getDrawCount() - before, drawn ? 1u : 0u) << value;
            EXPECT_EQ(digit->wasDrawnLast(), drawn) << value;
            EXPECT_EQ(drawn ? digit->getDrawnEffects().back() : "", opacity) << value;
        }
        const std::string svg = ::ui::Snapshot(ui.get()).render(::ui::Snapshot::Options());
        EXPECT_EQ(svg.find("class=\"decal\"") != std::string::npos, drawn) << value;
        EXPECT_NE(svg.find(pictured), std::string::npos) << value << svg;
    }
    theSphereVertexFogManager = saved;
    theRenderDriver->removeView(&view);
}

// The unit stands at (3, 4, 0) turned a quarter round; its model is 2 high, so the row floats at
// 2.15. Rows: health; offset; sphere radius; each digit's Y (X is always -0.125, the decal 0.25
// by 0.1); where every digit stands.
TEST_F(Digits, TheRowStandsCentredOverTheModelOneDigitWidthApart) {
    UnitHandle* h = handle(&knight);
    knight.getProtoUnit()->getAnimator()->setTransformation(Matrix3::rotationZ(1.5707963f),
                                                            Vector(3, 4, 0));
    const std::tuple<int, Vector, float, std::vector<float>, Vector> kRows[] = {
        {7, {0, 0, 0}, 0, {-0.05f}, {3, 4, 2.15f}},
        {305, {0, 0, 0}, 0, {0.05f, -0.05f, -0.15f}, {3, 4, 2.15f}},
        // The offset turns with the unit: x becomes y.
        {305, {1, 0, 0.5f}, 0, {0.05f, -0.05f, -0.15f}, {3, 5, 2.65f}},
        // On a sphere of radius 10 the row is bent down with the world.
        {42, {0, 0, 0}, 10, {0, -0.1f}, {3.49501f, 4.66002f, 0.66263f}},
    };
    for (const auto& [health, offset, radius, y, want] : kRows) {
        SCOPED_TRACE(std::to_string(health) + " radius " + std::to_string(radius));
        setSphereRadius(radius);
        knight.setHealth(health);
        h->update();
        h->setOffset(offset);
        ASSERT_EQ(h->getDigits().getCount(), static_cast<int>(y.size()));
        for (int i = 0; i < h->getDigits().getCount(); ++i) {
            const Digit* digit = h->getDigits().getDigit(i);
            EXPECT_NEAR(digit->getY(), y[i], 1e-5) << " digit " << i;
            EXPECT_EQ(std::make_tuple(digit->getX(), digit->getWidth(), digit->getHeight()),
                      std::make_tuple(-0.125f, 0.25f, 0.1f));
            const Vector at = digit->getGlobalPosition();
            for (int axis = 0; axis < 3; ++axis)
                EXPECT_NEAR(at[axis], want[axis], 1e-4) << "axis " << axis;
            EXPECT_TRUE(digit->getGlobalOrientation() == Matrix3::identity());
        }
    }
    setSphereRadius(0);
}

// The root makes a handle a shown child of its own with its digits in the board view, and
// takes it away with them; a host thread may remove handles while frames draw the digits.
class RootHandles : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        ASSERT_TRUE(game.loadMap("/Maps/Skirmish.lvx"));
        GAME_BOARD_VIEW->activate();
        theRenderDriver->addView(GAME_BOARD_VIEW);
    }
    void TearDown() override {
        theRenderDriver->removeView(GAME_BOARD_VIEW);
        RootFixture::TearDown();
    }
    bool inView(const UnitHandle* h) const {
        for (int i = 0; i < h->getDigits().getCount(); ++i)
            if (!GAME_BOARD_VIEW->hasDecal(h->getDigits().getDigit(i)))
                return false;
        return true;
    }
    kel::logic::Game game; // outlives the root
};

TEST_F(RootHandles, CreatedHandlesShowTheirTeamsDigitsInTheBoardViewUntilDeleted) {
    std::vector<UnitHandle*> handles;
    for (kel::logic::Unit* unit : game.getBoard().getUnits()) {
        UnitHandle* h = root->createUnitHandle(unit);
        h->update();
        h->move();
        EXPECT_EQ(h->getMaster(), root.get());
        EXPECT_TRUE(h->isShowed());
        EXPECT_TRUE(inView(h));
        EXPECT_EQ(h->getHealth(), unit->getHealth());
        handles.push_back(h);
    }
    ASSERT_EQ(handles.size(), 8u);
    // The shipped teams have colours of their own, and different ones.
    EXPECT_NE(handles.front()->getColor(), handles.back()->getColor());
    EXPECT_NE(handles.front()->getColor(), config::Color(1, 0, 0, 1));
    frame();
    EXPECT_GT(handles.front()->getDigits().getDigit(0)->getDrawCount(), 0u);
    const size_t before = GAME_BOARD_VIEW->getDecals().size();
    const int children = root->getComponentsCount();
    const int digits = handles.front()->getDigits().getCount();
    root->deleteUnitHandle(handles.front());
    EXPECT_EQ(GAME_BOARD_VIEW->getDecals().size(), before - static_cast<size_t>(digits));
    EXPECT_EQ(root->getComponentsCount(), children - 1);
    frame();
    for (size_t i = 1; i < handles.size(); ++i)
        root->deleteUnitHandle(handles[i]);
    EXPECT_TRUE(GAME_BOARD_VIEW->getDecals().empty());
}

// Run under ThreadSanitizer, this finds digits leaving the view unguarded while a frame draws
// them, or a handle deleted under a frame's feet.
TEST_F(RootHandles, AHostThreadDeletesHandlesWhileFramesDrawTheDigits) {
    std::vector<UnitHandle*> handles;
    for (int round = 0; round < 5; ++round)
        for (kel::logic::Unit* unit : game.getBoard().getUnits()) {
            handles.push_back(root->createUnitHandle(unit));
            handles.back()->update();
            handles.back()->move();
        }
    std::atomic<bool> done{false};
    std::thread host([&] {
        for (UnitHandle* h : handles)
            root->deleteUnitHandle(h);
        done = true;
    });
    int frames = 0;
    while (!done || frames < 20) {
        frame();
        ++frames;
    }
    host.join();
    EXPECT_TRUE(GAME_BOARD_VIEW->getDecals().empty());
    for (int i = 0; i < root->getComponentsCount(); ++i)
        EXPECT_EQ(dynamic_cast<UnitHandle*>(root->getComponent(i)), nullptr);
}

} // namespace
