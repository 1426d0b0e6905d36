// Runs the built ZAVPdf with a registry store of its own and no display, and
// keeps what it printed on each of its two outputs apart.
#pragma once

#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace ZAVToolTest {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ProgramRunner {
public:
    ProgramRunner();

    // Arguments are quoted one by one.
    ProgramResult Run(const std::vector<std::string>& arguments) const;

    // From now on the program runs with a display and finds a recording
    // xdg-open first on its PATH; OpenedFiles tells what it was asked to open.
    void RecordOpenedFiles();
    std::string OpenedFiles(int waitMilliseconds) const;

    const ZAVTest::TempDir& Dir() const { return m_dir; }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    std::string RegistryPath() const { return m_dir.File("registry"); }

private:
    ZAVTest::TempDir m_dir;
    bool m_recording = false;
};

// The lines of a text file, without their line ends.
std::vector<std::string> ReadLines(const std::string& path);

// The head every log starts with.
std::vector<std::string> LogHead();

// The head followed by more lines.
std::vector<std::string> LogWith(const std::vector<std::string>& more);

// A three-page PDF made by Ghostscript; page n shows the text "Page n".
std::string MakeThreePagePdf(const std::string& path);

}  // namespace ZAVToolTest
