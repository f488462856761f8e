#include "host/engine/Camera.h"
#include "host/engine/DayTime.h"
#include "host/engine/DegradingManager.h"
#include "host/engine/RenderWindow.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/View.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void expectNear(const Vector& a, const Vector& b) {
    EXPECT_LT((a - b).length(), 1e-4f) << a.x << " " << a.y << " " << a.z;
}

class SphericalWorld : public ::testing::Test {
protected:
    void TearDown() override { setSphereRadius(0); }
};

TEST_F(SphericalWorld, AFlatWorldPlacesEverythingWhereItIs) {
    setSphereRadius(0);
    const Vector p(3, -4, 1.5f);
    EXPECT_EQ(sphericalPlacementVector(p), p);
    EXPECT_EQ(sphericalPlacement(p, 1), p);
    EXPECT_EQ(sphericalUnplacement(p), p);
    Matrix3 orientation = Matrix3::rotationZ(0.3f);
    Vector position = p;
    sphericalPlacement(&orientation, &position);
    EXPECT_TRUE(position == p && orientation == Matrix3::rotationZ(0.3f));
    setSphereRadius(-5);
    EXPECT_EQ(getSphereRadius(), 0) << "a negative radius is a flat world";
}

TEST_F(SphericalWorld, PlacementBendsTheBoardAndUnplacementUndoesIt) {
    setSphereRadius(20);
    for (const Vector& p : {Vector(0, 0, 0), Vector(5, 0, 0), Vector(3, -4, 1.5f),
                            Vector(-12, 9, 0.25f), Vector(0, 30, 2)}) {
        const Vector placed = sphericalPlacementVector(p);
        expectNear(sphericalUnplacement(placed), p);
        // Height above the surface is the distance from the centre less the radius.
        EXPECT_NEAR((placed - Vector(0, 0, -20)).length() - 20, p.z, 1e-4f);
    }
    // A quarter of the way round lies level with the centre.
    const float quarter = 20 * 3.14159265f / 2;
    expectNear(sphericalPlacementVector(Vector(quarter, 0, 0)), Vector(20, 0, -20));
    // Half the degree is a sphere twice as large: it bends less.
    const Vector half = sphericalPlacement(Vector(10, 0, 0), 0.5f);
    const Vector full = sphericalPlacement(Vector(10, 0, 0), 1);
    EXPECT_LT(full.z, half.z);
    EXPECT_LT(half.z, 0);
    EXPECT_EQ(sphericalPlacement(Vector(10, 0, 0), 0), Vector(10, 0, 0));
}

TEST_F(SphericalWorld, APlacedTransformationStandsUpFromTheSphere) {
    setSphereRadius(20);
    Matrix3 orientation;
    Vector position(6, 8, 0);
    sphericalPlacement(&orientation, &position);
    const Vector up = orientation * Vector(0, 0, 1);
    expectNear(up, (position - Vector(0, 0, -20)).normalised());
    expectNear(position, sphericalPlacementVector(Vector(6, 8, 0)));
}

TEST(Fog, GrowsWithTheDistanceFromTheViewsCamera) {
    Camera camera;
    camera.setTransformation(Matrix3(), Vector(0, 0, 10));
    View view(&camera, Viewport(), "board");
    SphereVertexFogManager& fog = *theSphereVertexFogManager;
    fog.setFogRange(10, 30);
    EXPECT_EQ(fog.getFog(&view, Vector(0, 0, 5)), 0);
    EXPECT_FLOAT_EQ(fog.getFog(&view, Vector(20, 0, 10)), 0.5f);
    EXPECT_FLOAT_EQ(fog.getFog(&view, Vector(0, 25, 10)), 0.75f);
    EXPECT_EQ(fog.getFog(&view, Vector(0, 0, 100)), 1);
    EXPECT_EQ(fog.getFog(nullptr, Vector(100, 0, 0)), 0);
    fog.setFogRange(10, 10);
    EXPECT_EQ(fog.getFog(&view, Vector(11, 0, 10)), 1) << "a fog with no depth is a wall";
    fog.setFogColor(config::Color(0.5f, 0.5f, 0.6f, 1));
    EXPECT_EQ(fog.getFogColor(), config::Color(0.5f, 0.5f, 0.6f, 1));
    fog.reset();
    EXPECT_EQ(fog.getFogColor(), config::Color(0, 0, 0, 1));
}

