#include "platform/caption_fit.h"

#include <algorithm>
#include <numeric>

namespace quillon::platform {
namespace {

bool Across(const PixelBox& a, const PixelBox& b) { return a.left < b.right && b.left < a.right; }
bool Along(const PixelBox& a, const PixelBox& b) { return a.top < b.bottom && b.top < a.bottom; }

}  // namespace

FittedLayout FitCaptions(const std::vector<CaptionNeeds>& controls, int clientWidth,
                         int clientHeight, int gap) {
    const std::size_t count = controls.size();
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});

    // Widths first: what each caption needs (a button the widest of its
    // column), then the shifts along each row.
    std::vector<int> wider(count, 0);
    std::vector<WrappedCaption> wrapped(count);  // a label's caption at its new width
    const auto width = [&](std::size_t i) { return controls[i].box.right - controls[i].box.left; };
    for (std::size_t i = 0; i < count; ++i) {
        const auto& control = controls[i];
        int needed = control.width;
        for (std::size_t j = 0; j < count && control.button; ++j) {
            const auto& other = controls[j];
            if (other.button && other.box.left == control.box.left && width(j) == width(i) &&
                other.container == control.container) {
                needed = std::max(needed, other.width);
            }
        }
        wider[i] = std::max(0, needed - width(i));
        if (control.wrapped) {
            wrapped[i] = control.wrapped(width(i));
            wider[i] = std::max(wider[i], wrapped[i].width - width(i));
            if (wider[i] > 0) wrapped[i] = control.wrapped(width(i) + wider[i]);
        }
    }
    std::sort(order.begin(), order.end(),
              [&](auto a, auto b) { return controls[a].box.left < controls[b].box.left; });
    std::vector<int> right(count, 0);
    for (const auto x : order) {
        if (controls[x].frame) continue;
        for (const auto g : order) {
            if (g == x || controls[g].frame) continue;
            if (controls[g].box.right <= controls[x].box.left && Along(controls[g].box, controls[x].box)) {
                right[x] = std::max(right[x], right[g] + wider[g]);
            }
        }
    }

    // Then heights: a label that grows pushes what is under it, and what
    // sits in its box goes under its text unless it stands beside a last
    // line short enough to leave it room.
    std::sort(order.begin(), order.end(),
              [&](auto a, auto b) { return controls[a].box.top < controls[b].box.top; });
    std::vector<int> down(count, 0);
    std::vector<int> taller(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& box = controls[i].box;
        taller[i] = std::max(0, wrapped[i].height - (box.bottom - box.top));
    }
    const auto inTheWay = [&](std::size_t g, const PixelBox& boxX) {
        const auto& text = wrapped[g];
        const auto& boxG = controls[g].box;
        if (!controls[g].wrapped || text.height <= 0) return false;
        const int lines = std::max(1, text.height / std::max(1, text.lineHeight));
        const int first = (boxX.top - boxG.top) / std::max(1, text.lineHeight);
        if (first >= lines) return false;
        if (first < lines - 1) return true;
        return boxG.left + text.lastLineWidth + gap > boxX.left;
    };
    // A row (the controls that start at one height) moves as one.
    for (std::size_t first = 0; first < count;) {
        std::size_t end = first;
        while (end < count && controls[order[end]].box.top == controls[order[first]].box.top) ++end;
        int rowShift = 0;
        for (std::size_t i = first; i < end; ++i) {
            const auto x = order[i];
            if (controls[x].frame) continue;
            const auto& boxX = controls[x].box;
            for (const auto g : order) {
                const auto& boxG = controls[g].box;
                if (g == x || controls[g].frame || boxG.top >= boxX.top || !Across(boxG, boxX)) continue;
                int shift = down[g];
                if (boxX.top >= boxG.bottom) {
                    shift += taller[g];
                } else if (inTheWay(g, boxX)) {
                    shift += std::max(0, boxG.top + wrapped[g].height + gap - boxX.top);
                }
                rowShift = std::max(rowShift, shift);
            }
        }
        for (std::size_t i = first; i < end; ++i) down[order[i]] = rowShift;
        first = end;
    }

    FittedLayout fitted;
    fitted.boxes.resize(count);
    int oldRight = 0, oldBottom = 0, newRight = 0, newBottom = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto& box = controls[i].box;
        fitted.boxes[i] = {box.left + right[i], box.top + down[i], box.right + right[i] + wider[i],
                           box.bottom + down[i] + taller[i]};
    }
    // A frame holds what its controls hold now.
    for (std::size_t i = 0; i < count; ++i) {
        const int container = controls[i].container;
        if (container < 0) continue;
        auto& frame = fitted.boxes[static_cast<std::size_t>(container)];
        const auto& box = fitted.boxes[i];
        frame.right = std::max(frame.right, box.right);
        frame.bottom = std::max(frame.bottom, box.bottom);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (controls[i].frame) continue;
        oldRight = std::max(oldRight, controls[i].box.right);
        oldBottom = std::max(oldBottom, controls[i].box.bottom);
        newRight = std::max(newRight, fitted.boxes[i].right);
        newBottom = std::max(newBottom, fitted.boxes[i].bottom);
    }
    fitted.clientWidth = std::max(clientWidth, newRight + (clientWidth - oldRight));
    fitted.clientHeight = std::max(clientHeight, newBottom + (clientHeight - oldBottom));
    return fitted;
}

}  // namespace quillon::platform
