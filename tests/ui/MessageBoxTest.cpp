#include "support/RootFixture.h"

#include "host/thread/Event.h"
#include "host/ui/Font.h"
#include "host/ui/TextButton.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using kel::ui::MessageBoxA;

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

    const std::string text(120, 'W');
    MessageBoxA wide(root.get(), text, MessageBoxA::OK, &unused);
    const float textWidth = root->getFont("first_blue")->getTextWidth(text);
    ASSERT_GT(textWidth + 30, 240);
    EXPECT_FLOAT_EQ(wide.getWidth(), textWidth + 30);
}

TEST_F(MessageBox, AHostThreadWaitsUntilThePlayerClicksAnAnswer) {
    std::atomic<int> answer{-1};
    std::thread host([&] {
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

} // namespace
