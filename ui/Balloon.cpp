#include "ui/Balloon.h"

#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/logic/Globals.h"
#include "host/thread/SynchronizedObject.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/Font.h"
#include "host/ui/ImageManager.h"
#include "host/ui/Sprite.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kel::ui {

namespace {

// The size of a balloon before its content is known.
constexpr float kInitialWidth = 128.0f;
constexpr float kInitialHeight = 84.0f;
// Seconds per character with which a balloon's text is typed in.
constexpr float kTyping = 0.05f;
// Wrapping tries ever wider texts by this step.
constexpr float kWidthStep = 10.0f;

using Point = Balloon::Point;

// A vector turned by `angle` degrees, clockwise on screen (y points down). Quarter turns are
// exact.
Point turn(float x, float y, int angle) {
    switch (((angle % 360) + 360) % 360) {
    case 0:
        return {x, y};
    case 90:
        return {-y, x};
    case 180:
        return {-x, -y};
    case 270:
        return {y, -x};
    default: {
        const float radians = static_cast<float>(angle) * 3.14159265f / 180.0f;
        const float c = std::cos(radians), s = std::sin(radians);
        return {x * c - y * s, x * s + y * c};
    }
    }
}

// A point in units of the picture, where it lands once the picture is mirrored (first) and
// turned about its centre.
Point place(float x, float y, int angle, bool mirrored) {
    const float dx = x - 0.5f;
    const Point turned = turn(mirrored ? -dx : dx, y - 0.5f, angle);
    return {turned.x + 0.5f, turned.y + 0.5f};
}

bool quarterTurned(int angle) {
    const int a = ((angle % 360) + 360) % 360;
    return a == 90 || a == 270;
}

// The draw area's width and height; a configuration without one uses the whole picture.
void drawAreaSize(const float* area, float* dw, float* dh) {
    *dw = area[2] - area[0];
    *dh = area[3] - area[1];
    if (!(*dw > 0) || !(*dh > 0))
        *dw = *dh = 1.0f;
}

float whole(float value) {
    return std::round(value);
}

} // namespace

Balloon::Balloon(BalloonStyleConfigurations* configurations, ::ui::UI* ui)
    : Container(ui ? ui : ::ui::theUI), configurations(configurations) {}

Balloon::~Balloon() {
    unsubscribeToDriver();
}

void Balloon::init() {
    Container::init();
}

void Balloon::term() {
    Container::term();
}

const char* Balloon::styleName(Style style) {
    switch (style) {
    case Author:
        return "author_normal";
    case Thoughts:
        return "thoughts_normal";
    case Speech:
        return "speech_normal";
    }
    return "";
}

void Balloon::create(int id) {
    setSize(kInitialWidth, kInitialHeight);
    substrate = new ::ui::TextureComponent(getUI());
    addComponent(substrate);
    substrate->setVisible(true);
    content = new ::ui::Container(getUI());
    addComponent(content);
    content->setVisible(true);
    if (id == -1) {
        text = new ::ui::DFormattedSpriteText(getUI());
        content->addComponent(text);
        text->setAlign(2);
        text->setFont("balloons");
        text->setVisible(true);
        text->setFit(::ui::DFormattedSpriteText::FitMasterWidth);
        text->setCenter(::ui::DFormattedSpriteText::CenterBoth);
    } else {
        picture = new ::ui::SpriteComponent(getUI());
        content->addComponent(picture);
        ::ui::Sprite* sprite = picture->getSprite();
        sprite->setImage(sprite->addImage(id));
        sprite->setColorKey(config::Color(1, 1, 1, 1));
        const ::ui::ImageManager::Image* image =
            sprite->getManager() ? sprite->getManager()->getImage(id) : nullptr;
        if (image)
            picture->setSize(image->width, image->height);
        picture->setVisible(true);
    }
    updateConfigProperties();
}

void Balloon::setStyle(Style newStyle) {
    if (newStyle != style)
        style = newStyle;
}

void Balloon::setAnimator(Animator* newAnimator) {
    animator = newAnimator;
    landscapeAnimator = dynamic_cast<const LandscapeObjectAnimator*>(newAnimator);
    anchorKnown = false;
}

void Balloon::setText(const std::string& newText) {
    if (newText != textString)
        textString = newText;
}

void Balloon::setMinSize(float width, float height) {
    minSize = {width, height};
}

void Balloon::setExplicitPlacement(const Vector& placement) {
    hasExplicitPlacement = true;
    explicitPlacement = placement;
    anchorKnown = false;
}

void Balloon::setPreferedAssortment(AssortmentSide side) {
    candidates[0] = {0, side == MirroredFirst};
    candidates[1] = {0, side == UnmirroredFirst};
}

void Balloon::subscribeToDriver() {
    View* view = getUI() ? getUI()->getTextureView() : nullptr;
    if (view && !view->hasListener(this))
        view->registerListener(this, 0);
}

void Balloon::unsubscribeToDriver() {
    View* view = getUI() ? getUI()->getTextureView() : nullptr;
    if (view && view->hasListener(this))
        view->unregisterListener(this);
}

