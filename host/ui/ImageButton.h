#pragma once

#include "host/HostApi.h"
#include "host/ui/Button.h"

#include <memory>

class View;

namespace ui {

class Plane;

// A button drawn as a picture, with optional pictures for the pointer over it, for the pressed
// state and for the disabled state. Without a size of its own
// in the layout it takes the size of its picture. A missing picture falls back: pressed to flyby
// to normal, flyby and disabled to normal.
//
// Layout options: image, flybyImage, pressedImage, disabledImage (image names).
class KEL_HOST_API ImageButton : public Button {
public:
    // Sprite pictures drawn in `view` (the factory passes the root UI's view); a null UI means
    // the root UI.
    explicit ImageButton(View* view, UI* ui = nullptr);
    ~ImageButton() override;

    std::string_view getClassName() const override { return "imagebutton"; }

    void setImage(const std::string& imageName);
    void setFlybyImage(const std::string& imageName);
    void setPressedImage(const std::string& imageName);
    void setDisabledImage(const std::string& imageName);
    // The pictures, keyed "normal", "flyby", "pressed" and "disabled".
    Plane* getPlane() const { return plane.get(); }
    View* getView() const { return view; }
    // The key of the picture the button shows now.
    std::string getShownImage() const;

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    ImageButton(UI* ui, std::unique_ptr<Plane> plane, View* view);

private:
    std::unique_ptr<Plane> plane;
    View* view; // not owned
};

} // namespace ui
