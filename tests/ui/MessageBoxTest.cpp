// The modal message box: its layout and answers for every style, a real host thread waiting for
// the click on the UI thread, and what guards the question while it is up.
#include "support/RootFixture.h"

#include "host/thread/Event.h"
#include "host/ui/Font.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Ramka.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextLayout.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>
#include <tuple>

namespace {

using kel::ui::MessageBoxA;

// The box up on the root, if any; the caller holds the UI lock.
MessageBoxA* boxUp(kel::ui::KELUI* root) {
    for (::ui::Component* top : root->getTopLevel())
        if (auto* box = dynamic_cast<MessageBoxA*>(top))
            return box;
    return nullptr;
}

// A host thread that asks the player a question. However the test ends, a box still waiting for
// an answer is answered by a stray notification (0) and the thread is joined, so a failed
// assertion never leaves a waiting thread behind.
class HostAsks {
public:
    static constexpr int kWaiting = -1;

    HostAsks(kel::ui::KELUI* root, const std::string& text, int style)
        : root(root), asker([this, text, style] { answer = this->root->messageBox(text, style); }) {
    }
    ~HostAsks() {
        for (; answer == kWaiting; std::this_thread::yield()) {
            thread::Lock hold(*root);
            ::ui::NotifyEvent leave(nullptr);
            if (MessageBoxA* box = boxUp(root))
                box->notify(leave);
        }
        if (asker.joinable())
            asker.join();
    }

    // Waits for the host thread to put its box up; null when it never does.
    MessageBoxA* box() {
        MessageBoxA* up = nullptr;
        until([&] {
            thread::Lock hold(*root);
            return answer != kWaiting || (up = boxUp(root));
        });
        return up;
    }
    // Waits for the host thread to return with the answer; kWaiting when it never does.
    int wait() {
        until([&] { return answer != kWaiting; });
        return answer;
    }

    std::atomic<int> answer{kWaiting};

private:
    // Yields until `done` holds, for ten seconds at most: a fault fails the test, never hangs it.
    template <class F> static void until(F done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    }

