#include "NotifyTrace.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/View.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/Factory.h"
#include "host/ui/ImageManager.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/Plane.h"
#include "host/ui/Ramka.h"
#include "host/ui/Sprite.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"
#include "support/TempDir.h"
#include "support/UiFixture.h"

namespace {

using kel::test::NotifyTrace;
using kel::test::TempDir;
using kel::test::UiFixture;

class Planes : public UiFixture {};

TEST_F(Planes, ImagesAreFoundByKeyOrIndexAndHoldTheirReferencesUntilCleared) {
    ui::Texture texture(ui.get());
    ui::ImageManager* manager = ui->getTextureManager();
    EXPECT_EQ(texture.addImage("/Images/Missions/lighthouse.tga", "Lighthouse"), 0);
    EXPECT_EQ(texture.addImage("/Images/Missions/garden.tga", "Garden"), 1);
    EXPECT_TRUE(texture.setImage("Garden"));
    EXPECT_FALSE(texture.setImage(5));
    EXPECT_EQ(texture.getImage(), 1);
    EXPECT_EQ(texture.getImageName(), "/Images/Missions/garden.tga");
    EXPECT_FLOAT_EQ(texture.getImageWidth(), 256) << "the catalogue's size";
    // A name the plane has no key for is taken as an image of the catalogue.
    EXPECT_TRUE(texture.setImage("Watermill"));
    EXPECT_EQ(texture.getImageName(), "Watermill");
    const int garden = manager->findImage("/Images/Missions/garden.tga");
    EXPECT_EQ(manager->getImage(garden)->references, 1);
    texture.replaceImage("Garden", "/Images/Missions/another.tga");
    EXPECT_EQ(manager->getImage(garden)->references, 0) << "the replaced image is let go";
    texture.clear();
    EXPECT_EQ(texture.getImage(), -1);
    EXPECT_EQ(manager->getImage(manager->findImage("Watermill"))->references, 0);
}

TEST_F(Planes, ASpriteComponentFromTheLayoutTakesItsImageSizeAndRegion) {
    layout("gadget { class = spritecomponent; position = 120 400\n"
           "    images { Garden = /Images/Loading/bar_garden.tga;\n"
           "             another = /Images/Loading/bar_another.tga }\n"
           "    current = another; region = 0 0 0 16; visible = true }\n"
           "picture { class = texturecomponent; image = Lighthouse; size = 128 96 }\n");
    ui::SpriteComponent* gadget = nullptr;
    ui::TextureComponent* picture = nullptr;
    ASSERT_TRUE(ui::getFactory()->getComponent("gadget", &gadget, nullptr, false));
    ASSERT_TRUE(ui::getFactory()->getComponent("picture", &picture, nullptr, false));
    EXPECT_EQ(gadget->getSprite()->getImageName(), "/Images/Loading/bar_another.tga");
    EXPECT_TRUE(gadget->getWidth() == 400 && gadget->getHeight() == 16) << "the image's size";
    EXPECT_TRUE(gadget->setImage("Garden"));
    gadget->setRegion(0, 0, 200, 16);
    EXPECT_FLOAT_EQ(gadget->getSprite()->getRegion()[2], 200);
    EXPECT_FLOAT_EQ(picture->getWidth(), 128) << "an explicit size wins";
    EXPECT_EQ(picture->getTexture()->getView(), ui->getTextureView());
}

TEST_F(Planes, AFrameIsDrawnBehindTheSiblingsAddedBeforeIt) {
    auto* box = new ui::Container(ui.get(), 0, 0, 200, 100);
    ui->addComponent(box);
    auto* text = new ui::Component(ui.get());
    box->addComponent(text);
    auto* frame = new ui::Ramka(ui.get(), 0, 0, 200, 100);
    box->addComponent(frame);
    EXPECT_EQ(box->getComponent(0), frame) << "first in drawing order";
}

// A model catalogue of its own, read while the data root points at it.
class Models : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        data.write(
            "Configs/Engine/models.cfg",
            "menu_play { box = -0.5 -0.5 -0.5 0.5 0.5 0.5; animations = Walk; lengths = 1 }\n"
            "menu_exit { box = -0.5 -0.5 -0.5 0.5 0.5 0.5 }\n");
        previousRoot = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(data.get());
        ModelCatalogue::instance().reload();
        resource::theResourceManager->setDataRoot(previousRoot);
        screen = new NotifyTrace();
        ui->addComponent(screen);
    }
    void TearDown() override {
        ModelCatalogue::instance().reload();
        UiFixture::TearDown();
    }

    // A model five units ahead of the UI's camera, in the middle of the screen.
    ui::ModelComponent* place(const std::string& name) {
        auto* model = new ui::ModelComponent(ui.get(), ui->getView(), name);
        model->setName(name);
        model->setInitialTransformation(Matrix3(), Vector(5, 0, 0));
        screen->addComponent(model);
        return model;
    }

    TempDir data;
    std::filesystem::path previousRoot;
    NotifyTrace* screen = nullptr;
};

TEST_F(Models, AModelIsInItsViewWhileShownAndNotifiesThePointerComingAndGoing) {
    ui::ModelComponent* play = place("menu_play");
    play->setVisible(true);
    EXPECT_FALSE(ui->getView()->hasObject(play->getModel())) << "its screen is hidden";
    screen->setVisible(true);
    EXPECT_TRUE(ui->getView()->hasObject(play->getModel()));
    moveTo(10, 10);
    frame();
    EXPECT_EQ(screen->take(), "");
    moveTo(320, 240);
    frame();
    EXPECT_TRUE(play->isTraced());
    moveTo(10, 10);
    frame();
    EXPECT_EQ(screen->take(), "menu_play:tracein menu_play:traceout ");
    // Hidden under the pointer: it leaves the view and says so.
    moveTo(320, 240);
    frame();
    play->setVisible(false);
    EXPECT_EQ(screen->take(), "menu_play:tracein menu_play:traceout ");
    EXPECT_EQ(theRenderDriver->getTracedModel(), nullptr);
    EXPECT_TRUE(ui->getView()->getObjects().empty());
    play->setVisible(true);
    play->setModel("menu_exit");
    EXPECT_EQ(ui->getView()->getObjects().size(), 1u);
    EXPECT_EQ(play->getModel()->getName(), "menu_exit");
}

TEST_F(Models, AnimationsAreCheckedAgainstTheCatalogue) {
    ui::ModelComponent* play = place("menu_play");
    play->preloadMultiLevelAnimation("Walk");
    EXPECT_TRUE(play->isPreloaded("Walk"));
    play->setWalkAnimation("Walk", true);
    EXPECT_EQ(play->getAnimator()->getAnimation(), "Walk");
    EXPECT_TRUE(play->getAnimator()->isLooping());
    play->setBaseAnimation();
    EXPECT_EQ(play->getAnimator()->getAnimation(), "base");
    play->setTransformation(Matrix3(), Vector(9, 9, 9));
    play->setInitialTransformation();
    EXPECT_EQ(play->getAnimator()->getPosition(), Vector(5, 0, 0));

    ui::ModelComponent* exit = place("menu_exit");
    exit->setWalkAnimation("Walk", true);
    EXPECT_EQ(exit->getAnimator()->getAnimation(), "base");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].text.find("no animation 'Walk'"), std::string::npos);
}

} // namespace