TEST(Devices, AFeatureTheRendererCannotDoStaysOff) {
    DegradingManager& manager = *theDegradingManager;
    manager.reset();
    manager.setCapability(DegradingManager::Shadows, false);
    EXPECT_FALSE(manager.hasCapability(DegradingManager::Shadows));
    EXPECT_TRUE(manager.isFeatureRequested(DegradingManager::Shadows));
    EXPECT_FALSE(manager.isFeatureOn(DegradingManager::Shadows));
    manager.setCapability(DegradingManager::Shadows, true);
    EXPECT_TRUE(manager.isFeatureOn(DegradingManager::Shadows));
    manager.setFeature(DegradingManager::Halo, false);
    EXPECT_FALSE(manager.isFeatureOn(DegradingManager::Halo));
    EXPECT_STREQ(DegradingManager::getCapabilityName(DegradingManager::WBuffer), "wbuffer");
    EXPECT_FALSE(manager.hasCapability(DegradingManager::CapabilityCount));

    manager.setTextureDetail(7);
    EXPECT_EQ(manager.getTextureDetail(), DegradingManager::HighTextures);
    manager.setFogDistance(0.5f);
    EXPECT_FLOAT_EQ(manager.getFogDistance(), 0.8f);
    manager.setDetailLevel(1.5f);
    EXPECT_FLOAT_EQ(manager.getDetailLevel(), 1.5f);
    manager.reset();
    EXPECT_TRUE(manager.isFeatureOn(DegradingManager::Halo));
}

// The renderer's capability table: its text ("" for no file); what is supported, in the order
// mipmaps, dithering, specular, antialiasing, wbuffer, halo, shadows, lightmaps; the lines of
// the mistakes reported.
TEST(Devices, TheRenderersCapabilitiesComeFromItsTable) {
    const struct {
        const char *text, *supported, *reported;
    } rows[] = {
        {"", "11111111", ""},
        {"capabilities { shadows = false; halo = false }\n", "11111001", ""},
        {"capabilities {\n bloom = true\n dithering = maybe\n lightmaps = false\n}\n", "11111110",
         "2 3 "},
    };
    DegradingManager& manager = *theDegradingManager;
    for (const auto& row : rows) {
        kel::test::LogCapture log;
        kel::test::TempRoots roots;
        std::filesystem::create_directories(roots.data / "Configs/Engine");
        if (*row.text)
            std::ofstream(roots.data / "Configs/Engine/renderer.cfg") << row.text;
        manager.reset();
        std::string supported, reported;
        for (int c = 0; c < DegradingManager::CapabilityCount; ++c)
            supported += manager.hasCapability(DegradingManager::Capability(c)) ? "1" : "0";
        for (const auto& record : log.take())
            reported += std::to_string(record.line) + " ";
        EXPECT_EQ(supported, row.supported) << row.text;
        EXPECT_EQ(reported, row.reported) << row.text;
        manager.setCapability(DegradingManager::Mipmaps, false);
        std::ofstream(roots.data / "Configs/Engine/renderer.cfg") << "capabilities {}\n";
        EXPECT_FALSE(manager.hasCapability(DegradingManager::Mipmaps)) << "a test's choice holds";
    }
    manager.reset();
    EXPECT_FALSE(manager.hasCapability(DegradingManager::WBuffer)) << "the shipped renderer";
    EXPECT_TRUE(manager.hasCapability(DegradingManager::Shadows));
}

TEST(Devices, TheWindowRecordsEveryCursorSwitch) {
    theRenderWindow->reset();
    theRenderWindow->setHardwareCursor(true);
    theRenderWindow->setHardwareCursor(false);
    theRenderWindow->setHardwareCursor(false);
    EXPECT_FALSE(theRenderWindow->isHardwareCursorOn());
    EXPECT_EQ(theRenderWindow->getHardwareCursorSwitchCount(), 3) << "redundant calls count too";
    theRenderWindow->reset();
}

TEST(Devices, ADayTimeReadsHoursAndMinutesWrappingAtMidnight) {
    for (const int minutes : {0, 1439, 1500})
        EXPECT_EQ(std::to_string(DayTime(minutes).getHours()) + ":" +
                      std::to_string(DayTime(minutes).getMinutesOfHour()),
                  minutes == 0      ? "0:0"
                  : minutes == 1439 ? "23:59"
                                    : "1:0");
    EXPECT_EQ(DayTime(1500).minutes, 1500) << "the value is kept as given";
}

} // namespace
