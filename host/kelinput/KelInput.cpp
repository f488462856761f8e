#include "host/kelinput/KelInput.h"
#include "host/config/Block.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/RenderDriver.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/kelinput/ControlsFile.h"
#include "host/kelinput/DebugInputCapturer.h"
#include "host/profile/Profile.h"

#include <algorithm>
#include <cmath>

namespace kelinput {

namespace {

int modifierBit(int code) {
    switch (code) {
    case 68: // LeftShift
    case 69: // RightShift
        return DebugInputCapturer::ShiftModifier;
    case 70: // LeftControl
    case 71: // RightControl
        return DebugInputCapturer::ControlModifier;
    case 72: // LeftAlt
    case 74: // RightAlt
        return DebugInputCapturer::AltModifier;
    default:
        return 0;
    }
}

int maskOf(const std::set<int>& keys) {
    int mask = 0;
    for (int code : keys)
        mask |= modifierBit(code);
    return mask;
}

void copyEntry(config::Block& to, const config::NameEntry& entry) {
    if (entry.isBlock())
        to.appendBlock(entry.getName(), entry.getLine()) = config::Block::blockOf(entry);
    else
        to.appendProperty(entry.getName(), entry.getLine()) = config::Block::valuesOf(entry);
}

} // namespace

debug::Filter& KelInput::getLog() {
    static debug::Filter filter("kel-input", true);
    return filter;
}

KelInput::KelInput() {
    // A rebinding reaches the profile's block at once, so any later save of the profile
    // keeps it.
    for (RedefineControls* table :
         {deviceToCS.getRedefineControls(), deviceToCamera.getRedefineControls()})
        table->setChangeObserver([this] { ensureCurrent(); }, [this] { storeBindings(); });
}

KelInput::~KelInput() {
    if (theKelInput == this)
        theKelInput = nullptr;
}

void KelInput::feed(const counting_ptr<input::Event>& e) {
    if (!e)
        return;
    const auto* button = e.as<input::events::Button>();
    if (button && button->getDevice() == input::devices::PCKeyboard::instance()) {
        const int code = button->getCode();
        int modifiers = 0;
        {
            thread::Lock hold(lock);
            std::set<int> others = heldModifierKeys;
            others.erase(code);
            modifiers = maskOf(others);
            if (modifierBit(code)) {
                if (button->isPressed())
                    heldModifierKeys.insert(code);
                else
                    heldModifierKeys.erase(code);
            }
        }
        if (button->isPressed() && code >= 0)
            offerShortcut(static_cast<unsigned long>(code), modifiers);
    }
    root.broadcast(e);
}

void KelInput::focusLost() {
    {
        thread::Lock hold(lock);
        heldModifierKeys.clear();
    }
    root.clean();
    deviceToCamera.clean();
    deviceToCS.clean();
}

void KelInput::offerShortcut(unsigned long key, int modifier) {
    thread::Lock hold(shortcutLock);
    const auto found = shortcuts.find(Shortcut(key, modifier));
    if (found == shortcuts.end())
        return;
    // A callback may change the registry; each capturer is asked again just before its call.
    const std::vector<DebugInputCapturer*> capturers = found->second;
    for (DebugInputCapturer* capturer : capturers) {
        const auto now = shortcuts.find(Shortcut(key, modifier));
        if (now == shortcuts.end() ||
            std::find(now->second.begin(), now->second.end(), capturer) == now->second.end())
            continue;
        capturer->onShortcut(key, modifier);
    }
}

int KelInput::getModifiers() const {
    thread::Lock hold(lock);
    return maskOf(heldModifierKeys);
}

void KelInput::ensureCurrent() {
    if (loaded && profileGeneration == theProfile->getGeneration())
        return;
    thread::Lock hold(lock);
    if (!loaded)
        load();
    else if (profileGeneration != theProfile->getGeneration())
        takeProfileBindings();
}

void KelInput::takeProfileBindings() {
    thread::Lock hold(lock);
    RedefineControls* tables[] = {deviceToCamera.getRedefineControls(),
                                  deviceToCS.getRedefineControls()};
    {
        thread::Lock profileHold(*theProfile);
        for (RedefineControls* table : tables) {
            table->resetToDefault();
            applySavedBindings(*table);
        }
        profileGeneration = theProfile->getGeneration();
    }
    deviceToCamera.clean();
    deviceToCS.clean();
    updateProfileSettings();
}

DeviceToCS* KelInput::getDeviceToCS() {
    ensureCurrent();
    return &deviceToCS;
}

DeviceToCamera* KelInput::getDeviceToCamera() {
    ensureCurrent();
    return &deviceToCamera;
}

float KelInput::getMouseMultiplier() const {
    thread::Lock hold(lock);
    return mouseMultiplier;
}

void KelInput::setMousePosition(float x, float y) {
    thread::Lock hold(lock);
    mouseX = x;
    mouseY = y;
    // The pointer touches an edge as the game pointer sees it: at 0 or at the last unit of the
    // screen the render driver shows.
    const float width = theRenderDriver->getScreenWidth();
    const float height = theRenderDriver->getScreenHeight();
    if (!(width >= 1 && height >= 1)) {
        deviceToCamera.setPointerEdge(0, 0);
        return;
    }
    deviceToCamera.setPointerEdge(x <= 0           ? -1
                                  : x >= width - 1 ? 1
                                                   : 0,
                                  y <= 0            ? -1
                                  : y >= height - 1 ? 1
                                                    : 0);
}

float KelInput::getMouseX() const {
    thread::Lock hold(lock);
    return mouseX;
}

float KelInput::getMouseY() const {
    thread::Lock hold(lock);
    return mouseY;
}

bool KelInput::load() {
    thread::Lock hold(lock);
    ControlsFile file;
    const bool ok = file.read(kControlsPath);
    deviceToCamera.getRedefineControls()->setControls(file.getCamera());
    deviceToCS.getRedefineControls()->setControls(file.getControlSource());
    takeProfileBindings();
    loaded = true;
    return ok;
}

void KelInput::applySavedBindings(RedefineControls& table) {
    const config::Block* data = theProfile->getData();
    const config::Block* saved = nullptr;
    if (!data->getPropertyAccess("bindings." + table.getTableName(), &saved))
        return;
    const std::string file = profile::Profile::kPath;
    std::set<std::string> done;
    int problems = 0;
    for (const config::NameEntry* entry = saved->getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        const std::string& name = entry->getName();
        const auto report = [&](const std::string& text) {
            debug::Error error(debug::Context(file, entry->getLine()), text);
            debug::report(getLog(), error);
        };
        if (!entry->isBlock() || !table.hasControl(name)) {
            // Kept in the profile (a later version of the game may know it), unused here.
            report("saved bindings for unknown " + table.getTableName() + " control '" + name +
                   "' are not used");
            continue;
        }
        if (!done.insert(name).second) {
            report("bindings of '" + name + "' are saved twice; the first are used");
            continue;
        }
        table.setBindings(name, ControlsFile::readBindings(config::Block::blockOf(*entry),
                                                           table.eventIsAxis(name), file, name,
                                                           &problems));
    }
}

void KelInput::storeBindings() {
    thread::Lock hold(lock);
    thread::Lock profileHold(*theProfile);
    config::Block* data = theProfile->getData();
    const config::Block* old = nullptr;
    const bool hadBindings =
        static_cast<const config::Block*>(data)->getPropertyAccess("bindings", &old);

    config::Block fresh;
    bool changed = false;
    RedefineControls* tables[] = {deviceToCamera.getRedefineControls(),
                                  deviceToCS.getRedefineControls()};
    const auto isTable = [&](const config::NameEntry& entry) {
        return entry.isBlock() && (entry.getName() == tables[0]->getTableName() ||
                                   entry.getName() == tables[1]->getTableName());
    };
    // Whatever else the block holds is the player's and stays.
    if (hadBindings)
        for (const config::NameEntry* entry = old->getFirstEntry(); entry;
             entry = entry->getNextEntry())
            if (!isTable(*entry))
                copyEntry(fresh, *entry);

    for (RedefineControls* table : tables) {
        config::Block& out = fresh.appendBlock(table->getTableName());
        const config::Block* previous = nullptr;
        if (hadBindings && old->getPropertyAccess(table->getTableName(), &previous))
            for (const config::NameEntry* entry = previous->getFirstEntry(); entry;
                 entry = entry->getNextEntry())
                if (!entry->isBlock() || !table->hasControl(entry->getName()))
                    copyEntry(out, *entry);
        for (const Control& control : table->getControls()) {
            if (control.bindings == control.defaults)
                continue;
            changed = true;
            // An empty block means the player removed every binding of the control.
            config::Block& saved = out.appendBlock(control.name);
            for (const Binding& binding : control.bindings)
                saved.appendProperty("bind") = config::Block::List(binding.begin(), binding.end());
        }
    }
    if (hadBindings || changed)
        data->setProperty("bindings", &fresh);
}

void KelInput::resetToDefault() {
    ensureCurrent();
    thread::Lock hold(lock);
    deviceToCamera.getRedefineControls()->resetToDefault();
    deviceToCS.getRedefineControls()->resetToDefault();
    storeBindings();
}

bool KelInput::save() {
    ensureCurrent();
    storeBindings();
    return theProfile->save();
}

void KelInput::updateProfileSettings() {
    thread::Lock hold(lock);
    profile::InputSettings* settings = nullptr;
    theProfile->getSettings(&settings);
    const float sensitivity = settings->mouseSensitivity;
    mouseMultiplier = std::isfinite(sensitivity) && sensitivity > 0 ? sensitivity : 1.0f;
    deviceToCamera.setMouseFactors(mouseMultiplier, settings->mouseStrafeSpeed);
    deviceToCamera.setEdgeScrolling(settings->edgeAutoScrolling, settings->autoScrollingSpeed);
    const MouseRoles roles(settings->acceptButton, settings->cancelButton, settings->moveActButton,
                           settings->dragCameraButton);
    deviceToCamera.setMouseRoles(roles);
    deviceToCS.setMouseRoles(roles);
}

void KelInput::addShortcut(DebugInputCapturer* capturer, unsigned long key, int modifier) {
    thread::Lock hold(shortcutLock);
    shortcutChanges.push_back({capturer, key, modifier, true});
    auto& capturers = shortcuts[Shortcut(key, modifier)];
    if (std::find(capturers.begin(), capturers.end(), capturer) == capturers.end())
        capturers.push_back(capturer);
}

void KelInput::delShortcut(DebugInputCapturer* capturer, unsigned long key, int modifier) {
    thread::Lock hold(shortcutLock);
    shortcutChanges.push_back({capturer, key, modifier, false});
    const auto found = shortcuts.find(Shortcut(key, modifier));
    if (found == shortcuts.end())
        return;
    auto& capturers = found->second;
    capturers.erase(std::remove(capturers.begin(), capturers.end(), capturer), capturers.end());
    if (capturers.empty())
        shortcuts.erase(found);
}

void KelInput::removeCapturer(DebugInputCapturer* capturer) {
    thread::Lock hold(shortcutLock);
    for (auto entry = shortcuts.begin(); entry != shortcuts.end();) {
        auto& capturers = entry->second;
        capturers.erase(std::remove(capturers.begin(), capturers.end(), capturer), capturers.end());
        entry = capturers.empty() ? shortcuts.erase(entry) : std::next(entry);
    }
}

bool KelInput::hasShortcut(const DebugInputCapturer* capturer, unsigned long key,
                           int modifier) const {
    thread::Lock hold(shortcutLock);
    const auto found = shortcuts.find(Shortcut(key, modifier));
    return found != shortcuts.end() &&
           std::find(found->second.begin(), found->second.end(), capturer) != found->second.end();
}

std::vector<KelInput::ShortcutChange> KelInput::getShortcutChanges() const {
    thread::Lock hold(shortcutLock);
    return shortcutChanges;
}

bool KelInput::isRegistered(const DebugInputCapturer* capturer) const {
    thread::Lock hold(shortcutLock);
    for (const auto& entry : shortcuts)
        if (std::find(entry.second.begin(), entry.second.end(), capturer) != entry.second.end())
            return true;
    return false;
}

void KelInput::reset() {
    {
        thread::Lock hold(shortcutLock);
        shortcutChanges.clear();
    }
    thread::Lock hold(lock);
    loaded = false;
    profileGeneration = -1;
    deviceToCamera.getRedefineControls()->setControls({});
    deviceToCS.getRedefineControls()->setControls({});
    deviceToCamera.clean();
    deviceToCS.clean();
    deviceToCamera.setUnitFreelook(false);
    deviceToCamera.setCamera(DeviceToCamera::Camera());
    deviceToCamera.setMouseFactors(1.0f, 1.0f);
    deviceToCamera.setEdgeScrolling(true, 1.0f);
    deviceToCamera.setPointerEdge(0, 0);
    deviceToCamera.setMouseRoles(MouseRoles());
    deviceToCS.setMouseRoles(MouseRoles());
    mouseMultiplier = 1.0f;
    mouseX = mouseY = 0.0f;
    heldModifierKeys.clear();
}

} // namespace kelinput

namespace {
kelinput::KelInput kelInputInstance;
}

kelinput::KelInput* theKelInput = &kelInputInstance;
