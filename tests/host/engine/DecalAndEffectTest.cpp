#include "host/engine/Camera.h"
#include "host/engine/Decal3D.h"
#include "host/engine/Image3D.h"
#include "host/engine/Model.h"
#include "host/engine/SEContour.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/engine/SEFading.h"
#include "host/engine/SEOpacity.h"
#include "host/engine/SERotateWithCamera.h"
#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/View.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Decals : public ::testing::Test {
protected:
    Camera camera;
    View view{&camera, Viewport(), "board"};
};

// Decals come and go by the hundred (every health change): the view keeps the others in
// registration order, draws each registered one once a frame, and forgets the ones that left,
// also a decal destroyed while registered and a view destroyed before its decals.
TEST_F(Decals, ManyComeAndGoAndTheRestKeepTheirOrder) {
    std::vector<std::unique_ptr<Decal3D>> decals;
    for (int i = 0; i < 100; ++i) {
        decals.push_back(std::make_unique<Decal3D>());
        view.registerDecal(decals.back().get());
        view.registerDecal(decals.back().get());
    }
    std::vector<const Decal*> expected;
    for (int i = 0; i < 100; ++i) {
        if (i % 3 != 1)
            view.unregisterDecal(decals[static_cast<size_t>(i)].get());
        else
            expected.push_back(decals[static_cast<size_t>(i)].get());
    }
    drawDecals(view);
    view.registerDecal(decals[0].get()); // back, at the end
    expected.push_back(decals[0].get());
    decals[1].reset(); // destroyed while registered
    expected.erase(expected.begin());
    EXPECT_EQ(std::vector<const Decal*>(view.getDecals().begin(), view.getDecals().end()),
              expected);
    for (size_t i = 2; i < decals.size(); ++i)
        EXPECT_EQ(decals[i]->getDrawCount(), i % 3 == 1 ? 1u : 0u) << i;
    EXPECT_TRUE(view.hasDecal(decals[0].get()));
    EXPECT_FALSE(view.hasDecal(decals[3].get()));
    {
        View passing(&camera, Viewport(), "passing");
        passing.registerDecal(decals[2].get());
    }
    view.unregisterDecal(decals[2].get()); // knows only the view still there
    EXPECT_FALSE(view.hasDecal(decals[2].get()));
}

TEST_F(Decals, AViewDrawsItsDecalsWithTheEffectsAsTheyAreAtThatMoment) {
    Decal3D digit;
    SEUniversalHighlight colour(config::Color(1, 0, 0, 1), config::Color(0, 0, 0, 1));
    SERotateWithCamera facing;
    SEOpacity opacity(1);
    digit.addEffect(&colour);
    digit.addEffect(&facing);
    digit.addEffect(&opacity);
    digit.addEffect(&opacity);
    Decal3D unregistered;
    view.registerDecal(&digit);

    opacity.setValue(0.25f);
    drawDecals(view);
    EXPECT_EQ(digit.getDrawCount(), 1u);
    EXPECT_EQ(digit.getLastDrawnView(), &view);
    EXPECT_EQ(digit.getDrawnEffects(),
              (std::vector<std::string>{"colours 1 0 0 1 / 0 0 0 1", "rotate with camera",
                                        "opacity 0.25"}));
    EXPECT_EQ(unregistered.getDrawCount(), 0u);

    digit.delEffect(&facing);
    opacity.setValue(1);
    drawDecals(view);
    EXPECT_EQ(digit.getDrawnEffects(),
              (std::vector<std::string>{"colours 1 0 0 1 / 0 0 0 1", "opacity 1"}));
    view.unregisterDecal(&digit);
    drawDecals(view);
    EXPECT_EQ(digit.getDrawCount(), 2u);
}

