#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace ZAVToolTest {

ProgramRunner::ProgramRunner() = default;

ProgramResult ProgramRunner::Run(const std::vector<std::string>& arguments) const
{
    std::string command = "cd " + ZAVTest::ShellQuote(m_dir.Path()) + " && env -u DISPLAY -u WAYLAND_DISPLAY ";
    if (m_recording)
        command += "DISPLAY=:99 PATH=" + ZAVTest::ShellQuote(m_dir.File(".bin")) + ":\"$PATH\" ";
    command += "ZAVPDF_REGISTRY=" + ZAVTest::ShellQuote(RegistryPath()) + " " +
               ZAVTest::ShellQuote(ZAVTest::BinPath("ZAVPdf"));
    for (const std::string& argument : arguments)
        command += " " + ZAVTest::ShellQuote(argument);
    const std::string outName = m_dir.File(".stdout");
    const std::string errName = m_dir.File(".stderr");
    command += " >" + ZAVTest::ShellQuote(outName) + " 2>" + ZAVTest::ShellQuote(errName);
    ProgramResult result;
    result.exitCode = ZAVTest::Run(command).exitCode;
    result.out = ZAVTest::ReadText(outName);
    result.err = ZAVTest::ReadText(errName);
    return result;
}

void ProgramRunner::RecordOpenedFiles()
{
    const std::string folder = m_dir.File(".bin");
    const std::string record = ZAVTest::ShellQuote(m_dir.File(".opened"));
    ZAVTest::Run("mkdir -p " + ZAVTest::ShellQuote(folder));
    ZAVTest::WriteText(folder + "/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> " + record + "\n");
    ZAVTest::Run("chmod +x " + ZAVTest::ShellQuote(folder + "/xdg-open"));
    m_recording = true;
}

std::string ProgramRunner::OpenedFiles(int waitMilliseconds) const
{
    // xdg-open runs detached; give it a moment.
    const std::string record = m_dir.File(".opened");
    for (int waited = 0; waited < waitMilliseconds && !ZAVTest::FileExists(record); waited += 20)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return ZAVTest::FileExists(record) ? ZAVTest::ReadText(record) : "";
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ZAVTest::ReadText(path));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LogHead()
{
    const std::string dashes(51, '-');
    return {dashes, "ZAVPdf", dashes, ""};
}

std::vector<std::string> LogWith(const std::vector<std::string>& more)
{
    std::vector<std::string> lines = LogHead();
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string MakeThreePagePdf(const std::string& path)
{
    EXPECT_TRUE(ZAVTest::HaveTool("gs"));
    const std::string ps = path + ".ps";
    ZAVTest::WriteText(ps, "%!PS\n/Helvetica findfont 24 scalefont setfont\n"
                           "1 1 3 { /n exch def 72 700 moveto (Page ) show n 3 string cvs show "
                           "100 100 n 50 mul 50 rectfill showpage } for\n");
    const auto result =
        ZAVTest::Run("gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -sOutputFile=" + ZAVTest::ShellQuote(path) + " " +
                     ZAVTest::ShellQuote(ps));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return path;
}

}  // namespace ZAVToolTest
