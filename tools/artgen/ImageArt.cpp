#include "ImageArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace artgen {

namespace {

constexpr float kPi = 3.14159265f;

// The game's palette: dark slate panels edged in gold, parchment, and ink.
const Rgba kGold = rgb(226, 184, 86);
const Rgba kDeepGold = rgb(150, 104, 38);
const Rgba kInk = rgb(28, 20, 14);
const Rgba kSlate = rgb(38, 44, 62);
const Rgba kParchment = rgb(240, 226, 188);
const Rgba kWhite = rgb(250, 248, 240);
const Rgba kGrey = rgb(128, 128, 128);

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool has(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

std::string stemOf(const std::string& file) {
    std::string leaf = file.substr(file.rfind('/') + 1);
    const auto dot = leaf.find('.');
    return dot == std::string::npos ? leaf : leaf.substr(0, dot);
}

// A small deterministic generator, seeded by the picture's name, for scattered details.
class Dice {
public:
    explicit Dice(const std::string& seed) {
        for (char c : seed)
            state = (state ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    float next() { // 0 to 1
        state = state * 1664525u + 1013904223u;
        return static_cast<float>((state >> 8) & 0xFFFF) / 65535.0f;
    }

private:
    uint32_t state = 2166136261u;
};

// Draws a shape in a dark outline first (the shape moved a little each way), then in its colour.
void outlined(float width, Rgba outline, Rgba fill,
              const std::function<void(float dx, float dy, Rgba c)>& shape) {
    for (int i = 0; i < 8; ++i) {
        const float a = kPi / 4 * static_cast<float>(i);
        shape(width * std::cos(a), width * std::sin(a), outline);
    }
    shape(0, 0, fill);
}

std::vector<Point> moved(std::vector<Point> points, float dx, float dy, float scale = 1,
                         float ox = 0, float oy = 0) {
    for (auto& p : points)
        p = {ox + p.x * scale + dx, oy + p.y * scale + dy};
    return points;
}

std::vector<Point> rotated(std::vector<Point> points, float cx, float cy, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    for (auto& p : points) {
        const float x = p.x - cx, y = p.y - cy;
        p = {cx + x * c - y * s, cy + x * s + y * c};
    }
    return points;
}

std::vector<Point> star(float cx, float cy, float outer, float inner, int tips) {
    std::vector<Point> points;
    for (int i = 0; i < tips * 2; ++i) {
        const float a = -kPi / 2 + kPi * static_cast<float>(i) / static_cast<float>(tips);
        const float rr = i % 2 ? inner : outer;
        points.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    return points;
}

// ---- Shapes of the symbols, in a 0..1 box ----------------------------------------------------

const std::vector<Point> kArrow = {{0, 0},         {0, 0.78f},     {0.2f, 0.6f},  {0.34f, 0.92f},
                                   {0.47f, 0.86f}, {0.33f, 0.55f}, {0.58f, 0.55f}};
const std::vector<Point> kSwordBlade = {
    {0.5f, 0.02f}, {0.6f, 0.16f}, {0.6f, 0.66f}, {0.4f, 0.66f}, {0.4f, 0.16f}};
const std::vector<Point> kHeart = {{0.5f, 0.92f},  {0.08f, 0.48f}, {0.06f, 0.28f}, {0.18f, 0.12f},
                                   {0.34f, 0.1f},  {0.5f, 0.26f},  {0.66f, 0.1f},  {0.82f, 0.12f},
                                   {0.94f, 0.28f}, {0.92f, 0.48f}};
const std::vector<Point> kBolt = {{0.58f, 0.02f}, {0.16f, 0.56f}, {0.46f, 0.56f},
                                  {0.36f, 0.98f}, {0.86f, 0.4f},  {0.54f, 0.4f}};
const std::vector<Point> kShield = {{0.12f, 0.1f}, {0.5f, 0.02f}, {0.88f, 0.1f},
                                    {0.86f, 0.5f}, {0.5f, 0.98f}, {0.14f, 0.5f}};
const std::vector<Point> kFlame = {{0.5f, 0.02f},  {0.7f, 0.3f},   {0.84f, 0.56f}, {0.8f, 0.8f},
                                   {0.62f, 0.96f}, {0.38f, 0.96f}, {0.2f, 0.8f},   {0.16f, 0.56f},
                                   {0.32f, 0.44f}, {0.36f, 0.22f}};
const std::vector<Point> kDrop = {{0.5f, 0.04f}, {0.74f, 0.42f}, {0.84f, 0.64f}, {0.76f, 0.86f},
                                  {0.5f, 0.97f}, {0.24f, 0.86f}, {0.16f, 0.64f}, {0.26f, 0.42f}};
const std::vector<Point> kLeaf = {{0.1f, 0.9f},   {0.2f, 0.5f}, {0.46f, 0.2f},
                                  {0.92f, 0.06f}, {0.8f, 0.5f}, {0.5f, 0.82f}};
const std::vector<Point> kStone = {{0.2f, 0.3f},   {0.45f, 0.12f}, {0.78f, 0.2f}, {0.92f, 0.5f},
                                   {0.78f, 0.84f}, {0.4f, 0.9f},   {0.1f, 0.62f}};

void sword(Raster& r, float x, float y, float s, Rgba blade, float angle, float outlineW) {
    const float cx = x + s * 0.5f, cy = y + s * 0.5f;
    outlined(outlineW, kInk, blade, [&](float dx, float dy, Rgba c) {
        r.fillPolygon(rotated(moved(kSwordBlade, dx, dy, s, x, y), cx, cy, angle), c);
    });
    const Rgba hilt = blade.r == blade.g ? shade(blade, 0.7f) : kDeepGold;
    outlined(outlineW, kInk, hilt, [&](float dx, float dy, Rgba c) {
        r.fillPolygon(
            rotated(moved({{0.22f, 0.66f}, {0.78f, 0.66f}, {0.78f, 0.74f}, {0.22f, 0.74f}}, dx, dy,
                          s, x, y),
                    cx, cy, angle),
            c);
        r.fillPolygon(
            rotated(moved({{0.44f, 0.74f}, {0.56f, 0.74f}, {0.56f, 0.96f}, {0.44f, 0.96f}}, dx, dy,
                          s, x, y),
                    cx, cy, angle),
            c);
    });
}

void cross(Raster& r, float x, float y, float s, Rgba c, float outlineW) {
    outlined(outlineW, kInk, c, [&](float dx, float dy, Rgba col) {
        r.fillRect(x + s * 0.36f + dx, y + s * 0.1f + dy, x + s * 0.64f + dx, y + s * 0.9f + dy,
                   col);
        r.fillRect(x + s * 0.1f + dx, y + s * 0.36f + dy, x + s * 0.9f + dx, y + s * 0.64f + dy,
                   col);
    });
}

void hourglass(Raster& r, float x, float y, float s, Rgba sand, float outlineW) {
    outlined(outlineW, kInk, rgb(210, 230, 240), [&](float dx, float dy, Rgba c) {
        r.fillPolygon(moved({{0.2f, 0.12f},
                             {0.8f, 0.12f},
                             {0.54f, 0.5f},
                             {0.8f, 0.88f},
                             {0.2f, 0.88f},
                             {0.46f, 0.5f}},
                            dx, dy, s, x, y),
                      c);
    });
    r.fillPolygon(moved({{0.32f, 0.3f}, {0.68f, 0.3f}, {0.5f, 0.5f}}, 0, 0, s, x, y), sand);
    r.fillPolygon(moved({{0.5f, 0.62f}, {0.74f, 0.86f}, {0.26f, 0.86f}}, 0, 0, s, x, y), sand);
    r.fillRect(x + s * 0.14f, y + s * 0.04f, x + s * 0.86f, y + s * 0.14f, kDeepGold);
    r.fillRect(x + s * 0.14f, y + s * 0.86f, x + s * 0.86f, y + s * 0.96f, kDeepGold);
}

void symbolShape(Raster& r, const std::vector<Point>& shape, float x, float y, float s, Rgba c,
                 float outlineW) {
    outlined(outlineW, kInk, c, [&](float dx, float dy, Rgba col) {
        r.fillPolygon(moved(shape, dx, dy, s, x, y), col);
    });
    // A glint so the symbol reads as a small object, not a flat stencil.
    r.fillEllipse(x + s * 0.38f, y + s * 0.34f, s * 0.08f, s * 0.06f, withAlpha(kWhite, 110));
}

void snowflake(Raster& r, float cx, float cy, float rad, Rgba c, float lw) {
    for (int i = 0; i < 3; ++i) {
        const float a = kPi / 3 * static_cast<float>(i);
        r.line(cx - rad * std::cos(a), cy - rad * std::sin(a), cx + rad * std::cos(a),
               cy + rad * std::sin(a), lw * 1.8f, kInk);
    }
    for (int i = 0; i < 6; ++i) {
        const float a = kPi / 3 * static_cast<float>(i);
        const float ex = cx + rad * std::cos(a), ey = cy + rad * std::sin(a);
        r.line(cx, cy, ex, ey, lw, c);
        const float mx = cx + rad * 0.6f * std::cos(a), my = cy + rad * 0.6f * std::sin(a);
        r.line(mx, my, mx + rad * 0.3f * std::cos(a + 0.8f), my + rad * 0.3f * std::sin(a + 0.8f),
               lw * 0.8f, c);
        r.line(mx, my, mx + rad * 0.3f * std::cos(a - 0.8f), my + rad * 0.3f * std::sin(a - 0.8f),
               lw * 0.8f, c);
    }
}

// ---- Landscapes --------------------------------------------------------------------------------

enum class Feature {
    Lighthouse,
    Mill,
    ScorchedMill,
    Garden,
    Altar,
    Den,
    Tower,
    Lake,
    Volcano,
    Swamp,
    Castle
};

struct SceneStyle {
    Rgba skyTop, skyBottom, far, mid, near, water;
    bool sea = false;
    bool moon = false;
    Feature feature = Feature::Castle;
    const char* title = "";
};

SceneStyle styleFor(const std::string& key) {
    SceneStyle s;
    s.water = rgb(52, 96, 140);
    if (has(key, "lighthouse"))
        s = {rgb(54, 84, 150),
             rgb(250, 196, 140),
             rgb(96, 96, 132),
             rgb(86, 104, 96),
             rgb(70, 84, 62),
             rgb(40, 78, 122),
             true,
             false,
             Feature::Lighthouse,
             "The Lighthouse"};
    else if (has(key, "scorched"))
        s = {rgb(52, 24, 26),       rgb(232, 112, 52),  rgb(84, 52, 50), rgb(66, 48, 40),
             rgb(48, 38, 32),       rgb(70, 50, 44),    false,           false,
             Feature::ScorchedMill, "The Scorched Mill"};
    else if (has(key, "watermill"))
        s = {rgb(100, 156, 220),
             rgb(226, 238, 246),
             rgb(112, 146, 128),
             rgb(92, 142, 72),
             rgb(62, 112, 52),
             rgb(60, 112, 160),
             false,
             false,
             Feature::Mill,
             "The Watermill"};
    else if (has(key, "garden"))
        s = {rgb(116, 178, 232),
             rgb(244, 240, 214),
             rgb(124, 164, 116),
             rgb(96, 156, 78),
             rgb(72, 140, 62),
             rgb(60, 112, 160),
             false,
             false,
             Feature::Garden,
             "The Garden"};
    else if (has(key, "sacrifice"))
        s = {rgb(44, 20, 44), rgb(196, 70, 62), rgb(66, 42, 64), rgb(58, 46, 50),
             rgb(46, 40, 36), rgb(60, 40, 50),  false,           true,
             Feature::Altar,  "The Sacrifice"};
    else if (has(key, "den"))
        s = {rgb(40, 50, 72), rgb(126, 124, 134), rgb(74, 78, 92), rgb(82, 80, 70),
             rgb(66, 64, 54), rgb(50, 60, 80),    false,           true,
             Feature::Den,    "The Wolves' Den"};
    else if (has(key, "odin"))
        s = {rgb(26, 34, 86),
             rgb(146, 120, 172),
             rgb(58, 56, 100),
             rgb(60, 70, 80),
             rgb(44, 56, 52),
             rgb(40, 50, 90),
             false,
             true,
             Feature::Tower,
             "Odin's Tower"};
    else if (has(key, "water"))
        s = {rgb(98, 148, 210),
             rgb(228, 240, 250),
             rgb(110, 140, 150),
             rgb(84, 130, 98),
             rgb(70, 116, 72),
             rgb(54, 110, 168),
             true,
             false,
             Feature::Lake,
             "The Lake"};
    else if (has(key, "fire"))
        s = {rgb(36, 10, 12),  rgb(246, 118, 40),  rgb(70, 36, 34), rgb(58, 36, 30),
             rgb(40, 28, 24),  rgb(90, 40, 20),    false,           false,
             Feature::Volcano, "The Fire Mountain"};
    else if (has(key, "swamp"))
        s = {rgb(66, 88, 78),
             rgb(172, 182, 150),
             rgb(92, 110, 92),
             rgb(74, 94, 64),
             rgb(58, 78, 50),
             rgb(60, 76, 58),
             false,
             false,
             Feature::Swamp,
             "The Swamp"};
    else
        s = {rgb(88, 118, 180),
             rgb(232, 212, 180),
             rgb(104, 116, 140),
             rgb(96, 124, 86),
             rgb(74, 104, 66),
             rgb(56, 100, 150),
             false,
             false,
             Feature::Castle,
             "Another Land"};
    return s;
}

void hills(Raster& r, float base, float amp, float f1, float p1, Rgba c) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    std::vector<Point> pts{{0, h}};
    for (int i = 0; i <= 48; ++i) {
        const float x = w * static_cast<float>(i) / 48;
        const float t = x / w * 6.2831853f;
        pts.push_back({x, base - amp * (0.6f * std::sin(t * f1 + p1) +
                                        0.4f * std::sin(t * f1 * 2.3f + p1 * 1.7f))});
    }
    pts.push_back({w, h});
    r.fillPolygon(pts, c);
}

void taper(Raster& r, float cx, float y0, float y1, float w0, float w1, Rgba c) {
    r.fillPolygon({{cx - w0 / 2, y0}, {cx + w0 / 2, y0}, {cx + w1 / 2, y1}, {cx - w1 / 2, y1}}, c);
}

void tree(Raster& r, float x, float ground, float size, Rgba leaves) {
    r.fillRect(x - size * 0.08f, ground - size * 0.5f, x + size * 0.08f, ground, rgb(84, 58, 36));
    r.fillEllipse(x, ground - size * 0.7f, size * 0.36f, size * 0.32f, shade(leaves, 0.8f));
    r.fillEllipse(x - size * 0.16f, ground - size * 0.58f, size * 0.26f, size * 0.22f, leaves);
    r.fillEllipse(x + size * 0.18f, ground - size * 0.62f, size * 0.24f, size * 0.22f,
                  shade(leaves, 1.12f));
}

void deadTree(Raster& r, float x, float ground, float size, Rgba c) {
    const float lw = size * 0.06f;
    r.line(x, ground, x, ground - size, lw * 1.5f, c);
    r.line(x, ground - size * 0.6f, x - size * 0.3f, ground - size * 0.9f, lw, c);
    r.line(x, ground - size * 0.45f, x + size * 0.32f, ground - size * 0.78f, lw, c);
    r.line(x + size * 0.16f, ground - size * 0.62f, x + size * 0.3f, ground - size * 0.6f,
           lw * 0.7f, c);
}

void mill(Raster& r, float u, float x, float ground, bool burnt, float wheelTurn) {
    const Rgba wall = burnt ? rgb(60, 46, 40) : rgb(206, 186, 150);
    const Rgba roof = burnt ? rgb(36, 28, 26) : rgb(150, 60, 42);
    const Rgba wood = burnt ? rgb(40, 30, 26) : rgb(110, 74, 44);
    r.fillRect(x, ground - 44 * u, x + 60 * u, ground, wall);
    if (burnt)
        r.fillPolygon({{x - 4 * u, ground - 44 * u},
                       {x + 18 * u, ground - 64 * u},
                       {x + 30 * u, ground - 52 * u},
                       {x + 40 * u, ground - 66 * u},
                       {x + 64 * u, ground - 44 * u}},
                      roof);
    else
        r.fillPolygon({{x - 6 * u, ground - 44 * u},
                       {x + 30 * u, ground - 72 * u},
                       {x + 66 * u, ground - 44 * u}},
                      roof);
    r.fillRect(x + 8 * u, ground - 24 * u, x + 20 * u, ground, shade(wood, 0.7f));
    r.fillRect(x + 34 * u, ground - 34 * u, x + 46 * u, ground - 22 * u,
               burnt ? rgb(255, 140, 40) : rgb(250, 220, 120));
    const float wx = x + 72 * u, wy = ground - 16 * u, wr = 24 * u;
    r.ring(wx, wy, wr, 4 * u, wood);
    for (int i = 0; i < 8; ++i) {
        const float a = wheelTurn + kPi / 4 * static_cast<float>(i);
        r.line(wx, wy, wx + wr * std::cos(a), wy + wr * std::sin(a), 2 * u, wood);
        const float px = wx + wr * std::cos(a), py = wy + wr * std::sin(a);
        r.fillEllipse(px, py, 4 * u, 4 * u, shade(wood, 1.2f));
    }
    r.fillEllipse(wx, wy, 4 * u, 4 * u, shade(wood, 0.6f));
}

void paintScene(Raster& r, const std::string& key, bool withTitle, const ArtFaces& faces) {
    const SceneStyle s = styleFor(key);
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    const float u = h / 192; // the pictures are designed 192 high
    Dice dice(key);

    r.verticalGradient(0, 0, w, h * 0.7f, s.skyTop, s.skyBottom);
    r.fillRect(0, h * 0.7f, w, h, s.skyBottom);
    if (s.moon) {
        for (int i = 0; i < 40; ++i)
            r.fillEllipse(dice.next() * w, dice.next() * h * 0.4f, 0.7f * u, 0.7f * u,
                          withAlpha(kWhite, 120 + static_cast<int>(dice.next() * 120)));
        r.fillEllipse(w * 0.2f, h * 0.18f, 14 * u, 14 * u, rgb(242, 236, 210));
        r.fillEllipse(w * 0.2f + 5 * u, h * 0.18f - 3 * u, 12 * u, 12 * u,
                      withAlpha(s.skyTop, 230));
    } else {
        const Rgba sun = s.feature == Feature::Volcano || s.feature == Feature::ScorchedMill
                             ? rgb(255, 190, 90)
                             : rgb(255, 246, 210);
        // Over the lighthouse's sea the sun is setting, below its beam.
        const bool setting = s.feature == Feature::Lighthouse;
        const float sx = w * (setting ? 0.4f : 0.24f), sy = h * (setting ? 0.52f : 0.3f);
        r.fillEllipse(sx, sy, 26 * u, 26 * u, withAlpha(sun, 50));
        r.fillEllipse(sx, sy, 16 * u, 16 * u, sun);
    }
    // Clouds.
    for (int i = 0; i < 3; ++i) {
        const float cx = w * (0.15f + 0.35f * static_cast<float>(i)) + dice.next() * 20 * u;
        const float cy = h * (0.12f + 0.08f * dice.next());
        const Rgba cloud = withAlpha(mix(kWhite, s.skyBottom, 0.3f), 150);
        r.fillEllipse(cx, cy, 22 * u, 6 * u, cloud);
        r.fillEllipse(cx + 10 * u, cy - 4 * u, 14 * u, 6 * u, cloud);
    }

    if (s.feature == Feature::Volcano) {
        r.fillPolygon({{w * 0.3f, h * 0.72f},
                       {w * 0.52f, h * 0.22f},
                       {w * 0.6f, h * 0.22f},
                       {w * 0.86f, h * 0.72f}},
                      s.far);
        r.fillEllipse(w * 0.56f, h * 0.22f, w * 0.05f, 4 * u, rgb(255, 150, 40));
        for (int i = 0; i < 4; ++i)
            r.line(w * (0.53f + 0.02f * static_cast<float>(i)), h * 0.23f,
                   w * (0.46f + 0.07f * static_cast<float>(i)), h * 0.6f, 2.5f * u,
                   rgb(255, 110 + 30 * i, 30));
        for (int i = 0; i < 5; ++i)
            r.fillEllipse(w * 0.56f + (dice.next() - 0.5f) * 40 * u,
                          h * 0.16f - dice.next() * 20 * u, 8 * u, 6 * u,
                          withAlpha(rgb(60, 50, 50), 140));
    }
    hills(r, h * 0.58f, 12 * u, 1.3f, 0.7f, s.far);
    if (s.feature == Feature::Den)
        r.fillPolygon({{w * 0.35f, h},
                       {w * 0.45f, h * 0.3f},
                       {w * 0.7f, h * 0.24f},
                       {w * 0.95f, h * 0.4f},
                       {w, h}},
                      s.mid);
    if (s.sea || s.feature == Feature::Lake || s.feature == Feature::Swamp) {
        const float top = s.feature == Feature::Swamp ? h * 0.72f : h * 0.6f;
        r.verticalGradient(0, top, w, h, mix(s.water, s.skyBottom, 0.35f), s.water);
        for (int i = 0; i < 14; ++i) {
            const float y = top + (h - top) * dice.next();
            const float x = dice.next() * w;
            r.fillRect(x, y, x + (10 + 20 * dice.next()) * u, y + 0.8f * u, withAlpha(kWhite, 70));
        }
    } else {
        hills(r, h * 0.7f, 8 * u, 2.1f, 2.3f, s.mid);
    }

    switch (s.feature) {
    case Feature::Lighthouse: {
        r.fillPolygon({{w * 0.56f, h},
                       {w * 0.62f, h * 0.76f},
                       {w * 0.7f, h * 0.7f},
                       {w * 0.84f, h * 0.72f},
                       {w * 0.96f, h * 0.84f},
                       {w, h}},
                      s.near);
        const float cx = w * 0.75f, base = h * 0.72f, top = h * 0.3f;
        r.fillPolygon(
            {{cx - 12 * u, top - 2 * u}, {w * 0.02f, top - 26 * u}, {w * 0.02f, top + 22 * u}},
            withAlpha(rgb(255, 240, 170), 60));
        for (int band = 0; band < 5; ++band) {
            const float y0 = base - (base - top) * static_cast<float>(band) / 5;
            const float y1 = base - (base - top) * static_cast<float>(band + 1) / 5;
            const float w0 = 20 * u - 8 * u * static_cast<float>(band) / 5;
            const float w1 = 20 * u - 8 * u * static_cast<float>(band + 1) / 5;
            taper(r, cx, y0, y1, w0, w1, band % 2 ? rgb(196, 52, 44) : rgb(242, 236, 226));
        }
        r.fillRect(cx - 9 * u, top - 2 * u, cx + 9 * u, top, kInk);
        r.fillRect(cx - 6 * u, top - 12 * u, cx + 6 * u, top - 2 * u, rgb(255, 236, 140));
        r.fillEllipse(cx, top - 7 * u, 14 * u, 12 * u, withAlpha(rgb(255, 240, 170), 70));
        r.fillPolygon({{cx - 8 * u, top - 12 * u}, {cx, top - 20 * u}, {cx + 8 * u, top - 12 * u}},
                      rgb(150, 40, 36));
        r.fillRect(cx - 2 * u, base - 10 * u, cx + 2 * u, base, kInk);
        break;
    }
    case Feature::Mill:
    case Feature::ScorchedMill: {
        const bool burnt = s.feature == Feature::ScorchedMill;
        r.verticalGradient(0, h * 0.8f, w, h * 0.9f, shade(s.water, 1.2f), s.water);
        mill(r, u, w * 0.3f, h * 0.8f, burnt, 0.2f);
        r.fillRect(0, h * 0.9f, w, h, s.near);
        if (burnt)
            for (int i = 0; i < 6; ++i)
                r.fillEllipse(w * 0.42f + static_cast<float>(i) * 6 * u,
                              h * 0.38f - static_cast<float>(i) * 10 * u,
                              (8 + 3 * static_cast<float>(i)) * u,
                              (6 + 2 * static_cast<float>(i)) * u, withAlpha(rgb(50, 44, 44), 150));
        else
            tree(r, w * 0.12f, h * 0.9f, 60 * u, rgb(70, 130, 60));
        break;
    }
    case Feature::Garden: {
        r.fillRect(0, h * 0.72f, w, h, s.near);
        r.fillPolygon(
            {{w * 0.44f, h * 0.72f}, {w * 0.56f, h * 0.72f}, {w * 0.74f, h}, {w * 0.26f, h}},
            rgb(200, 180, 130));
        tree(r, w * 0.14f, h * 0.8f, 70 * u, rgb(72, 140, 58));
        tree(r, w * 0.86f, h * 0.82f, 80 * u, rgb(84, 150, 64));
        tree(r, w * 0.68f, h * 0.74f, 44 * u, rgb(64, 126, 56));
        for (int i = 0; i < 40; ++i) {
            const float x = dice.next() * w, y = h * (0.76f + 0.22f * dice.next());
            const Rgba petals[] = {rgb(240, 80, 90), rgb(250, 220, 80), rgb(240, 240, 250),
                                   rgb(190, 110, 220)};
            r.fillEllipse(x, y, 1.6f * u, 1.6f * u, petals[i % 4]);
        }
        break;
    }
    case Feature::Altar: {
        r.fillRect(0, h * 0.74f, w, h, s.near);
        for (int i = 0; i < 5; ++i) {
            const float x = w * (0.2f + 0.15f * static_cast<float>(i));
            const float tall = (i == 2 ? 0 : 36 + 10 * static_cast<float>(i % 2)) * u;
            if (tall > 0)
                r.fillRect(x - 6 * u, h * 0.76f - tall, x + 6 * u, h * 0.76f, rgb(96, 92, 90));
        }
        r.fillEllipse(w * 0.5f, h * 0.72f, 40 * u, 14 * u, withAlpha(rgb(230, 60, 40), 90));
        r.fillRect(w * 0.5f - 20 * u, h * 0.7f, w * 0.5f + 20 * u, h * 0.76f, rgb(120, 110, 104));
        r.fillRect(w * 0.5f - 16 * u, h * 0.76f, w * 0.5f + 16 * u, h * 0.8f, rgb(90, 84, 80));
        break;
    }
    case Feature::Den: {
        r.fillRect(0, h * 0.8f, w, h, s.near);
        r.fillEllipse(w * 0.66f, h * 0.8f, 30 * u, 26 * u, rgb(16, 14, 16));
        r.fillEllipse(w * 0.63f, h * 0.72f, 2 * u, 1.5f * u, rgb(255, 210, 60));
        r.fillEllipse(w * 0.66f, h * 0.72f, 2 * u, 1.5f * u, rgb(255, 210, 60));
        deadTree(r, w * 0.18f, h * 0.84f, 50 * u, rgb(40, 36, 34));
        break;
    }
    case Feature::Tower: {
        r.fillRect(0, h * 0.78f, w, h, s.near);
        const float cx = w * 0.62f, base = h * 0.8f, top = h * 0.22f;
        r.fillRect(cx - 14 * u, top, cx + 14 * u, base, rgb(90, 92, 104));
        for (int i = 0; i < 4; ++i)
            r.fillRect(cx - 16 * u + static_cast<float>(i) * 9 * u, top - 6 * u,
                       cx - 11 * u + static_cast<float>(i) * 9 * u, top, rgb(90, 92, 104));
        for (int i = 0; i < 3; ++i)
            r.fillRect(cx - 3 * u, top + (14 + 30 * static_cast<float>(i)) * u, cx + 3 * u,
                       top + (24 + 30 * static_cast<float>(i)) * u, rgb(255, 210, 110));
        for (int i = 0; i < 3; ++i) {
            const float bx = w * (0.25f + 0.1f * static_cast<float>(i)),
                        by = h * (0.3f + 0.05f * i);
            r.line(bx - 5 * u, by - 3 * u, bx, by, 1.4f * u, kInk);
            r.line(bx, by, bx + 5 * u, by - 3 * u, 1.4f * u, kInk);
        }
        break;
    }
    case Feature::Lake: {
        r.fillEllipse(w * 0.6f, h * 0.66f, 40 * u, 8 * u, s.near);
        tree(r, w * 0.6f, h * 0.66f, 40 * u, rgb(70, 124, 62));
        r.fillPolygon({{0, h}, {0, h * 0.8f}, {w * 0.3f, h * 0.9f}, {w * 0.5f, h}}, s.near);
        for (int i = 0; i < 9; ++i) {
            const float x = w * 0.04f * static_cast<float>(i) + 6 * u;
            r.line(x, h * 0.96f, x + 2 * u, h * (0.78f + 0.02f * static_cast<float>(i % 3)),
                   1.2f * u, rgb(90, 110, 50));
        }
        break;
    }
    case Feature::Volcano:
        r.fillRect(0, h * 0.82f, w, h, s.near);
        for (int i = 0; i < 20; ++i)
            r.fillEllipse(dice.next() * w, dice.next() * h * 0.6f, 0.9f * u, 0.9f * u,
                          rgb(255, 160, 60));
        break;
    case Feature::Swamp:
        for (int i = 0; i < 12; ++i)
            r.fillEllipse(dice.next() * w, h * (0.78f + 0.2f * dice.next()), 5 * u, 1.6f * u,
                          rgb(70, 110, 56));
        deadTree(r, w * 0.22f, h * 0.8f, 60 * u, rgb(44, 46, 36));
        deadTree(r, w * 0.74f, h * 0.78f, 44 * u, rgb(44, 46, 36));
        for (int i = 0; i < 3; ++i)
            r.fillRect(0, h * (0.62f + 0.08f * static_cast<float>(i)), w,
                       h * (0.66f + 0.08f * static_cast<float>(i)), withAlpha(kWhite, 36));
        break;
    case Feature::Castle: {
        r.fillRect(0, h * 0.8f, w, h, s.near);
        const float cx = w * 0.66f, base = h * 0.56f;
        r.fillRect(cx - 30 * u, base - 20 * u, cx + 30 * u, base + 4 * u, rgb(120, 116, 128));
        r.fillRect(cx - 36 * u, base - 34 * u, cx - 24 * u, base + 4 * u, rgb(110, 106, 118));
        r.fillRect(cx + 24 * u, base - 34 * u, cx + 36 * u, base + 4 * u, rgb(110, 106, 118));
        r.fillRect(cx - 8 * u, base - 44 * u, cx + 8 * u, base - 20 * u, rgb(128, 124, 136));
        r.line(cx, base - 44 * u, cx, base - 56 * u, 1 * u, kInk);
        r.fillPolygon({{cx, base - 56 * u}, {cx + 10 * u, base - 53 * u}, {cx, base - 50 * u}},
                      rgb(200, 50, 50));
        r.fillRect(cx - 5 * u, base - 8 * u, cx + 5 * u, base + 4 * u, rgb(50, 40, 40));
        tree(r, w * 0.16f, h * 0.84f, 56 * u, rgb(70, 120, 60));
        break;
    }
    }

    if (withTitle) {
        // Loading screens: a dark vignette at the edges and the mission's name in the title font.
        for (int i = 0; i < 12; ++i) {
            const float inset = static_cast<float>(i) * 2 * u;
            const Rgba edge = withAlpha(kInk, 14);
            r.fillRect(0, 0, w, inset + 2 * u, edge);
            r.fillRect(0, h - inset - 2 * u, w, h, edge);
        }
        r.fillRect(0, h * 0.06f, w, h * 0.2f, withAlpha(kInk, 110));
        r.fillRect(0, h * 0.06f, w, h * 0.06f + u, kGold);
        r.fillRect(0, h * 0.2f - u, w, h * 0.2f, kGold);
        r.centredText(*faces.title, 13 * u, 0, h * 0.06f, w, h * 0.2f, s.title, kGold, kInk);
    }
}

// ---- Plates, bars and buttons ----------------------------------------------------------------

void plate(Raster& r, const std::string& text, const TextFace& face, float size) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    r.fillRoundRect(0, 0, w, h, h * 0.3f, kDeepGold);
    r.fillRoundRect(1.5f, 1.5f, w - 1.5f, h - 1.5f, h * 0.26f, kSlate);
    r.verticalGradient(2, 2, w - 2, h / 2, withAlpha(kWhite, 40), withAlpha(kWhite, 0));
    r.fillRect(h * 0.3f, h - 3, w - h * 0.3f, h - 2.5f, withAlpha(kGold, 120));
    float fit = size;
    while (fit > 6 && Raster::measure(face, fit, text) > w - h * 0.6f)
        fit -= 1;
    r.centredText(face, fit, 0, 0, w, h, text, kGold, kInk);
}

void bar(Raster& r, Rgba tint) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    r.fillRoundRect(0, 0, w, h, h / 2, kInk);
    r.fillRoundRect(1, 1, w - 1, h - 1, h / 2 - 1, shade(tint, 0.7f));
    r.verticalGradient(2, 2, w - 2, h / 2, shade(tint, 1.35f), tint);
    for (float x = h; x < w - h; x += h * 1.5f)
        r.fillPolygon({{x, h - 2}, {x + h * 0.5f, 2}, {x + h, 2}, {x + h * 0.5f, h - 2}},
                      withAlpha(kWhite, 40));
}

Rgba missionTint(const std::string& key) {
    const SceneStyle s = styleFor(key);
    return mix(s.skyBottom, kGold, 0.4f);
}

void roundButton(Raster& r, Rgba face, bool pressed, bool glow) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    const float cx = w / 2, cy = h / 2, rad = std::min(w, h) / 2 - 1;
    if (glow)
        r.fillEllipse(cx, cy, rad + 1, rad + 1, withAlpha(rgb(255, 230, 140), 140));
    r.fillEllipse(cx, cy, rad, rad, kInk);
    r.fillEllipse(cx, cy, rad - 1.5f, rad - 1.5f, pressed ? kDeepGold : kGold);
    r.fillEllipse(cx + (pressed ? 0.5f : 0), cy + (pressed ? 0.5f : 0), rad * 0.8f, rad * 0.8f,
                  pressed ? shade(face, 0.75f) : face);
    r.fillEllipse(cx - rad * 0.25f, cy - rad * 0.35f, rad * 0.4f, rad * 0.22f,
                  withAlpha(kWhite, pressed ? 30 : 70));
}

// ---- Pictures by family ------------------------------------------------------------------------

void pointerPicture(Raster& r, const std::string& stem, const ArtFaces&) {
    const float s = static_cast<float>(r.width());
    if (has(stem, "arrow_")) {
        // Edge-scrolling arrows: a fat arrow pointing off the screen.
        float angle = 0;
        const std::pair<const char*, float> dirs[] = {
            {"upleft", -3 * kPi / 4}, {"upright", -kPi / 4}, {"downleft", 3 * kPi / 4},
            {"downright", kPi / 4},   {"left", kPi},         {"right", 0},
            {"up", -kPi / 2},         {"down", kPi / 2}};
        for (const auto& [name, a] : dirs)
            if (has(stem, name)) {
                angle = a;
                break;
            }
        const std::vector<Point> arrow = {{0.1f, 0.38f}, {0.5f, 0.38f}, {0.5f, 0.16f},
                                          {0.92f, 0.5f}, {0.5f, 0.84f}, {0.5f, 0.62f},
                                          {0.1f, 0.62f}};
        outlined(1.2f, kInk, kGold, [&](float dx, float dy, Rgba c) {
            r.fillPolygon(rotated(moved(arrow, dx, dy, s), s / 2, s / 2, angle), c);
        });
        return;
    }
    const bool off = has(stem, "_off");
    Rgba arrowColour = kGold;
    if (stem == "board" || stem == "spare")
        arrowColour = rgb(200, 214, 230);
    if (off)
        arrowColour = kGrey;
    outlined(1.1f, kInk, arrowColour, [&](float dx, float dy, Rgba c) {
        r.fillPolygon(moved(kArrow, dx + 1, dy + 1, s * 0.62f), c);
    });
    const float b = s * 0.46f, bx = s * 0.5f, by = s * 0.5f; // the badge's box
    const auto grey = [off](Rgba c) { return off ? mix(c, kGrey, 0.75f) : c; };
    if (stem == "move") {
        r.fillEllipse(bx + b * 0.35f, by + b * 0.55f, b * 0.16f, b * 0.28f, kInk);
        r.fillEllipse(bx + b * 0.35f, by + b * 0.55f, b * 0.12f, b * 0.24f, rgb(120, 220, 110));
        r.fillEllipse(bx + b * 0.7f, by + b * 0.35f, b * 0.16f, b * 0.28f, kInk);
        r.fillEllipse(bx + b * 0.7f, by + b * 0.35f, b * 0.12f, b * 0.24f, rgb(120, 220, 110));
    } else if (stem == "select") {
        r.ring(bx + b / 2, by + b / 2, b * 0.4f, b * 0.22f, kInk);
        r.ring(bx + b / 2, by + b / 2, b * 0.4f, b * 0.12f, rgb(255, 230, 90));
    } else if (has(stem, "act")) {
        sword(r, bx, by, b, grey(rgb(220, 226, 236)), kPi / 4, 1);
    } else if (stem == "nomove") {
        r.ring(bx + b / 2, by + b / 2, b * 0.38f, b * 0.26f, kInk);
        r.ring(bx + b / 2, by + b / 2, b * 0.38f, b * 0.16f, rgb(230, 50, 40));
        r.line(bx + b * 0.2f, by + b * 0.8f, bx + b * 0.8f, by + b * 0.2f, b * 0.16f,
               rgb(230, 50, 40));
    } else if (has(stem, "cast")) {
        outlined(1, kInk, grey(rgb(190, 120, 250)), [&](float dx, float dy, Rgba c) {
            r.fillPolygon(star(bx + b / 2 + dx, by + b / 2 + dy, b * 0.5f, b * 0.22f, 5), c);
        });
    } else if (has(stem, "heal")) {
        cross(r, bx, by, b, grey(rgb(90, 210, 100)), 1);
    } else if (stem == "wait") {
        hourglass(r, bx, by, b, rgb(230, 190, 90), 1);
    } else if (stem == "helpme") {
        r.fillEllipse(bx + b / 2, by + b / 2, b * 0.5f, b * 0.5f, kInk);
        r.fillEllipse(bx + b / 2, by + b / 2, b * 0.42f, b * 0.42f, rgb(220, 50, 40));
        r.fillRect(bx + b * 0.43f, by + b * 0.2f, bx + b * 0.57f, by + b * 0.6f, kWhite);
        r.fillEllipse(bx + b / 2, by + b * 0.74f, b * 0.08f, b * 0.08f, kWhite);
    }
}

// Act indicators beside the pointer: ranged, magic, support and melee, present or missing,
// enabled or not.
void indicatorPicture(Raster& r, const std::string& stem) {
    const float s = static_cast<float>(r.width());
    Rgba c = rgb(90, 200, 90);
    if (has(stem, "magic"))
        c = rgb(170, 110, 240);
    else if (has(stem, "support"))
        c = rgb(80, 160, 240);
    else if (has(stem, "melee"))
        c = rgb(230, 70, 50);
    if (has(stem, "_off"))
        c = mix(c, kGrey, 0.7f);
    if (has(stem, "missing")) {
        r.ring(s / 2, s / 2, s * 0.34f, s * 0.24f, kInk);
        r.ring(s / 2, s / 2, s * 0.34f, s * 0.12f, c);
        return;
    }
    r.fillEllipse(s / 2, s / 2, s * 0.46f, s * 0.46f, kInk);
    r.fillEllipse(s / 2, s / 2, s * 0.38f, s * 0.38f, c);
    r.fillEllipse(s * 0.4f, s * 0.38f, s * 0.12f, s * 0.1f, withAlpha(kWhite, 150));
}

void statusPanelPicture(Raster& r, const std::string& stem) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    if (has(stem, "back")) {
        r.fillRoundRect(0, 0, w, h, 5, withAlpha(kInk, 200));
        r.fillRoundRect(1, 1, w - 1, h - 1, 4, withAlpha(kSlate, 215));
        r.verticalGradient(1, 1, w - 1, h / 2, withAlpha(kWhite, 36), withAlpha(kWhite, 0));
        if (stem != "back_down")
            r.fillRect(4, 1, w - 4, 2, kGold);
        if (stem != "back_up")
            r.fillRect(4, h - 2, w - 4, h - 1, kDeepGold);
        return;
    }
    if (stem == "health")
        symbolShape(r, kHeart, 0, 0, w, rgb(220, 50, 56), 0.8f);
    else if (stem == "act")
        symbolShape(r, kBolt, 0, 0, w, rgb(250, 210, 70), 0.8f);
    else if (stem == "defence")
        symbolShape(r, kShield, 0, 0, w, rgb(130, 160, 200), 0.8f);
}

