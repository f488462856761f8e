#include "ui/DebugInput.h"
#include "ui/Accessor.h"
#include "ui/KELUI.h"
#include "ui/Sky.h"

#include "host/debug/Filter.h"
#include "host/engine/Timer.h"
#include "host/environment/Environment.h"

namespace kel::ui {

const unsigned long DebugInput::kShortcuts[13] = {0x1E, 0x3C, 0x34, 0x36, 0x49, 0x2F, 0x30,
                                                  0x17, 0x4D, 0x4F, 0x50, 0x51, 0x0F};

void DebugInput::registerShortcuts() {
    for (unsigned long key : kShortcuts)
        addShortcut(key, 0);
}

void DebugInput::unregisterShortcuts() {
    for (unsigned long key : kShortcuts)
        delShortcut(key, 0);
}

void DebugInput::onShortcut(unsigned long key, int) {
    Sky* sky = theAccessor.getSky();
    Environment* environment = sky ? sky->getEnvironment() : nullptr;
    auto setDayTime = [environment](int minutes) {
        if (environment)
            environment->setDayTime(DayTime(minutes));
    };
    auto dayTime = [environment] { return environment ? environment->getDayTime().minutes : 0; };
    auto setVisible = [](const char* name, bool visible) {
        if (theKELUI)
            if (::ui::Component* component = theKELUI->getDescendant(name))
                component->setVisible(visible);
    };

    switch (key) {
    case 0x0F:
        setDayTime(1260);
        break;
    case 0x17:
        setDayTime(540);
        break;
    case 0x1E:
        setVisible("endturnbutton", false);
        break;
    case 0x2F: {
        int time = dayTime() + 60;
        if (time >= 1440)
            time -= 1440;
        setDayTime(time);
        break;
    }
    case 0x30: {
        int time = dayTime() - 60;
        if (time < 0)
            time += 1440;
        setDayTime(time);
        break;
    }
    case 0x34:
        theDelayedRenderTimer->setTimeScale(1.0f);
        break;
    case 0x36:
        theDelayedRenderTimer->setTimeScale(theDelayedRenderTimer->getTimeScale() * 2);
        break;
    case 0x3C:
        theDelayedRenderTimer->setTimeScale(theDelayedRenderTimer->getTimeScale() / 2);
        break;
    case 0x49:
        if (!thePausedRenderTimer->isPaused()) {
            thePausedRenderTimer->pause();
            theDelayedRenderTimer->pause();
        } else {
            thePausedRenderTimer->resume();
            theDelayedRenderTimer->resume();
        }
        break;
    case 0x54:
        if (environment)
            environment->selectSky("Eden");
        break;
    case 0x55:
        debug::exit();
        break;
    case 0x5D:
        setVisible("screenshot", true);
        break;
    default:
        break;
    }
}

} // namespace kel::ui
