#pragma once

#include "host/HostApi.h"

#include <mutex>
#include <string>

// What the renderer can do and which detail options are switched on. A capability is a feature
// the renderer supports; a feature switched on that the renderer cannot do stays off.
//
// The reference renderer's capabilities are the table "capabilities" of
// "/Configs/Engine/renderer.cfg" (one bool per capability name; one not listed is supported),
// read at the first question after start or reset(). Mistakes in it are reported on the host log
// (filter "engine") with file, line and column, and leave the capability supported. A test may
// take a capability away with setCapability, which holds until the next reset().
class KEL_HOST_API DegradingManager {
public:
    enum Capability {
        Mipmaps,
        Dithering,
        Specular,
        Antialiasing,
        WBuffer,
        Halo,
        Shadows,
        Lightmaps,
        CapabilityCount
    };
    // Texture quality: low, medium, high.
    enum TextureDetail { LowTextures = 0, MediumTextures = 1, HighTextures = 2 };

    static constexpr const char* kTablePath = "/Configs/Engine/renderer.cfg";

    bool hasCapability(Capability capability) const;
    void setCapability(Capability capability, bool supported);
    // "mipmaps", "dithering", "specular", "antialiasing", "wbuffer", "halo", "shadows",
    // "lightmaps"; "" for anything else.
    static const char* getCapabilityName(Capability capability);

    // What the player asked for, and what is in effect (asked for and supported).
    void setFeature(Capability capability, bool on);
    bool isFeatureRequested(Capability capability) const;
    bool isFeatureOn(Capability capability) const;

    // Values outside low..high are clamped.
    void setTextureDetail(int detail);
    int getTextureDetail() const;
    // Share of the full fog distance, 0.8 to 1 (clamped).
    void setFogDistance(float share);
    float getFogDistance() const;
    void setDetailsEnabled(bool on);
    bool getDetailsEnabled() const;
    // 0 to 2 (clamped).
    void setDetailLevel(float level);
    float getDetailLevel() const;
    void setSceneActivity(bool on);
    bool getSceneActivity() const;

    // The screen mode the renderer draws in, in pixels. A mode below 640 x 480 or with a side
    // above 16384 is refused: reported on the "engine" log, false, the mode unchanged. Switching
    // to another mode counts (getModeSwitchCount); asking for the current one does not.
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 480;
    static constexpr int kMaxSide = 16384;
    bool setResolution(int width, int height);
    int getWidth() const;
    int getHeight() const;
    int getModeSwitchCount() const;

    // The capabilities of the table read again at the next question, every feature on, high
    // textures, full fog distance, details on at level 1, scene activity on, 1024 x 768 with no
    // switch counted.
    void reset();

private:
    static bool valid(Capability capability) {
        return capability >= 0 && capability < CapabilityCount;
    }

    // Reads the capability table unless it was read (or a capability set) since the last reset.
    // Called with the lock held.
    void readTable() const;

    mutable std::mutex mutex;
    mutable bool tableRead = false;
    mutable bool supported[CapabilityCount] = {true, true, true, true, true, true, true, true};
    bool requested[CapabilityCount] = {true, true, true, true, true, true, true, true};
    int textureDetail = HighTextures;
    float fogDistance = 1.0f;
    bool detailsEnabled = true;
    float detailLevel = 1.0f;
    bool sceneActivity = true;
    int width = 1024;
    int height = 768;
    int modeSwitches = 0;
};

KEL_HOST_API extern DegradingManager* theDegradingManager;