void Balloon::updateConfigProperties() {
    static const BalloonStyleConfiguration none;
    const BalloonStyleConfiguration* chosenConfiguration = &none;
    if (configurations) {
        const auto byStyle = configurations->find(std::string_view(styleName(style)));
        if (byStyle != configurations->end()) {
            const auto byKind =
                byStyle->second.find(std::string_view(outsideMode ? "side" : "normal"));
            if (byKind != byStyle->second.end())
                chosenConfiguration = &byKind->second;
        }
    }
    imageName = chosenConfiguration->image;
    std::copy(chosenConfiguration->drawArea, chosenConfiguration->drawArea + 4, drawArea);
    localHotspot = {chosenConfiguration->localHotspot[0], chosenConfiguration->localHotspot[1]};
    globalHotspot = {chosenConfiguration->globalHotspot[0], chosenConfiguration->globalHotspot[1]};
}

void Balloon::applyImage() {
    if (!substrate)
        return;
    const bool wasVisible = substrate->getVisible();
    substrate->setVisible(false);
    ::ui::Texture* texture = substrate->getTexture();
    texture->clear();
    if (!imageName.empty() && getUI()) {
        ::ui::ImageManager* textures = getUI()->getTextureManager();
        const int id = textures->registerImage("balloons/" + imageName, "/Images/UI/", 3);
        texture->setImage(texture->addImage(id));
        textures->addReference(id);
    }
    substrate->repaint();
    substrate->setVisible(wasVisible);
}

void Balloon::update() {
    updateConfigProperties();
    if (!content)
        return;
    float dw = 1, dh = 1;
    drawAreaSize(drawArea, &dw, &dh);
    float w = 0, h = 0;
    if (text) {
        const ::ui::Font* font = text->getFont();
        const float lineWidth = font ? font->getTextWidth(textString) : 0.0f;
        const float line = text->getLineHeight();
        const float aspect = dw / dh;
        w = std::sqrt(lineWidth * line * aspect);
        h = std::sqrt(lineWidth * line / aspect);
        w = std::max(w, text->getMinimumTextWidth(textString));
        h = std::max(h, line);
        // Wider until the wrapped text is lower than the height the aspect asks for. A text of
        // several lines of its own may never get that low: no wider than its widest line then.
        float wrapped = text->calcHeight(textString, w);
        while (wrapped >= h && w < lineWidth + kWidthStep) {
            w += kWidthStep;
            wrapped = text->calcHeight(textString, w);
        }
        h = wrapped;
    } else if (picture) {
        w = picture->getWidth();
        h = picture->getHeight();
    }
    w = std::max(w, minSize.x);
    h = std::max(h, minSize.y);
    substrateSize = {w / dw, h / dh};
    substrate->setSize(substrateSize.x, substrateSize.y);
    content->setSize(w + 1, h);
    choosePlacement();
    if (text)
        text->setText(textString, kTyping);
}

Balloon::Layout Balloon::layOut(const Candidate& candidate) const {
    float dw = 1, dh = 1;
    drawAreaSize(drawArea, &dw, &dh);
    const float cw = content ? content->getWidth() : 0.0f;
    const float ch = content ? content->getHeight() : 0.0f;
    Layout layout;
    layout.substrateSize =
        quarterTurned(candidate.angle) ? Point{cw / dh, ch / dw} : Point{cw / dw, ch / dh};
    const Point a = place(drawArea[0], drawArea[1], candidate.angle, candidate.mirrored);
    const Point b = place(drawArea[2], drawArea[3], candidate.angle, candidate.mirrored);
    const Point& size = layout.substrateSize;
    layout.contentMin = {std::min(a.x, b.x) * size.x, std::min(a.y, b.y) * size.y};
    layout.contentMax = {std::max(a.x, b.x) * size.x, std::max(a.y, b.y) * size.y};
    const Point tip = place(localHotspot.x, localHotspot.y, candidate.angle, candidate.mirrored);
    layout.tailTip = {tip.x * size.x, tip.y * size.y};
    layout.realGlobalHotspot = turn(candidate.mirrored ? -globalHotspot.x : globalHotspot.x,
                                    globalHotspot.y, candidate.angle);
    return layout;
}

bool Balloon::fits(const Layout& layout, int* visibleArea) const {
    const float screenWidth = getUI() ? getUI()->getScreenWidth() : 0.0f;
    const float screenHeight = getUI() ? getUI()->getScreenHeight() : 0.0f;
    const float left = anchor.x - layout.tailTip.x - layout.realGlobalHotspot.x;
    const float top = anchor.y - layout.tailTip.y - layout.realGlobalHotspot.y;
    const float right = left + layout.substrateSize.x;
    const float bottom = top + layout.substrateSize.y;
    if (left >= 0 && top >= 0 && right < screenWidth && bottom < screenHeight)
        return true;
    const float across = std::max(0.0f, std::min(right, screenWidth) - std::max(left, 0.0f));
    const float down = std::max(0.0f, std::min(bottom, screenHeight) - std::max(top, 0.0f));
    *visibleArea = static_cast<int>(across * down);
    return false;
}

