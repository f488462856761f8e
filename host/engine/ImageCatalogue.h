#pragma once

#include "host/HostApi.h"

#include <string>

// The sizes of the game's pictures, from "/Configs/UI/images.cfg" (one property per image:
// name = width height, in screen units). The engine sizes its images by it and the toolkit's
// image managers read it through here, so the engine needs nothing of the toolkit. Read on first
// use; every function may be called from any thread.
class KEL_HOST_API ImageCatalogue {
public:
    // The catalogue size of an image name; false when unknown.
    static bool lookUpSize(const std::string& name, float* width, float* height);
    // True the first time an unknown image `name` is reported since the catalogue was read.
    static bool firstReportOf(const std::string& name);
    // Reads the catalogue again and forgets which unknown images were reported.
    static void reload();
    // Forgets the catalogue and the images already reported; it is read again when next needed.
    static void forget();
};
