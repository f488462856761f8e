#include "host/input/Broadcaster.h"
#include "host/input/Keys.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace {

// A listener that writes its tag when an event reaches it, then does what its row says.
struct Ear : input::Listener {
    Ear(char tag, std::string* heard) : tag(tag), heard(heard) {}
    void event(const counting_ptr<input::Event>&) override {
        *heard += tag;
        if (act)
            std::exchange(act, nullptr)();
    }
    char tag;
    std::string* heard;
    std::function<void()> act;
};

TEST(Broadcaster, AListenerLeftDuringADeliveryIsNotCalledAfterAndOneAddedHearsTheNext) {
    struct Ears {
        std::unique_ptr<Ear> one, two, three, four;
    };
    // Listeners 1, 2, 3 attached in that order; 2 acts when it hears the first event.
    const struct {
        const char* what;
        std::function<void(input::Broadcaster&, Ears&)> act;
        const char* first;
        const char* second;
    } rows[] = {
        {"2 detaches 3", [](auto& b, Ears& e) { b.detach(e.three.get()); }, "12", "12"},
        {"2 detaches 1, already called", [](auto& b, Ears& e) { b.detach(e.one.get()); }, "123",
         "23"},
        {"2 detaches itself", [](auto& b, Ears& e) { b.detach(e.two.get()); }, "123", "13"},
        {"2 destroys 3", [](auto&, Ears& e) { e.three.reset(); }, "12", "12"},
        {"2 attaches 4", [](auto& b, Ears& e) { b.attach(e.four.get()); }, "123", "1234"},
    };
    for (const auto& row : rows) {
        input::Broadcaster broadcaster;
        std::string heard;
        Ears ears{std::make_unique<Ear>('1', &heard), std::make_unique<Ear>('2', &heard),
                  std::make_unique<Ear>('3', &heard), std::make_unique<Ear>('4', &heard)};
        for (Ear* ear : {ears.one.get(), ears.two.get(), ears.three.get()})
            broadcaster.attach(ear);
        ears.two->act = [&] { row.act(broadcaster, ears); };
        const auto press = input::makeButton("Return", true);
        broadcaster.broadcast(press);
        EXPECT_EQ(std::exchange(heard, std::string()), row.first) << row.what;
        broadcaster.broadcast(press);
        EXPECT_EQ(heard, row.second) << row.what;
    }
}

} // namespace
