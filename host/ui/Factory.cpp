#include "host/ui/Factory.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Button.h"
#include "host/ui/CheckBox.h"
#include "host/ui/Container.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/EditBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/ImageButton.h"
#include "host/ui/ListBox.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/PlaneComponent.h"
#include "host/ui/RadioButton.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/Ramka.h"
#include "host/ui/Screenshot.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextureButton.h"
#include "host/ui/TextureComponent.h"
#include "host/ui/UI.h"
#include "host/ui/UniversalButton.h"

#include <string_view>

namespace ui {

namespace {

struct ClassEntry {
    std::string_view name;
    Component* (*create)();
};

// Every class the toolkit's factory makes, one line each.
constexpr ClassEntry kClasses[] = {
    {"container", []() -> Component* { return new Container(theUI); }},
    {"component", []() -> Component* { return new Component(theUI); }},
    {"button", []() -> Component* { return new Button(theUI); }},
    {"textbutton", []() -> Component* { return new TextButton(theUI); }},
    {"imagebutton",
     []() -> Component* { return new ImageButton(theUI ? theUI->getView() : nullptr, theUI); }},
    {"texturebutton", []() -> Component* { return new TextureButton(theUI); }},
    {"universalbutton", []() -> Component* { return new UniversalButton(theUI); }},
    {"checkbox", []() -> Component* { return new CheckBox(theUI); }},
    {"hslider", []() -> Component* { return new HSlider(theUI); }},
    {"radio", []() -> Component* { return new RadioButton(theUI); }},
    {"radiocontainer", []() -> Component* { return new RadioContainer(theUI); }},
    {"listbox", []() -> Component* { return new ListBox(theUI); }},
    {"editbox", []() -> Component* { return new EditBox(theUI); }},
    {"text", []() -> Component* { return new Text(theUI); }},
    {"textcomponent", []() -> Component* { return new TextComponent(theUI); }},
    {"planecomponent", []() -> Component* { return new PlaneComponent(theUI); }},
    {"spritecomponent", []() -> Component* { return new SpriteComponent(theUI); }},
    {"texturecomponent", []() -> Component* { return new TextureComponent(theUI); }},
    {"bothtextsprite", []() -> Component* { return new BothTextSprite(theUI); }},
    {"spritetext", []() -> Component* { return new SpriteText(theUI); }},
    {"dformattedspritetext", []() -> Component* { return new DFormattedSpriteText(theUI); }},
    {"multitextcomponent", []() -> Component* { return new MultiTextComponent(theUI); }},
    {"ramka", []() -> Component* { return new Ramka(theUI); }},
    {"screenshot", []() -> Component* { return new Screenshot(theUI); }},
    // The model comes from the layout's "model" option; it is drawn in the UI's own view.
    {"modelcomponent",
     []() -> Component* {
         return new ModelComponent(theUI, theUI ? theUI->getView() : nullptr, "");
     }},
};

Factory toolkitFactory;
Factory* installed = nullptr;

} // namespace

Factory* getFactory() {
    return installed ? installed : &toolkitFactory;
}

void installFactory(Factory* factory) {
    installed = factory;
}

Component* Factory::createComponent(const std::string& className) {
    for (const ClassEntry& entry : kClasses)
        if (entry.name == className)
            return entry.create();
    return nullptr;
}

const std::string* Factory::knownClasses(int* count) {
    static std::vector<std::string> names;
    if (names.empty())
        for (const ClassEntry& entry : kClasses)
            names.emplace_back(entry.name);
    *count = static_cast<int>(names.size());
    return names.data();
}

Component* Factory::lookUp(const std::string& name, Container* parent, bool deep) {
    if (!parent)
        parent = theUI;
    if (!parent)
        return nullptr;
    return deep ? parent->getDescendant(name) : parent->getComponent(name);
}

bool Factory::getComponent(const std::string& name, Component** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Container** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Button** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, TextButton** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, ImageButton** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, TextureButton** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, UniversalButton** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, CheckBox** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, HSlider** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, RadioButton** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, RadioContainer** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, ListBox** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, EditBox** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Text** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, TextComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, PlaneComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, SpriteComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, TextureComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, BothTextSprite** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, SpriteText** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, DFormattedSpriteText** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, MultiTextComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Screenshot** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, Ramka** out, Container* parent, bool deep) {
    return find(name, out, parent, deep);
}

bool Factory::getComponent(const std::string& name, ModelComponent** out, Container* parent,
                           bool deep) {
    return find(name, out, parent, deep);
}

} // namespace ui
