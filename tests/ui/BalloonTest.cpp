// Speech balloons in the shipped battle: where a balloon stands for a speaker anywhere on and off
// the screen, what it shows for a phrase key or a text, how it grows, and where its anchor comes
// from. The placement rows use a balloon picture of their own (a square draw area in the middle
// of the picture, the tail tip at its bottom-left corner, 10 units above the anchor), so every
// position below is worked out by hand for a 74 x 40 content (a short text: 73 x 40 plus one)
// in a 148 x 80 picture.
#include "ui/Balloon.h"
#include "support/Near.h"
#include "support/RootFixture.h"
#include "support/TempDir.h"
#include "ui/BalloonContainer.h"

#include "host/engine/Model.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/logic/Object.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/Font.h"
#include "host/ui/ImageManager.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

using kel::ui::Balloon;

const char* const kOwnPictures = R"(
speech_normal {
    normal { image = speech.tga; drawArea = 0.25 0.25 0.75 0.75; localHotspot = 0 1; globalHotspot = 0 10 }
    side { image = speech_side.tga; drawArea = 0.25 0.25 0.75 0.75; localHotspot = 0.5 1 }
}
thoughts_normal {
    normal { image = thoughts.tga; drawArea = 0.1 0.2 0.9 0.6; localHotspot = 0.25 1; globalHotspot = 4 8 }
}
)";

// The numbers agree to a hundredth (pictures are sized by fractions of a picture).
::testing::AssertionResult same(const std::vector<float>& got, const std::vector<float>& want) {
    return kel::test::near(got, want, 0.01f);
}

class Balloons : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        root->setResolution(640, 480);
        root->updateResolution();
        beginBattle(game);
        container = kel::ui::theAccessor.getBalloonContainer();
        ASSERT_NE(container, nullptr);
        ASSERT_TRUE(container->isShowed());
    }
    void TearDown() override {
        if (root) {
            for (::ui::Component* child : container->getChildren())
                container->hideBalloon(dynamic_cast<Balloon*>(child));
            root->command(kel::ui::Command::END_GAME);
            root->resetGameBoard();
        }
        RootFixture::TearDown();
    }

    // The balloon pictures of kOwnPictures instead of the shipped ones.
    void useOwnPictures() {
        kel::test::TempDir data;
        data.write("Configs/UI/balloons.cfg", kOwnPictures);
        const auto shipped = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(data.get());
        container->rereadConfigurations();
        resource::theResourceManager->setDataRoot(shipped);
    }

    // Stands the probe model so that the top of its box's centre lands on a screen point.
    void standAt(float x, float y) {
        Vector origin, direction;
        game.getBoard().getCamera()->ray(x, y, GAME_BOARD_VIEW->getViewport(),
                                         root->getScreenWidth(), root->getScreenHeight(), &origin,
                                         &direction);
        Vector low, high;
        probe.getBaseAnimation()->getBaseKeyMesh(0)->getBoundingBox(&low, &high);
        const Vector top((low.x + high.x) / 2, (low.y + high.y) / 2, high.z);
        probe.setTransformation(Matrix3(), origin + direction * 20 - top);
    }

    // The probe speaks (following it as it moves), and the balloon grows whole.
    Balloon* speak(const std::string& text, Balloon::Style style = Balloon::Speech) {
        Balloon* balloon = container->showBalloon(&probe, style, text);
        balloon->setUpdateAlways(true);
        wait(0.25);
        return balloon;
    }

    // Where the player sees the balloon's picture: left, top, width, height.
    static std::vector<float> picture(const Balloon* balloon) {
        const ::ui::Component* substrate = balloon->getSubstrate();
        return {substrate->getAbsoluteX(), substrate->getAbsoluteY(), substrate->getWidth(),
                substrate->getHeight()};
    }

    kel::logic::Game game;
    Animator probe{"knight"};
    kel::ui::BalloonContainer* container = nullptr;
};

