#include "ui/KELMousePointer.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/KELFactory.h"
#include "ui/KELUI.h"

#include "host/config/Config.h"
#include "host/engine/Image2D.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderWindow.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Act.h"
#include "host/logic/Unit.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Container.h"
#include "host/ui/ImageManager.h"
#include "host/ui/Sprite.h"
#include "host/ui/SpriteComponent.h"

#include <algorithm>

namespace kel::ui {

namespace {
const char* const kParts[] = {"icon",       "arrows",     "indicator0",
                              "indicator1", "indicator2", "indicator3"};
const char* const kIndicators[] = {"indicator0", "indicator1", "indicator2", "indicator3"};
} // namespace

KELMousePointer::KELMousePointer(KELUI* ui, View*)
    : MousePointer(ui), container(new ::ui::Container(ui, 0, 0, 64, 64)),
      attackNames(std::make_unique<config::Config>()) {
    container->setName("mousepointer");
    setComponent(container);
    readConfig();
    container->updatePriority(-30000);
    config::Config names;
    if (names.readFile("/Configs/UI/attackNames.cfg"))
        *attackNames = names;
    setHotspot(6, 1);
}

KELMousePointer::~KELMousePointer() {
    container->setVisible(false);
    setComponent(nullptr);
    delete container;
}

template <class T> T* KELMousePointer::part(const char* name) const {
    T* found = nullptr;
    theFactory->getComponent(name, &found, container, false);
    return found;
}

void KELMousePointer::readConfig() {
    config::Config file;
    if (file.readFile("/Configs/UI/mousepointer.cfg"))
        container->readConfig(&file);
    container->setCycleDimention(true);
    for (int i = 0; i < 4; ++i)
        if (auto* indicator = part<::ui::SpriteComponent>(kIndicators[i]))
            indicator->setPosition(i * (indicator->getWidth() - 1), indicator->getYPosition());
}

void KELMousePointer::setMode(Mode value) {
    if (value == mode)
        return;
    mode = value;
    updateAppearance();
}

void KELMousePointer::setCursorType(MousePointerType value) {
    if (value == cursorType)
        return;
    cursorType = value;
    updateAppearance();
}

void KELMousePointer::setEdge(Edge value) {
    if (value == edge)
        return;
    edge = value;
    updateAppearance();
}

void KELMousePointer::setFreelookMode(bool on) {
    if (on == freelook)
        return;
    freelook = on;
    updateAppearance();
}

void KELMousePointer::setCursorType(logic::Act* act, bool enabled) {
    logic::Unit* unit = act->getActiveUnit();
    cursorType = 3;
    actEnabled = enabled;
    actPool = unit->getActPool();
    actCost = act->getCost();
    actType = unit->getActType();
    actName = act->getInternalName();
    unitName = unit->getInternalName();
    if (actName == "HelpMe")
        cursorType = 9;
    updateAppearance();
}

void KELMousePointer::setCursorType(logic::ActType type, int pool, int cost,
                                    MousePointerType cursor, bool enabled) {
    cursorType = cursor;
    actEnabled = enabled;
    actPool = pool;
    actCost = cost;
    actType = type;
    actName.clear();
    updateAppearance();
}

void KELMousePointer::update() {
    const float w = screenWidth, h = screenHeight;
    if (!hardware) {
        x = std::min(std::max(x, 0.0f), w - 1);
        y = std::min(std::max(y, 0.0f), h - 1);
        theRenderDriver->setPointerPosition(x / w, y / h);
        container->setPosition(x - hotspotX, y - hotspotY);
    }
    theKelInput->setMousePosition(x, y);
    Edge at = 0;
    if (x <= 0)
        at = 1;
    if (x >= w - 1)
        at = 2;
    if (y <= 0)
        at = 3;
    if (y >= h - 1)
        at = 4;
    if (x <= 0 && y <= 0)
        at = 5;
    if (x >= w - 1 && y <= 0)
        at = 6;
    if (x <= 0 && y >= h - 1)
        at = 7;
    if (x >= w - 1 && y >= h - 1)
        at = 8;
    setEdge(at);
}

float KELMousePointer::getXIncrease(float delta) {
    return delta * theKelInput->getMouseMultiplier();
}

float KELMousePointer::getYIncrease(float delta) {
    return delta * theKelInput->getMouseMultiplier();
}

void KELMousePointer::updateVisible() {
    BoardTraceSwitch::setPointerVisible(getVisible());
    container->setVisible(getVisible() && !hardware);
}

void KELMousePointer::updateHardwareMouseSupport() {
    MousePointer::updateHardwareMouseSupport();
    if (!hardware) {
        theRenderWindow->setHardwareCursor(false);
        hardwareImage.reset();
        updateVisible();
        return;
    }
    hardwareImage = std::make_unique<Image2D>(64.0f, 64.0f);
    theRenderDriver->setHardwareCursorSize(64, 64);
    updateVisible();
    formImage();
    theRenderDriver->setHardwareCursorImage(hardwareImage->getRenderImage());
    theRenderDriver->setHardwareCursorHotspot(static_cast<int>(hotspotX),
                                              static_cast<int>(hotspotY));
}

void KELMousePointer::updateAppearance() {
    ++appearances;
    auto* icon = part<::ui::SpriteComponent>("icon");
    auto* arrows = part<::ui::SpriteComponent>("arrows");
    auto* attackName = part<::ui::BothTextSprite>("attackName");
    ::ui::SpriteComponent* indicators[4];
    for (int i = 0; i < 4; ++i)
        indicators[i] = part<::ui::SpriteComponent>(kIndicators[i]);
    for (::ui::Component* component :
         {static_cast<::ui::Component*>(icon), static_cast<::ui::Component*>(arrows),
          static_cast<::ui::Component*>(attackName)})
        if (component)
            component->setVisible(false);
    for (auto* indicator : indicators)
        if (indicator)
            indicator->setVisible(false);
    if (!icon || !arrows || !attackName)
        return; // the configuration lacks parts: nothing to show (it was reported when read)

    auto showIcon = [&](int image) {
        icon->getSprite()->setImage(image);
        icon->setVisible(true);
    };
    auto centred = [&] { setHotspot(icon->getWidth() / 2 - 1, icon->getHeight() / 2 - 1); };

    if (mode == 0) {
        showIcon(5);
        setHotspot(0, 0);
    } else if (edge != 0) {
        static const int images[9] = {0, 0, 1, 2, 3, 4, 5, 6, 7};
        const float w = arrows->getWidth(), h = arrows->getHeight();
        const float positions[9][2] = {{0, 0}, {w, h / 2}, {0, h / 2}, {w / 2, h}, {w / 2, 0},
                                       {w, h}, {0, h},     {w, 0},     {0, 0}};
        arrows->getSprite()->setImage(images[edge]);
        arrows->setPosition(positions[edge][0], positions[edge][1]);
        arrows->setVisible(true);
        const float r = (edge == 2 || edge == 6 || edge == 8) ? 1.0f : 0.0f;
        const float b = (edge == 4 || edge == 7 || edge == 8) ? 1.0f : 0.0f;
        setHotspot(w - r, h - b);
    } else if (freelook) {
        showIcon(0);
        setHotspot(0, 0);
    } else {
        switch (cursorType) {
        case 0:
        case 1:
            showIcon(0);
            setHotspot(0, 0);
            break;
        case 2:
            showIcon(2), centred();
            break;
        case 3:
            showIcon(actEnabled ? 3 : 6), setHotspot(0, 0);
            break;
        case 4:
            showIcon(1), centred();
            break;
        case 5:
            showIcon(4), centred();
            break;
        case 6:
            showIcon(actEnabled ? 7 : 10), setHotspot(10, 10);
            break;
        case 7:
            showIcon(actEnabled ? 8 : 11), setHotspot(10, 10);
            break;
        case 8:
            showIcon(9), centred();
            break;
        case 9:
            showIcon(13), centred();
            break;
        default:
            icon->setVisible(true);
            break; // look unchanged
        }
        if (cursorType == 3 || cursorType == 6 || cursorType == 7) {
            static const int base[4] = {3, 0, 1, 2};
            const int a = actType >= 0 && actType <= 3 ? base[actType] : 0;
            const int o = actEnabled ? 0 : 8;
            if (actPool != -1)
                for (int i = 0; i < 4; ++i) {
                    if (!indicators[i])
                        continue;
                    if (i < actPool && i < actCost) {
                        indicators[i]->getSprite()->setImage(a + o);
                        indicators[i]->setVisible(true);
                    } else if (i < actCost) {
                        indicators[i]->getSprite()->setImage(a + 4 + o);
                        indicators[i]->setVisible(true);
                    }
                }
            std::string text = actName;
            const config::Block* names = nullptr;
            if (!unitName.empty() && !actName.empty() &&
                attackNames->getPropertyAccess(unitName, &names))
                names->getProperty(actName, &text);
            attackName->setText(text);
            attackName->setVisible(cursorType == 3);
        }
    }
    if (hardware && hardwareImage) {
        formImage();
        theRenderDriver->setHardwareCursorImage(hardwareImage->getRenderImage());
    }
    container->repaint();
}

void KELMousePointer::formImage() {
    if (!hardwareImage)
        return;
    ImageDrawSettings settings(0.5f, 1, 1, 0);
    settings.setColor(0, 0, 0, 1);
    hardwareImage->setDrawSettings(settings);
    hardwareImage->beginDrawSession();
    hardwareImage->drawBar(0, 0, hardwareImage->getLogicalWidth(),
                           hardwareImage->getLogicalHeight(), settings.getColor());
    for (const char* name : kParts) {
        auto* sprite = part<::ui::SpriteComponent>(name);
        if (!sprite || !sprite->getVisible())
            continue;
        const ::ui::ImageManager::Image* image =
            ui->getSpriteManager()->getImage(sprite->getSprite()->getImageId());
        if (!image)
            continue;
        hardwareImage->drawImage(image->name, sprite->getXPosition(), sprite->getYPosition(),
                                 sprite->getWidth(), sprite->getHeight(),
                                 ImageRegion{0, 0, sprite->getWidth(), sprite->getHeight()});
    }
    hardwareImage->endDrawSession();
}

} // namespace kel::ui
