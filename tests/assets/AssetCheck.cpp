#include "assets/AssetCheck.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace kel::test {

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& file, bool* ok) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    *ok = static_cast<bool>(stream) && fs::is_regular_file(file);
    return text.str();
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// stb_image fills a TGA whose pixel data stops short with zeros; a cut-off file is caught here:
// the header, then the pixels (run-length packets for type 10) must all be there.
std::string truncatedTga(const std::string& bytes) {
    if (bytes.size() < 18)
        return "its header is cut off";
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const int type = at(2), bytesPerPixel = (at(16) + 7) / 8;
    const size_t colourMap =
        at(1) ? static_cast<size_t>(at(5) | at(6) << 8) * ((at(7) + 7) / 8) : 0;
    size_t pos = 18 + at(0) + colourMap;
    size_t pixels =
        static_cast<size_t>(at(12) | at(13) << 8) * static_cast<size_t>(at(14) | at(15) << 8);
    if (type != 2 && type != 10)
        return ""; // other kinds are left to the decoder
    if (type == 2)
        return pos + pixels * static_cast<size_t>(bytesPerPixel) <= bytes.size()
                   ? ""
                   : "its pixels are cut off";
    while (pixels > 0) {
        if (pos >= bytes.size())
            return "its pixels are cut off";
        const size_t count = (at(pos) & 0x7F) + 1u;
        pos += 1 + (at(pos) & 0x80 ? 1 : count) * static_cast<size_t>(bytesPerPixel);
        pixels -= std::min(pixels, count);
    }
    return pos <= bytes.size() ? "" : "its pixels are cut off";
}

class Checker {
public:
    explicit Checker(fs::path root) : root(std::move(root)) {}

    bool read(const std::string& gamePath, config::Block& block) {
        bool ok = false;
        const std::string text = readFile(root / gamePath.substr(1), &ok);
        config::ParseError error;
        if (!ok || !config::parse(text, gamePath, block, &error)) {
            report.problems.push_back({gamePath, ok ? error.describe() : "cannot be read"});
            return false;
        }
        return true;
    }

    template <class F> static void forEach(const config::Block& block, F&& f) {
        for (const config::NameEntry* e = block.getFirstEntry(); e; e = e->getNextEntry())
            f(*e);
    }

    // Pictures a layout names: "image", "images", "...Image", and an "images" block's values.
    void layoutImages(const config::Block& block, bool inImages) {
        forEach(block, [&](const config::NameEntry& e) {
            if (e.isBlock())
                layoutImages(config::Block::blockOf(e), e.getName() == "images");
            else if (inImages || e.getName() == "image" || e.getName() == "images" ||
                     endsWith(e.getName(), "Image"))
                for (const auto& value : config::Block::valuesOf(e))
                    images.insert(value);
        });
    }