// Rows: the anchor on a 640 x 480 screen; the placement chosen (angle, mirrored, its index
// among the candidates) and where the picture stands. Away from the edges the balloon stands
// above and to the right; at the right edge it is mirrored; at the top it turns by 180 degrees
// (mirrored too in the top-left corner); wherever none fits, the one showing most is used. With
// the other side preferred, the mirrored upright placement comes first and the unmirrored second.
TEST_F(Balloons, TheFirstPlacementThatFitsOnScreenIsChosenElseTheOneShowingMost) {
    useOwnPictures();
    // x, y, kind ("huge": at least 600 x 300; "other": the other side preferred), angle,
    // mirrored, chosen, left, top, width, height
    const std::tuple<float, float, std::string, int, bool, int, float, float, float, float>
        kRows[] = {
            {320, 240, "", 0, false, 0, 320, 150, 148, 80},        // the middle
            {5, 240, "", 0, false, 0, 5, 150, 148, 80},            // the left edge
            {320, 475, "", 0, false, 0, 320, 385, 148, 80},        // the bottom edge
            {30, 470, "", 0, false, 0, 30, 380, 148, 80},          // bottom left
            {600, 240, "", 0, true, 1, 452, 150, 148, 80},         // the right edge
            {600, 470, "", 0, true, 1, 452, 380, 148, 80},         // bottom right
            {320, 50, "", 180, false, 2, 172, 60, 148, 80},        // the top edge
            {600, 50, "", 180, false, 2, 452, 60, 148, 80},        // top right
            {30, 50, "", 180, true, 3, 30, 60, 148, 80},           // top left
            {320, 240, "huge", 90, false, 4, 330, 240, 1202, 600}, // too big: 310 x 240 shows
            {320, 60, "huge", 180, false, 2, -882, 70, 1202, 600}, // too big: 320 x 410 shows
            {320, 240, "other", 0, true, 0, 172, 150, 148, 80},
            {30, 240, "other", 0, false, 1, 30, 150, 148, 80},
            {600, 240, "other", 0, true, 0, 452, 150, 148, 80},
        };
    for (const auto& [x, y, kind, angle, mirrored, chosen, left, top, width, height] : kRows) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        standAt(x, y);
        Balloon* balloon = container->showBalloon(&probe, Balloon::Speech, "Hi");
        if (kind == "huge")
            balloon->setMinSize(600, 300), balloon->update();
        if (kind == "other")
            balloon->setPreferedAssortment(Balloon::MirroredFirst);
        wait(0.25);
        EXPECT_TRUE(same({balloon->getAnchor().x, balloon->getAnchor().y}, {x, y}));
        const ::ui::Texture* texture = balloon->getSubstrate()->getTexture();
        EXPECT_EQ(std::make_tuple(balloon->getAngle(), balloon->isMirrored(), balloon->getChosen(),
                                  texture->getAngle(), texture->getFlip()),
                  std::make_tuple(angle, mirrored, chosen, angle, mirrored));
        EXPECT_TRUE(same(picture(balloon), {left, top, width, height}));
        EXPECT_FALSE(balloon->isOutside());
        container->hideBalloon(balloon);
    }
}

// Rows: an anchor off the screen, the angle of the side picture and where it is pinned (the
// 148 x 80 picture with its tail tip in the middle of its bottom edge, turned). Coming back on
// screen brings the normal picture and the first placement back.
TEST_F(Balloons, AUnitOffScreenGetsTheSidePicturePinnedToTheEdge) {
    useOwnPictures();
    standAt(320, 240);
    Balloon* balloon = speak("Hi");
    const std::tuple<float, float, int, float, float> kRows[] = {
        // x, y, angle, left, top
        {320, 600, 0, 246, 400},  // below
        {-100, 240, 270, 0, 200}, // left
        {800, 240, 90, 492, 200}, // right
        {320, -50, 180, 246, 0},  // above
        {-100, -50, 270, 0, 0},   // above and left: left wins
        {700, 600, 0, 492, 400},  // below and right: below wins
        {-100, 470, 270, 0, 400}, // left, low: moved back up to the bottom edge
    };
    for (const auto& [x, y, angle, left, top] : kRows) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        standAt(x, y);
        frame();
        EXPECT_EQ(std::make_tuple(balloon->isOutside(), balloon->getAngle(), balloon->isMirrored(),
                                  balloon->getSubstrate()->getTexture()->getImageName()),
                  std::make_tuple(true, angle, false, std::string("balloons/speech_side.tga")));
        EXPECT_TRUE(same(picture(balloon), {left, top, 148, 80}));
    }
    standAt(320, 240);
    frame();
    EXPECT_FALSE(balloon->isOutside());
    EXPECT_EQ(balloon->getSubstrate()->getTexture()->getImageName(), "balloons/speech.tga");
    EXPECT_TRUE(same(picture(balloon), {320, 150, 148, 80}));
    EXPECT_EQ(balloon->getChosen(), 0);
}

