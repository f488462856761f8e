#include "support/UiFixture.h"
#include "ui/ListenerArray.h"
#include "ui/Scene.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kel::ui::ListenerArray;

struct Named {
    std::string name;
};

std::string pass(ListenerArray<Named>& array) {
    std::string called;
    array.notify([&](Named* n) { called += n->name; });
    return called;
}

TEST(ListenerArrayTest, GrowsFromFourByDoubling) {
    ListenerArray<Named> array;
    Named a{"a"};
    EXPECT_EQ(array.getCapacity(), 0);
    for (int i = 0; i < 5; ++i)
        array.add(&a);
    EXPECT_EQ(array.getCapacity(), 8);
    EXPECT_EQ(pass(array), "aaaaa") << "duplicates are allowed";
}

TEST(ListenerArrayTest, APassSkipsClearedSlotsAndKeepsListenersAddedDuringIt) {
    ListenerArray<Named> array;
    Named a{"a"}, b{"b"}, c{"c"}, late{"L"};
    array.add(&a);
    array.add(&b);
    array.add(&c);
    std::string called;
    array.notify([&](Named* n) {
        called += n->name;
        if (n == &a) {
            array.remove(&c); // not reached yet: not called
            array.add(&late); // called from the next pass on
        }
    });
    EXPECT_EQ(called, "ab");
    EXPECT_EQ(array.getCount(), 3);
    EXPECT_EQ(pass(array), "abL");
    EXPECT_FALSE(array.remove(&c));
    EXPECT_TRUE(array.remove(&b));
    EXPECT_EQ(pass(array), "aL");
}

TEST(ListenerArrayTest, BeyondTenEntriesRemovalSearchesFromThreeQuartersAndWraps) {
    ListenerArray<Named> array;
    Named twice{"x"}, other{"o"};
    array.add(&twice); // index 0
    for (int i = 0; i < 9; ++i)
        array.add(&other);
    array.add(&twice); // index 10: found first, the search starts at 11 * 3 / 4 = 8
    EXPECT_TRUE(array.remove(&twice));
    EXPECT_EQ(pass(array), "xooooooooo");

    ListenerArray<Named> small; // ten entries: the search starts at the front
    small.add(&twice);
    for (int i = 0; i < 8; ++i)
        small.add(&other);
    small.add(&twice);
    EXPECT_TRUE(small.remove(&twice));
    EXPECT_EQ(pass(small), "oooooooox");

    ListenerArray<Named> wrap; // the wrap-around finds an entry before the start
    wrap.add(&twice);
    for (int i = 0; i < 11; ++i)
        wrap.add(&other);
    EXPECT_TRUE(wrap.remove(&twice));
    EXPECT_EQ(pass(wrap), "ooooooooooo");
}

class SceneProjection : public kel::test::UiFixture {};

TEST_F(SceneProjection, MapsCameraSpaceToTheViewportWithTheLensFactors) {
    ui->setResolution(1024, 768);
    kel::ui::Scene scene(ui.get(), 0, 0, 1, 1);
    float x = 0, y = 0;
    // Identity orientation: world x is the camera's vertical, y its horizontal, z its depth.
    scene.projectVector(Vector(0, 1, 10), x, y);
    EXPECT_NEAR(x, 586.09f, 0.01f);
    EXPECT_NEAR(y, 384.0f, 0.001f);
    scene.projectVector(Vector(1, 0, 10), x, y);
    EXPECT_NEAR(x, 512.0f, 0.001f);
    EXPECT_LT(y, 384.0f) << "a point that rises moves up the screen";

    kel::ui::Scene inset(ui.get(), 0.05f, 0.05f, 0.94f, 0.85f);
    inset.projectVector(Vector(0, 0, 5), x, y);
    EXPECT_NEAR(x, 1024 * (0.05f + 0.89f / 2), 0.01f);
    EXPECT_NEAR(y, 768 * (0.05f + 0.8f / 2), 0.01f);

    // The engine's own projection (what snapshots and picking use) agrees.
    float ex = 0, ey = 0;
    ASSERT_TRUE(inset.getCamera().project(Vector(0.3f, -0.7f, 4), inset.getViewport(), 1024, 768,
                                          &ex, &ey));
    inset.projectVector(Vector(0.3f, -0.7f, 4), x, y);
    EXPECT_NEAR(ex, x, 0.01f);
    EXPECT_NEAR(ey, y, 0.01f);
}

} // namespace
