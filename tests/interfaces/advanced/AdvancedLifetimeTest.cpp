// The advanced object an image-edit object hands out, over our KORVEX55
// library built beside the program, when the image-edit object goes or
// replaces its pixels while the advanced object is still held: the library
// never works on freed pixels (the sanitizer build catches any that it does).
#include <cstring>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "tests/interfaces/advanced/RealKorvexFixture.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "platform/GlobalMem.h"
#include "support/ThrownText.h"
#include "tests/interfaces/imageedit/ImageEditTestPixels.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

// A 24-bit picture of distinct small values (sums of two stay below 256).
CZAVPtr<IZAVImageEditSp> MakePicture(int width, int height, int seed)
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->Create(width, height, zavbpp24);
    HGLOBAL block = image->GetImageData();
    auto* pixels = static_cast<uint8_t*>(GlobalLock(block));
    for (int i = 0; i < image->GetImageSize(); ++i)
        pixels[i] = static_cast<uint8_t>((i * 7 + seed) % 100);
    GlobalUnlock(block);
    return image;
}

class AdvancedLifetime : public RealKorvexFixture {};

// Released first, the image-edit object cuts its advanced objects loose:
// attaching again does nothing, forms that need it say it is missing, and
// the library no longer holds its pixels.
TEST_F(AdvancedLifetime, TheImageEditObjectGoesFirst)
{
    CZAVPtr<IZAVImageEditSp> operand = MakePicture(4, 3, 5);
    CZAVPtr<IZAVAdvancedImgProcSp> kept;
    CZAVPtr<IZAVAdvancedImgProcSp> made;
    {
        CZAVPtr<IZAVImageEditSp> owner = MakePicture(4, 3, 1);
        kept = owner->CreateAdvancedImgProc();
        made = CreateAdvancedImgProcSpForImage(owner.Get());
        ASSERT_EQ(4, kept->GetWidth());
    }
    for (IZAVAdvancedImgProcSp* object : {kept.Get(), made.Get()}) {
        EXPECT_EQ("(nothing thrown)", ThrownText([&] { object->AttachImageEdit(); }));
        EXPECT_EQ(nullptr, object->GetAdvancedImgProc()->GetImageEdit());
        EXPECT_EQ("This ZAVAdvancedImgProc object is not based on an ZAVImageEdit object!",
                  ThrownText([&] { object->GetArithmetic()->Add(operand.Get()); }));
        EXPECT_EQ(0, object->GetWidth());
        // Stand-alone now, it still works on a buffer of its own.
        object->Create(2, 2, 24);
        EXPECT_EQ(2, object->GetWidth());
    }
}

// Re-created (or loaded, or cleared) after the advanced object lent its
// pixels, the image's new pixels are lent before the library works again.
TEST_F(AdvancedLifetime, TheImageEditObjectReplacesItsPixels)
{
    const struct {
        const char* name;
        bool throughHolder;
    } cases[] = {{"kept object", true}, {"object made on it", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> owner = MakePicture(4, 3, 1);
        CZAVPtr<IZAVAdvancedImgProcSp> object =
            c.throughHolder ? owner->CreateAdvancedImgProc() : CreateAdvancedImgProcSpForImage(owner.Get());
        // Of the same size, the library would take the freed block for it.
        owner->Create(4, 3, zavbpp24);
        CZAVPtr<IZAVImageEditSp> operand = MakePicture(4, 3, 9);
        ASSERT_EQ("(nothing thrown)", ThrownText([&] { object->GetArithmetic()->Add(operand.Get()); }));
        // Black plus the operand is the operand.
        EXPECT_EQ(PixelsOf(*operand.Get()), PixelsOf(*owner.Get()));
        EXPECT_EQ(4, object->GetWidth());
        EXPECT_EQ(object->GetImageMemory(), static_cast<void*>(owner->GetImageData()));

        // A transformation in place after a re-creation at another size.
        owner->Create(3, 2, zavbpp24);
        std::memset(owner->GetImageData(), 10, size_t(owner->GetImageSize()));
        ASSERT_EQ("(nothing thrown)", ThrownText([&] { object->GetArithmetic()->AddConstant(5); }));
        EXPECT_EQ(std::vector<uint8_t>(18, 15), PixelsOf(*owner.Get()));

        // An emptied image leaves the library nothing of its pixels.
        owner->Clear();
        EXPECT_EQ(0, object->GetWidth());
    }
}

}  // namespace
}  // namespace ZAVTest
