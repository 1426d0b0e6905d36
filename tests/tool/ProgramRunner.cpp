#include "ProgramRunner.h"

#include <sstream>

namespace ZAVToolTest {

ProgramRunner::ProgramRunner() = default;

ProgramResult ProgramRunner::Run(const std::vector<std::string>& arguments) const
{
    std::string command = "cd " + ZAVTest::ShellQuote(m_dir.Path()) + " && env -u DISPLAY -u WAYLAND_DISPLAY " +
                          "ZAVPDF_REGISTRY=" + ZAVTest::ShellQuote(RegistryPath()) + " " +
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

}  // namespace ZAVToolTest
