#include "PictureChecks.h"

#include <gtest/gtest.h>

#include <glob.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "foundation/objects/ZAVCastSp.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "support/TestSupport.h"

namespace ZAVPictureTest {

using namespace ZAV;
using ZAVTest::ShellQuote;

namespace {

std::string SavePicture(IZAVNameValuePairsSp* information, IZAVObjectSp* picture, const std::string& stem)
{
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    if (cast->IsImageEditSp(picture)) {
        CZAVPtr<IZAVImageEditSp> image(static_cast<IZAVImageEditSp*>(picture->QueryInterface(zaviidImageEdit)), true);
        image->SaveToFile(stem + ".png", 6);
        return stem + ".png";
    }
    const std::string name = stem + "." + information->GetValue("Extension");
    EXPECT_TRUE(cast->ToArrayByteSp(picture)->SaveToFile(name));
    return name;
}

}  // namespace

ExtractedPictures ExtractPictures(const std::string& pdf, const std::string& folder, int page)
{
    ExtractedPictures result;
    const std::string log = folder + "/extract.log";
    std::remove(log.c_str());
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocumentSp();
    document->SetLogFileName(log);
    document->SetJpeg2000PluginPath(ZAVTest::BinPath("ZAVJ2k20.so"));
    document->SetJbig2PluginPath(ZAVTest::BinPath("ZAVJbg20.so"));
    document->Load(pdf);
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    {
        CZAVPtr<IZAVPdfPageSp> pageObject = document->GetPage(page - 1);
        CZAVPtr<IZAVArrayObjectSp> pictures = pageObject->GetPictures(1);
        for (int i = 0; i + 1 < pictures->GetSize(); i += 2) {
            CZAVPtr<IZAVNameValuePairsSp> information = cast->ToNameValuePairsSp(pictures->GetAt(i).Get());
            const std::string stem = folder + "/ours-" + std::to_string(i / 2);
            result.files.push_back(SavePicture(information.Get(), pictures->GetAt(i + 1).Get(), stem));
        }
    }
    if (ZAVTest::FileExists(log))
        result.log = ZAVTest::ReadText(log);
    return result;
}

std::string PdfimagesPicture(const std::string& pdf, const std::string& option, int index, const std::string& folder)
{
    const std::string stem = folder + "/ref" + option;
    const ZAVTest::RunResult run = ZAVTest::Run("pdfimages " + option + " " + ShellQuote(pdf) + " " + ShellQuote(stem));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    char pattern[64];
    std::snprintf(pattern, sizeof pattern, "-%03d.*", index);
    glob_t found;
    std::string name;
    if (glob((stem + pattern).c_str(), 0, nullptr, &found) == 0 && found.gl_pathc > 0)
        name = found.gl_pathv[0];
    globfree(&found);
    return name;
}

std::vector<std::string> PdfimagesPageImages(const std::string& pdf, int page, const std::string& folder)
{
    const std::string pages = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
    const std::string stem = folder + "/refpage" + std::to_string(page);
    const ZAVTest::RunResult list = ZAVTest::Run("pdfimages -list" + pages + ShellQuote(pdf));
    EXPECT_EQ(list.exitCode, 0) << list.output;
    const ZAVTest::RunResult run = ZAVTest::Run("pdfimages -png" + pages + ShellQuote(pdf) + " " + ShellQuote(stem));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    // After two heading lines, one line per written picture: page, number,
    // type ("image", "smask", ...).
    std::vector<std::string> files;
    std::istringstream lines(list.output);
    std::string line;
    for (int row = -2; std::getline(lines, line); ++row) {
        std::istringstream fields(line);
        std::string pageText, number, type;
        if (row < 0 || !(fields >> pageText >> number >> type) || type != "image")
            continue;
        char name[32];
        std::snprintf(name, sizeof name, "-%03d.png", row);
        files.push_back(stem + name);
    }
    return files;
}

std::string ComparePictures(const std::string& ours, const std::string& reference, const std::string& kind)
{
    const ZAVTest::RunResult run =
        ZAVTest::Run("/usr/bin/python3 " + ShellQuote(ZAVTest::DataPath("pictures/compare_pictures.py")) + " " +
                     ShellQuote(ours) + " " + ShellQuote(reference) + " " + kind);
    std::string text = run.output;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

const std::string& MadePictures()
{
    static std::unique_ptr<ZAVTest::TempDir> folder;
    if (!folder) {
        folder.reset(new ZAVTest::TempDir());
        const ZAVTest::RunResult made =
            ZAVTest::Run("/usr/bin/python3 " + ShellQuote(ZAVTest::DataPath("pictures/make_pictures.py")) + " " +
                         ShellQuote(folder->Path()));
        EXPECT_EQ(made.exitCode, 0) << made.output;
    }
    return folder->Path();
}

}  // namespace ZAVPictureTest
