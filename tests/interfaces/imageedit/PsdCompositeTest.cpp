// Compositing the layer frames of a layered PSD through the image-edit
// object: a document written by psd-tools, with layers in several blend
// modes, opacities, transparencies and one hidden layer, composites to what
// psd-tools' own compositor makes of the same file.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/objects/ZAVArrayObjectSp.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "tests/interfaces/imageedit/ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using ZAVTest::PixelsOf;
using ZAVTest::ThrownText;

constexpr int kFormatPsd = 10;
constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kLayerCount = 6;
// Largest difference of a sample from psd-tools' composite: our multiply
// divides by 256 where psd-tools divides by 255, and weights are bytes.
constexpr int kTolerance = 3;

// Writes the document with psd-tools' own structures and its composite as
// raw RGB rows. Layer 0 is opaque and covers the canvas, so the composite
// is opaque everywhere; layers reach past the canvas on every side.
const char kWriter[] = R"(
import sys
import numpy as np
from psd_tools import PSDImage
from PIL import Image
from psd_tools.constants import BlendMode, ChannelID, Compression
from psd_tools.psd.layer_and_mask import (ChannelData, ChannelDataList, ChannelImageData, ChannelInfo, LayerFlags,
                                          LayerInfo, LayerRecord, LayerRecords, MaskData, MaskFlags)
W, H = 64, 48
path, composite = sys.argv[1], sys.argv[2]

def plane(w, h, f):
    y, x = np.mgrid[0:h, 0:w]
    return np.clip(f(x, y), 0, 255).astype(np.uint8)

c = lambda v: (lambda x, y: v + 0 * x)
# left, top, width, height, blend mode, opacity, visible, red, green, blue, transparency
# and a user mask: left, top, width, height, colour outside, switched off
masks = {2: (24, 4, 30, 36, 0, False), 4: (36, 8, 30, 10, 255, False), 1: (0, 0, 20, 20, 0, True)}
layers = [
    (0, 0, W, H, BlendMode.NORMAL, 255, True, lambda x, y: x * 4, lambda x, y: y * 5, c(128), None),
    (8, 6, 40, 30, BlendMode.MULTIPLY, 200, True, lambda x, y: 255 - x * 3, lambda x, y: 90 + y * 4, c(200),
     lambda x, y: 255 - x * 4),
    (20, 10, 50, 45, BlendMode.SCREEN, 128, True, c(60), lambda x, y: x * 5, lambda x, y: y * 5, None),
    (-6, 20, 30, 20, BlendMode.DARKEN, 255, True, lambda x, y: 30 + x * 6, lambda x, y: 240 - y * 6, c(50),
     lambda x, y: 64 + y * 8),
    (30, -4, 24, 24, BlendMode.DIFFERENCE, 180, True, c(200), lambda x, y: 40 + x * 8, lambda x, y: 100 + y * 4, None),
    (4, 30, 50, 14, BlendMode.LIGHTEN, 230, False, c(255), c(255), c(255), None),
]
records, channels = [], []
for left, top, w, h, blend, opacity, visible, fr, fg, fb, fa in layers:
    planes = [(ChannelID.CHANNEL_0, fr), (ChannelID.CHANNEL_1, fg), (ChannelID.CHANNEL_2, fb)]
    if records:  # every layer above the first has a transparency, as Photoshop writes them
        planes.insert(0, (ChannelID.TRANSPARENCY_MASK, fa if fa is not None else c(255)))
    mask = masks.get(len(records))
    if mask is not None:
        planes.append((ChannelID.USER_LAYER_MASK, lambda x, y: 40 + x * 7 + y * 3, mask[2], mask[3]))
    infos, datas = [], []
    for cid, f, *size in planes:
        data = plane(*(size or (w, h)), f).tobytes()
        datas.append(ChannelData(compression=Compression.RAW, data=data))
        infos.append(ChannelInfo(id=cid, length=2 + len(data)))
    mask_data = None
    if mask is not None:
        mask_data = MaskData(top=mask[1], left=mask[0], bottom=mask[1] + mask[3], right=mask[0] + mask[2],
                             background_color=mask[4], flags=MaskFlags(mask_disabled=mask[5]))
    records.append(LayerRecord(top=top, left=left, bottom=top + h, right=left + w, channel_info=infos,
                               blend_mode=blend, opacity=opacity, flags=LayerFlags(visible=visible),
                               mask_data=mask_data, name='layer%d' % len(records)))
    channels.append(ChannelDataList(datas))
psd = PSDImage.frompil(Image.new('RGB', (W, H), (255, 255, 255)))
psd._record.layer_and_mask_information.layer_info = LayerInfo(
    layer_count=len(records), layer_records=LayerRecords(records), channel_image_data=ChannelImageData(channels))
