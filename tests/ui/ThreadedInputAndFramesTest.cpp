#include "support/RootFixture.h"
#include "ui/KELUI.h"

#include "host/engine/RenderDriver.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/kelinput/KelInput.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace {

using ThreadedInputAndFrames = kel::test::RootFixture;

// A host that feeds input on one thread while another draws frames: keys turn the ring, the
// mouse sweeps over its entries (fly-by from the frame's picking), and neither side waits for
// the other forever. Run under ThreadSanitizer, this finds any unguarded state or lock-order
// inversion between the input path and the frame path.
TEST_F(ThreadedInputAndFrames, InputAndFramesOnTwoThreadsMeetOnlyUnderTheLockOrder) {
    frame();
    wait(1.0); // the ring at rest
    std::atomic<bool> inputDone{false};
    std::thread input([&] {
        const auto* mouse = input::devices::PCMouse::instance();
        for (int i = 0; i < 400; ++i) {
            send(i % 2 ? "Left" : "Right", true);
            theKelInput->feed(counting_ptr<input::Event>(
                new input::events::Motion(const_cast<input::devices::PCMouse*>(mouse),
                                          (i % 40 < 20 ? 25.0f : -25.0f), i % 3 - 1.0f)));
            send(i % 2 ? "Left" : "Right", false);
        }
        inputDone = true;
    });
    int frames = 0;
    while (!inputDone || frames < 200) {
        frame();
        ++frames;
    }
    input.join();
    wait(1.5);
    EXPECT_EQ(root->getState(), kel::ui::State::MAIN_MENU);
    EXPECT_TRUE(root->getDescendant("mainroundmenu")->isShowed());
}

} // namespace
