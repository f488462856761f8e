#pragma once

#include "host/ReferenceHost.h"
#include "host/config/Config.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/input/Keys.h"
#include "host/ui/MousePointer.h"
#include "host/ui/UI.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace kel::test {

// A headless UI on the manual clock: a root UI at 640 x 480, shown and initialised, with helpers
// to build layouts from text and to drive it as a player would. Messages on the host log fail
// the test unless it takes them with `log.take()`.
class UiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetReferenceHost();
        ui = std::make_unique<::ui::UI>();
        ui->setResolution(640, 480);
        ui->init();
        ui->setVisible(true);
    }

    void TearDown() override {
        ui->term();
        ui.reset();
        for (const auto& record : log.take())
            ADD_FAILURE() << "unexpected log message [" << record.filter << "] " << record.file
                          << ":" << record.line << ":" << record.column << ": " << record.text;
    }

    // Builds children of `parent` (the root by default) from layout text.
    void layout(const std::string& text, ::ui::Container* parent = nullptr) {
        config::Config block;
        ASSERT_TRUE(block.readString(text, "layout.cfg")) << block.getLastError().describe();
        (parent ? parent : ui.get())->readConfig(&block);
    }

    void press(const std::string& key) { send(key, true); }
    void release(const std::string& key) { send(key, false); }
    void tap(const std::string& key) {
        press(key);
        release(key);
    }
    void send(const std::string& key, bool pressed) {
        auto event = input::makeButton(key, pressed);
        ASSERT_TRUE(event) << "no key " << key;
        ui->processInputEvent(event);
    }
    void moveTo(float x, float y) { ui->getMousePointer()->setPosition(x, y); }
    void clickAt(float x, float y, const std::string& button = "LeftClick") {
        moveTo(x, y);
        tap(button);
    }
    // Moves the clock and draws a frame.
    void frame(double seconds = 1.0 / 60) {
        theTimer->advance(seconds);
        theRenderDriver->drawFrame();
    }

    LogCapture log;
    std::unique_ptr<::ui::UI> ui;
};

} // namespace kel::test
