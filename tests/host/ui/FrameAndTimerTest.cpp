#include "host/engine/Camera.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriverListener.h"
#include "host/engine/View.h"
#include "host/ui/AutoRepeater.h"
#include "host/ui/Progresser.h"
#include "support/UiFixture.h"

#include <string>
#include <vector>

namespace {

using kel::test::UiFixture;

class FramesAndTimers : public UiFixture {};

// Writes what a frame did into a shared trace; can register another listener while running.
class Recorder : public RenderDriverListener {
public:
    Recorder(std::string tag, std::string* trace) : tag(std::move(tag)), trace(trace) {}
    void initFrame(float elapsed) override {
        *trace += tag + "(" + std::to_string(static_cast<int>(elapsed * 1000 + 0.5)) + ") ";
        if (onFrame)
            onFrame();
    }
    void termFrame() override { *trace += "/" + tag + " "; }
    void initView(RenderView*) override { *trace += tag + "@view "; }

    std::function<void()> onFrame;

private:
    std::string tag;
    std::string* trace;
};

TEST_F(FramesAndTimers, AFrameRunsListenersInOrderAndToleratesChangesDuringIt) {
    std::string trace;
    Recorder a("a", &trace), b("b", &trace), late("late", &trace), viewer("v", &trace);
    theRenderDriver->registerListener(&a, 0);
    theRenderDriver->registerListener(&b, 0);
    ui->getView()->registerListener(&viewer, 0);
    a.onFrame = [&] {
        theRenderDriver->unregisterListener(&b);
        theRenderDriver->registerListener(&late, 0);
    };
    frame(0.25);
    EXPECT_EQ(trace, "a(0) v@view /a ") << "b left before its turn; late joins next frame";
    trace.clear();
    a.onFrame = nullptr;
    frame(0.25);
    EXPECT_EQ(trace, "a(250) late(250) v@view /late /a ");
    const unsigned long forced = theRenderDriver->getForcedFrameCount();
    theRenderDriver->drawFrameAtOnce();
    EXPECT_EQ(theRenderDriver->getForcedFrameCount(), forced + 1);
    theRenderDriver->unregisterListener(&a);
    theRenderDriver->unregisterListener(&late);
    ui->getView()->unregisterListener(&viewer);
}

TEST_F(FramesAndTimers, AHeldKeyRepeatsAfterHalfASecondThenEveryTenthWhateverTheFrameRate) {
    class Counter : public ui::AutoRepeaterConsumer<std::string> {
    public:
        void processAutoRepeation(std::string key) override { keys.push_back(key); }
        std::vector<std::string> keys;
    } counter;
    ui::AutoRepeater<std::string> repeater(ui->getView(), &counter);
    repeater.setKey(true, "Down");
    frame(0.45);
    EXPECT_TRUE(counter.keys.empty());
    frame(0.3); // one long frame: ticks at 0.5, 0.6 and 0.7 are all due
    EXPECT_EQ(counter.keys, (std::vector<std::string>{"Down", "Down", "Down"}));
    repeater.setKey(false, "Down");
    frame(1.0);
    EXPECT_EQ(counter.keys.size(), 3u);
}

TEST_F(FramesAndTimers, AProgresserEndsOnceWhenItsIntervalHasRunOut) {
    struct Once : ui::Progresser {
        using Progresser::Progresser;
        void end() override { ++ends; }
        int ends = 0;
    } progress(ui->getView());
    progress.setInterval(0.4f);
    progress.start();
    frame(0.3);
    EXPECT_EQ(progress.ends, 0);
    frame(0.1);
    frame(1.0);
    EXPECT_EQ(progress.ends, 1);
    progress.reset();
    frame(1.0);
    EXPECT_EQ(progress.ends, 1) << "a reset progresser stays stopped";
}

TEST_F(FramesAndTimers, PausedAndScaledRenderTimersFollowTheHostClock) {
    thePausedRenderTimer->reset();
    theDelayedRenderTimer->reset();
    theTimer->advance(1.0);
    theDelayedRenderTimer->setTimeScale(2.0f);
    theTimer->advance(1.0);
    EXPECT_FLOAT_EQ(theDelayedRenderTimer->getTime(), 3.0f);
    thePausedRenderTimer->pause();
    theTimer->advance(5.0);
    EXPECT_FLOAT_EQ(thePausedRenderTimer->getTime(), 2.0f);
    thePausedRenderTimer->resume();
    theTimer->advance(1.0);
    EXPECT_FLOAT_EQ(thePausedRenderTimer->getTime(), 3.0f);
    theDelayedRenderTimer->reset();
    thePausedRenderTimer->reset();
}

// Picks the mesh under the pointer: the highest trace priority wins, then the nearest.
TEST_F(FramesAndTimers, ThePointerTracesTheHighestPriorityMeshUnderIt) {
    struct Listener : RenderMeshListener {
        Listener(std::string tag, std::string* trace) : tag(std::move(tag)), trace(trace) {}
        void traceIn(void*) override { *trace += tag + "+ "; }
        void traceOut(void* next) override { *trace += tag + (next ? "-> " : "- "); }
        std::string tag;
        std::string* trace;
    };
    std::string trace;
    Camera camera;
    camera.setTransformation(Camera::lookingAt(0, 0), Vector());
    View view(&camera, Viewport(), "board");
    view.activate();
    theRenderDriver->addView(&view);
    Model near("unknown-near"), far("unknown-far");
    log.take(); // unknown models are reported; not what this test is about
    near.getAnimator()->setTransformation(Matrix3(), Vector(5, 0, -0.5f));
    far.getAnimator()->setTransformation(Matrix3(), Vector(10, 0, -0.5f));
    Listener nearListener("near", &trace), farListener("far", &trace);
    near.setMeshListener(&nearListener);
    far.setMeshListener(&farListener);
    view.registerObject(&near);
    view.registerObject(&far);

    moveTo(320, 240); // the centre of the screen looks along x through both
    frame();
    EXPECT_EQ(trace, "near+ ");
    farListener.setTracePriority(1);
    frame();
    EXPECT_EQ(trace, "near+ near-> far+ ");
    moveTo(0, 0);
    frame();
    EXPECT_EQ(trace, "near+ near-> far+ far- ");
    view.getRenderView()->setFlags(0);
    moveTo(320, 240);
    frame();
    EXPECT_EQ(trace, "near+ near-> far+ far- ") << "no tracing with the trace flag off";
    theRenderDriver->removeView(&view);
}

} // namespace
