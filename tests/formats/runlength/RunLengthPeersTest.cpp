// The /RunLengthDecode decoder against outside producers: the PackBits
// strips libtiff writes, and the pixels pdfimages takes from a PDF picture.
#include "formats/runlength/RunLengthDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

using namespace ZAV;
using ZAVTest::ShellQuote;

std::vector<unsigned char> Decode(const std::vector<uint8_t>& data, int width, int height, int depth)
{
    CArraySimple<unsigned char, 1> out;
    DecodeRunLengthRows(data.data(), data.size(), width, height, depth, out);
    return std::vector<unsigned char>(out.GetData(), out.GetData() + out.GetSize());
}

// Runs a Python snippet with Pillow; the snippet's exit code must be 0.
void RunPython(const ZAVTest::TempDir& dir, const std::string& script)
{
    const std::string path = dir.File("script.py");
    ZAVTest::WriteText(path, script);
    const ZAVTest::RunResult result = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(path));
    ASSERT_EQ(result.exitCode, 0) << result.output;
}

TEST(RunLengthPeers, TiffPackBitsStripsDecodeToTheTiffPixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    const struct {
        const char* mode;
        int depth;
    } cases[] = {{"L", 8}, {"RGB", 24}, {"1", 1}};
    for (const auto& c : cases) {
        ZAVTest::TempDir dir;
        // A picture with long runs and noisy stretches, its raw rows, and its
        // strips as tiffcp codes them with PackBits, one strip.
        RunPython(dir, std::string("from PIL import Image\nimport random\nrandom.seed(7)\n"
                                   "im = Image.new('") +
                           c.mode +
                           "', (67, 23))\n"
                           "px = im.load()\n"
                           "for y in range(23):\n"
                           "    for x in range(67):\n"
                           "        v = 255 if x < 20 else random.randrange(256) if x < 40 else (y * 9) % 256\n"
                           "        px[x, y] = (v, 255 - v, x * 3 % 256) if im.mode == 'RGB' else (v > 127 if im.mode "
                           "== '1' else v)\n"
                           "im.save('" +
                           dir.File("plain.tif") + "')\nopen('" + dir.File("raw.bin") +
                           "', 'wb').write(im.tobytes())\n");
        const std::string packed = dir.File("packed.tif");
        ASSERT_EQ(
            ZAVTest::Run("tiffcp -c packbits -r 1000 " + ShellQuote(dir.File("plain.tif")) + " " + ShellQuote(packed))
                .exitCode,
            0);
        RunPython(dir, "from PIL import Image\nim = Image.open('" + packed +
                           "')\nassert im.tag_v2[259] == 32773\n"
                           "data = open('" +
                           packed +
                           "', 'rb').read()\n"
                           "strips = b''.join(data[o:o + n] for o, n in zip(im.tag_v2[273], im.tag_v2[279]))\n"
                           "open('" +
                           dir.File("strips.bin") + "', 'wb').write(strips)\n");
        const std::vector<uint8_t> raw = ZAVTest::ReadBytes(dir.File("raw.bin"));
        const std::vector<uint8_t> strips = ZAVTest::ReadBytes(dir.File("strips.bin"));
        EXPECT_EQ(Decode(strips, 67, 23, c.depth), std::vector<unsigned char>(raw.begin(), raw.end())) << c.mode;
    }
}

// PackBits of the rows: a repeat for each run of three or more, literals
// between, the end code last.
std::vector<uint8_t> PackRows(const std::vector<uint8_t>& rows)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < rows.size()) {
        size_t run = 1;
        while (i + run < rows.size() && rows[i + run] == rows[i] && run < 128)
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(257 - run));
            out.push_back(rows[i]);
            i += run;
            continue;
        }
        const size_t literal = std::min<size_t>(run, 128);
        out.push_back(static_cast<uint8_t>(literal - 1));
        out.insert(out.end(), rows.begin() + long(i), rows.begin() + long(i + literal));
        i += literal;
    }
    out.push_back(128);
    return out;
}

// A one-page PDF whose only picture is a /RunLengthDecode gray image.
std::string PdfWithPicture(const std::vector<uint8_t>& stream, int width, int height)
{
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " + std::to_string(height) +
            "] /Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R >>",
        "<< /Type /XObject /Subtype /Image /Width " + std::to_string(width) + " /Height " + std::to_string(height) +
            " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /RunLengthDecode /Length " +
            std::to_string(stream.size()) + " >>\nstream\n" + std::string(stream.begin(), stream.end()) + "\nendstream",
    };
    const std::string content = "q " + std::to_string(width) + " 0 0 " + std::to_string(height) + " 0 0 cm /Im0 Do Q";
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream");
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

TEST(RunLengthPeers, SamePixelsAsPdfimages)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    const int width = 50;
    const int height = 12;
    std::vector<uint8_t> rows(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[y * width + x] = static_cast<uint8_t>(x < 25 ? 200 : (x * 37 + y * 11) % 256);
    const std::vector<uint8_t> stream = PackRows(rows);
    ZAVTest::TempDir dir;
    const std::string pdf = dir.File("rle.pdf");
    ZAVTest::WriteText(pdf, PdfWithPicture(stream, width, height));
    ASSERT_EQ(ZAVTest::Run("qpdf --check " + ShellQuote(pdf)).exitCode, 0);
    ASSERT_EQ(ZAVTest::Run("pdfimages -png " + ShellQuote(pdf) + " " + ShellQuote(dir.File("img"))).exitCode, 0);
    RunPython(dir, "from PIL import Image\nopen('" + dir.File("peer.bin") + "', 'wb').write(Image.open('" +
                       dir.File("img-000.png") + "').convert('L').tobytes())\n");
    const std::vector<uint8_t> peer = ZAVTest::ReadBytes(dir.File("peer.bin"));
    EXPECT_EQ(Decode(stream, width, height, 8), std::vector<unsigned char>(peer.begin(), peer.end()));
    EXPECT_EQ(peer, rows);
}

}  // namespace