    void collectImages() {
        config::Block catalogue;
        if (read("/Configs/UI/images.cfg", catalogue))
            forEach(catalogue, [&](const config::NameEntry& e) {
                const auto values = config::Block::valuesOf(e);
                images.insert(e.getName());
                if (values.size() >= 2)
                    sizes[e.getName()] = {std::atoi(values[0].c_str()),
                                          std::atoi(values[1].c_str())};
            });
        const std::set<std::string> special = {"images.cfg", "fonts.cfg", "strings.cfg",
                                               "imagesToLocale.cfg", "balloons.cfg"};
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(root / "Configs/UI", ec), end; !ec && it != end;
             it.increment(ec))
            if (it->path().extension() == ".cfg" && !special.count(it->path().filename().string()))
                files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            config::Block layout;
            if (read("/" + fs::relative(file, root).generic_string(), layout))
                layoutImages(layout, false);
        }
        config::Block dialogs;
        if (fs::exists(root / "Configs/dialogs.cfg") && read("/Configs/dialogs.cfg", dialogs))
            layoutImages(dialogs, false);
        // A picture with a language variant is asked for as the variant ("english" by default).
        config::Block locale;
        if (fs::exists(root / "Configs/UI/imagesToLocale.cfg") &&
            read("/Configs/UI/imagesToLocale.cfg", locale))
            forEach(locale, [&](const config::NameEntry& e) {
                for (std::string value : config::Block::valuesOf(e)) {
                    const auto slash = value.rfind('/');
                    if (slash != std::string::npos)
                        value.insert(slash, "/english");
                    images.insert(value);
                }
            });
        // Balloon pictures are registered as "balloons/<image>".
        config::Block balloons;
        if (fs::exists(root / "Configs/UI/balloons.cfg") &&
            read("/Configs/UI/balloons.cfg", balloons))
            forEach(balloons, [&](const config::NameEntry& style) {
                if (style.isBlock())
                    forEach(config::Block::blockOf(style), [&](const config::NameEntry& kind) {
                        std::string image;
                        if (kind.isBlock() &&
                            config::Block::blockOf(kind).getProperty("image", &image))
                            images.insert("balloons/" + image);
                    });
            });
    }

    void checkImage(const std::string& name) {
        ++report.images;
        const std::string file = name[0] == '/' ? name.substr(1) : "Images/Named/" + name + ".png";
        bool ok = false;
        const std::string bytes = readFile(root / file, &ok);
        if (!ok) {
            report.problems.push_back({name, "missing: no file " + file});
            return;
        }
        int w = 0, h = 0, channels = 0;
        stbi_uc* pixels =
            stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                  static_cast<int>(bytes.size()), &w, &h, &channels, 0);
        if (!pixels) {
            report.problems.push_back(
                {name, "cannot be decoded (" + std::string(stbi_failure_reason()) + ")"});
            return;
        }
        stbi_image_free(pixels);
        const std::string cut = endsWith(file, ".tga") ? truncatedTga(bytes) : "";
        if (!cut.empty()) {
            report.problems.push_back({name, "cannot be decoded (" + cut + ")"});
            return;
        }
        const auto size = sizes.count(name) ? sizes[name] : std::pair<int, int>{64, 64};
        if (w != size.first || h != size.second)
            report.problems.push_back({name, "is " + std::to_string(w) + " x " + std::to_string(h) +
                                                 ", the catalogue says " +
                                                 std::to_string(size.first) + " x " +
                                                 std::to_string(size.second)});
        if (channels != 4)
            report.problems.push_back(
                {name, "has " + std::to_string(channels) + " channels, not RGBA"});
    }

    // Material names a .mtl defines, each with a Kd colour.
    std::set<std::string> materials(const std::string& name, const fs::path& file) {
        bool ok = false;
        std::istringstream lines(readFile(file, &ok));
        std::set<std::string> out;
        if (!ok) {
            report.problems.push_back(
                {name, "missing its material library " + file.filename().string()});
            return out;
        }
        std::string line, current;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string word;
            words >> word;
            if (word == "newmtl")
                words >> current;
            else if (word == "Kd" && !current.empty())
                out.insert(current);
        }
        return out;
    }

    void checkModel(const std::string& name, const std::vector<float>& box) {
        ++report.models;
        bool ok = false;
        std::istringstream lines(readFile(root / "Models" / (name + ".obj"), &ok));
        if (!ok) {
            report.problems.push_back({name, "missing: no file Models/" + name + ".obj"});
            return;
        }
        std::vector<std::array<float, 3>> vertices;
        int normals = 0, faces = 0;
        std::set<std::string> defined;
        std::set<int> used;
        std::string line, problem;
        int lineNo = 0;
        while (std::getline(lines, line) && problem.empty()) {
            ++lineNo;
            std::istringstream words(line);
            std::string word;
            words >> word;
            const std::string at = "line " + std::to_string(lineNo) + ": ";
            if (word == "v") {
                std::array<float, 3> v{};
                if (!(words >> v[0] >> v[1] >> v[2]))
                    problem = at + "a vertex needs three numbers";
                vertices.push_back(v);
            } else if (word == "vn") {
                ++normals;
            } else if (word == "mtllib") {
                std::string lib;
                words >> lib;
                defined = materials(name, root / "Models" / lib);
            } else if (word == "usemtl") {
                std::string material;
                words >> material;
                if (!defined.count(material))
                    problem = at + "material '" + material + "' is not in its library";
            } else if (word == "f") {
                ++faces;
                std::vector<std::string> corners;
                for (std::string c; words >> c;)
                    corners.push_back(c);
                if (corners.size() != 3)
                    problem = at + "a face is not a triangle";
                for (const auto& c : corners) {
                    const auto slash = c.rfind('/');
                    const int v = std::atoi(c.c_str()),
                              n = slash == std::string::npos ? 0 : std::atoi(c.c_str() + slash + 1);
                    if (v < 1 || v > static_cast<int>(vertices.size()) || n < 1 || n > normals)
                        problem = at + "a corner '" + c + "' lacks a vertex or a normal";
                    else
                        used.insert(v - 1);
                }
            }
        }
        if (problem.empty() && faces == 0)
            problem = "has no faces";
        if (!problem.empty()) {
            report.problems.push_back({name, problem});
            return;
        }
        std::array<float, 6> bounds{1e30f, 1e30f, 1e30f, -1e30f, -1e30f, -1e30f};
        for (int i : used)
            for (int k = 0; k < 3; ++k) {
                bounds[k] = std::min(bounds[k], vertices[static_cast<size_t>(i)][k]);
                bounds[k + 3] = std::max(bounds[k + 3], vertices[static_cast<size_t>(i)][k]);
            }
        for (int k = 0; k < 6 && box.size() == 6; ++k) {
            const float extent =
                box[static_cast<size_t>(k % 3 + 3)] - box[static_cast<size_t>(k % 3)];
            if (std::fabs(bounds[k] - box[static_cast<size_t>(k)]) > 0.01f * extent) {
                std::ostringstream text;
                for (float b : bounds)
                    text << " " << b;
                report.problems.push_back(
                    {name, "its bounds" + text.str() + " are not its catalogue box"});
                return;
            }
        }
    }

    void checkModels() {
        config::Block models;
        if (!read("/Configs/Engine/models.cfg", models))
            return;
        forEach(models, [&](const config::NameEntry& e) {
            if (!e.isBlock())
                return;
            std::vector<float> box;
            for (const auto& v : config::Block::blockOf(e).getList("box"))
                box.push_back(std::stof(v));
            checkModel(e.getName(), box);
        });
    }

    void checkFonts() {
        config::Block fonts;
        if (!read("/Configs/UI/fonts.cfg", fonts))
            return;
        forEach(fonts, [&](const config::NameEntry& e) {
            if (!e.isBlock())
                return;
            ++report.fonts;
            const config::Block& font = config::Block::blockOf(e);
            std::string face;
            float pixelSize = 0;
            if (!font.getProperty("face", &face) || face.empty() || face[0] != '/') {
                report.problems.push_back(
                    {e.getName(), "names no face (face = \"/Fonts/<file>.ttf\")"});
                return;
            }
            if (!font.getProperty("pixelSize", &pixelSize) || pixelSize <= 0)
                report.problems.push_back({e.getName(), "has no pixel size"});
            bool ok = false;
            const std::string bytes = readFile(root / face.substr(1), &ok);
            const bool trueType =
                bytes.size() > 12 && (bytes.compare(0, 4, std::string("\0\1\0\0", 4)) == 0 ||
                                      bytes.compare(0, 4, "true") == 0);
            if (!ok || !trueType)
                report.problems.push_back(
                    {e.getName(),
                     "its face " + face + (ok ? " is no TrueType face" : " is missing")});
            else
                faceDirs.insert(fs::path(face.substr(1)).parent_path().generic_string());
        });
        for (const auto& dir : faceDirs)
            if (!fs::is_regular_file(root / dir / "LICENSE"))
                report.problems.push_back({"/" + dir, "holds faces without their LICENSE"});
    }

    AssetReport run() {
        collectImages();
        for (const auto& name : images)
            if (!name.empty())
                checkImage(name);
        checkModels();
        checkFonts();
        return report;
    }

private:
    fs::path root;
    AssetReport report;
    std::set<std::string> images;
    std::map<std::string, std::pair<int, int>> sizes;
    std::set<std::string> faceDirs;
};

} // namespace

std::string AssetReport::describe() const {
    std::string out;
    for (const auto& p : problems)
        out += p.name + ": " + p.message + "\n";
    return out;
}

AssetReport checkAssets(const fs::path& dataRoot) {
    return Checker(dataRoot).run();
}

} // namespace kel::test
