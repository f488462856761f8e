#include "host/debug/Context.h"
#include "host/ui/Container.h"
#include "host/ui/HSlider.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Ramka.h"
#include "host/ui/SpriteText.h"
#include "host/ui/UniversalButton.h"
#include "support/UiFixture.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using kel::test::UiFixture;

// Records what happens to it, so tests can compare whole traces.
class Probe : public ui::Container {
public:
    Probe(std::string tag, std::string* trace)
        : Container(ui::theUI), tag(std::move(tag)), trace(trace) {}
    std::string_view getClassName() const override { return "probe"; }
    bool isFocusable() const override { return focusable; }
    bool isModal() const override { return modal; }
    void updateFlyby() override { *trace += tag + (getFlyby() ? "^" : "v") + " "; }
    void updateShowed() override {
        Container::updateShowed();
        *trace += tag + (isShowed() ? "+" : "-") + " ";
    }
    void updateFocused() override { *trace += tag + (isFocused() ? "*" : "_") + " "; }
    void notify(ui::NotifyEvent& event) override {
        std::string name, action;
        event.getProperty("name", &name);
        event.getProperty("action", &action);
        *trace += tag + "<" + name + ":" + action + " ";
        Container::notify(event);
    }

    bool focusable = false;
    bool modal = false;

private:
    std::string tag;
    std::string* trace;
};

class ComponentTree : public UiFixture {};

std::string take(std::string& trace) {
    return std::exchange(trace, std::string());
}

TEST_F(ComponentTree, ShownStateAndFocusChangesAreReportedOnceMastersFirst) {
    std::string trace;
    auto* screen = new Probe("screen", &trace);
    auto* panel = new Probe("panel", &trace);
    auto* label = new Probe("label", &trace);
    screen->addComponent(panel);
    panel->addComponent(label);
    label->setVisible(true);
    panel->setVisible(true);
    ui->addComponent(screen);
    EXPECT_EQ(trace, "") << "nothing is shown while the screen is hidden";

    screen->setVisible(true);
    EXPECT_EQ(take(trace), "screen+ panel+ label+ ");
    screen->setVisible(false);
    EXPECT_EQ(take(trace), "screen- panel- label- ");
    panel->setVisible(false); // hidden below a hidden master: no change shown
    screen->setVisible(true);
    EXPECT_EQ(take(trace), "screen+ ");
    EXPECT_TRUE(!label->isShowed() && label->getVisible());
    panel->setVisible(true);
    EXPECT_EQ(take(trace), "panel+ label+ ");
    screen->setVisible(true); // no change
    EXPECT_EQ(trace, "");

    // Focus moves from one to the other; hiding a component takes it away.
    label->focusable = panel->focusable = true;
    ui->setFocusedComponent(label);
    ui->setFocusedComponent(panel);
    EXPECT_EQ(take(trace), "label* label_ panel* ");
    panel->setVisible(false);
    EXPECT_EQ(ui->getFocusedComponent(), nullptr);
    EXPECT_EQ(take(trace), "panel_ panel- label- ");
    panel->setVisible(true);
    take(trace);

    // Taking a shown branch out of the tree hides it; deleting it says nothing more.
    ui->removeComponent(screen);
    EXPECT_EQ(trace, "screen- panel- label- ");
    delete screen;
}

TEST_F(ComponentTree, NotificationsClimbWithClassAndName) {
    std::string trace;
    auto* outer = new Probe("outer", &trace);
    auto* inner = new Probe("inner", &trace);
    outer->addComponent(inner);
    ui->addComponent(outer);
    auto* button = new ui::Component(ui.get());
    button->setName("ok");
    inner->addComponent(button);

    ui::NotifyEvent event(button);
    event.setSValue("action", "job");
    std::string className;
    EXPECT_TRUE(event.getProperty("class", &className) && className == "component");
    // The reads without copies find a property by its whole name only.
    std::string scratch;
    EXPECT_EQ(event.text("action", scratch), "job");
    EXPECT_TRUE(event.text("act", scratch).empty() && event.text("actions", scratch).empty());
    EXPECT_FALSE(event.is("nam", "ok"));
    button->notify(event);
    EXPECT_EQ(trace, "inner<ok:job outer<ok:job ");
}

TEST_F(ComponentTree, LayoutBuildsChildrenReadsOptionsAndReportsUnknownClasses) {
    layout("screen {\n"
           "  class = container\n"
           "  position = 10 20\n"
           "  size = 300 200\n"
           "  visible = true\n"
           "  options { ignored = 1 }\n"
           "  panel { class = container; position = 5 5; size = 100 50; visible = true }\n"
           "  broken { class = nosuchwidget }\n"
           "  Panel { class = Container }\n"
           "}\n");
    auto* screen = dynamic_cast<ui::Container*>(ui->getComponent("screen"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->getComponentsCount(), 1);
    ui::Component* panel = screen->getComponent("panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isShowed());
    EXPECT_FLOAT_EQ(panel->getAbsoluteX(), 15);
    EXPECT_FLOAT_EQ(panel->getAbsoluteY(), 25);
    EXPECT_TRUE(panel->contains(114, 74));
    EXPECT_FALSE(panel->contains(115, 74));

    const auto records = log.take();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].file, "layout.cfg");
    EXPECT_EQ(records[0].line, 8);
    EXPECT_NE(records[0].text.find("'nosuchwidget'"), std::string::npos);
    EXPECT_EQ(records[1].line, 9) << "class names are case-sensitive";
}

