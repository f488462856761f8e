// The window of `kel-play --window`: SDL's events reach the module as the host's input, and the
// program refuses cleanly where there is no display.
#include "Window.h"
#include "Session.h"
#include "support/LogCapture.h"
#include "support/Rendering.h"
#include "support/TempDir.h"

#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/render/FrameRenderer.h"
#include "host/resource/ResourceManager.h"
#include "ui/KELUI.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#ifdef KEL_PLAY_WINDOW
#include <SDL.h>
#endif
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

#ifdef KEL_PLAY_WINDOW

TEST(KelPlayWindow, EveryKeyOfTheHostKeyboardComesFromOneKeyOfTheDesktop) {
    std::map<std::string, int> reached; // host key name -> scancodes giving it
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const std::string name = kelplay::Window::keyName(scancode);
        if (name.empty())
            continue;
        input::KeyInfo key;
        ASSERT_TRUE(input::findKey(name, &key)) << name << " is no key of the host";
        EXPECT_EQ(key.device, input::devices::PCKeyboard::instance()) << name;
        ++reached[name];
    }
    for (const input::KeyInfo& key : input::allKeys(input::devices::PCKeyboard::instance()))
        EXPECT_EQ(reached[key.name], 1) << key.name;
    // Spot checks of the two ranges, where an off-by-one hides.
    EXPECT_EQ(kelplay::Window::keyName(SDL_SCANCODE_A), "A");
    EXPECT_EQ(kelplay::Window::keyName(SDL_SCANCODE_Z), "Z");
    EXPECT_EQ(kelplay::Window::keyName(SDL_SCANCODE_1), "Digit1");
    EXPECT_EQ(kelplay::Window::keyName(SDL_SCANCODE_0), "Digit0");
}

// A session shown in a real window; the test plays the desktop, pushing events into SDL's queue
// as the window system would.
class KelPlayWindowSession : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = kel::test::whyNoFrames();
        if (!why.empty())
            GTEST_SKIP() << why;
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            if (std::getenv("KEL_REQUIRE_DISPLAY"))
                FAIL() << "KEL_REQUIRE_DISPLAY is set but there is no display";
            GTEST_SKIP() << "no display (the suite runs these under xvfb-run too)";
        }
        savedProfile = resource::theResourceManager->getProfileRoot();
        resource::theResourceManager->setProfileRoot(profile.get());
        kelplay::Session::Options options;
        options.outputDirectory = out.get();
        session = std::make_unique<kelplay::Session>(
            options, [this](const std::string& line) { transcript += line + "\n"; });
        std::string error;
        ASSERT_TRUE(session->start(&error)) << error;
        kel::ui::KELUI* root = session->getRoot();
        ASSERT_TRUE(session->getRenderer());
        window = kelplay::Window::open(
            "kel-play test", static_cast<int>(std::lround(root->getScreenWidth())),
            static_cast<int>(std::lround(root->getScreenHeight())), &error);
        ASSERT_TRUE(window) << error;
        session->setAfterFrame([this, root] {
            if (!window->pump(root))
                return;
            ASSERT_TRUE(window->present(*session->getRenderer(), root));
            ++presented;
        });
    }

    void TearDown() override {
        if (!session)
            return;
        std::string error;
        window.reset();
        EXPECT_TRUE(session->finish(&error)) << error;
        session.reset();
        resource::theResourceManager->setProfileRoot(savedProfile);
    }

    // Runs one script line; false with the transcript's reason when it failed.
    ::testing::AssertionResult run(const std::string& line) {
        kelplay::ScriptCommand command;
        kelplay::ScriptError error;
        if (!kelplay::Script::parseLine(line, 1, "test.play", &command, &error) ||
            !session->run(command, "test.play", &error))
            return ::testing::AssertionFailure() << error.describe() << "\n" << transcript;
        return ::testing::AssertionSuccess();
    }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    static void pushKey(SDL_Scancode scancode, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        push(event);
    }
    static void pushClick(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        push(event);
        for (bool down : {true, false}) {
            event = SDL_Event{};
            event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.button = SDL_BUTTON_LEFT;
            event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = x;
            event.button.y = y;
            push(event);
        }
    }

    kel::test::LogCapture log;
    kel::test::TempDir profile;
    kel::test::TempDir out;
    std::filesystem::path savedProfile;
    std::string transcript;
    std::unique_ptr<kelplay::Session> session;
    std::unique_ptr<kelplay::Window> window;
    int presented = 0;
};