// The act modifier's element picture of the status panel's indicators, full or empty.
void elementPicture(Raster& r, const std::string& name) {
    const float s = static_cast<float>(r.width());
    if (has(name, "_hole")) {
        r.fillEllipse(s / 2, s / 2, s * 0.44f, s * 0.44f, withAlpha(kInk, 220));
        r.ring(s / 2, s / 2, s * 0.38f, s * 0.1f, withAlpha(kDeepGold, 200));
        return;
    }
    if (has(name, "fire"))
        symbolShape(r, kFlame, 0, 0, s, rgb(250, 130, 40), 0.7f);
    else if (has(name, "drop"))
        symbolShape(r, kDrop, 0, 0, s, rgb(90, 170, 250), 0.7f);
    else if (has(name, "lief"))
        symbolShape(r, kLeaf, 0, 0, s, rgb(110, 200, 80), 0.7f);
    else
        symbolShape(r, kStone, 0, 0, s, rgb(170, 166, 156), 0.7f);
}

void statusPicture(Raster& r, const std::string& name) {
    const float s = static_cast<float>(r.width());
    r.fillEllipse(s / 2, s / 2, s * 0.48f, s * 0.48f, kInk);
    r.fillEllipse(s / 2, s / 2, s * 0.44f, s * 0.44f, kSlate);
    r.ring(s / 2, s / 2, s * 0.44f, s * 0.04f, kGold);
    if (has(name, "burn"))
        symbolShape(r, kFlame, s * 0.2f, s * 0.16f, s * 0.6f, rgb(250, 130, 40), 1.5f);
    else if (has(name, "froz"))
        snowflake(r, s / 2, s / 2, s * 0.3f, rgb(170, 220, 255), s * 0.05f);
    else
        symbolShape(r, kDrop, s * 0.24f, s * 0.18f, s * 0.52f, rgb(120, 210, 70), 1.5f);
}

