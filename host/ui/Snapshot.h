#pragma once

#include "host/HostApi.h"

#include <string>

namespace ui {

class UI;

// An SVG picture of what the player would see now, drawn in the order of ui::walkFrame: the
// render driver's background colour when it is on, the 3D content of the views the driver draws
// (models as their projected bounding boxes named by their model, decals counted, a fade as a
// translucent veil over its view; a view a component shows where that component stands), the
// shown components of the UI, then the pointer. Every Paintable component paints itself; the
// others show only in the overlay, which outlines and names every shown component. It is the
// inspector beside the rendered frame.
class KEL_HOST_API Snapshot {
public:
    struct Options {
        bool overlay = false;  // outline and name every shown component
        bool include3D = true; // the views' 3D content
        std::string title;     // a caption in the bottom-right corner
    };

    // The UI to picture; null means the root UI (theUI).
    explicit Snapshot(UI* ui = nullptr);

    // The SVG document.
    std::string render(const Options& options) const;
    // Writes it atomically to a file-system path; false, with `error` telling why, on failure.
    bool write(const std::string& path, const Options& options, std::string* error = nullptr) const;

private:
    UI* ui; // not owned
};

} // namespace ui
