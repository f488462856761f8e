#include "host/render/gl/ViewPainter.h"
#include "host/engine/Decal3D.h"
#include "host/engine/Image3D.h"
#include "host/engine/Model.h"
#include "host/engine/RenderObject.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/engine/SEFading.h"
#include "host/engine/SEOpacity.h"
#include "host/engine/SERotateWithCamera.h"
#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/ScreenEffect.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/render/gl/GlCanvas.h"
#include "host/render/gl/Meshes.h"
#include "host/render/gl/Shader.h"
#include "host/render/gl/Textures.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

const char* const kVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec3 colour;
uniform mat3 orientation;
uniform vec3 translation;
uniform mat3 toCamera;
uniform vec3 eye;
uniform vec2 lens;
uniform vec2 depth;
uniform vec2 mapping[4];
out vec3 vNormal;
out vec3 vColour;
out vec3 vWorld;
out vec2 vUv;
out float vDistance;
void main() {
    vec3 world = orientation * position + translation;
    vec3 p = toCamera * (world - eye);
    vWorld = world;
    vNormal = orientation * normal;
    vColour = colour;
    vUv = mix(mix(mapping[0], mapping[1], normal.x), mix(mapping[2], mapping[3], normal.x), normal.y);
    vDistance = p.z;
    float n = depth.x;
    float f = depth.y;
    // Camera space: x up, y right, z ahead; the lens scales as the engine's projection does.
    // Up is toward GL's row 0, where the frame keeps the screen's top.
    gl_Position = vec4(lens.x * p.y, -lens.y * p.x, (p.z * (f + n) - 2.0 * f * n) / (f - n), p.z);
}
)";

const char* const kFragment = R"(#version 330 core
in vec3 vNormal;
in vec3 vColour;
in vec3 vWorld;
in vec2 vUv;
in float vDistance;
uniform int mode;
uniform vec3 light;
uniform vec3 lightColour;
uniform vec4 tint;
uniform vec4 fog;
uniform vec2 fogRange;
uniform float emphasis;
uniform sampler2D picture;
out vec4 fragment;
void main() {
    vec3 shade;
    if (mode == 2) {
        fragment = texture(picture, vUv) * tint;
        return;
    } else if (mode == 3) {
        fragment = tint;
        return;
    } else if (mode == 1) {
        // A missing model: the marker's checker, unlit.
        vec3 cell = floor(vWorld * 4.0 + 0.001);
        shade = mod(cell.x + cell.y + cell.z, 2.0) < 1.0 ? vec3(1.0, 0.0, 1.0) : vec3(0.0);
    } else {
        float diffuse = max(dot(normalize(vNormal), light), 0.0);
        shade = vColour * lightColour * (0.35 + 0.65 * diffuse) + vec3(0.22) * emphasis;
    }
    float hidden = 0.0;
    if (fog.a > 0.0)
        hidden = fogRange.y > fogRange.x
                     ? clamp((vDistance - fogRange.x) / (fogRange.y - fogRange.x), 0.0, 1.0)
                     : step(fogRange.x, vDistance);
    fragment = vec4(mix(shade, fog.rgb, hidden), 1.0);
}
)";

constexpr float kLens = 0.88f; // as the engine's projection
constexpr float kNear = 0.05f;
constexpr float kFar = 4000.0f;

void setMatrix(GLint location, const Matrix3& m, bool transposed) {
    glUniformMatrix3fv(location, 1, transposed ? GL_FALSE : GL_TRUE, &m.m[0][0]);
}

config::Color scaled(const config::Color& c, float light) {
    return config::Color(std::clamp(c.r * light, 0.0f, 1.0f), std::clamp(c.g * light, 0.0f, 1.0f),
                         std::clamp(c.b * light, 0.0f, 1.0f), 1);
}

config::Color mixed(const config::Color& a, const config::Color& b, float t) {
    return config::Color(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, 1);
}