// The thoughts picture (draw area 0.1 0.2 0.9 0.6, tail tip 0.25 1, 4 8 from the anchor) for a
// 74 x 40 content, worked out by hand: turned by 90 degrees and mirrored, the picture is
// 74 / 0.4 x 40 / 0.8 on screen; the draw area's corners land at (0.8, 0.9) and (0.4, 0.1) of
// it, the tail tip at (0, 0.75), and the offset (-4, 8) turns to (-8, -4). Upright, the content
// stands at 0.1 x 92.5 and 0.2 x 100, to the nearest unit.
TEST_F(Balloons, TurningAndMirroringMovesTheContentAndTheTailAsWorkedOutByHand) {
    useOwnPictures();
    standAt(320, 240);
    Balloon* balloon = speak("Hi", Balloon::Thoughts);
    const Balloon::Layout turned = balloon->layOut({90, true});
    EXPECT_TRUE(
        same({turned.substrateSize.x, turned.substrateSize.y, turned.contentMin.x,
              turned.contentMin.y, turned.contentMax.x, turned.contentMax.y, turned.tailTip.x,
              turned.tailTip.y, turned.realGlobalHotspot.x, turned.realGlobalHotspot.y},
             {185, 50, 74, 5, 148, 45, 0, 37.5f, -8, -4}));
    EXPECT_EQ(balloon->getChosen(), 0);
    EXPECT_EQ(balloon->getContent()->getXPosition(), 9);
    EXPECT_EQ(balloon->getContent()->getYPosition(), 20);
    // The tail tip at 0.25 x 92.5, 100 down; the anchor 4 to the left of and 8 below it.
    EXPECT_TRUE(same(picture(balloon), {320 - 23 - 4, 240 - 100 - 8, 92.5f, 100}));
}

// Rows: the text shown and whether the mission's phrase group is loaded; then whether the balloon
// shows a picture, and the content's size. A phrase key (dialogue name and phrase name run
// together) shows its picture at the picture's own size; any other text is written, its block
// shaped like the draw area (here square) and at least 73 x 40 (plus one unit across).
// "aaaa" x 10 is 316 wide in the balloons font (lines 14 high, 2 apart): square it would be
// 71.1 wide, wrapped there it takes 5 lines, 4 lines from 101.1 on, 62 high.
TEST_F(Balloons, APhraseKeyShowsItsPictureAndAnyOtherTextIsWrittenAtLeast73By40) {
    useOwnPictures();
    standAt(320, 240);
    const std::string tenWords = "aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa";
    // A phrase key without its group loaded is written on one line, plus one unit across.
    const float keyOnOneLine = root->getFont("balloons")->getTextWidth("landingwelcome") + 1;
    const std::tuple<std::string, bool, bool, float, float> kRows[] = {
        {"landingwelcome", true, true, 121, 48},
        {"goblinstaunt", true, true, 113, 56},
        {"welcome", true, false, 74, 40},
        {"Hi", true, false, 74, 40},
        {"landingwelcome", false, false, keyOnOneLine, 40},
        {"aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa aaaa", false, false, 102.1f, 62},
    };
    for (const auto& [text, loaded, picture, width, height] : kRows) {
        SCOPED_TRACE(text);
        if (loaded && !container->isGroupLoaded())
            container->loadGroup("Lighthouse");
        if (!loaded && container->isGroupLoaded())
            container->releaseGroup();
        Balloon* balloon = speak(text);
        ASSERT_EQ(balloon->getPicture() != nullptr, picture);
        ASSERT_EQ(balloon->getTextComponent() != nullptr, !picture);
        EXPECT_TRUE(same({balloon->getContent()->getWidth(), balloon->getContent()->getHeight()},
                         {width, height}));
        if (picture) {
            EXPECT_TRUE(
                same({balloon->getPicture()->getWidth(), balloon->getPicture()->getHeight()},
                     {width - 1, height}));
        } else {
            EXPECT_EQ(balloon->getTextComponent()->getText(), text);
        }
        container->hideBalloon(balloon);
    }
    EXPECT_EQ(
        root->getSpriteManager()
            ->getImage(root->getSpriteManager()->findImage("/Images/Dialogs/landing_welcome.tga"))
            ->references,
        0)
        << "released with the group";
}

