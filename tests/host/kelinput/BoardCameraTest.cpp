#include "KelInputFixture.h"

#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderDriverListener.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/kelinput/BoardCamera.h"
#include "host/logic/BoardGeometry.h"
#include "host/logic/Game.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"

using kel::test::KelInputTest;
using Pose = kelinput::DeviceToCamera::Camera;

namespace {

// Lets a model be picked: the engine traces only models with a mesh listener.
struct Pickable : RenderMeshListener {
    void traceIn(void*) override {}
    void traceOut(void*) override {}
};

// The middle of a model's box in the world, where the pointer picks it surely.
Vector middleOf(const Model* model) {
    Vector min, max;
    const Animator* animator = model->getAnimator();
    animator->getBaseAnimation()->getBaseKeyMesh(0)->getBoundingBox(&min, &max);
    return animator->getGlobalPosition() + animator->getGlobalOrientation() * ((min + max) * 0.5f);
}

// The translator's camera placed in the world: yaw clockwise from north (+y), pitch below the
// horizon, the point looked at and the distance in board units of 2 world units.
TEST(BoardCameraPlacement, YawPitchAndZoomPlaceTheCameraAroundThePointLookedAt) {
    const struct {
        Pose pose;
        Vector forward, position;
    } rows[] = {
        {{0, 45, 0, 0, 10}, {0, 0.7071f, -0.7071f}, {0, -14.142f, 14.142f}},
        {{90, 45, 0, 0, 10}, {0.7071f, 0, -0.7071f}, {-14.142f, 0, 14.142f}},
        {{180, 30, 1, 2, 4}, {0, -0.8660f, -0.5f}, {2, 4 + 6.928f, 4}},
        {{270, 60, -3, 0, 8}, {-0.5f, 0, -0.8660f}, {-6 + 8, 0, 13.856f}},
    };
    for (const auto& row : rows) {
        Camera camera;
        kelinput::BoardCamera::place(row.pose, 2.0f, &camera);
        const Vector forward = camera.getGlobalOrientation().column(2);
        const Vector position = camera.getGlobalPosition();
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(forward[i], row.forward[i], 1e-3)
                << "yaw " << row.pose.yaw << " axis " << i;
            EXPECT_NEAR(position[i], row.position[i], 1e-2)
                << "yaw " << row.pose.yaw << " axis " << i;
        }
        // And back: the pose is read from the camera it placed.
        const Pose back = kelinput::BoardCamera::poseOf(camera, 2.0f, Pose());
        EXPECT_NEAR(back.yaw, row.pose.yaw, 1e-2);
        EXPECT_NEAR(back.pitch, row.pose.pitch, 1e-2);
        EXPECT_NEAR(back.x, row.pose.x, 1e-3);
        EXPECT_NEAR(back.z, row.pose.z, 1e-3);
        EXPECT_NEAR(back.zoom, row.pose.zoom, 1e-3);
    }
}

// A battle on the skirmish map with the board camera driven by the frames.
class BoardCameraTest : public KelInputTest {
protected:
    void SetUp() override {
        KelInputTest::SetUp();
        ASSERT_TRUE(game.loadMap("/Maps/Skirmish.lvx"));
        view->activate();
        theRenderDriver->addView(view);
        theRenderDriver->setScreenSize(1024, 768);
        driver = std::make_unique<kelinput::BoardCamera>(camera(), board.getCamera(),
                                                         kel::logic::kCellSize);
        theRenderDriver->registerListener(driver.get(), 0);
        // The unit farthest from the board's centre, about which the camera turns.
        for (kel::logic::Unit* each : board.getUnits()) {
            Model* model = each->getProtoUnit()->getModel();
            if (!unit || middleOf(model).length() > middleOf(unit).length())
                unit = model;
        }
        unit->setMeshListener(&pickable);
    }
    void TearDown() override {
        unit->setMeshListener(nullptr);
        theRenderDriver->unregisterListener(driver.get());
        theRenderDriver->removeView(view);
        view->deactivate();
        KelInputTest::TearDown();
    }
    // Time passes and a frame is drawn.
    static void frame(double seconds) {
        theTimer->advance(seconds);
        theRenderDriver->drawFrame();
    }
    // Puts the pointer where the unit is seen now; false when it is behind the camera.
    bool pointAtUnit(float* x, float* y) {
        if (!theRenderDriver->projectToScreen(view, middleOf(unit), x, y))
            return false;
        theRenderDriver->setPointerPosition(*x, *y);
        return true;
    }

