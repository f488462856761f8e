#include "host/ui/Snapshot.h"
#include "host/engine/Decal3D.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SEFading.h"
#include "host/engine/SEOpacity.h"
#include "host/engine/SERotateWithCamera.h"
#include "host/engine/SEUniversalHighlight.h"
#include "host/engine/ScreenEffect.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/resource/AtomicFile.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"
#include "host/ui/FrameWalk.h"
#include "host/ui/MousePointer.h"
#include "host/ui/Palette.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <sstream>

namespace ui {

namespace {

std::string number(float value) {
    if (!std::isfinite(value))
        value = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
    std::string text = buffer;
    // Short numbers keep the picture small and diffable.
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

// Text for XML character data and attribute values: markup escaped, characters XML cannot carry
// (control characters, broken UTF-8) replaced by '?'.
std::string escape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        size_t length = byte < 0x80    ? 1
                        : byte >= 0xF0 ? 4
                        : byte >= 0xE0 ? 3
                        : byte >= 0xC0 ? 2
                                       : 0;
        bool valid = length > 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        if (length == 1) {
            switch (byte) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += byte < 0x20 && byte != '\t' ? '?' : static_cast<char>(byte);
            }
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

std::string rgb(const config::Color& color) {
    auto channel = [](float v) {
        return std::to_string(static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)));
    };
    return "rgb(" + channel(color.r) + "," + channel(color.g) + "," + channel(color.b) + ")";
}

std::string paint(const char* attribute, const config::Color& color) {
    std::string out = std::string(" ") + attribute + "=\"" + rgb(color) + "\"";
    if (color.a < 1)
        out += std::string(" ") + attribute + "-opacity=\"" + number(color.a) + "\"";
    return out;
}

// A muted colour of its own for every image name, so different pictures can be told apart.
config::Color imageTint(const std::string& name) {
    unsigned hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const float hue = static_cast<float>(hash % 360) / 60.0f;
    const float x = 1 - std::fabs(std::fmod(hue, 2.0f) - 1);
    float r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
    case 0:
        r = 1;
        g = x;
        break;
    case 1:
        r = x;
        g = 1;
        break;
    case 2:
        g = 1;
        b = x;
        break;
    case 3:
        g = x;
        b = 1;
        break;
    case 4:
        r = x;
        b = 1;
        break;
    default:
        r = 1;
        b = x;
        break;
    }
    return config::Color(0.16f + r * 0.22f, 0.18f + g * 0.2f, 0.22f + b * 0.22f);
}

class SvgCanvas final : public Canvas {
public:
    explicit SvgCanvas(std::ostringstream& out) : out(out) {}

    void fillRect(const Rect& r, const config::Color& color, float radius) override {
        if (color.a <= 0 || r.width <= 0 || r.height <= 0)
            return;
        out << "<rect" << box(r, radius) << paint("fill", color) << "/>\n";
    }

    void strokeRect(const Rect& r, const config::Color& color, float width, float radius) override {
        if (color.a <= 0 || r.width <= 0 || r.height <= 0)
            return;
        out << "<rect" << box(r, radius) << " fill=\"none\"" << paint("stroke", color)
            << " stroke-width=\"" << number(width) << "\"/>\n";
    }

    void line(float x1, float y1, float x2, float y2, const config::Color& color,
              float width) override {
        if (color.a <= 0)
            return;
        out << "<line x1=\"" << number(x1) << "\" y1=\"" << number(y1) << "\" x2=\"" << number(x2)
            << "\" y2=\"" << number(y2) << "\"" << paint("stroke", color) << " stroke-width=\""
            << number(width) << "\" stroke-linecap=\"round\"/>\n";
    }

    void text(const TextRun& run) override {
        if (run.text.empty() || !run.font || run.color.a <= 0)
            return;
        // The glyphs are stretched to the metric width, so the picture keeps the layout the
        // font tables give whatever face the viewer has.
        const float size = run.font->getLineHeight() * 0.78f;
        out << "<text class=\"t\" x=\"" << number(run.x) << "\" y=\""
            << number(run.y + run.font->getLineHeight() * 0.76f) << "\" font-size=\""
            << number(size) << "\"" << paint("fill", run.color);
        if (run.width > 0)
            out << " textLength=\"" << number(run.width) << "\" lengthAdjust=\"spacingAndGlyphs\"";
        out << " data-font=\"" << escape(run.font->getName()) << "\">" << escape(run.text)
            << "</text>\n";
    }