// Rows: seconds of the host clock after a step; then the picture's size and place and whether
// the content shows. Half way through its 0.2 seconds the picture is half its size, half way
// between the anchor (320, 240) and its place (320, 150); hidden and shown again, it grows anew.
TEST_F(Balloons, AShownBalloonGrowsOutOfTheAnchorInAFifthOfASecondEveryTimeItIsShown) {
    useOwnPictures();
    standAt(320, 240);
    Balloon* balloon = container->showBalloon(&probe, Balloon::Speech, "Hi");
    // a step, seconds, left, top, width, height, content shown
    const std::tuple<std::string, double, float, float, float, float, bool> kRows[] = {
        {"shown", 0.1, 320, 195, 74, 40, false},
        {"", 0.088, 320, 155, 139.12f, 75.2f, false},
        {"", 0.03, 320, 150, 148, 80, true},
        {"hidden and shown", 0.04, 320, 222, 29.6f, 16, false},
        {"", 0.06, 320, 195, 74, 40, false},
        {"", 0.2, 320, 150, 148, 80, true},
    };
    for (const auto& [step, seconds, left, top, width, height, content] : kRows) {
        SCOPED_TRACE(step + " +" + std::to_string(seconds));
        if (step == "hidden and shown") {
            container->hideBalloon(balloon);
            EXPECT_FALSE(balloon->isShowed());
            EXPECT_FALSE(root->getTextureView()->hasListener(balloon));
            balloon->setVisible(true);
            balloon->subscribeToDriver();
        }
        frame(seconds);
        EXPECT_TRUE(same(picture(balloon), {left, top, width, height}));
        EXPECT_EQ(balloon->getContent()->isShowed(), content);
    }
}

