#include "host/kelinput/ControlsFile.h"
#include "host/config/Block.h"
#include "host/config/Syntax.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/kelinput/DeviceToCamera.h"
#include "host/kelinput/KelInput.h"
#include "host/kelinput/RedefineControls.h"
#include "host/resource/ResourceManager.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace kelinput {

namespace {

void reportTo(const std::string& file, int line, const std::string& text, int column = 0) {
    debug::Error error(debug::Context(file, line, column), text);
    debug::report(KelInput::getLog(), error);
}

} // namespace

void ControlsFile::report(int line, const std::string& text) {
    report(config::Location{line, 0}, text);
}

void ControlsFile::report(config::Location where, const std::string& text) {
    ++problems;
    reportTo(file, where.line, text, where.column);
}

bool ControlsFile::read(const std::string& path) {
    file = path;
    camera.clear();
    controlSource.clear();
    problems = 0;

    std::filesystem::path resolved;
    std::error_code ec;
    if (!resource::theResourceManager->resolve(path, &resolved) ||
        !std::filesystem::is_regular_file(resolved, ec)) {
        report(0, "cannot read the controls file; no control is bound");
        return false;
    }
    std::ifstream stream(resolved, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (!stream.good() && !stream.eof()) {
        report(0, "cannot read the controls file; no control is bound");
        return false;
    }
    config::Block root;
    config::ParseError error;
    if (!config::parse(std::move(text), path, root, &error))
        report(config::Location{error.line, error.column},
               error.message + "; the controls before it are used");
    const int syntaxProblems = problems;
    read(root, path);
    problems += syntaxProblems;
    return problems == 0;
}

bool ControlsFile::read(const config::Block& root, const std::string& name) {
    file = name;
    camera.clear();
    controlSource.clear();
    problems = 0;

    int controlSourceLine = 0;
    bool seenCamera = false;
    bool seenControlSource = false;
    for (const config::NameEntry* entry = root.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        const std::string& table = entry->getName();
        if (!entry->isBlock()) {
            report(entry->getLocation(), "unknown entry '" + table +
                                             "'; expected the blocks "
                                             "camera and controlsource");
            continue;
        }
        bool& seen = table == "camera" ? seenCamera : seenControlSource;
        if (table != "camera" && table != "controlsource") {
            report(entry->getLocation(), "unknown block '" + table +
                                             "'; expected camera or "
                                             "controlsource");
            continue;
        }
        if (seen) {
            report(entry->getLocation(), "a second '" + table + "' block is ignored");
            continue;
        }
        seen = true;
        if (table == "controlsource")
            controlSourceLine = entry->getLine();
        readTable(config::Block::blockOf(*entry), table == "controlsource");
    }
    if (!seenCamera)
        report(0, "no 'camera' block; the camera has no controls");
    if (!seenControlSource)
        report(0, "no 'controlsource' block; the battle has no controls");
    else
        checkStates(controlSourceLine);
    checkDuplicates();
    return problems == 0;
}

void ControlsFile::readTable(const config::Block& table, bool controlSourceTable) {
    std::vector<Control>& controls = controlSourceTable ? controlSource : camera;
    const std::string tableName = controlSourceTable ? "controlsource" : "camera";
    for (const config::NameEntry* entry = table.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        const std::string& name = entry->getName();
        const int line = entry->getLine();
        const config::Location where = entry->getLocation();
        if (!entry->isBlock()) {
            report(where, "'" + name + "' in " + tableName + " is no control block; ignored");
            continue;
        }
        const config::Block& block = config::Block::blockOf(*entry);
        if (std::any_of(controls.begin(), controls.end(),
                        [&](const Control& c) { return c.name == name; })) {
            report(where, "control '" + name + "' is defined twice; the first is used");
            continue;
        }
        Control control;
        control.name = name;
        control.line = line;

        bool axis = false;
        if (block.hasProperty("axis") && !block.getProperty("axis", &axis))
            report(block.getPropertyLocation("axis"),
                   "axis of '" + name + "' is not true or false");
        if (controlSourceTable) {
            if (axis)
                report(block.getPropertyLocation("axis"),
                       "control-source control '" + name + "' cannot be an axis");
            axis = false;
            int state = -1;
            if (!block.getProperty("state", &state) || state < 0 || state >= kStateCount) {
                report(block.hasProperty("state") ? block.getPropertyLocation("state") : where,
                       "control '" + name + "' needs a state from 0 to 36; ignored");
                continue;
            }
            const auto same = std::find_if(controls.begin(), controls.end(),
                                           [&](const Control& c) { return c.state == state; });
            if (same != controls.end()) {
                report(block.getPropertyLocation("state"),
                       "state " + std::to_string(state) + " of '" + name +
                           "' is already sent by '" + same->name + "'; ignored");
                continue;
            }
            control.state = state;
        } else {
            bool cameraAxis = false;
            if (!DeviceToCamera::knowsControl(name, &cameraAxis)) {
                report(where, "the camera has no control '" + name + "'; ignored");
                continue;
            }
            if (block.hasProperty("axis") && axis != cameraAxis)
                report(block.getPropertyLocation("axis"), "camera control '" + name + "' is " +
                                                              (cameraAxis ? "" : "not ") +
                                                              "an axis");
            axis = cameraAxis;
        }
        control.axis = axis;

        if (!block.getProperty("name", &control.sweetName) || control.sweetName.empty()) {
            report(where, "control '" + name + "' has no display name");
            control.sweetName = name;
        }
        for (const config::NameEntry* property = block.getFirstEntry(); property;
             property = property->getNextEntry()) {
            const std::string& key = property->getName();
            const bool known =
                !property->isBlock() && (key == "name" || key == "axis" || key == "bind" ||
                                         (key == "state" && controlSourceTable));
            if (!known)
                report(property->getLocation(),
                       "unknown entry '" + key + "' in control '" + name + "'; ignored");
        }
        control.defaults = readBindings(block, axis, file, name, &problems);
        control.bindings = control.defaults;
        controls.push_back(std::move(control));
    }
}

Bindings ControlsFile::readBindings(const config::Block& block, bool axis, const std::string& file,
                                    const std::string& control, int* problems) {
    Bindings bindings;
    for (const config::NameEntry* entry = block.getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        if (entry->isBlock() || entry->getName() != "bind")
            continue;
        const auto values = config::Block::valuesOf(*entry);
        const Binding binding(values.begin(), values.end());
        const std::string problem = RedefineControls::checkBinding(binding, axis);
        if (!problem.empty()) {
            ++*problems;
            reportTo(file, entry->getLine(),
                     "binding '" + RedefineControls::describe(binding) + "' of '" + control +
                         "' ignored: " + problem);
            continue;
        }
        if (std::find(bindings.begin(), bindings.end(), binding) != bindings.end())
            continue; // the same binding twice is the same binding
        bindings.push_back(binding);
    }
    return bindings;
}

void ControlsFile::checkStates(int line) {
    // One message for all of them, as ranges: "0-5, 9, 29-36".
    std::string missing;
    for (int state = 0; state < kStateCount;) {
        const auto sent = [&](int s) {
            return std::any_of(controlSource.begin(), controlSource.end(),
                               [&](const Control& c) { return c.state == s; });
        };
        if (sent(state)) {
            ++state;
            continue;
        }
        int last = state;
        while (last + 1 < kStateCount && !sent(last + 1))
            ++last;
        missing += (missing.empty() ? "" : ", ") + std::to_string(state) +
                   (last > state ? "-" + std::to_string(last) : std::string());
        state = last + 1;
    }
    if (!missing.empty())
        report(line, "no control sends the states " + missing);
}

void ControlsFile::checkDuplicates() {
    // The same keys bound to two controls make both fire at once, which the key redefinition
    // menu never does; in the shipped defaults it is a mistake.
    struct Seen {
        std::set<std::string> keys;
        std::string control;
    };
    std::vector<Seen> seen;
    for (const std::vector<Control>* table : {&camera, &controlSource})
        for (const Control& control : *table)
            for (const Binding& binding : control.defaults) {
                const std::set<std::string> keys(binding.begin(), binding.end());
                const auto other = std::find_if(seen.begin(), seen.end(), [&](const Seen& s) {
                    return s.keys == keys && s.control != control.name;
                });
                if (other != seen.end())
                    report(control.line, "binding '" + RedefineControls::describe(binding) +
                                             "' of '" + control.name + "' is also bound to '" +
                                             other->control + "'");
                seen.push_back(Seen{keys, control.name});
            }
}

} // namespace kelinput
