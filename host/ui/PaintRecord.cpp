#include "host/ui/PaintRecord.h"

namespace ui {

namespace {

Canvas::Rect moved(const Canvas::Rect& r, float dx, float dy) {
    return Canvas::Rect{r.x + dx, r.y + dy, r.width, r.height};
}

bool sameRect(const Canvas::Rect& a, const Canvas::Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

} // namespace

void PaintRecord::begin(float x, float y) {
    count = 0;
    originX = x;
    originY = y;
}

PaintRecord::Op& PaintRecord::next(Op::Kind kind) {
    if (count == ops.size())
        ops.emplace_back();
    Op& op = ops[count++];
    op.kind = kind;
    return op;
}

Canvas::Rect PaintRecord::relative(const Rect& r) const {
    return moved(r, -originX, -originY);
}

void PaintRecord::fillRect(const Rect& rect, const config::Color& color, float radius) {
    Op& op = next(Op::Fill);
    op.rect = relative(rect);
    op.color = color;
    op.radius = radius;
}

void PaintRecord::strokeRect(const Rect& rect, const config::Color& color, float width,
                             float radius) {
    Op& op = next(Op::Stroke);
    op.rect = relative(rect);
    op.color = color;
    op.width = width;
    op.radius = radius;
}

void PaintRecord::line(float x1, float y1, float x2, float y2, const config::Color& color,
                       float width) {
    Op& op = next(Op::Line);
    op.rect = relative(Rect{x1, y1, x2 - x1, y2 - y1});
    op.color = color;
    op.width = width;
}

void PaintRecord::text(const TextRun& run) {
    Op& op = next(Op::Text);
    // Member by member, so the kept string's storage is reused.
    op.textRun.x = run.x - originX;
    op.textRun.y = run.y - originY;
    op.textRun.width = run.width;
    op.textRun.text.assign(run.text);
    op.textRun.font = run.font;
    op.textRun.color = run.color;
}

void PaintRecord::image(const ImageRun& run) {
    Op& op = next(Op::Image);
    ImageRun& kept = op.imageRun;
    kept.rect = relative(run.rect);
    kept.name.assign(run.name);
    kept.kind.assign(run.kind);
    kept.clipped = run.clipped;
    kept.clip = relative(run.clip);
    kept.opacity = run.opacity;
    kept.angle = run.angle;
    kept.flip = run.flip;
}

void PaintRecord::replay(Canvas& canvas, float x, float y) const {
    for (size_t i = 0; i < count; ++i) {
        const Op& op = ops[i];
        switch (op.kind) {
        case Op::Fill:
            canvas.fillRect(moved(op.rect, x, y), op.color, op.radius);
            break;
        case Op::Stroke:
            canvas.strokeRect(moved(op.rect, x, y), op.color, op.width, op.radius);
            break;
        case Op::Line:
            canvas.line(op.rect.x + x, op.rect.y + y, op.rect.x + op.rect.width + x,
                        op.rect.y + op.rect.height + y, op.color, op.width);
            break;
        case Op::Text: {
            TextRun run = op.textRun;
            run.x += x;
            run.y += y;
            canvas.text(run);
            break;
        }
        case Op::Image: {
            ImageRun run = op.imageRun;
            run.rect = moved(run.rect, x, y);
            run.clip = moved(run.clip, x, y);
            canvas.image(run);
            break;
        }
        }
    }
}

bool PaintRecord::samePicture(const PaintRecord& other) const {
    if (count != other.count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const Op& a = ops[i];
        const Op& b = other.ops[i];
        if (a.kind != b.kind || a.color != b.color || a.width != b.width || a.radius != b.radius)
            return false;
        switch (a.kind) {
        case Op::Fill:
        case Op::Stroke:
        case Op::Line:
            if (!sameRect(a.rect, b.rect))
                return false;
            break;
        case Op::Text:
            if (a.textRun.x != b.textRun.x || a.textRun.y != b.textRun.y ||
                a.textRun.width != b.textRun.width || a.textRun.text != b.textRun.text ||
                a.textRun.font != b.textRun.font || a.textRun.color != b.textRun.color)
                return false;
            break;
        case Op::Image: {
            const ImageRun& p = a.imageRun;
            const ImageRun& q = b.imageRun;
            if (!sameRect(p.rect, q.rect) || p.name != q.name || p.kind != q.kind ||
                p.clipped != q.clipped || (p.clipped && !sameRect(p.clip, q.clip)) ||
                p.opacity != q.opacity || p.angle != q.angle || p.flip != q.flip)
                return false;
            break;
        }
        }
    }
    return true;
}

} // namespace ui
