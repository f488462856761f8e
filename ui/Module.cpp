// What exists as soon as the module is loaded: its static objects, in this order (they are
// destroyed in the reverse order when it is unloaded), and the Windows entry point. Nothing here
// reads a file; the root UI's init does.

#include "ui/Accessor.h"
#include "ui/DebugInput.h"
#include "ui/ModuleLog.h"
#include "ui/Saves.h"

#include "host/debug/Filter.h"

namespace kel::ui {

DebugInput debugInput;

namespace {
debug::Filter kelUiFilter("kel-ui", true);
}

Accessor theAccessor;
Saves theSaves;

debug::Filter& moduleFilter() {
    return kelUiFilter;
}

} // namespace kel::ui

#ifdef _WIN32
#include <windows.h>

// The module wants no thread attach and detach notifications; nothing else happens on load.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(module);
    return TRUE;
}
#endif
