#include "ModelArt.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

namespace artgen {

namespace {

constexpr float kPi = 3.14159265f;

bool startsWith(const std::string& s, const char* head) {
    return s.rfind(head, 0) == 0;
}

std::array<float, 3> normalOf(const std::array<float, 3>& a, const std::array<float, 3>& b,
                              const std::array<float, 3>& c) {
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    std::array<float, 3> n{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (len < 1e-9f)
        return {0, 0, 0};
    return {n[0] / len, n[1] / len, n[2] / len};
}

// Team colours: the player's side in blue, the computer's in red.
struct Palette {
    int team, skin, metal, wood, dark, gold, cloth;
};

Palette palette(Mesh& m, bool player, bool greenSkin) {
    Palette p{};
    p.team = player ? m.material("team_blue", 0.16f, 0.32f, 0.78f)
                    : m.material("team_red", 0.72f, 0.14f, 0.1f);
    p.skin = greenSkin ? m.material("skin_green", 0.36f, 0.56f, 0.22f)
                       : m.material("skin", 0.93f, 0.74f, 0.6f);
    p.metal = m.material("steel", 0.74f, 0.76f, 0.8f);
    p.wood = m.material("wood", 0.46f, 0.3f, 0.16f);
    p.dark = m.material("leather", 0.24f, 0.18f, 0.12f);
    p.gold = m.material("gold", 0.9f, 0.7f, 0.24f);
    p.cloth = m.material("cloth", 0.86f, 0.84f, 0.78f);
    return p;
}

// A standing figure about 1.8 high, facing -x (toward the camera of the menus and the board).
void figure(Mesh& m, const Palette& p, float height, float bulk, bool robe, int torso) {
    const float s = height / 1.8f;
    if (robe) {
        m.prism(0, 0, 0, 1.05f * s, 0.32f * bulk * s, 0.32f * bulk * s, 0.55f, 8, torso);
    } else {
        m.box(-0.1f * s, -0.2f * bulk * s, 0, 0.1f * s, -0.04f * s, 0.8f * s, p.dark);
        m.box(-0.1f * s, 0.04f * s, 0, 0.1f * s, 0.2f * bulk * s, 0.8f * s, p.dark);
    }
    m.box(-0.16f * bulk * s, -0.26f * bulk * s, 0.78f * s, 0.16f * bulk * s, 0.26f * bulk * s,
          1.38f * s, torso);
    m.box(-0.18f * bulk * s, -0.27f * bulk * s, 0.86f * s, 0.18f * bulk * s, 0.27f * bulk * s,
          0.94f * s, p.dark); // belt
    // Arms.
    m.box(-0.08f * s, -0.38f * bulk * s, 0.86f * s, 0.08f * s, -0.26f * bulk * s, 1.36f * s, torso);
    m.box(-0.08f * s, 0.26f * bulk * s, 0.86f * s, 0.08f * s, 0.38f * bulk * s, 1.36f * s, torso);
    m.sphere(0, 0, 1.56f * s, 0.16f * s, 0.16f * s, 0.19f * s, p.skin);
}

void unitModel(Mesh& m, const std::string& name) {
    const bool enemy = name == "goblin" || name == "orc" || name == "shaman" || name == "wolf";
    const bool green = name == "goblin" || name == "orc" || name == "shaman";
    const Palette p = palette(m, !enemy, green);
    if (name == "wolf") {
        const int fur = m.material("fur", 0.42f, 0.4f, 0.38f);
        const int dark = m.material("fur_dark", 0.22f, 0.2f, 0.2f);
        m.box(-0.5f, -0.16f, 0.36f, 0.4f, 0.16f, 0.7f, fur); // body
        for (float x : {-0.38f, 0.28f})
            for (float y : {-0.14f, 0.08f})
                m.box(x, y, 0, x + 0.09f, y + 0.07f, 0.4f, dark);
        m.box(-0.78f, -0.13f, 0.52f, -0.46f, 0.13f, 0.84f, fur);         // head
        m.box(-1.0f, -0.07f, 0.52f, -0.76f, 0.07f, 0.68f, dark);         // snout
        m.prism(-0.56f, -0.08f, 0.82f, 0.98f, 0.05f, 0.05f, 0, 4, dark); // ears
        m.prism(-0.56f, 0.08f, 0.82f, 0.98f, 0.05f, 0.05f, 0, 4, dark);
        const size_t tail = m.mark();
        m.box(0.38f, -0.05f, 0.56f, 0.8f, 0.05f, 0.64f, fur);
        m.rotate(tail, 1, 0.5f, 0.38f, 0, 0.6f);
        m.box(-0.42f, -0.17f, 0.6f, 0.3f, 0.17f, 0.64f, p.team); // a red collar band of the pack
        return;
    }
    const float bulk = name == "orc" ? 1.3f : name == "goblin" ? 0.9f : 1.0f;
    const bool robe = name == "mage" || name == "priest" || name == "shaman";
    const int torso = name == "priest" ? p.cloth : p.team;
    figure(m, p, 1.8f, bulk, robe, torso);
    if (name == "knight") {
        m.prism(0, 0, 1.56f, 1.82f, 0.19f, 0.19f, 0.6f, 8, p.metal); // helmet
        m.box(-0.5f, -0.44f, 0.9f, -0.44f, -0.34f, 1.62f, p.metal);  // sword blade
        m.box(-0.5f, -0.48f, 0.84f, -0.44f, -0.3f, 0.9f, p.gold);    // guard
        m.box(-0.3f, 0.36f, 0.7f, -0.22f, 0.45f, 1.3f, p.team);      // shield
        m.box(-0.32f, 0.38f, 0.94f, -0.29f, 0.43f, 1.06f, p.gold);
    } else if (name == "archer") {
        m.prism(0, 0, 1.5f, 1.8f, 0.2f, 0.2f, 0.1f, 6, m.material("hood", 0.2f, 0.42f, 0.2f));
        for (int i = 0; i < 5; ++i) { // the bow, an arc of staves
            const float a0 = -0.9f + 0.36f * static_cast<float>(i);
            const float z = 1.1f + 0.5f * std::sin(a0), x = -0.42f + 0.12f * std::cos(a0);
            m.box(x - 0.02f, -0.42f, z - 0.06f, x + 0.02f, -0.38f, z + 0.14f, p.wood);
        }
        m.prism(0.2f, 0.1f, 0.9f, 1.5f, 0.06f, 0.06f, 1, 6, p.dark); // quiver
    } else if (name == "mage") {
        m.prism(0, 0, 1.66f, 2.05f, 0.26f, 0.26f, 0, 8, p.team); // pointed hat
        m.box(-0.42f, -0.36f, 0, -0.38f, -0.32f, 1.6f, p.wood);  // staff
        m.sphere(-0.4f, -0.34f, 1.66f, 0.08f, 0.08f, 0.08f, m.material("ember", 1, 0.5f, 0.1f));
    } else if (name == "priest") {
        m.box(-0.42f, -0.36f, 0, -0.38f, -0.32f, 1.55f, p.gold);
        m.box(-0.42f, -0.44f, 1.4f, -0.38f, -0.24f, 1.44f, p.gold);
        m.box(-0.18f, -0.06f, 1.0f, -0.16f, 0.06f, 1.3f, p.gold); // a gold cross on the robe
    } else if (name == "goblin") {
        m.prism(0, -0.2f, 1.52f, 1.6f, 0.04f, 0.12f, 0.2f, 4, p.skin); // ears
        m.prism(0, 0.2f, 1.52f, 1.6f, 0.04f, 0.12f, 0.2f, 4, p.skin);
        m.box(-0.4f, -0.34f, 0.9f, -0.36f, -0.3f, 1.3f, p.metal); // dagger
    } else if (name == "orc") {
        m.box(-0.56f, -0.5f, 0.3f, -0.5f, -0.44f, 1.7f, p.wood); // axe haft
        m.box(-0.76f, -0.5f, 1.4f, -0.5f, -0.44f, 1.68f, p.metal);
    } else if (name == "shaman") {
        m.box(-0.42f, -0.36f, 0, -0.38f, -0.32f, 1.7f, p.wood);
        m.sphere(-0.4f, -0.34f, 1.74f, 0.07f, 0.07f, 0.07f, m.material("bone", 0.9f, 0.88f, 0.76f));
        m.prism(0, 0, 1.68f, 1.95f, 0.06f, 0.06f, 0.2f, 4, m.material("feather", 0.9f, 0.6f, 0.1f));
    }
}

void cellModel(Mesh& m, const std::string& name) {
    const int grass = m.material("grass", 0.36f, 0.6f, 0.24f);
    const int soil = m.material("soil", 0.44f, 0.32f, 0.2f);
    const int stone = m.material("stone", 0.55f, 0.54f, 0.52f);
    const int dark = m.material("stone_dark", 0.34f, 0.33f, 0.32f);
    if (name == "cell_ground") {
        m.box(-1, -1, -0.2f, 1, 1, -0.05f, soil);
        m.box(-1, -1, -0.05f, 1, 1, 0, grass);
    } else if (name == "cell_chasm") {
        m.box(-1, -1, -3, 1, 1, -2.5f, m.material("abyss", 0.12f, 0.1f, 0.12f));
    } else if (name == "cell_wall") {
        m.box(-1, -1, 0, 1, 1, 2.2f, stone);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if ((i + j) % 2 == 0)
                    m.box(-1 + 0.7f * static_cast<float>(i), -1 + 0.7f * static_cast<float>(j),
                          2.2f, -0.4f + 0.7f * static_cast<float>(i),
                          -0.4f + 0.7f * static_cast<float>(j), 2.5f, dark);
    } else if (name == "cell_water") {
        m.box(-1, -1, -0.4f, 1, 1, -0.3f, m.material("sand", 0.76f, 0.68f, 0.46f));
        m.box(-1, -1, -0.3f, 1, 1, -0.1f, m.material("water", 0.2f, 0.44f, 0.72f));
    } else if (name == "cell_cliff") {
        m.box(-1, -1, 0, 1, 1, 1.35f, dark);
        m.box(-0.9f, -0.9f, 1.35f, 0.9f, 0.9f, 1.5f, grass);
        m.box(-1, -1, 1.35f, -0.9f, 1, 1.4f, stone);
    } else if (name == "cell_bridge") {
        const int plank = m.material("planks", 0.56f, 0.38f, 0.2f);
        const int beam = m.material("beam", 0.36f, 0.24f, 0.12f);
        m.box(-1, -0.8f, -0.15f, 1, -0.6f, -0.05f, beam);
        m.box(-1, 0.6f, -0.15f, 1, 0.8f, -0.05f, beam);
        for (int i = 0; i < 8; ++i) {
            const float x = -1 + 0.25f * static_cast<float>(i);
            m.box(x + 0.01f, -1, -0.05f, x + 0.24f, 1, 0.05f, plank);
        }
    }
}

void propModel(Mesh& m, const std::string& name) {
    const int wood = m.material("wood", 0.46f, 0.3f, 0.16f);
    const int stone = m.material("stone", 0.55f, 0.54f, 0.52f);
    const int leaves = m.material("leaves", 0.22f, 0.5f, 0.2f);
    const int roof = m.material("roof", 0.6f, 0.22f, 0.16f);
    const int white = m.material("whitewash", 0.92f, 0.9f, 0.86f);
    const int iron = m.material("iron", 0.3f, 0.3f, 0.32f);
    const int light = m.material("lamp", 1.0f, 0.88f, 0.45f);
    if (name == "tree") {
        m.prism(0, 0, 0, 1.4f, 0.16f, 0.16f, 0.7f, 7, wood);
        m.prism(0, 0, 1.0f, 2.4f, 0.6f, 0.6f, 0.15f, 8, leaves);
        m.prism(0, 0, 1.9f, 3.5f, 0.46f, 0.46f, 0, 8,
                m.material("leaves_light", 0.3f, 0.6f, 0.24f));
    } else if (name == "rock") {
        m.sphere(-0.2f, 0, 0.4f, 0.5f, 0.5f, 0.4f, stone);
        m.sphere(0.3f, 0.1f, 0.3f, 0.4f, 0.4f, 0.3f, m.material("stone_dark", 0.4f, 0.39f, 0.38f));
        m.box(-0.7f, -0.6f, 0, 0.7f, 0.6f, 0.05f, stone);
    } else if (name == "barrel") {
        m.prism(0, 0, 0, 0.45f, 0.3f, 0.3f, 1.15f, 10, wood);
        m.prism(0, 0, 0.45f, 0.9f, 0.345f, 0.345f, 1 / 1.15f, 10, wood);
        m.prism(0, 0, 0.14f, 0.2f, 0.33f, 0.33f, 1, 10, iron);
        m.prism(0, 0, 0.7f, 0.76f, 0.33f, 0.33f, 1, 10, iron);
    } else if (name == "fence") {
        for (float x : {-1.0f, -0.05f, 0.9f})
            m.box(x, -0.1f, 0, x + 0.1f, 0.1f, 1.0f, wood);
        m.box(-1, -0.06f, 0.3f, 1, 0.06f, 0.42f, wood);
        m.box(-1, -0.06f, 0.7f, 1, 0.06f, 0.82f, wood);
    } else if (name == "lantern") {
        m.box(-0.04f, -0.04f, 0, 0.04f, 0.04f, 1.9f, iron);
        m.box(-0.15f, -0.15f, 1.9f, 0.15f, 0.15f, 2.1f, light);
        m.prism(0, 0, 2.1f, 2.2f, 0.15f, 0.15f, 0.3f, 4, iron);
    } else if (name == "well") {
        m.prism(0, 0, 0, 0.7f, 0.7f, 0.7f, 1, 10, stone);
        m.prism(0, 0, 0.65f, 0.7f, 0.55f, 0.55f, 1, 10, m.material("water", 0.2f, 0.44f, 0.72f));
        m.box(-0.6f, -0.05f, 0.7f, -0.5f, 0.05f, 1.3f, wood);
        m.box(0.5f, -0.05f, 0.7f, 0.6f, 0.05f, 1.3f, wood);
        m.prism(0, 0, 1.3f, 1.6f, 0.7f, 0.4f, 0.1f, 4, roof);
    } else if (name == "lighthouse") {
        for (int i = 0; i < 6; ++i) {
            const float z0 = 6.4f * static_cast<float>(i) / 6,
                        z1 = 6.4f * static_cast<float>(i + 1) / 6;
            const float r0 = 0.9f - 0.35f * z0 / 6.4f, r1 = 0.9f - 0.35f * z1 / 6.4f;
            m.prism(0, 0, z0, z1, r0, r0, r1 / r0, 12, i % 2 ? roof : white);
        }
        m.prism(0, 0, 6.4f, 6.5f, 0.7f, 0.7f, 1, 12, iron);
        m.prism(0, 0, 6.5f, 7.3f, 0.42f, 0.42f, 1, 8, light);
        m.prism(0, 0, 7.3f, 8.0f, 0.5f, 0.5f, 0, 8, roof);
    } else if (name == "mill") {
        m.box(-0.7f, -0.6f, 0, 0.5f, 0.6f, 2.2f, white);
        m.prism(-0.1f, 0, 2.2f, 3.4f, 0.9f, 0.85f, 0.05f, 4, roof);
        const size_t wheel = m.mark();
        m.prism(0, 0, -0.15f, 0.15f, 0.8f, 0.8f, 1, 12, wood); // lies along z, turned upright below
        m.rotate(wheel, 1, kPi / 2, 0, 0, 0);
        for (size_t i = wheel; i < m.vertices.size(); ++i) {
            m.vertices[i][0] += 0.65f;
            m.vertices[i][2] += 1.3f;
        }
        const size_t blades = m.mark();
        m.box(-0.04f, -0.06f, 3.0f, 0.04f, 0.06f, 4.5f, wood);
        m.box(-0.04f, -0.06f, 3.0f, 0.04f, 0.06f, 4.5f, wood);
        m.rotate(blades + 8, 0, kPi / 2, 0, 0, 3.75f);
        for (size_t i = blades; i < m.vertices.size(); ++i)
            m.vertices[i][0] -= 0.75f;
        m.box(-0.8f, -0.9f, 0, -0.7f, 0.9f, 0.1f, stone);
    } else if (name == "statue") {
        m.box(-0.5f, -0.5f, 0, 0.5f, 0.5f, 0.6f, stone);
        Mesh figureMesh;
        const int s = figureMesh.material("stone_light", 0.7f, 0.7f, 0.68f);
        Palette p{s, s, s, s, s, s, s};
        figure(figureMesh, p, 2.0f, 0.9f, false, s);
        const int mat = m.material("stone_light", 0.7f, 0.7f, 0.68f);
        const int base = static_cast<int>(m.vertices.size());
        for (auto v : figureMesh.vertices)
            m.vertices.push_back({v[0] * 0.8f, v[1] * 0.8f, v[2] * 1.0f + 0.6f});
        for (const auto& t : figureMesh.triangles)
            m.triangle(base + t.a, base + t.b, base + t.c, mat);
    } else if (name == "chest") {
        m.box(-0.45f, -0.3f, 0, 0.45f, 0.3f, 0.38f, wood);
        m.box(-0.45f, -0.3f, 0.38f, 0.45f, 0.3f, 0.48f, m.material("wood_dark", 0.34f, 0.2f, 0.1f));
        m.prism(0, 0, 0.48f, 0.6f, 0.4f, 0.26f, 0.7f, 4,
                m.material("wood_dark", 0.34f, 0.2f, 0.1f));
        const int gold = m.material("gold", 0.9f, 0.7f, 0.24f);
        m.box(-0.34f, -0.31f, 0, -0.26f, 0.31f, 0.5f, gold);
        m.box(0.26f, -0.31f, 0, 0.34f, 0.31f, 0.5f, gold);
        m.box(-0.46f, -0.06f, 0.3f, -0.44f, 0.06f, 0.44f, gold);
    }
}

// The round menus' entries: an emblem of what each does, on a round stone pedestal.
void menuModel(Mesh& m, const std::string& name) {
    const int stone = m.material("pedestal", 0.46f, 0.46f, 0.5f);
    const int gold = m.material("gold", 0.9f, 0.7f, 0.24f);
    const int steel = m.material("steel", 0.78f, 0.8f, 0.86f);
    const int red = m.material("banner_red", 0.74f, 0.14f, 0.12f);
    const int blue = m.material("banner_blue", 0.18f, 0.34f, 0.78f);
    const int wood = m.material("wood", 0.46f, 0.3f, 0.16f);
    const int paper = m.material("parchment", 0.92f, 0.86f, 0.7f);
    m.prism(0, 0, 0, 0.12f, 0.5f, 0.5f, 0.9f, 12, stone);
    m.prism(0, 0, 0.12f, 0.16f, 0.45f, 0.45f, 1, 12, gold);
    const std::string what = name.substr(5);
    if (what == "play") {
        m.box(-0.04f, -0.03f, 0.3f, 0.04f, 0.03f, 1.0f, steel);
        m.box(-0.2f, -0.05f, 0.26f, 0.2f, 0.05f, 0.32f, gold);
        m.box(-0.03f, -0.03f, 0.16f, 0.03f, 0.03f, 0.26f, wood);
    } else if (what == "players") {
        for (float y : {-0.18f, 0.18f}) {
            m.prism(0, y, 0.16f, 0.7f, 0.14f, 0.14f, 0.5f, 8, y < 0 ? blue : red);
            m.sphere(0, y, 0.8f, 0.1f, 0.1f, 0.1f, m.material("skin", 0.93f, 0.74f, 0.6f));
        }
    } else if (what == "selectmap") {
        m.box(-0.05f, -0.35f, 0.2f, 0.05f, 0.35f, 0.8f, paper);
        m.box(-0.06f, -0.1f, 0.4f, -0.05f, 0.12f, 0.6f, m.material("ink_green", 0.3f, 0.5f, 0.3f));
        m.prism(0, -0.38f, 0.16f, 0.84f, 0.05f, 0.05f, 1, 8, wood);
        m.prism(0, 0.38f, 0.16f, 0.84f, 0.05f, 0.05f, 1, 8, wood);
    } else if (what == "controls") {
        for (int i = 0; i < 3; ++i)
            m.box(-0.1f, -0.34f + 0.24f * static_cast<float>(i), 0.16f, 0.1f,
                  -0.16f + 0.24f * static_cast<float>(i), 0.36f, paper);
        m.box(-0.1f, -0.1f, 0.38f, 0.1f, 0.08f, 0.58f, paper);
        m.box(-0.11f, -0.04f, 0.6f, -0.1f, 0.02f, 0.66f, m.material("ink", 0.1f, 0.1f, 0.1f));
    } else if (what == "video") {
        m.box(-0.06f, -0.36f, 0.2f, 0.06f, 0.36f, 0.8f, gold);
        m.box(-0.08f, -0.3f, 0.26f, 0.02f, 0.3f, 0.74f, m.material("glass", 0.3f, 0.6f, 0.9f));
    } else if (what == "sound") {
        m.prism(0, 0, 0.3f, 0.8f, 0.34f, 0.34f, 0.35f, 10, gold);
        m.sphere(0, 0, 0.26f, 0.08f, 0.08f, 0.08f, steel);
        m.box(-0.02f, -0.02f, 0.8f, 0.02f, 0.02f, 0.95f, wood);
    } else if (what == "options") {
        // A gear, stood up so the ring shows its face.
        const size_t gear = m.mark();
        m.prism(0, 0, 0.3f, 0.38f, 0.28f, 0.28f, 1, 12, steel);
        for (int i = 0; i < 6; ++i) {
            const size_t tooth = m.mark();
            m.box(0.24f, -0.06f, 0.3f, 0.38f, 0.06f, 0.38f, steel);
            m.rotate(tooth, 2, kPi / 3 * static_cast<float>(i), 0, 0, 0);
        }
        m.rotate(gear, 1, kPi / 2, 0, 0, 0.34f);
        for (size_t i = gear; i < m.vertices.size(); ++i)
            m.vertices[i][2] += 0.26f;
        m.box(-0.03f, -0.03f, 0.16f, 0.03f, 0.03f, 0.3f, steel);
    } else if (what == "exit") {
        m.box(-0.05f, -0.3f, 0.16f, 0.05f, -0.22f, 0.85f, stone);
        m.box(-0.05f, 0.22f, 0.16f, 0.05f, 0.3f, 0.85f, stone);
        m.box(-0.05f, -0.3f, 0.85f, 0.05f, 0.3f, 0.95f, stone);
        m.box(-0.02f, -0.22f, 0.16f, 0.02f, 0.22f, 0.85f, wood);
        m.sphere(-0.04f, 0.14f, 0.5f, 0.03f, 0.03f, 0.03f, gold);
    } else if (what == "continue") {
        m.box(-0.05f, -0.3f, 0.45f, 0.05f, 0.05f, 0.6f, gold);
        const size_t head = m.mark();
        m.prism(0, 0, 0, 0.1f, 0.3f, 0.3f, 1, 3, gold); // a triangle, stood up below
        m.rotate(head, 1, kPi / 2, 0, 0, 0);
        m.rotate(head, 0, -kPi / 2, 0, 0, 0);
        for (size_t i = head; i < m.vertices.size(); ++i) {
            m.vertices[i][1] += 0.1f;
            m.vertices[i][2] += 0.52f;
        }
    } else if (what == "savegame") {
        m.box(-0.22f, -0.3f, 0.16f, 0.22f, 0.3f, 0.26f, red);
        m.box(-0.2f, -0.28f, 0.26f, 0.2f, 0.28f, 0.38f, paper);
        m.box(-0.22f, -0.3f, 0.38f, 0.22f, 0.3f, 0.44f, red);
        m.box(-0.23f, -0.02f, 0.16f, -0.22f, 0.02f, 0.44f, gold);
    } else if (what == "goal") {
        m.box(-0.02f, -0.02f, 0.16f, 0.02f, 0.02f, 1.0f, wood);
        m.box(-0.01f, 0.02f, 0.62f, 0.01f, 0.4f, 0.96f, red);
    } else if (what == "endgame") {
        for (float a : {-0.6f, 0.6f}) {
            const size_t s = m.mark();
            m.box(-0.03f, -0.03f, 0.1f, 0.03f, 0.03f, 0.8f, steel);
            m.box(-0.03f, -0.12f, 0.22f, 0.03f, 0.12f, 0.26f, gold);
            m.rotate(s, 0, a, 0, 0, 0.45f);
        }
    } else if (what == "back") {
        m.box(-0.05f, -0.25f, 0.7f, 0.05f, 0.25f, 0.8f, blue);
        m.box(-0.05f, 0.15f, 0.3f, 0.05f, 0.25f, 0.8f, blue);
        m.box(-0.05f, -0.1f, 0.3f, 0.05f, 0.25f, 0.4f, blue);
        m.prism(0, -0.14f, 0.22f, 0.48f, 0.05f, 0.16f, 0, 4, blue);
    } else {
        m.sphere(0, 0, 0.5f, 0.25f, 0.25f, 0.3f, gold);
    }
}

} // namespace

int Mesh::material(const std::string& name, float r, float g, float b) {
    for (size_t i = 0; i < materials.size(); ++i)
        if (materials[i].name == name)
            return static_cast<int>(i);
    materials.push_back({name, {r, g, b}});
    return static_cast<int>(materials.size() - 1);
}

int Mesh::vertex(float x, float y, float z) {
    vertices.push_back({x, y, z});
    return static_cast<int>(vertices.size() - 1);
}

void Mesh::quad(int a, int b, int c, int d, int m) {
    triangle(a, b, c, m);
    triangle(a, c, d, m);
}

void Mesh::box(float x0, float y0, float z0, float x1, float y1, float z1, int m) {
    const int v000 = vertex(x0, y0, z0), v100 = vertex(x1, y0, z0), v010 = vertex(x0, y1, z0),
              v110 = vertex(x1, y1, z0), v001 = vertex(x0, y0, z1), v101 = vertex(x1, y0, z1),
              v011 = vertex(x0, y1, z1), v111 = vertex(x1, y1, z1);
    quad(v000, v001, v011, v010, m); // -x
    quad(v100, v110, v111, v101, m); // +x
    quad(v000, v100, v101, v001, m); // -y
    quad(v010, v011, v111, v110, m); // +y
    quad(v000, v010, v110, v100, m); // -z
    quad(v001, v101, v111, v011, m); // +z
}

void Mesh::prism(float cx, float cy, float z0, float z1, float rx, float ry, float top, int sides,
                 int m) {
    std::vector<int> bottom, upper;
    for (int i = 0; i < sides; ++i) {
        const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides) + kPi / sides;
        bottom.push_back(vertex(cx + rx * std::cos(a), cy + ry * std::sin(a), z0));
        upper.push_back(vertex(cx + rx * top * std::cos(a), cy + ry * top * std::sin(a), z1));
    }
    const int cb = vertex(cx, cy, z0), ct = vertex(cx, cy, z1);
    for (int i = 0; i < sides; ++i) {
        const int j = (i + 1) % sides;
        quad(bottom[i], bottom[j], upper[j], upper[i], m);
        triangle(ct, upper[i], upper[j], m);
        triangle(cb, bottom[j], bottom[i], m);
    }
}

void Mesh::sphere(float cx, float cy, float cz, float rx, float ry, float rz, int m) {
    const int rings = 6, segments = 10;
    std::vector<std::vector<int>> grid;
    for (int j = 0; j <= rings; ++j) {
        const float phi = -kPi / 2 + kPi * static_cast<float>(j) / rings;
        std::vector<int> row;
        for (int i = 0; i < segments; ++i) {
            const float a = 2 * kPi * static_cast<float>(i) / segments;
            row.push_back(vertex(cx + rx * std::cos(phi) * std::cos(a),
                                 cy + ry * std::cos(phi) * std::sin(a), cz + rz * std::sin(phi)));
        }
        grid.push_back(row);
    }
    for (int j = 0; j < rings; ++j)
        for (int i = 0; i < segments; ++i) {
            const int k = (i + 1) % segments;
            quad(grid[j][i], grid[j][k], grid[j + 1][k], grid[j + 1][i], m);
        }
}

void Mesh::rotate(size_t from, int axis, float angle, float px, float py, float pz) {
    const float c = std::cos(angle), s = std::sin(angle);
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const float p[3] = {px, py, pz};
    for (size_t i = from; i < vertices.size(); ++i) {
        auto& q = vertices[i];
        const float a = q[u] - p[u], b = q[v] - p[v];
        q[u] = p[u] + a * c - b * s;
        q[v] = p[v] + a * s + b * c;
    }
}

std::array<float, 6> Mesh::bounds() const {
    std::array<float, 6> b{1e30f, 1e30f, 1e30f, -1e30f, -1e30f, -1e30f};
    for (const auto& t : triangles)
        for (int i : {t.a, t.b, t.c})
            for (int k = 0; k < 3; ++k) {
                b[k] = std::min(b[k], vertices[i][k]);
                b[k + 3] = std::max(b[k + 3], vertices[i][k]);
            }
    return b;
}

void Mesh::fitTo(const std::array<float, 6>& box) {
    const auto b = bounds();
    for (auto& v : vertices)
        for (int k = 0; k < 3; ++k) {
            const float extent = b[k + 3] - b[k];
            const float scale = extent > 1e-6f ? (box[k + 3] - box[k]) / extent : 1;
            v[k] = box[k] + (v[k] - b[k]) * scale;
        }
}

Mesh buildModel(const ModelRef& model) {
    Mesh m;
    const std::string& n = model.name;
    static const char* const units[] = {"knight", "archer", "mage",   "priest",
                                        "goblin", "orc",    "shaman", "wolf"};
    static const char* const props[] = {"tree", "rock",       "barrel", "fence",  "lantern",
                                        "well", "lighthouse", "mill",   "statue", "chest"};
    if (std::find(std::begin(units), std::end(units), n) != std::end(units))
        unitModel(m, n);
    else if (startsWith(n, "cell_"))
        cellModel(m, n);
    else if (std::find(std::begin(props), std::end(props), n) != std::end(props))
        propModel(m, n);
    else if (startsWith(n, "menu_"))
        menuModel(m, n);
    if (m.triangles.empty())
        m.box(0, 0, 0, 1, 1, 1, m.material("plain", 0.6f, 0.6f, 0.6f));
    m.fitTo(model.box);
    return m;
}

std::string writeObj(const Mesh& mesh, const std::string& name) {
    std::ostringstream out;
    char line[160];
    out << "# " << name << ": low-poly model made by tools/artgen. Model units, z up.\n";
    out << "mtllib " << name << ".mtl\n";
    for (const auto& v : mesh.vertices) {
        std::snprintf(line, sizeof line, "v %.4f %.4f %.4f\n", static_cast<double>(v[0]),
                      static_cast<double>(v[1]), static_cast<double>(v[2]));
        out << line;
    }
    // One normal per distinct face direction.
    std::map<std::array<long, 3>, int> normalIds;
    std::vector<int> faceNormal;
    std::ostringstream normals;
    for (const auto& t : mesh.triangles) {
        const auto n = normalOf(mesh.vertices[t.a], mesh.vertices[t.b], mesh.vertices[t.c]);
        if (n[0] == 0 && n[1] == 0 && n[2] == 0) {
            faceNormal.push_back(0); // degenerate: left out
            continue;
        }
        const std::array<long, 3> key{std::lround(n[0] * 10000), std::lround(n[1] * 10000),
                                      std::lround(n[2] * 10000)};
        auto found = normalIds.find(key);
        if (found == normalIds.end()) {
            found = normalIds.emplace(key, static_cast<int>(normalIds.size()) + 1).first;
            std::snprintf(line, sizeof line, "vn %.4f %.4f %.4f\n",
                          static_cast<double>(key[0]) / 10000, static_cast<double>(key[1]) / 10000,
                          static_cast<double>(key[2]) / 10000);
            normals << line;
        }
        faceNormal.push_back(found->second);
    }
    out << normals.str();
    for (size_t mi = 0; mi < mesh.materials.size(); ++mi) {
        bool used = false;
        for (size_t i = 0; i < mesh.triangles.size(); ++i) {
            const auto& t = mesh.triangles[i];
            if (t.material != static_cast<int>(mi) || faceNormal[i] == 0)
                continue;
            if (!used)
                out << "usemtl " << mesh.materials[mi].name << "\n";
            used = true;
            std::snprintf(line, sizeof line, "f %d//%d %d//%d %d//%d\n", t.a + 1, faceNormal[i],
                          t.b + 1, faceNormal[i], t.c + 1, faceNormal[i]);
            out << line;
        }
    }
    return out.str();
}

std::string writeMtl(const Mesh& mesh, const std::string& name) {
    std::ostringstream out;
    char line[160];
    out << "# Materials of " << name << ".obj\n";
    for (const auto& m : mesh.materials) {
        out << "\nnewmtl " << m.name << "\n";
        std::snprintf(line, sizeof line, "Ka 0.2000 0.2000 0.2000\nKd %.4f %.4f %.4f\n",
                      static_cast<double>(m.kd[0]), static_cast<double>(m.kd[1]),
                      static_cast<double>(m.kd[2]));
        out << line << "Ks 0.0000 0.0000 0.0000\nd 1\nillum 1\n";
    }
    return out.str();
}

} // namespace artgen