// The anchor is where the render driver projects the top of the middle of the speaker's model box
// in the world (the box's middle itself when placed so; a landscape object's bent onto the
// world's sphere by its degree). It follows the camera, and the model only when asked to always.
TEST_F(Balloons, TheAnchorIsTheTopOfTheModelsBoxWhereTheBoardsCameraSeesIt) {
    kel::logic::Unit* knight = game.getBoard().getUnitAt(2, 5);
    kel::logic::Object* lantern = game.getBoard().getObjectAt(1, 3);
    ASSERT_TRUE(knight && lantern);
    const Model* knightModel = knight->getProtoUnit()->getModel();
    const Model* lanternModel = lantern->getModel();
    const float degree =
        static_cast<const LandscapeObjectAnimator*>(lanternModel->getAnimator())->getDegree();
    auto projected = [&](const Vector& world) {
        float x = 0, y = 0;
        EXPECT_TRUE(theRenderDriver->projectToScreen(GAME_BOARD_VIEW, world, &x, &y));
        return std::vector<float>{x * root->getScreenWidth(), y * root->getScreenHeight()};
    };
    // Corners 4 to 7 are the top of the box, 0 and 7 opposite each other.
    auto top = [](const Model* model) {
        const std::vector<Vector> c = model->worldCorners();
        return (c[4] + c[5] + c[6] + c[7]) * 0.25f;
    };
    auto middle = [](const Model* model) {
        const std::vector<Vector> c = model->worldCorners();
        return (c[0] + c[7]) * 0.5f;
    };
    auto anchor = [](const Balloon* b) {
        return std::vector<float>{b->getAnchor().x, b->getAnchor().y};
    };
    Balloon* speech = container->showBalloon(knight, Balloon::Speech, "Forward!");
    Balloon* sign =
        container->showBalloon(lantern->getModel()->getAnimator(), Balloon::Author, "Lo");
    Balloon* pinned = container->showBalloon(knight, Balloon::Thoughts, "Hm");
    pinned->setExplicitPlacement(Vector(0, 0, 0));
    frame();
    EXPECT_TRUE(same(anchor(speech), projected(top(knightModel))));
    EXPECT_TRUE(same(anchor(pinned), projected(middle(knightModel))));
    EXPECT_TRUE(same(anchor(sign), projected(sphericalPlacement(top(lanternModel), degree))));
    EXPECT_FALSE(same(anchor(sign), projected(top(lanternModel)))) << "the world is round";

    Camera* camera = game.getBoard().getCamera();
    camera->setTransformation(camera->getOrientation(), camera->getPosition() + Vector(1, 0, 0));
    frame();
    EXPECT_TRUE(same(anchor(speech), projected(top(knightModel)))) << "the camera moved";
    const std::vector<float> before = anchor(speech);
    pinned->setUpdateAlways(true);
    ASSERT_TRUE(game.getBoard().moveUnit(knight, 2, 4));
    frame();
    EXPECT_TRUE(same(anchor(speech), before)) << "taken once";
    EXPECT_TRUE(same(anchor(pinned), projected(middle(knightModel)))) << "followed always";
}

// Wherever a speaker stands on the screen, at every resolution the game offers, a balloon of
// some twenty words with the shipped pictures stays wholly on the screen whenever one of its
// placements can (at the very corners none can: the tails do not start at the pictures' corners).
TEST_F(Balloons, AShippedBalloonOfTwentyWordsStaysOnScreenAtEveryResolutionWhenItCan) {
    const std::string words = "We landed on the beach at dawn and the goblins are waiting on the "
                              "cape by the old lighthouse tonight";
    int placeable = 0, tried = 0;
    for (auto [w, h] :
         std::vector<std::pair<float, float>>{{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}}) {
        root->setResolution(w, h);
        root->updateResolution();
        for (float fx : {0.01f, 0.1f, 0.5f, 0.9f, 0.99f})
            for (float fy : {0.01f, 0.1f, 0.5f, 0.9f, 0.99f})
                for (Balloon::Style style : {Balloon::Speech, Balloon::Thoughts, Balloon::Author}) {
                    SCOPED_TRACE(std::to_string(int(w)) + "x" + std::to_string(int(h)) + " at " +
                                 std::to_string(fx) + "," + std::to_string(fy) + " style " +
                                 std::to_string(style));
                    standAt(fx * w, fy * h);
                    Balloon* balloon = speak(words, style);
                    EXPECT_FALSE(balloon->getSubstrate()->getTexture()->getImageName().empty());
                    // Whether a placement lies on screen, by the picture's own layout of it.
                    bool canFit = false;
                    for (int i = 0; i < Balloon::kCandidates; ++i) {
                        const Balloon::Layout l = balloon->layOut(balloon->getCandidate(i));
                        const float left = fx * w - l.tailTip.x - l.realGlobalHotspot.x;
                        const float top = fy * h - l.tailTip.y - l.realGlobalHotspot.y;
                        canFit = canFit || (left >= 0 && top >= 0 && left + l.substrateSize.x < w &&
                                            top + l.substrateSize.y < h);
                    }
                    ++tried;
                    if (canFit) {
                        ++placeable;
                        const std::vector<float> at = picture(balloon);
                        EXPECT_TRUE(at[0] >= 0 && at[1] >= 0 && at[0] + at[2] <= w &&
                                    at[1] + at[3] <= h)
                            << at[0] << "," << at[1] << " " << at[2] << "x" << at[3];
                    }
                    container->hideBalloon(balloon);
                }
    }
    EXPECT_GE(placeable, tried * 2 / 3) << "the pictures must leave room near the edges";
}

} // namespace
