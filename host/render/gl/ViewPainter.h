#pragma once

#include "host/render/gl/Gl.h"

#include <string>

class View;

namespace render {

class GlCanvas;
class MeshCache;
class TextureCache;

// Draws the 3D content of a view into its viewport: the sky of an Environment in the view (its
// gradient, darker at night, and the sun), the models as lit meshes through the view's camera
// with depth, fogged toward the sky's fog colour over the fog manager's range, the decals as
// textured quads, and a fade as a veil over the viewport.
class ViewPainter {
public:
    ViewPainter(GlCanvas& canvas, MeshCache& meshes, TextureCache& textures);
    ViewPainter(const ViewPainter&) = delete;
    ViewPainter& operator=(const ViewPainter&) = delete;
    ~ViewPainter();

    bool init(std::string* why);
    // The screen in units and the framebuffer in pixels, as the canvas has them.
    void paint(const View& view, float screenWidth, float screenHeight, int pixelWidth,
               int pixelHeight);

private:
    GlCanvas& canvas;
    MeshCache& meshes;
    TextureCache& textures;
    GLuint program = 0;
    GLint uOrientation = -1, uTranslation = -1, uToCamera = -1, uEye = -1, uLens = -1, uDepth = -1,
          uMode = -1, uLight = -1, uLightColour = -1, uTint = -1, uFog = -1, uFogRange = -1,
          uEmphasis = -1, uMapping = -1, uPicture = -1;
};

} // namespace render
