#pragma once

#include "host/HostApi.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <memory>

namespace ui {

class Plane;

// A component that shows a plane stretched over its rectangle. Without a size of its own in the
// layout it takes the size of its first image.
//
// Layout options: image (an image name, made current), images (a block of key = image name, or
// a list of image names, in index order), current (a key or an index), region (x y width
// height, in the component's units), opacity, angle (degrees), flip, colorKey,
// resolutionSensitive.
class KEL_HOST_API PlaneComponent : public Component, public Paintable {
public:
    // A plane of sprite images; a null UI means the root UI (theUI).
    explicit PlaneComponent(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                            float height = 0);
    ~PlaneComponent() override;

    std::string_view getClassName() const override { return "planecomponent"; }

    Plane* getPlane() const { return plane.get(); }
    // The image of that key or name (see Plane::setImage), or of that index.
    bool setImage(const std::string& key);
    bool setImage(int index);
    // The part of the component that shows, in its own units (x 0, y 0, width, height shows all).
    void setRegion(float x, float y, float width, float height);

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    PlaneComponent(UI* ui, std::unique_ptr<Plane> plane);

private:
    std::unique_ptr<Plane> plane;
};

} // namespace ui
