#include "foundation/coding/ZlibFileCoding.h"

#include <cerrno>
#include <cstdio>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "foundation/files/FileUtils.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "foundation/coding/ZlibCoding.h"

namespace ZAV {

namespace {

// Attempts at finding a free temporary name before giving up.
constexpr unsigned kTempNameAttempts = 1000;

[[noreturn]] void ThrowFileError(const char* format, const std::string& path)
{
    String text;
    text.Format(format, path.c_str());
    ThrowTextException(text.GetText());
}

// A new, empty file beside the target, so that the result appears under the
// target's name only when it is complete.
std::string CreateSiblingTempFile(const std::string& target)
{
    for (unsigned attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        String name;
        name.Format("%s.%d-%u.tmp", target.c_str(), static_cast<int>(getpid()), attempt);
        const int fd = ::open(name.GetText(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name.ToStdString();
        }
        if (errno != EEXIST)
            break;
    }
    ThrowFileError("Cannot open file '%s'!", target);
}

// Removes the temporary file unless it was handed over.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path) : m_path(std::move(path)) {}
    ~TempFileGuard()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

template <typename Code>
void CodeFile(const std::string& inputPath, const std::string& outputPath, Code code)
{
    if (!FileExists(inputPath))
        ThrowFileError("File '%s' does not exist!", inputPath);
    std::ifstream input(inputPath, std::ios::binary);
    if (!input)
        ThrowFileError("Cannot open file '%s'!", inputPath);

    const std::string tempPath = CreateSiblingTempFile(outputPath);
    TempFileGuard guard(tempPath);
    {
        std::ofstream output(tempPath, std::ios::binary | std::ios::trunc);
        if (!output)
            ThrowFileError("Cannot open file '%s'!", outputPath);
        code(input, output, "file '" + inputPath + "'");
        // Closing can be where a full disk shows; a failure there must not
        // leave a short file under the output's name.
        output.close();
        if (input.bad())
            ThrowFileError("Error reading file '%s'!", inputPath);
        if (!output)
            ThrowFileError("Error writing file '%s'!", outputPath);
    }
    input.close();
    // The old output goes only now, so compressing a file onto itself reads
    // the whole input first.
    if (FileExists(outputPath))
        DeleteFileChecked(outputPath.c_str());
    if (std::rename(tempPath.c_str(), outputPath.c_str()) != 0)
        ThrowFileError("Error writing file '%s'!", outputPath);
    guard.Release();
}

}  // namespace

void ZlibCompressFile(const std::string& inputPath, const std::string& outputPath)
{
    CodeFile(inputPath, outputPath, ZlibCompressStream);
}

void ZlibDecompressFile(const std::string& inputPath, const std::string& outputPath)
{
    CodeFile(inputPath, outputPath, ZlibDecompressStream);
}

}  // namespace ZAV
