#pragma once

#include "host/HostApi.h"
#include "host/ui/Canvas.h"

#include <cstddef>
#include <vector>

namespace ui {

// What a component painted the last time it was drawn, kept so that its picture can be drawn
// again without asking the component. It is kept relative to where the component stood then, so
// a component that moves takes its picture along. Recording again reuses the storage of the
// previous recording: a component that paints the same kind of picture allocates nothing.
class KEL_HOST_API PaintRecord final : public Canvas {
public:
    // Forgets the last picture; what is painted next is kept relative to that origin.
    void begin(float originX, float originY);
    // Paints the kept picture onto a canvas, with its origin moved to the given point.
    void replay(Canvas& canvas, float originX, float originY) const;
    // How many primitives the picture has.
    size_t size() const { return count; }
    // Whether two records hold the same picture, each relative to its own origin.
    bool samePicture(const PaintRecord& other) const;

    void fillRect(const Rect& rect, const config::Color& color, float radius) override;
    void strokeRect(const Rect& rect, const config::Color& color, float width,
                    float radius) override;
    void line(float x1, float y1, float x2, float y2, const config::Color& color,
              float width) override;
    void text(const TextRun& run) override;
    void image(const ImageRun& run) override;

private:
    struct Op {
        enum Kind : unsigned char { Fill, Stroke, Line, Text, Image };
        Kind kind = Fill;
        Rect rect; // a line keeps its ends as (x, y) and (x + width, y + height)
        config::Color color;
        float width = 0;
        float radius = 0;
        TextRun textRun;
        ImageRun imageRun;
    };
    Op& next(Op::Kind kind);
    Rect relative(const Rect& rect) const;

    std::vector<Op> ops; // the first `count` are the picture; the rest are kept for reuse
    size_t count = 0;
    float originX = 0;
    float originY = 0;
};

} // namespace ui
