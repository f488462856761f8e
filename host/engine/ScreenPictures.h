#pragma once

#include "host/HostApi.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Pictures of the screen taken while the game runs (the still battle behind an in-game menu),
// kept in memory by name for the renderers to draw as they draw image files. Names start with
// '#', which no image file's name does. The host's renderer takes them when it has one (see
// setTaker); without one nothing is taken and a screenshot has no picture.
//
// Every function may be called from any thread.
class KEL_HOST_API ScreenPictures {
public:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<unsigned char> rgba; // rows from the top
        unsigned long version = 0;       // new for every picture taken under one name
    };
    // Draws the screen as it stands into a picture; false when it cannot.
    using Taker = std::function<bool(Picture*)>;

    // Who takes the pictures from now on (an empty taker: nobody).
    static void setTaker(Taker taker);
    // Takes a picture of the screen now and keeps it under `name`; false when nobody can.
    static bool take(const std::string& name);
    // The picture kept under `name`, or null.
    static std::shared_ptr<const Picture> find(const std::string& name);
    // Lets the picture of `name` go.
    static void forget(const std::string& name);
};
