// The modal message box: a real host thread asks, the player clicks on the UI thread.
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
#include <thread>

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
        MessageBoxA* answered = nullptr;
        while (answer == kWaiting) {
            {
                thread::Lock hold(*root);
                MessageBoxA* box = boxUp(root);
                if (box && box != answered) {
                    ::ui::NotifyEvent leave(nullptr);
                    box->notify(leave);
                    answered = box;
                }
            }
            std::this_thread::yield();
        }
        if (asker.joinable())
            asker.join();
    }

    // Waits for the host thread to put its box up; null when it never does.
    MessageBoxA* box() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline && answer == kWaiting) {
            {
                thread::Lock hold(*root);
                if (MessageBoxA* box = boxUp(root))
                    return box;
            }
            std::this_thread::yield();
        }
        return nullptr;
    }
    // Waits for the host thread to return with the answer.
    int wait() {
        asker.join();
        return answer;
    }

    std::atomic<int> answer{kWaiting};

private:
    kel::ui::KELUI* root;
    std::thread asker;
};

// What the box shows: each button as "name=label@x", then the box's size.
std::string layoutOf(MessageBoxA& box) {
    std::string out;
    for (::ui::Component* child : box.getChildren()) {
        auto* button = dynamic_cast<::ui::TextButton*>(child);
        if (!button)
            continue;
        EXPECT_EQ(button->getYPosition(), 50);
        EXPECT_EQ(button->getWidth(), 100);
        EXPECT_EQ(button->getHeight(), 26);
        EXPECT_TRUE(button->getVisible());
        EXPECT_TRUE(button->getNotify()) << button->getName();
        out += button->getName() + "=" + button->getText() + "@" +
               std::to_string(int(button->getXPosition())) + " ";
    }
    return out + std::to_string(int(box.getWidth())) + "x" + std::to_string(int(box.getHeight()));
}

struct Answer {
    int style;
    const char* press;
    MessageBoxA::Button answer;
    const char* layout;
};

std::ostream& operator<<(std::ostream& out, const Answer& row) {
    return out << "style " << row.style << ", pressing " << row.press;
}

class MessageBox : public kel::test::RootFixture, public ::testing::WithParamInterface<Answer> {};

// Every answer, asked by a host thread and given by a click on the UI thread.
TEST_P(MessageBox, TheHostThreadWaitsForTheClickedAnswer) {
    const Answer& row = GetParam();
    HostAsks host(root.get(), "Leave the battle?", row.style);
    MessageBoxA* box = host.box();
    ASSERT_NE(box, nullptr);
    float x = 0, y = 0;
    {
        thread::Lock hold(*root);
        EXPECT_EQ(layoutOf(*box), row.layout);
        EXPECT_TRUE(box->isShowed());
        EXPECT_EQ(box->getXPosition(), (root->getScreenWidth() - box->getWidth()) / 2);
        EXPECT_EQ(box->getYPosition(), (root->getScreenHeight() - box->getHeight()) / 2);
        ::ui::Component* button = box->getComponent(row.press);
        ASSERT_NE(button, nullptr) << row.press;
        x = button->getAbsoluteX() + 50;
        y = button->getAbsoluteY() + 13;
    }
    EXPECT_EQ(host.answer, HostAsks::kWaiting) << "the host thread waits for the player";
    clickAt(x, y);
    EXPECT_EQ(host.wait(), row.answer);
    thread::Lock hold(*root);
    EXPECT_EQ(boxUp(root.get()), nullptr) << "the box is gone with the answer";
}

const Answer kAnswers[] = {
    {MessageBoxA::YES | MessageBoxA::NO, "mb: NO", MessageBoxA::NO,
     "mb: YES=YES@70 mb: NO=NO@240 410x100"},
    {MessageBoxA::YES | MessageBoxA::NO, "mb: YES", MessageBoxA::YES,
     "mb: YES=YES@70 mb: NO=NO@240 410x100"},
    {MessageBoxA::CANCEL | MessageBoxA::OK, "mb: OK", MessageBoxA::OK,
     "mb: OK=OK@70 mb: CANCEL=CANCEL@240 410x100"},
    {MessageBoxA::CANCEL | MessageBoxA::OK, "mb: CANCEL", MessageBoxA::CANCEL,
     "mb: OK=OK@70 mb: CANCEL=CANCEL@240 410x100"},
    {MessageBoxA::IGNORE | MessageBoxA::RETRY | MessageBoxA::ABORT, "mb: ABORT", MessageBoxA::ABORT,
     "mb: ABORT=ABORT@70 mb: RETRY=RETRY@240 mb: IGNORE=IGNORE@410 580x100"},
    {MessageBoxA::IGNORE | MessageBoxA::RETRY | MessageBoxA::ABORT, "mb: RETRY", MessageBoxA::RETRY,
     "mb: ABORT=ABORT@70 mb: RETRY=RETRY@240 mb: IGNORE=IGNORE@410 580x100"},
    {MessageBoxA::IGNORE | MessageBoxA::RETRY | MessageBoxA::ABORT, "mb: IGNORE",
     MessageBoxA::IGNORE, "mb: ABORT=ABORT@70 mb: RETRY=RETRY@240 mb: IGNORE=IGNORE@410 580x100"},
};
INSTANTIATE_TEST_SUITE_P(EveryButton, MessageBox, ::testing::ValuesIn(kAnswers));

