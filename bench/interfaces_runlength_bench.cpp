// /RunLengthDecode through the image-edit object's Encode facet: an A4 gray
// page at 200 dpi coded and decoded, beside pdfimages -png taking the same
// stream out of a one-page PDF.
//
//   build/release/bin/interfaces_runlength_bench [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

namespace {

using namespace ZAV;

constexpr int kWidth = 1654;  // A4 at 200 dpi
constexpr int kHeight = 2339;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// White paper with lines of dark "text" blocks and a gray photo-like band.
CZAVPtr<IZAVImageEditSp> MakePage()
{
    CZAVPtr<IZAVImageEditSp> page = CreateImageEditSp();
    page->Create(kWidth, kHeight, zavbpp8);
    page->GetPalette()->CreateGrayScale();
    auto* pixels = static_cast<unsigned char*>(page->GetImageData());
    uint32_t noise = 1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            unsigned char value = 255;
            if (y > 1500 && y < 1900 && x > 200 && x < 1450)
                value = static_cast<unsigned char>((x + y) / 8 + (noise >> 29));
            else if (y % 40 < 22 && x > 150 && x < 1500 && (x / 9 + y / 40) % 7 != 0)
                value = (x % 9 < 6) ? 20 : 255;
            pixels[static_cast<size_t>(y) * kWidth + x] = value;
        }
    return page;
}

void WritePdf(const std::string& path, const std::vector<unsigned char>& stream)
{
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /XObject << /Im0 4 0 R >> >> >>",
        "<< /Type /XObject /Subtype /Image /Width " + std::to_string(kWidth) + " /Height " + std::to_string(kHeight) +
            " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /RunLengthDecode /Length " +
            std::to_string(stream.size()) + " >>\nstream\n" + std::string(stream.begin(), stream.end()) +
            "\nendstream"};
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    std::ofstream(path, std::ios::binary) << pdf;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    CZAVPtr<IZAVImageEditSp> page = MakePage();

    auto start = std::chrono::steady_clock::now();
    CZAVPtr<IZAVArrayByteSp> coded;
    for (int i = 0; i < rounds; ++i)
        coded = page->GetEncode()->EncodeRunLength();
    const double encode = SecondsSince(start) / rounds;
    std::vector<unsigned char> stream(static_cast<size_t>(coded->GetSize()));
    for (int32_t i = 0; i < coded->GetSize(); ++i)
        stream[static_cast<size_t>(i)] = coded->GetAt(i);
    const CArraySimple<unsigned char, 1> data(stream.data(), static_cast<int32_t>(stream.size()));

    start = std::chrono::steady_clock::now();
    CZAVPtr<IZAVArrayByteSp> pixels;
    for (int i = 0; i < rounds; ++i)
        pixels = page->GetEncode()->DecodeRunLength(kWidth, kHeight, zavbpp8, data);
    const double decode = SecondsSince(start) / rounds;

    const std::string pdf = "/tmp/zav_runlength_bench.pdf";
    WritePdf(pdf, stream);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        if (std::system(("pdfimages -png " + pdf + " /tmp/zav_runlength_bench").c_str()) != 0)
            return 1;
    const double peer = SecondsSince(start) / rounds;

    std::printf("A4 gray page %d x %d, %zu bytes coded (%.1f %% of %d)\n", kWidth, kHeight, stream.size(),
                100.0 * double(stream.size()) / (double(kWidth) * kHeight), kWidth * kHeight);
    std::printf("EncodeRunLength: %.4f s\nDecodeRunLength: %.4f s\npdfimages -png (whole run): %.4f s\n", encode,
                decode, peer);
    std::printf("decode / pdfimages: %.2f\n", decode / peer);
    return pixels->GetSize() == kWidth * kHeight ? 0 : 1;
}
