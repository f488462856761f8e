#include "support/RootFixture.h"

#include "host/thread/Event.h"
#include "host/ui/Font.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextLayout.h"
#include "ui/GameMenu.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using kel::ui::MessageBoxA;

// The host's thread asking a question. However a test ends, the question is answered and the
// thread joined, so a failed assertion never leaves a thread waiting (which would end the run).
class HostThread {
public:
    HostThread(kel::ui::KELUI* root, std::function<void()> work)
        : root(root), thread(std::move(work)) {}
    ~HostThread() {
        while (thread.joinable() && !finished()) {
            thread::Lock hold(*root);
            for (::ui::Component* top : root->getTopLevel())
                if (auto* box = dynamic_cast<MessageBoxA*>(top)) {
                    ::ui::NotifyEvent any(box);
                    box->notify(any);
                }
        }
        if (thread.joinable())
            thread.join();
    }
    void join() { thread.join(); }

private:
    bool finished() {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return false == thread.joinable();
    }
    kel::ui::KELUI* root;
    std::thread thread;
};

class MessageBox : public kel::test::RootFixture {
protected:
    // The top-level message box, once another thread has put it up.
    MessageBoxA* waitForBox() {
        for (int i = 0; i < 5000; ++i) {
            {
                thread::Lock hold(*root);
                for (::ui::Component* top : root->getTopLevel())
                    if (auto* box = dynamic_cast<MessageBoxA*>(top))
                        return box;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return nullptr;
    }
    std::string buttons(MessageBoxA& box) {
        std::string names;
        for (::ui::Component* child : box.getChildren())
            if (dynamic_cast<::ui::TextButton*>(child))
                names += child->getName() + "@" + std::to_string(int(child->getXPosition())) + " ";
        return names;
    }
};

TEST_F(MessageBox, ButtonsStandInBitOrderWithTheirNamesAndTheBoxFitsThem) {
    thread::Event unused;
    MessageBoxA yesNo(root.get(), "Overwrite?", MessageBoxA::YES | MessageBoxA::NO, &unused);
    EXPECT_FLOAT_EQ(yesNo.getWidth(), 410);
    EXPECT_FLOAT_EQ(yesNo.getHeight(), 100);
    EXPECT_EQ(buttons(yesNo), "mb: YES@70 mb: NO@240 ");

    MessageBoxA reversed(root.get(), "?", MessageBoxA::CANCEL | MessageBoxA::OK, &unused);
    EXPECT_EQ(buttons(reversed), "mb: OK@70 mb: CANCEL@240 ");

    const std::string text(40, 'W');
    MessageBoxA wide(root.get(), text, MessageBoxA::OK, &unused);
    const float textWidth = root->getFont("first_blue")->getTextWidth(text);
    ASSERT_GT(textWidth + 30, 240);
    EXPECT_FLOAT_EQ(wide.getWidth(), textWidth + 30);
}

TEST_F(MessageBox, AHostThreadWaitsUntilThePlayerClicksAnAnswer) {
    std::atomic<int> answer{-1};
    HostThread host(root.get(), [&] {
        answer = root->messageBox("Leave the battle?", MessageBoxA::YES | MessageBoxA::NO);
    });
    MessageBoxA* box = waitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(answer, -1) << "the host thread still waits";
    float x = 0, y = 0;
    {
        thread::Lock hold(*root);
        ::ui::Component* no = box->getComponent("mb: NO");
        x = no->getAbsoluteX() + 10;
        y = no->getAbsoluteY() + 10;
    }
    clickAt(x, y);
    host.join();
    EXPECT_EQ(answer, MessageBoxA::NO);
    for (::ui::Component* top : root->getTopLevel())
        EXPECT_EQ(dynamic_cast<MessageBoxA*>(top), nullptr) << "the box is gone";
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
    for (const char* name : {"mb: YES", "mb: NO"}) {
        ::ui::Component* button = box.getComponent(name);
        clickAt(button->getAbsoluteX() + 5, button->getAbsoluteY() + 5);
    }
    EXPECT_TRUE(answered.isSet());
    EXPECT_EQ(box.getResult(), MessageBoxA::YES);

    struct Row {
        int style;
        MessageBoxA::Button escape; // 0: Escape does not answer
    };
    for (const Row& row :
         {Row{MessageBoxA::OK | MessageBoxA::CANCEL, MessageBoxA::CANCEL},
          Row{MessageBoxA::YES | MessageBoxA::NO, MessageBoxA::NO},
          Row{MessageBoxA::YES | MessageBoxA::NO | MessageBoxA::CANCEL, MessageBoxA::CANCEL},
          Row{MessageBoxA::OK, MessageBoxA::Button(0)},
          Row{MessageBoxA::ABORT | MessageBoxA::RETRY, MessageBoxA::Button(0)}}) {
        thread::Event event(true, false);
        MessageBoxA question(root.get(), "?", row.style, &event);
        question.setVisible(true);
        tap("Escape");
        EXPECT_EQ(event.isSet(), row.escape != 0) << row.style;
        EXPECT_EQ(question.getResult(), row.escape) << row.style;
    }
}

TEST_F(MessageBox, TheScreensBehindSeeNoInputWhileItIsUp) {
    ::ui::NotifyEvent players(root->getDescendant("mainroundmenu"));
    const std::string roundMenu = "roundmenu";
    players.setProperty("class", &roundMenu);
    players.setSValue("menuName", "mainroundmenu");
    players.setSValue("action", "command");
    players.setSValue("itemName", "options_play");
    root->notify(players);
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
        root->setResolution(width, width * 0.75f);
        thread::Event unused;
        MessageBoxA box(root.get(), question, MessageBoxA::YES | MessageBoxA::NO, &unused);
        box.centerBoth();
        EXPECT_GE(box.getAbsoluteX(), 0) << width;
        EXPECT_LE(box.getAbsoluteX() + box.getWidth(), width) << width;
        EXPECT_GT(box.getHeight(), 100) << "grown for the extra lines";
        const ::ui::TextComponent* text = nullptr;
        for (const ::ui::Component* child : box.getChildren())
            if (!text)
                text = dynamic_cast<const ::ui::TextComponent*>(child);
        ASSERT_NE(text, nullptr);
        EXPECT_LE(text->getTextWidth(), box.getWidth() - 30) << width;
        const std::string last = ::ui::TextLayout::lines(text->getText()).back();
        EXPECT_EQ(last.substr(last.size() - 6), "leave?") << "nothing of the question is lost";
        const ::ui::Component* yes = box.getComponent("mb: YES");
        EXPECT_GE(yes->getYPosition(), text->getYPosition() + text->getHeight()) << width;
        EXPECT_LE(yes->getYPosition() + yes->getHeight(), box.getHeight()) << width;
    }
}

} // namespace
