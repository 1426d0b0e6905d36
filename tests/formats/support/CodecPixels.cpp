#include "formats/support/CodecPixels.h"

#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ZAVTest {

namespace {

const char kReadRgb[] = R"(
import sys
from PIL import Image
image = Image.open(sys.argv[1])
image.load()
rgb = image.convert("RGB")
with open(sys.argv[2], "wb") as out:
    out.write(rgb.tobytes())
print(rgb.width, rgb.height)
)";

}  // namespace

void RunPython(const std::string& script, const std::string& arguments)
{
    TempDir dir;
    WriteText(dir.File("script.py"), script);
    const RunResult run = Run("/usr/bin/python3 " + ShellQuote(dir.File("script.py")) + " " + arguments);
    ASSERT_EQ(0, run.exitCode) << run.output;  // python3 and Pillow (python3-pil) must be installed
}

PillowPicture PillowRgb(const std::string& path)
{
    TempDir dir;
    WriteText(dir.File("read.py"), kReadRgb);
    const RunResult run = Run("/usr/bin/python3 " + ShellQuote(dir.File("read.py")) + " " + ShellQuote(path) + " " +
                              ShellQuote(dir.File("pixels.rgb")));
    PillowPicture picture;
    EXPECT_EQ(0, run.exitCode) << run.output;
    if (run.exitCode != 0)
        return picture;
    std::istringstream(run.output) >> picture.width >> picture.height;
    picture.rgb = ReadBytes(dir.File("pixels.rgb"));
    return picture;
}

}  // namespace ZAVTest
