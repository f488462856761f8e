#pragma once

#include <cmath>

// What a battle frame shows, the same for kel-ui and the library it is measured beside: units
// walking in circles on a 1024 x 768 screen, some of them speaking.
namespace bench {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kUnits = 200;
constexpr int kBalloons = 20;
constexpr const char* kBalloonText = "Hold the bridge until the tide comes in, then fall back to "
                                     "the lighthouse and light the lantern for the ships tonight.";

struct Point {
    float x;
    float y;
};

// Unit i in frame f: on a grid of 20 x 10, each turning on a small circle.
inline Point unitOnScreen(int i, int f) {
    const float angle = static_cast<float>((i * 7 + f) % 360) * 0.0174533f;
    return {40.0f + static_cast<float>(i % 20) * 48 + 10 * std::cos(angle),
            80.0f + static_cast<float>(i / 20) * 64 + 10 * std::sin(angle)};
}

} // namespace bench
