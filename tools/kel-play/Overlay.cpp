#include "Overlay.h"
#include "Report.h"

#include "host/ui/Container.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>
#include <sstream>
#include <tuple>

namespace kelplay {

namespace {

constexpr float kFontSize = 11;
constexpr float kLineHeight = 14;
constexpr float kCharWidth = 6.6f; // an average letter of a sans-serif face at kFontSize
constexpr float kPadding = 3;

float overlap(const OverlayLabel& a, const OverlayLabel& b) {
    const float w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const float h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

void collect(const ::ui::Component* component, std::vector<OverlayBox>* boxes,
             std::map<std::tuple<long, long, long, long>, size_t>* byRect) {
    if (!component->isShowed())
        return;
    if (component->getWidth() > 0 && component->getHeight() > 0) {
        const float x = component->getAbsoluteX(), y = component->getAbsoluteY();
        const auto key =
            std::make_tuple(std::lround(x), std::lround(y), std::lround(component->getWidth()),
                            std::lround(component->getHeight()));
        const std::string line = (component->getName().empty() ? "?" : component->getName()) +
                                 " : " + std::string(component->getClassName());
        const auto found = byRect->find(key);
        if (found != byRect->end()) {
            (*boxes)[found->second].lines.push_back(line);
        } else {
            byRect->emplace(key, boxes->size());
            boxes->push_back({x, y, component->getWidth(), component->getHeight(), {line}});
        }
    }
    if (const auto* container = dynamic_cast<const ::ui::Container*>(component))
        for (const ::ui::Component* child : container->getChildren())
            collect(child, boxes, byRect);
}

} // namespace

std::vector<OverlayLabel> placeLabels(const std::vector<OverlayBox>& boxes, float screenWidth,
                                      float screenHeight) {
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return boxes[a].width * boxes[a].height < boxes[b].width * boxes[b].height;
    });
    std::vector<OverlayLabel> labels(boxes.size());
    std::vector<OverlayLabel> placed;
    for (size_t index : order) {
        const OverlayBox& box = boxes[index];
        size_t longest = 0;
        for (const std::string& line : box.lines)
            longest = std::max(longest, line.size());
        const float w = std::min(longest * kCharWidth + 2 * kPadding, screenWidth);
        const float h = std::min(box.lines.size() * kLineHeight + kPadding, screenHeight);
        const float left = box.x + 1, right = box.x + box.width - w - 1;
        const float top = box.y + 1, bottom = box.y + box.height - h - 1;
        std::vector<OverlayLabel> candidates = {
            {left, top, w, h},
            {right, top, w, h},
            {left, bottom, w, h},
            {right, bottom, w, h},
            {box.x, box.y - h - 1, w, h},
            {box.x, box.y + box.height + 1, w, h},
        };
        for (float y = top + h; y + h <= box.y + box.height; y += h)
            candidates.push_back({left, y, w, h});
        for (float x = left + w; x + w <= box.x + box.width; x += w)
            candidates.push_back({x, top, w, h});
        OverlayLabel best{};
        float bestCovered = -1;
        for (OverlayLabel candidate : candidates) {
            candidate.x = std::clamp(candidate.x, 0.0f, screenWidth - w);
            candidate.y = std::clamp(candidate.y, 0.0f, screenHeight - h);
            float covered = 0;
            for (const OverlayLabel& other : placed)
                covered += overlap(candidate, other);
            if (bestCovered < 0 || covered < bestCovered) {
                best = candidate;
                bestCovered = covered;
            }
            if (covered == 0)
                break;
        }
        labels[index] = best;
        placed.push_back(best);
    }
    return labels;
}

std::string renderOverlay(::ui::UI* root) {
    std::vector<OverlayBox> boxes;
    std::map<std::tuple<long, long, long, long>, size_t> byRect;
    {
        thread::Lock hold(*root);
        for (const ::ui::Component* child : root->getChildren())
            collect(child, &boxes, &byRect);
        for (const ::ui::Component* top : root->getTopLevel())
            collect(top, &boxes, &byRect);
    }
    const auto labels = placeLabels(boxes, root->getScreenWidth(), root->getScreenHeight());
    std::ostringstream out;
    out << "<g class=\"overlay\" font-size=\"" << number(kFontSize) << "\">\n";
    for (const OverlayBox& box : boxes)
        out << "<rect x=\"" << number(box.x) << "\" y=\"" << number(box.y) << "\" width=\""
            << number(box.width) << "\" height=\"" << number(box.height)
            << "\" fill=\"none\" stroke=\"rgb(255,92,160)\" stroke-opacity=\"0.8\" "
               "stroke-dasharray=\"4 3\"/>\n";
    for (size_t i = 0; i < boxes.size(); ++i) {
        const OverlayLabel& label = labels[i];
        out << "<g class=\"label\"><rect x=\"" << number(label.x) << "\" y=\"" << number(label.y)
            << "\" width=\"" << number(label.width) << "\" height=\"" << number(label.height)
            << "\" rx=\"2\" fill=\"rgb(18,20,26)\" fill-opacity=\"0.85\" "
               "stroke=\"rgb(255,92,160)\" stroke-opacity=\"0.6\"/>";
        for (size_t line = 0; line < boxes[i].lines.size(); ++line)
            out << "<text x=\"" << number(label.x + kPadding) << "\" y=\""
                << number(label.y + (line + 1) * kLineHeight - 2) << "\" fill=\"rgb(255,200,222)\">"
                << escapeHtml(boxes[i].lines[line]) << "</text>";
        out << "</g>\n";
    }
    out << "</g>\n";
    return out.str();
}

} // namespace kelplay
