#include "host/ui/Font.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/ui/Utf8.h"

#include <algorithm>

namespace ui {

namespace {

debug::Filter& fontFilter() {
    static debug::Filter filter("ui", true);
    return filter;
}

// Metrics are screen units on a screen of a few hundred; anything beyond is a slip of the pen.
constexpr double kMinLineHeight = 1;
constexpr double kMaxMetric = 256;

} // namespace

Font::Font(std::string name, float lineHeight, float advance)
    : name(std::move(name)), lineHeight(lineHeight), advance(advance) {}

float Font::getCharacterWidth(unsigned codepoint) const {
    const auto found = widths.find(codepoint);
    return found == widths.end() ? advance : found->second;
}

float Font::getTextWidth(const std::string& text) const {
    float widest = 0, line = 0;
    forEachCodepoint(text, [&](unsigned code) {
        if (code == '\n') {
            widest = std::max(widest, line);
            line = 0;
        } else {
            line += getCharacterWidth(code);
        }
    });
    return std::max(widest, line);
}

float Font::getHeight(const std::string& text) const {
    return lineHeight * static_cast<float>(1 + std::count(text.begin(), text.end(), '\n'));
}

FontManager::FontManager() : fallback(std::make_unique<Font>("fallback", 16, 8)) {}

FontManager::~FontManager() = default;

Font* FontManager::getFont(const std::string& name) {
    if (!loaded)
        load();
    const auto found = fonts.find(name);
    if (found != fonts.end())
        return found->second.get();
    // A font a layout names is reported at the layout's option (see LayoutOptions::placeOf).
    debug::Error error(debug::ContextScope::current(debug::Context("/Configs/UI/fonts.cfg", 0)),
                       "unknown font '" + name + "': measured with the fallback font");
    debug::report(fontFilter(), error);
    fonts[name] = std::make_unique<Font>(name, fallback->getLineHeight(), 8);
    return fonts[name].get();
}

void FontManager::reload() {
    fonts.clear();
    load();
}

void FontManager::load() {
    loaded = true;
    config::Config file;
    if (!file.readFile("/Configs/UI/fonts.cfg"))
        return;
    config::BlockEntry<config::Block*>* entry = nullptr;
    for (file.getProperties(&entry); entry; entry = entry->getNext()) {
        config::Block* block = entry->getValue();
        float lineHeight = 16, advance = 8;
        const config::CheckedReader metrics(fontFilter(), *block,
                                            "font '" + entry->getName() + "': ");
        metrics.readNumber("lineHeight", config::Range(kMinLineHeight, kMaxMetric), &lineHeight);
        metrics.readNumber("advance", config::Range(0, kMaxMetric), &advance);
        auto font = std::make_unique<Font>(entry->getName(), lineHeight, advance);
        std::string face;
        float pixelSize = 0;
        block->getProperty("face", &face);
        metrics.readNumber("pixelSize", config::Range(1, kMaxMetric), &pixelSize);
        font->setFace(face, pixelSize);
        // "widths" holds groups: a property per width, naming the characters that have it:
        //     narrow = 4 "il.,:;'!|"
        config::Block* widths = nullptr;
        if (block->getPropertyAccess("widths", &widths)) {
            config::BlockEntry<config::Block::List*>* group = nullptr;
            for (widths->getProperties(&group); group; group = group->getNext()) {
                const auto& values = *group->getValue();
                double width = -1;
                std::string problem =
                    values.size() == 2
                        ? config::checkNumber(values[0], config::Range(0, kMaxMetric), &width)
                        : "a width group is 'name = width \"characters\"'";
                if (!problem.empty()) {
                    debug::Error error(debug::Context(widths->getSourceFile(), group->getLine(),
                                                      group->getColumn()),
                                       "font '" + entry->getName() + "': width group '" +
                                           group->getName() + "': " + problem + "; skipped");
                    debug::report(fontFilter(), error);
                    continue;
                }
                forEachCodepoint(values[1], [&](unsigned code) {
                    font->setCharacterWidth(code, static_cast<float>(width));
                });
            }
        }
        fonts[entry->getName()] = std::move(font);
    }
}

} // namespace ui
