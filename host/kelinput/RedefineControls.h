#pragma once

#include "host/HostApi.h"
#include "host/kelinput/Control.h"
#include "host/thread/SynchronizedObject.h"

#include <functional>
#include <list>
#include <set>
#include <string>
#include <vector>

namespace input {
namespace events {
class Button;
}
} // namespace input

namespace kelinput {

// The control table of one translator: which controls it has and which key combinations are
// bound to them. The key redefinition menu reads and rewrites bindings through the first five
// operations; a change takes effect in translation at once. The rest is for kel-input itself.
//
// All operations take the table's own lock; the change observer is called after it is released.
class KEL_HOST_API RedefineControls {
public:
    struct Match {
        std::string control;
        int state;
        // The keys of the binding that fired, in order, and its axis name ("" for none).
        Binding keys;
        std::string axis;
    };

    explicit RedefineControls(std::string tableName);
    RedefineControls(const RedefineControls&) = delete;
    RedefineControls& operator=(const RedefineControls&) = delete;

    // Control names in table order.
    void enumerateEventsNames(std::vector<std::string>& names) const;
    bool eventIsAxis(const std::string& name) const;
    // Replaces `bindings` with the control's; false (bindings untouched) for an unknown name.
    bool getEventData(const std::string& name, std::list<std::list<std::string>>& bindings) const;
    // Replaces the control's bindings. An unknown name is no error (the menu offers every
    // control to every table) and returns false. A binding that breaks the rules (see
    // checkBinding) is reported on the log and left out; the call then returns false too.
    bool setEventData(const std::string& name, const std::list<std::list<std::string>>& bindings);
    // The display name; "" for an unknown name.
    std::string getEventSweetName(const std::string& name) const;
    // The control-source state number the control sends; -1 for an unknown name or a camera
    // control.
    int getEventState(const std::string& name) const;

    // "camera" or "controlsource": the table's name in the controls file and the profile.
    const std::string& getTableName() const { return tableName; }
    void setControls(std::vector<Control> table);
    std::vector<Control> getControls() const;
    bool hasControl(const std::string& name) const;
    // Replaces a control's bindings as they are (already checked), without telling the
    // observer; false for an unknown name.
    bool setBindings(const std::string& name, Bindings bindings);
    void resetToDefault();
    // `before` is called at the start of setEventData for a known control, `after` once the
    // table has changed; both without the table's lock.
    void setChangeObserver(std::function<void()> before, std::function<void()> after);

    // The controls that fire when `key` goes down with `held` already down: those with a
    // binding whose last key is `key` and whose earlier keys are all held. Only the most
    // specific bindings count, so Shift+A does not also fire a control bound to A alone.
    std::vector<Match> match(const std::string& key, const std::set<std::string>& held) const;
    // Axis bindings without keys: they take their axis all the time.
    std::vector<Match> keylessAxes() const;

    // Why a binding cannot be used, or "" when it can: it must hold one or two distinct known
    // key names, then (only and always for an axis control) "MouseX" or "MouseY".
    static std::string checkBinding(const Binding& binding, bool axis);
    static bool isAxisName(const std::string& name);
    // The name a button event's key goes by in bindings; "" when it has none.
    static std::string keyOf(const input::events::Button& button);
    // "LeftControl+Digit1"
    static std::string describe(const Binding& binding);

private:
    const Control* find(const std::string& name) const;
    Control* find(const std::string& name);

    const std::string tableName;
    thread::SynchronizedObject lock;
    std::vector<Control> controls;
    std::function<void()> beforeChange;
    std::function<void()> afterChange;
};

} // namespace kelinput