void endTurnPicture(Raster& r, const std::string& stem) {
    const bool pressed = has(stem, "pressed"), flyby = has(stem, "flyby");
    roundButton(r, flyby ? rgb(64, 96, 160) : rgb(44, 66, 120), pressed, flyby);
    const float s = static_cast<float>(r.width());
    const float o = pressed ? 1.0f : 0.0f;
    hourglass(r, s * 0.3f + o, s * 0.26f + o, s * 0.4f, rgb(240, 200, 90), 1.2f);
}

void arrowButton(Raster& r, bool right) {
    roundButton(r, rgb(44, 66, 120), false, false);
    const float s = static_cast<float>(r.width());
    std::vector<Point> tri = {{0.62f, 0.28f}, {0.62f, 0.72f}, {0.3f, 0.5f}};
    if (right)
        tri = {{0.38f, 0.28f}, {0.38f, 0.72f}, {0.7f, 0.5f}};
    outlined(1.2f, kInk, kGold,
             [&](float dx, float dy, Rgba c) { r.fillPolygon(moved(tri, dx, dy, s), c); });
}

void textButton(Raster& r, const std::string& text, const TextFace& face) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    r.fillRoundRect(0, 0, w, h, 8, kInk);
    r.fillRoundRect(1.5f, 1.5f, w - 1.5f, h - 1.5f, 7, kGold);
    r.fillRoundRect(4, 4, w - 4, h - 4, 5, rgb(60, 40, 30));
    r.verticalGradient(4, 4, w - 4, h - 4, rgb(150, 56, 40), rgb(96, 30, 24));
    r.verticalGradient(5, 5, w - 5, h / 2, withAlpha(kWhite, 60), withAlpha(kWhite, 0));
    r.centredText(face, h * 0.46f, 0, 0, w, h, text, kParchment, kInk);
}

