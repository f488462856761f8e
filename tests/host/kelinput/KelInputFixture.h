#pragma once

#include "host/input/Keys.h"
#include "host/kelinput/CS.h"
#include "host/kelinput/KelInput.h"
#include "host/profile/TempProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace kel::test {

// Records the state numbers of the control-source events it is given, and the last event whole.
class CSRecorder : public ::input::Listener {
public:
    void event(const counting_ptr<::input::Event>& e) override {
        if (const auto* cs = e.as<kel::input::events::CS>()) {
            std::lock_guard<std::mutex> guard(mutex);
            states.push_back(cs->getNumber());
            last = e;
        }
    }
    std::vector<int> take() {
        std::lock_guard<std::mutex> guard(mutex);
        return std::exchange(states, {});
    }
    counting_ptr<::input::Event> last;

private:
    std::mutex mutex;
    std::vector<int> states;
};

// kel-input on the shipped controls with a fresh profile in a temporary directory; the
// recorder listens to the control-source translator's output.
class KelInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        theKelInput->reset();
        output = cs()->getOutput();
        output->attach(&recorder);
    }
    void TearDown() override {
        // Not through getDeviceToCS, which would load the controls again.
        output->detach(&recorder);
        theKelInput->reset();
    }

    static kelinput::DeviceToCS* cs() { return theKelInput->getDeviceToCS(); }
    static kelinput::DeviceToCamera* camera() { return theKelInput->getDeviceToCamera(); }

    // A button going down or up, as the game UI hands it to both translators.
    static void button(const std::string& name, bool down) {
        auto event = ::input::makeButton(name, down);
        ASSERT_TRUE(event) << name;
        camera()->processEvent(event);
        cs()->processEvent(event);
    }
    static void press(const std::string& name) { button(name, true); }
    static void release(const std::string& name) { button(name, false); }
    static void tap(const std::string& name) {
        press(name);
        release(name);
    }
    // "yaw pitch x z zoom", each to three decimals.
    static std::string view() {
        const auto c = camera()->getCamera();
        char text[96];
        std::snprintf(text, sizeof text, "%g %g %g %g %g", round(c.yaw), round(c.pitch), round(c.x),
                      round(c.z), round(c.zoom));
        return text;
    }
    static double round(float v) { return std::round(v * 1000.0) / 1000.0 + 0.0; }
    // Everything in memory forgotten; the player starts the game again from the saved profile.
    static void restart() {
        theKelInput->reset();
        theProfile->reset();
        ASSERT_EQ(theProfile->load(), profile::Profile::Read);
        theKelInput->load();
    }
    static void motion(float dx, float dy) {
        counting_ptr<::input::Event> event(
            new ::input::events::Motion(::input::devices::PCMouse::instance(), dx, dy));
        camera()->processEvent(event);
        cs()->processEvent(event);
    }

    TempProfile profile;
    CSRecorder recorder;
    ::input::Broadcaster* output = nullptr;
};

} // namespace kel::test