psd.save(path)
made = PSDImage.open(path).composite(force=True)
assert made.getextrema()[3][0] >= 254, 'the composite is not opaque'
open(composite, 'wb').write(made.convert('RGB').tobytes())
)";

CZAVPtr<IZAVImageEditSp> WhiteCanvas()
{
    CZAVPtr<IZAVImageEditSp> canvas = CreateImageEditSp();
    canvas->Create(kWidth, kHeight, zavbpp24);
    std::memset(canvas->GetImageData(), 0xFF, static_cast<size_t>(canvas->GetImageSize()));
    return canvas;
}

class PsdComposite : public testing::Test {
protected:
    void SetUp() override
    {
        ZAVTest::WriteText(dir.File("writer.py"), kWriter);
        const ZAVTest::RunResult made =
            ZAVTest::Run("/usr/bin/python3 " + ZAVTest::ShellQuote(dir.File("writer.py")) + " " +
                         ZAVTest::ShellQuote(Document()) + " " + ZAVTest::ShellQuote(dir.File("composite.rgb")));
        ASSERT_EQ(0, made.exitCode) << made.output;  // python3-psd-tools, Pillow and numpy must be installed
        layers = CreateArrayObjectSp();
        layers->SetSize(kLayerCount);
        for (int i = 0; i < kLayerCount; ++i) {
            CZAVPtr<IZAVImageEditSp> frame = CreateImageEditSp();
            frame->GetImageEdit()->GetImage().m_pageIndex = i + 1;
            frame->LoadFromFile(Document(), kFormatPsd);
            layers->SetAt(i, frame->GetObjectSp().Get());
        }
    }

    std::string Document() const { return dir.File("layers.psd"); }

    ZAVTest::TempDir dir;
    CZAVPtr<IZAVArrayObjectSp> layers;
};

TEST_F(PsdComposite, TheLayerFramesCompositeAsPsdToolsCompositesTheFile)
{
    CZAVPtr<IZAVImageEditSp> canvas = WhiteCanvas();
    canvas->CompositePsdLayers(layers.Get());
    const std::vector<uint8_t> expected = ZAVTest::ReadBytes(dir.File("composite.rgb"));
    const std::vector<uint8_t> made = PixelsOf(*canvas.Get());
    ASSERT_EQ(expected.size(), made.size());
    const int largest = ZAVTest::MaxDifference(made, expected);
    double squares = 0;
    for (size_t i = 0; i < made.size(); ++i)
        squares += (made[i] - expected[i]) * (made[i] - expected[i]);
    std::printf("largest difference from psd-tools %d, PSNR %.1f dB\n", largest,
                10 * std::log10(255.0 * 255.0 * static_cast<double>(made.size()) / std::max(squares, 1e-9)));
    EXPECT_LE(largest, kTolerance);
    // The hidden white layer would have lightened the lower rows.
    EXPECT_NE(255, made[(40 * kWidth + 20) * 3 + 2]);
}

TEST_F(PsdComposite, ARefusedListLeavesTheImage)
{
    CZAVPtr<IZAVImageEditSp> plain = CreateImageEditSp();
    plain->Create(4, 4, zavbpp24);
    CZAVPtr<IZAVArrayObjectSp> noFacts = CreateArrayObjectSp();
    noFacts->SetSize(2);
    noFacts->SetAt(0, layers->GetAt(0).Get());
    noFacts->SetAt(1, plain->GetObjectSp().Get());
    CZAVPtr<IZAVArrayObjectSp> withHole = CreateArrayObjectSp();
    withHole->SetSize(2);
    withHole->SetAt(0, layers->GetAt(0).Get());
    CZAVPtr<IZAVArrayObjectSp> misplaced = CreateArrayObjectSp();
    misplaced->SetSize(2);
    misplaced->SetAt(0, layers->GetAt(0).Get());
    misplaced->SetAt(1, layers->GetAt(2).Get());  // layer 2's pixels named as layer 1
    const struct {
        const char* name;
        IZAVArrayObjectSp* list;
        const char* text;
    } cases[] = {
        {"no list", nullptr, "Invalid Parameter!"},
        {"an empty element", withHole.Get(), "Invalid Parameter!"},
        {"an image without layer facts", noFacts.Get(), "The image holds no facts of PSD layer 1!"},
        {"a frame of another layer", misplaced.Get(), "The image of PSD layer 1 does not have the layer's size!"},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> canvas = WhiteCanvas();
        EXPECT_EQ(c.text, ThrownText([&] { canvas->CompositePsdLayers(c.list); })) << c.name;
        EXPECT_EQ(std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight * 3, 0xFF), PixelsOf(*canvas.Get()))
            << c.name;
    }
}

}  // namespace
