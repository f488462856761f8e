#pragma once

#include "host/HostApi.h"
#include "host/ui/Container.h"

#include <string>

namespace ui {

class Text;

// A column of text lines keyed by name, one line height (times `spacing`) apart, in the order
// they were added. Each line is a Text child named by its key, as wide as the column, so
// deleteAllComponents() empties the column.
//
// Layout options: font, align (left, right, centre), spacing, and a block "lines" of
// key = text ("@key" for interface strings).
class KEL_HOST_API MultiTextComponent : public Container {
public:
    explicit MultiTextComponent(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                                float height = 0, float spacing = 1.0f);

    std::string_view getClassName() const override { return "multitextcomponent"; }

    // Adds a line at the bottom, or changes the text of an existing key.
    void addText(const std::string& key, const std::string& text);
    // Changes the text of a line; false when there is no such key.
    bool setText(const std::string& key, const std::string& text);
    // The text of a line, or "".
    std::string getText(const std::string& key) const;
    Text* getLine(const std::string& key) const;
    int getLineCount() const;

    // For every line, present and future.
    void setAlign(int newAlign);
    int getAlign() const { return align; }
    void setFont(const std::string& fontName);
    void setSpacing(float newSpacing);
    float getSpacing() const { return spacing; }

    void updateSize() override;
    void readConfig(config::Block* block) override;

private:
    void arrange();

    float spacing;
    int align = 0;
    std::string fontName = "default";
};

} // namespace ui