class MessageBoxLayout : public kel::test::RootFixture {};

// Buttons stand in bit order whatever the caller meant; the box is as wide as its buttons with
// their gaps, or as its text plus 30 when that is wider; the text line and the frame fill it.
TEST_F(MessageBoxLayout, ButtonsInBitOrderAndTheWidthOfButtonsOrText) {
    const std::string longText(40, 'W'); // wider than the buttons, narrower than the screen
    const float longWidth = root->getFont("first_blue")->getTextWidth(longText);
    ASSERT_GT(longWidth + 30, 410);
    const std::string wide = std::to_string(int(longWidth + 30));
    const struct {
        std::string text;
        int style;
        std::string layout;
    } kRows[] = {
        {"?", 0x7F,
         "mb: OK=OK@70 mb: YES=YES@240 mb: NO=NO@410 mb: ABORT=ABORT@580 mb: RETRY=RETRY@750 "
         "mb: IGNORE=IGNORE@920 mb: CANCEL=CANCEL@1090 1260x100"},
        {"?", 0, "70x100"},
        {longText, MessageBoxA::OK, "mb: OK=OK@70 " + wide + "x100"},
        {longText, MessageBoxA::YES | MessageBoxA::NO,
         "mb: YES=YES@70 mb: NO=NO@240 " + wide + "x100"},
    };
    for (const auto& row : kRows) {
        thread::Event unused(true, false);
        MessageBoxA box(root.get(), row.text, row.style, &unused);
        EXPECT_EQ(layoutOf(box), row.layout) << row.style;
        ::ui::TextComponent* text = nullptr;
        ::ui::Ramka* frame = nullptr;
        for (::ui::Component* child : box.getChildren()) {
            text = text ? text : dynamic_cast<::ui::TextComponent*>(child);
            frame = frame ? frame : dynamic_cast<::ui::Ramka*>(child);
        }
        ASSERT_TRUE(text && frame);
        EXPECT_EQ(text->getText(), row.text);
        EXPECT_EQ(text->getXPosition(), 0);
        EXPECT_EQ(text->getYPosition(), 20);
        EXPECT_EQ(text->getWidth(), std::max(440.0f, box.getWidth())) << "never narrower";
        EXPECT_EQ(text->getHeight(), root->getFont("first_blue")->getHeight("a"));
        EXPECT_EQ(text->getAlign(), 2) << "centred";
        EXPECT_EQ(frame->getWidth(), box.getWidth());
        EXPECT_EQ(frame->getHeight(), 100);
    }
}

// A box without buttons waits until something else notifies it, which answers 0.
TEST_F(MessageBoxLayout, WithoutButtonsTheHostWaitsForAnyNotification) {
    HostAsks host(root.get(), "Wait", 0);
    MessageBoxA* box = host.box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(host.answer, HostAsks::kWaiting);
    {
        thread::Lock hold(*root);
        ::ui::NotifyEvent stray(nullptr);
        stray.setSValue("name", "mb: MAYBE");
        box->notify(stray);
    }
    EXPECT_EQ(host.wait(), 0);
}

TEST_F(MessageBoxLayout, OnTheUIThreadItRefusesInsteadOfWaitingForever) {
    EXPECT_EQ(root->messageBox("Deadlock?", MessageBoxA::OK), MessageBoxA::Button(0));
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter, "kel-ui");
}

TEST_F(MessageBoxLayout, TheFirstAnswerDecidesAndEscapeAnswersTheWayOut) {
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

TEST_F(MessageBoxLayout, TheScreensBehindSeeNoInputWhileItIsUp) {
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

TEST_F(MessageBoxLayout, ALongQuestionWrapsInsideABoxThatStaysOnScreen) {
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