    void image(const ImageRun& run) override {
        if (run.rect.width <= 0 || run.rect.height <= 0 || run.opacity <= 0)
            return;
        const float cx = run.rect.x + run.rect.width / 2, cy = run.rect.y + run.rect.height / 2;
        out << "<g class=\"image\" data-image=\"" << escape(run.name) << "\" data-kind=\""
            << escape(run.kind) << "\"";
        if (run.opacity < 1)
            out << " opacity=\"" << number(run.opacity) << "\"";
        if (run.clipped) {
            const int id = ++clips;
            out << " clip-path=\"url(#clip" << id << ")\"><clipPath id=\"clip" << id << "\">"
                << "<rect" << box(run.clip, 0) << "/></clipPath>";
        } else {
            out << ">";
        }
        std::string transform;
        if (run.angle != 0)
            transform += "rotate(" + number(run.angle) + " " + number(cx) + " " + number(cy) + ")";
        if (run.flip)
            transform += (transform.empty() ? "" : " ") + std::string("translate(") +
                         number(2 * cx) + " 0) scale(-1 1)";
        out << "\n<g" << (transform.empty() ? "" : " transform=\"" + transform + "\"") << ">";
        // A picture the snapshot cannot load: a tinted plate with its name, a corner mark
        // showing how it is turned and mirrored.
        const bool pale = run.name.rfind("balloons/", 0) == 0;
        const config::Color plate = pale ? config::Color(0.93f, 0.9f, 0.82f) : imageTint(run.name);
        out << "<rect" << box(run.rect, 3) << paint("fill", plate)
            << paint("stroke", Palette::faded(Palette::frameLight, 0.5f))
            << " stroke-width=\"1\"/>";
        const float mark = std::min(10.0f, std::min(run.rect.width, run.rect.height) / 3);
        out << "<path d=\"M" << number(run.rect.x) << " " << number(run.rect.y) << " h"
            << number(mark) << " L" << number(run.rect.x) << " " << number(run.rect.y + mark)
            << " Z\"" << paint("fill", Palette::frameLight) << "/>";
        out << "</g>\n";
        // The name sits in the top-left corner of what shows (a picture turned a quarter shows
        // across the other way), small, so content drawn over the picture (a balloon's text)
        // stays readable.
        Rect shown = run.rect;
        if (std::fmod(std::abs(run.angle), 180.0f) == 90.0f)
            shown = {cx - run.rect.height / 2, cy - run.rect.width / 2, run.rect.height,
                     run.rect.width};
        const float labelSize = std::clamp(std::min(shown.height * 0.3f, 9.0f), 6.0f, 9.0f);
        if (shown.width >= 24 && shown.height >= labelSize + 2)
            out << "<text class=\"label\" x=\"" << number(shown.x + mark + 2) << "\" y=\""
                << number(shown.y + labelSize) << "\" font-size=\"" << number(labelSize) << "\""
                << paint("fill", pale ? config::Color(0.45f, 0.4f, 0.33f)
                                      : Palette::faded(Palette::text, 0.7f))
                << ">" << escape(run.name) << "</text>";
        out << "</g>\n";
    }

    std::ostringstream& stream() { return out; }

private:
    static std::string box(const Rect& r, float radius) {
        std::string s = " x=\"" + number(r.x) + "\" y=\"" + number(r.y) + "\" width=\"" +
                        number(std::max(0.0f, r.width)) + "\" height=\"" +
                        number(std::max(0.0f, r.height)) + "\"";
        if (radius > 0)
            s += " rx=\"" + number(radius) + "\"";
        return s;
    }

    std::ostringstream& out;
    int clips = 0;
};

void outlineTree(const Component* component, std::ostringstream& out) {
    if (!component->isShowed())
        return;
    const float x = component->getAbsoluteX(), y = component->getAbsoluteY();
    if (component->getWidth() > 0 && component->getHeight() > 0) {
        out << "<g class=\"outline\"><rect x=\"" << number(x) << "\" y=\"" << number(y)
            << "\" width=\"" << number(component->getWidth()) << "\" height=\""
            << number(component->getHeight())
            << "\" fill=\"none\" stroke=\"rgb(255,92,160)\" stroke-opacity=\"0.7\" "
               "stroke-width=\"1\" stroke-dasharray=\"3 2\"/>";
        out << "<text x=\"" << number(x + 2) << "\" y=\"" << number(y + 8)
            << "\" font-size=\"7\" fill=\"rgb(255,140,190)\">"
            << escape((component->getName().empty() ? "?" : component->getName()) + " : " +
                      std::string(component->getClassName()))
            << "</text></g>\n";
    }
    if (const auto* container = dynamic_cast<const Container*>(component))
        for (const Component* child : container->getChildren())
            outlineTree(child, out);
}

