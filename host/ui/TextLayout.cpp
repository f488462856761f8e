#include "host/ui/TextLayout.h"
#include "host/ui/Canvas.h"
#include "host/ui/Font.h"

#include <algorithm>

namespace ui {

namespace {

// Bytes of the UTF-8 sequence that starts with `byte` (1 for a stray continuation byte).
size_t sequenceLength(unsigned char byte) {
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

std::vector<std::string> words(const std::string& paragraph) {
    std::vector<std::string> result;
    std::string current;
    for (char c : paragraph) {
        if (c == ' ' || c == '\t') {
            if (!current.empty())
                result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        result.push_back(current);
    return result;
}

} // namespace

std::vector<std::string> TextLayout::lines(const std::string& text) {
    std::vector<std::string> result;
    if (text.empty())
        return result;
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return result;
}

std::vector<std::string> TextLayout::wrap(const Font& font, const std::string& text, float width) {
    std::vector<std::string> result;
    for (const std::string& paragraph : lines(text)) {
        std::string line;
        for (const std::string& word : words(paragraph)) {
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (line.empty() || font.getTextWidth(candidate) <= width) {
                line = candidate;
            } else {
                result.push_back(line);
                line = word;
            }
        }
        result.push_back(line); // an empty paragraph keeps its blank line
    }
    return result;
}

float TextLayout::widestWord(const Font& font, const std::string& text) {
    float widest = 0;
    for (const std::string& paragraph : lines(text))
        for (const std::string& word : words(paragraph))
            widest = std::max(widest, font.getTextWidth(word));
    return widest;
}

size_t TextLayout::length(const std::string& text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += sequenceLength(text[i]))
        ++count;
    return count;
}

std::string TextLayout::prefix(const std::string& text, size_t count) {
    size_t i = 0;
    for (; i < text.size() && count > 0; --count)
        i += sequenceLength(text[i]);
    return text.substr(0, std::min(i, text.size()));
}

std::string TextLayout::dropLast(const std::string& text) {
    const size_t n = length(text);
    return n == 0 ? text : prefix(text, n - 1);
}

float TextLayout::lineStart(float left, float width, float lineWidth, int align) {
    if (align == Right)
        return left + width - lineWidth;
    if (align == Centre)
        return left + (width - lineWidth) / 2;
    return left;
}

void TextLayout::paint(Canvas& canvas, const Font& font, const std::vector<std::string>& lines,
                       float left, float top, float width, int align, const config::Color& color,
                       float spacing) {
    float y = top;
    for (const std::string& line : lines) {
        Canvas::TextRun run;
        run.width = font.getTextWidth(line);
        run.x = lineStart(left, width, run.width, align);
        run.y = y;
        run.text = line;
        run.font = &font;
        run.color = color;
        if (!line.empty())
            canvas.text(run);
        y += font.getLineHeight() * spacing;
    }
}

} // namespace ui
