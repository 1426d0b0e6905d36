// Saves and loads generated RGB pictures of 3000 x 2000 through the JPEG 2000
// plug-in's memory exports, lossy (compression rate 20) and lossless, and
// runs opj_compress (-r 20, and lossless) and opj_decompress on the same
// pictures with as many threads as our layer gives OpenJPEG (one per core).
// Prints the time per picture and the sizes of both, and our time over
// OpenJPEG's tools'.
//
//   jpeg2000_bench [pictures, default 10]
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "formats/FilterInterface.h"
#include "platform/GlobalMem.h"
#include "platform/Loader.h"

namespace {

constexpr int32_t kWidth = 3000;
constexpr int32_t kHeight = 2000;
constexpr size_t kPixelBytes = size_t(kWidth) * kHeight * 3;
constexpr double kRate = 20;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A photograph-like picture: soft gradients, a few discs and rings, fine
// texture and sensor noise, different for every seed.
std::vector<uint8_t> MakePicture(uint32_t seed)
{
    std::vector<uint8_t> rgb(kPixelBytes);
    uint32_t noise = seed * 2654435761u + 1;
    const double cx = 600 + (seed * 373) % 1800, cy = 400 + (seed * 211) % 1200;
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const double d = std::hypot(x - cx, y - cy);
            const double ring = 40 * std::sin(d / (25.0 + seed));
            const double texture = 12 * std::sin(x * 0.31 + seed) * std::cos(y * 0.17);
            const double base[3] = {90 + 100.0 * x / kWidth, 60 + 120.0 * y / kHeight, 140 - 60.0 * x / kWidth};
            for (int c = 0; c < 3; ++c) {
                const double value =
                    base[c] + (d < 300 ? 50 - c * 30 : ring) + texture + int((noise >> (8 * c)) & 15) - 8;
                rgb[(size_t(y) * kWidth + x) * 3 + c] = uint8_t(std::min(255.0, std::max(0.0, value)));
            }
        }
    return rgb;
}

void WritePpm(const std::string& path, const std::vector<uint8_t>& rgb)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
}

size_t FileSize(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? size_t(info.st_size) : 0;
}

double TimeCommand(const std::string& command)
{
    const auto start = Clock::now();
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        return -1;
    return Seconds(start);
}

class Plugin {
public:
    explicit Plugin(const std::string& path) : m_module(LoadLibraryA(path.c_str())) {}
    ~Plugin()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    bool Loaded() const { return m_module != nullptr; }

    void Settings(double rate)
    {
        Jpeg2000EncoderSettings settings = {{1, 1, 99, 0, 0, 0, 0, 0, 0}, rate, 0, 0, nullptr};
        Export<FilterJPEG2000Settings>("JPEG2000Settings")(settings);
    }

    std::vector<uint8_t> Save(const std::vector<uint8_t>& rgb)
    {
        HGLOBAL pixels = GlobalAlloc(GHND, rgb.size());
        std::memcpy(GlobalLock(pixels), rgb.data(), rgb.size());
        GlobalUnlock(pixels);
        std::vector<uint8_t> out(rgb.size() + 65536);
        const FilterImageInfo info = {kWidth, kHeight, 24, 300, 300};
        char error[kFilterTextBufferSize] = {};
        uint32_t written = 0;
        const int result = Export<FilterSavePictureToMem>("SavePictureToMem")(
            out.data(), uint32_t(out.size()), pixels, uint32_t(rgb.size()), 0, nullptr, 0, &info, &written, error);
        GlobalFree(pixels);
        if (!result)
            std::fprintf(stderr, "save failed: %s\n", error);
        out.resize(result ? written : 0);
        return out;
    }

    bool Load(const std::vector<uint8_t>& file)
    {
        HGLOBAL pixels = nullptr, palette = nullptr;
        uint32_t pixelBytes = 0, paletteBytes = 0;
        int32_t isDib = 0;
        FilterImageInfo info = {};
        char error[kFilterTextBufferSize] = {};
        const int result = Export<FilterLoadPictureFromMem>("LoadPictureFromMem")(
            file.data(), uint32_t(file.size()), &pixels, &pixelBytes, &isDib, &palette, &paletteBytes, &info, error);
        GlobalFree(pixels);
        GlobalFree(palette);
        if (!result)
            std::fprintf(stderr, "load failed: %s\n", error);
        return result == 1;
    }

private:
    template <class F>
    F* Export(const char* name)
    {
        return reinterpret_cast<F*>(GetProcAddress(m_module, name));
    }

    HMODULE m_module;
};

struct Totals {
    double save = 0, load = 0, compress = 0, decompress = 0;
    size_t ours = 0, theirs = 0;
};

std::string BinFolder()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    const std::string path = n > 0 ? std::string(self, size_t(n)) : std::string("./x");
    return path.substr(0, path.rfind('/'));
}

void Report(const char* mode, const Totals& t, uint32_t pictures)
{
    std::printf("%s, per picture:\n", mode);
    std::printf("  save   ours %7.1f ms   opj_compress   %7.1f ms   ratio %.2f\n", 1000 * t.save / pictures,
                1000 * t.compress / pictures, t.save / t.compress);
    std::printf("  load   ours %7.1f ms   opj_decompress %7.1f ms   ratio %.2f\n", 1000 * t.load / pictures,
                1000 * t.decompress / pictures, t.load / t.decompress);
    std::printf("  size   ours %9zu bytes   opj_compress %9zu bytes   ratio %.3f\n", t.ours / pictures,
                t.theirs / pictures, double(t.ours) / t.theirs);
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t pictures = argc > 1 ? uint32_t(std::atoi(argv[1])) : 10;
    Plugin plugin(BinFolder() + "/ZAVJ2k20.so");
    if (!plugin.Loaded()) {
        std::fprintf(stderr, "cannot load ZAVJ2k20.so beside the bench\n");
        return 1;
    }
    const std::string threads = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
    char pattern[] = "/tmp/jpeg2000_bench.XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string ppm = dir + "/in.ppm", jp2 = dir + "/out.jp2", decoded = dir + "/out.ppm";
    Totals lossy, lossless;
    for (uint32_t i = 0; i < pictures; ++i) {
        const std::vector<uint8_t> rgb = MakePicture(i + 1);
        WritePpm(ppm, rgb);
        for (Totals* t : {&lossy, &lossless}) {
            const bool isLossy = t == &lossy;
            plugin.Settings(isLossy ? kRate : 0);
            auto start = Clock::now();
            const std::vector<uint8_t> file = plugin.Save(rgb);
            t->save += Seconds(start);
            t->ours += file.size();
            start = Clock::now();
            plugin.Load(file);
            t->load += Seconds(start);
            const std::string rate = isLossy ? " -r 20" : "";
            t->compress += TimeCommand("opj_compress -i " + ppm + " -o " + jp2 + rate + " -threads " + threads);
            t->theirs += FileSize(jp2);
            t->decompress += TimeCommand("opj_decompress -i " + jp2 + " -o " + decoded + " -threads " + threads);
        }
    }
    std::system(("rm -rf " + dir).c_str());
    std::printf("%u RGB pictures of %d x %d, %s threads:\n", pictures, kWidth, kHeight, threads.c_str());
    Report("lossy (rate 20)", lossy, pictures);
    Report("lossless", lossless, pictures);
    std::printf("time ours / OpenJPEG's tools: lossy save %.2f, load %.2f; lossless save %.2f, load %.2f\n",
                lossy.save / lossy.compress, lossy.load / lossy.decompress, lossless.save / lossless.compress,
                lossless.load / lossless.decompress);
    return 0;
}
