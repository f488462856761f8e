#include "ui/BalloonContainer.h"
#include "ui/ModuleLog.h"

#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/ui/ImageManager.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {

const char* const kBalloonsFile = "/Configs/UI/balloons.cfg";
const char* const kDialogsFile = "/Configs/dialogs.cfg";
// The smallest content of a balloon with a text.
constexpr float kMinTextWidth = 73.0f;
constexpr float kMinTextHeight = 40.0f;

// One picture's options; wrong values are reported where they stand and left at zero.
BalloonStyleConfiguration readPicture(const config::Block& block, const std::string& subject) {
    BalloonStyleConfiguration picture;
    block.getProperty("image", &picture.image);
    const config::CheckedReader read(moduleFilter(), block, subject);
    float area[4];
    if (read.readNumbers("drawArea", 4, config::Range(0, 1), area)) {
        if (area[2] > area[0] && area[3] > area[1])
            std::copy(area, area + 4, picture.drawArea);
        else
            read.report("drawArea", "the right and bottom edges must lie beyond the left and "
                                    "top ones; the whole picture holds the content");
    }
    read.readNumbers("localHotspot", 2, config::Range(), picture.localHotspot);
    read.readNumbers("globalHotspot", 2, config::Range(), picture.globalHotspot);
    return picture;
}

} // namespace

BalloonContainer::BalloonContainer() : Container(::ui::theUI, 0, 0, 0, 0) {
    rereadConfigurations();
}

void BalloonContainer::rereadConfigurations() {
    readConfigurations();
    for (::ui::Component* child : snapshot())
        if (auto* balloon = dynamic_cast<Balloon*>(child)) {
            balloon->update();
            balloon->applyImage();
        }
}

void BalloonContainer::readConfigurations() {
    configurations.clear();
    config::Config file;
    if (!file.readFile(kBalloonsFile))
        return;
    ::ui::ImageManager* textures = getUI() ? getUI()->getTextureManager() : nullptr;
    config::BlockEntry<config::Block*>* style = nullptr;
    for (file.getProperties(&style); style; style = style->getNext()) {
        config::BlockEntry<config::Block*>* kind = nullptr;
        for (style->getValue()->getProperties(&kind); kind; kind = kind->getNext()) {
            const std::string subject =
                "balloon '" + style->getName() + "' '" + kind->getName() + "': ";
            BalloonStyleConfiguration picture = readPicture(*kind->getValue(), subject);
            // The pictures are loaded now and kept for the whole game.
            if (textures && !picture.image.empty())
                textures->addReference(
                    textures->registerImage("balloons/" + picture.image, "/Images/UI/", 3));
            configurations[style->getName()][kind->getName()] = std::move(picture);
        }
    }
}

void BalloonContainer::loadGroup(const std::string& name) {
    config::Config file;
    ::ui::ImageManager* sprites = getUI() ? getUI()->getSpriteManager() : nullptr;
    if (sprites && file.readFile(kDialogsFile)) {
        config::BlockEntry<config::Block*>* found = nullptr;
        for (file.getProperties(&found); found && found->getName() != name;)
            found = found->getNext();
        config::BlockEntry<config::Block*>* dialogue = nullptr;
        if (found)
            found->getValue()->getProperties(&dialogue);
        for (; dialogue; dialogue = dialogue->getNext()) {
            config::BlockEntry<config::Block*>* phrase = nullptr;
            for (dialogue->getValue()->getProperties(&phrase); phrase; phrase = phrase->getNext()) {
                std::string image;
                if (!phrase->getValue()->getProperty("image", &image))
                    continue;
                const int id = sprites->registerImage(image);
                sprites->addReference(id);
                group[dialogue->getName() + phrase->getName()] = id;
            }
        }
    }
    groupLoaded = true;
}

void BalloonContainer::releaseGroup() {
    if (::ui::ImageManager* sprites = getUI() ? getUI()->getSpriteManager() : nullptr)
        for (const auto& phrase : group)
            sprites->release(phrase.second);
    group.clear();
    groupLoaded = false;
}

int BalloonContainer::findPhrase(const std::string& key) const {
    const auto found = group.find(key);
    return found == group.end() ? -1 : found->second;
}

Balloon* BalloonContainer::showBalloon(Animator* animator, Balloon::Style style,
                                       const std::string& text) {
    const int id = findPhrase(text);
    auto* balloon = new Balloon(&configurations, getUI());
    balloon->create(id);
    balloon->init();
    balloon->subscribeToDriver();
    if (id == -1)
        balloon->setMinSize(kMinTextWidth, kMinTextHeight);
    balloon->setAnimator(animator);
    balloon->setStyle(style);
    addComponent(balloon, false);
    balloon->setText(text);
    balloon->update();
    balloon->applyImage();
    balloon->setVisible(true);
    return balloon;
}

Balloon* BalloonContainer::showBalloon(kel::logic::Unit* unit, Balloon::Style style,
                                       const std::string& text) {
    kel::logic::Unit3d* model = unit ? unit->getProtoUnit() : nullptr;
    return showBalloon(model ? model->getAnimator() : nullptr, style, text);
}

Balloon* BalloonContainer::showBalloon(Balloon::Style style, float x, float y,
                                       const std::string& text) {
    Balloon* balloon = showBalloon(static_cast<Animator*>(nullptr), style, text);
    balloon->setPosition(x, y);
    return balloon;
}

void BalloonContainer::hideBalloon(Balloon* balloon) {
    if (!balloon)
        return;
    balloon->setVisible(false);
    balloon->unsubscribeToDriver();
}

} // namespace kel::ui
