#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace artgen {

// One font of fonts.cfg: its name, the face it is drawn with and the FreeType pixel size.
struct FontEntry {
    std::string name;
    std::string face; // game path, "/Fonts/DejaVuSans.ttf"
    int pixelSize = 16;
    std::string comment; // the comment lines above its block, kept as they are
};

// The fonts of fonts.cfg, with a face and a pixel size for each (the file's own when it names
// them, else the game's choice for that font).
std::vector<FontEntry> readFontEntries(const std::filesystem::path& dataRoot);

// Every character the game may set: printable ASCII and each other character the data's text
// files contain.
std::set<unsigned> gameCharacters(const std::filesystem::path& dataRoot);

// fonts.cfg with each font's metrics measured from its face: the line height, the most common
// advance as the default and the other advances in groups by width, all in whole screen units
// (one unit is one pixel at the font's pixel size).
// Faces are read from `faces`, the directory that holds the files the fonts name.
std::string writeFontTable(const std::filesystem::path& faces, const std::vector<FontEntry>& fonts,
                           const std::set<unsigned>& chars);

// The file of a font's face in the directory of faces.
std::filesystem::path faceFile(const std::filesystem::path& faces, const FontEntry& font);

} // namespace artgen
