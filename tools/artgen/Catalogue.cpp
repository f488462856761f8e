#include "Catalogue.h"

#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace artgen {

namespace fs = std::filesystem;

namespace {

// The language the toolkit localises images to unless told otherwise.
const char* const kLanguage = "english";

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool readBlock(const fs::path& root, const std::string& gamePath, config::Block& block,
               std::vector<std::string>* problems) {
    bool ok = false;
    const std::string text = readText(root / gamePath.substr(1), &ok);
    if (!ok) {
        problems->push_back(gamePath + ": cannot read");
        return false;
    }
    config::ParseError error;
    if (!config::parse(text, gamePath, block, &error)) {
        problems->push_back(error.describe());
        return false;
    }
    return true;
}

template <class F> void forEachEntry(const config::Block& block, F&& f) {
    for (const config::NameEntry* e = block.getFirstEntry(); e; e = e->getNextEntry())
        f(*e);
}

// Every picture a layout names: "image", "images" and any "...Image" property, and the
// properties of an "images" block (loading screens name a picture per mission).
void collectLayoutImages(const config::Block& block, bool inImages, std::set<std::string>* out) {
    forEachEntry(block, [&](const config::NameEntry& e) {
        const std::string& name = e.getName();
        if (e.isBlock()) {
            collectLayoutImages(config::Block::blockOf(e), name == "images", out);
            return;
        }
        if (inImages || name == "image" || name == "images" || endsWith(name, "Image"))
            for (const auto& value : config::Block::valuesOf(e))
                out->insert(value);
    });
}

std::string localised(const std::string& image) {
    const auto slash = image.rfind('/');
    if (slash == std::string::npos)
        return image;
    return image.substr(0, slash + 1) + kLanguage + image.substr(slash);
}

} // namespace

std::string readText(const fs::path& file, bool* ok) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    if (ok)
        *ok = static_cast<bool>(stream);
    return text.str();
}

std::string imageFileOf(const std::string& name) {
    if (!name.empty() && name[0] == '/')
        return name.substr(1);
    return "Images/Named/" + name + ".png";
}

