#pragma once

#include "host/engine/Math.h"
#include "host/ui/Container.h"
#include "host/ui/ViewListener.h"
#include "ui/UiApi.h"

#include <functional>
#include <map>
#include <string>

class Animator;
class LandscapeObjectAnimator;

namespace ui {
class DFormattedSpriteText;
class SpriteComponent;
class TextureComponent;
} // namespace ui

namespace kel::ui {

// One balloon picture of "/Configs/UI/balloons.cfg": the picture, the part of it that holds the
// content and the tip of its tail (both in units of the picture, 0 to 1 across it), and the
// offset from the tail tip to the speaker's anchor point (screen units).
struct BalloonStyleConfiguration {
    std::string image;
    float drawArea[4] = {0, 0, 0, 0}; // left, top, right, bottom
    float localHotspot[2] = {0, 0};
    float globalHotspot[2] = {0, 0};
};

// Style name ("speech_normal"...) -> placement kind ("normal", "side") -> picture. Looked up by
// string views, so a lookup builds no string.
using BalloonStyleConfigurations =
    std::map<std::string, std::map<std::string, BalloonStyleConfiguration, std::less<>>,
             std::less<>>;

// A speech or thought balloon over the 3D scene: a balloon picture with a text (or a pre-drawn
// phrase picture) inside, its tail pointing at the speaking unit. Each frame it follows the
// unit's anchor point on screen, turning and mirroring its picture so that it stays on screen;
// while the unit is off screen it shows the "side" picture pinned to the screen edge. Shown, it
// grows out of the unit in growTime seconds of the host clock.
//
// The balloon container creates, owns and shows balloons; the configurations are its. A balloon
// is a listener of the UI's texture view while it is shown (subscribeToDriver). The animator is
// the host's: the host hides a balloon before the unit's model goes. A balloon with no animator
// (put at a fixed place) is not placed frame by frame and shows its content at once; a speaker
// behind the camera counts as off screen below it.
class KEL_UI_API Balloon : public ::ui::Container, public ::ui::ViewListener {
public:
    enum Style { Author = 0, Thoughts = 1, Speech = 2 };
    // Which way the preferred upright placement leans: 0 unmirrored first, 1 mirrored first.
    enum AssortmentSide { UnmirroredFirst = 0, MirroredFirst = 1 };
    // A placement: the picture turned by `angle` degrees (0, 90, 180, 270) and mirrored or not.
    struct Candidate {
        int angle;
        bool mirrored;
    };
    struct Point {
        float x = 0;
        float y = 0;
    };
    static constexpr int kCandidates = 8;
    // Where everything lies for one placement, in screen units: the picture's size on screen,
    // the content's rectangle and the tail tip inside it, and the offset to the anchor.
    struct Layout {
        Point substrateSize;
        Point contentMin;
        Point contentMax;
        Point tailTip;
        Point realGlobalHotspot;
    };

    explicit Balloon(BalloonStyleConfigurations* configurations, ::ui::UI* ui = nullptr);
    // Leaves the texture view.
    ~Balloon() override;

    std::string_view getClassName() const override { return "balloon"; }

    void init() override;
    void term() override;
    // Shown: the content hides and the balloon grows anew.
    void updateShowed() override;
    // Per frame: follows the unit's anchor, chooses the placement, grows.
    using ::ui::ViewListener::initView;
    void initView() override;

    // Builds the picture and the content: a text for id -1, else the sprite image `id`.
    void create(int id);
    void setStyle(Style newStyle);
    void setAnimator(Animator* newAnimator);
    void setText(const std::string& newText);
    // Sizes the content for the text or picture and chooses the placement.
    void update();
    // Shows the picture of the current configuration.
    void applyImage();
    void setMinSize(float width, float height);
    // The anchor on the model, instead of the top of its bounding box's centre.
    void setExplicitPlacement(const Vector& placement);
    // Recomputes the anchor every frame (a unit that walks) instead of once.
    void setUpdateAlways(bool on) { updateAlways = on; }
    void setPreferedAssortment(AssortmentSide side);
    void subscribeToDriver();
    void unsubscribeToDriver();

    // The picture laid out for a placement, from the content's size and the current
    // configuration; nothing changes.
    Layout layOut(const Candidate& candidate) const;

    // The configuration style name of a style ("speech_normal"...), "" for another value.
    static const char* styleName(Style style);

    Style getStyle() const { return style; }
    const std::string& getText() const { return textString; }
    Animator* getAnimator() const { return animator; }
    int getAngle() const { return angle; }
    bool isMirrored() const { return mirrored; }
    int getChosen() const { return chosen; }
    const Candidate& getCandidate(int index) const { return candidates[index]; }
    bool isOutside() const { return outsideMode; }
    bool isGrowing() const { return growing; }
    const Point& getAnchor() const { return anchor; }
    const Point& getSubstrateSize() const { return substrateSize; }
    const Point& getTailTip() const { return tailTip; }
    const Point& getContentMin() const { return contentMin; }
    const Point& getContentMax() const { return contentMax; }
    const std::string& getImageName() const { return imageName; }
    ::ui::TextureComponent* getSubstrate() const { return substrate; }
    ::ui::Container* getContent() const { return content; }
    ::ui::DFormattedSpriteText* getTextComponent() const { return text; }
    ::ui::SpriteComponent* getPicture() const { return picture; }

private:
    void updateConfigProperties();
    void setOutsideMode(bool on);
    void computeAnchor();
    // Whether the laid-out picture lies wholly on screen; its visible area otherwise.
    bool fits(const Layout& layout, int* visibleArea) const;
    // Chooses the placement and applies it to the picture and the content.
    void choosePlacement();
    void apply(const Candidate& candidate, const Layout& layout);

    ::ui::TextureComponent* substrate = nullptr; // ours, as children
    ::ui::DFormattedSpriteText* text = nullptr;
    ::ui::SpriteComponent* picture = nullptr;
    ::ui::Container* content = nullptr;
    BalloonStyleConfigurations* configurations; // the container's
    Animator* animator = nullptr;               // the unit's model animator; not owned
    const LandscapeObjectAnimator* landscapeAnimator = nullptr;
    Style style = Speech;
    std::string imageName;
    float drawArea[4] = {0, 0, 0, 0};
    Point localHotspot;
    Point globalHotspot;
    Point substrateSize;
    std::string textString;
    int angle = 0;
    bool mirrored = false;
    Point contentMin;
    Point contentMax;
    Point tailTip;
    Point realGlobalHotspot;
    Point anchor;
    Candidate candidates[kCandidates] = {{0, false},  {0, true},  {180, false}, {180, true},
                                         {90, false}, {90, true}, {270, false}, {270, true}};
    int chosen = 0;
    bool outsideMode = false;
    bool offLeft = false;
    bool offRight = false;
    bool offAbove = false;
    bool offBelow = false;
    float growTime = 0.2f;
    double showTime = 0;
    bool growing = false;
    Point minSize;
    bool hasExplicitPlacement = false;
    Vector explicitPlacement;
    Vector anchor3D;
    bool updateAlways = false;
    bool anchorKnown = false;
};

} // namespace kel::ui
