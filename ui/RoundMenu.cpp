#include "ui/RoundMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/RoundMenuContainer.h"

#include "host/config/Block.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SEContour.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/engine/Timer.h"
#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>

namespace kel::ui {

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2 * kPi;
// Radians per second while a key turns the ring.
constexpr float kTurnSpeed = 5.0f;
// Seconds of the appear and fly-out animations.
constexpr float kPhaseDuration = 0.5f;
// The camera's view angle at work; the appear animation zooms in from kWorkAngle + kZoom.
constexpr float kWorkAngle = 1.7f;
constexpr float kZoom = 0.7f;
// The ring's radius at work; it grows from kStartRadius while appearing and shrinks by as much
// while flying out.
constexpr float kWorkRadius = 1.5f;
constexpr float kStartRadius = 0.5f;
// How far round the ring spins while appearing or flying out, in turns.
constexpr float kSpin = 0.7f;

} // namespace

RoundMenu::RoundMenu(::ui::UI* ui)
    : Scene(ui, 0.05f, 0.05f, 0.94f, 0.85f),
      highlight(std::make_unique<SEDirectHighlight>(config::Color(0.7f, 0.7f, 0.7f, 1))),
      contour(std::make_unique<SEContour>()) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
    getLight().setColor(0.7f, 0.7f, 0.7f, 1);
    arrangeScene();
    setNotify(true);
    theRenderDriver->registerListener(this, 0);
}

RoundMenu::~RoundMenu() {
    theRenderDriver->unregisterListener(this);
    // The entries still exist here (the container deletes them after us): take the highlight
    // off before it goes. The contour leaves its animators by itself.
    if (EntireMenuItem* item = getItem(highlighted))
        item->delHighlight(highlight.get());
}

void RoundMenu::arrangeScene() {
    getView()->setRenderPriority(-1);
    // The camera sits at the origin looking along component 2: camera space is world space.
    getCamera().setTransformation(Matrix3::identity(), Vector());
    getCamera().setAngle(kWorkAngle);

    const float alpha = 0, beta = -kPi / 2, gamma = 3 * kPi / 2;
    const float ca = std::cos(alpha), sa = std::sin(alpha);
    const float cb = std::cos(beta), sb = std::sin(beta);
    const float cg = std::cos(gamma), sg = std::sin(gamma);
    itemOrientation = Matrix3::rows({cb * cg, -cb * sg, -sb},
                                    {-sa * sb * cg + ca * sg, sa * sb * sg + ca * cg, -sa * cb},
                                    {ca * sb * cg + sa * sg, -ca * sb * sg + sa * cg, ca * cb});
    itemOffset = Vector();

    // Half the view height at unit depth; the ring runs from a near point low in the view to a
    // far point high in it.
    const float t = std::tan(getCamera().getAngle() * 0.5f);
    const float a = getViewport().aspect;
    const float h = std::sqrt(4 * t * t / (a * a + 1)) / 2;
    const Vector nearPoint = Vector(-0.5f * h, 0, 1) * (1 / (0.8f * h));
    const Vector farPoint = Vector(0.7f * h, 0, 1) * (1 / (0.4f * h));
    ringCentre = (nearPoint + farPoint) / 2;
    const Vector d = (nearPoint - farPoint).normalised();
    ringOrientation = Matrix3::rows({d[0], 0, -d[2]}, {d[1], 1, d[1]}, {d[2], 0, d[0]});
    radius = kWorkRadius;
}

void RoundMenu::term() {
    Scene::term();
    theRenderDriver->unregisterListener(this);
    setHighlight(-1);
    updateFocusedItem();
}

void RoundMenu::readConfig(config::Block* block) {
    Scene::readConfig(block);
    block->getProperty("escapeEvent", &escapeEvent);
    ::ui::LayoutOptions::readBool(block, "escapeFlyOut", &escapeFlyOut);
    // The entries stand on the ring from the start, not at the camera until the first turn.
    rotate();
}

void RoundMenu::notify(::ui::NotifyEvent& event) {
    Scene::notify(event);
    if (event.is("action", "updatecontour"))
        updateFocusedItem();
}

void RoundMenu::updateShowed() {
    Scene::updateShowed();
    if (!isShowed()) {
        setContour(nullptr);
        setHighlight(-1);
        // A hidden menu hears no key release: a key held now would turn it when it comes back.
        thread::Lock hold(*theRenderDriver);
        keys = 0;
    } else {
        setPhase(START);
    }
    updateFocusedItem();
}

void RoundMenu::realyHide() {
    setVisible(false);
}

void RoundMenu::clean() {
    leftKey(false);
    rightKey(false);
}