void balloonPicture(Raster& r, const std::string& name, const BalloonShape& shape) {
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    const float bottom = std::max(shape.drawArea[3] + 0.1f, 0.74f) * h;
    const float tipX = shape.tipX * w, tipY = shape.tipY * h - 0.5f;
    const bool thoughts = has(name, "thought"), author = has(name, "author");
    const Rgba body = author ? kParchment : kWhite;
    if (thoughts) {
        const float cy = bottom * 0.52f;
        const std::vector<std::array<float, 4>> puffs = {
            {0.5f, 0.5f, 0.4f, 0.4f},   {0.2f, 0.52f, 0.18f, 0.32f}, {0.8f, 0.52f, 0.18f, 0.32f},
            {0.36f, 0.3f, 0.2f, 0.28f}, {0.64f, 0.3f, 0.2f, 0.28f},  {0.36f, 0.74f, 0.2f, 0.26f},
            {0.64f, 0.74f, 0.2f, 0.26f}};
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& p : puffs) {
                const float grow = pass == 0 ? 1.5f : 0;
                r.fillEllipse(p[0] * w, cy + (p[1] - 0.5f) * bottom * 1.0f, p[2] * w + grow,
                              p[3] * bottom + grow, pass == 0 ? kInk : body);
            }
        // Bubbles rising from the thinker.
        for (int i = 0; i < 3; ++i) {
            const float t = 0.25f + 0.3f * static_cast<float>(i);
            const float x = tipX + (w / 2 - tipX) * t * 0.5f, y = tipY + (bottom - tipY) * t;
            const float rad = 2.0f + 1.6f * static_cast<float>(i);
            r.fillEllipse(x, y, rad + 1.2f, rad + 1.2f, kInk);
            r.fillEllipse(x, y, rad, rad, body);
        }
        return;
    }
    const float tailHalf = w * 0.07f;
    const float baseX = std::clamp(tipX + (w / 2 - tipX) * 0.35f, 12 + tailHalf, w - 12 - tailHalf);
    const std::vector<Point> tail = {
        {baseX - tailHalf, bottom - 4}, {baseX + tailHalf, bottom - 4}, {tipX, tipY}};
    outlined(1.4f, kInk, body, [&](float dx, float dy, Rgba c) {
        r.fillRoundRect(2 + dx, 2 + dy, w - 2 + dx, bottom + dy, author ? 4 : 14, c);
        r.fillPolygon(moved(tail, dx, dy), c);
    });
    if (author) {
        // A scroll: rolled ends left and right.
        for (float x : {4.0f, w - 4.0f}) {
            r.fillRoundRect(x - 3, 0.5f, x + 3, bottom + 1.5f, 3, kInk);
            r.fillRoundRect(x - 2, 1.5f, x + 2, bottom + 0.5f, 2, shade(kParchment, 0.82f));
        }
    }
    r.verticalGradient(4, 4, w - 4, bottom * 0.3f, withAlpha(kWhite, 0), withAlpha(kWhite, 0));
}