std::string rgb(const config::Color& c, float light) {
    auto channel = [light](float v) {
        return std::to_string(int(std::clamp(v * light, 0.0f, 1.0f) * 255));
    };
    return "rgb(" + channel(c.r) + "," + channel(c.g) + "," + channel(c.b) + ")";
}

// The sky behind a view: a gradient from zenith to horizon, darker at night, with the sun on its
// daily arc while it is up.
void paintSky(const Environment& sky, const Canvas::Rect& area, std::ostringstream& out) {
    static int skies = 0;
    const std::string id = "sky" + std::to_string(++skies);
    const Environment::Look look = sky.getLook();
    const int minutes = (sky.getDayTime().getHours() * 60 + sky.getDayTime().getMinutesOfHour());
    const float pi = 3.14159265f;
    const float daylight = std::max(0.0f, std::cos((minutes - 780) / 1440.0f * 2 * pi));
    const float light = 0.18f + 0.82f * daylight;
    out << "<g class=\"sky\"><defs><linearGradient id=\"" << id
        << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\""
        << rgb(look.zenith, light) << "\"/><stop offset=\"1\" stop-color=\""
        << rgb(look.horizon, light) << "\"/></linearGradient></defs>";
    out << "<rect x=\"" << number(area.x) << "\" y=\"" << number(area.y) << "\" width=\""
        << number(area.width) << "\" height=\"" << number(area.height) << "\" fill=\"url(#" << id
        << ")\"/>";
    // The sun rises at six, stands highest at one and sets at eight.
    if (minutes > 360 && minutes < 1200) {
        const float t = (minutes - 360) / 840.0f;
        const float cx = area.x + area.width * (0.1f + 0.8f * t);
        const float cy = area.y + area.height * (0.75f - 0.6f * std::sin(t * pi));
        out << "<circle cx=\"" << number(cx) << "\" cy=\"" << number(cy) << "\" r=\""
            << number(area.height * 0.045f) << "\" fill=\"" << rgb(look.sun, 1.0f)
            << "\" fill-opacity=\"0.85\"/>";
    }
    out << "</g>\n";
}

