#pragma once

#include "host/config/Color.h"
#include "host/engine/Decal3D.h"
#include "host/engine/Math.h"
#include "host/engine/RenderDriverListener.h"
#include "host/engine/SEOpacity.h"
#include "host/engine/SERotateWithCamera.h"
#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/Transformable.h"
#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <memory>
#include <vector>

class Image3D;
class View;

namespace kel::logic {
class Unit;
}

namespace kel::ui {

// One health digit: a double-sided decal showing one frame of the digit strip, recoloured in
// its team's colour, turned to the camera and faded by the fog. Its effects are its own.
class KEL_UI_API Digit : public Decal3D {
public:
    Digit(int value, Image3D* strip);

    // The highlight's first colour; the second, the digit's dark parts, stays black.
    void setColor(const config::Color& color);
    // Shows another digit of the strip.
    void setValue(int digit);
    int getValue() const { return value; }

    // Fades by the fog of the view drawing it, and stays away where the fog hides it wholly.
    void draw() override;

private:
    int value = 0;
    SEUniversalHighlight highlight;
    SERotateWithCamera facing;
    SEOpacity opacity;
};

// The row of digits over one unit, least significant first, centred over the unit's model.
// The frame-listener part is not used: the digits move when the handle is told to.
class KEL_UI_API DigitContainer : public Transformable, public RenderDriverListener {
public:
    // A digit is 0.1 wide and 0.25 high, in world units.
    static constexpr float kDigitWidth = 0.1f;
    static constexpr float kDigitHeight = 0.25f;
    // How far above the model's top the digits float.
    static constexpr float kAboveModel = 0.15f;

    DigitContainer();
    ~DigitContainer() override;
    DigitContainer(const DigitContainer&) = delete;
    DigitContainer& operator=(const DigitContainer&) = delete;

    // The strip of ten digits new digits show (shared, not owned).
    void setImage(Image3D* strip) { image = strip; }
    Image3D* getImage() const { return image; }

    // Empties the row; its digits must have left every view before. The digit objects are kept
    // for the next addDigit, so a health change makes no heap allocation.
    void clear();
    // Appends a digit showing `value` (0 to 9).
    void addDigit(int value);
    void setColor(const config::Color& color);
    void setUnitTransform(const Matrix3& orientation, const Vector& position);
    void setModelHeight(float height);
    void setOffset(const Vector& value) { offset = value; }
    const Vector& getOffset() const { return offset; }
    // Places the row over the unit and every digit in it; allocates nothing (it runs whenever
    // the unit moves or animates).
    void arrange();
    void show(View* view);
    void hide(View* view);

    int getCount() const { return count; }
    Digit* getDigit(int index) const { return digits[static_cast<size_t>(index)].get(); }

private:
    // Least significant first; the first `count` are the row, the rest spare.
    std::vector<std::unique_ptr<Digit>> digits;
    Image3D* image = nullptr; // shared, not owned
    Matrix3 unitMatrix;
    Vector unitPosition;
    Vector heightOffset;
    Vector offset;
    int count = 0;
};

// The invisible component that carries a unit's health digits. The root makes one per unit
// (KELUI::createUnitHandle) and owns it once added; the game logic calls update() when the
// unit's health may have changed and move() when the unit moved or animated. While the handle
// is shown its digits are registered with the board view.
//
// update(), move() and setOffset() are the game logic's: it calls them between frames (a host
// with a game thread of its own calls them under the UI lock).
class KEL_UI_API UnitHandle : public ::ui::Container {
public:
    // Digits in the colour "/Configs/Effects/effects.cfg" gives the unit's team; health 0 shown
    // until the first update().
    UnitHandle(::ui::UI* ui, View* view, logic::Unit* unit);
    ~UnitHandle() override;

    std::string_view getClassName() const override { return "unithandle"; }

    // Shows the unit's health now.
    void update();
    // Brings the digits over the unit's model where it stands now.
    void move();
    // Shifts the digits from their place over the model (world units), then moves them.
    void setOffset(const Vector& offset);

    logic::Unit* getUnit() const { return unit; }
    int getHealth() const { return health; }
    const config::Color& getColor() const { return colour; }
    const DigitContainer& getDigits() const { return *digits; }

protected:
    void show() override;
    void hide() override;

private:
    void readColor();
    void createComponents();
    void setText(int value);

    logic::Unit* unit; // not owned; update and move do nothing without it
    View* view;        // not owned: the board view the digits are drawn in
    int health = 0;
    std::unique_ptr<DigitContainer> digits;
    config::Color colour{1, 0, 0, 1};
};

} // namespace kel::ui
