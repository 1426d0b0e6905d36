#include "jbig2codec/match/JB2SymbolUnify.h"

#include <algorithm>

#include "jbig2codec/match/JB2UnifyLocal.h"

namespace ZAV {

namespace {

constexpr uint32_t kMaxQuality = 10;
// From this many pixels on a component may take regions of up to
// kLargeRegion pixels without its holes proper being recounted.
constexpr uint32_t kLargeComponentPixels = 75;
constexpr uint32_t kSmallRegion = 1;
constexpr uint32_t kLargeRegion = 5;

inline bool Pixel(const uint8_t* row, uint32_t x)
{
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

JB2_Error Fail(JB2SymbolUnifier** unifier, JB2Memory* memory, JB2Message* message, JB2_Error status)
{
    JB2SymbolUnifierRelease(unifier, memory);
    return JB2Fail(message, status, "Failure during symbol shape unification!");
}

// 0 where the two agree, 1 where only the component is black, 2 where only
// the symbol is; outside the symbol only the component's pixels count.
void MapDifferences(JB2SymbolUnifier* u, const JB2Symbol* symbol)
{
    const JB2Component* c = u->component;
    const uint32_t w = std::min(symbol->width, u->width);
    const uint32_t h = std::min(symbol->height, u->height);
    for (uint32_t y = 0; y < u->height; ++y) {
        const uint8_t* own = JB2ComponentRow(c, y);
        const uint8_t* other = y < h ? JB2SymbolRow(symbol, y) : nullptr;
        uint8_t* map = u->map + uint64_t(y) * u->width;
        for (uint32_t x = 0; x < u->width; ++x) {
            const bool black = Pixel(own, x);
            if (!other || x >= w)
                map[x] = black ? cJB2_Unify_Extra_Black : cJB2_Unify_Same;
            else if (black != Pixel(other, x))
                map[x] = black ? cJB2_Unify_Extra_Black : cJB2_Unify_Missing_Black;
            else
                map[x] = cJB2_Unify_Same;
        }
    }
}

// Marks the 4-connected region of the start's value as handled and records its positions.
void FillRegion(JB2SymbolUnifier* u, uint32_t start)
{
    const uint8_t value = u->map[start];
    const uint32_t w = u->width;
    uint32_t top = 0;
    u->filledCount = 0;
    u->map[start] = cJB2_Unify_Handled;
    u->stack[top++] = start;
    u->filled[u->filledCount++] = start;
    while (top) {
        const uint32_t p = u->stack[--top];
        const uint32_t x = p % w;
        const uint32_t neighbours[4] = {x + 1 < w ? p + 1 : UINT32_MAX, x > 0 ? p - 1 : UINT32_MAX,
                                        p + w < w * u->height ? p + w : UINT32_MAX, p >= w ? p - w : UINT32_MAX};
        for (uint32_t n : neighbours) {
            if (n == UINT32_MAX || u->map[n] != value)
                continue;
            u->map[n] = cJB2_Unify_Handled;
            u->stack[top++] = n;
            u->filled[u->filledCount++] = n;
        }
    }
}

void FlipRegion(JB2SymbolUnifier* u)
{
    for (uint32_t i = 0; i < u->filledCount; ++i) {
        const uint32_t x = u->filled[i] % u->width, y = u->filled[i] / u->width;
        u->component->bitmap[uint64_t(y) * u->stride + x / 8] ^= uint8_t(0x80 >> (x % 8));
    }
}

// The regions of the component just after the flip of the filled region,
// worked out around it where that settles them (a flip changes the regions
// only where the flipped pixels touch others), else counted anew.
JB2_Error CountAfterFlip(JB2SymbolUnifier* u, JB2Memory* memory, bool wasBlack, JB2ShapeCounts* after)
{
    if (JB2UnifyLocalCounts(u, wasBlack, after))
        return cJB2_Error_OK;
    return JB2ComponentShapeCounts(u->component, memory, after);
}

// The shape after a flip: the same white regions, one black part, and for
// larger regions the same holes proper.
bool ShapeKept(const JB2SymbolUnifier* u, const JB2ShapeCounts& after)
{
    const uint32_t small = u->component->pixels < kLargeComponentPixels ? kSmallRegion : kLargeRegion;
    return after.whiteRegions == u->whiteRegions && after.blackParts <= 1 &&
           (u->filledCount <= small || after.holesProper == u->framedWhiteRegions);
}

// Every region of differences: a small one is changed when the shape keeps
// its checks, and put back when it does not.
JB2_Error ScanRegions(JB2SymbolUnifier* u, JB2Memory* memory, uint8_t* outcome)
{
    const uint32_t size = u->width * u->height;
    for (uint32_t p = 0; p < size; ++p) {
        if (u->map[p] != cJB2_Unify_Extra_Black && u->map[p] != cJB2_Unify_Missing_Black)
            continue;
        const bool wasBlack = u->map[p] == cJB2_Unify_Extra_Black;
        FillRegion(u, p);
        if (u->filledCount > u->threshold) {
            *outcome = 1;
            continue;
        }
        FlipRegion(u);
        JB2ShapeCounts after = {};
        JB2_Error status = CountAfterFlip(u, memory, wasBlack, &after);
        if (status != cJB2_Error_OK)
            return status;
        if (ShapeKept(u, after)) {
            u->now = after;
        } else {
            FlipRegion(u);
            *outcome = 1;
        }
        // As a recount of the holes leaves it whether the flip stays or not.
        u->component->holes = u->whiteRegions;
    }
    return cJB2_Error_OK;
}

}  // namespace

uint32_t JB2UnifyThreshold(uint32_t pixels, uint32_t quality)
{
    const uint32_t most = 12 - std::min(quality, kMaxQuality);
    const uint32_t t = uint32_t(uint64_t(pixels) * most / 100);
    return std::min(std::max(t, 2u), most);
}

JB2_Error JB2SymbolUnifierCreate(JB2SymbolUnifier** out, JB2Component* c, uint32_t quality, JB2Memory* memory,
                                 JB2Message* message)
{
    if (!out || !c || !c->bitmap || c->width == 0 || c->height == 0 || quality > kMaxQuality)
        return cJB2_Error_Internal;
    *out = nullptr;
    const uint64_t size = uint64_t(c->width) * c->height;
    auto* u = JB2MemoryNew<JB2SymbolUnifier>(memory);
    if (u) {
        u->map = JB2MemoryAllocArray<uint8_t>(memory, size);
        u->stack = JB2MemoryAllocArray<uint32_t>(memory, size);
        u->filled = JB2MemoryAllocArray<uint32_t>(memory, size);
    }
    if (!u || !u->map || !u->stack || !u->filled) {
        if (u)
            JB2SymbolUnifierRelease(&u, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate symbol unify object!");
    }
    u->component = c;
    u->width = c->width;
    u->height = c->height;
    u->stride = c->stride;
    u->threshold = JB2UnifyThreshold(c->pixels, quality);
    JB2_Error status = JB2ComponentKnownShapeCounts(c, memory, &u->now);
    if (status == cJB2_Error_OK) {
        if (!c->holes)
            c->holes = u->now.whiteRegions;
        u->whiteRegions = c->holes;
        u->framedWhiteRegions = u->now.holesProper;
    }
    if (status != cJB2_Error_OK) {
        JB2SymbolUnifierRelease(&u, memory);
        return JB2Fail(message, status, "Unable to allocate symbol unify object!");
    }
    *out = u;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolUnifierRelease(JB2SymbolUnifier** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2SymbolUnifier* u = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (u->filled)
        status = JB2MemoryFree(memory, &u->filled);
    if (u->stack && status == cJB2_Error_OK)
        status = JB2MemoryFree(memory, &u->stack);
    if (u->map && status == cJB2_Error_OK)
        status = JB2MemoryFree(memory, &u->map);
    if (status == cJB2_Error_OK)
        status = JB2MemoryFree(memory, holder);
    return status;
}

JB2_Error JB2SymbolUnify(const JB2Symbol* symbol, JB2Component* c, uint32_t quality, JB2Memory* memory,
                         JB2Message* message, uint8_t* outcome)
{
    if (!symbol || !outcome || quality > kMaxQuality || !symbol->bitmapValid)
        return cJB2_Error_Internal;
    *outcome = 1;
    JB2SymbolUnifier* u = nullptr;
    JB2_Error status = JB2SymbolUnifierCreate(&u, c, quality, memory, message);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure during symbol shape unification!");
    MapDifferences(u, symbol);
    *outcome = 0;
    JB2ComponentBitmapChanging(c, memory);
    status = ScanRegions(u, memory, outcome);
    if (status != cJB2_Error_OK)
        return Fail(&u, memory, message, status);
    if (symbol->width != c->width)
        *outcome = 1;
    status = JB2SymbolUnifierRelease(&u, memory);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure during symbol shape unification!");
    return cJB2_Error_OK;
}

}  // namespace ZAV
