#pragma once

#include "host/HostApi.h"
#include "host/kelinput/Control.h"

#include <string>
#include <vector>

namespace config {
class Block;
struct Location;
} // namespace config

namespace kelinput {

// Reads the control definitions of both translators from the controls file:
//
//     camera {
//         zoomin { name = "Zoom in"; bind = WheelUp; bind = NumpadPlus }
//         rotateyawaxis { name = "Turn (mouse)"; axis = true; bind = MiddleClick MouseX }
//     }
//     controlsource {
//         endturn { name = "End turn"; state = 28; bind = Return }
//     }
//
// Every problem is reported on kel-input's log with the file and line, and reading goes on with
// what could be used: a bad binding is left out, a bad control is left out, a syntax error ends
// the file where it is.
class KEL_HOST_API ControlsFile {
public:
    static constexpr int kStateCount = 37;

    // False when anything was reported (a missing file included).
    bool read(const std::string& path);
    // The same on a parsed document; `file` names it in messages.
    bool read(const config::Block& root, const std::string& file);

    const std::vector<Control>& getCamera() const { return camera; }
    const std::vector<Control>& getControlSource() const { return controlSource; }
    int getProblemCount() const { return problems; }

    // Reads the bindings of the block of one control (its "bind" entries); bad ones are
    // reported against `file` and left out. Shared with the profile's saved bindings.
    static Bindings readBindings(const config::Block& block, bool axis, const std::string& file,
                                 const std::string& control, int* problems);

private:
    void readTable(const config::Block& table, bool controlSourceTable);
    void checkStates(int line);
    void checkDuplicates();
    void report(int line, const std::string& text);
    void report(config::Location where, const std::string& text);

    std::string file;
    std::vector<Control> camera;
    std::vector<Control> controlSource;
    int problems = 0;
};

} // namespace kelinput
