/* The stand-in for KORVEX55: see FakeKorvex55.h. */
#include "tests/interfaces/advanced/fake/FakeKorvex55.h"

#include "outside/korvex55/KORVEX55.h"

#include <inttypes.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* ---- The record of calls. */

static char* g_calls;
static size_t g_callsLength;
static size_t g_callsCapacity;

static void Append(const char* text)
{
    const size_t length = strlen(text);
    if (g_callsLength + length + 1 > g_callsCapacity) {
        size_t capacity = g_callsCapacity ? g_callsCapacity : 4096;
        while (g_callsLength + length + 1 > capacity)
            capacity *= 2;
        char* grown = (char*)realloc(g_calls, capacity);
        if (!grown)
            abort();
        g_calls = grown;
        g_callsCapacity = capacity;
    }
    memcpy(g_calls + g_callsLength, text, length + 1);
    g_callsLength += length;
}

static void AppendFormat(const char* format, ...)
{
    char piece[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(piece, sizeof(piece), format, arguments);
    va_end(arguments);
    Append(piece);
}

/* Arrays longer than this are written as their address. */
#define MAX_ARRAY_WRITTEN 4096

/* An integer or double array whose length the call gives, as "[1 2 3]";
 * the elements are read only when the length is sane. */
static void AppendArray(const void* values, int32_t count, int isDouble)
{
    if (!values) {
        Append("null");
        return;
    }
    if (count < 0 || count > MAX_ARRAY_WRITTEN) {
        AppendFormat("%p", values);
        return;
    }
    Append("[");
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0)
            Append(" ");
        if (isDouble)
            AppendFormat("%g", ((const double*)values)[i]);
        else
            AppendFormat("%" PRId32, ((const int32_t*)values)[i]);
    }
    Append("]");
}

/* Writes the next argument, of the kind one letter of Record's format names. */
static void AppendArgument(char kind, va_list* arguments)
{
    switch (kind) {
    case 'h':
        AppendFormat("%" PRIuPTR, va_arg(*arguments, KORV_Handle));
        break;
    case 'i':
        AppendFormat("%" PRId32, va_arg(*arguments, int32_t));
        break;
    case 'd':
        AppendFormat("%g", va_arg(*arguments, double));
        break;
    case 'p':
        AppendFormat("%p", va_arg(*arguments, void*));
        break;
    case 'o':
        Append("out");
        break;
    case 'I':
    case 'D': {
        const void* values = kind == 'I' ? (const void*)va_arg(*arguments, const int32_t*)
                                         : (const void*)va_arg(*arguments, const double*);
        const int32_t count = va_arg(*arguments, int32_t);
        AppendArray(values, count, kind == 'D');
        break;
    }
    default:
        abort();
    }
}

/* Records one call as a line "Operation(argument, ...)". The format has one
 * letter per argument: h a handle, i an integer, d a double, p an address,
 * o an out argument (written as "out"; nothing is passed for it), I and D an
 * integer or double array, passed as the array and then its length. */
static void Record(const char* operation, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    AppendFormat("%s(", operation);
    for (const char* kind = format; *kind; ++kind) {
        if (kind != format)
            Append(", ");
        AppendArgument(*kind, &arguments);
    }
    va_end(arguments);
    Append(")\n");
}

/* ---- Chosen statuses and fills. */

typedef struct {
    char operation[64];
    int32_t status;
    int32_t fill;
    char text[KORV_ERROR_TEXT_BYTES];
} Rule;

#define MAX_RULES 128
static Rule g_rules[MAX_RULES];
static int g_ruleCount;
static char g_lastError[KORV_ERROR_TEXT_BYTES];
/* The texts the three text queries give; null until a test sets one. */
static char g_textStore[3][256];
static const char* g_texts[3];

static Rule* FindRule(const char* operation, int create)
{
    for (int i = 0; i < g_ruleCount; ++i) {
        if (strcmp(g_rules[i].operation, operation) == 0)
            return &g_rules[i];
    }
    if (!create || g_ruleCount == MAX_RULES || strlen(operation) >= sizeof(g_rules[0].operation))
        return NULL;
    Rule* rule = &g_rules[g_ruleCount++];
    memset(rule, 0, sizeof(*rule));
    strcpy(rule->operation, operation);
    rule->fill = -1;
    return rule;
}

/* The chosen status of the operation (0 when none), its text kept for
 * KORV_GetError. */
