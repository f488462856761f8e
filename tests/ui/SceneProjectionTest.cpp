#include "ui/Scene.h"

#include "host/engine/Camera.h"
#include "host/engine/RenderDriver.h"
#include "support/Near.h"
#include "support/UiFixture.h"

#include <algorithm>
#include <memory>
#include <tuple>

namespace {

using kel::ui::Scene;

class SceneProjection : public kel::test::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        ui->setResolution(1024, 768);
        ui->updateResolution();
    }
    std::unique_ptr<Scene> scene(float left, float top, float right, float bottom) {
        return std::make_unique<Scene>(ui.get(), left, top, right, bottom);
    }
};

TEST_F(SceneProjection, TheSceneIsSetUpAndDrawnUntilItGoes) {
    auto made = scene(0.1f, 0.2f, 0.7f, 0.9f);
    const Viewport& port = made->getViewport();
    const float* light = made->getLight().getColor();
    EXPECT_TRUE(kel::test::near(
        {port.x, port.y, port.width, port.height, port.aspect, made->getCamera().getNear(),
         made->getCamera().getAngle(), made->getWidth(), made->getHeight(), light[0], light[1],
         light[2], light[3]},
        {0.1f, 0.2f, 0.6f, 0.7f, 4.0f / 3, 1, 1.3f, 1024, 768, 1, 1, 1, 1}, 1e-6f));
    EXPECT_EQ(made->getLight().getType(), 0);
    View* view = made->getView();
    EXPECT_TRUE(view->isActive());
    ASSERT_EQ(view->getLights().size(), 1u);
    EXPECT_EQ(view->getLights()[0], &made->getLight());
    const auto& views = theRenderDriver->getViews();
    EXPECT_NE(std::find(views.begin(), views.end(), view), views.end());
    made.reset();
    EXPECT_EQ(std::find(views.begin(), views.end(), view), views.end());
}

// The camera is placed and turned; points are given along its own axes (vertical, horizontal,
// depth). On a 1024 x 768 screen through the whole screen, with the view angle 1.3, the half
// view width at unit depth is tan(0.65) * 0.4 and the half height tan(0.65) * 0.3: a point 1
// aside at depth 10 lands 512 * 0.044 / (tan(0.65) * 0.4) = 74.085 right of the centre, a point
// 1 up 384 * 0.044 / (tan(0.65) * 0.3) = 74.085 above it.
TEST_F(SceneProjection, PointsLandWhereTheCameraSeesThem) {
    const std::tuple<Vector, float, float> cameras[] = {{Vector(0, 0, 0), 0, 0},
                                                        {Vector(3, -2, 5), 0.7f, -0.4f},
                                                        {Vector(-10, 4, 1.5f), 2.5f, 0.2f},
                                                        {Vector(100, 250, -30), -1.9f, 1.1f}};
    // along the camera's vertical, horizontal and depth axes; where it lands
    const std::tuple<float, float, float, float, float> rows[] = {
        {0, 0, 10, 512, 384},       // straight ahead: the centre
        {0, 0, 2.5f, 512, 384},     // at any depth
        {0, 1, 10, 586.085f, 384},  // to the right: x only
        {0, -1, 10, 437.915f, 384}, // to the left
        {0, 2, 5, 808.341f, 384},   // twice as far aside at half the depth
        {1, 0, 10, 512, 309.915f},  // risen: y only, and smaller
        {-1, 0, 10, 512, 458.085f}, // lowered
        {1, 1, 10, 586.085f, 309.915f},
    };
    for (const auto& [position, yaw, pitch] : cameras) {
        auto made = scene(0, 0, 1, 1);
        Camera& camera = made->getCamera();
        camera.setTransformation(Camera::lookingAt(yaw, pitch), position);
        const Matrix3& axes = camera.getGlobalOrientation();
        for (const auto& [vertical, horizontal, depth, wantX, wantY] : rows) {
            const Vector point = position + axes.column(0) * vertical +
                                 axes.column(1) * horizontal + axes.column(2) * depth;
            float x = 0, y = 0;
            made->projectVector(point, x, y);
            SCOPED_TRACE(::testing::Message() << "camera yaw " << yaw << ", point " << vertical
                                              << " " << horizontal << " " << depth);
            EXPECT_NEAR(x, wantX, 0.01);
            EXPECT_NEAR(y, wantY, 0.01);
            // The engine's own projection (what snapshots and picking use) agrees.
            float ex = 0, ey = 0;
            ASSERT_TRUE(camera.project(point, made->getViewport(), 1024, 768, &ex, &ey));
            EXPECT_NEAR(ex, x, 0.01);
            EXPECT_NEAR(ey, y, 0.01);
        }
    }
}

// Straight ahead lands in the middle of the viewport rectangle, wherever it is.
TEST_F(SceneProjection, TheCameraAxisLandsInTheMiddleOfTheViewport) {
    // left, top, right, bottom; where the axis lands
    const std::tuple<float, float, float, float, float, float> rows[] = {
        {0.05f, 0.05f, 0.94f, 0.85f, 1024 * 0.495f, 768 * 0.45f},
        {0.5f, 0, 1, 0.5f, 1024 * 0.75f, 768 * 0.25f}};
    for (const auto& [left, top, right, bottom, wantX, wantY] : rows) {
        auto made = scene(left, top, right, bottom);
        made->getCamera().setTransformation(Camera::lookingAt(1.2f, -0.3f), Vector(7, 8, 9));
        float x = 0, y = 0;
        made->projectVector(Vector(7, 8, 9) + made->getCamera().getGlobalOrientation().column(2), x,
                            y);
        EXPECT_NEAR(x, wantX, 0.01) << left << " " << top;
        EXPECT_NEAR(y, wantY, 0.01) << left << " " << top;
    }
}

} // namespace
