#include "FontTables.h"
#include "Catalogue.h"
#include "Raster.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <sstream>

namespace artgen {

namespace fs = std::filesystem;

namespace {

// The game's choice of face and size for its fonts; sizes keep the lines as high as the
// layouts were drawn for.
struct Choice {
    const char* name;
    const char* face;
    int pixelSize;
};
const Choice kChoices[] = {
    {"efirst_blue", "/Fonts/DejaVuSerif-Bold.ttf", 20},
    {"first_blue", "/Fonts/DejaVuSans.ttf", 15},
    {"balloons", "/Fonts/DejaVuSans.ttf", 12},
    {"default", "/Fonts/DejaVuSans.ttf", 13},
    {"small", "/Fonts/DejaVuSans.ttf", 10},
};

const char* const kHeader =
    "# Font metrics of the game's fonts, in screen units: the face each font is drawn with and "
    "its\n"
    "# size in pixels (face, pixelSize), the line height, the default advance of a character, and\n"
    "# groups of characters whose advance differs from the default (group = width "
    "\"characters\").\n"
    "# Text widths, wrapping and layouts are computed from these. The numbers are measured from "
    "the\n"
    "# faces by tools/artgen (see docs/art.md): change a face or a size, then regenerate.\n";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The comment lines above each top-level block of a file, by block name (the file's first
// paragraph, its header, is left out: the table gets its own).
std::map<std::string, std::string> blockComments(const std::string& text) {
    std::map<std::string, std::string> out;
    std::istringstream lines(text);
    std::string line, pending;
    int depth = 0;
    bool headerDone = false;
    while (std::getline(lines, line)) {
        const auto first = line.find_first_not_of(" \t");
        if (depth == 0 && first != std::string::npos && line[first] == '#') {
            pending += line + "\n";
            continue;
        }
        if (depth == 0 && first == std::string::npos) {
            if (!headerDone && !pending.empty()) {
                pending.clear(); // the header
                headerDone = true;
            }
            continue;
        }
        if (depth == 0 && line.find('{') != std::string::npos) {
            const std::string name = line.substr(first, line.find_first_of(" \t{", first) - first);
            out[name] = pending;
            pending.clear();
            headerDone = true;
        }
        depth += static_cast<int>(std::count(line.begin(), line.end(), '{'));
        depth -= static_cast<int>(std::count(line.begin(), line.end(), '}'));
    }
    return out;
}

} // namespace

fs::path faceFile(const fs::path& faces, const FontEntry& font) {
    return faces / fs::path(font.face).filename();
}

std::vector<FontEntry> readFontEntries(const fs::path& root) {
    std::vector<FontEntry> out;
    const std::string text = readText(root / "Configs/UI/fonts.cfg");
    config::Block block;
    config::ParseError error;
    if (!config::parse(text, "/Configs/UI/fonts.cfg", block, &error))
        throw std::runtime_error(error.describe());
    const auto comments = blockComments(text);
    for (const config::NameEntry* e = block.getFirstEntry(); e; e = e->getNextEntry()) {
        if (!e->isBlock())
            continue;
        const config::Block& b = config::Block::blockOf(*e);
        FontEntry font;
        font.name = e->getName();
        font.face = "/Fonts/DejaVuSans.ttf";
        for (const auto& choice : kChoices)
            if (font.name == choice.name) {
                font.face = choice.face;
                font.pixelSize = choice.pixelSize;
            }
        b.getProperty("face", &font.face);
        b.getProperty("pixelSize", &font.pixelSize);
        const auto comment = comments.find(font.name);
        if (comment != comments.end())
            font.comment = comment->second;
        out.push_back(font);
    }
    return out;
}

std::set<unsigned> gameCharacters(const fs::path& root) {
    std::set<unsigned> chars;
    for (unsigned c = 32; c < 127; ++c)
        chars.insert(c);
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file() &&
            (it->path().extension() == ".cfg" || it->path().extension() == ".lvx"))
            files.push_back(it->path());
    for (const auto& file : files)
        for (unsigned code : codepoints(readText(file)))
            if (code >= 0xA0 && code < 0x10000)
                chars.insert(code);
    return chars;
}

std::string writeFontTable(const fs::path& faces, const std::vector<FontEntry>& fonts,
                           const std::set<unsigned>& chars) {
    std::ostringstream out;
    out << kHeader;
    for (const auto& font : fonts) {
        TextFace face(faceFile(faces, font).string());
        FT_Face f = static_cast<FT_Face>(face.handle());
        FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(font.pixelSize));
        const long lineHeight = std::lround(static_cast<double>(f->size->metrics.height) / 64.0);
        std::map<long, std::vector<unsigned>> byWidth;
        for (unsigned code : chars) {
            if (FT_Load_Char(f, code, FT_LOAD_DEFAULT) != 0)
                continue;
            byWidth[std::lround(static_cast<double>(f->glyph->advance.x) / 64.0)].push_back(code);
        }
        long advance = 0;
        size_t most = 0;
        for (const auto& [width, codes] : byWidth)
            if (codes.size() > most) {
                most = codes.size();
                advance = width;
            }
        out << "\n" << font.comment << font.name << " {\n";
        out << "    face = " << quoted(font.face) << "\n";
        out << "    pixelSize = " << font.pixelSize << "\n";
        out << "    lineHeight = " << lineHeight << "\n";
        out << "    advance = " << advance << "\n";
        out << "    widths {\n";
        for (const auto& [width, codes] : byWidth) {
            if (width == advance)
                continue;
            std::string group;
            for (unsigned code : codes)
                appendUtf8(group, code);
            out << "        w" << width << " = " << width << " " << quoted(group) << "\n";
        }
        out << "    }\n}\n";
    }
    return out.str();
}

} // namespace artgen
