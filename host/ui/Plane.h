#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Canvas.h"

#include <string>
#include <vector>

class View;

namespace ui {

class ImageManager;

// An image holder, not a component: a list of images of one image manager, one of them current,
// drawn with an opacity, an angle, a horizontal flip, an optional colour key and an optional
// region (the part of its rectangle that shows, in units of that rectangle, for bars that grow).
// Images are found by index or by key; an image added by name holds a reference on the manager's
// image until clear() or the plane goes, an image added by id is the caller's to reference.
class KEL_HOST_API Plane {
public:
    Plane(ImageManager* manager, View* view);
    Plane(const Plane&) = delete;
    Plane& operator=(const Plane&) = delete;
    virtual ~Plane();

    // Appends the image `id` of the manager; `key` finds it again (empty: no key). Its index.
    int addImage(int id, const std::string& key = "");
    // Registers `imageName` with the manager (localised), references it and appends it; the key
    // defaults to the name. -1 without a manager.
    int addImage(const std::string& imageName, const std::string& key);
    // The image of `key` becomes `imageName` (added when the key is new); its index.
    int replaceImage(const std::string& key, const std::string& imageName);
    // Makes an image current; -1 shows none. False for an index out of range.
    bool setImage(int index);
    // The image of that key; a key the plane does not know is taken as an image name, added and
    // made current (so setImage("Lighthouse") shows the catalogue's "Lighthouse").
    bool setImage(const std::string& key);
    int getImage() const { return current; }
    // The manager's id of the current image, or -1.
    int getImageId() const;
    // The registered name of the current image, or "".
    std::string getImageName() const;
    int getImageCount() const { return static_cast<int>(images.size()); }
    // The index of a key, or -1.
    int findImage(const std::string& key) const;
    const std::string& getKey(int index) const;
    // Forgets every image (releasing those it referenced); none is current.
    void clear();

    // The catalogue size of the current image (0 x 0 without one).
    float getImageWidth() const;
    float getImageHeight() const;

    void setRegion(float x, float y, float width, float height);
    void clearRegion() { regionSet = false; }
    bool hasRegion() const { return regionSet; }
    const float* getRegion() const { return region; }

    // 0 transparent to 1 opaque.
    void setOpacity(float value) { opacity = value; }
    float getOpacity() const { return opacity; }
    // Degrees, clockwise on screen.
    void setAngle(float degrees) { angle = degrees; }
    float getAngle() const { return angle; }
    void setFlip(bool on) { flip = on; }
    bool getFlip() const { return flip; }
    // Pixels of this colour are transparent.
    void setColorKey(const config::Color& color);
    bool hasColorKey() const { return keyed; }
    const config::Color& getColorKey() const { return colorKey; }
    // Whether the engine scales the image with the screen resolution (true by default).
    void setResolutionSensitive(bool on) { resolutionSensitive = on; }
    bool isResolutionSensitive() const { return resolutionSensitive; }

    // Draws the current image stretched over `rect` (nothing without one).
    void paint(Canvas& canvas, const Canvas::Rect& rect) const { paint(canvas, rect, current); }
    // The same with another of its images.
    void paint(Canvas& canvas, const Canvas::Rect& rect, int index) const;

    ImageManager* getManager() const { return manager; }
    // The view the plane is drawn in (the UI's view for sprites, its texture view for textures).
    View* getView() const { return view; }

private:
    struct Entry {
        int id;
        std::string key;
        bool referenced;
    };

    ImageManager* manager; // the UI's, not owned
    View* view;            // not owned
    std::vector<Entry> images;
    int current = -1;
    bool regionSet = false;
    float region[4] = {0, 0, 0, 0};
    float opacity = 1.0f;
    float angle = 0.0f;
    bool flip = false;
    bool keyed = false;
    config::Color colorKey;
    bool resolutionSensitive = true;
};

} // namespace ui