// A decal of a view as its last drawing showed it (one that declined to appear, such as a
// digit wholly in fog, is left out): its rectangle projected through the view's camera, turned
// to the camera when it is drawn so, in its highlight's dark colour at the opacity it was drawn
// with. A decal showing one frame of a strip (the ten health digits) shows the frame's number in
// the highlight's light colour.
void paintDecal(const View* view, const Decal& decal, float width, float height,
                std::ostringstream& out) {
    const auto* placed = dynamic_cast<const Decal3D*>(&decal);
    if (!placed || !decal.wasDrawnLast() || !view->getCamera())
        return;
    config::Color light(1, 1, 1, 1), dark(0.2f, 0.2f, 0.2f, 1);
    float opacity = 1;
    bool facing = false;
    for (const ScreenEffect* effect : decal.getEffects()) {
        if (const auto* colours = dynamic_cast<const SEUniversalHighlight*>(effect)) {
            light = colours->getFirstColor();
            dark = colours->getSecondColor();
        } else if (const auto* fade = dynamic_cast<const SEOpacity*>(effect)) {
            opacity = fade->getValue();
        } else if (dynamic_cast<const SERotateWithCamera*>(effect)) {
            facing = true;
        }
    }
    if (!(opacity > 0))
        return;
    // The plane's axes: the camera's up and right when the decal faces it, else its own.
    const Matrix3& axes =
        facing ? view->getCamera()->getGlobalOrientation() : placed->getGlobalOrientation();
    const Vector up = axes.column(0), across = axes.column(1);
    const Vector origin = placed->getGlobalPosition();
    float left = std::numeric_limits<float>::max(), top = left;
    float right = -left, bottom = -left;
    for (int corner = 0; corner < 4; ++corner) {
        const float x = decal.getX() + (corner & 1 ? decal.getWidth() : 0.0f);
        const float y = decal.getY() + (corner & 2 ? decal.getHeight() : 0.0f);
        float sx = 0, sy = 0;
        if (!theRenderDriver->projectToScreen(view, origin + up * x + across * y, &sx, &sy))
            return; // partly behind the camera: not worth a picture
        left = std::min(left, sx * width);
        right = std::max(right, sx * width);
        top = std::min(top, sy * height);
        bottom = std::max(bottom, sy * height);
    }
    out << "<g class=\"decal\"";
    float u0 = 0, u1 = 0, v = 0;
    decal.getMapping(0, &u0, &v);
    decal.getMapping(1, &u1, &v);
    const float frameWidth = std::fabs(u1 - u0);
    std::string label;
    if (frameWidth > 0 && frameWidth < 1) {
        label = std::to_string(static_cast<int>(std::floor(std::min(u0, u1) / frameWidth + 0.5f)));
        out << " data-frame=\"" << label << "\"";
    }
    if (opacity < 1)
        out << " opacity=\"" << number(opacity) << "\"";
    out << ">";
    const Canvas::Rect box{left, top, right - left, bottom - top};
    out << "<rect x=\"" << number(box.x) << "\" y=\"" << number(box.y) << "\" width=\""
        << number(box.width) << "\" height=\"" << number(box.height) << "\"" << paint("fill", dark)
        << "/>";
    if (!label.empty())
        out << "<text x=\"" << number(left + box.width / 2) << "\" y=\""
            << number(bottom - box.height * 0.15f) << "\" font-size=\""
            << number(std::max(box.height * 0.9f, 1.0f)) << "\" font-weight=\"bold\" "
            << "text-anchor=\"middle\"" << paint("fill", light) << ">" << label << "</text>";
    out << "</g>\n";
}

// The 3D content of one view, projected through its camera.
void paintView(const View* view, float width, float height, SvgCanvas& canvas) {
    std::ostringstream& out = canvas.stream();
    const Viewport& port = view->getViewport();
    const Canvas::Rect area{port.x * width, port.y * height, port.width * width,
                            port.height * height};
    out << "<g class=\"view\" data-view=\"" << escape(view->getName()) << "\">\n";
    std::vector<std::string> others;
    // The sky first: everything else stands in front of it.
    for (const RenderObject* object : view->getObjects())
        if (const auto* sky = dynamic_cast<const Environment*>(object)) {
            paintSky(*sky, area, out);
            others.push_back(sky->describe());
        }
    for (const RenderObject* object : view->getObjects()) {
        if (dynamic_cast<const Environment*>(object))
            continue;
        if (const auto* model = dynamic_cast<const Model*>(object)) {
            float left = std::numeric_limits<float>::max(), top = left;
            float right = -left, bottom = -left;
            int seen = 0;
            for (const Vector& corner : model->worldCorners()) {
                float sx = 0, sy = 0;
                if (!theRenderDriver->projectToScreen(view, corner, &sx, &sy))
                    continue;
                ++seen;
                left = std::min(left, sx * width);
                right = std::max(right, sx * width);
                top = std::min(top, sy * height);
                bottom = std::max(bottom, sy * height);
            }
            if (seen == 0)
                continue; // wholly behind the camera
            const Canvas::Rect box{left, top, right - left, bottom - top};
            // A highlighted model is lit; a contoured one has a bright outline.
            bool lit = false, outlined = false;
            for (const ScreenEffect* effect : model->getAnimator()->getEffects()) {
                const std::string kind = effect->describe();
                lit = lit || kind.rfind("highlight", 0) == 0;
                outlined = outlined || kind.rfind("contour", 0) == 0;
            }
            // What the model says to a player (a menu entry's word), else its name.
            const std::string& caption = ModelCatalogue::instance().find(model->getName()).caption;
            const std::string& label = caption.empty() ? model->getName() : caption;
            out << "<g class=\"model\" data-model=\"" << escape(model->getName()) << "\"";
            if (lit || outlined)
                out << " data-effects=\"" << (lit ? "highlight" : "")
                    << (lit && outlined ? " " : "") << (outlined ? "contour" : "") << "\"";
            out << ">";
            canvas.fillRect(box,
                            lit ? config::Color(0.55f, 0.65f, 0.45f, 0.6f)
                                : config::Color(0.3f, 0.45f, 0.6f, 0.35f),
                            4);
            canvas.strokeRect(box,
                              outlined ? config::Color(1.0f, 0.85f, 0.4f, 1.0f)
                                       : config::Color(0.55f, 0.75f, 0.95f, 0.9f),
                              outlined ? 3.0f : 1.5f, 4);
            out << "<text x=\"" << number(left + box.width / 2) << "\" y=\"" << number(bottom + 11)
                << "\" font-size=\"10\" text-anchor=\"middle\" "
                << "fill=\"rgb(170,205,240)\">" << escape(label) << "</text></g>\n";
            continue;
        }
        if (const auto* fade = dynamic_cast<const SEFading*>(object)) {
            out << "<g class=\"fade\">";
            canvas.fillRect(area, config::Color(0, 0, 0, std::clamp(fade->getValue(), 0.0f, 1.0f)),
                            0);
            out << "</g>\n";
        } else {
            others.push_back(object->describe());
        }
    }
    for (const Decal* decal : view->getDecals())
        paintDecal(view, *decal, width, height, out);
    if (!view->getDecals().empty())
        others.push_back(std::to_string(view->getDecals().size()) + " decal" +
                         (view->getDecals().size() == 1 ? "" : "s"));
    if (!others.empty()) {
        std::string caption = view->getName() + ":";
        for (const std::string& item : others)
            caption += " " + item + ";";
        caption.pop_back();
        out << "<text class=\"objects\" x=\"" << number(area.x + 4) << "\" y=\""
            << number(area.y + area.height - 6) << "\" font-size=\"9\" fill=\"rgb(150,170,190)\">"
            << escape(caption) << "</text>\n";
    }
    out << "</g>\n";
}

