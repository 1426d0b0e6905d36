// Helpers shared by every test program: temporary folders, file bytes,
// and running the independent checker tools (qpdf, jbig2dec, ...).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZAVTest {

// Path of a file under tests/data.
std::string DataPath(const std::string& relative);

// Path of a deliverable in the build's output folder (program, plug-ins).
std::string BinPath(const std::string& name);

// A fresh folder under $TMPDIR (or /tmp), removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// The names in a folder, sorted; none when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder);

struct RunResult {
    int exitCode = -1;   // the command's exit status, or -1 when it did not exit normally
    std::string output;  // standard output and standard error, interleaved
};

// Runs a shell command line and captures what it prints.
RunResult Run(const std::string& commandLine);

// Quotes a text for the shell.
std::string ShellQuote(const std::string& text);

// True when the tool is on the PATH. A checker that is missing is a failure
// of the test, never a silent skip: use ASSERT_TRUE(HaveTool("qpdf")).
bool HaveTool(const std::string& tool);

// Largest difference of two equally long byte lists; 256 when they differ
// in length.
int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

}  // namespace ZAVTest
