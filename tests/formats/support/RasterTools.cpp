#include "formats/support/RasterTools.h"

#include "formats/support/CodecPictures.h"
#include "image/object/ZAVImg.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ZAV;

namespace ZAVTest {

namespace {

const char kPrelude[] = R"(
import os, sys
from PIL import Image
os.chdir(sys.argv[1])

def pattern(mode, w, h):
    if mode == '1':
        im = Image.new('1', (w, h))
        im.putdata([255 * ((x * 3 + y * 5) % 7 < 3) for y in range(h) for x in range(w)])
    elif mode == 'L':
        im = Image.new('L', (w, h))
        im.putdata([(x * 13 + y * 29) % 256 for y in range(h) for x in range(w)])
    elif mode in ('P', 'P16'):
        colours = 256 if mode == 'P' else 16
        im = Image.new('P', (w, h))
        im.putpalette([(i * 37 + c * 91) % 256 for i in range(colours) for c in range(3)])
        im.putdata([(x * 7 + y * 3) % colours for y in range(h) for x in range(w)])
    elif mode == 'RGB':
        im = Image.new('RGB', (w, h))
        im.putdata([((x * 9 + y) % 256, (y * 7 + x * 3) % 256, (x * y) % 256) for y in range(h) for x in range(w)])
    else:
        im = Image.new('RGBA', (w, h))
        im.putdata([((x * 9 + y) % 256, (y * 7 + x * 3) % 256, (x * y) % 256, (x * 5 + y * 17) % 256)
                    for y in range(h) for x in range(w)])
    return im
)";

const char kReadPicture[] = R"(
import sys
from PIL import Image
image = Image.open(sys.argv[1])
image.seek(int(sys.argv[2]))
image.load()
with open(sys.argv[1] + ".rgb", "wb") as out:
    out.write(image.convert("RGB").tobytes())
with open(sys.argv[1] + ".alpha", "wb") as out:
    if "A" in image.getbands():
        out.write(image.getchannel("A").tobytes())
print(image.mode, image.width, image.height)
)";

}  // namespace

void MakeWithPillow(const TempDir& dir, const std::string& statements)
{
    ASSERT_TRUE(HaveTool("/usr/bin/python3"));
    const RunResult made = RunPython(dir, std::string(kPrelude) + statements + "\n", ShellQuote(dir.Path()));
    ASSERT_EQ(0, made.exitCode) << made.output;  // Pillow (python3-pil) must be installed
}

std::string RunInDir(const TempDir& dir, const std::string& commandLine)
{
    const std::string tool = commandLine.substr(0, commandLine.find(' '));
    EXPECT_TRUE(HaveTool(tool)) << tool << " is missing";
    const RunResult run = Run("cd " + ShellQuote(dir.Path()) + " && " + commandLine);
    EXPECT_EQ(0, run.exitCode) << commandLine << "\n" << run.output;
    return run.output;
}

void LoadPicture(CZAVImg& image, const std::string& path, int format)
{
    image.LoadFromFile(path.c_str(), format);
}

PillowView ReadWithPillow(const TempDir& dir, const std::string& file, int frame)
{
    TempDir scripts;
    const std::string path = dir.File(file);
    const RunResult run = RunPython(scripts, kReadPicture, ShellQuote(path) + " " + std::to_string(frame));
    PillowView view;
    EXPECT_EQ(0, run.exitCode) << run.output;
    if (run.exitCode != 0)
        return view;
    std::istringstream(run.output) >> view.mode >> view.width >> view.height;
    view.rgb = ReadBytes(path + ".rgb");
    view.alpha = ReadBytes(path + ".alpha");
    return view;
}

void PutLE16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLE32(std::vector<uint8_t>& out, uint32_t value)
{
    PutLE16(out, value & 0xFFFF);
    PutLE16(out, value >> 16);
}

void PutBE16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void PutBE32(std::vector<uint8_t>& out, uint32_t value)
{
    PutBE16(out, value >> 16);
    PutBE16(out, value & 0xFFFF);
}

}  // namespace ZAVTest
