// Small images for the kernel tests, the files the outside checkers read
// and write (binary PNM, raw bytes), and a progress sink that records and
// can cancel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/IProgressNotification.h"

namespace ZAVTest {

struct RasterImage {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 gray, 3 red, green, blue
    std::vector<uint8_t> pixels;
};

// Repeatable pseudo-random bytes.
std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed);

// A picture with smooth gradients, a few flat areas and some noise, so the
// quantizers meet both gradual and sharp colour changes.
RasterImage TestPicture(int width, int height, uint32_t seed);

// Binary PPM (P6) or PGM (P5) by the channel count.
void WritePnm(const std::string& path, const RasterImage& image);
// Reads P5 or P6 with maximum 255; ADD_FAILURE and an empty image otherwise.
RasterImage ReadPnm(const std::string& path);

// Runs /usr/bin/python3 with the script; the script reads raw input bytes
// from the file in argv[1] and writes raw bytes to argv[2]. Returns the
// output bytes; ADD_FAILURE when Python fails.
std::vector<uint8_t> RunPython(const std::string& script, const std::vector<uint8_t>& input);

// Records the progress calls; answers 0 from the report numbered cancelAt
// (counting from 1) on, or never when cancelAt is 0.
class RecordingSink : public ZAV::IProgressNotification {
public:
    explicit RecordingSink(int cancelAt = 0) : m_cancelAt(cancelAt) {}
    int OnProgress(double fraction) override;
    void OnBegin() override { ++begins; }
    void OnEnd() override { ++ends; }
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    void OnImageChanged() override {}

    int begins = 0;
    int ends = 0;
    std::vector<double> reports;

private:
    int m_cancelAt;
};

}  // namespace ZAVTest
