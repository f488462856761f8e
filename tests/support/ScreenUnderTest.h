#pragma once

#include "support/RootFixture.h"

#include "host/config/Config.h"
#include "host/input/Device.h"
#include "host/ui/NotifyEvent.h"

#include <string>
#include <utility>

namespace kel::test {

// What the ring of the entire menu `menu` reports when the player chooses `item` on it.
inline void choose(::ui::UI* root, const std::string& item,
                   const std::string& menu = "mainroundmenu") {
    ::ui::NotifyEvent event(root->getDescendant(menu));
    const std::string roundMenu = "roundmenu";
    event.setProperty("class", &roundMenu);
    event.setSValue("menuName", menu);
    event.setSValue("action", "command");
    event.setSValue("itemName", item);
    root->notify(event);
}

// Stands between the root and a screen under test, as large as the screen, and keeps what leaves
// the screen as "name:action " tokens in the order they arrive; nothing goes further up.
class Trace : public ::ui::Container {
public:
    explicit Trace(::ui::UI* ui)
        : Container(ui, 0, 0, ui->getScreenWidth(), ui->getScreenHeight()) {
        setFullscreen(true);
    }
    void notify(::ui::NotifyEvent& event) override {
        std::string name, action;
        event.getProperty("name", &name);
        event.getProperty("action", &action);
        trace += name + ":" + action + " ";
    }
    std::string take() { return std::exchange(trace, ""); }

    std::string trace;
};

// The module booted on the shipped data with its own screens hidden, and a trace below the root
// where a test builds the screen it drives: a copy of a shipped screen, or a layout of its own.
class ScreenUnderTest : public RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        root->getComponent("mainui")->setVisible(false);
        trace = new Trace(root.get());
        root->addComponent(trace);
        trace->setVisible(true);
    }

    // Builds the shipped screen `layout`.`name` (hidden, as shipped) below the trace, with the
    // properties of `changes` (layout text) put over those of its block.
    template <class T>
    T* build(const std::string& layout, const std::string& name, const std::string& changes = "") {
        config::Config shipped, overrides, wrapper;
        config::Block* block = nullptr;
        EXPECT_TRUE(shipped.readFile("/Configs/UI/" + layout + ".cfg"));
        EXPECT_TRUE(shipped.getPropertyAccess(layout + "." + name, &block)) << name;
        EXPECT_TRUE(overrides.readString(changes, "changes.cfg"));
        config::BlockEntry<config::Block::List*>* entry = nullptr;
        for (overrides.getProperties(&entry); entry; entry = entry->getNext())
            block->setProperty(entry->getName(), entry->getValue());
        wrapper.setProperty(name, block);
        trace->readConfig(&wrapper);
        screen = dynamic_cast<::ui::Container*>(trace->getComponent(name));
        EXPECT_NE(screen, nullptr) << name;
        trace->take();
        return dynamic_cast<T*>(screen);
    }
    // Builds components of a layout of the test's own below the trace.
    void buildOwn(const std::string& text) {
        config::Config own;
        ASSERT_TRUE(own.readString(text, "own.cfg")) << own.getLastError().describe();
        trace->readConfig(&own);
    }
    // A part of the screen under test.
    template <class T = ::ui::Component> T* part(const std::string& name) {
        T* found = dynamic_cast<T*>(screen->getDescendant(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void pointAt(const ::ui::Component* c) {
        moveTo(c->getAbsoluteX() + c->getWidth() / 2, c->getAbsoluteY() + c->getHeight() / 2);
    }
    void clickOn(const std::string& name) {
        ::ui::Component* c = part(name);
        ASSERT_TRUE(c && c->isShowed()) << name << " is not there to click";
        pointAt(c);
        tap("LeftClick");
    }
    void typeText(const std::string& text) {
        for (char c : text)
            theKelInput->feed(counting_ptr<::input::Event>(new ::input::events::Character(
                ::input::devices::PCKeyboard::instance(), std::string(1, c))));
    }
    // A button event of any device and code, as the input library would deliver it.
    void feed(::input::Device* device, int code, bool pressed) {
        theKelInput->feed(counting_ptr<::input::Event>(
            new ::input::events::Button(device, code, ::input::keyName(device, code), pressed)));
    }
    // What a child reports by itself, the way a confirmation box of the layout would.
    void report(::ui::Component* child, const std::string& action) {
        ::ui::NotifyEvent event(child);
        event.setSValue("action", action);
        child->notify(event);
    }

    Trace* trace = nullptr;            // the root owns it
    ::ui::Container* screen = nullptr; // the trace owns it
};

} // namespace kel::test
