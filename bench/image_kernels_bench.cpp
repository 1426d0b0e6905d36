// Times the pixel kernels on one 24-bit picture (6,000 x 4,000 by default)
// beside Pillow doing the same on the same pixels, and prints the ratios:
// resize to half (nearest, bilinear), exact rotation by 90 degrees, any
// angle 30 degrees, 3 x 3 median, two-pass quantization to 256 colours.
//
//   image_kernels_bench [width height]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/PillowTiming.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/filters/MatrixKernels.h"
#include "image/kernels/quantize/Quantize.h"
#include "platform/GlobalMem.h"

using namespace ZAV;

namespace {

std::vector<BYTE> Picture(int width, int height)
{
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 3);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            BYTE* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>(state >> 28) - 8;
            p[0] = static_cast<BYTE>((x * 255 / width + noise) & 0xFF);
            p[1] = static_cast<BYTE>((y * 255 / height + noise) & 0xFF);
            p[2] = static_cast<BYTE>(127 + 120 * std::sin(x * 0.01 + y * 0.013));
        }
    }
    return pixels;
}

double Milliseconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Pillow's times in milliseconds by name, measured on the same raw pixels.
std::map<std::string, double> PillowTimes(const std::vector<BYTE>& pixels, int width, int height)
{
    const std::string raw = "/tmp/image_kernels_bench.raw";
    std::ofstream(raw, std::ios::binary)
        .write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    std::ostringstream script;
    script << "import time\nfrom PIL import Image, ImageFilter\n"
           << "im = Image.frombytes('RGB', (" << width << ", " << height << "), open('" << raw << "', 'rb').read())\n"
           << "def t(name, f):\n    s = time.perf_counter(); f(); print(name, (time.perf_counter() - s) * 1000)\n"
           << "t('nearest', lambda: im.resize((" << width / 2 << ", " << height / 2 << "), Image.NEAREST))\n"
           << "t('bilinear', lambda: im.resize((" << width / 2 << ", " << height / 2 << "), Image.BILINEAR))\n"
           << "t('rotate90', lambda: im.transpose(Image.Transpose.ROTATE_270))\n"
           << "t('rotate30', lambda: im.rotate(30, Image.NEAREST, expand=True))\n"
           << "t('median', lambda: im.filter(ImageFilter.MedianFilter(3)))\n"
           << "t('quantize', lambda: im.quantize(256, Image.Quantize.MEDIANCUT))\n";
    std::ofstream("/tmp/image_kernels_bench.py") << script.str();
    const std::map<std::string, double> times = ZAVBench::NamedTimes("/usr/bin/python3 /tmp/image_kernels_bench.py");
    std::remove(raw.c_str());
    std::remove("/tmp/image_kernels_bench.py");
    return times;
}

}  // namespace

int main(int argc, char** argv)
{
    const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
    const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
    const std::vector<BYTE> pixels = Picture(width, height);
    std::vector<BYTE> half(static_cast<size_t>(width / 2) * (height / 2) * 3);
    std::vector<BYTE> full(pixels.size());
    CImgKernels kernels;
    std::map<std::string, double> ours;
    ours["nearest"] = Milliseconds(
        [&] { kernels.ResizeNearest(pixels.data(), width, height, 3, half.data(), width / 2, height / 2); });
    ours["bilinear"] = Milliseconds(
        [&] { kernels.ResizeBilinear(pixels.data(), width, height, 3, half.data(), width / 2, height / 2); });
    full = pixels;
    ours["rotate90"] = Milliseconds([&] { kernels.RotateExact(full.data(), width, height, 0, 3); });
    ours["rotate30"] = Milliseconds([&] {
        int w = 0, h = 0;
        GlobalFree(kernels.RotateAnyAngle(pixels.data(), width, height, M_PI / 6, 0, w, h, 0, false));
    });
    ours["median"] = Milliseconds([&] {
        CMatrixKernels matrix(nullptr);
        matrix.ApplyOperation24(pixels.data(), width, height, full.data(), 100, kMatrixMedian);
    });
    ours["quantize"] = Milliseconds([&] {
        std::vector<BYTE> indices(static_cast<size_t>(width) * height);
        std::vector<uint32_t> palette(256);
        int count = 0;
        QuantizeTwoPass(kernels, pixels.data(), 24, indices.data(), 8, width, height, count, palette.data(), 2, 256);
    });
    const std::map<std::string, double> pillow = PillowTimes(pixels, width, height);
    std::printf("%d x %d, 24 bits          ours ms   Pillow ms   ours / Pillow\n", width, height);
    for (const auto& entry : ours) {
        const auto other = pillow.find(entry.first);
        const double theirs = other == pillow.end() ? 0 : other->second;
        std::printf("%-24s %9.1f %11.1f %15.2f\n", entry.first.c_str(), entry.second, theirs,
                    theirs > 0 ? entry.second / theirs : 0.0);
    }
    return 0;
}
