#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace artgen {

// One picture the game asks for: the name a catalogue or layout uses, the file it is read from
// (relative to the data root) and the size the image catalogue gives it.
struct ImageRef {
    std::string name; // "/Images/UI/play.tga", "Lighthouse", "balloons/speech.tga"
    std::string file; // "Images/UI/play.tga", "Images/Named/Lighthouse.png"
    int width = 64;
    int height = 64;
    bool tga = false; // else PNG
};

struct ModelRef {
    std::string name;
    std::array<float, 6> box{}; // min x y z, max x y z
    std::string caption;        // round-menu entries: what the entry is
};

// A balloon picture's shape as balloons.cfg gives it, in units of the picture.
struct BalloonShape {
    std::array<float, 4> drawArea{0.1f, 0.1f, 0.9f, 0.7f};
    float tipX = 0.5f, tipY = 1;
};

// Everything the art must cover, read from the data root's catalogues and layouts.
struct Catalogue {
    std::vector<ImageRef> images;                     // by file, each once
    std::vector<ModelRef> models;                     // in catalogue order
    std::map<std::string, std::string> entryCaptions; // round-menu entry -> its model's caption
    std::map<std::string, BalloonShape> balloons;     // picture name -> shape
    std::vector<std::string> problems;                // files that could not be read
};

// The file a picture name is read from: a game path as it stands, any other name under
// /Images/Named as PNG.
std::string imageFileOf(const std::string& name);

Catalogue readCatalogue(const std::filesystem::path& dataRoot);

// The text of a file, or "" with ok false.
std::string readText(const std::filesystem::path& file, bool* ok = nullptr);

} // namespace artgen