    kel::ui::KELUI* root;
    std::thread asker;
};

// What the box shows: each button as "name=label@x", then the box's size.
std::string layoutOf(MessageBoxA& box) {
    std::string out;
    for (::ui::Component* child : box.getChildren()) {
        if (auto* b = dynamic_cast<::ui::TextButton*>(child)) {
            EXPECT_TRUE(b->getYPosition() == 50 && b->getWidth() == 100 && b->getHeight() == 26 &&
                        b->getVisible() && b->getNotify())
                << b->getName();
            out += b->getName() + "=" + b->getText() + "@" +
                   std::to_string(int(b->getXPosition())) + " ";
        }
    }
    return out + std::to_string(int(box.getWidth())) + "x" + std::to_string(int(box.getHeight()));
}

template <class T> T* childOf(MessageBoxA& box) {
    for (::ui::Component* child : box.getChildren())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

class MessageBox : public kel::test::RootFixture {
protected:
    // Clicks the middle of one of the box's buttons.
    void pressButton(MessageBoxA& box, const std::string& name) {
        ::ui::Component* button = box.getComponent(name);
        ASSERT_NE(button, nullptr) << name;
        clickAt(button->getAbsoluteX() + 50, button->getAbsoluteY() + 13);
    }
};

// Buttons stand in bit order whatever the caller meant; the box is as wide as its buttons with
// their gaps, or as its text plus 30 when that is wider; the text line and the frame fill it.
// Each button, pressed, answers itself.
TEST_F(MessageBox, EveryStyleLaysOutItsButtonsAndEachAnswersItself) {
    root->setResolution(1600, 1200); // room for all seven buttons
    using B = MessageBoxA;
    const std::map<std::string, MessageBoxA::Button> kAnswers = {
        {"mb: OK", B::OK},        {"mb: YES", B::YES},     {"mb: NO", B::NO},
        {"mb: ABORT", B::ABORT},  {"mb: RETRY", B::RETRY}, {"mb: IGNORE", B::IGNORE},
        {"mb: CANCEL", B::CANCEL}};
    const std::string longText(40, 'W'); // wider than the buttons, narrower than the screen
    const float longWidth = root->getFont("first_blue")->getTextWidth(longText);
    ASSERT_GT(longWidth + 30, 410);
    const std::string wide = std::to_string(int(longWidth + 30));
    const std::tuple<std::string, int, std::string> kRows[] = {
        // text, style, layout
        {"?", B::YES | B::NO, "mb: YES=YES@70 mb: NO=NO@240 410x100"},
        {"?", B::CANCEL | B::OK, "mb: OK=OK@70 mb: CANCEL=CANCEL@240 410x100"},
        {"?", B::IGNORE | B::RETRY | B::ABORT,
         "mb: ABORT=ABORT@70 mb: RETRY=RETRY@240 mb: IGNORE=IGNORE@410 580x100"},
        {"?", 0x7F,
         "mb: OK=OK@70 mb: YES=YES@240 mb: NO=NO@410 mb: ABORT=ABORT@580 mb: RETRY=RETRY@750 "
         "mb: IGNORE=IGNORE@920 mb: CANCEL=CANCEL@1090 1260x100"},
        {"?", 0, "70x100"},
        {longText, B::OK, "mb: OK=OK@70 " + wide + "x100"},
        {longText, B::YES | B::NO, "mb: YES=YES@70 mb: NO=NO@240 " + wide + "x100"},
    };
    for (const auto& [question, style, layout] : kRows) {
        SCOPED_TRACE(style);
        thread::Event unused(true, false);
        MessageBoxA box(root.get(), question, style, &unused);
        EXPECT_EQ(layoutOf(box), layout);
        auto* text = childOf<::ui::TextComponent>(box);
        auto* frame = childOf<::ui::Ramka>(box);
        ASSERT_TRUE(text && frame);
        EXPECT_EQ(text->getText(), question);
        const float line = root->getFont("first_blue")->getHeight("a");
        EXPECT_EQ(std::vector<float>({text->getXPosition(), text->getYPosition(), text->getWidth(),
                                      text->getHeight(), frame->getWidth(), frame->getHeight()}),
                  std::vector<float>(
                      {0, 20, std::max(440.0f, box.getWidth()), line, box.getWidth(), 100}))
            << "the text line at 0,20, never narrower than 440, and the frame filling the box";
        EXPECT_EQ(text->getAlign(), 2) << "centred";
        for (const auto& [name, answer] : kAnswers) {
            if (!box.getComponent(name))
                continue;
            thread::Event answered(true, false);
            MessageBoxA asked(root.get(), question, style, &answered);
            asked.setVisible(true);
            pressButton(asked, name);
            EXPECT_TRUE(answered.isSet()) << name;
            EXPECT_EQ(asked.getResult(), answer) << name;
        }
    }
}

// The host thread waits for the player's click and gets the answer; the box is centred while it
// is up and gone with the answer.
TEST_F(MessageBox, TheHostThreadWaitsForTheAnswerOnTheUIThread) {
    HostAsks host(root.get(), "Leave the battle?", MessageBoxA::YES | MessageBoxA::NO);
    MessageBoxA* box = host.box();
    ASSERT_NE(box, nullptr);
    {
        thread::Lock hold(*root);
        EXPECT_TRUE(box->isShowed());
        EXPECT_EQ(box->getXPosition(), (root->getScreenWidth() - box->getWidth()) / 2);
        EXPECT_EQ(box->getYPosition(), (root->getScreenHeight() - box->getHeight()) / 2);
    }
    EXPECT_EQ(host.answer, HostAsks::kWaiting) << "the host thread waits for the player";
    pressButton(*box, "mb: NO");
    EXPECT_EQ(host.wait(), MessageBoxA::NO);
    thread::Lock hold(*root);
    EXPECT_EQ(boxUp(root.get()), nullptr) << "the box is gone with the answer";
}

TEST_F(MessageBox, OnTheUIThreadItRefusesInsteadOfWaitingForever) {
    EXPECT_EQ(root->messageBox("Deadlock?", MessageBoxA::OK), MessageBoxA::Button(0));
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter, "kel-ui");
}

TEST_F(MessageBox, TheFirstAnswerDecidesAndEscapeAnswersTheWayOut) {
    thread::Event answered(true, false);
    MessageBoxA box(root.get(), "Save?", MessageBoxA::YES | MessageBoxA::NO, &answered);
    box.setVisible(true);
    pressButton(box, "mb: YES");
    pressButton(box, "mb: NO");
    EXPECT_TRUE(answered.isSet());
    EXPECT_EQ(box.getResult(), MessageBoxA::YES);
    thread::Event any(true, false); // without buttons, any notification answers, with 0
    MessageBoxA none(root.get(), "Wait", 0, &any);
    ::ui::NotifyEvent stray(nullptr);
    stray.setSValue("name", "mb: MAYBE");
    none.notify(stray);
    EXPECT_TRUE(any.isSet());
    EXPECT_EQ(none.getResult(), 0);
    using B = MessageBoxA;
    for (const auto& [style, escape] : // 0: Escape does not answer
         {std::pair{B::OK | B::CANCEL, B::CANCEL},
          {B::YES | B::NO, B::NO},
          {B::YES | B::NO | B::CANCEL, B::CANCEL},
          {B::OK, B::Button(0)},
          {B::ABORT | B::RETRY, B::Button(0)}}) {
        thread::Event event(true, false);
        MessageBoxA question(root.get(), "?", style, &event);
        question.setVisible(true);
        tap("Escape");
        EXPECT_EQ(event.isSet(), escape != 0) << style;
        EXPECT_EQ(question.getResult(), escape) << style;
    }
}

TEST_F(MessageBox, TheScreensBehindSeeNoInputWhileItIsUp) {
    root->getDescendant("gamemenu")->setVisible(true); // the player menu, as the main ring opens it
    root->setFocusedComponent(root->getDescendant("gamemenu"));
    ASSERT_TRUE(shown("gamemenu"));
    thread::Event event(true, false);
    MessageBoxA box(root.get(), "Delete?", MessageBoxA::YES | MessageBoxA::CANCEL, &event);
    box.centerBoth();
    box.setVisible(true);
    tap("Escape");
    clickAt(5, 5, "RightClick"); // outside the box: the menu would cancel
    EXPECT_EQ(box.getResult(), MessageBoxA::CANCEL);
    EXPECT_TRUE(shown("gamemenu")) << "the player menu heard neither";
}

TEST_F(MessageBox, ALongQuestionWrapsInsideABoxThatStaysOnScreen) {
    std::string question;
    for (int i = 0; i < 60; ++i)
        question += "really ";
    question += "leave?";
    for (float width : {640.0f, 1024.0f, 1920.0f}) {
        SCOPED_TRACE(width);
        root->setResolution(width, width * 0.75f);
        thread::Event unused;
        MessageBoxA box(root.get(), question, MessageBoxA::YES | MessageBoxA::NO, &unused);
        box.centerBoth();
        EXPECT_TRUE(box.getAbsoluteX() >= 0 && box.getAbsoluteX() + box.getWidth() <= width)
            << box.getAbsoluteX() << " + " << box.getWidth();
        EXPECT_GT(box.getHeight(), 100) << "grown for the extra lines";
        const ::ui::TextComponent* text = childOf<::ui::TextComponent>(box);
        ASSERT_NE(text, nullptr);
        EXPECT_LE(text->getTextWidth(), box.getWidth() - 30);
        const std::string last = ::ui::TextLayout::lines(text->getText()).back();
        EXPECT_EQ(last.substr(last.size() - 6), "leave?") << "nothing of the question is lost";
        const ::ui::Component* yes = box.getComponent("mb: YES");
        EXPECT_GE(yes->getYPosition(), text->getYPosition() + text->getHeight());
        EXPECT_LE(yes->getYPosition() + yes->getHeight(), box.getHeight());
    }
}

} // namespace
