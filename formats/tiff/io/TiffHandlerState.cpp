#include "formats/tiff/io/TiffHandlerState.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <tiffio.h>

#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// libtiff's message of a warning, and the warning as the information list
// shows it with its frame and module name.
constexpr size_t kTiffMessageSize = 1024;
constexpr size_t kTiffWarningTextSize = kTiffMessageSize + 160;

struct TiffHandlerState {
    char lastError[kTiffErrorTextSize] = {};
    CZAVImg* image = nullptr;
    int warnings = 0;
    int errors = 0;
};

TiffHandlerState& State()
{
    static TiffHandlerState state;
    return state;
}

// The message and ";" into the last-error text, cut to fit.
void RecordError(const char* format, va_list args)
{
    char* text = State().lastError;
    std::vsnprintf(text, kTiffErrorTextSize, format, args);
    const size_t length = std::strlen(text);
    if (length + 1 < kTiffErrorTextSize) {
        text[length] = ';';
        text[length + 1] = 0;
    }
}

void FormatWarning(char* out, const char* module, const char* format, va_list args)
{
    char message[kTiffMessageSize];
    std::vsnprintf(message, sizeof(message), format, args);
    std::strncat(message, ";", sizeof(message) - std::strlen(message) - 1);
    if (module)
        std::snprintf(out, kTiffWarningTextSize, "Warning in LIBTIFF(%.100s): %s\n", module, message);
    else
        std::snprintf(out, kTiffWarningTextSize, "Warning in LIBTIFF: %s\n", message);
}

void StoreInImage(const char* prefix, int index, const char* text)
{
    CZAVImg* image = State().image;
    if (!image)
        return;
    image->GetOwnImageInfo().SetString(prefix + std::to_string(index), text);
}

void QuietError(const char*, const char* format, va_list args)
{
    RecordError(format, args);
    ++State().errors;
}

void QuietWarning(const char* module, const char* format, va_list args)
{
    char text[kTiffWarningTextSize];
    FormatWarning(text, module, format, args);
    ++State().warnings;
}

void LoggingError(const char*, const char* format, va_list args)
{
    RecordError(format, args);
    StoreInImage("ERROR", State().errors, State().lastError);
    ++State().errors;
}

void LoggingWarning(const char* module, const char* format, va_list args)
{
    char text[kTiffWarningTextSize];
    FormatWarning(text, module, format, args);
    StoreInImage("WARNING", State().warnings, text);
    ++State().warnings;
}

}  // namespace

void ResetTiffHandlerState(CZAVImg* image, int logFlag)
{
    TiffHandlerState& state = State();
    state.lastError[0] = 0;
    state.image = image;
    state.warnings = 0;
    state.errors = 0;
    // The extended handlers would print as well; only ours run.
    TIFFSetErrorHandlerExt(nullptr);
    TIFFSetWarningHandlerExt(nullptr);
    TIFFSetErrorHandler(logFlag ? LoggingError : QuietError);
    TIFFSetWarningHandler(logFlag ? LoggingWarning : QuietWarning);
}

const char* GetTiffLastError()
{
    return State().lastError;
}

int GetTiffErrorCount()
{
    return State().errors;
}

int GetTiffWarningCount()
{
    return State().warnings;
}

}  // namespace ZAV