Catalogue readCatalogue(const fs::path& root) {
    Catalogue cat;
    std::set<std::string> names;
    std::map<std::string, std::pair<int, int>> sizes;

    config::Block images;
    if (readBlock(root, "/Configs/UI/images.cfg", images, &cat.problems))
        forEachEntry(images, [&](const config::NameEntry& e) {
            if (e.isBlock())
                return;
            const auto values = config::Block::valuesOf(e);
            if (values.size() >= 2)
                sizes[e.getName()] = {std::stoi(values[0]), std::stoi(values[1])};
            names.insert(e.getName());
        });

    // Layouts and the pointer's pictures.
    std::vector<fs::path> layouts;
    std::error_code ec;
    for (fs::directory_iterator it(root / "Configs/UI", ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().extension() == ".cfg")
            layouts.push_back(it->path());
    std::sort(layouts.begin(), layouts.end());
    const std::set<std::string> notLayouts = {"images.cfg", "fonts.cfg", "imagesToLocale.cfg",
                                              "balloons.cfg", "strings.cfg"};
    for (const auto& file : layouts) {
        const std::string leaf = file.filename().string();
        if (notLayouts.count(leaf))
            continue;
        config::Block block;
        if (readBlock(root, "/Configs/UI/" + leaf, block, &cat.problems))
            collectLayoutImages(block, false, &names);
        // Round-menu entries: their description picture is named after the entry.
        std::vector<const config::Block*> stack{&block};
        while (!stack.empty()) {
            const config::Block* b = stack.back();
            stack.pop_back();
            forEachEntry(*b, [&](const config::NameEntry& e) {
                if (!e.isBlock())
                    return;
                const config::Block& child = config::Block::blockOf(e);
                std::string cls, model;
                if (child.getProperty("class", &cls) && cls == "entiremenuitem" &&
                    child.getProperty("model", &model))
                    cat.entryCaptions.emplace(e.getName(), model);
                stack.push_back(&child);
            });
        }
    }

    // Pictures with a language variant: the toolkit asks for the variant.
    config::Block locale;
    if (readBlock(root, "/Configs/UI/imagesToLocale.cfg", locale, &cat.problems))
        forEachEntry(locale, [&](const config::NameEntry& e) {
            for (const auto& value : config::Block::valuesOf(e))
                if (!value.empty() && !e.isBlock())
                    names.insert(localised(value));
        });

    // Balloons: the game registers "balloons/<image>".
    config::Block balloons;
    if (readBlock(root, "/Configs/UI/balloons.cfg", balloons, &cat.problems))
        forEachEntry(balloons, [&](const config::NameEntry& style) {
            if (!style.isBlock())
                return;
            forEachEntry(config::Block::blockOf(style), [&](const config::NameEntry& kind) {
                if (!kind.isBlock())
                    return;
                const config::Block& b = config::Block::blockOf(kind);
                std::string image;
                if (!b.getProperty("image", &image))
                    return;
                BalloonShape shape;
                const auto area = b.getList("drawArea");
                for (size_t i = 0; i < 4 && i < area.size(); ++i)
                    shape.drawArea[i] = std::stof(area[i]);
                const auto tip = b.getList("localHotspot");
                if (tip.size() >= 2) {
                    shape.tipX = std::stof(tip[0]);
                    shape.tipY = std::stof(tip[1]);
                }
                names.insert("balloons/" + image);
                cat.balloons["balloons/" + image] = shape;
            });
        });

    // Pre-drawn dialogue phrases.
    config::Block dialogs;
    if (readBlock(root, "/Configs/dialogs.cfg", dialogs, &cat.problems))
        collectLayoutImages(dialogs, false, &names);

    // The health digits' strip, tinted per team by the effects file.
    if (fs::exists(root / "Configs/Effects/effects.cfg"))
        names.insert("/Images/Bonus/digit");

    // Status pictures, by the names the status titles are listed under.
    config::Block statuses;
    if (readBlock(root, "/Configs/UI/statuses.cfg", statuses, &cat.problems))
        forEachEntry(statuses, [&](const config::NameEntry& e) {
            if (!e.isBlock())
                names.insert(e.getName());
        });

    std::map<std::string, ImageRef> byFile;
    for (const auto& name : names) {
        ImageRef ref;
        ref.name = name;
        ref.file = imageFileOf(name);
        ref.tga = endsWith(ref.file, ".tga");
        const auto size = sizes.find(name);
        if (size != sizes.end()) {
            ref.width = size->second.first;
            ref.height = size->second.second;
        }
        byFile.emplace(ref.file, ref);
    }
    for (auto& [file, ref] : byFile)
        cat.images.push_back(ref);

    config::Block models;
    if (readBlock(root, "/Configs/Engine/models.cfg", models, &cat.problems)) {
        forEachEntry(models, [&](const config::NameEntry& e) {
            if (!e.isBlock())
                return;
            const config::Block& b = config::Block::blockOf(e);
            ModelRef ref;
            ref.name = e.getName();
            const auto box = b.getList("box");
            for (size_t i = 0; i < 6 && i < box.size(); ++i)
                ref.box[i] = std::stof(box[i]);
            b.getProperty("caption", &ref.caption);
            cat.models.push_back(ref);
        });
        // Entries named their model; they want its caption.
        for (auto& entry : cat.entryCaptions) {
            const std::string& model = entry.second;
            const auto found = std::find_if(cat.models.begin(), cat.models.end(),
                                            [&](const ModelRef& m) { return m.name == model; });
            entry.second =
                found != cat.models.end() && !found->caption.empty() ? found->caption : entry.first;
        }
    }
    return cat;
}

} // namespace artgen