static int32_t ChosenStatus(const char* operation)
{
    const Rule* rule = FindRule(operation, 0);
    if (!rule || rule->status == 0)
        return 0;
    memcpy(g_lastError, rule->text, sizeof(g_lastError));
    return rule->status;
}

/* ---- Processing objects and their buffers. */

typedef struct {
    KORV_Handle handle;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t bytesPerLine;
    int32_t sizeInBytes;
    int32_t scaleFactor;
    unsigned char* pixels;
    int ownsPixels;
} Image;

/* Handles share slots modulo this count: tests keep far fewer alive. */
#define IMAGE_SLOTS 256
static Image g_images[IMAGE_SLOTS];
static KORV_Handle g_nextHandle = 1;
static int32_t g_liveHandles;

static Image* FindImage(KORV_Handle handle)
{
    Image* image = &g_images[handle % IMAGE_SLOTS];
    return handle != 0 && image->handle == handle ? image : NULL;
}

static void DropPixels(Image* image)
{
    if (image->ownsPixels)
        free(image->pixels);
    const KORV_Handle handle = image->handle;
    const int32_t scaleFactor = image->scaleFactor;
    memset(image, 0, sizeof(*image));
    image->handle = handle;
    image->scaleFactor = scaleFactor;
}

static int32_t BytesPerLine(int32_t width, int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return (width + 7) / 8;
    case 9:
        return width;
    default:
        return width * (bitsPerPixel / 8);
    }
}

static int32_t UnknownHandle(KORV_Handle handle)
{
    snprintf(g_lastError, sizeof(g_lastError), "Fake KORVEX55: unknown handle %" PRIuPTR, handle);
    return 90;
}

static void FillAfter(const char* operation, KORV_Handle handle)
{
    const Rule* rule = FindRule(operation, 0);
    Image* image = FindImage(handle);
    if (rule && rule->fill >= 0 && image && image->pixels)
        memset(image->pixels, rule->fill, (size_t)image->sizeInBytes);
}

static int32_t Finish(const char* operation, KORV_Handle handle)
{
    const int32_t status = ChosenStatus(operation);
    if (status == 0)
        FillAfter(operation, handle);
    return status;
}

static int32_t SetBuffer(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                         int32_t bitsPerPixel, int32_t bytesPerLine, int owns)
{
    Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    DropPixels(image);
    image->width = width;
    image->height = height;
    image->bitsPerPixel = bitsPerPixel;
    image->bytesPerLine = bytesPerLine;
    image->sizeInBytes = sizeInBytes;
    image->pixels = (unsigned char*)pixels;
    image->ownsPixels = owns;
    return 0;
}

/* ---- What the entry points that do more than record answer. */

static KORV_Status AnswerText(const char* operation, const char** text, int index)
{
    const int32_t status = ChosenStatus(operation);
    if (text)
        *text = g_texts[index];
    return status;
}

/* Buffers the fake makes itself stay small. */
#define MAX_CREATED_BYTES (64 * 1024 * 1024)

static KORV_Status AnswerCreate(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    const int32_t status = ChosenStatus("Create");
    if (status != 0)
        return status;
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0 || bitsPerPixel > 64) {
        snprintf(g_lastError, sizeof(g_lastError), "Fake KORVEX55: no buffer of %" PRId32 " x %" PRId32 " at %" PRId32,
                 width, height, bitsPerPixel);
        return 91;
    }
    const int32_t bytesPerLine = BytesPerLine(width, bitsPerPixel);
    const int64_t size = (int64_t)bytesPerLine * height;
    if (size > MAX_CREATED_BYTES) {
        snprintf(g_lastError, sizeof(g_lastError), "Fake KORVEX55: buffer too large");
        return 92;
    }
    void* pixels = calloc((size_t)size, 1);
    if (!pixels)
        abort();
    const int32_t result = SetBuffer(handle, pixels, (int32_t)size, width, height, bitsPerPixel, bytesPerLine, 1);
    if (result != 0)
        free(pixels);
    return result;
}

/* The handle's image, or null with the chosen status or the unknown-handle
 * status in *status. */
static Image* ImageOfCall(const char* operation, KORV_Handle handle, KORV_Status* status)
{
    *status = ChosenStatus(operation);
    if (*status != 0)
        return NULL;
    Image* image = FindImage(handle);
    if (!image)
        *status = UnknownHandle(handle);
    return image;
}

