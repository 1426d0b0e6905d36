#include "jbig2codec/match/JB2UnifyLocal.h"

#include <algorithm>

namespace ZAV {

namespace {

// Sides of the window around the region: first tight, then wider.
constexpr int32_t kMargins[] = {1, 4};
// A region of up to 12 pixels with the widest margin, and the frame.
constexpr uint32_t kMaxCells = 32 * 32;

enum : uint8_t { kWhite = 0, kBlack = 1, kFrame = 2 };
constexpr int16_t kNoLabel = -1;

struct Window {
    int32_t left;
    int32_t top;
    uint32_t width;
    uint32_t height;
    uint8_t colour[kMaxCells];
    bool region[kMaxCells];
    int16_t label[kMaxCells];
    uint16_t queue[kMaxCells];
};

struct Box {
    int32_t left, top, right, bottom;
};

Box RegionBox(const JB2SymbolUnifier* u)
{
    Box box = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (uint32_t i = 0; i < u->filledCount; ++i) {
        const int32_t x = int32_t(u->filled[i] % u->width), y = int32_t(u->filled[i] / u->width);
        box = Box{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
    return box;
}

// The component's pixels (after the flip) around the box, the frame
// outside the component's own box; false when the window is too large.
bool Build(const JB2SymbolUnifier* u, const Box& box, int32_t margin, Window* w)
{
    w->left = std::max(box.left - margin, -1);
    w->top = std::max(box.top - margin, -1);
    const int32_t right = std::min(box.right + margin, int32_t(u->width));
    const int32_t bottom = std::min(box.bottom + margin, int32_t(u->height));
    w->width = uint32_t(right - w->left + 1);
    w->height = uint32_t(bottom - w->top + 1);
    if (uint64_t(w->width) * w->height > kMaxCells)
        return false;
    const JB2Component* c = u->component;
    for (uint32_t j = 0; j < w->height; ++j) {
        const int32_t y = w->top + int32_t(j);
        const uint8_t* row = y >= 0 && y < int32_t(u->height) ? JB2ComponentRow(c, uint32_t(y)) : nullptr;
        for (uint32_t i = 0; i < w->width; ++i) {
            const int32_t x = w->left + int32_t(i);
            const uint32_t cell = j * w->width + i;
            w->region[cell] = false;
            if (!row || x < 0 || x >= int32_t(u->width))
                w->colour[cell] = kFrame;
            else
                w->colour[cell] = (row[x / 8] >> (7 - x % 8)) & 1 ? kBlack : kWhite;
        }
    }
    for (uint32_t k = 0; k < u->filledCount; ++k) {
        const int32_t x = int32_t(u->filled[k] % u->width), y = int32_t(u->filled[k] / u->width);
        w->region[uint32_t(y - w->top) * w->width + uint32_t(x - w->left)] = true;
    }
    return true;
}

// Labels the cells of one colour outside the region, 4-connected within
// the window; with `frame` the frame cells belong to it, all in one label
// (the frame runs all round the component).
void Label(Window* w, uint8_t colour, bool frame)
{
    const uint32_t cells = w->width * w->height;
    auto takes = [&](uint32_t cell) {
        return !w->region[cell] && w->label[cell] == kNoLabel &&
               (w->colour[cell] == colour || (frame && w->colour[cell] == kFrame));
    };
    std::fill(w->label, w->label + cells, kNoLabel);
    int16_t next = 0;
    for (uint32_t seed = 0; seed < cells; ++seed) {
        if (!takes(seed))
            continue;
        uint32_t count = 0;
        if (frame && w->colour[seed] == kFrame) {
            for (uint32_t cell = seed; cell < cells; ++cell)
                if (w->colour[cell] == kFrame && takes(cell)) {
                    w->label[cell] = next;
                    w->queue[count++] = uint16_t(cell);
                }
        } else {
            w->label[seed] = next;
            w->queue[count++] = uint16_t(seed);
        }
        while (count) {
            const uint32_t cell = w->queue[--count];
            const uint32_t x = cell % w->width;
            const uint32_t around[4] = {x + 1 < w->width ? cell + 1 : cell, x > 0 ? cell - 1 : cell,
                                        cell + w->width < cells ? cell + w->width : cell,
                                        cell >= w->width ? cell - w->width : cell};
            for (uint32_t n : around)
                if (takes(n)) {
                    w->label[n] = next;
                    w->queue[count++] = uint16_t(n);
                }
        }
        ++next;
    }
}

// How many regions of the labelled colour touch the flipped region: 0, 1,
// or 2 for two or more labels (they may still join beyond the window).
uint32_t Touching(const Window* w)
{
    const uint32_t cells = w->width * w->height;
    int16_t seen = kNoLabel;
    for (uint32_t cell = 0; cell < cells; ++cell) {
        if (!w->region[cell])
            continue;
        // The region lies inside the component's box and the window reaches
        // at least one cell beyond it on every side.
        const uint32_t around[4] = {cell + 1, cell - 1, cell + w->width, cell - w->width};
        for (uint32_t n : around) {
            const int16_t label = w->label[n];
            if (label == kNoLabel || label == seen)
                continue;
            if (seen != kNoLabel)
                return 2;
            seen = label;
        }
    }
    return seen == kNoLabel ? 0 : 1;
}

// The count after the flip, from the count before: the regions of the new
// colour touching the flip become one with it; the region of the old
// colour the flip leaves falls into as many as it touches.
bool Follow(Window* w, uint8_t colour, bool frame, bool newColour, uint32_t before, uint32_t* after)
{
    Label(w, colour, frame);
    const uint32_t touching = Touching(w);
    if (touching > 1)
        return false;
    *after = newColour ? before + 1 - touching : before + touching - 1;
    return true;
}

}  // namespace

bool JB2UnifyLocalCounts(const JB2SymbolUnifier* u, bool wasBlack, JB2ShapeCounts* after)
{
    if (u->filledCount == 0)
        return false;
    const Box box = RegionBox(u);
    Window window;
    for (int32_t margin : kMargins) {
        Window* w = &window;
        if (!Build(u, box, margin, w))
            return false;
        if (Follow(w, kWhite, true, wasBlack, u->now.whiteRegions, &after->whiteRegions) &&
            Follow(w, kWhite, false, wasBlack, u->now.holesProper, &after->holesProper) &&
            Follow(w, kBlack, false, !wasBlack, u->now.blackParts, &after->blackParts))
            return true;
    }
    return false;
}

}  // namespace ZAV
