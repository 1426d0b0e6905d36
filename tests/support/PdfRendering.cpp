#include "support/PdfRendering.h"

#include "support/TestSupport.h"

#include <cctype>
#include <cstdio>

namespace ZAVTest {

namespace {

// The next header number of a PPM, skipping blanks and # comments.
bool ReadHeaderNumber(const std::vector<uint8_t>& bytes, size_t& at, int& value)
{
    for (;;) {
        while (at < bytes.size() && std::isspace(bytes[at]))
            ++at;
        if (at < bytes.size() && bytes[at] == '#') {
            while (at < bytes.size() && bytes[at] != '\n')
                ++at;
            continue;
        }
        break;
    }
    if (at >= bytes.size() || !std::isdigit(bytes[at]))
        return false;
    value = 0;
    while (at < bytes.size() && std::isdigit(bytes[at]))
        value = value * 10 + (bytes[at++] - '0');
    return true;
}

// Poppler smooths pictures it draws at less than four times their size, so
// its pages are drawn four times larger and each block's centre is taken.
constexpr int kPopplerScale = 4;

RgbPicture BlockCentres(const RgbPicture& large, int scale)
{
    RgbPicture picture;
    picture.width = large.width / scale;
    picture.height = large.height / scale;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const size_t at = (static_cast<size_t>(y * scale + scale / 2) * large.width + x * scale + scale / 2) * 3;
            picture.rgb.insert(picture.rgb.end(), large.rgb.begin() + static_cast<long>(at),
                               large.rgb.begin() + static_cast<long>(at + 3));
        }
    return picture;
}

}  // namespace

RgbPicture ReadPpm(const std::string& path)
{
    RgbPicture picture;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    size_t at = 2;
    int width = 0, height = 0, maxValue = 0;
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6' || !ReadHeaderNumber(bytes, at, width) ||
        !ReadHeaderNumber(bytes, at, height) || !ReadHeaderNumber(bytes, at, maxValue) || maxValue != 255)
        return picture;
    ++at;
    const size_t size = static_cast<size_t>(width) * height * 3;
    if (bytes.size() - at < size)
        return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + size));
    return picture;
}

RgbPicture RenderPage(const std::string& tool, const std::string& pdf, int page, int dpi)
{
    const std::string ppm = pdf + "." + tool + "." + std::to_string(page) + ".ppm";
    const std::string pageText = std::to_string(page);
    std::string command;
    if (tool == "gs")
        command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=ppmraw -r" + std::to_string(dpi) +
                  " -dFirstPage=" + pageText + " -dLastPage=" + pageText + " -sOutputFile=" + ShellQuote(ppm) + " " +
                  ShellQuote(pdf);
    else
        command = "pdftoppm -r " + std::to_string(dpi * kPopplerScale) + " -f " + pageText + " -l " + pageText +
                  " -singlefile " + ShellQuote(pdf) + " " + ShellQuote(ppm.substr(0, ppm.size() - 4));
    if (Run(command).exitCode != 0)
        return RgbPicture();
    RgbPicture picture = ReadPpm(ppm);
    std::remove(ppm.c_str());
    return tool == "gs" ? picture : BlockCentres(picture, kPopplerScale);
}

}  // namespace ZAVTest
