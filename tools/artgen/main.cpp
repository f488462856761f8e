// kel-artgen: makes the game's art from its catalogues and layouts. Every picture an image
// catalogue or layout names, every model of the model catalogue, the font faces with their
// licence and the font metric table; written under the data root, or compared with what is there.
// The output depends only on the data and the face files, byte for byte.

#include "Catalogue.h"
#include "FontTables.h"
#include "ImageArt.h"
#include "ModelArt.h"
#include "Raster.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

namespace fs = std::filesystem;
using namespace artgen;

namespace {

const char* const kUsage =
    "usage: kel-artgen [--data DIR] [--faces DIR] [--license FILE] [--check] [--debug DIR]\n"
    "  --data DIR      the game data root (default: the source tree's data/)\n"
    "  --faces DIR     where the DejaVu faces are (default /usr/share/fonts/truetype/dejavu)\n"
    "  --license FILE  the faces' licence (default /usr/share/doc/fonts-dejavu-core/copyright)\n"
    "  --check         write nothing; report every file that would change, exit 1 if any\n"
    "  --debug DIR     also write contact sheets of the pictures and the models to DIR\n";

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

std::string encodePng(const std::vector<uint8_t>& rgba, int w, int h) {
    std::string out;
    stbi_write_png_to_func(appendBytes, &out, w, h, 4, rgba.data(), w * 4);
    return out;
}

std::string encodeTga(const std::vector<uint8_t>& rgba, int w, int h) {
    std::string out;
    stbi_write_tga_to_func(appendBytes, &out, w, h, 4, rgba.data()); // run-length encoded
    return out;
}

// A contact sheet: every picture at most 160 x 120 (small ones blown up `zoom` times), on a
// checker so transparency shows, with its file name under it.
void writeImageSheet(const fs::path& file,
                     const std::vector<std::pair<ImageRef, std::vector<uint8_t>>>& images,
                     const TextFace& label, float zoom = 1) {
    const int cellW = 176, cellH = 146, columns = 10;
    const int rows = (static_cast<int>(images.size()) + columns - 1) / columns;
    const int W = cellW * columns, H = cellH * rows;
    std::vector<uint8_t> sheet(static_cast<size_t>(W) * static_cast<size_t>(H) * 4, 255);
    for (size_t k = 0; k < images.size(); ++k) {
        const auto& [ref, px] = images[k];
        const int ox = static_cast<int>(k % columns) * cellW + 8;
        const int oy = static_cast<int>(k / columns) * cellH + 4;
        const float scale = std::min({zoom, 160.0f / static_cast<float>(ref.width),
                                      120.0f / static_cast<float>(ref.height)});
        const int dw = std::max(1, static_cast<int>(static_cast<float>(ref.width) * scale));
        const int dh = std::max(1, static_cast<int>(static_cast<float>(ref.height) * scale));
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                const int sx =
                    std::min(ref.width - 1, static_cast<int>(static_cast<float>(x) / scale));
                const int sy =
                    std::min(ref.height - 1, static_cast<int>(static_cast<float>(y) / scale));
                const uint8_t* s = &px[(static_cast<size_t>(sy) * static_cast<size_t>(ref.width) +
                                        static_cast<size_t>(sx)) *
                                       4];
                const float checker = ((x / 6 + y / 6) % 2) ? 200.0f : 150.0f;
                uint8_t* d = &sheet[(static_cast<size_t>(oy + y) * static_cast<size_t>(W) +
                                     static_cast<size_t>(ox + x)) *
                                    4];
                const float a = s[3] / 255.0f;
                for (int c = 0; c < 3; ++c)
                    d[c] = static_cast<uint8_t>(s[c] * a + checker * (1 - a));
            }
        Raster name(cellW - 8, 14, Rgba{255, 255, 255, 255});
        std::string leaf = ref.file.substr(ref.file.rfind('/') + 1);
        name.text(label, 9, 0, 11, leaf, rgb(0, 0, 0));
        const auto np = name.resolve();
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < cellW - 8; ++x)
                for (int c = 0; c < 4; ++c)
                    sheet[(static_cast<size_t>(oy + 124 + y) * static_cast<size_t>(W) +
                           static_cast<size_t>(ox + x)) *
                              4 +
                          static_cast<size_t>(c)] =
                        np[(static_cast<size_t>(y) * static_cast<size_t>(cellW - 8) +
                            static_cast<size_t>(x)) *
                               4 +
                           static_cast<size_t>(c)];
    }
    stbi_write_png(file.string().c_str(), W, H, 4, sheet.data(), W * 4);
}

