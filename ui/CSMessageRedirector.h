#pragma once

#include "host/engine/RenderDriverListener.h"
#include "host/input/Listener.h"
#include "ui/UiApi.h"

#include <list>

namespace kel::logic {
class Chest;
class Landscape;
class Object;
class Target;
class Unit;
} // namespace kel::logic

namespace kel::ui {

// A picking listener: told by the engine when its board object's mesh comes under the pointer
// or leaves it, it reports the focus to the battle control source itself.
class KEL_UI_API UIRenderMeshListener : public RenderMeshListener {
public:
    bool isFocused() const { return focused; }
    // Sets the focus and tells the control source what is under the pointer.
    void traceIn(void* argument) override;
    // Clears the focus; with a null argument (nothing traced next) the control source's focus is
    // cleared as well.
    void traceOut(void* argument) override;
    virtual logic::Target getTarget() const = 0;

private:
    bool focused = false;
};

class KEL_UI_API RMLUnit final : public UIRenderMeshListener {
public:
    explicit RMLUnit(logic::Unit* unit);
    logic::Unit* getUnit() const { return unit; }
    logic::Target getTarget() const override;

private:
    logic::Unit* unit; // not owned
};

class KEL_UI_API RMLLandscape final : public UIRenderMeshListener {
public:
    explicit RMLLandscape(logic::Landscape* landscape) : landscape(landscape) {}
    logic::Landscape* getLandscape() const { return landscape; }
    logic::Target getTarget() const override;

private:
    logic::Landscape* landscape; // not owned
};

class KEL_UI_API RMLObject final : public UIRenderMeshListener {
public:
    explicit RMLObject(logic::Object* object);
    logic::Object* getObject() const { return object; }
    logic::Target getTarget() const override;

private:
    logic::Object* object; // not owned
};

class KEL_UI_API RMLChest final : public UIRenderMeshListener {
public:
    explicit RMLChest(logic::Chest* chest) : chest(chest) {}
    logic::Chest* getChest() const { return chest; }
    logic::Target getTarget() const override;

private:
    logic::Chest* chest; // not owned
};

// Turns the control-source events of kel-input (each a state number 0-36) into calls on the
// battle control source; commands that aim at the board get a target from the picking
// listeners focused under the pointer. The host attaches it where control-source events are
// broadcast and asks it for a picking listener for each board object's mesh.
//
// Ownership: the redirector owns its picking listeners until removeListener hands one out of
// its lists; whoever removes one destroys it.
class KEL_UI_API CSMessageRedirector : public ::input::Listener {
public:
    CSMessageRedirector() = default;
    CSMessageRedirector(const CSMessageRedirector&) = delete;
    CSMessageRedirector& operator=(const CSMessageRedirector&) = delete;
    ~CSMessageRedirector() override;

    void processEvent(const counting_ptr<::input::Event>& event) override;

    RenderMeshListener* addListener(logic::Unit* unit);
    RenderMeshListener* addListener(logic::Landscape* landscape);
    RenderMeshListener* addListener(logic::Object* object);
    RenderMeshListener* addListener(logic::Chest* chest);
    void removeListener(logic::Unit* unit);
    void removeListener(logic::Landscape* landscape);
    void removeListener(logic::Object* object);
    void removeListener(logic::Chest* chest);

    // The focused unit, else landscape cell, else map object; empty when none is focused.
    logic::Target getFocusedObject() const;
    // Tells the control source the current focus anew (unit, landscape, chest, object).
    void updateFocusOnGameBoardObjects();

private:
    // The one call of a state number on the battle control source.
    void redirect(int state);
    template <class T> static T* focusedIn(const std::list<T*>& listeners);
    logic::Target firstOf(bool unit, bool landscape, bool chest, bool object) const;
    template <class F> void eachOf(F&& call) const;

    std::list<RMLUnit*> unitListeners;
    std::list<RMLChest*> chestListeners;
    std::list<RMLLandscape*> landscapeListeners;
    std::list<RMLObject*> objectListeners;
};

} // namespace kel::ui
