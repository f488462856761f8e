#include "ui/ModuleLog.h"

#include "host/debug/Error.h"
#include "host/debug/Filter.h"

namespace kel::ui {

debug::Filter& moduleFilter() {
    static debug::Filter filter("kel-ui", true);
    return filter;
}

void reportError(const char* file, int line, const std::string& text) {
    debug::Error error(debug::Context(file, line), text);
    debug::report(moduleFilter(), error);
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