void RoundMenu::flyOut() {
    // A menu that is gone already has nothing to fly out of.
    if (getVisible())
        setPhase(END);
}

std::string RoundMenu::getItemName(int index) const {
    const EntireMenuItem* item = getItem(index);
    return item ? item->getName() : std::string();
}

int RoundMenu::getItemCount() const {
    int count = 0;
    for (const ::ui::Component* child : getChildren())
        count += dynamic_cast<const EntireMenuItem*>(child) != nullptr;
    return count;
}

EntireMenuItem* RoundMenu::getItem(int index) const {
    if (index < 0)
        return nullptr;
    for (::ui::Component* child : getChildren())
        if (auto* item = dynamic_cast<EntireMenuItem*>(child))
            if (index-- == 0)
                return item;
    return nullptr;
}

int RoundMenu::findCurrentItem() const {
    const int count = getItemCount();
    if (count == 0)
        return -1;
    const float step = kTwoPi / count;
    int best = 0;
    float bestDistance = std::fabs(angle);
    for (int i = 1; i < count; ++i) {
        const float distance = std::fabs(i * step - angle);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

int RoundMenu::itemUnderMouse() const {
    int index = 0;
    for (const ::ui::Component* child : getChildren())
        if (const auto* item = dynamic_cast<const EntireMenuItem*>(child)) {
            if (item->getFlyby())
                return index;
            ++index;
        }
    return -1;
}

RoundMenuContainer* RoundMenu::container() const {
    return dynamic_cast<RoundMenuContainer*>(getMaster());
}

bool RoundMenu::isMouseLastUsed() const {
    const RoundMenuContainer* owner = container();
    return owner && owner->isMouseLastUsed();
}

void RoundMenu::setMouseLastUsed(bool on) {
    if (RoundMenuContainer* owner = container())
        owner->setMouseLastUsed(on);
}

void RoundMenu::sendItemAction(const char* action, const std::string& itemName) {
    ::ui::NotifyEvent event(this);
    event.setSValue("action", action);
    event.setSValue("itemName", itemName);
    notify(event);
}

// ---------------------------------------------------------------------------------------------
// Frames and phases

void RoundMenu::initFrame(float) {
    // The whole step holds the UI lock; the phase changes it makes take the render driver's
    // inside it, the order input uses (frames call listeners without the driver's lock).
    thread::Lock hold(*getUI());
    if (phase == FINISHED && commandPending && deferredItem != -2) {
        // Cleared before sending: the command may draw a frame at once (leaving a battle does),
        // and that frame must not send it again.
        const std::string itemName = getItemName(deferredItem);
        deferredItem = -2;
        commandPending = false;
        sendItemAction("command", itemName);
    }
    update();
}

void RoundMenu::update() {
    now = theRenderTimer->getTime();
    frameTime = now - previousTime;
    switch (phase) {
    case START:
        startPhaseStep();
        break;
    case WORK:
        workPhaseStep();
        break;
    case END:
        endPhaseStep();
        break;
    default:
        break;
    }
    previousTime = now;
}

void RoundMenu::startPhaseStep() {
    if (!phaseStarted) {
        phaseStarted = true;
        phaseStartTime = now;
        getCamera().setAngle(kWorkAngle + kZoom);
        radius = kStartRadius;
        return;
    }
    const float progress = (now - phaseStartTime) / kPhaseDuration;
    ::ui::NotifyEvent event(this);
    event.setSValue("action", "startphase");
    event.setFValue("progress", progress);
    notify(event);
    if (phase != START)
        return; // whoever heard it changed the phase
    if (progress <= 1) {
        angle = homeAngle + kTwoPi * kSpin * (1 - progress);
        getCamera().setAngle(kWorkAngle + kZoom - kZoom * progress);
        radius = kStartRadius + progress;
        rotate();
    } else {
        setPhase(WORK);
    }
}

void RoundMenu::endPhaseStep() {
    if (!phaseStarted) {
        phaseStarted = true;
        phaseStartTime = now;
        endStartAngle = angle;
        return;
    }
    const float progress = (now - phaseStartTime) / kPhaseDuration;
    ::ui::NotifyEvent event(this);
    event.setSValue("action", "endphase");
    event.setFValue("progress", progress);
    notify(event);
    if (phase != END)
        return;
    if (progress <= 1) {
        angle = endStartAngle + kTwoPi * kSpin * progress;
        getCamera().setAngle(kWorkAngle + kZoom * progress);
        radius = kWorkRadius - (kWorkRadius - kStartRadius) * progress;
        rotate();
    } else {
        setPhase(FINISHED);
    }
}

int RoundMenu::crossedSlot(float next, int count) const {
    const float step = kTwoPi / count;
    for (int k = 0; k < count; ++k) {
        const float slot = k * step;
        if ((next - slot) * (angle - slot) < 0 ||
            (next - (slot + kTwoPi)) * (angle - (slot + kTwoPi)) < 0)
            return k;
    }
    return -1;
}

void RoundMenu::workPhaseStep() {
    const int count = getItemCount();
    if (count == 0)
        return;
    // A clock set back must not turn the ring backwards.
    const float move = std::max(0.0f, frameTime) * kTurnSpeed;
    const float next =
        rotation == DECREASING ? angle - move : (rotation == INCREASING ? angle + move : angle);
    const int crossed = crossedSlot(next, count);
    switch (keys) {
    case 0:
        if (rotation != STOPPED) {
            if (crossed >= 0) {
                angle = crossed * (kTwoPi / count);
                setRotation(STOPPED);
                setHighlight(findCurrentItem());
            } else {
                angle = next;
            }
        }
        break;
    case 1:
    case 3:
        if (crossed >= 0)
            sendItemAction("pass", getItemName(crossed));
        angle -= move;
        setRotation(DECREASING);
        break;
    case 2:
    case 4:
        if (crossed >= 0)
            sendItemAction("pass", getItemName(crossed));
        angle += move;
        setRotation(INCREASING);
        break;
    default:
        break;
    }
    rotate();
}

void RoundMenu::rotate() {
    if (angle > kTwoPi)
        angle -= kTwoPi;
    else if (angle < 0)
        angle += kTwoPi;
    const int count = getItemCount();
    if (count == 0)
        return;
    const float step = kTwoPi / count;
    int index = 0;
    // The entries' notifications travel while we walk: walk a copy of the list.
    for (::ui::Component* child : snapshot()) {
        auto* item = dynamic_cast<EntireMenuItem*>(child);
        if (!item)
            continue;
        const float ringAngle = angle - index++ * step;
        const Vector position = ringCentre +
                                ringOrientation * Vector(radius * std::cos(ringAngle),
                                                         radius * std::sin(ringAngle), 0) +
                                itemOffset;
        if (EntireMenuItem::ItemModel* model = item->getModel())
            model->setTransformation(itemOrientation, position);
        if (phase == WORK) {
            float x = 0, y = 0, aside = 0, unused = 0;
            projectVector(position, x, y);
            projectVector(position + Vector(0, 0.5f, 0), aside, unused);
            item->setProjection(x, y, aside - x);
        }
    }
}

void RoundMenu::setPhase(Phase value) {
    thread::Lock hold(*theRenderDriver);
    phase = value;
    ::ui::NotifyEvent event(this);
    event.setSValue("action", "setphase");
    event.setIValue("phase", value);
    notify(event);
    switch (value) {
    case START:
        // A menu shown again in the middle of an animation starts it afresh, and a command
        // that waited for a fly-out cut short by hiding is forgotten: it was never confirmed.
        phaseStarted = false;
        deferredItem = -2;
        commandPending = false;
        break;
    case WORK:
        angle = homeAngle;
        phaseStarted = false;
        // A ring that flew out while turning comes back at rest.
        if (keys == 0)
            rotation = STOPPED;
        getCamera().setAngle(kWorkAngle);
        radius = kWorkRadius;
        setHighlight(findCurrentItem());
        updateFocusedItem();
        break;
    case END:
        phaseStarted = false;
        setHighlight(-1);
        setContour(nullptr);
        break;
    case FINISHED:
        phaseStarted = false;
        commandPending = true;
        realyHide();
        break;
    default:
        break;
    }
}

void RoundMenu::setRotation(Rotation value) {
    if (value == rotation)
        return;
    rotation = value;
    if (rotation == STOPPED)
        updateFocusedItem();
}

// ---------------------------------------------------------------------------------------------
// Focus, contour and highlight

void RoundMenu::updateFocusedItem() {
    focusedItem = -1;
    if (isShowed() && phase == WORK && rotation == STOPPED)
        focusedItem = isMouseLastUsed() ? itemUnderMouse() : findCurrentItem();
    setContour(getItem(focusedItem));
    setHighlight(focusedItem);
}

void RoundMenu::setContour(EntireMenuItem* item) {
    if (item == contoured)
        return;
    const auto& children = getChildren();
    if (contoured && std::find(children.begin(), children.end(), contoured) != children.end())
        contoured->removeContour(contour.get());
    contoured = item;
    if (item)
        item->setContour(contour.get());
    ::ui::NotifyEvent event(this);
    event.setSValue("action", "itemfocuschanged");
    event.setSValue("itemName", item ? item->getName() : std::string());
    event.setBValue("hidedescription", isMouseLastUsed());
    notify(event);
}

void RoundMenu::setHighlight(int index) {
    if (index == highlighted)
        return;
    if (EntireMenuItem* old = getItem(highlighted)) {
        old->delHighlight(highlight.get());
        old->setBaseAnimation();
    }
    highlighted = index;
    if (EntireMenuItem* item = getItem(index)) {
        item->addHighlight(highlight.get());
        item->setWalkAnimation();
    }
}

// ---------------------------------------------------------------------------------------------
// Input and choices

void RoundMenu::processInputEvent(const counting_ptr<::input::Event>& event) {
    Scene::processInputEvent(event);
    const bool mouse = event->getDevice() == ::input::devices::PCMouse::instance();
    if (mouse)
        setMouseLastUsed(true);
    if (auto* button = event.as<::input::events::Button>()) {
        const bool pressed = button->isPressed();
        switch (button->getCode()) {
        case ::input::mouse::LeftClick:
            if (mouse && pressed)
                mouseClicked();
            break;
        case ::input::mouse::RightClick:
            if (mouse && pressed)
                esc();
            break;
        case ::input::keys::Space:
        case ::input::keys::Return:
        case ::input::keys::NumpadEnter:
            if (!mouse && pressed)
                enter();
            break;
        case ::input::keys::Right:
            setMouseLastUsed(false);
            rightKey(pressed);
            break;
        case ::input::keys::Left:
            setMouseLastUsed(false);
            leftKey(pressed);
            break;
        case ::input::keys::Escape:
            setMouseLastUsed(false);
            if (pressed)
                esc();
            break;
        default:
            break;
        }
    }
    updateFocusedItem();
}

void RoundMenu::leftKey(bool pressed) {
    thread::Lock hold(*theRenderDriver);
    setHighlight(-1);
    if (pressed)
        keys = keys == 0 ? 1 : (keys == 2 ? 3 : keys);
    else
        keys = keys == 1 ? 0 : ((keys == 3 || keys == 4) ? 2 : keys);
    if (phase == WORK)
        update();
}

void RoundMenu::rightKey(bool pressed) {
    thread::Lock hold(*theRenderDriver);
    setHighlight(-1);
    if (pressed)
        keys = keys == 0 ? 2 : (keys == 1 ? 4 : keys);
    else
        keys = keys == 2 ? 0 : ((keys == 3 || keys == 4) ? 1 : keys);
    if (phase == WORK)
        update();
}

void RoundMenu::mouseClicked() {
    if (phase != WORK || rotation != STOPPED || keys != 0)
        return;
    const int index = itemUnderMouse();
    EntireMenuItem* item = getItem(index);
    if (!item)
        return;
    item->delHighlight(highlight.get());
    item->removeContour(contour.get());
    sendImmediateOrDeffredCommand(index);
}

void RoundMenu::mouseDoubleClicked() {
    if (phase != WORK)
        return;
    const int index = itemUnderMouse();
    if (index >= 0)
        sendItemAction("command", getItemName(index));
}

void RoundMenu::enter() {
    if (phase != WORK || rotation != STOPPED)
        return;
    const int current = findCurrentItem();
    if (current >= 0 && (!isMouseLastUsed() || current == focusedItem))
        sendImmediateOrDeffredCommand(current);
}

void RoundMenu::sendImmediateOrDeffredCommand(int index) {
    const EntireMenuItem* item = getItem(index);
    if (!item)
        return;
    // The next appearance settles with the focused entry at the front: the one the keyboard
    // left in front, or the one the moving mouse last pointed at.
    homeAngle = kTwoPi / getItemCount() * focusedItem;
    const std::string changeEvent = item->getChangeEvent();
    const std::string itemName = item->getName();
    if (!changeEvent.empty()) {
        ::ui::NotifyEvent event(this);
        event.setSValue("action", "changemenu");
        event.setSValue("menu", changeEvent);
        notify(event);
        return;
    }
    deferredItem = index;
    setPhase(END);
    sendItemAction("precommand", itemName);
}

void RoundMenu::esc() {
    if (phase != WORK)
        return;
    if (!escapeEvent.empty()) {
        const std::string menu = escapeEvent;
        ::ui::NotifyEvent event(this);
        event.setSValue("action", "changemenu");
        event.setSValue("menu", menu);
        event.setBValue("escape", true);
        notify(event);
    } else if (escapeFlyOut) {
        deferredItem = -1;
        setPhase(END);
        ::ui::NotifyEvent event(this);
        event.setSValue("action", "exit");
        notify(event);
    }
}

} // namespace kel::ui