const std::pair<const char*, const char*> kPhrases[] = {
    {"landing_welcome", "Welcome ashore!"}, {"landing_forward", "Forward!"},
    {"goblins_taunt", "Puny humans!"},      {"goblins_flee", "Run!"},
    {"miller_help", "Save my mill!"},
};

void phrasePicture(Raster& r, const std::string& stem, const TextFace& face) {
    std::string text;
    for (const auto& [name, phrase] : kPhrases)
        if (stem == name)
            text = phrase;
    if (text.empty()) {
        text = stem.substr(stem.find('_') + 1);
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    const float w = static_cast<float>(r.width()), h = static_cast<float>(r.height());
    float size = h * 0.42f;
    while (size > 6 && Raster::measure(face, size, text) > w - 4)
        size -= 0.5f;
    // Hand-lettered look: ink with a faint warm underline.
    r.fillRect(w * 0.1f, h * 0.78f, w * 0.9f, h * 0.78f + 1.5f, withAlpha(kDeepGold, 150));
    r.centredText(face, size, 0, 0, w, h * 0.9f, text, rgb(40, 30, 60));
}

void digitStrip(Raster& r, const TextFace& face) {
    const float cell = static_cast<float>(r.width()) / 10, h = static_cast<float>(r.height());
    for (int d = 0; d < 10; ++d) {
        const float x0 = cell * static_cast<float>(d);
        r.centredText(face, h * 0.95f, x0, 0, x0 + cell, h,
                      std::string(1, static_cast<char>('0' + d)), kWhite, rgb(0, 0, 0));
    }
}

void emblem(Raster& r, const ArtFaces& faces) {
    const float s = static_cast<float>(r.width());
    outlined(1.5f, kInk, kSlate, [&](float dx, float dy, Rgba c) {
        r.fillPolygon(moved(kShield, dx, dy, s * 0.8f, s * 0.1f, s * 0.08f), c);
    });
    r.fillPolygon(moved(kShield, 0, 0, s * 0.64f, s * 0.18f, s * 0.16f), rgb(46, 70, 130));
    sword(r, s * 0.2f, s * 0.16f, s * 0.6f, rgb(220, 226, 236), -kPi / 5, 1);
    sword(r, s * 0.2f, s * 0.16f, s * 0.6f, rgb(220, 226, 236), kPi / 5, 1);
    r.centredText(*faces.title, s * 0.2f, 0, s * 0.62f, s, s * 0.9f, "KEL", kGold, kInk);
}

std::string titleCase(std::string s) {
    bool start = true;
    for (char& c : s) {
        if (c == '_')
            c = ' ';
        if (start)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        start = c == ' ';
    }
    return s;
}

} // namespace

