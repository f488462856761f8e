#pragma once

#include "host/HostApi.h"
#include "host/input/Broadcaster.h"
#include "host/input/counting_ptr.h"
#include "host/kelinput/DeviceToCS.h"
#include "host/kelinput/DeviceToCamera.h"
#include "host/thread/SynchronizedObject.h"

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace debug {
class Filter;
}

namespace kelinput {

class DebugInputCapturer;

// kel-input: the game's input module. The host feeds every raw device event in through feed();
// kel-input offers keyboard presses to the debug shortcuts and broadcasts every event to the
// root broadcaster, where the root UI and the mouse pointer listen. In battle the game UI hands
// events on to the two translators (getDeviceToCamera, getDeviceToCS).
//
// The controls and their default bindings come from the controls file; the player's bindings
// live in the profile (theProfile's block "bindings", only the controls that differ from the
// defaults) and are kept there as they change. The host calls load() after theProfile->load();
// the translators load on first use otherwise, and take the bindings again whenever the profile
// has been loaded anew since, so a stale table never overwrites the player's bindings.
//
// Problems with the controls file or saved bindings go to the host log under "kel-input".
class KEL_HOST_API KelInput {
public:
    static constexpr const char* kControlsPath = "/Configs/Input/controls.cfg";
    static debug::Filter& getLog();

    KelInput();
    ~KelInput();
    KelInput(const KelInput&) = delete;
    KelInput& operator=(const KelInput&) = delete;

    // Listeners attached here are not owned.
    input::Broadcaster* getRootBroadcaster() { return &root; }
    // The host's entry for raw device events.
    void feed(const counting_ptr<input::Event>& e);
    // The host's window lost the player's input: whatever was held will not be released, so
    // every listener and both translators forget it.
    void focusLost();

    DeviceToCS* getDeviceToCS();
    DeviceToCamera* getDeviceToCamera();

    // Factor of pointer movement (the profile's mouse sensitivity).
    float getMouseMultiplier() const;
    // Where the pointer is, in screen units, as the pointer last reported it. At an edge of
    // the render driver's screen (0, or the last unit) it scrolls the camera while the
    // profile's edge scrolling is on.
    void setMousePosition(float x, float y);
    float getMouseX() const;
    float getMouseY() const;

    // Every binding back to the defaults of the controls file (the profile follows; the disk
    // only on save).
    void resetToDefault();
    // The bindings into the profile, then the profile to disk. False when the profile could
    // not be saved.
    bool save();
    // Takes the profile's input settings: the mouse sensitivity and strafe speed, edge scrolling
    // and its speed, and the mouse buttons of the four roles (see MouseRoles), which reach both
    // translators at once.
    void updateProfileSettings();

    // Reads the controls file and the player's bindings from the profile and takes the
    // profile's input settings. False when the controls file had problems (reported; what
    // could be read is used).
    bool load();
    bool isLoaded() const { return loaded; }
    // The modifier bits (DebugInputCapturer::Modifier) of the modifier keys held now.
    int getModifiers() const;

    // The debug capturers' registry; DebugInputCapturer calls these.
    void addShortcut(DebugInputCapturer* capturer, unsigned long key, int modifier);
    void delShortcut(DebugInputCapturer* capturer, unsigned long key, int modifier);
    void removeCapturer(DebugInputCapturer* capturer);
    bool hasShortcut(const DebugInputCapturer* capturer, unsigned long key, int modifier) const;
    bool isRegistered(const DebugInputCapturer* capturer) const;
    // Every addShortcut and delShortcut call, oldest first, as asked for (repeats included), so
    // a test or a tool can see what a capturer registered and in which order; reset() forgets
    // them.
    struct ShortcutChange {
        const DebugInputCapturer* capturer;
        unsigned long key;
        int modifier;
        bool added;
    };
    std::vector<ShortcutChange> getShortcutChanges() const;

    // Back to the state before load(): no controls, nothing held, default settings. Listeners
    // attached to the broadcasters and registered capturers stay (the record of shortcut changes
    // is emptied); for tests.
    void reset();

private:
    using Shortcut = std::pair<unsigned long, int>;

    // Loads, or takes the bindings and settings again when the profile was reloaded.
    void ensureCurrent();
    void takeProfileBindings();
    void applySavedBindings(RedefineControls& table);
    // Writes the bindings that differ from the defaults into the profile's block.
    void storeBindings();
    void offerShortcut(unsigned long key, int modifier);

    input::Broadcaster root;
    DeviceToCS deviceToCS;
    DeviceToCamera deviceToCamera;

    // Guards loading and the fields below it. Taken before the profile's lock.
    thread::SynchronizedObject lock;
    std::atomic<bool> loaded{false};
    // The profile's generation the bindings were taken from.
    std::atomic<int> profileGeneration{-1};
    float mouseMultiplier = 1.0f;
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    std::set<int> heldModifierKeys;

    // Guards the shortcut registry, and is held while capturers are called back, so a capturer
    // being destroyed on another thread waits until its call has returned.
    thread::SynchronizedObject shortcutLock;
    std::map<Shortcut, std::vector<DebugInputCapturer*>> shortcuts; // capturers not owned
    std::vector<ShortcutChange> shortcutChanges;
};

} // namespace kelinput

KEL_HOST_API extern kelinput::KelInput* theKelInput;