    kel::logic::Game game;
    kel::logic::GameBoard& board = game.getBoard();
    View* view = board.getView();
    std::unique_ptr<kelinput::BoardCamera> driver;
    Model* unit = nullptr;
    Pickable pickable;
};

TEST_F(BoardCameraTest, TheBattleOpensWhereTheBoardPlacedItsCamera) {
    const Vector before = board.getCamera()->getGlobalPosition();
    frame(0.0);
    frame(0.5);
    const Vector after = board.getCamera()->getGlobalPosition();
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(after[i], before[i], 1e-3) << "no key held: the camera stays, axis " << i;
    EXPECT_NEAR(camera()->getCamera().yaw, 45.0f, 1e-3) << "from the south-west corner";
}

// Q turns the camera left 90 degrees a second: half a second of frames turns the board view
// from the north-east to the north, and the unit under the pointer is picked again only where
// the turned view shows it.
TEST_F(BoardCameraTest, AHeldKeyTurnsTheViewFrameByFrameAndPickingFollows) {
    frame(0.0);
    float x = 0, y = 0;
    ASSERT_TRUE(pointAtUnit(&x, &y));
    frame(0.0);
    ASSERT_EQ(theRenderDriver->getTracedModel(), unit);
    press("Q");
    frame(0.25);
    EXPECT_NEAR(camera()->getCamera().yaw, 22.5f, 1e-3) << "a quarter second turned";
    frame(0.25);
    release("Q");
    frame(0.25);
    EXPECT_NEAR(camera()->getCamera().yaw, 0.0f, 1e-3) << "released: it stops";
    const Vector forward = board.getCamera()->getGlobalOrientation().column(2);
    EXPECT_NEAR(forward.x, 0.0f, 1e-4) << "the view looks north";
    EXPECT_GT(forward.y, 0.0f);
    EXPECT_NE(theRenderDriver->getTracedModel(), unit) << "the unit left the pointer";
    float turnedX = 0, turnedY = 0;
    ASSERT_TRUE(pointAtUnit(&turnedX, &turnedY));
    EXPECT_GT(std::abs(turnedX - x) + std::abs(turnedY - y), 0.01f);
    frame(0.0);
    EXPECT_EQ(theRenderDriver->getTracedModel(), unit) << "picked where the turned view shows it";
}

// A zoom step and the pointer at the left edge reach the board camera on the next frame: the
// edge slides it west at the profile's edge speed (10 board units a second at factor 1).
TEST_F(BoardCameraTest, ZoomAndEdgeScrollingMoveTheBoardCamera) {
    frame(0.0);
    const Pose start = camera()->getCamera();
    tap("NumpadPlus");
    frame(0.0);
    const Vector target(start.x * 2, start.z * 2, 0);
    EXPECT_NEAR((board.getCamera()->getGlobalPosition() - target).length(), (start.zoom - 2) * 2,
                1e-3);
    camera()->setEdgeScrolling(true, 1.0f);
    camera()->setPointerEdge(-1, 0);
    frame(0.5);
    camera()->setPointerEdge(0, 0);
    const Pose slid = camera()->getCamera();
    // West of a camera turned 45 degrees: 5 units along (-cos 45, +sin 45).
    EXPECT_NEAR(slid.x - start.x, -3.5355f, 1e-3);
    EXPECT_NEAR(slid.z - start.z, 3.5355f, 1e-3);
}

} // namespace