TEST_F(KelPlayWindowSession, KeysAndClicksFromTheDesktopPlayTheModuleUntilTheWindowCloses) {
    ASSERT_TRUE(run("wait 0.8"));
    ASSERT_TRUE(run("expect state MAIN_MENU"));
    EXPECT_GT(presented, 40) << "a frame is shown after every frame drawn";

    // The window shows the frame as drawn offscreen, pixel for pixel: upright, colours in their
    // channels.
    SDL_Window* shown = nullptr;
    for (Uint32 id = 1; id < 64 && !shown; ++id)
        if (SDL_Window* candidate = SDL_GetWindowFromID(id))
            shown =
                std::string(SDL_GetWindowTitle(candidate)) == "kel-play test" ? candidate : nullptr;
    ASSERT_TRUE(shown);
    SDL_Surface* surface = SDL_GetWindowSurface(shown);
    render::Picture frame;
    ASSERT_TRUE(session->renderFrame(&frame));
    ASSERT_EQ(surface->w, frame.width);
    ASSERT_EQ(surface->h, frame.height);
    ASSERT_EQ(SDL_LockSurface(surface), 0);
    int differing = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(static_cast<const Uint32*>(surface->pixels)[y * surface->pitch / 4 + x],
                       surface->format, &r, &g, &b);
            differing += frame.at(x, y) >> 8 != (Uint32(r) << 16 | Uint32(g) << 8 | b);
        }
    SDL_UnlockSurface(surface);
    EXPECT_EQ(differing, 0);

    // A debug key of the host's keyboard: F2 sets the sky to nine in the morning.
    pushKey(SDL_SCANCODE_F2, true);
    pushKey(SDL_SCANCODE_F2, false);
    ASSERT_TRUE(run("wait 0.1"));
    EXPECT_TRUE(run("expect daytime 09:00"));

    // A click on the YES button of a question the host asks from its thread.
    ASSERT_TRUE(run("ask \"Overwrite the saved game?\" YES|NO"));
    pushClick(427, 397);
    ASSERT_TRUE(run("wait 0.1"));
    EXPECT_TRUE(run("expect answer YES"));

    // A window the player made half as big shows the whole screen scaled, and a click lands on
    // what is drawn under it: NO, this time.
    SDL_SetWindowSize(shown, frame.width / 2, frame.height / 2);
    ASSERT_TRUE(run("ask \"Overwrite the saved game?\" YES|NO"));
    ASSERT_TRUE(run("wait 0.1"));
    surface = SDL_GetWindowSurface(shown);
    ASSERT_EQ(surface->w, frame.width / 2);
    render::Picture asked;
    ASSERT_TRUE(session->renderFrame(&asked));
    ASSERT_EQ(SDL_LockSurface(surface), 0);
    differing = 0;
    for (int y = 0; y < surface->h; y += 8)
        for (int x = 0; x < surface->w; x += 8) {
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(static_cast<const Uint32*>(surface->pixels)[y * surface->pitch / 4 + x],
                       surface->format, &r, &g, &b);
            const unsigned want = asked.at(2 * x, 2 * y);
            differing +=
                std::abs(int(r) - int(want >> 24)) + std::abs(int(b) - int(want >> 8 & 0xFF)) > 24;
        }
    SDL_UnlockSurface(surface);
    EXPECT_LT(differing, surface->w * surface->h / 64 / 20)
        << "the half-size window shows another picture";
    pushClick(597 / 2, 397 / 2);
    ASSERT_TRUE(run("wait 0.1"));
    EXPECT_TRUE(run("expect answer NO"));

    // Closing the window: the pump says so and nothing more is shown.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    const int before = presented;
    ASSERT_TRUE(run("wait 0.1"));
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(presented, before);
    EXPECT_TRUE(log.take().empty());
}

#endif // KEL_PLAY_WINDOW

#ifndef _WIN32
TEST(KelPlayWindowProgram, WithoutADisplayTheWindowIsRefusedWithAReason) {
    kel::test::TempDir dir;
    const std::string command = "cd " + dir.get().string() +
                                " && env -u DISPLAY -u WAYLAND_DISPLAY " + KEL_PLAY_EXE +
                                " --window --quiet --out out > out.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const std::string said = dir.read("errors.txt");
    EXPECT_NE(said.find("kel-play: --window: "), std::string::npos) << said;
    if (kelplay::Window::isBuiltIn()) {
        EXPECT_NE(said.find("no display"), std::string::npos) << said;
    }
}
#endif

} // namespace
