#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace ZAVTest {

std::string DataPath(const std::string& relative)
{
    return std::string(ZAV_TEST_DATA_DIR) + "/" + relative;
}

std::string BinPath(const std::string& name)
{
    return std::string(ZAV_BIN_DIR) + "/" + name;
}

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zavtest-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    m_path = buffer.data();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::string& path)
{
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

bool FileExists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (fs::directory_iterator entry(folder, ignored), end; !ignored && entry != end; entry.increment(ignored))
        names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

RunResult Run(const std::string& commandLine)
{
    RunResult result;
    std::string full = "( " + commandLine + " ) 2>&1";
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe)
        return result;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.output.append(chunk, got);
    int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

bool HaveTool(const std::string& tool)
{
    return Run("command -v " + ShellQuote(tool) + " >/dev/null").exitCode == 0;
}

int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size())
        return 256;
    int most = 0;
    for (size_t i = 0; i < a.size(); ++i)
        most = std::max(most, std::abs(int(a[i]) - int(b[i])));
    return most;
}

}  // namespace ZAVTest
