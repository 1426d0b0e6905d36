// Pages whose resources come from the page tree: each page's pictures are
// those of the nearest ancestor's /Resources, found with the search's usual
// rules, and held against what pdfimages writes for the same page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureChecks.h"
#include "PicturePdf.h"
#include "interfaces/PdfFileBuilder.h"
#include "support/TestSupport.h"

namespace ZAVPictureTest {

namespace {

constexpr int W = 40;
constexpr int H = 20;

std::string Ref(int number)
{
    return std::to_string(number) + " 0 R";
}

// A flate-coded image of the given space whose samples differ from image to
// image by seed.
int AddImage(ZAVTest::PdfFileBuilder& pdf, const std::string& space, int components, int seed,
             const std::string& more = "")
{
    Bytes samples = SampleRows(W, H, components);
    for (uint8_t& sample : samples)
        sample = static_cast<uint8_t>(sample + seed * 37);
    return pdf.AddStream("/Type /XObject /Subtype /Image " +
                             ImageEntries(W, H, 8, space, "/Filter /FlateDecode /Name /Im" + std::to_string(seed)) +
                             more,
                         Deflated(samples));
}

typedef std::vector<std::pair<std::string, int>> XObjects;

// Resources naming the XObjects given, and a content stream painting the
// first of them once each, in that order.
struct Painted {
    std::string resources;
    int content;
};

Painted Paint(ZAVTest::PdfFileBuilder& pdf, const XObjects& painted, const XObjects& unpainted = XObjects())
{
    std::string names;
    std::string content;
    for (const auto& xobject : painted) {
        names += "/" + xobject.first + " " + Ref(xobject.second) + " ";
        content += "q 10 0 0 10 0 0 cm /" + xobject.first + " Do Q\n";
    }
    for (const auto& xobject : unpainted)
        names += "/" + xobject.first + " " + Ref(xobject.second) + " ";
    return {"<< /XObject << " + names + ">> >>", pdf.AddStream("", content)};
}

// The tree: the root holds resources in an object of its own (a gray
// picture, an RGB picture with a soft mask, a form XObject with a 1-bit
// picture of its own, and the gray picture again under a second name that
// nothing paints);
// a middle node holds other resources written in place. Page 1 and 2 stand
// under the middle node, page 3 under the root, page 4 has its own.
std::string InheritingTree()
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int root = pdf.Reserve();
    const int middle = pdf.Reserve();
    const int gray = AddImage(pdf, "/DeviceGray", 1, 1);
    const int mask = AddImage(pdf, "/DeviceGray", 1, 2);
    const int rgb = AddImage(pdf, "/DeviceRGB", 3, 3, " /SMask " + Ref(mask));
    const int inForm = pdf.AddStream("/Type /XObject /Subtype /Image " +
                                         ImageEntries(W, H, 1, "/DeviceGray", "/Filter /FlateDecode /Name /Im4"),
                                     Deflated(BilevelRows(W, H)));
    const int form = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 1 1] /Resources << /XObject << /Im " +
                                       Ref(inForm) + " >> >>",
                                   "/Im Do");
    const int middleOnly = AddImage(pdf, "/DeviceRGB", 3, 5);
    const int ownOnly = AddImage(pdf, "/DeviceGray", 1, 6);

    const Painted rootPaint = Paint(pdf, {{"A", gray}, {"B", rgb}, {"F", form}}, {{"Again", gray}});
    const Painted middlePaint = Paint(pdf, {{"M", middleOnly}, {"F", form}});
    const Painted ownPaint = Paint(pdf, {{"O", ownOnly}});
    const int rootResources = pdf.Add(rootPaint.resources);
    auto page = [&](int parent, int content, const std::string& more) {
        return pdf.Add("<< /Type /Page /Parent " + Ref(parent) + " /MediaBox [0 0 20 20] /Contents " + Ref(content) +
                       more + " >>");
    };
    const int page1 = page(middle, middlePaint.content, "");
    const int page2 = page(middle, middlePaint.content, " /Resources null");
    const int page3 = page(root, rootPaint.content, "");
    const int page4 = page(root, ownPaint.content, " /Resources " + ownPaint.resources);
    pdf.Set(middle, "<< /Type /Pages /Parent " + Ref(root) + " /Resources " + middlePaint.resources + " /Kids [" +
                        Ref(page1) + " " + Ref(page2) + "] /Count 2 >>");
    pdf.Set(root, "<< /Type /Pages /Resources " + Ref(rootResources) + " /Kids [" + Ref(middle) + " " + Ref(page3) +
                      " " + Ref(page4) + "] /Count 4 >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages " + Ref(root) + " >>");
    return pdf.Build(catalog);
}

TEST(PagePictures, APageWithoutResourcesTakesTheNearestAncestors)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    ZAVTest::TempDir dir;
    const std::string pdf = dir.File("tree.pdf");
    ZAVTest::WriteText(pdf, InheritingTree());
    // Each picture once a page: the soft mask is no picture of its own and
    // the gray picture named twice counts once.
    const size_t expected[] = {2, 2, 3, 1};
    for (int page = 1; page <= 4; ++page) {
        const ExtractedPictures ours = ExtractPictures(pdf, dir.Path(), page);
        const std::vector<std::string> reference = PdfimagesPageImages(pdf, page, dir.Path());
        EXPECT_EQ(ours.files.size(), expected[page - 1]) << "page " << page << "\n" << ours.log;
        ASSERT_EQ(ours.files.size(), reference.size()) << "page " << page;
        for (size_t i = 0; i < reference.size(); ++i)
            EXPECT_EQ(ComparePictures(ours.files[i], reference[i], "pixels"), "same") << "page " << page << " " << i;
    }
}

}  // namespace

}  // namespace ZAVPictureTest
