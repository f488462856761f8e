#include "ui/CSMessageRedirector.h"

#include "host/kelinput/CS.h"
#include "host/logic/ControlSourceInterface.h"
#include "host/logic/Globals.h"
#include "host/logic/Target.h"

#include <algorithm>
#include <vector>

namespace kel::ui {

void UIRenderMeshListener::traceIn(void*) {
    focused = true;
    if (BATTLE_CONTROL_SOURCE)
        BATTLE_CONTROL_SOURCE->setFocusTarget(getTarget());
}

void UIRenderMeshListener::traceOut(void* argument) {
    focused = false;
    if (!argument && BATTLE_CONTROL_SOURCE)
        BATTLE_CONTROL_SOURCE->clearFocusTarget();
}

RMLUnit::RMLUnit(logic::Unit* unit) : unit(unit) {
    setTracePriority(1);
}
logic::Target RMLUnit::getTarget() const {
    return logic::Target(unit);
}

logic::Target RMLLandscape::getTarget() const {
    return logic::Target(landscape);
}

RMLObject::RMLObject(logic::Object* object) : object(object) {
    setTracePriority(1);
}
logic::Target RMLObject::getTarget() const {
    return logic::Target(object);
}

logic::Target RMLChest::getTarget() const {
    return logic::Target(chest);
}

namespace {

template <class T> void destroyAll(std::list<T*>& listeners) {
    // A listener may stand in its list more than once; destroy each object once.
    std::vector<T*> unique(listeners.begin(), listeners.end());
    std::sort(unique.begin(), unique.end());
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
    for (T* listener : unique)
        delete listener;
    listeners.clear();
}

// The first listener of `object`, and every entry of it taken out of the list.
template <class T, class O, class Get>
void removeFirstOf(std::list<T*>& listeners, O* object, Get get) {
    auto found = std::find_if(listeners.begin(), listeners.end(),
                              [&](T* listener) { return (listener->*get)() == object; });
    if (found == listeners.end())
        return;
    T* listener = *found;
    listeners.remove(listener);
}

} // namespace

CSMessageRedirector::~CSMessageRedirector() {
    destroyAll(unitListeners);
    destroyAll(chestListeners);
    destroyAll(landscapeListeners);
    destroyAll(objectListeners);
}

RenderMeshListener* CSMessageRedirector::addListener(logic::Unit* unit) {
    unitListeners.push_back(new RMLUnit(unit));
    return unitListeners.back();
}

RenderMeshListener* CSMessageRedirector::addListener(logic::Landscape* landscape) {
    landscapeListeners.push_back(new RMLLandscape(landscape));
    return landscapeListeners.back();
}

RenderMeshListener* CSMessageRedirector::addListener(logic::Object* object) {
    objectListeners.push_back(new RMLObject(object));
    return objectListeners.back();
}

RenderMeshListener* CSMessageRedirector::addListener(logic::Chest* chest) {
    chestListeners.push_back(new RMLChest(chest));
    return chestListeners.back();
}

void CSMessageRedirector::removeListener(logic::Unit* unit) {
    removeFirstOf(unitListeners, unit, &RMLUnit::getUnit);
}

void CSMessageRedirector::removeListener(logic::Landscape* landscape) {
    removeFirstOf(landscapeListeners, landscape, &RMLLandscape::getLandscape);
}

void CSMessageRedirector::removeListener(logic::Object* object) {
    removeFirstOf(objectListeners, object, &RMLObject::getObject);
}

void CSMessageRedirector::removeListener(logic::Chest* chest) {
    removeFirstOf(chestListeners, chest, &RMLChest::getChest);
}

template <class T> T* CSMessageRedirector::focusedIn(const std::list<T*>& listeners) {
    for (T* listener : listeners)
        if (listener->isFocused())
            return listener;
    return nullptr;
}

logic::Target CSMessageRedirector::getFocusedObject() const {
    return firstOf(true, true, false, true);
}

logic::Target CSMessageRedirector::firstOf(bool unit, bool landscape, bool chest,
                                           bool object) const {
    if (unit)
        if (RMLUnit* focused = focusedIn(unitListeners))
            return focused->getTarget();
    if (landscape)
        if (RMLLandscape* focused = focusedIn(landscapeListeners))
            return focused->getTarget();
    if (chest)
        if (RMLChest* focused = focusedIn(chestListeners))
            return focused->getTarget();
    if (object)
        if (RMLObject* focused = focusedIn(objectListeners))
            return focused->getTarget();
    return logic::Target();
}

// One call for each of unit, landscape and chest that has a focused listener, in that order.
template <class F> void CSMessageRedirector::eachOf(F&& call) const {
    if (RMLUnit* focused = focusedIn(unitListeners))
        call(focused->getTarget());
    if (RMLLandscape* focused = focusedIn(landscapeListeners))
        call(focused->getTarget());
    if (RMLChest* focused = focusedIn(chestListeners))
        call(focused->getTarget());
}

void CSMessageRedirector::updateFocusOnGameBoardObjects() {
    if (RMLUnit* focused = focusedIn(unitListeners))
        focused->traceIn(nullptr);
    if (RMLLandscape* focused = focusedIn(landscapeListeners))
        focused->traceIn(nullptr);
    if (RMLChest* focused = focusedIn(chestListeners))
        focused->traceIn(nullptr);
    if (RMLObject* focused = focusedIn(objectListeners))
        focused->traceIn(nullptr);
}

void CSMessageRedirector::processEvent(const counting_ptr<::input::Event>& event) {
    if (auto* cs = event.as<kel::input::events::CS>())
        redirect(cs->getState()->getNumber());
}

void CSMessageRedirector::redirect(int state) {
    logic::ControlSourceInterface* source = BATTLE_CONTROL_SOURCE;
    if (!source)
        return;
    switch (state) {
    case 0:
        source->controlCommand1();
        break;
    case 1:
        source->controlCommand2();
        break;
    case 2:
        source->controlCommand6();
        break;
    case 3:
        source->controlCommand4();
        break;
    case 4:
        source->controlCommand7();
        break;
    case 5:
        source->controlCommand5();
        break;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        source->indexedCommand1(state - 6);
        break;
    case 12:
        source->controlCommand12();
        break;
    case 13:
        source->controlCommand13();
        break;
    case 14:
        source->targetCommand3(firstOf(true, true, true, false));
        break;
    case 15:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
        source->indexedCommand2(state - 15);
        break;
    case 22:
        source->targetCommand1(firstOf(true, true, true, true));
        break;
    case 23: {
        const logic::Target target = firstOf(true, true, true, false);
        if (target.isValid())
            source->targetCommand2(target);
        break;
    }
    case 24:
        source->controlCommand3();
        break;
    case 25:
        source->controlCommand14();
        break;
    case 28:
        source->endTurn();
        break;
    case 29:
        source->controlCommand15();
        break;
    case 30:
        source->controlCommand16();
        break;
    case 31:
        source->controlCommand8();
        break;
    case 32:
        source->controlCommand9();
        break;
    case 33:
        eachOf([source](const logic::Target& t) { source->targetCommand4(t); });
        break;
    case 34:
        eachOf([source](const logic::Target& t) { source->targetCommand5(t); });
        break;
    case 35:
        source->controlCommand10();
        break;
    case 36:
        source->controlCommand11();
        break;
    default:
        break; // 26, 27 and beyond 36: nothing
    }
}

} // namespace kel::ui