// The SVG picture's painter: views as their projected outlines, parts as groups.
class SvgPainter final : public FramePainter {
public:
    SvgPainter(std::ostringstream& out, float width, float height)
        : svg(out), out(out), width(width), height(height) {}

    Canvas& canvas() override { return svg; }
    void view(const View& view) override { paintView(&view, width, height, svg); }
    void arrow(float x, float y) override {
        out << "<path class=\"pointer\" d=\"M" << number(x) << " " << number(y) << " l0 16 l4 -4 "
            << "l3 7 l2.5 -1 l-3 -7 l6 0 Z\" fill=\"rgb(245,240,225)\" "
               "stroke=\"rgb(20,20,20)\" stroke-width=\"1\"/>\n";
    }
    void beginPart(const char* part) override { out << "<g class=\"" << part << "\">"; }
    void endPart() override { out << "</g>\n"; }

private:
    SvgCanvas svg;
    std::ostringstream& out;
    float width;
    float height;
};

} // namespace

Snapshot::Snapshot(UI* ui) : ui(ui) {}

std::string Snapshot::render(const Options& options) const {
    UI* root = ui ? ui : theUI;
    const float width = root ? root->getScreenWidth() : theRenderDriver->getScreenWidth();
    const float height = root ? root->getScreenHeight() : theRenderDriver->getScreenHeight();
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(width) << "\" height=\""
        << number(height) << "\" viewBox=\"0 0 " << number(width) << " " << number(height)
        << "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
    SvgPainter painter(out, width, height);
    walkFrame(root, options.include3D, painter);
    if (root && root->isShowed() && options.overlay) {
        thread::Lock holdUI(*root);
        out << "<g class=\"overlay\">\n";
        for (const Component* child : root->getChildren())
            outlineTree(child, out);
        for (const Component* top : root->getTopLevel())
            outlineTree(top, out);
        out << "</g>\n";
    }
    if (!options.title.empty())
        out << "<text class=\"title\" x=\"" << number(width - 6) << "\" y=\"" << number(height - 6)
            << "\" font-size=\"11\" text-anchor=\"end\" fill=\"rgb(230,197,132)\">"
            << escape(options.title) << "</text>\n";
    out << "</svg>\n";
    return out.str();
}

bool Snapshot::write(const std::string& path, const Options& options, std::string* error) const {
    std::string why;
    if (resource::writeFileAtomically(path, render(options), &why))
        return true;
    if (error)
        *error = path + ": " + why;
    return false;
}

} // namespace ui
