#pragma once

#include "host/HostApi.h"

#include <string>

namespace ui {

class BothTextSprite;
class Button;
class CheckBox;
class Component;
class Container;
class DFormattedSpriteText;
class EditBox;
class HSlider;
class ImageButton;
class ListBox;
class ModelComponent;
class MultiTextComponent;
class PlaneComponent;
class RadioButton;
class RadioContainer;
class Ramka;
class Screenshot;
class SpriteComponent;
class SpriteText;
class Text;
class TextButton;
class TextComponent;
class TextureButton;
class TextureComponent;
class UniversalButton;

// Makes components by class name for the layout reader and finds components by name and type.
// The toolkit's own factory knows the toolkit's widgets (see Factory.cpp for the list); a game
// module installs a subclass that adds its classes and asks this one first.
//
// The typed lookups store the component called `name` in *out when it is of type T (or derived
// from it), else null, and return whether *out is set. A null parent means the root UI; with
// `deep` false only direct children are looked at, with `deep` true the whole tree below.
class KEL_HOST_API Factory {
public:
    virtual ~Factory() = default;

    // A new, unparented component owned by the caller, or null for an unknown class name.
    virtual Component* createComponent(const std::string& className);

    virtual bool getComponent(const std::string& name, Component** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Container** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Button** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, TextButton** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, ImageButton** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, TextureButton** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, UniversalButton** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, CheckBox** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, HSlider** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, RadioButton** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, RadioContainer** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, ListBox** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, EditBox** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, Text** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, TextComponent** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, PlaneComponent** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, SpriteComponent** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, TextureComponent** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, BothTextSprite** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, SpriteText** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, DFormattedSpriteText** out,
                              Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, MultiTextComponent** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, Ramka** out, Container* parent, bool deep);
    virtual bool getComponent(const std::string& name, Screenshot** out, Container* parent,
                              bool deep);
    virtual bool getComponent(const std::string& name, ModelComponent** out, Container* parent,
                              bool deep);

    // The same for any type, for code that needs no virtual lookup.
    template <class T>
    static bool find(const std::string& name, T** out, Container* parent, bool deep) {
        *out = dynamic_cast<T*>(lookUp(name, parent, deep));
        return *out != nullptr;
    }

    // Every class name the toolkit's factory knows, in its table's order.
    static const std::string* knownClasses(int* count);

protected:
    static Component* lookUp(const std::string& name, Container* parent, bool deep);
};

// The factory the layout reader uses: the installed one, else the toolkit's.
KEL_HOST_API Factory* getFactory();
// Installs a factory (not owned); null puts the toolkit's back.
KEL_HOST_API void installFactory(Factory* factory);

} // namespace ui
