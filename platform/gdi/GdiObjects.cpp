#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/DibPixels.h"

#include <mutex>
#include <unordered_map>

namespace ZAV {
namespace Gdi {

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<void*, std::unique_ptr<Object>> objects;
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;  // lives to the end: handles may be freed late
    return *registry;
}

DibView SectionView(const Bitmap& bitmap)
{
    DibView view;
    MakeDibView(reinterpret_cast<const BITMAPINFO*>(bitmap.dibInfo.data()), bitmap.dibBits.get(), view);
    return view;
}

}  // namespace

void* Register(std::unique_ptr<Object> object)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    void* handle = object.get();
    registry.objects.emplace(handle, std::move(object));
    return handle;
}

Object* Find(void* handle)
{
    if (!handle)
        return nullptr;
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto it = registry.objects.find(handle);
    return it == registry.objects.end() ? nullptr : it->second.get();
}

bool Destroy(void* handle)
{
    std::unique_ptr<Object> doomed;
    {
        Registry& registry = TheRegistry();
        std::lock_guard<std::mutex> guard(registry.lock);
        auto it = registry.objects.find(handle);
        if (it == registry.objects.end())
            return false;
        doomed = std::move(it->second);
        registry.objects.erase(it);
    }
    return true;
}

Bitmap* SurfaceOf(DC& dc)
{
    return FindBitmap(dc.bitmap);
}

COLORREF ReadPixel(const Bitmap& bitmap, LONG x, LONG y)
{
    if (bitmap.dibSection)
        return ReadDibPixel(SectionView(bitmap), x, y);
    return bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x];
}

void WritePixel(Bitmap& bitmap, LONG x, LONG y, COLORREF colour)
{
    colour &= 0xFFFFFF;
    if (bitmap.dibSection) {
        WriteDibPixel(SectionView(bitmap), x, y, colour);
        return;
    }
    if (bitmap.bitsPixel == 1)
        colour = colour == 0xFFFFFF ? 0xFFFFFF : 0;
    bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x] = colour;
}

int NearestEntry(const std::vector<PALETTEENTRY>& entries, COLORREF colour)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < entries.size(); ++i) {
        const int dr = entries[i].peRed - GetRValue(colour);
        const int dg = entries[i].peGreen - GetGValue(colour);
        const int db = entries[i].peBlue - GetBValue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace Gdi
}  // namespace ZAV