// Orthographic pictures of every model: from the front (looking along +x) and from the side
// (looking along +y), each face shaded by its Kd colour and a light from the upper front.
void writeModelSheet(const fs::path& file, const std::vector<std::pair<ModelRef, Mesh>>& models,
                     const TextFace& label) {
    const int cell = 150, columns = 8;
    const int rows = (static_cast<int>(models.size()) + columns / 2 - 1) / (columns / 2);
    Raster sheet(cell * columns, (cell + 14) * rows, rgb(235, 235, 240));
    for (size_t k = 0; k < models.size(); ++k) {
        const auto& [ref, mesh] = models[k];
        for (int view = 0; view < 2; ++view) {
            const int col = static_cast<int>(k % (columns / 2)) * 2 + view;
            const float ox = static_cast<float>(col * cell),
                        oy = static_cast<float>(static_cast<int>(k / (columns / 2)) * (cell + 14));
            const int across = view == 0 ? 1 : 0; // front: y across; side: x across
            const int depth = view == 0 ? 0 : 1;
            const auto b = mesh.bounds();
            const float extent = std::max(b[across + 3] - b[across], b[5] - b[2]);
            const float scale = (static_cast<float>(cell) - 20) / std::max(extent, 1e-3f);
            std::vector<std::pair<float, size_t>> order;
            for (size_t t = 0; t < mesh.triangles.size(); ++t) {
                const auto& tr = mesh.triangles[t];
                const float d = mesh.vertices[tr.a][depth] + mesh.vertices[tr.b][depth] +
                                mesh.vertices[tr.c][depth];
                order.push_back({view == 0 ? -d : d, t}); // far faces first
            }
            std::sort(order.begin(), order.end());
            for (const auto& [d, t] : order) {
                (void)d;
                const auto& tr = mesh.triangles[t];
                std::vector<Point> pts;
                for (int i : {tr.a, tr.b, tr.c}) {
                    const auto& v = mesh.vertices[i];
                    float a = (v[across] - (b[across] + b[across + 3]) / 2) * scale;
                    if (view == 1)
                        a = -a;
                    pts.push_back({ox + static_cast<float>(cell) / 2 + a,
                                   oy + static_cast<float>(cell) - 10 - (v[2] - b[2]) * scale});
                }
                const auto& p = mesh.vertices;
                const float ux = p[tr.b][0] - p[tr.a][0], uy = p[tr.b][1] - p[tr.a][1],
                            uz = p[tr.b][2] - p[tr.a][2];
                const float vx = p[tr.c][0] - p[tr.a][0], vy = p[tr.c][1] - p[tr.a][1],
                            vz = p[tr.c][2] - p[tr.a][2];
                float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
                const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
                if (len < 1e-9f)
                    continue;
                nx /= len, ny /= len, nz /= len;
                const float light = std::max(0.25f, -0.5f * nx - 0.3f * ny + 0.8f * nz);
                const auto& kd = mesh.materials[static_cast<size_t>(tr.material)].kd;
                sheet.fillPolygon(pts,
                                  rgb(static_cast<int>(std::min(255.0f, kd[0] * light * 255)),
                                      static_cast<int>(std::min(255.0f, kd[1] * light * 255)),
                                      static_cast<int>(std::min(255.0f, kd[2] * light * 255))));
            }
            if (view == 0)
                sheet.text(label, 10, ox + 4, oy + static_cast<float>(cell) + 10, ref.name,
                           rgb(0, 0, 0));
        }
    }
    const auto px = sheet.resolve();
    stbi_write_png(file.string().c_str(), sheet.width(), sheet.height(), 4, px.data(),
                   sheet.width() * 4);
}

} // namespace

