#include "assets/AssetCheck.h"
#include "support/TempDir.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kel::test {
namespace {

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

// A picture of w x h with `channels` channels, as PNG or (run-length) TGA.
std::string picture(int w, int h, bool png, int channels = 4) {
    std::vector<unsigned char> pixels(static_cast<size_t>(w * h * channels), 200);
    std::string out;
    if (png)
        stbi_write_png_to_func(appendBytes, &out, w, h, channels, pixels.data(), w * channels);
    else
        stbi_write_tga_to_func(appendBytes, &out, w, h, channels, pixels.data());
    return out;
}

const char* const kCube = "mtllib cube.mtl\n"
                          "v -1 -1 0\nv 1 -1 0\nv 1 1 2\nv -1 1 2\n"
                          "vn 0 -0.7071 0.7071\n"
                          "usemtl paint\nf 1//1 2//1 3//1\nf 1//1 3//1 4//1\n";

// A small data root whose art is complete: pictures named by the catalogue, a layout, a balloon
// style and a button; one model; one font.
void writeCompleteRoot(const TempDir& root) {
    root.write("Configs/UI/images.cfg", "/Images/UI/a.tga = 8 4\nNamed = 6 6\n");
    root.write("Configs/UI/screen.cfg",
               "s {\n class = container\n b { class = texturecomponent; image = Named }\n"
               " c { class = texturebutton; image = /Images/UI/a.tga; flybyImage = "
               "/Images/UI/b.tga }\n}\n");
    root.write("Configs/UI/balloons.cfg", "speech { normal { image = s.tga } }\n");
    root.write("Images/UI/a.tga", picture(8, 4, false));
    root.write("Images/UI/b.tga", picture(64, 64, false));
    root.write("Images/Named/Named.png", picture(6, 6, true));
    root.write("Images/Named/balloons/s.tga.png", picture(64, 64, true));
    root.write("Configs/Engine/models.cfg", "cube { box = -1 -1 0 1 1 2 }\n");
    root.write("Models/cube.obj", kCube);
    root.write("Models/cube.mtl", "newmtl paint\nKd 0.5 0.5 0.5\n");
    root.write("Configs/UI/fonts.cfg",
               "body { face = \"/Fonts/Face.ttf\"; pixelSize = 12; lineHeight = 14 }\n");
    root.write("Fonts/Face.ttf", std::string("\0\1\0\0", 4) + std::string(60, '\0'));
    root.write("Fonts/LICENSE", "free\n");
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(AssetCheckTest, TheShippedDataHasEveryPictureModelAndFaceItNames) {
    const std::filesystem::path data = KEL_DATA_DIR;
    const AssetReport report = checkAssets(data);
    EXPECT_TRUE(report.problems.empty()) << report.describe();

    // The check looked at every entry of the catalogues, not only at what it happened to find.
    config::Block images, models, fonts;
    auto read = [&](const char* path, config::Block& block) {
        std::ifstream in(data / path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        config::ParseError error;
        ASSERT_TRUE(config::parse(text.str(), path, block, &error)) << error.describe();
    };
    read("Configs/UI/images.cfg", images);
    read("Configs/Engine/models.cfg", models);
    read("Configs/UI/fonts.cfg", fonts);
    EXPECT_GE(report.images, images.getListCount());
    EXPECT_EQ(report.models, models.getBlockCount());
    EXPECT_EQ(report.fonts, fonts.getBlockCount());
}

TEST(AssetCheckTest, AFaultyAssetIsReportedByTheNameTheDataGivesIt) {
    const std::string none = "\x01removed";
    const struct {
        const char* fault;
        const char* file; // under the root
        std::string text; // its new text, or `none` to remove it
        const char* name; // as the catalogue or layout names it
        const char* says;
    } rows[] = {
        {"a corrupt picture", "Images/UI/a.tga", picture(8, 4, false).substr(0, 30),
         "/Images/UI/a.tga", "cannot be decoded"},
        {"a picture that is no picture", "Images/Named/Named.png", "\x89PNG garbage", "Named",
         "cannot be decoded"},
        {"a picture of another size", "Images/UI/a.tga", picture(8, 8, false), "/Images/UI/a.tga",
         "8 x 8, the catalogue says 8 x 4"},
        {"an unlisted picture not 64 x 64", "Images/UI/b.tga", picture(32, 64, false),
         "/Images/UI/b.tga", "32 x 64, the catalogue says 64 x 64"},
        {"a picture without alpha", "Images/UI/b.tga", picture(64, 64, false, 3),
         "/Images/UI/b.tga", "3 channels"},
        {"a named picture missing", "Images/Named/Named.png", none, "Named", "missing"},
        {"a balloon picture missing", "Images/Named/balloons/s.tga.png", none, "balloons/s.tga",
         "missing"},
        {"a model taller than its box", "Models/cube.obj", replaced(kCube, "v 1 1 2", "v 1 1 2.1"),
         "cube", "catalogue box"},
        {"a model narrower than its box", "Models/cube.obj",
         replaced(replaced(kCube, "v -1 -1 0", "v -0.9 -1 0"), "v -1 1 2", "v -0.9 1 2"), "cube",
         "catalogue box"},
        {"a quad face", "Models/cube.obj", replaced(kCube, "3//1\nf", "3//1 4//1\nf"), "cube",
         "not a triangle"},
        {"a face without normals", "Models/cube.obj", replaced(kCube, "1//1 2//1 3//1", "1 2 3"),
         "cube", "lacks a vertex or a normal"},
        {"a material its library lacks", "Models/cube.mtl", "newmtl other\nKd 1 1 1\n", "cube",
         "material 'paint'"},
        {"a model missing", "Models/cube.obj", none, "cube", "missing"},
        {"a font without a face", "Configs/UI/fonts.cfg", "body { pixelSize = 12 }\n", "body",
         "names no face"},
        {"a face file missing", "Fonts/Face.ttf", none, "body", "is missing"},
        {"a face that is no TrueType face", "Fonts/Face.ttf", "<html>not found</html>", "body",
         "no TrueType face"},
        {"faces without their licence", "Fonts/LICENSE", none, "/Fonts", "LICENSE"},
    };
    {
        TempDir root;
        writeCompleteRoot(root);
        const AssetReport clean = checkAssets(root.get());
        ASSERT_TRUE(clean.problems.empty()) << clean.describe();
        EXPECT_EQ(clean.images, 4);
    }
    for (const auto& row : rows) {
        TempDir root;
        writeCompleteRoot(root);
        if (row.text == none)
            std::filesystem::remove(root / row.file);
        else
            root.write(row.file, row.text);
        const AssetReport report = checkAssets(root.get());
        ASSERT_EQ(report.problems.size(), 1u) << row.fault << ":\n" << report.describe();
        EXPECT_EQ(report.problems[0].name, row.name) << row.fault;
        EXPECT_NE(report.problems[0].message.find(row.says), std::string::npos)
            << row.fault << ": " << report.problems[0].message;
    }
}

} // namespace
} // namespace kel::test