void Balloon::choosePlacement() {
    if (outsideMode) {
        // Pinned to the edge the unit went off, pointing its way.
        const Candidate side{offBelow ? 0 : offLeft ? 270 : offRight ? 90 : 180, false};
        apply(side, layOut(side));
        return;
    }
    int best = 0;
    int bestArea = -1;
    Layout bestLayout;
    for (int i = 0; i < kCandidates; ++i) {
        const Layout layout = layOut(candidates[i]);
        int area = 0;
        if (fits(layout, &area)) {
            best = i;
            bestLayout = layout;
            break;
        }
        if (area > bestArea) {
            best = i;
            bestArea = area;
            bestLayout = layout;
        }
    }
    chosen = best;
    apply(candidates[best], bestLayout);
}

void Balloon::apply(const Candidate& candidate, const Layout& layout) {
    angle = candidate.angle;
    mirrored = candidate.mirrored;
    substrateSize = layout.substrateSize;
    contentMin = layout.contentMin;
    contentMax = layout.contentMax;
    tailTip = layout.tailTip;
    realGlobalHotspot = layout.realGlobalHotspot;
    if (!substrate || !content)
        return;
    ::ui::Texture* texture = substrate->getTexture();
    if (texture->getAngle() != static_cast<float>(angle) || texture->getFlip() != mirrored) {
        texture->setAngle(static_cast<float>(angle));
        texture->setFlip(mirrored);
        substrate->repaint();
    }
    substrate->setSize(substrateSize.x, substrateSize.y);
    content->setPosition(whole(contentMin.x), whole(contentMin.y));
}

void Balloon::setOutsideMode(bool on) {
    if (on == outsideMode)
        return;
    outsideMode = on;
    updateConfigProperties();
    applyImage();
}

void Balloon::computeAnchor() {
    Vector low, high;
    const BaseAnimation* base = animator->getBaseAnimation();
    if (const KeyMesh* mesh = base ? base->getBaseKeyMesh(0) : nullptr)
        mesh->getBoundingBox(&low, &high);
    Vector onModel = (low + high) * 0.5f;
    if (hasExplicitPlacement)
        onModel += explicitPlacement;
    else
        onModel.z += (high.z - low.z) * 0.5f;
    Vector world = animator->getGlobalOrientation() * onModel + animator->getGlobalPosition();
    if (landscapeAnimator)
        world = sphericalPlacement(world, landscapeAnimator->getDegree());
    anchor3D = world;
    anchorKnown = true;
}

void Balloon::updateShowed() {
    Container::updateShowed();
    if (!isShowed() || !content)
        return;
    showTime = theTimer->getTime();
    // Only a balloon that follows a unit is placed, and grown, frame by frame; one put at a
    // fixed place shows its content at once.
    if (!animator)
        return;
    content->setVisible(false);
    growing = true;
}

void Balloon::initView() {
    thread::OptionalLock hold(getUI());
    const View* board = GAME_BOARD_VIEW;
    // A balloon that is not on screen (the battle HUD went) is placed again once it is.
    if (animator && board && getUI() && isShowed()) {
        const float screenWidth = getUI()->getScreenWidth();
        const float screenHeight = getUI()->getScreenHeight();
        if (updateAlways || !anchorKnown)
            computeAnchor();
        float x = 0, y = 0;
        if (theRenderDriver->projectToScreen(board, anchor3D, &x, &y))
            anchor = {x * screenWidth, y * screenHeight};
        else // behind the camera: off screen, below it
            anchor = {screenWidth * 0.5f, screenHeight * 2.0f};
        offLeft = anchor.x < 0;
        offRight = anchor.x > screenWidth;
        offAbove = anchor.y < 0;
        offBelow = anchor.y > screenHeight;
        setOutsideMode(offLeft || offRight || offAbove || offBelow);
        choosePlacement();

        const Point hot{tailTip.x + realGlobalHotspot.x, tailTip.y + realGlobalHotspot.y};
        Point pos{anchor.x - hot.x, anchor.y - hot.y};
        if (outsideMode) {
            pos.x = std::max(pos.x, 0.0f);
            pos.y = std::max(pos.y, 0.0f);
            if (pos.x + substrateSize.x > screenWidth)
                pos.x = screenWidth - substrateSize.x;
            if (pos.y + substrateSize.y > screenHeight)
                pos.y = screenHeight - substrateSize.y;
        }
        if (growing) {
            const float t = static_cast<float>((theTimer->getTime() - showTime) / growTime);
            if (t <= 1) {
                substrate->setSize(t * substrateSize.x, t * substrateSize.y);
                setPosition(whole(pos.x + (1 - t) * hot.x), whole(pos.y + (1 - t) * hot.y));
            } else {
                content->setVisible(true);
                substrate->setSize(substrateSize.x, substrateSize.y);
                setPosition(whole(pos.x), whole(pos.y));
                growing = false;
            }
        } else {
            setPosition(whole(pos.x), whole(pos.y));
        }
    }
    if (text)
        text->initView();
}

} // namespace kel::ui
