#include "image/kernels/support/KernelTestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "support/TestSupport.h"

namespace ZAVTest {

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed)
{
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

RasterImage TestPicture(int width, int height, uint32_t seed)
{
    RasterImage image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    const std::vector<uint8_t> noise = RandomBytes(image.pixels.size(), seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            const bool flat = x < width / 4 && y < height / 4;
            const double wave = 127.5 + 127.5 * std::sin(x * 0.11 + y * 0.07);
            const int base[3] = {x * 255 / std::max(width - 1, 1), y * 255 / std::max(height - 1, 1),
                                 static_cast<int>(wave)};
            for (int c = 0; c < 3; ++c) {
                const int jitter = (noise[i + c] % 33) - 16;
                image.pixels[i + c] = flat ? static_cast<uint8_t>(40 + 90 * c)
                                           : static_cast<uint8_t>(std::min(std::max(base[c] + jitter, 0), 255));
            }
        }
    }
    return image;
}

void WritePnm(const std::string& path, const RasterImage& image)
{
    std::ofstream out(path, std::ios::binary);
    out << (image.channels == 1 ? "P5" : "P6") << "\n" << image.width << " " << image.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
}

RasterImage ReadPnm(const std::string& path)
{
    RasterImage image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (!in || (magic != "P5" && magic != "P6") || maxValue != 255) {
        ADD_FAILURE() << "not a binary PNM of 8-bit samples: " << path;
        return RasterImage();
    }
    image.channels = magic == "P5" ? 1 : 3;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * image.channels);
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    if (!in)
        ADD_FAILURE() << "short PNM data: " << path;
    return image;
}

std::vector<uint8_t> RunPython(const std::string& script, const std::vector<uint8_t>& input)
{
    TempDir dir;
    WriteText(dir.File("check.py"), script);
    WriteBytes(dir.File("in.raw"), input);
    const RunResult result = Run("/usr/bin/python3 " + ShellQuote(dir.File("check.py")) + " " +
                                 ShellQuote(dir.File("in.raw")) + " " + ShellQuote(dir.File("out.raw")));
    if (result.exitCode != 0) {
        ADD_FAILURE() << "python failed: " << result.output;
        return {};
    }
    return ReadBytes(dir.File("out.raw"));
}

int RecordingSink::OnProgress(double fraction)
{
    reports.push_back(fraction);
    return m_cancelAt > 0 && static_cast<int>(reports.size()) >= m_cancelAt ? 0 : 1;
}

}  // namespace ZAVTest
