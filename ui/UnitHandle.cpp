#include "ui/UnitHandle.h"
#include "ui/ModuleLog.h"

#include "host/config/CheckedRead.h"
#include "host/config/ConfigManager.h"
#include "host/engine/Image3D.h"
#include "host/engine/Model.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/View.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/thread/SynchronizedObject.h"
#include "host/ui/ImageManager.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {

const char* const kEffectsFile = "/Configs/Effects/effects.cfg";
const char* const kDigitStrip = "/Images/Bonus/digit";

// A colour of the effects file: three or four numbers from 0 to 1. A wrong one is reported at
// its place and leaves `out` as it was.
void readColour(const config::Block& block, const char* key, config::Color* out) {
    if (!block.hasProperty(key))
        return;
    const config::CheckedReader reader(moduleFilter(), block, "health digits: ");
    const size_t count = block.getList(key).size();
    if (count != 3 && count != 4) {
        reader.report(key, "a colour is three or four numbers from 0 to 1");
        return;
    }
    float rgba[4] = {0, 0, 0, 1};
    if (reader.readNumbers(key, count, config::Range(0, 1), rgba))
        *out = config::Color(rgba[0], rgba[1], rgba[2], rgba[3]);
}

} // namespace

// --- Digit -------------------------------------------------------------------------------------

Digit::Digit(int value, Image3D* strip) {
    setImage(strip);
    setValue(value);
    addEffect(&highlight);
    addEffect(&facing);
    addEffect(&opacity);
    setDoubleSided(true);
}

void Digit::setValue(int digit) {
    value = digit;
    // The strip holds the ten digits side by side, each a tenth of its width.
    const float u = static_cast<float>(digit) * 0.1f;
    setMapping(0, u, 0);
    setMapping(1, u + 0.1f, 0);
    setMapping(2, u, 1);
    setMapping(3, u + 0.1f, 1);
}

void Digit::setColor(const config::Color& color) {
    highlight.setFirstColor(color);
    highlight.setSecondColor(config::Color(0, 0, 0, 1));
}

void Digit::draw() {
    const float fog = theSphereVertexFogManager->getFog(getDrawingView(), getGlobalPosition());
    const float clear = 1.0f - fog;
    if (!(clear > 0.0f))
        return;
    opacity.setValue(clear);
    Decal3D::draw();
}

// --- DigitContainer ----------------------------------------------------------------------------

DigitContainer::DigitContainer() {
    digits.reserve(4); // health rarely needs more: no growth when it changes
}

DigitContainer::~DigitContainer() = default;

void DigitContainer::clear() {
    count = 0;
}

void DigitContainer::addDigit(int value) {
    const auto next = static_cast<size_t>(count);
    if (next < digits.size()) {
        digits[next]->setImage(image);
        digits[next]->setValue(value);
    } else {
        digits.push_back(std::make_unique<Digit>(value, image));
    }
    ++count;
}

void DigitContainer::setColor(const config::Color& color) {
    for (int i = 0; i < count; ++i)
        getDigit(i)->setColor(color);
}

void DigitContainer::setUnitTransform(const Matrix3& orientation, const Vector& position) {
    unitMatrix = orientation;
    unitPosition = position;
}

void DigitContainer::setModelHeight(float height) {
    heightOffset = Vector(0, 0, height + kAboveModel);
}

void DigitContainer::arrange() {
    setTransformation(Matrix3::identity(), heightOffset + offset);
    applyGlobalTransformation(unitMatrix, unitPosition);
    const Vector placed = sphericalPlacementVector(getGlobalPosition());
    float p = -kDigitWidth * static_cast<float>(count) * 0.5f;
    for (int i = 0; i < count; ++i) {
        Digit* digit = getDigit(i);
        p += kDigitWidth;
        // The decal's plane faces the camera: x runs up the screen, y across it.
        digit->setX(-kDigitHeight / 2);
        digit->setY(-p);
        digit->setWidth(kDigitHeight);
        digit->setHeight(kDigitWidth);
        digit->setGlobalTransformation(Matrix3::identity(), placed);
    }
}

void DigitContainer::show(View* view) {
    if (!view)
        return;
    for (int i = 0; i < count; ++i)
        view->registerDecal(getDigit(i));
}

void DigitContainer::hide(View* view) {
    if (!view)
        return;
    for (int i = 0; i < count; ++i)
        view->unregisterDecal(getDigit(i));
}

// --- UnitHandle --------------------------------------------------------------------------------

UnitHandle::UnitHandle(::ui::UI* ui, View* view, logic::Unit* unit)
    : Container(ui, 0, 0, 0, 0), unit(unit), view(view) {
    readColor();
    createComponents();
}

UnitHandle::~UnitHandle() {
    // Invisible first, so the digits leave the view before they go.
    setVisible(false);
    digits.reset();
}

void UnitHandle::readColor() {
    colour = config::Color(1, 0, 0, 1);
    const config::Config* effects = config::theConfigManager->bindConfig(kEffectsFile);
    if (!effects)
        return;
    readColour(*effects, "HealthVisualizer.defaultColor", &colour);
    const config::Block* visualizer = nullptr;
    if (!effects->getPropertyAccess("HealthVisualizer", &visualizer) || !unit || !unit->getTeam())
        return;
    const config::Block* team = nullptr;
    if (visualizer->getPropertyAccess(unit->getTeam()->getInternalName(), &team))
        readColour(*team, "color", &colour);
}

void UnitHandle::createComponents() {
    digits = std::make_unique<DigitContainer>();
    // One strip for every handle, kept by the root's texture manager.
    if (::ui::UI* root = getUI())
        if (::ui::ImageManager* textures = root->getTextureManager()) {
            thread::Lock hold(*textures);
            digits->setImage(textures->getTexture3D(textures->registerImage(kDigitStrip)));
        }
    setText(0);
}

void UnitHandle::update() {
    if (unit)
        setText(unit->getHealth());
}

void UnitHandle::setText(int value) {
    health = value;
    const bool wasShowed = isShowed();
    if (wasShowed)
        setVisible(false);
    digits->clear();
    while (value != 0) {
        digits->addDigit(value % 10);
        value /= 10;
    }
    digits->setColor(colour);
    if (wasShowed)
        setVisible(true);
}

void UnitHandle::move() {
    if (!unit)
        return;
    logic::Unit3d* form = unit->getProtoUnit();
    Model* model = form ? form->getModel() : nullptr;
    if (!model)
        return;
    Animator* animator = model->getAnimator();
    const KeyMesh* mesh = animator->getBaseAnimation()->getBaseKeyMesh(0);
    digits->setUnitTransform(animator->getGlobalOrientation(), animator->getGlobalPosition());
    digits->setModelHeight(mesh ? mesh->getHeight() : 0.0f);
    digits->arrange();
}

void UnitHandle::setOffset(const Vector& offset) {
    digits->setOffset(offset);
    move();
}

void UnitHandle::show() {
    Container::show();
    digits->show(view);
}

void UnitHandle::hide() {
    Container::hide();
    digits->hide(view);
}

} // namespace kel::ui
