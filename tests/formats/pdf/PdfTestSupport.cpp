#include "formats/pdf/PdfTestSupport.h"

#include <cstdlib>
#include <sstream>

#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFEncoder.h"
#include "support/TestSupport.h"

using namespace ZAV;
using ZAVTest::Run;
using ZAVTest::ShellQuote;

namespace ZAVPdfTest {

namespace {

uint8_t PatternByte(int x, int y, int depth)
{
    if (depth == 1)
        return static_cast<uint8_t>((((x / 3) + (y / 3)) % 2 == 0) || x == y);
    return static_cast<uint8_t>((x * 7 + y * 13) & 0xFF);
}

void FillPalette(CZAVImg& image)
{
    CImagePalette& palette = image.GetPalette();
    if (image.GetBitsPerPixel() != 8)
        return;
    for (int i = 0; i < palette.GetCount(); ++i)
        palette.SetEntry(
            i, MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>((i * 5) & 0xFF)));
}

}  // namespace

void MakePicture(CZAVImg& image, int width, int height, int bitsPerPixel, int dpi)
{
    image.Create(width, height, bitsPerPixel);
    image.SetXResolution(dpi);
    image.SetYResolution(dpi);
    FillPalette(image);
    BYTE** rows = image.GetLineArray();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel == 1) {
                if (PatternByte(x, y, 1))
                    rows[y][x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else if (bitsPerPixel == 8)
                rows[y][x] = PatternByte(x, y, 8);
            else {
                rows[y][3 * x] = static_cast<BYTE>(x * 255 / (width > 1 ? width - 1 : 1));
                rows[y][3 * x + 1] = static_cast<BYTE>(y * 255 / (height > 1 ? height - 1 : 1));
                rows[y][3 * x + 2] = static_cast<BYTE>((x + y) * 3);
            }
        }
}

std::vector<uint8_t> ExpectedRgb(const CZAVImg& image)
{
    std::vector<uint8_t> rgb;
    CZAVImg& pixels = const_cast<CZAVImg&>(image);
    BYTE** rows = pixels.GetLineArray();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (image.GetBitsPerPixel() == 24) {
                rgb.insert(rgb.end(), rows[y] + 3 * x, rows[y] + 3 * x + 3);
                continue;
            }
            const int index = image.GetBitsPerPixel() == 1 ? (rows[y][x / 8] >> (7 - x % 8)) & 1 : rows[y][x];
            uint32_t entry = 0;
            image.GetPalette().GetEntry(index, entry);
            rgb.push_back(PaletteRed(entry));
            rgb.push_back(PaletteGreen(entry));
            rgb.push_back(PaletteBlue(entry));
        }
    return rgb;
}

void SavePdf(CZAVImg& image, const std::string& path)
{
    SaveMultiPdf(image, {&image}, path);
}

void SaveMultiPdf(CZAVImg& owner, std::vector<CZAVImg*> pages, const std::string& path)
{
    CDataSource file;
    if (!file.OpenFileForWriting(path.c_str(), false))
        throw CTextException("test: can't open the PDF for writing");
    CPDFEncoder encoder;
    uint32_t bytes = 0;
    encoder.SaveMultiPicture(&owner, pages.data(), static_cast<int>(pages.size()), &file, 0, &bytes);
    file.Close();
}

std::string QpdfProblems(const std::string& path)
{
    const ZAVTest::RunResult result = Run("qpdf --check " + ShellQuote(path));
    return result.exitCode == 0 ? std::string() : result.output + " (exit " + std::to_string(result.exitCode) + ")";
}

std::vector<ListedImage> ListImages(const std::string& path)
{
    std::vector<ListedImage> images;
    const ZAVTest::RunResult result = Run("pdfimages -list " + ShellQuote(path));
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ListedImage image;
        std::string number, type, components, interpolate;
        if (!(fields >> image.page >> number >> type >> image.width >> image.height >> image.colour >> components >>
              image.bitsPerComponent >> image.encoding >> interpolate >> image.object))
            continue;
        images.push_back(image);
    }
    return images;
}

std::vector<uint8_t> RawStreamData(const std::string& path, int object)
{
    const std::string raw = path + ".stream" + std::to_string(object);
    Run("qpdf --show-object=" + std::to_string(object) + " --raw-stream-data " + ShellQuote(path) + " > " +
        ShellQuote(raw));
    return ZAVTest::ReadBytes(raw);
}

std::vector<uint8_t> PillowPixels(const std::string& path, const std::string& mode, int& width, int& height)
{
    const std::string raw = path + ".pixels";
    const ZAVTest::RunResult read =
        Run("/usr/bin/python3 -c \"import sys; from PIL import Image; i = Image.open(sys.argv[1]); "
            "i = i.convert(sys.argv[3]) if sys.argv[3] else i; open(sys.argv[2], 'wb').write(i.tobytes()); "
            "print(i.size[0], i.size[1])\" " +
            ShellQuote(path) + " " + ShellQuote(raw) + " " + ShellQuote(mode));
    std::istringstream size(read.output);
    width = height = 0;
    if (read.exitCode != 0 || !(size >> width >> height))
        return {};
    return ZAVTest::ReadBytes(raw);
}

Render RenderPage(const std::string& tool, const std::string& path, int dpi, int page)
{
    Render render;
    const std::string png = path + "." + tool + ".png";
    // Poppler smooths images it draws at less than four times their size,
    // so its render is made at four times the resolution and read back at
    // each 4 x 4 block's centre.
    const int scale = tool == "gs" ? 1 : 4;
    const std::string r = std::to_string(dpi * scale);
    const std::string p = std::to_string(page);
    const std::string command =
        tool == "gs" ? "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r" + r + " -dFirstPage=" + p +
                           " -dLastPage=" + p + " -sOutputFile=" + ShellQuote(png) + " " + ShellQuote(path)
                     : "pdftoppm -png -aa no -aaVector no -r " + r + " -f " + p + " -l " + p + " -singlefile " +
                           ShellQuote(path) + " " + ShellQuote(path + "." + tool);
    const ZAVTest::RunResult made = Run(command);
    if (made.exitCode != 0) {
        render.problem = tool + " failed: " + made.output;
        return render;
    }
    const std::string raw = png + ".rgb";
    const ZAVTest::RunResult read =
        Run("/usr/bin/python3 -c \"import sys; from PIL import Image; s = int(sys.argv[3]); i = "
            "Image.open(sys.argv[1]).convert('RGB'); "
            "i = i.resize((i.size[0] // s, i.size[1] // s), Image.NEAREST) if s > 1 else i; "
            "open(sys.argv[2], 'wb').write(i.tobytes()); print(i.size[0], i.size[1])\" " +
            ShellQuote(png) + " " + ShellQuote(raw) + " " + std::to_string(scale));
    std::istringstream size(read.output);
    if (read.exitCode != 0 || !(size >> render.width >> render.height)) {
        render.problem = "Pillow failed: " + read.output;
        return render;
    }
    render.rgb = ZAVTest::ReadBytes(raw);
    return render;
}

int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size())
        return -1;
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i])));
    return largest;
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size() || a.empty())
        return -1;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    return sum / static_cast<double>(a.size());
}

}  // namespace ZAVPdfTest
