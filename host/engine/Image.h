#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

#include <string>
#include <vector>

// A rectangle of a source image, in its logical units.
struct ImageRegion {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// How pictures are drawn into an image: the colour they are tinted with (bars use their own),
// the alpha below which a source pixel is left out, the horizontal and vertical scale, and the
// rotation in degrees.
class KEL_HOST_API ImageDrawSettings {
public:
    ImageDrawSettings(float alphaTest = 0.5f, float scaleX = 1.0f, float scaleY = 1.0f,
                      float rotation = 0.0f)
        : alphaTest(alphaTest), scaleX(scaleX), scaleY(scaleY), rotation(rotation) {}

    void setColor(float r, float g, float b, float a) { color = config::Color(r, g, b, a); }
    const config::Color& getColor() const { return color; }
    float getAlphaTest() const { return alphaTest; }
    float getScaleX() const { return scaleX; }
    float getScaleY() const { return scaleY; }
    float getRotation() const { return rotation; }

private:
    config::Color color{1, 1, 1, 1};
    float alphaTest;
    float scaleX;
    float scaleY;
    float rotation;
};

// One thing drawn into an image during a draw session.
struct ImageDrawOperation {
    enum Kind { Bar, Picture };

    Kind kind = Bar;
    std::string source; // the picture's source image; empty for bars
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    ImageRegion region;  // of the source; empty for bars
    config::Color color; // the bar's colour, or the settings' colour the picture was tinted with
};

// A picture the engine can draw into and draw with. Its logical size is the size it was asked
// for; its real size (getWidth, getHeight) is the texture's, each side rounded up to a power of
// two. Drawing happens in sessions: the reference engine records what a session drew, and the
// operations of the last finished session stand for the image's content.
//
// An image is used by one thread at a time.
class KEL_HOST_API Image {
public:
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    // The file it was read from, or empty for an image made of a size.
    const std::string& getName() const { return name; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    float getLogicalWidth() const { return logicalWidth; }
    float getLogicalHeight() const { return logicalHeight; }

    void setDrawSettings(const ImageDrawSettings& settings) { drawSettings = settings; }
    const ImageDrawSettings& getDrawSettings() const { return drawSettings; }

    // False (and reported on the "engine" log) when a session is already open.
    bool beginDrawSession();
    // Draws `region` of the source scaled into (x, y, width, height), tinted with the settings'
    // colour. Outside a session nothing is drawn and the misuse is reported.
    void drawImage(const Image* source, float x, float y, float width, float height,
                   const ImageRegion& region);
    // The same for a source known by name only (a sprite of the UI's image managers).
    void drawImage(const std::string& sourceName, float x, float y, float width, float height,
                   const ImageRegion& region);
    void drawBar(float x, float y, float width, float height, const config::Color& color);
    // Closes the session: what it drew becomes the image's content.
    void endDrawSession();

    bool isDrawing() const { return drawing; }
    // What the last finished session drew, in order.
    const std::vector<ImageDrawOperation>& getDrawOperations() const { return content; }
    // How many sessions have finished: changes whenever the content does.
    int getRevision() const { return revision; }

protected:
    // An image read from a file; its logical size comes from the image catalogue
    // "/Configs/UI/images.cfg" (an unknown file is 64 x 64 and reported once on the "engine" log).
    explicit Image(const std::string& fileName);
    // `name` for messages and inspection (may be empty); sizes in logical units.
    Image(std::string name, float logicalWidth, float logicalHeight);

private:
    bool checkSession(const char* operation) const;

    std::string name;
    int width = 1;
    int height = 1;
    float logicalWidth = 0.0f;
    float logicalHeight = 0.0f;
    ImageDrawSettings drawSettings;
    bool drawing = false;
    std::vector<ImageDrawOperation> pending; // of the open session
    std::vector<ImageDrawOperation> content;
    int revision = 0;
};
