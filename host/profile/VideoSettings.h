#pragma once

#include "host/HostApi.h"

#include <string>

namespace profile {

// The player's video settings, as the video menu edits them; the block "video" of profile.cfg.
// apply() hands the screen mode and the detail options to the renderer through the degrading
// manager (resolution, features, texture quality, fog distance, details and their level, scene
// activity) and records the settings applied. The root UI lays its screens out for the
// profile's resolution when it starts. Tracing enemy actions is the battle's business; it reads
// the setting itself.
struct KEL_HOST_API VideoSettings {
    enum Texture : int { LowTexture = 0, MediumTexture = 1, HighTexture = 2 };

    // "low", "medium" or "high".
    std::string getTextureString() const;
    // Takes one of those texts; false, leaving the quality as it was, for any other.
    bool setTexture(const std::string& text);

    // Hands the resolution and the detail options to theDegradingManager (a resolution it refuses
    // is reported there and the screen mode stays) and records the settings (see getLastApplied).
    void apply() const;
    static int getApplyCount();
    // The settings of the last apply(); defaults before the first.
    static VideoSettings getLastApplied();
    // Forgets what was applied; for tests.
    static void resetApplied();

    bool operator==(const VideoSettings& other) const;
    bool operator!=(const VideoSettings& other) const { return !(*this == other); }

    // Screen resolution in pixels. The screens are laid out for at least 640 x 480.
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 480;
    static constexpr int kMaxSide = 16384;
    int width = 1024;
    int height = 768;
    bool traceEnemyActions = true;
    // Fraction of the view distance where fog begins, 0.8 to 1.0.
    float fogDistance = 1.0f;
    bool detailsOn = true;
    // 0 to 2.
    float detailLevel = 2.0f;
    bool sceneActivity = true;
    Texture texture = HighTexture;
    bool mipmaps = true;
    bool dithering = false;
    bool specular = true;
    bool antialiasing = false;
    bool wbuffer = false;
    bool halo = true;
    bool shadows = true;
    bool lightmaps = true;
};

} // namespace profile
