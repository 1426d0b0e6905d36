// A page's picture search keeps nothing it read from the file once the
// pictures are made, so a run over many pages holds one page's streams at a
// time; a picture shared by pages comes back the same on each of them.
#include <gtest/gtest.h>

#include <string>

#include "PicturePdf.h"
#include "foundation/objects/ZAVCastSp.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "pdf/document/PDFDocument.h"
#include "platform/GlobalMem.h"
#include "support/TestSupport.h"

namespace ZAVPictureTest {

namespace {

using namespace ZAV;

constexpr int W = 40;
constexpr int H = 20;

std::string Ref(int number)
{
    return std::to_string(number) + " 0 R";
}

// What a picture of the list holds: the decoded pixels or the stored bytes.
std::string Content(IZAVArrayObjectSp* pictures, int index)
{
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    CZAVPtr<IZAVObjectSp> picture = pictures->GetAt(2 * index + 1);
    if (cast->IsArrayByteSp(picture.Get())) {
        const auto* bytes = static_cast<const CArraySimple<unsigned char, 1>*>(picture->GetImplementation());
        return std::string(reinterpret_cast<const char*>(bytes->GetData()), static_cast<size_t>(bytes->GetSize()));
    }
    CZAVPtr<IZAVImageEditSp> image(static_cast<IZAVImageEditSp*>(picture->QueryInterface(zaviidImageEdit)), true);
    const char* pixels = static_cast<const char*>(GlobalLock(image->GetImageData()));
    std::string content(pixels, static_cast<size_t>(image->GetImageSize()));
    GlobalUnlock(image->GetImageData());
    return content;
}

TEST(PagePicturesRelease, ObjectsReadForAPageAreLetGoAndReadAgainAlike)
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int tree = pdf.Reserve();
    const int gray =
        pdf.AddStream("/Type /XObject /Subtype /Image " + ImageEntries(W, H, 8, "/DeviceGray", "/Filter /FlateDecode"),
                      Deflated(SampleRows(W, H, 1)));
    const int jpeg = pdf.AddStream(
        "/Type /XObject /Subtype /Image " + ImageEntries(W, H, 8, "/DeviceRGB", "/Filter /DCTDecode"), "stored bytes");
    const int first = pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Resources << /XObject << /A " + Ref(gray) +
                              " /B " + Ref(jpeg) + " >> >> >>");
    const int second =
        pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Resources << /XObject << /A " + Ref(gray) + " >> >> >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages " + Ref(tree) + " >>");
    pdf.Set(tree, "<< /Type /Pages /Kids [" + Ref(first) + " " + Ref(second) + "] /Count 2 >>");
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("shared.pdf"), pdf.Build(catalog));

    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->SetLogFileName(dir.File("log.txt"));
    document->Load(dir.File("shared.pdf"));
    CZAVPtr<IZAVObjectSp> view = document->GetObjectSp();
    const ZAVPDF::CPDFDocument& model = *static_cast<CZAVPdfDocument*>(view->GetImplementation())->GetDocument();
    const auto held = [&](int number) { return model.HasObjectKey(ZAVPDF::MakeObjectKey(number, model.GetKeyText())); };

    CZAVPtr<IZAVArrayObjectSp> firstPictures = document->GetPage(0)->GetPictures(1);
    ASSERT_EQ(firstPictures->GetSize(), 4);
    EXPECT_FALSE(held(gray));
    EXPECT_FALSE(held(jpeg));
    EXPECT_EQ(Content(firstPictures.Get(), 1), "stored bytes");

    CZAVPtr<IZAVArrayObjectSp> secondPictures = document->GetPage(1)->GetPictures(1);
    ASSERT_EQ(secondPictures->GetSize(), 2);
    EXPECT_FALSE(held(gray));
    EXPECT_EQ(Content(secondPictures.Get(), 0), Content(firstPictures.Get(), 0));

    CZAVPtr<IZAVArrayObjectSp> firstAgain = document->GetPage(0)->GetPictures(1);
    ASSERT_EQ(firstAgain->GetSize(), 4);
    EXPECT_EQ(Content(firstAgain.Get(), 0), Content(firstPictures.Get(), 0));
    EXPECT_EQ(Content(firstAgain.Get(), 1), "stored bytes");
}

}  // namespace

}  // namespace ZAVPictureTest