std::vector<uint8_t> paintImage(const ImageRef& image, const Catalogue& cat,
                                const ArtFaces& faces) {
    Raster r(image.width, image.height);
    const std::string path = lower(image.file);
    const std::string stem = lower(stemOf(image.file));
    const auto caption = cat.entryCaptions.find(image.name);
    const auto balloon = cat.balloons.find(image.name);
    const float w = static_cast<float>(image.width);

    if (has(path, "images/missions/names/")) {
        plate(r, styleFor(stem).title, *faces.title, image.height * 0.62f);
    } else if (has(path, "images/missions/")) {
        paintScene(r, stem, false, faces);
    } else if (has(path, "images/loading/bar_")) {
        bar(r, missionTint(stem));
    } else if (has(path, "images/loading/")) {
        paintScene(r, stem, true, faces);
    } else if (has(path, "images/pointer/")) {
        if (image.width <= 16)
            indicatorPicture(r, stem);
        else
            pointerPicture(r, stem, faces);
    } else if (has(path, "images/statuspanel/")) {
        statusPanelPicture(r, stem);
    } else if (has(path, "images/ui/endturn")) {
        endTurnPicture(r, stem);
    } else if (has(path, "images/ui/arrow_")) {
        arrowButton(r, has(stem, "right"));
    } else if (path == "images/ui/play.tga") {
        textButton(r, "Play", *faces.title);
    } else if (has(path, "title")) {
        emblem(r, faces);
    } else if (has(path, "loading_text")) {
        r.centredText(*faces.bold, w * 0.19f, 0, 0, w, static_cast<float>(image.height), "LOADING",
                      kGold, kInk);
    } else if (balloon != cat.balloons.end()) {
        balloonPicture(r, stem, balloon->second);
    } else if (has(path, "images/dialogs/")) {
        phrasePicture(r, stem, *faces.body);
    } else if (has(path, "images/bonus/digit")) {
        digitStrip(r, *faces.bold);
    } else if (caption != cat.entryCaptions.end()) {
        plate(r, caption->second, *faces.title, image.height * 0.48f);
    } else if (image.width == 256 && image.height == 192) {
        paintScene(r, stem, false, faces); // a mission picture by the mission's name
    } else if (image.width <= 16 && image.height <= 16) {
        elementPicture(r, stem);
    } else if (has(stem, "burn") || has(stem, "froz") || has(stem, "poison")) {
        statusPicture(r, stem);
    } else {
        // Anything else: a framed plate with the picture's name, so it is never blank.
        r.bevel(0, 0, w, static_cast<float>(image.height), 3, kSlate);
        r.centredText(*faces.body, std::min(w, static_cast<float>(image.height)) * 0.22f, 0, 0, w,
                      static_cast<float>(image.height), titleCase(stem), kGold, kInk);
    }
    return r.resolve();
}

} // namespace artgen
