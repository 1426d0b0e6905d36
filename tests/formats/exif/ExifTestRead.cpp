#include "ExifTestRead.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/exif/ExifRead.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"

namespace ZAVTest {

ExifReadResult CollectExif(ZAV::CExifRead& reader, bool ok)
{
    ExifReadResult result;
    result.ok = ok;
    result.lastError = reader.GetLastError();
    std::vector<std::string> texts;
    reader.GetEntries(texts);
    for (size_t i = 0; i + 4 < texts.size(); i += 5)
        result.entries.push_back(ExifTexts{std::atoi(texts[i].c_str()), std::atoi(texts[i + 1].c_str()), texts[i + 2],
                                           texts[i + 3], texts[i + 4]});
    const ZAV::CZAVImg* image = reader.GetThumbnailImage();
    if (image->HasImage()) {
        result.thumbnailWidth = image->GetWidth();
        result.thumbnailHeight = image->GetHeight();
        const uint8_t* bytes = static_cast<const uint8_t*>(image->GetImageData());
        result.thumbnailPixels.assign(bytes, bytes + image->GetImageSize());
    }
    return result;
}

ExifReadResult ReadExifMemory(const Bytes& data, int thumbnailFlag)
{
    ZAV::CExifRead reader(data.data(), data.size(), thumbnailFlag);
    const bool ok = reader.Read();
    return CollectExif(reader, ok);
}

ExifReadResult ReadExifFile(const std::string& path, int thumbnailFlag)
{
    ZAV::CExifRead reader(path.c_str(), thumbnailFlag);
    const bool ok = reader.Read();
    return CollectExif(reader, ok);
}

const ExifTexts* FindExif(const ExifReadResult& result, int group, int tag)
{
    for (const ExifTexts& entry : result.entries)
        if (entry.group == group && entry.tag == tag)
            return &entry;
    return nullptr;
}

Bytes CjpegPicture(int width, int height)
{
    EXPECT_TRUE(HaveTool("cjpeg"));
    TempDir dir;
    std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            ppm.push_back(char(x * 255 / width));
            ppm.push_back(char(y * 255 / height));
            ppm.push_back(char((x + y) * 4));
        }
    WriteText(dir.File("in.ppm"), ppm);
    const RunResult run =
        Run("cjpeg -quality 95 -outfile " + ShellQuote(dir.File("out.jpg")) + " " + ShellQuote(dir.File("in.ppm")));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return ReadBytes(dir.File("out.jpg"));
}

}  // namespace ZAVTest
