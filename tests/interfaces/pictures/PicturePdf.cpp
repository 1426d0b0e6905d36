#include "PicturePdf.h"

#include "foundation/coding/ZlibCoding.h"

namespace ZAVPictureTest {

PicturePdf::PicturePdf()
{
    m_catalog = m_builder.Reserve();
    m_pages = m_builder.Reserve();
    m_page = m_builder.Reserve();
}

int PicturePdf::Image(const std::string& entries, const std::string& data)
{
    const int number = HiddenImage(entries, data);
    Paint(number);
    return number;
}

int PicturePdf::HiddenImage(const std::string& entries, const std::string& data)
{
    return Stream("/Type /XObject /Subtype /Image " + entries, data);
}

void PicturePdf::Paint(int number, const char* prefix)
{
    const std::string name = "/" + std::string(prefix) + std::to_string(m_names++);
    m_resources += name + " " + std::to_string(number) + " 0 R ";
    m_content += "q 10 0 0 10 0 0 cm " + name + " Do Q\n";
}

std::string PicturePdf::Build() const
{
    ZAVTest::PdfFileBuilder builder = m_builder;
    const int content = builder.AddStream("", m_content);
    builder.Set(m_catalog, "<< /Type /Catalog /Pages " + std::to_string(m_pages) + " 0 R >>");
    builder.Set(m_pages, "<< /Type /Pages /Kids [" + std::to_string(m_page) + " 0 R] /Count 1 >>");
    builder.Set(m_page, "<< /Type /Page /Parent " + std::to_string(m_pages) +
                            " 0 R /MediaBox [0 0 20 20] /Resources << /XObject << " + m_resources + ">> >> /Contents " +
                            std::to_string(content) + " 0 R >>");
    return builder.Build(m_catalog);
}

std::string ImageEntries(int width, int height, int bits, const std::string& colorSpace, const std::string& more)
{
    std::string entries = "/Width " + std::to_string(width) + " /Height " + std::to_string(height) +
                          " /BitsPerComponent " + std::to_string(bits);
    if (!colorSpace.empty())
        entries += " /ColorSpace " + colorSpace;
    return more.empty() ? entries : entries + " " + more;
}

std::string Text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string Deflated(const Bytes& bytes)
{
    return Text(ZAV::ZlibCompress(bytes.data(), bytes.size()));
}

std::string RunLengthCoded(const Bytes& bytes)
{
    std::string coded;
    size_t i = 0;
    while (i < bytes.size()) {
        size_t run = 1;
        while (i + run < bytes.size() && run < 128 && bytes[i + run] == bytes[i])
            ++run;
        if (run >= 3) {
            coded += static_cast<char>(257 - run);
            coded += static_cast<char>(bytes[i]);
            i += run;
            continue;
        }
        size_t literal = 0;
        while (i + literal < bytes.size() && literal < 128 &&
               !(i + literal + 2 < bytes.size() && bytes[i + literal] == bytes[i + literal + 1] &&
                 bytes[i + literal] == bytes[i + literal + 2]))
            ++literal;
        coded += static_cast<char>(literal - 1);
        coded.append(reinterpret_cast<const char*>(bytes.data() + i), literal);
        i += literal;
    }
    coded += static_cast<char>(128);
    return coded;
}

Bytes PngPredicted(const Bytes& rows, int rowBytes, int pixelBytes)
{
    Bytes out;
    for (size_t y = 0; y * rowBytes < rows.size(); ++y) {
        const uint8_t* row = rows.data() + y * rowBytes;
        const bool sub = y % 2 == 1;
        out.push_back(sub ? 1 : 0);
        for (int x = 0; x < rowBytes; ++x)
            out.push_back(static_cast<uint8_t>(row[x] - (sub && x >= pixelBytes ? row[x - pixelBytes] : 0)));
    }
    return out;
}

Bytes TiffPredicted(const Bytes& rows, int rowBytes, int pixelBytes)
{
    Bytes out(rows);
    for (size_t y = 0; y * rowBytes < rows.size(); ++y)
        for (int x = pixelBytes; x < rowBytes; ++x)
            out[y * rowBytes + x] = static_cast<uint8_t>(rows[y * rowBytes + x] - rows[y * rowBytes + x - pixelBytes]);
    return out;
}

Bytes BilevelRows(int width, int height)
{
    const int rowBytes = (width + 7) / 8;
    Bytes rows(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * y + x) % 5 < 2)
                rows[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    return rows;
}

Bytes SampleRows(int width, int height, int components)
{
    Bytes rows;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                // Runs of equal samples on the left half, so run-length
                // data holds both kinds of run.
                rows.push_back(static_cast<uint8_t>(x < width / 2 ? (y * 16 + c * 70) : (x * 7 + y * 13 + c * 50)));
    return rows;
}

}  // namespace ZAVPictureTest