TEST_F(Decals, ADecalMayDecideNotToDrawAndMayLeaveTheViewWhileItIsDrawn) {
    // Draws only in its own view, and takes a neighbour out of the view as it draws.
    struct Picky : Decal {
        View* own = nullptr;
        Decal* evict = nullptr;
        void draw() override {
            if (evict)
                getDrawingView()->unregisterDecal(evict);
            if (getDrawingView() == own)
                Decal::draw();
        }
    };
    Picky first, second;
    first.own = &view;
    second.own = &view;
    first.evict = &second;
    view.registerDecal(&first);
    view.registerDecal(&second);
    drawDecals(view);
    EXPECT_EQ(first.getDrawCount(), 1u);
    EXPECT_EQ(second.getDrawCount(), 0u) << "left the view before its turn";

    View other(&camera, Viewport(), "other");
    first.evict = nullptr;
    other.registerDecal(&first);
    drawDecals(other);
    EXPECT_EQ(first.getDrawCount(), 1u);
}

TEST_F(Decals, TheMappingCoversTheWholeTextureUntilCornersAreSet) {
    Decal decal;
    Image3D strip(160, 16);
    decal.setImage(&strip);
    decal.setDoubleSided(true);
    float u = -1, v = -1;
    decal.getMapping(3, &u, &v);
    EXPECT_TRUE(u == 1 && v == 1);
    // The digit 7 of a strip of ten.
    decal.setMapping(0, 0.7f, 0);
    decal.setMapping(1, 0.8f, 0);
    decal.setMapping(4, 9, 9); // no such corner
    decal.getMapping(1, &u, &v);
    EXPECT_TRUE(u == 0.8f && v == 0);
    decal.getMapping(2, &u, &v);
    EXPECT_TRUE(u == 0 && v == 1);
    EXPECT_EQ(decal.getImage(), &strip);
    EXPECT_TRUE(decal.isDoubleSided());
}

TEST(Effects, AContourFollowsTheAnimatorsItIsAttachedToAndLeavesThemWhenDestroyed) {
    kel::test::LogCapture log; // the models are not in any catalogue here
    Animator a("contour-a"), b("contour-b");
    auto contour = std::make_unique<SEContour>();
    contour->attach(&a);
    contour->attach(&a);
    contour->attach(&b);
    EXPECT_EQ(a.getEffects().size(), 1u);
    EXPECT_TRUE(b.hasEffect(contour.get()));
    contour->detach(&b);
    contour->detach(&b);
    EXPECT_FALSE(b.hasEffect(contour.get()) || contour->isAttached(&b));
    contour.reset();
    EXPECT_TRUE(a.getEffects().empty()) << "a destroyed contour must not stay on a model";
}

TEST(Effects, EachDescribesItselfWithItsCurrentValues) {
    SEDirectHighlight highlight(config::Color(0.7f, 0.7f, 0.7f, 1));
    EXPECT_EQ(highlight.describe(), "highlight 0.7 0.7 0.7 1");
    SEFading fade;
    EXPECT_EQ(fade.describe(), "fade 0");
    fade.setValue(0.6f);
    const RenderObject& drawn = fade;
    EXPECT_EQ(drawn.describe(), "fade 0.6") << "a fade is drawn as a render object of a view";
    SEUniversalHighlight colours;
    colours.setFirstColor(config::Color(0, 1, 0, 1));
    EXPECT_EQ(colours.describe(), "colours 0 1 0 1 / 0 0 0 1");
    // A drawing keeps the values, not the text: described later, with the values of then.
    SEOpacity opacity(0.35f);
    SERotateWithCamera facing;
    for (ScreenEffect* effect : std::initializer_list<ScreenEffect*>{&colours, &opacity, &facing}) {
        ScreenEffect::Values drawn;
        effect->capture(drawn);
        const std::string then = effect->describe();
        colours.setFirstColor(config::Color(1, 0, 0, 1));
        opacity.setValue(0.9f);
        EXPECT_EQ(effect->describe(drawn), then);
    }
}

} // namespace
