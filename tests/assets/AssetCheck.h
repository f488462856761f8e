#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kel::test {

struct AssetProblem {
    std::string name;    // the picture, model or font as the data names it
    std::string message; // what is wrong with it
};

struct AssetReport {
    std::vector<AssetProblem> problems;
    int images = 0; // how many of each were looked at
    int models = 0;
    int fonts = 0;

    // Every problem, one "name: message" a line.
    std::string describe() const;
};

// Checks the art of a data root against its catalogues and layouts: every picture that
// images.cfg, a layout under /Configs/UI, the pointer, the balloons, the dialogues or the
// per-language list names is a file (a game path as it stands, another name as
// /Images/Named/<name>.png) that decodes to 8-bit RGBA at the catalogue's size (64 x 64 when
// unlisted); every model of models.cfg is an OBJ of triangles with normals whose materials its
// .mtl defines and whose bounds are the catalogue's box within 1 %; every font names a face
// that is there, with the faces' licence beside it.
AssetReport checkAssets(const std::filesystem::path& dataRoot);

} // namespace kel::test