// The sky over the viewport: a gradient from zenith to horizon in bands, darker at night, and
// the sun on its daily arc while it is up (it rises at six, stands highest at one, sets at
// eight).
void paintSky(GlCanvas& canvas, const Environment& sky, const ui::Canvas::Rect& area) {
    const Environment::Look look = sky.getLook();
    const int minutes = sky.getDayTime().getHours() * 60 + sky.getDayTime().getMinutesOfHour();
    const float pi = 3.14159265f;
    const float daylight = std::max(0.0f, std::cos((minutes - 780) / 1440.0f * 2 * pi));
    const float light = 0.18f + 0.82f * daylight;
    constexpr int kBands = 48;
    for (int band = 0; band < kBands; ++band) {
        const float t = (band + 0.5f) / kBands;
        const float top = area.y + area.height * band / kBands;
        const float bottom = area.y + area.height * (band + 1) / kBands;
        canvas.fillRect({area.x, top, area.width, bottom - top + 0.02f},
                        scaled(mixed(look.zenith, look.horizon, t), light), 0);
    }
    if (minutes > 360 && minutes < 1200) {
        const float t = (minutes - 360) / 840.0f;
        const float r = area.height * 0.045f;
        const float cx = area.x + area.width * (0.1f + 0.8f * t);
        const float cy = area.y + area.height * (0.75f - 0.6f * std::sin(t * pi));
        config::Color sun = look.sun;
        sun.a = 0.85f;
        canvas.fillRect({cx - r, cy - r, 2 * r, 2 * r}, sun, r);
    }
}

} // namespace

ViewPainter::ViewPainter(GlCanvas& canvas, MeshCache& meshes, TextureCache& textures)
    : canvas(canvas), meshes(meshes), textures(textures) {}

ViewPainter::~ViewPainter() {
    if (program)
        glDeleteProgram(program);
}

bool ViewPainter::init(std::string* why) {
    program = buildProgram(kVertex, kFragment, why);
    if (!program)
        return false;
    uOrientation = glGetUniformLocation(program, "orientation");
    uTranslation = glGetUniformLocation(program, "translation");
    uToCamera = glGetUniformLocation(program, "toCamera");
    uEye = glGetUniformLocation(program, "eye");
    uLens = glGetUniformLocation(program, "lens");
    uDepth = glGetUniformLocation(program, "depth");
    uMode = glGetUniformLocation(program, "mode");
    uLight = glGetUniformLocation(program, "light");
    uLightColour = glGetUniformLocation(program, "lightColour");
    uTint = glGetUniformLocation(program, "tint");
    uFog = glGetUniformLocation(program, "fog");
    uFogRange = glGetUniformLocation(program, "fogRange");
    uEmphasis = glGetUniformLocation(program, "emphasis");
    uMapping = glGetUniformLocation(program, "mapping");
    uPicture = glGetUniformLocation(program, "picture");
    return true;
}

