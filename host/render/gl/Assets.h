#pragma once

#include <string>

namespace render {

// The bytes of a file of the data root by its game path ("/Images/a.png"); false, with `why`,
// when it is missing, refused or unreadable.
bool readGameFile(const std::string& gamePath, std::string* bytes, std::string* why);

// The game path of an image name: a name starting with '/' is a game path already, any other is
// a named picture "/Images/Named/<name>.png".
std::string imagePath(const std::string& name);

// Reports on the engine log that an asset could not be used and is drawn as a marker, once a
// path until the reports are forgotten (forgetReportedAssets).
void reportMissingAsset(const std::string& gamePath, const std::string& what);

} // namespace render