/* A query of one 32-bit value of the handle's image. */
static KORV_Status AnswerValue(const char* operation, KORV_Handle handle, int32_t* value, size_t offset)
{
    KORV_Status status;
    const Image* image = ImageOfCall(operation, handle, &status);
    if (image && value)
        memcpy(value, (const char*)image + offset, sizeof(*value));
    return status;
}

/* The box queries give the source's own box. */
static KORV_Status AnswerBox(const char* operation, KORV_Handle handle, KORV_Handle source, double* left, double* top,
                             double* right, double* bottom)
{
    const int32_t status = Finish(operation, handle);
    if (status != 0)
        return status;
    const Image* image = FindImage(source);
    if (!image)
        return UnknownHandle(source);
    if (left)
        *left = 0.0;
    if (top)
        *top = 0.0;
    if (right)
        *right = image->width;
    if (bottom)
        *bottom = image->height;
    return 0;
}

/* ---- The entry points, in the order of KORVEX55.h. */

/* An entry point that only records its call and gives the chosen status,
 * filling the buffer on success when a test asks for it: KORV_<name> with
 * the parameters, recorded as Record's format says. */
#define RECORDING_ENTRY_POINT(name, parameters, format, ...)                                                           \
    KORV_Status KORV_##name parameters                                                                                 \
    {                                                                                                                  \
        Record(#name, format, __VA_ARGS__);                                                                            \
        return Finish(#name, handle);                                                                                  \
    }

/* The filter size queries record their call and leave the pair as the
 * caller set it. */
#define SIZE_PAIR_ENTRY_POINT(name, parameters, format, ...)                                                           \
    KORV_Status KORV_##name parameters                                                                                 \
    {                                                                                                                  \
        (void)first;                                                                                                   \
        (void)second;                                                                                                  \
        Record(#name, format, __VA_ARGS__);                                                                            \
        return Finish(#name, handle);                                                                                  \
    }

/* A query of one field of the handle's image. */
#define VALUE_QUERY_ENTRY_POINT(name, field)                                                                           \
    KORV_Status KORV_##name(KORV_Handle handle, int32_t* value)                                                        \
    {                                                                                                                  \
        Record(#name, "ho", handle);                                                                                   \
        return AnswerValue(#name, handle, value, offsetof(Image, field));                                              \
    }

KORV_Handle KORV_CreateCZAVAdvancedImgProc(void)
{
    Record("CreateCZAVAdvancedImgProc", "");
    if (ChosenStatus("CreateCZAVAdvancedImgProc") != 0)
        return 0;
    const KORV_Handle handle = g_nextHandle++;
    Image* image = &g_images[handle % IMAGE_SLOTS];
    if (image->ownsPixels)
        free(image->pixels);
    memset(image, 0, sizeof(*image));
    image->handle = handle;
    ++g_liveHandles;
    return handle;
}

KORV_Status KORV_FreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    Record("FreeCZAVAdvancedImgProc", "h", handle);
    Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    DropPixels(image);
    image->handle = 0;
    --g_liveHandles;
    return 0;
}

KORV_Status KORV_GetError(KORV_Handle handle, char* buffer)
{
    Record("GetError", "ho", handle);
    if (buffer) {
        strncpy(buffer, g_lastError, KORV_ERROR_TEXT_BYTES - 1);
        buffer[KORV_ERROR_TEXT_BYTES - 1] = '\0';
    }
    return 0;
}

KORV_Status KORV_GetVersion(KORV_Handle handle, const char** text)
{
    Record("GetVersion", "ho", handle);
    return AnswerText("GetVersion", text, 0);
}

KORV_Status KORV_GetProcessorDetected(KORV_Handle handle, const char** text)
{
    Record("GetProcessorDetected", "ho", handle);
    return AnswerText("GetProcessorDetected", text, 1);
}

KORV_Status KORV_GetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    Record("GetProcessorCodeUsed", "ho", handle);
    return AnswerText("GetProcessorCodeUsed", text, 2);
}

KORV_Status KORV_Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    Record("Create", "hiii", handle, width, height, bitsPerPixel);
    return AnswerCreate(handle, width, height, bitsPerPixel);
}

KORV_Status KORV_AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                              int32_t bitsPerPixel)
{
    Record("AttachNoFree", "hpiiii", handle, pixels, sizeInBytes, width, height, bitsPerPixel);
    const int32_t status = ChosenStatus("AttachNoFree");
    if (status != 0)
        return status;
    return SetBuffer(handle, pixels, sizeInBytes, width, height, bitsPerPixel, BytesPerLine(width, bitsPerPixel), 0);
}

KORV_Status KORV_AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                int32_t bitsPerPixel, int32_t bytesPerLine)
{
    Record("AttachNoFreeEx", "hpiiiii", handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine);
    const int32_t status = ChosenStatus("AttachNoFreeEx");
    if (status != 0)
        return status;
    return SetBuffer(handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine, 0);
}

KORV_Status KORV_Clear(KORV_Handle handle)
{
    Record("Clear", "h", handle);
    KORV_Status status;
    Image* image = ImageOfCall("Clear", handle, &status);
    if (image)
        DropPixels(image);
    return status;
}

VALUE_QUERY_ENTRY_POINT(GetScaleFactor, scaleFactor)

KORV_Status KORV_SetScaleFactor(KORV_Handle handle, int32_t value)
{
    Record("SetScaleFactor", "hi", handle, value);
    KORV_Status status;
    Image* image = ImageOfCall("SetScaleFactor", handle, &status);
    if (image)
        image->scaleFactor = value;
    return status;
}

VALUE_QUERY_ENTRY_POINT(GetWidth, width)
VALUE_QUERY_ENTRY_POINT(GetHeight, height)
VALUE_QUERY_ENTRY_POINT(GetBitsPerPixel, bitsPerPixel)
VALUE_QUERY_ENTRY_POINT(GetWidthBytes, bytesPerLine)
VALUE_QUERY_ENTRY_POINT(GetImageSizeInBytes, sizeInBytes)

KORV_Status KORV_GetImageMemory(KORV_Handle handle, void** pixels)
{
    Record("GetImageMemory", "ho", handle);
    KORV_Status status;
    const Image* image = ImageOfCall("GetImageMemory", handle, &status);
    if (image && pixels)
        *pixels = image->pixels;
    return status;
}

RECORDING_ENTRY_POINT(Add, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(AddConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Subtract, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(SubtractConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Multiply, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(MultiplyConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Divide, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(DivideConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Difference, (KORV_Handle handle, KORV_Handle first, KORV_Handle second), "hhh", handle, first,
                      second)
RECORDING_ENTRY_POINT(DifferenceConstant, (KORV_Handle handle, KORV_Handle operand, int32_t value), "hhi", handle,
                      operand, value)
RECORDING_ENTRY_POINT(And, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(AndConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Or, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(OrConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Xor, (KORV_Handle handle, KORV_Handle operand), "hh", handle, operand)
RECORDING_ENTRY_POINT(XorConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Invert, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(Scale, (KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4),
                      "hiiii", handle, value1, value2, value3, value4)
RECORDING_ENTRY_POINT(ThresholdGT, (KORV_Handle handle, int32_t threshold), "hi", handle, threshold)
RECORDING_ENTRY_POINT(ThresholdLT, (KORV_Handle handle, int32_t threshold), "hi", handle, threshold)
RECORDING_ENTRY_POINT(ThresholdGTVal, (KORV_Handle handle, int32_t threshold, int32_t value), "hii", handle, threshold,
                      value)
RECORDING_ENTRY_POINT(ThresholdLTVal, (KORV_Handle handle, int32_t threshold, int32_t value), "hii", handle, threshold,
                      value)
RECORDING_ENTRY_POINT(ThresholdLTValGTVal,
                      (KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4), "hiiii",
                      handle, value1, value2, value3, value4)
RECORDING_ENTRY_POINT(HDRScaleDown, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(RGBtoCMY, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(CMYtoRGB, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(RGBtoYUV, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(YUVtoRGB, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(RGBtoXYZ, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(XYZtoRGB, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(RGBtoYCC, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(YCCtoRGB, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(Grayscale, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(Grayscale8Bit, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(ConvertTo1Bit, (KORV_Handle handle, KORV_Handle source, int32_t value), "hhi", handle, source,
                      value)
RECORDING_ENTRY_POINT(GammaCorrection, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(ScaleToGray, (KORV_Handle handle, KORV_Handle source, int32_t value), "hhi", handle, source,
                      value)
RECORDING_ENTRY_POINT(Filter, (KORV_Handle handle, int32_t kind, KORV_Handle source), "hih", handle, kind, source)
RECORDING_ENTRY_POINT(FilterUserDefined,
                      (KORV_Handle handle, KORV_Handle source, const int32_t* kernel, int32_t value3, int32_t value4,
                       int32_t value5, int32_t value6, int32_t value7),
                      "hhIiiiii", handle, source, kernel, value3* value4, value3, value4, value5, value6, value7)
RECORDING_ENTRY_POINT(Antialias, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
SIZE_PAIR_ENTRY_POINT(GetRoiForFilter,
                      (KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first, int32_t* second),
                      "hiiioo", handle, kind, a, b)
SIZE_PAIR_ENTRY_POINT(GetRoiForFilterEx,
                      (KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t a, int32_t b,
                       int32_t* first, int32_t* second),
                      "hiiiiioo", handle, value1, value2, value3, a, b)
SIZE_PAIR_ENTRY_POINT(GetFilterBorder,
                      (KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first, int32_t* second), "hiioo",
                      handle, value1, value2)
SIZE_PAIR_ENTRY_POINT(GetFilterBorderEx,
                      (KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                       int32_t* first, int32_t* second),
                      "hiiiioo", handle, value1, value2, value3, value4)
RECORDING_ENTRY_POINT(Resize, (KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode),
                      "hhiii", handle, source, width, height, mode)
RECORDING_ENTRY_POINT(MirrorHorizontal, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(MirrorVertical, (KORV_Handle handle), "h", handle)

KORV_Status KORV_RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                           double* right, double* bottom)
{
    Record("RotateBox", "hhdoooo", handle, source, angle);
    return AnswerBox("RotateBox", handle, source, left, top, right, bottom);
}

KORV_Status KORV_ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                          double* top, double* right, double* bottom)
{
    Record("ShearBox", "hhddoooo", handle, source, shearX, shearY);
    return AnswerBox("ShearBox", handle, source, left, top, right, bottom);
}

KORV_Status KORV_WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                    int32_t coefficientCount, double* left, double* top, double* right, double* bottom)
{
    Record("WarpPerspectiveBox", "hhDioooo", handle, source, coefficients, coefficientCount, coefficientCount);
    return AnswerBox("WarpPerspectiveBox", handle, source, left, top, right, bottom);
}

/* The coefficients of the identity: ones where a row meets its column. */
KORV_Status KORV_WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                             int32_t cornerCount, double* coefficients, int32_t coefficientCount)
{
    Record("WarpPerspectiveCoefficients", "hhDioi", handle, source, corners, cornerCount, cornerCount,
           coefficientCount);
    const int32_t status = Finish("WarpPerspectiveCoefficients", handle);
    if (status != 0 || !coefficients)
        return status;
    for (int32_t i = 0; i < coefficientCount; ++i)
        coefficients[i] = (i % 4 == 0) ? 1.0 : 0.0;
    return 0;
}

RECORDING_ENTRY_POINT(Rotate, (KORV_Handle handle, KORV_Handle source, double angle, int32_t mode), "hhdi", handle,
                      source, angle, mode)
RECORDING_ENTRY_POINT(RotateCenter,
                      (KORV_Handle handle, KORV_Handle source, double angle, int32_t value1, int32_t value2,
                       int32_t value3),
                      "hhdiii", handle, source, angle, value1, value2, value3)
RECORDING_ENTRY_POINT(Shear, (KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode),
                      "hhddi", handle, source, shearX, shearY, mode)
RECORDING_ENTRY_POINT(WarpPerspective,
                      (KORV_Handle handle, KORV_Handle source, const double* coefficients, int32_t coefficientCount,
                       int32_t mode),
                      "hhDii", handle, source, coefficients, coefficientCount, coefficientCount, mode)
RECORDING_ENTRY_POINT(Fill, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(Copy, (KORV_Handle handle, KORV_Handle source), "hh", handle, source)
RECORDING_ENTRY_POINT(CopyWithMask, (KORV_Handle handle, KORV_Handle source, KORV_Handle mask), "hhh", handle, source,
                      mask)
RECORDING_ENTRY_POINT(Crop,
                      (KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width, int32_t height),
                      "hhiiii", handle, source, x, y, width, height)
RECORDING_ENTRY_POINT(CropTo,
                      (KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                       int32_t value4, int32_t value5, int32_t value6),
                      "hhiiiiii", handle, source, value1, value2, value3, value4, value5, value6)
RECORDING_ENTRY_POINT(CopyWithConstBorder,
                      (KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3), "hhiii",
                      handle, source, value1, value2, value3)
RECORDING_ENTRY_POINT(CopyWithReplicateBorder, (KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2),
                      "hhii", handle, source, value1, value2)
RECORDING_ENTRY_POINT(SplitChannels, (KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3), "hhhh",
                      handle, c1, c2, c3)
RECORDING_ENTRY_POINT(FromChannels, (KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3), "hhhh",
                      handle, c1, c2, c3)
RECORDING_ENTRY_POINT(SplitChannelsRGBA,
                      (KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4), "hhhhh",
                      handle, c1, c2, c3, c4)
RECORDING_ENTRY_POINT(FromChannelsRGBA,
                      (KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4), "hhhhh",
                      handle, c1, c2, c3, c4)
RECORDING_ENTRY_POINT(FloodFill,
                      (KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                       int32_t value5, int32_t value6),
                      "hiiiiii", handle, value1, value2, value3, value4, value5, value6)
RECORDING_ENTRY_POINT(LookUpTable8Bit,
                      (KORV_Handle handle, KORV_Handle source, const int32_t* levels, const int32_t* values,
                       int32_t count, int32_t value),
                      "hhIIii", handle, source, levels, count, values, count, count, value)
RECORDING_ENTRY_POINT(LookUpTable,
                      (KORV_Handle handle, KORV_Handle source, const int32_t* levels1, const int32_t* values1,
                       int32_t count1, const int32_t* levels2, const int32_t* values2, int32_t count2,
                       const int32_t* levels3, const int32_t* values3, int32_t count3, int32_t value),
                      "hhIIiIIiIIii", handle, source, levels1, count1, values1, count1, count1, levels2, count2,
                      values2, count2, count2, levels3, count3, values3, count3, count3, value)
RECORDING_ENTRY_POINT(Erode, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(Dilate, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(ErodeEx, (KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2), "hIii",
                      handle, mask, value1* value2, value1, value2)
RECORDING_ENTRY_POINT(DilateEx, (KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2), "hIii",
                      handle, mask, value1* value2, value1, value2)
RECORDING_ENTRY_POINT(AlphaPremultiply, (KORV_Handle handle), "h", handle)
RECORDING_ENTRY_POINT(AlphaPremultiplyWithConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(ApplyAlphaChannelConstant, (KORV_Handle handle, int32_t value), "hi", handle, value)
RECORDING_ENTRY_POINT(ApplyAlphaChannel, (KORV_Handle handle, KORV_Handle alpha), "hh", handle, alpha)
RECORDING_ENTRY_POINT(AlphaOverlay, (KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value), "hhhi",
                      handle, first, second, value)
RECORDING_ENTRY_POINT(AlphaOverlayWithConstant,
                      (KORV_Handle handle, KORV_Handle first, int32_t value1, KORV_Handle second, int32_t value2,
                       int32_t value3),
                      "hhihii", handle, first, value1, second, value2, value3)
RECORDING_ENTRY_POINT(SwapChannels, (KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count),
                      "hhIi", handle, source, order, count, count)

/* ---- The test controls. */

void FAKEKORV_Reset(void)
{
    g_callsLength = 0;
    if (g_calls)
        g_calls[0] = '\0';
    g_ruleCount = 0;
    g_lastError[0] = '\0';
    for (int i = 0; i < 3; ++i)
        g_texts[i] = NULL;
}

void FAKEKORV_SetStatus(const char* operation, int32_t status, const char* text)
{
    Rule* rule = FindRule(operation ? operation : "", 1);
    if (!rule)
        abort();
    rule->status = status;
    snprintf(rule->text, sizeof(rule->text), "%s", text ? text : "");
}

void FAKEKORV_SetFill(const char* operation, int32_t byte)
{
    Rule* rule = FindRule(operation ? operation : "", 1);
    if (!rule)
        abort();
    rule->fill = byte < 0 ? -1 : (byte & 0xFF);
}

void FAKEKORV_SetTexts(const char* version, const char* processorDetected, const char* codeUsed)
{
    const char* texts[3] = {version, processorDetected, codeUsed};
    for (int i = 0; i < 3; ++i) {
        g_texts[i] = NULL;
        if (texts[i]) {
            snprintf(g_textStore[i], sizeof(g_textStore[i]), "%s", texts[i]);
            g_texts[i] = g_textStore[i];
        }
    }
}

const char* FAKEKORV_Calls(void)
{
    return g_calls ? g_calls : "";
}

int32_t FAKEKORV_LiveHandles(void)
{
    return g_liveHandles;
}

/* The record goes with the library. */
__attribute__((destructor)) static void FreeRecord(void)
{
    free(g_calls);
    g_calls = NULL;
    for (int i = 0; i < IMAGE_SLOTS; ++i) {
        if (g_images[i].ownsPixels)
            free(g_images[i].pixels);
    }
}