void ViewPainter::paint(const View& view, float screenWidth, float screenHeight, int pixelWidth,
                        int pixelHeight) {
    const Viewport& port = view.getViewport();
    const ui::Canvas::Rect area{port.x * screenWidth, port.y * screenHeight,
                                port.width * screenWidth, port.height * screenHeight};
    const Environment* sky = nullptr;
    for (const RenderObject* object : view.getObjects())
        if (const auto* found = dynamic_cast<const Environment*>(object)) {
            sky = found;
            paintSky(canvas, *found, area);
        }
    const Camera* camera = view.getCamera();
    const float sx = static_cast<float>(pixelWidth) / screenWidth;
    const float sy = static_cast<float>(pixelHeight) / screenHeight;
    const GLint left = static_cast<GLint>(std::lround(area.x * sx));
    const GLint right = static_cast<GLint>(std::lround((area.x + area.width) * sx));
    const GLint top = static_cast<GLint>(std::lround(area.y * sy));
    const GLint bottom = static_cast<GLint>(std::lround((area.y + area.height) * sy));
    if (camera && right > left && bottom > top) {
        glViewport(left, top, right - left, bottom - top);
        glEnable(GL_SCISSOR_TEST);
        glScissor(left, top, right - left, bottom - top);
        // Depth and stencil share their words: clearing both writes them whole instead of
        // masking each one.
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        // Models are opaque: only the decals over them blend.
        glDisable(GL_BLEND);
        glUseProgram(program);
        const Matrix3& axes = camera->getGlobalOrientation();
        setMatrix(uToCamera, axes, true);
        const Vector& eye = camera->getGlobalPosition();
        glUniform3f(uEye, eye.x, eye.y, eye.z);
        // As the engine's projection: half extents at unit depth from the diagonal angle.
        const float t = std::tan(camera->getAngle() / 2);
        const float s = std::sqrt(port.aspect * port.aspect + 1);
        glUniform2f(uLens, kLens / (t * port.aspect / s), kLens / (t / s));
        glUniform2f(uDepth, kNear, kFar);
        // The light comes from above, left and behind the camera.
        const Vector towardLight =
            (axes.column(0) * 0.6f - axes.column(1) * 0.45f - axes.column(2) * 0.65f).normalised();
        glUniform3f(uLight, towardLight.x, towardLight.y, towardLight.z);
        const float* lightColour =
            view.getLights().empty() ? nullptr : view.getLights()[0]->getColor();
        glUniform3f(uLightColour, lightColour ? lightColour[0] : 1.0f,
                    lightColour ? lightColour[1] : 1.0f, lightColour ? lightColour[2] : 1.0f);
        config::Color fog(0, 0, 0, 0);
        float fogStart = 0, fogEnd = 0;
        if (sky && theSphereVertexFogManager) {
            fog = sky->getFogColor();
            fog.a = 1;
            fogStart = theSphereVertexFogManager->getFogStart();
            fogEnd = theSphereVertexFogManager->getFogEnd();
        }
        glUniform4f(uFog, fog.r, fog.g, fog.b, fog.a);
        glUniform2f(uFogRange, fogStart, fogEnd);
        glUniform1i(uPicture, 0);
        for (const RenderObject* object : view.getObjects()) {
            const auto* model = dynamic_cast<const Model*>(object);
            if (!model)
                continue;
            const Animator& animator = *model->getAnimator();
            Vector min, max;
            animator.getBaseAnimation()->getBaseKeyMesh(0)->getBoundingBox(&min, &max);
            const MeshCache::Mesh& mesh = meshes.get(model->getName(), min, max);
            float emphasis = 0;
            for (const ScreenEffect* effect : animator.getEffects())
                if (dynamic_cast<const SEDirectHighlight*>(effect))
                    emphasis = 1;
            setMatrix(uOrientation, animator.getGlobalOrientation(), false);
            const Vector& at = animator.getGlobalPosition();
            glUniform3f(uTranslation, at.x, at.y, at.z);
            glUniform1i(uMode, mesh.missing ? 1 : 0);
            glUniform1f(uEmphasis, emphasis);
            glBindVertexArray(mesh.vertexArray);
            glDrawArrays(GL_TRIANGLES, 0, mesh.vertices);
        }
        // Decals over the models, blended, without hiding one another.
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        for (const Decal* decal : view.getDecals()) {
            const auto* placed = dynamic_cast<const Decal3D*>(decal);
            if (!placed || !decal->wasDrawnLast())
                continue;
            config::Color dark(0.2f, 0.2f, 0.2f, 1);
            float opacity = 1;
            bool facing = false;
            for (const ScreenEffect* effect : decal->getEffects()) {
                if (const auto* colours = dynamic_cast<const SEUniversalHighlight*>(effect))
                    dark = colours->getSecondColor();
                else if (const auto* fade = dynamic_cast<const SEOpacity*>(effect))
                    opacity = fade->getValue();
                else if (dynamic_cast<const SERotateWithCamera*>(effect))
                    facing = true;
            }
            if (!(opacity > 0))
                continue;
            const Matrix3& plane = facing ? axes : placed->getGlobalOrientation();
            const Vector up = plane.column(0), across = plane.column(1);
            Matrix3 spread;
            for (int i = 0; i < 3; ++i) {
                spread.m[i][0] = up[i] * decal->getWidth();
                spread.m[i][1] = across[i] * decal->getHeight();
                spread.m[i][2] = 0;
            }
            setMatrix(uOrientation, spread, false);
            const Vector origin =
                placed->getGlobalPosition() + up * decal->getX() + across * decal->getY();
            glUniform3f(uTranslation, origin.x, origin.y, origin.z);
            float mapping[8];
            for (int corner = 0; corner < 4; ++corner)
                decal->getMapping(corner, &mapping[corner * 2], &mapping[corner * 2 + 1]);
            glUniform2fv(uMapping, 4, mapping);
            const Image3D* image = decal->getImage();
            if (image && !image->getName().empty()) {
                glActiveTexture(GL_TEXTURE0);
                glBindTexture(GL_TEXTURE_2D, textures.get(image->getName()).id);
                glUniform4f(uTint, 1, 1, 1, opacity);
                glUniform1i(uMode, 2);
            } else {
                glUniform4f(uTint, dark.r, dark.g, dark.b, dark.a * opacity);
                glUniform1i(uMode, 3);
            }
            const MeshCache::Mesh& quad = meshes.quad();
            glBindVertexArray(quad.vertexArray);
            glDrawArrays(GL_TRIANGLES, 0, quad.vertices);
        }
        glDepthMask(GL_TRUE);
        glBindVertexArray(0);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_SCISSOR_TEST);
    }
    // Back to the 2D state for what follows.
    canvas.begin(screenWidth, screenHeight, pixelWidth, pixelHeight);
    for (const RenderObject* object : view.getObjects())
        if (const auto* fade = dynamic_cast<const SEFading*>(object))
            canvas.fillRect(area, config::Color(0, 0, 0, std::clamp(fade->getValue(), 0.0f, 1.0f)),
                            0);
}

} // namespace render