TEST_F(ComponentTree, AbsolutePositionsAreSummedFromTheTopDownAtAnyDepth) {
    // Offsets whose sum depends on its order: summed from the top down, the top's .25 is lost
    // in the 1e8 below it (floats there are 8 apart), and 16 is left; summed from the bottom up
    // the 1e8s cancel first and 16.25 is left. Deeper than 32 levels the position takes another
    // way, and every level still counts.
    for (int depth : {3, 41}) {
        ui::Container* level = ui.get();
        ui::Container* top = nullptr;
        for (int i = 0; i < depth; ++i) {
            auto* next = new ui::Container(ui.get());
            const float offset = i == 0 ? 16.25f : i % 2 ? 1e8f : -1e8f;
            next->setPosition(offset, -offset);
            next->setSize(10, 10);
            level->addComponent(next);
            level = next;
            top = top ? top : next;
        }
        float x = -1, y = -1;
        level->getAbsolutePosition(&x, &y);
        EXPECT_EQ(x, level->getAbsoluteX()) << depth << " levels";
        EXPECT_EQ(y, level->getAbsoluteY()) << depth << " levels";
        EXPECT_EQ(x, 16.0f) << depth << " levels";
        EXPECT_EQ(y, -16.0f) << depth << " levels";
        EXPECT_TRUE(level->contains(16, -16) && level->contains(25.5f, -6.5f));
        EXPECT_FALSE(level->contains(26, -16) || level->contains(16, -16.5f));
        delete top;
    }
}

