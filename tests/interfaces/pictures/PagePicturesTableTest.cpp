// Every kind of picture a page may hold, each in a small PDF file built
// here or by img2pdf, extracted through the page's GetPictures and held
// against what pdfimages writes for the same file: decoded pictures pixel
// for pixel, stored JPEG and JPEG 2000 data byte for byte. CMYK pictures
// are held against pdfimages' CMYK samples made RGB by Pillow, which
// computes the same plain conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "PictureChecks.h"
#include "PicturePdf.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "platform/GlobalMem.h"
#include "support/TestSupport.h"

namespace ZAVPictureTest {

namespace {

constexpr int W = 40;
constexpr int H = 20;

typedef std::function<std::string()> PdfMaker;

struct PictureCase {
    const char* name;
    PdfMaker pdf;
    const char* option = "-png";
    const char* kind = "pixels";
    // The pictures GetPictures hands back; the first one is compared.
    size_t pictures = 1;
    // A file pdfimages reads as the page shows the picture, when it reads
    // the case's own file differently.
    PdfMaker reference = nullptr;
    // The reference picture made by another reader into the folder given,
    // in place of pdfimages.
    std::function<std::string(const std::string&)> otherReader = nullptr;
    // A filter the log must show decoding, for files made by another writer.
    const char* decodedBy = nullptr;
};

std::string Made(const std::string& name)
{
    return Text(ZAVTest::ReadBytes(MadePictures() + "/" + name));
}

PdfMaker MadeFile(const char* name)
{
    return [name] { return Made(name); };
}

PdfMaker Single(const std::string& entries, std::function<std::string()> data)
{
    return [entries, data] {
        PicturePdf pdf;
        pdf.Image(entries, data());
        return pdf.Build();
    };
}

std::string Hex(const Bytes& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "<";
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text + ">";
}

Bytes Lookup(int entries, int components)
{
    Bytes table;
    for (int i = 0; i < entries; ++i)
        for (int c = 0; c < components; ++c)
            table.push_back(static_cast<uint8_t>(i * (c + 3) + c * 40));
    return table;
}

// A picture in an ICC-based space of n components; the profile is no
// profile, so every reader falls back to the device space of n components.
PdfMaker IccBased(int components, const std::string& indexedLookup, const Bytes& data, const std::string& more = "")
{
    return [=] {
        PicturePdf pdf;
        const int profile = pdf.Stream("/N " + std::to_string(components), "not a profile");
        std::string space = "[/ICCBased " + std::to_string(profile) + " 0 R]";
        if (!indexedLookup.empty())
            space = "[/Indexed " + space + " 255 " + indexedLookup + "]";
        pdf.Image(ImageEntries(W, H, 8, space, "/Filter /FlateDecode" + more), Deflated(data));
        return pdf.Build();
    };
}

PdfMaker Ccitt(const std::string& file, const std::string& parms)
{
    return [=] {
        PicturePdf pdf;
        pdf.Image(ImageEntries(W, H, 1, "/DeviceGray", "/Filter /CCITTFaxDecode /DecodeParms << " + parms + " >>"),
                  Made(file));
        return pdf.Build();
    };
}

// A 1-bit picture coded by the JBIG2 plug-in: the document object's page
// writer saves it as a /JBIG2Decode picture.
std::string Jbig2Pdf()
{
    using namespace ZAV;
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->AddImportExportDll(ZAVTest::BinPath("ZAVJ2k20.so"), std::string());
    image->AddImportExportDll(ZAVTest::BinPath("ZAVJbg20.so"), std::string());
    image->Create(W, H, zavbpp1);
    image->GetPalette()->CreateBlackWhite();
    const Bytes rows = BilevelRows(W, H);
    std::copy(rows.begin(), rows.end(), static_cast<uint8_t*>(GlobalLock(image->GetImageData())));
    GlobalUnlock(image->GetImageData());
    image->GetFileFormatSettings()->SelectPdfImageCoding();
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->AddSingleImage(image.Get());
    document->Save(dir.File("jbig2.pdf"));
    return Text(ZAVTest::ReadBytes(dir.File("jbig2.pdf")));
}

// A JBIG2 picture in the embedded organisation (made by jbig2enc) whose
// symbol dictionary stands in a /JBIG2Globals stream of the given filter.
PdfMaker Jbig2WithGlobals(const std::string& filter)
{
    return [filter] {
        const Bytes symbols = ZAVTest::ReadBytes(ZAVTest::DataPath("jbig2/embedded-text.sym"));
        PicturePdf pdf;
        const int globals =
            filter.empty() ? pdf.Stream("", Text(symbols)) : pdf.Stream("/Filter " + filter, Deflated(symbols));
        pdf.Image(
            ImageEntries(301, 157, 1, "/DeviceGray",
                         "/Filter /JBIG2Decode /DecodeParms << /JBIG2Globals " + std::to_string(globals) + " 0 R >>"),
            Text(ZAVTest::ReadBytes(ZAVTest::DataPath("jbig2/embedded-text.0000"))));
        return pdf.Build();
    };
}

// The same picture behind a Flate step whose own parameters name globals
// no reader could take (LZW coded): a Flate step has no globals, so only
// the JBIG2 step's are read.
std::string Jbig2AfterFlateStep()
{
    const Bytes symbols = ZAVTest::ReadBytes(ZAVTest::DataPath("jbig2/embedded-text.sym"));
    PicturePdf pdf;
    const int globals = pdf.Stream("", Text(symbols));
    const int unused = pdf.Stream("/Filter /LZWDecode", "segments");
    pdf.Image(ImageEntries(301, 157, 1, "/DeviceGray",
                           "/Filter [/FlateDecode /JBIG2Decode] /DecodeParms [<< /JBIG2Globals " +
                               std::to_string(unused) + " 0 R >> << /JBIG2Globals " + std::to_string(globals) +
                               " 0 R >>]"),
              Deflated(ZAVTest::ReadBytes(ZAVTest::DataPath("jbig2/embedded-text.0000"))));
    return pdf.Build();
}

Bytes IndexRows()
{
    return SampleRows(W, H, 1);
}

// The indexed CMYK picture as plain CMYK samples.
Bytes ExpandedCmyk()
{
    const Bytes lookup = Lookup(256, 4);
    Bytes samples;
    for (uint8_t index : IndexRows())
        samples.insert(samples.end(), lookup.begin() + index * 4, lookup.begin() + index * 4 + 4);
    return samples;
}

PdfMaker ParmsByReference(bool inArray)
{
    return [inArray] {
        PicturePdf pdf;
        const int parms = pdf.Object("<< /Predictor 15 /Colors 1 /BitsPerComponent 8 /Columns 40 >>");
        const std::string reference = std::to_string(parms) + " 0 R";
        const std::string entries = inArray ? "/Filter [/FlateDecode] /DecodeParms [" + reference + "]"
                                            : "/Filter /FlateDecode /DecodeParms " + reference;
        pdf.Image(ImageEntries(W, H, 8, "/DeviceGray", entries), Deflated(PngPredicted(SampleRows(W, H, 1), W, 1)));
        return pdf.Build();
    };
}

std::string FlateGray1(PicturePdf& pdf, const std::string& more = "")
{
    const std::string entries = ImageEntries(W, H, 1, "/DeviceGray", "/Filter /FlateDecode" + more);
    return std::to_string(pdf.HiddenImage(entries, Deflated(BilevelRows(W, H))));
}

// Stored data, device spaces and every filter.
std::vector<PictureCase> FilterCases()
{
    const std::string flate = "/Filter /FlateDecode";
    const std::string lzw = "/Filter /LZWDecode";
    const std::string runLength = "/Filter /RunLengthDecode";
    return {

        {"DctStored", MadeFile("photo.pdf"), "-j", "raw"},
        {"JpxStored", MadeFile("photo_jp2.pdf"), "-jp2", "raw"},
        {"FlateGray1", Single(ImageEntries(W, H, 1, "/DeviceGray", flate), [] { return Deflated(BilevelRows(W, H)); })},
        {"FlateGray8",
         Single(ImageEntries(W, H, 8, "/DeviceGray", flate), [] { return Deflated(SampleRows(W, H, 1)); })},
        {"FlateRgb", Single(ImageEntries(W, H, 8, "/DeviceRGB", flate), [] { return Deflated(SampleRows(W, H, 3)); })},
        {"FlateIndexedRgb",
         Single(ImageEntries(W, H, 8, "[/Indexed /DeviceRGB 255 " + Hex(Lookup(256, 3)) + "]", flate),
                [] { return Deflated(IndexRows()); })},
        {"FlateIndexedGray",
         Single(ImageEntries(W, H, 8, "[/Indexed /DeviceGray 255 " + Hex(Lookup(256, 1)) + "]", flate),
                [] { return Deflated(IndexRows()); })},
        {"PngPredictor1Bit", MadeFile("png_1.pdf")},
        {"PngPredictorGray", MadeFile("png_gray.pdf")},
        {"PngPredictorPalette", MadeFile("png_pal.pdf")},
        {"PngPredictorRgb", MadeFile("png_rgb.pdf")},
        {"TiffPredictorGray",
         Single(ImageEntries(W, H, 8, "/DeviceGray", flate + " /DecodeParms << /Predictor 2 /Colors 1 /Columns 40 >>"),
                [] { return Deflated(TiffPredicted(SampleRows(W, H, 1), W, 1)); })},
        {"TiffPredictorRgb",
         Single(ImageEntries(W, H, 8, "/DeviceRGB", flate + " /DecodeParms << /Predictor 2 /Colors 3 /Columns 40 >>"),
                [] { return Deflated(TiffPredicted(SampleRows(W, H, 3), W * 3, 3)); })},
        {"LzwGray", Single(ImageEntries(W, H, 8, "/DeviceGray", lzw), [] { return Made("lzw_gray.bin"); })},
        {"LzwRgb", Single(ImageEntries(W, H, 8, "/DeviceRGB", lzw), [] { return Made("lzw_rgb.bin"); })},
        {"CcittG4", Ccitt("g4.bin", "/K -1 /Columns 40 /Rows 20")},
        {"CcittG4BlackIs1", Ccitt("g4.bin", "/K -1 /Columns 40 /Rows 20 /BlackIs1 true")},
        {"CcittG3WithEol", Ccitt("g3.bin", "/K 0 /Columns 40 /Rows 20 /EndOfLine true")},
        {"CcittG3BlackIs1", Ccitt("g3.bin", "/K 0 /Columns 40 /Rows 20 /EndOfLine true /BlackIs1 true")},
        {"Jbig2", Jbig2Pdf, "-png", "pixels", 1, nullptr, nullptr, "/JBIG2Decode"},
        {"Jbig2Globals", Jbig2WithGlobals("")},
        {"Jbig2FlateGlobals", Jbig2WithGlobals("/FlateDecode")},
        {"Jbig2FlateArrayGlobals", Jbig2WithGlobals("[/FlateDecode]")},
        {"Jbig2AfterFlateStep", Jbig2AfterFlateStep},
        {"RunLengthGray",
         Single(ImageEntries(W, H, 8, "/DeviceGray", runLength), [] { return RunLengthCoded(SampleRows(W, H, 1)); })},
        {"RunLengthRgb",
         Single(ImageEntries(W, H, 8, "/DeviceRGB", runLength), [] { return RunLengthCoded(SampleRows(W, H, 3)); })},
    };
}

// CMYK samples, ICC-based and indexed spaces.
std::vector<PictureCase> ColorCases()
{
    const std::string flate = "/Filter /FlateDecode";
    const std::string lzw = "/Filter /LZWDecode";
    const std::string runLength = "/Filter /RunLengthDecode";
    return {
        {"CmykFlate", Single(ImageEntries(W, H, 8, "/DeviceCMYK", flate), [] { return Deflated(SampleRows(W, H, 4)); }),
         "-tiff"},
        {"CmykUnfiltered", Single(ImageEntries(W, H, 8, "/DeviceCMYK"), [] { return Text(SampleRows(W, H, 4)); }),
         "-tiff"},
        {"CmykLzw", Single(ImageEntries(W, H, 8, "/DeviceCMYK", lzw), [] { return Made("lzw_cmyk.bin"); }), "-tiff"},
        {"CmykRunLength",
         Single(ImageEntries(W, H, 8, "/DeviceCMYK", runLength), [] { return RunLengthCoded(SampleRows(W, H, 4)); }),
         "-tiff"},
        {"IccBasedGray", IccBased(1, "", SampleRows(W, H, 1))},
        {"IccBasedRgb", IccBased(3, "", SampleRows(W, H, 3))},
        {"IccBasedCmyk", IccBased(4, "", SampleRows(W, H, 4)), "-tiff"},
        {"IndexedIccBased", IccBased(3, Hex(Lookup(256, 3)), IndexRows())},
        {"IndexedCmyk",
         Single(ImageEntries(W, H, 8, "[/Indexed /DeviceCMYK 255 " + Hex(Lookup(256, 4)) + "]", flate),
                [] { return Deflated(IndexRows()); }),
         "-tiff", "pixels", 1,
         Single(ImageEntries(W, H, 8, "/DeviceCMYK", flate), [] { return Deflated(ExpandedCmyk()); })},
    };
}

// Decode parameters, filter chains, /Decode and where the search finds pictures.
std::vector<PictureCase> StructureCases()
{
    const std::string flate = "/Filter /FlateDecode";
    const std::string lzw = "/Filter /LZWDecode";
    const std::string runLength = "/Filter /RunLengthDecode";
    return {
        {"DecodeParmsByReference", ParmsByReference(false)},
        {"DecodeParmsArrayOfReferences", ParmsByReference(true)},
        // The JPEG codec decodes with libjpeg's floating-point IDCT, which
        // poppler does not use: djpeg with the same IDCT is the reference.
        {"FlateThenDct",
         Single(ImageEntries(W, H, 8, "/DeviceRGB", "/Filter [/FlateDecode /DCTDecode]"),
                [] { return Deflated(ZAVTest::ReadBytes(MadePictures() + "/photo.jpg")); }),
         "-png", "pixels", 1, nullptr,
         [](const std::string& folder) {
             const std::string ppm = folder + "/djpeg.ppm";
             const ZAVTest::RunResult run = ZAVTest::Run("djpeg -dct float -outfile " + ZAVTest::ShellQuote(ppm) + " " +
                                                         ZAVTest::ShellQuote(MadePictures() + "/photo.jpg"));
             EXPECT_EQ(run.exitCode, 0) << run.output;
             return ppm;
         }},
        {"DecodeInverted", Single(ImageEntries(W, H, 1, "/DeviceGray", flate + " /Decode [1 0]"),
                                  [] { return Deflated(BilevelRows(W, H)); })},
        {"InsideFormXObject",
         [] {
             PicturePdf pdf;
             const std::string image = FlateGray1(pdf);
             pdf.Paint(pdf.Stream("/Type /XObject /Subtype /Form /BBox [0 0 1 1] /Resources << /XObject << /Im " +
                                      image + " 0 R >> >>",
                                  "/Im Do"),
                       "Fm");
             return pdf.Build();
         }},
        {"UsedTwice",
         [] {
             PicturePdf pdf;
             const int image = std::stoi(FlateGray1(pdf));
             pdf.Paint(image);
             pdf.Paint(image);
             return pdf.Build();
         }},
        {"SoftMaskNotCollected",
         [] {
             PicturePdf pdf;
             const int mask = pdf.HiddenImage(ImageEntries(W, H, 8, "/DeviceGray", "/Filter /FlateDecode"),
                                              Deflated(SampleRows(W, H, 1)));
             pdf.Image(
                 ImageEntries(W, H, 8, "/DeviceRGB", "/Filter /FlateDecode /SMask " + std::to_string(mask) + " 0 R"),
                 Deflated(SampleRows(W, H, 3)));
             return pdf.Build();
         }},
    };
}

std::vector<PictureCase> Cases()
{
    std::vector<PictureCase> cases = FilterCases();
    for (auto more : {ColorCases(), StructureCases()})
        cases.insert(cases.end(), more.begin(), more.end());
    return cases;
}

class PagePicturesTable : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PagePicturesTable, EqualsWhatPdfimagesWrites)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    ASSERT_TRUE(ZAVTest::HaveTool("img2pdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    const PictureCase& c = GetParam();
    ZAVTest::TempDir dir;
    const std::string pdf = dir.File("case.pdf");
    ZAVTest::WriteText(pdf, c.pdf());
    const ExtractedPictures ours = ExtractPictures(pdf, dir.Path());
    ASSERT_EQ(ours.files.size(), c.pictures) << ours.log;
    if (c.decodedBy) {
        EXPECT_NE(ours.log.find(std::string(") ") + c.decodedBy + "\n"), std::string::npos) << ours.log;
    }

    std::string referencePdf = pdf;
    if (c.reference) {
        referencePdf = dir.File("reference.pdf");
        ZAVTest::WriteText(referencePdf, c.reference());
    }
    const std::string reference =
        c.otherReader ? c.otherReader(dir.Path()) : PdfimagesPicture(referencePdf, c.option, 0, dir.Path());
    ASSERT_FALSE(reference.empty()) << "pdfimages wrote no picture";
    EXPECT_EQ(ComparePictures(ours.files[0], reference, c.kind), "same") << ours.log;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PagePicturesTable, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

}  // namespace

}  // namespace ZAVPictureTest
