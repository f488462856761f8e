#include "host/kelinput/RedefineControls.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"

#include <algorithm>

namespace kelinput {

RedefineControls::RedefineControls(std::string tableName) : tableName(std::move(tableName)) {}

const Control* RedefineControls::find(const std::string& name) const {
    for (const Control& control : controls)
        if (control.name == name)
            return &control;
    return nullptr;
}

Control* RedefineControls::find(const std::string& name) {
    for (Control& control : controls)
        if (control.name == name)
            return &control;
    return nullptr;
}

void RedefineControls::enumerateEventsNames(std::vector<std::string>& names) const {
    thread::Lock hold(lock);
    names.clear();
    for (const Control& control : controls)
        names.push_back(control.name);
}

bool RedefineControls::eventIsAxis(const std::string& name) const {
    thread::Lock hold(lock);
    const Control* control = find(name);
    return control && control->axis;
}

bool RedefineControls::getEventData(const std::string& name,
                                    std::list<std::list<std::string>>& bindings) const {
    thread::Lock hold(lock);
    const Control* control = find(name);
    if (!control)
        return false;
    bindings = control->bindings;
    return true;
}

bool RedefineControls::setEventData(const std::string& name,
                                    const std::list<std::list<std::string>>& bindings) {
    std::function<void()> before;
    {
        thread::Lock hold(lock);
        if (!find(name))
            return false;
        before = beforeChange;
    }
    if (before)
        before();
    bool allTaken = true;
    std::function<void()> notify;
    {
        thread::Lock hold(lock);
        Control* control = find(name);
        if (!control)
            return false;
        Bindings taken;
        for (const Binding& binding : bindings) {
            const std::string problem = checkBinding(binding, control->axis);
            if (problem.empty()) {
                taken.push_back(binding);
                continue;
            }
            allTaken = false;
            debug::Error error(debug::Context(KelInput::kControlsPath, control->line),
                               "binding '" + describe(binding) + "' for " + tableName +
                                   " control '" + name + "' ignored: " + problem);
            debug::report(KelInput::getLog(), error);
        }
        control->bindings = std::move(taken);
        notify = afterChange;
    }
    if (notify)
        notify();
    return allTaken;
}

std::string RedefineControls::getEventSweetName(const std::string& name) const {
    thread::Lock hold(lock);
    const Control* control = find(name);
    return control ? control->sweetName : std::string();
}

int RedefineControls::getEventState(const std::string& name) const {
    thread::Lock hold(lock);
    const Control* control = find(name);
    return control ? control->state : -1;
}

void RedefineControls::setControls(std::vector<Control> table) {
    thread::Lock hold(lock);
    controls = std::move(table);
}

std::vector<Control> RedefineControls::getControls() const {
    thread::Lock hold(lock);
    return controls;
}

bool RedefineControls::hasControl(const std::string& name) const {
    thread::Lock hold(lock);
    return find(name) != nullptr;
}

bool RedefineControls::setBindings(const std::string& name, Bindings bindings) {
    thread::Lock hold(lock);
    Control* control = find(name);
    if (!control)
        return false;
    control->bindings = std::move(bindings);
    return true;
}

void RedefineControls::resetToDefault() {
    thread::Lock hold(lock);
    for (Control& control : controls)
        control.bindings = control.defaults;
}

void RedefineControls::setChangeObserver(std::function<void()> before,
                                         std::function<void()> after) {
    thread::Lock hold(lock);
    beforeChange = std::move(before);
    afterChange = std::move(after);
}

std::vector<RedefineControls::Match>
RedefineControls::match(const std::string& key, const std::set<std::string>& held) const {
    struct Candidate {
        bool axis;
        Match match;
    };
    std::vector<Candidate> candidates;
    size_t best = 0;
    {
        thread::Lock hold(lock);
        for (const Control& control : controls)
            for (const Binding& binding : control.bindings) {
                Binding keys = binding;
                std::string axis;
                if (!keys.empty() && isAxisName(keys.back())) {
                    axis = keys.back();
                    keys.pop_back();
                }
                if (keys.empty() || keys.back() != key)
                    continue;
                const bool earlierHeld =
                    std::all_of(keys.begin(), std::prev(keys.end()), [&](const std::string& k) {
                        return k != key && held.count(k) != 0;
                    });
                if (!earlierHeld)
                    continue;
                best = std::max(best, keys.size());
                candidates.push_back(
                    Candidate{control.axis, Match{control.name, control.state, keys, axis}});
            }
    }
    std::vector<Match> found;
    for (Candidate& candidate : candidates) {
        if (candidate.match.keys.size() != best)
            continue;
        // A control fires once per press even when two of its bindings match; an axis control
        // keeps each, as they may take different axes.
        const bool seen = std::any_of(found.begin(), found.end(), [&](const Match& m) {
            return m.control == candidate.match.control;
        });
        if (seen && !candidate.axis)
            continue;
        found.push_back(std::move(candidate.match));
    }
    return found;
}

std::vector<RedefineControls::Match> RedefineControls::keylessAxes() const {
    thread::Lock hold(lock);
    std::vector<Match> found;
    for (const Control& control : controls)
        for (const Binding& binding : control.bindings)
            if (binding.size() == 1 && isAxisName(binding.front()))
                found.push_back(Match{control.name, control.state, {}, binding.front()});
    return found;
}

bool RedefineControls::isAxisName(const std::string& name) {
    return name == "MouseX" || name == "MouseY";
}

std::string RedefineControls::checkBinding(const Binding& binding, bool axis) {
    if (binding.empty())
        return "it is empty";
    Binding keys = binding;
    if (isAxisName(keys.back())) {
        if (!axis)
            return "'" + keys.back() + "' is a mouse axis and the control is no axis";
        keys.pop_back();
    } else if (axis) {
        return "an axis control needs MouseX or MouseY last";
    }
    if (keys.size() > 2)
        return "more than two keys";
    for (auto k = keys.begin(); k != keys.end(); ++k) {
        if (isAxisName(*k))
            return "the mouse axis must come last";
        input::KeyInfo info;
        if (!input::findKey(*k, &info))
            return "no key is named '" + *k + "'";
        if (std::find(keys.begin(), k, *k) != k)
            return "'" + *k + "' appears twice";
    }
    return std::string();
}

std::string RedefineControls::keyOf(const input::events::Button& button) {
    const std::string& name = button.getState()->getName();
    if (!name.empty())
        return name;
    return input::keyName(button.getDevice(), button.getCode());
}

std::string RedefineControls::describe(const Binding& binding) {
    std::string text;
    for (const std::string& key : binding) {
        if (!text.empty())
            text += '+';
        text += key;
    }
    return text;
}

} // namespace kelinput