int main(int argc, char** argv) {
    fs::path data = KEL_DATA_DIR;
    fs::path faces = "/usr/share/fonts/truetype/dejavu";
    fs::path license = "/usr/share/doc/fonts-dejavu-core/copyright";
    fs::path debug;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--data" && hasValue)
            data = argv[++i];
        else if (arg == "--faces" && hasValue)
            faces = argv[++i];
        else if (arg == "--license" && hasValue)
            license = argv[++i];
        else if (arg == "--debug" && hasValue)
            debug = argv[++i];
        else if (arg == "--check")
            check = true;
        else {
            std::cerr << kUsage;
            return 2;
        }
    }

    try {
        std::map<std::string, std::string> outputs; // file under the data root -> bytes

        // Fonts: the faces, their licence and the metric table.
        const auto fonts = readFontEntries(data);
        std::set<std::string> faceFiles = {"DejaVuSans-Bold.ttf"}; // the digits' face
        for (const auto& font : fonts)
            faceFiles.insert(faceFile(faces, font).filename().string());
        for (const auto& face : faceFiles) {
            bool ok = false;
            outputs["Fonts/" + face] = readText(faces / face, &ok);
            if (!ok)
                throw std::runtime_error("cannot read the face " + (faces / face).string());
        }
        bool licenseOk = false;
        outputs["Fonts/LICENSE"] = readText(license, &licenseOk);
        if (!licenseOk)
            throw std::runtime_error("cannot read the faces' licence " + license.string());
        outputs["Configs/UI/fonts.cfg"] = writeFontTable(faces, fonts, gameCharacters(data));

        const auto faceOf = [&](const char* fontName, const char* fallback) {
            for (const auto& font : fonts)
                if (font.name == fontName)
                    return faceFile(faces, font);
            return faces / fallback;
        };
        const TextFace title(faceOf("efirst_blue", "DejaVuSerif-Bold.ttf").string());
        const TextFace body(faceOf("balloons", "DejaVuSans.ttf").string());
        const TextFace bold((faces / "DejaVuSans-Bold.ttf").string());
        const ArtFaces artFaces{&title, &body, &bold};

        const Catalogue catalogue = readCatalogue(data);
        for (const auto& problem : catalogue.problems)
            std::cerr << "kel-artgen: " << problem << "\n";
        if (!catalogue.problems.empty())
            return 1;

        std::vector<std::pair<ImageRef, std::vector<uint8_t>>> painted;
        for (const auto& image : catalogue.images) {
            auto pixels = paintImage(image, catalogue, artFaces);
            outputs[image.file] = image.tga ? encodeTga(pixels, image.width, image.height)
                                            : encodePng(pixels, image.width, image.height);
            if (!debug.empty())
                painted.emplace_back(image, std::move(pixels));
        }
        std::vector<std::pair<ModelRef, Mesh>> meshes;
        for (const auto& model : catalogue.models) {
            Mesh mesh = buildModel(model);
            outputs["Models/" + model.name + ".obj"] = writeObj(mesh, model.name);
            outputs["Models/" + model.name + ".mtl"] = writeMtl(mesh, model.name);
            if (!debug.empty())
                meshes.emplace_back(model, std::move(mesh));
        }

        int differing = 0, written = 0;
        for (const auto& [file, bytes] : outputs) {
            bool ok = false;
            const std::string present = readText(data / file, &ok);
            if (ok && present == bytes)
                continue;
            if (check) {
                std::cout << (ok ? "differs: " : "missing: ") << file << "\n";
                ++differing;
                continue;
            }
            fs::create_directories((data / file).parent_path());
            std::ofstream out(data / file, std::ios::binary);
            out << bytes;
            if (!out)
                throw std::runtime_error("cannot write " + (data / file).string());
            ++written;
        }
        // Files under the generated folders that nothing asks for any more.
        for (const char* dir : {"Images", "Models", "Fonts"}) {
            std::error_code ec;
            for (fs::recursive_directory_iterator it(data / dir, ec), end; !ec && it != end;
                 it.increment(ec))
                if (it->is_regular_file() &&
                    !outputs.count(fs::relative(it->path(), data).generic_string()))
                    std::cout << "not generated: "
                              << fs::relative(it->path(), data).generic_string() << "\n";
        }

        if (!debug.empty()) {
            fs::create_directories(debug);
            writeImageSheet(debug / "contact-images.png", painted, body);
            std::vector<std::pair<ImageRef, std::vector<uint8_t>>> small;
            for (const auto& image : painted)
                if (image.first.width <= 64 && image.first.height <= 64)
                    small.push_back(image);
            writeImageSheet(debug / "contact-icons.png", small, body, 4);
            writeModelSheet(debug / "contact-models.png", meshes, body);
        }
        std::cout << "kel-artgen: " << outputs.size() << " files, "
                  << (check ? std::to_string(differing) + " differ"
                            : std::to_string(written) + " written")
                  << "\n";
        return check && differing > 0 ? 1 : 0;
    } catch (const std::exception& e) {
        std::cerr << "kel-artgen: " << e.what() << "\n";
        return 1;
    }
}