TEST_F(ComponentTree, WrongOptionValuesAreReportedAtTheirPlaceAndNeverUsed) {
    layout("plain { class = ramka }\n"
           "good { class = ramka; position = 1 2; size = 3 4; priority = 2; thickness = 5 }\n"
           "bad {\n"
           "  class = ramka\n"
           "  position = 1 nan\n"
           "  size = 3 -4\n"
           "  priority = high\n"
           "  thickness = inf\n"
           "  enabled = perhaps\n"
           "  visible = 2\n"
           "  color = 1 0\n"
           "  background = 1 0 2\n"
           "  notify = 1 1\n"
           "}\n"
           "badplane { class = spritecomponent; opacity = 1.5 }\n"
           "slider { class = hslider; range = 1; value = 0.5 }\n"
           "choice { class = radiocontainer; value = nothere; one { class = radio } }\n");
    const std::string kept = "; the default is kept";
    const std::string noBool = " is not true or false (also yes/no, on/off, 1/0)" + kept;
    const std::vector<std::string> expected = {
        "layout.cfg:5:3: option 'position': 'nan' is not a finite number" + kept,
        "layout.cfg:6:3: option 'size': '-4' is out of range (at least 0)" + kept,
        "layout.cfg:7:3: option 'priority': 'high' is not a number" + kept,
        "layout.cfg:8:3: option 'thickness': 'inf' is not a finite number" + kept,
        "layout.cfg:9:3: option 'enabled': 'perhaps'" + noBool,
        "layout.cfg:10:3: option 'visible': '2'" + noBool,
        "layout.cfg:11:3: option 'color': a colour is three or four numbers from 0 to 1: red green "
        "blue [alpha]" +
            kept,
        "layout.cfg:12:3: option 'background': '2' is out of range (from 0 to 1)" + kept,
        "layout.cfg:13:3: option 'notify': needs 1 value, has 2" + kept,
        "layout.cfg:15:37: option 'opacity': '1.5' is out of range (from 0 to 1)" + kept,
        "layout.cfg:16:27: option 'range': needs 2 numbers, has 1" + kept,
        "layout.cfg:17:34: option 'value': no radio named 'nothere' in the group",
    };
    std::vector<std::string> reported;
    for (const auto& record : log.take())
        reported.push_back(debug::Context(record.file, record.line, record.column).describe() +
                           ": " + record.text);
    std::sort(reported.begin(), reported.end(), [](const std::string& a, const std::string& b) {
        return std::stoi(a.substr(11)) < std::stoi(b.substr(11));
    });
    ASSERT_EQ(reported.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(reported[i], expected[i]);

    // Every wrong value left the default of a frame without options; the right ones are read.
    const auto describe = [&](const char* name) {
        const auto* r = dynamic_cast<ui::Ramka*>(ui->getComponent(name));
        std::ostringstream text;
        text << r->getXPosition() << " " << r->getYPosition() << " " << r->getWidth() << " "
             << r->getHeight() << " " << r->getPriority() << " " << r->getThickness() << " "
             << r->getEnabled() << r->getVisible() << r->getNotify() << " " << r->getBorder().r
             << " " << r->getBackground().b;
        return text.str();
    };
    EXPECT_EQ(describe("bad"), describe("plain"));
    EXPECT_FLOAT_EQ(dynamic_cast<ui::HSlider*>(ui->getComponent("slider"))->getValue(), 0.5f)
        << "the default range 0..1 stays";
    EXPECT_EQ(describe("good").substr(0, 12), "1 2 3 4 2 5 ");
}

TEST_F(ComponentTree, EachPlacementOptionTakesEffectWhenItIsTheOnlyOneGiven) {
    // A 40x20 frame in a 200x100 panel on a 640x480 screen, with one option besides its
    // position and size: x y width height priority enabled notify thickness.
    const struct Row {
        const char* option;
        const char* expected;
    } rows[] = {
        {"", "10 10 40 20 1 1 0 2"},
        {"center = both", "80 40 40 20 1 1 0 2"},
        {"center = horizontal", "80 10 40 20 1 1 0 2"},
        {"center = vertical", "10 40 40 20 1 1 0 2"},
        {"right = 10", "150 10 40 20 1 1 0 2"},
        {"bottom = 5", "10 75 40 20 1 1 0 2"},
        {"priority = 3", "10 10 40 20 3 1 0 2"},
        {"enabled = false", "10 10 40 20 1 0 0 2"},
        {"notify = true", "10 10 40 20 1 1 1 2"},
        {"thickness = 5", "10 10 40 20 1 1 0 5"},
    };
    for (const Row& row : rows) {
        layout(std::string("panel { class = container; size = 200 100\n"
                           "  frame { class = ramka; position = 10 10; size = 40 20; ") +
               row.option + " } }");
        auto* panel = dynamic_cast<ui::Container*>(ui->getComponent("panel"));
        ASSERT_NE(panel, nullptr);
        const auto* frame = dynamic_cast<ui::Ramka*>(panel->getComponent("frame"));
        ASSERT_NE(frame, nullptr);
        std::ostringstream got;
        got << frame->getXPosition() << " " << frame->getYPosition() << " " << frame->getWidth()
            << " " << frame->getHeight() << " " << frame->getPriority() << " "
            << frame->getEnabled() << " " << frame->getNotify() << " " << frame->getThickness();
        EXPECT_EQ(got.str(), row.expected) << row.option;
        ui->deleteComponent(panel);
    }
}

TEST_F(ComponentTree, ASpriteTextTakesItsColourOrItsFitWhenItIsTheOnlyOneGiven) {
    const struct Row {
        const char* option;
        const char* expected; // the fit, and the colour ("plain": that of a text without one)
    } rows[] = {
        {"color = 1 0 0.5", "fit 0 color 1 0 0.5"},
        {"fit = text", "fit 1 color plain"},
        {"fit = both", "fit 3 color plain"},
    };
    for (const Row& row : rows) {
        layout(std::string("plain { class = spritetext; text = A }\n"
                           "t { class = spritetext; text = A; ") +
               row.option + " }");
        const auto* plain = dynamic_cast<ui::SpriteText*>(ui->getComponent("plain"));
        const auto* text = dynamic_cast<ui::SpriteText*>(ui->getComponent("t"));
        ASSERT_TRUE(plain && text);
        std::ostringstream got;
        got << "fit " << text->getFit() << " color ";
        const config::Color mine = text->getColor(), theirs = plain->getColor();
        if (mine.r == theirs.r && mine.g == theirs.g && mine.b == theirs.b)
            got << "plain";
        else
            got << mine.r << " " << mine.g << " " << mine.b;
        EXPECT_EQ(got.str(), row.expected) << row.option;
        ui->deleteComponent(const_cast<ui::SpriteText*>(plain));
        ui->deleteComponent(const_cast<ui::SpriteText*>(text));
    }
}

// Counts the initialisations it is given.
struct InitCounter : ui::Component {
    using Component::Component;
    void init() override { ++inits; }
    int inits = 0;
};

TEST_F(ComponentTree, InitialisingAContainerInitialisesEachChildOnce) {
    for (const int children : {0, 1, 3}) {
        auto* box = new ui::Container(ui.get());
        ui->addComponent(box);
        std::vector<InitCounter*> made;
        for (int i = 0; i < children; ++i) {
            made.push_back(new InitCounter(ui.get()));
            box->addComponent(made.back());
        }
        box->init();
        for (const InitCounter* child : made)
            EXPECT_EQ(child->inits, 1) << children << " children";
        ui->deleteComponent(box);
    }
}

TEST_F(ComponentTree, DescendantLookupMatchesADepthFirstWalkAsTheTreeChanges) {
    layout("a { class = container\n"
           "    deep { class = container; target { class = container } }\n"
           "    target { class = container } }\n"
           "target { class = container }\n");
    auto* a = dynamic_cast<ui::Container*>(ui->getComponent("a"));
    auto* deep = dynamic_cast<ui::Container*>(a->getComponent("deep"));
    ui::Component* first = deep->getComponent("target");
    EXPECT_EQ(ui->getDescendant("target"), first) << "depth first: a.deep.target before a.target";
    EXPECT_EQ(a->getDescendant("target"), first);
    EXPECT_EQ(deep->getDescendant("deep"), nullptr) << "only below, never the component itself";

    first->setName("renamed");
    EXPECT_EQ(ui->getDescendant("target"), a->getComponent("target"));
    EXPECT_EQ(ui->getDescendant("renamed"), first);

    // Moving the root's own "target" in front of "a" makes it first.
    ui::Component* top = ui->getComponent("target");
    top->toBack();
    EXPECT_EQ(ui->getDescendant("target"), top);
    ui->deleteComponent(top);
    a->deleteComponent(a->getComponent("target"));
    EXPECT_EQ(ui->getDescendant("target"), nullptr);
}

// The first component of a name below a root, found by walking the tree depth first in child
// order: what a descendant lookup must answer whatever happened to the others of that name.
const ui::Component* walkFor(const ui::Container* root, const std::string& name) {
    for (const ui::Component* child : root->getChildren()) {
        if (child->getName() == name)
            return child;
        if (const ui::Container* inner = child->asContainer())
            if (const ui::Component* found = walkFor(inner, name))
                return found;
    }
    return nullptr;
}

TEST_F(ComponentTree, SameNamedComponentsStayFoundWhicheverOfThemGoes) {
    // Four "w" in the order they are named (s0.w, s1.w, s2.w, s3.w), taken away one by one in
    // the order of each row: deleted, or renamed to "x" and back to "w" at the end.
    struct Row {
        std::vector<int> order;
        bool rename;
    };
    const Row rows[] = {
        {{0, 1, 2, 3}, false}, {{3, 2, 1, 0}, false}, {{1, 2, 0, 3}, false},
        {{2, 0, 3, 1}, false}, {{3, 0, 2, 1}, true},  {{1, 3, 0, 2}, true},
    };
    for (const Row& row : rows) {
        std::string trace;
        for (const int i : row.order)
            trace += std::to_string(i);
        SCOPED_TRACE(trace + (row.rename ? " renamed" : " deleted"));
        auto* top = new ui::Container(ui.get());
        ui->addComponent(top);
        std::vector<ui::Component*> made;
        for (int i = 0; i < 4; ++i) {
            auto* screen = new ui::Container(ui.get());
            screen->setName("s" + std::to_string(i));
            top->addComponent(screen);
            made.push_back(new ui::Container(ui.get()));
            made.back()->setName("w");
            screen->addComponent(made.back());
        }
        for (const int i : row.order) {
            if (row.rename)
                made[i]->setName("x");
            else
                made[i]->getMaster()->deleteComponent(made[i]);
            EXPECT_EQ(top->getDescendant("w"), walkFor(top, "w"));
            for (const ui::Component* screen : top->getChildren())
                EXPECT_EQ(screen->asContainer()->getDescendant("w"),
                          walkFor(screen->asContainer(), "w"));
        }
        EXPECT_EQ(top->getDescendant("w"), nullptr);
        if (row.rename) {
            for (auto it = row.order.rbegin(); it != row.order.rend(); ++it)
                made[*it]->setName("w");
            EXPECT_EQ(top->getDescendant("w"), made[0]);
            EXPECT_EQ(top->getDescendant("x"), nullptr);
        }
        ui->deleteComponent(top);
        EXPECT_EQ(ui->getDescendant("w"), nullptr) << "a deleted tree leaves no name behind";
    }
}

TEST_F(ComponentTree, TopLevelComponentsAreDrawnInFrontAndTakeClicksFirst) {
    // A widget that takes clicks, in the tree and in a top-level box above it.
    class Clickable : public ui::Component {
    public:
        explicit Clickable(ui::UI* ui) : Component(ui, 0, 0, 100, 100) { setNotify(true); }
        bool acceptsMouse() const override { return true; }
    };
    std::string trace;
    auto* screen = new Probe("screen", &trace);
    screen->setSize(640, 480);
    ui->addComponent(screen);
    screen->setVisible(true);
    auto box = std::make_unique<Probe>("box", &trace);
    for (ui::Container* master : std::initializer_list<ui::Container*>{screen, box.get()}) {
        auto* clickable = new Clickable(ui.get());
        clickable->setName(master == screen ? "below" : "above");
        master->addComponent(clickable);
        clickable->setVisible(true);
    }
    box->setVisible(true);
    take(trace);
    clickAt(50, 50);
    EXPECT_EQ(take(trace), "box<above:mouseclick ");
    box->setVisible(false);
    take(trace);
    clickAt(50, 50, "RightClick");
    EXPECT_EQ(trace, "screen<below:mouseclick ");
}

TEST_F(ComponentTree, FocusGoesOnlyToShownFocusableComponentsAndPassesOnWhenItsHolderGoes) {
    std::string trace;
    auto* screen = new Probe("screen", &trace);
    std::map<std::string, Probe*> probes;
    for (const char* tag : {"plain", "first", "second", "hidden"}) {
        auto* probe = probes[tag] = new Probe(tag, &trace);
        probe->focusable = tag != std::string("plain");
        screen->addComponent(probe);
        probe->setVisible(tag != std::string("hidden"));
    }
    ui->addComponent(screen);
    screen->setVisible(true);
    EXPECT_EQ(ui->getFocusedComponent(), probes["first"])
        << "a screen shown while nobody has the focus gives it to its first candidate";

    const struct {
        const char* target;
        bool taken;
        const char* holder; // after the request
    } rows[] = {
        {"hidden", false, "first"}, // not shown
        {"plain", false, "first"},  // shown, but takes no keys
        {"second", true, "second"}, // shown and focusable
        {"", true, ""},             // nobody
        {"second", true, "second"},
    };
    for (const auto& row : rows) {
        Probe* target = *row.target ? probes[row.target] : nullptr;
        EXPECT_EQ(ui->setFocusedComponent(target), row.taken) << row.target;
        EXPECT_EQ(ui->getFocusedComponent(), *row.holder ? probes[row.holder] : nullptr)
            << row.target;
    }

    // Hidden, the holder passes the focus to the first candidate still shown, then to nobody.
    take(trace);
    probes["second"]->setVisible(false);
    EXPECT_EQ(take(trace), "second_ second- first* ");
    probes["first"]->setVisible(false);
    EXPECT_EQ(take(trace), "first_ first- ");
    EXPECT_EQ(ui->getFocusedComponent(), nullptr);
    // A screen shown while the focus is free gives it to its first candidate; a component shown
    // inside a screen takes nothing, nor does one shown while another holds the focus.
    probes["hidden"]->setVisible(true);
    EXPECT_EQ(take(trace), "hidden+ ");
    auto* other = new Probe("other", &trace);
    other->focusable = true;
    ui->addComponent(other);
    other->setVisible(true);
    EXPECT_EQ(take(trace), "other+ other* ");
    screen->setVisible(false);
    screen->setVisible(true);
    EXPECT_EQ(ui->getFocusedComponent(), other);
}

TEST_F(ComponentTree, FlybyFollowsShowHideAndMovesWithoutThePointerMoving) {
    std::string trace;
    auto* panel = new Probe("panel", &trace);
    panel->setSize(100, 100);
    auto* spot = new Probe("spot", &trace);
    spot->setSize(20, 20);
    panel->addComponent(spot);
    spot->setVisible(true);
    ui->addComponent(panel);
    moveTo(50, 50);
    const struct {
        const char* what;
        std::function<void()> act;
        const char* heard;
    } rows[] = {
        {"shown under the pointer",
         [&] {
             spot->setPosition(40, 40);
             panel->setVisible(true);
         },
         "panel+ panel^ spot+ spot^ "},
        {"hidden", [&] { panel->setVisible(false); }, "panelv panel- spotv spot- "},
        {"moved away while hidden", [&] { spot->setPosition(0, 0); }, ""},
        {"shown away from the pointer", [&] { panel->setVisible(true); }, "panel+ panel^ spot+ "},
        {"moved under the pointer", [&] { spot->setPosition(45, 45); }, "spot^ "},
        {"its master moved away", [&] { panel->setPosition(300, 0); }, "panelv spotv "},
        {"its master moved back", [&] { panel->setPosition(0, 0); }, "panel^ spot^ "},
        {"shrunk off the pointer", [&] { spot->setSize(5, 5); }, "spotv "},
        {"the pointer moves onto it", [&] { moveTo(47, 47); }, "spot^ "},
        {"the pointer moves within it", [&] { moveTo(48, 48); }, ""},
        {"the pointer leaves it and its master", [&] { moveTo(200, 200); }, "panelv spotv "},
        {"moved out of its master, under the pointer", [&] { spot->setPosition(198, 198); },
         "spot^ "},
        {"the pointer leaves it", [&] { moveTo(300, 300); }, "spotv "},
        {"the pointer comes back to it, outside its master", [&] { moveTo(199, 199); }, "spot^ "},
        {"the pointer moves just beside it", [&] { moveTo(197, 197); }, "spotv "},
        {"the pointer moves a little further from it", [&] { moveTo(196, 196); }, ""},
        {"the pointer moves back onto its edge", [&] { moveTo(198, 198.5f); }, "spot^ "},
        {"the pointer moves off its edge", [&] { moveTo(197.5f, 198.5f); }, "spotv "},
        {"the pointer moves past its other side", [&] { moveTo(204, 199); }, ""},
        {"the pointer moves further past it", [&] { moveTo(205, 199); }, ""},
        {"the pointer moves back onto its other edge", [&] { moveTo(202.5f, 199); }, "spot^ "},
        {"the pointer moves away past it", [&] { moveTo(210, 199); }, "spotv "},
        {"the pointer moves a little, over nothing new", [&] { moveTo(209, 199); }, ""},
        {"moved beside the pointer, not under it", [&] { spot->setPosition(211, 198); }, ""},
        {"the pointer moves onto it where it now is", [&] { moveTo(212, 199); }, "spot^ "},
    };
    for (const auto& row : rows) {
        take(trace);
        row.act();
        EXPECT_EQ(trace, row.heard) << row.what;
    }
}

TEST_F(ComponentTree, AModalBoxTakesTheKeysAndTheFocusUntilItGoes) {
    layout("first { class = hslider; position = 10 50; size = 200 20 }\n"
           "slider { class = hslider; position = 10 10; size = 200 20; range = 0 10; value = 5;\n"
           "         step = 1 }\n");
    auto* slider = dynamic_cast<ui::HSlider*>(ui->getComponent("slider"));
    ASSERT_TRUE(slider && ui->setFocusedComponent(slider));
    std::string trace;
    auto box = std::make_unique<Probe>("box", &trace);
    box->modal = true;
    auto* yes = new ui::UniversalButton(ui.get(), 10, 10, 100, 30);
    yes->setName("yes");
    box->addComponent(yes);
    yes->setVisible(true);

    box->setVisible(true);
    EXPECT_EQ(ui->getFocusedComponent(), yes);
    EXPECT_FALSE(ui->setFocusedComponent(slider)) << "nothing behind the box takes the focus";
    take(trace);
    tap("Right");
    tap("Return");
    EXPECT_EQ(slider->getValue(), 5.0f);
    EXPECT_EQ(take(trace), "box<yes:job ");

    box->setVisible(false);
    EXPECT_EQ(ui->getFocusedComponent(), slider) << "back where it was, not on the first slider";
    tap("Right");
    EXPECT_EQ(slider->getValue(), 6.0f);
}

TEST_F(ComponentTree, AnEventReachesTheChildrenShownWhenItCameWhateverItsHandlersChange) {
    // A child that writes its tag when an event reaches it, then does what its row says (last:
    // the act may delete it).
    class Hearer : public ui::Component {
    public:
        Hearer(ui::UI* ui, char tag, std::string* heard) : Component(ui), tag(tag), heard(heard) {
            setHearsEveryEvent(true);
        }
        void processInputEvent(const counting_ptr<input::Event>& event) override {
            *heard += tag;
            Component::processInputEvent(event);
            if (act)
                std::exchange(act, nullptr)();
        }
        std::function<void()> act;
        const char tag;
        std::string* const heard;
    };
    // Children a, b, c: the front-most (the last added) hears first, so b acts between c and a.
    // Behind them, e is not shown when the event comes.
    const struct {
        const char* what;
        std::function<void(ui::Container* master, Hearer* a, Hearer* c)> act;
        const char* heard;
    } rows[] = {
        {"b deletes a, not reached yet", [](auto* m, auto* a, auto*) { m->deleteComponent(a); },
         "cb"},
        {"b deletes c, already reached", [](auto* m, auto*, auto* c) { m->deleteComponent(c); },
         "cba"},
        {"b hides a", [](auto*, auto* a, auto*) { a->setVisible(false); }, "cb"},
        {"b takes a out", [](auto* m, auto* a, auto*) { delete m->removeComponent(a); }, "cb"},
        {"b deletes every child, itself too",
         [](auto* m, auto*, auto*) { m->deleteAllComponents(); }, "cb"},
        {"b brings a to the front", [](auto*, auto* a, auto*) { a->updatePriority(-1); }, "cba"},
        {"b sends c, already reached, to the back", [](auto*, auto*, auto* c) { c->toBack(); },
         "cba"},
        {"b shows e", [](auto* m, auto*, auto*) { m->getComponent(0)->setVisible(true); }, "cba"},
        {"b shows a new child d in front",
         [](auto* m, auto* a, auto*) {
             auto* d = new Hearer(m->getUI(), 'd', a->heard);
             m->addComponent(d);
             d->setVisible(true);
         },
         "cba"},
    };
    // The same holds for the screens of the root and for the children of a screen.
    for (const bool inScreen : {false, true}) {
        for (const auto& row : rows) {
            ui::Container* master = ui.get();
            if (inScreen) {
                master = new ui::Container(ui.get());
                ui->addComponent(master);
                master->setVisible(true);
            }
            std::string heard;
            master->addComponent(new Hearer(ui.get(), 'e', &heard));
            Hearer* children[3];
            for (int i = 0; i < 3; ++i) {
                children[i] = new Hearer(ui.get(), "abc"[i], &heard);
                master->addComponent(children[i]);
                children[i]->setVisible(true);
            }
            children[1]->act = [&row, master, a = children[0], c = children[2]] {
                row.act(master, a, c);
            };
            press("Return");
            EXPECT_EQ(heard, row.heard) << row.what << (inScreen ? " in a screen" : "");
            release("Return");
            if (inScreen)
                ui->deleteComponent(master);
            else
                ui->deleteAllComponents();
        }
    }
}

TEST_F(ComponentTree, AKeyOrClickReachesItsWidgetAndEveryComponentThatHearsEveryEvent) {
    // Widgets that log the presses they act on, and a hearer that logs every press reaching it.
    class Widget : public ui::Component {
    public:
        Widget(ui::UI* ui, char tag, std::string* log)
            : Component(ui, 100, 100, 50, 50), tag(tag), log(log) {}
        bool isFocusable() const override { return true; }
        bool acceptsMouse() const override { return true; }
        void onKey(int, const std::string&, bool pressed) override {
            if (pressed)
                *log += tag;
            if (pressed && act)
                std::exchange(act, nullptr)();
        }
        void onMouseButton(int, bool pressed) override {
            if (pressed)
                *log += tag;
        }
        std::function<void()> act;
        const char tag;
        std::string* const log;
    };
    class Hearer : public ui::Component {
    public:
        Hearer(ui::UI* ui, std::string* log) : Component(ui), log(log) { setHearsEveryEvent(true); }
        void processInputEvent(const counting_ptr<input::Event>& event) override {
            if (auto* button = event.as<input::events::Button>(); button && button->isPressed())
                *log += 'h';
            Component::processInputEvent(event);
            if (act)
                act();
        }
        std::function<void()> act;
        std::string* const log;
    };
    struct Tree {
        ui::Container* screens[2];
        ui::Container* inner; // three containers deep in the front screen, holding w
        Widget* w;
        Widget* x; // in the back screen
        Hearer* h;
    };
    // Front-most first: the second screen, then the first; in a container, the last added first.
    const struct {
        const char* what;
        std::function<void(Tree&)> place;
        bool click;
        const char* log;
    } rows[] = {
        {"no hearer", [](Tree& t) { delete t.h; }, false, "w"},
        {"a hearer in the other screen", [](Tree& t) { t.screens[0]->addComponent(t.h); }, false,
         "wh"},
        {"the same with a click", [](Tree& t) { t.screens[0]->addComponent(t.h); }, true, "wh"},
        {"a hearer beside the widget, in front of it", [](Tree& t) { t.inner->addComponent(t.h); },
         false, "hw"},
        {"a hearer moved from the other screen beside the widget",
         [](Tree& t) {
             t.screens[0]->addComponent(t.h);
             t.inner->addComponent(t.h);
         },
         false, "hw"},
        {"a hearer in a container that joined the other screen after it",
         [](Tree& t) {
             auto* box = new ui::Container(t.h->getUI());
             box->addComponent(t.h);
             t.screens[0]->addComponent(box);
         },
         false, "wh"},
        {"a hearer giving the focus to a widget it reaches before, behind an empty screen",
         [](Tree& t) {
             auto* empty = new ui::Container(t.h->getUI(), 0, 0, 640, 480);
             t.h->getUI()->addComponent(empty);
             empty->setVisible(true);
             t.screens[1]->addComponent(t.h);
             t.h->act = [x = t.x] { x->getUI()->setFocusedComponent(x); };
         },
         false, "hx"},
        {"the widget giving the focus to a widget of the screen behind, not reached yet",
         [](Tree& t) {
             delete t.h;
             t.w->act = [x = t.x] { x->getUI()->setFocusedComponent(x); };
         },
         false, "wx"},
        {"the widget opening a screen behind the others and focusing a widget of it",
         [](Tree& t) {
             delete t.h;
             t.w->act = [w = t.w] {
                 auto* opened = new ui::Container(w->getUI(), 0, 0, 640, 480);
                 auto* y = new Widget(w->getUI(), 'y', w->log);
                 opened->addComponent(y);
                 w->getUI()->addComponent(opened, true);
                 opened->setAllVisible(true);
                 w->getUI()->setFocusedComponent(y);
             };
         },
         false, "w"},
    };
    for (const auto& row : rows) {
        std::string log;
        Tree t{};
        for (ui::Container*& screen : t.screens) {
            screen = new ui::Container(ui.get(), 0, 0, 640, 480);
            ui->addComponent(screen);
        }
        t.x = new Widget(ui.get(), 'x', &log);
        t.screens[0]->addComponent(t.x);
        t.inner = t.screens[1];
        for (int depth = 0; depth < 3; ++depth) {
            auto* next = new ui::Container(ui.get(), 0, 0, 640, 480);
            t.inner->addComponent(next);
            t.inner = next;
        }
        t.w = new Widget(ui.get(), 'w', &log);
        t.inner->addComponent(t.w);
        t.h = new Hearer(ui.get(), &log);
        row.place(t);
        for (ui::Container* screen : t.screens)
            screen->setAllVisible(true);
        ASSERT_TRUE(ui->setFocusedComponent(t.w)) << row.what;
        if (row.click)
            clickAt(120, 120);
        else
            tap("Return");
        EXPECT_EQ(log, row.log) << row.what;
        ui->deleteAllComponents();
    }
}

TEST_F(ComponentTree, AKeyReachesItsWidgetWhereverTheTreeMovedItSinceTheKeyBefore) {
    class Widget : public ui::Component {
    public:
        Widget(ui::UI* ui, char tag, std::string* log) : Component(ui), tag(tag), log(log) {}
        bool isFocusable() const override { return true; }
        void onKey(int, const std::string&, bool pressed) override {
            if (pressed)
                *log += tag;
        }
        const char tag;
        std::string* const log;
    };
    // Screen s holds w three containers deep; screen o beside it holds x.
    struct Tree {
        ui::Container *s, *o, *chain;
        Widget *w, *x;
    };
    const struct {
        const char* what;
        std::function<void(Tree&)> change;
        const char* log;
    } rows[] = {
        {"nothing", [](Tree&) {}, "w"},
        {"w moved up to its screen, the containers it left hidden",
         [](Tree& t) {
             t.s->addComponent(t.w);
             t.chain->setVisible(false);
             t.w->getUI()->setFocusedComponent(t.w);
         },
         "w"},
        {"w moved into the other screen, its own hidden",
         [](Tree& t) {
             t.o->addComponent(t.w);
             t.s->setVisible(false);
             t.w->getUI()->setFocusedComponent(t.w);
         },
         "w"},
        {"w moved into the other screen, the containers it left deleted",
         [](Tree& t) {
             t.o->addComponent(t.w);
             t.s->deleteComponent(t.chain);
             t.w->getUI()->setFocusedComponent(t.w);
         },
         "w"},
        {"w deleted with its containers, x focused",
         [](Tree& t) {
             t.s->deleteComponent(t.chain);
             t.x->getUI()->setFocusedComponent(t.x);
         },
         "x"},
    };
    for (const auto& row : rows) {
        std::string log;
        Tree t{};
        t.s = new ui::Container(ui.get());
        t.o = new ui::Container(ui.get());
        ui->addComponent(t.o);
        ui->addComponent(t.s);
        t.x = new Widget(ui.get(), 'x', &log);
        t.o->addComponent(t.x);
        ui::Container* inner = t.s;
        for (int depth = 0; depth < 3; ++depth) {
            auto* next = new ui::Container(ui.get());
            inner->addComponent(next);
            inner = next;
        }
        t.chain = static_cast<ui::Container*>(t.s->getComponent(0));
        t.w = new Widget(ui.get(), 'w', &log);
        inner->addComponent(t.w);
        t.s->setAllVisible(true);
        t.o->setAllVisible(true);
        ASSERT_TRUE(ui->setFocusedComponent(t.w)) << row.what;
        tap("Return");
        ASSERT_EQ(take(log), "w") << row.what;
        row.change(t);
        tap("Return");
        EXPECT_EQ(log, row.log) << row.what;
        ui->deleteAllComponents();
    }
}

TEST_F(ComponentTree, AClickGoesToTheFrontMostWidgetUnderThePointerAsTheTreeIsNow) {
    class Widget : public ui::Component {
    public:
        Widget(ui::UI* ui, char tag, std::string* log)
            : Component(ui, 100, 100, 50, 50), tag(tag), log(log) {}
        bool acceptsMouse() const override { return true; }
        void onMouseButton(int, bool pressed) override {
            if (pressed)
                *log += tag;
        }
        const char tag;
        std::string* const log;
    };
    // In a screen, f in front of b, both over (100, 100)-(150, 150).
    struct Tree {
        ui::Container* screen;
        Widget *f, *b;
    };
    const struct {
        const char* what;
        std::function<void(Tree&)> change;
        const char* log;
    } rows[] = {
        {"nothing", [](Tree&) {}, "f"},
        {"f disabled", [](Tree& t) { t.f->setEnabled(false); }, "b"},
        {"f hidden", [](Tree& t) { t.f->setVisible(false); }, "b"},
        {"f sent to the back", [](Tree& t) { t.f->toBack(); }, "b"},
        {"b brought to the front", [](Tree& t) { t.b->updatePriority(-1); }, "b"},
        {"f moved off the pointer", [](Tree& t) { t.f->setPosition(300, 300); }, "b"},
        {"f shrunk off the pointer", [](Tree& t) { t.f->setSize(10, 10); }, "b"},
        {"the screen moved off the pointer", [](Tree& t) { t.screen->setPosition(300, 0); }, ""},
        {"f deleted", [](Tree& t) { delete t.f; }, "b"},
        {"a widget n added in front",
         [](Tree& t) {
             auto* n = new Widget(t.b->getUI(), 'n', t.b->log);
             t.screen->addComponent(n);
             n->setVisible(true);
         },
         "n"},
    };
    for (const auto& row : rows) {
        std::string log;
        Tree t{};
        t.screen = new ui::Container(ui.get());
        ui->addComponent(t.screen);
        t.b = new Widget(ui.get(), 'b', &log);
        t.f = new Widget(ui.get(), 'f', &log);
        t.screen->addComponent(t.b);
        t.screen->addComponent(t.f);
        t.screen->setAllVisible(true);
        // The pointer comes to rest over both, and one click lands there first.
        moveTo(120, 120);
        moveTo(121, 121);
        clickAt(122, 122);
        ASSERT_EQ(take(log), "f") << row.what;
        row.change(t);
        clickAt(123, 123);
        EXPECT_EQ(log, row.log) << row.what;
        ui->deleteAllComponents();
    }
}

} // namespace
