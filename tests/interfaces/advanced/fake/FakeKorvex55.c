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
static int g_argumentCount;

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

static void CallBegin(const char* operation)
{
    AppendFormat("%s(", operation);
    g_argumentCount = 0;
}

static void Separate(void)
{
    if (g_argumentCount++ > 0)
        Append(", ");
}

static void ArgHandle(KORV_Handle handle)
{
    Separate();
    AppendFormat("%" PRIuPTR, handle);
}

static void ArgInt(int32_t value)
{
    Separate();
    AppendFormat("%" PRId32, value);
}

static void ArgDouble(double value)
{
    Separate();
    AppendFormat("%g", value);
}

static void ArgPointer(const void* pointer)
{
    Separate();
    AppendFormat("%p", pointer);
}

static void ArgOut(const void* pointer)
{
    (void)pointer;
    Separate();
    Append("out");
}

/* Arrays longer than this are written as their address. */
#define MAX_ARRAY_WRITTEN 4096

static void ArgInts(const int32_t* values, int32_t count)
{
    if (!values || count < 0 || count > MAX_ARRAY_WRITTEN) {
        values ? ArgPointer(values) : (Separate(), Append("null"));
        return;
    }
    Separate();
    Append("[");
    for (int32_t i = 0; i < count; ++i)
        AppendFormat(i ? " %" PRId32 : "%" PRId32, values[i]);
    Append("]");
}

static void ArgDoubles(const double* values, int32_t count)
{
    if (!values || count < 0 || count > MAX_ARRAY_WRITTEN) {
        values ? ArgPointer(values) : (Separate(), Append("null"));
        return;
    }
    Separate();
    Append("[");
    for (int32_t i = 0; i < count; ++i)
        AppendFormat(i ? " %g" : "%g", values[i]);
    Append("]");
}

static void CallEnd(void)
{
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

/* ---- Answers of the entry points that do more than record. */

static KORV_Handle AnswerCreateCZAVAdvancedImgProc(void)
{
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

static KORV_Status AnswerFreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    DropPixels(image);
    image->handle = 0;
    --g_liveHandles;
    return 0;
}

static KORV_Status AnswerGetError(KORV_Handle handle, char* buffer)
{
    (void)handle;
    if (buffer) {
        strncpy(buffer, g_lastError, KORV_ERROR_TEXT_BYTES - 1);
        buffer[KORV_ERROR_TEXT_BYTES - 1] = '\0';
    }
    return 0;
}

static KORV_Status AnswerText(const char* operation, const char** text, int index)
{
    const int32_t status = ChosenStatus(operation);
    if (text)
        *text = g_texts[index];
    return status;
}

static KORV_Status AnswerGetVersion(KORV_Handle handle, const char** text)
{
    (void)handle;
    return AnswerText("GetVersion", text, 0);
}

static KORV_Status AnswerGetProcessorDetected(KORV_Handle handle, const char** text)
{
    (void)handle;
    return AnswerText("GetProcessorDetected", text, 1);
}

static KORV_Status AnswerGetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    (void)handle;
    return AnswerText("GetProcessorCodeUsed", text, 2);
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

static KORV_Status AnswerAttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                      int32_t height, int32_t bitsPerPixel)
{
    const int32_t status = ChosenStatus("AttachNoFree");
    if (status != 0)
        return status;
    return SetBuffer(handle, pixels, sizeInBytes, width, height, bitsPerPixel, BytesPerLine(width, bitsPerPixel), 0);
}

static KORV_Status AnswerAttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                        int32_t height, int32_t bitsPerPixel, int32_t bytesPerLine)
{
    const int32_t status = ChosenStatus("AttachNoFreeEx");
    if (status != 0)
        return status;
    return SetBuffer(handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine, 0);
}

static KORV_Status AnswerClear(KORV_Handle handle)
{
    const int32_t status = ChosenStatus("Clear");
    if (status != 0)
        return status;
    Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    DropPixels(image);
    return 0;
}

static KORV_Status AnswerSetScaleFactor(KORV_Handle handle, int32_t value)
{
    const int32_t status = ChosenStatus("SetScaleFactor");
    if (status != 0)
        return status;
    Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    image->scaleFactor = value;
    return 0;
}

/* A query of one 32-bit value of the handle's image. */
static KORV_Status AnswerValue(const char* operation, KORV_Handle handle, int32_t* value, size_t offset)
{
    const int32_t status = ChosenStatus(operation);
    if (status != 0)
        return status;
    const Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    if (value)
        memcpy(value, (const char*)image + offset, sizeof(*value));
    return 0;
}

static KORV_Status AnswerGetScaleFactor(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetScaleFactor", handle, value, offsetof(Image, scaleFactor));
}

static KORV_Status AnswerGetWidth(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetWidth", handle, value, offsetof(Image, width));
}

static KORV_Status AnswerGetHeight(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetHeight", handle, value, offsetof(Image, height));
}

static KORV_Status AnswerGetBitsPerPixel(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetBitsPerPixel", handle, value, offsetof(Image, bitsPerPixel));
}

static KORV_Status AnswerGetWidthBytes(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetWidthBytes", handle, value, offsetof(Image, bytesPerLine));
}

static KORV_Status AnswerGetImageSizeInBytes(KORV_Handle handle, int32_t* value)
{
    return AnswerValue("GetImageSizeInBytes", handle, value, offsetof(Image, sizeInBytes));
}

static KORV_Status AnswerGetImageMemory(KORV_Handle handle, void** pixels)
{
    const int32_t status = ChosenStatus("GetImageMemory");
    if (status != 0)
        return status;
    const Image* image = FindImage(handle);
    if (!image)
        return UnknownHandle(handle);
    if (pixels)
        *pixels = image->pixels;
    return 0;
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

static KORV_Status AnswerRotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                                   double* right, double* bottom)
{
    (void)angle;
    return AnswerBox("RotateBox", handle, source, left, top, right, bottom);
}

static KORV_Status AnswerShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                                  double* top, double* right, double* bottom)
{
    (void)shearX;
    (void)shearY;
    return AnswerBox("ShearBox", handle, source, left, top, right, bottom);
}

static KORV_Status AnswerWarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                            int32_t coefficientCount, double* left, double* top, double* right,
                                            double* bottom)
{
    (void)coefficients;
    (void)coefficientCount;
    return AnswerBox("WarpPerspectiveBox", handle, source, left, top, right, bottom);
}

static KORV_Status AnswerWarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                                     int32_t cornerCount, double* coefficients,
                                                     int32_t coefficientCount)
{
    (void)source;
    (void)corners;
    (void)cornerCount;
    const int32_t status = Finish("WarpPerspectiveCoefficients", handle);
    if (status != 0 || !coefficients)
        return status;
    for (int32_t i = 0; i < coefficientCount; ++i)
        coefficients[i] = (i % 4 == 0) ? 1.0 : 0.0;
    return 0;
}

/* ---- The entry points. */

KORV_Handle KORV_CreateCZAVAdvancedImgProc(void)
{
    CallBegin("CreateCZAVAdvancedImgProc");
    CallEnd();
    return AnswerCreateCZAVAdvancedImgProc();
}

KORV_Status KORV_FreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    CallBegin("FreeCZAVAdvancedImgProc");
    ArgHandle(handle);
    CallEnd();
    return AnswerFreeCZAVAdvancedImgProc(handle);
}

KORV_Status KORV_GetError(KORV_Handle handle, char* buffer)
{
    CallBegin("GetError");
    ArgHandle(handle);
    ArgOut(buffer);
    CallEnd();
    return AnswerGetError(handle, buffer);
}

KORV_Status KORV_GetVersion(KORV_Handle handle, const char** text)
{
    CallBegin("GetVersion");
    ArgHandle(handle);
    ArgOut(text);
    CallEnd();
    return AnswerGetVersion(handle, text);
}

KORV_Status KORV_GetProcessorDetected(KORV_Handle handle, const char** text)
{
    CallBegin("GetProcessorDetected");
    ArgHandle(handle);
    ArgOut(text);
    CallEnd();
    return AnswerGetProcessorDetected(handle, text);
}

KORV_Status KORV_GetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    CallBegin("GetProcessorCodeUsed");
    ArgHandle(handle);
    ArgOut(text);
    CallEnd();
    return AnswerGetProcessorCodeUsed(handle, text);
}

KORV_Status KORV_Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    CallBegin("Create");
    ArgHandle(handle);
    ArgInt(width);
    ArgInt(height);
    ArgInt(bitsPerPixel);
    CallEnd();
    return AnswerCreate(handle, width, height, bitsPerPixel);
}

KORV_Status KORV_AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                              int32_t bitsPerPixel)
{
    CallBegin("AttachNoFree");
    ArgHandle(handle);
    ArgPointer(pixels);
    ArgInt(sizeInBytes);
    ArgInt(width);
    ArgInt(height);
    ArgInt(bitsPerPixel);
    CallEnd();
    return AnswerAttachNoFree(handle, pixels, sizeInBytes, width, height, bitsPerPixel);
}

KORV_Status KORV_AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                int32_t bitsPerPixel, int32_t bytesPerLine)
{
    CallBegin("AttachNoFreeEx");
    ArgHandle(handle);
    ArgPointer(pixels);
    ArgInt(sizeInBytes);
    ArgInt(width);
    ArgInt(height);
    ArgInt(bitsPerPixel);
    ArgInt(bytesPerLine);
    CallEnd();
    return AnswerAttachNoFreeEx(handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine);
}

KORV_Status KORV_Clear(KORV_Handle handle)
{
    CallBegin("Clear");
    ArgHandle(handle);
    CallEnd();
    return AnswerClear(handle);
}

KORV_Status KORV_GetScaleFactor(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetScaleFactor");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetScaleFactor(handle, value);
}

KORV_Status KORV_SetScaleFactor(KORV_Handle handle, int32_t value)
{
    CallBegin("SetScaleFactor");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return AnswerSetScaleFactor(handle, value);
}

KORV_Status KORV_GetWidth(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetWidth");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetWidth(handle, value);
}

KORV_Status KORV_GetHeight(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetHeight");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetHeight(handle, value);
}

KORV_Status KORV_GetBitsPerPixel(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetBitsPerPixel");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetBitsPerPixel(handle, value);
}

KORV_Status KORV_GetWidthBytes(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetWidthBytes");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetWidthBytes(handle, value);
}

KORV_Status KORV_GetImageSizeInBytes(KORV_Handle handle, int32_t* value)
{
    CallBegin("GetImageSizeInBytes");
    ArgHandle(handle);
    ArgOut(value);
    CallEnd();
    return AnswerGetImageSizeInBytes(handle, value);
}

KORV_Status KORV_GetImageMemory(KORV_Handle handle, void** pixels)
{
    CallBegin("GetImageMemory");
    ArgHandle(handle);
    ArgOut(pixels);
    CallEnd();
    return AnswerGetImageMemory(handle, pixels);
}

KORV_Status KORV_Add(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Add");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Add", handle);
}

KORV_Status KORV_AddConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("AddConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("AddConstant", handle);
}

KORV_Status KORV_Subtract(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Subtract");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Subtract", handle);
}

KORV_Status KORV_SubtractConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("SubtractConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("SubtractConstant", handle);
}

KORV_Status KORV_Multiply(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Multiply");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Multiply", handle);
}

KORV_Status KORV_MultiplyConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("MultiplyConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("MultiplyConstant", handle);
}

KORV_Status KORV_Divide(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Divide");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Divide", handle);
}

KORV_Status KORV_DivideConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("DivideConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("DivideConstant", handle);
}

KORV_Status KORV_Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second)
{
    CallBegin("Difference");
    ArgHandle(handle);
    ArgHandle(first);
    ArgHandle(second);
    CallEnd();
    return Finish("Difference", handle);
}

KORV_Status KORV_DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value)
{
    CallBegin("DifferenceConstant");
    ArgHandle(handle);
    ArgHandle(operand);
    ArgInt(value);
    CallEnd();
    return Finish("DifferenceConstant", handle);
}

KORV_Status KORV_And(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("And");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("And", handle);
}

KORV_Status KORV_AndConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("AndConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("AndConstant", handle);
}

KORV_Status KORV_Or(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Or");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Or", handle);
}

KORV_Status KORV_OrConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("OrConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("OrConstant", handle);
}

KORV_Status KORV_Xor(KORV_Handle handle, KORV_Handle operand)
{
    CallBegin("Xor");
    ArgHandle(handle);
    ArgHandle(operand);
    CallEnd();
    return Finish("Xor", handle);
}

KORV_Status KORV_XorConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("XorConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("XorConstant", handle);
}

KORV_Status KORV_Invert(KORV_Handle handle)
{
    CallBegin("Invert");
    ArgHandle(handle);
    CallEnd();
    return Finish("Invert", handle);
}

KORV_Status KORV_Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    CallBegin("Scale");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(value4);
    CallEnd();
    return Finish("Scale", handle);
}

KORV_Status KORV_ThresholdGT(KORV_Handle handle, int32_t threshold)
{
    CallBegin("ThresholdGT");
    ArgHandle(handle);
    ArgInt(threshold);
    CallEnd();
    return Finish("ThresholdGT", handle);
}

KORV_Status KORV_ThresholdLT(KORV_Handle handle, int32_t threshold)
{
    CallBegin("ThresholdLT");
    ArgHandle(handle);
    ArgInt(threshold);
    CallEnd();
    return Finish("ThresholdLT", handle);
}

KORV_Status KORV_ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    CallBegin("ThresholdGTVal");
    ArgHandle(handle);
    ArgInt(threshold);
    ArgInt(value);
    CallEnd();
    return Finish("ThresholdGTVal", handle);
}

KORV_Status KORV_ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    CallBegin("ThresholdLTVal");
    ArgHandle(handle);
    ArgInt(threshold);
    ArgInt(value);
    CallEnd();
    return Finish("ThresholdLTVal", handle);
}

KORV_Status KORV_ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    CallBegin("ThresholdLTValGTVal");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(value4);
    CallEnd();
    return Finish("ThresholdLTValGTVal", handle);
}

KORV_Status KORV_HDRScaleDown(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("HDRScaleDown");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("HDRScaleDown", handle);
}

KORV_Status KORV_RGBtoCMY(KORV_Handle handle)
{
    CallBegin("RGBtoCMY");
    ArgHandle(handle);
    CallEnd();
    return Finish("RGBtoCMY", handle);
}

KORV_Status KORV_CMYtoRGB(KORV_Handle handle)
{
    CallBegin("CMYtoRGB");
    ArgHandle(handle);
    CallEnd();
    return Finish("CMYtoRGB", handle);
}

KORV_Status KORV_RGBtoYUV(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("RGBtoYUV");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("RGBtoYUV", handle);
}

KORV_Status KORV_YUVtoRGB(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("YUVtoRGB");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("YUVtoRGB", handle);
}

KORV_Status KORV_RGBtoXYZ(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("RGBtoXYZ");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("RGBtoXYZ", handle);
}

KORV_Status KORV_XYZtoRGB(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("XYZtoRGB");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("XYZtoRGB", handle);
}

KORV_Status KORV_RGBtoYCC(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("RGBtoYCC");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("RGBtoYCC", handle);
}

KORV_Status KORV_YCCtoRGB(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("YCCtoRGB");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("YCCtoRGB", handle);
}

KORV_Status KORV_Grayscale(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("Grayscale");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("Grayscale", handle);
}

KORV_Status KORV_Grayscale8Bit(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("Grayscale8Bit");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("Grayscale8Bit", handle);
}

KORV_Status KORV_ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    CallBegin("ConvertTo1Bit");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(value);
    CallEnd();
    return Finish("ConvertTo1Bit", handle);
}

KORV_Status KORV_GammaCorrection(KORV_Handle handle, int32_t value)
{
    CallBegin("GammaCorrection");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("GammaCorrection", handle);
}

KORV_Status KORV_ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    CallBegin("ScaleToGray");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(value);
    CallEnd();
    return Finish("ScaleToGray", handle);
}

KORV_Status KORV_Filter(KORV_Handle handle, int32_t kind, KORV_Handle source)
{
    CallBegin("Filter");
    ArgHandle(handle);
    ArgInt(kind);
    ArgHandle(source);
    CallEnd();
    return Finish("Filter", handle);
}

KORV_Status KORV_FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel, int32_t value3,
                                   int32_t value4, int32_t value5, int32_t value6, int32_t value7)
{
    CallBegin("FilterUserDefined");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInts(kernel, value3 * value4);
    ArgInt(value3);
    ArgInt(value4);
    ArgInt(value5);
    ArgInt(value6);
    ArgInt(value7);
    CallEnd();
    return Finish("FilterUserDefined", handle);
}

KORV_Status KORV_Antialias(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("Antialias");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("Antialias", handle);
}

KORV_Status KORV_GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first,
                                 int32_t* second)
{
    CallBegin("GetRoiForFilter");
    ArgHandle(handle);
    ArgInt(kind);
    ArgInt(a);
    ArgInt(b);
    ArgOut(first);
    ArgOut(second);
    CallEnd();
    return Finish("GetRoiForFilter", handle);
}

KORV_Status KORV_GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                   int32_t b, int32_t* first, int32_t* second)
{
    CallBegin("GetRoiForFilterEx");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(a);
    ArgInt(b);
    ArgOut(first);
    ArgOut(second);
    CallEnd();
    return Finish("GetRoiForFilterEx", handle);
}

KORV_Status KORV_GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first, int32_t* second)
{
    CallBegin("GetFilterBorder");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgOut(first);
    ArgOut(second);
    CallEnd();
    return Finish("GetFilterBorder", handle);
}

KORV_Status KORV_GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                                   int32_t* first, int32_t* second)
{
    CallBegin("GetFilterBorderEx");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(value4);
    ArgOut(first);
    ArgOut(second);
    CallEnd();
    return Finish("GetFilterBorderEx", handle);
}

KORV_Status KORV_Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode)
{
    CallBegin("Resize");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(width);
    ArgInt(height);
    ArgInt(mode);
    CallEnd();
    return Finish("Resize", handle);
}

KORV_Status KORV_MirrorHorizontal(KORV_Handle handle)
{
    CallBegin("MirrorHorizontal");
    ArgHandle(handle);
    CallEnd();
    return Finish("MirrorHorizontal", handle);
}

KORV_Status KORV_MirrorVertical(KORV_Handle handle)
{
    CallBegin("MirrorVertical");
    ArgHandle(handle);
    CallEnd();
    return Finish("MirrorVertical", handle);
}

KORV_Status KORV_RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                           double* right, double* bottom)
{
    CallBegin("RotateBox");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDouble(angle);
    ArgOut(left);
    ArgOut(top);
    ArgOut(right);
    ArgOut(bottom);
    CallEnd();
    return AnswerRotateBox(handle, source, angle, left, top, right, bottom);
}

KORV_Status KORV_ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                          double* top, double* right, double* bottom)
{
    CallBegin("ShearBox");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDouble(shearX);
    ArgDouble(shearY);
    ArgOut(left);
    ArgOut(top);
    ArgOut(right);
    ArgOut(bottom);
    CallEnd();
    return AnswerShearBox(handle, source, shearX, shearY, left, top, right, bottom);
}

KORV_Status KORV_WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                    int32_t coefficientCount, double* left, double* top, double* right, double* bottom)
{
    CallBegin("WarpPerspectiveBox");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDoubles(coefficients, coefficientCount);
    ArgInt(coefficientCount);
    ArgOut(left);
    ArgOut(top);
    ArgOut(right);
    ArgOut(bottom);
    CallEnd();
    return AnswerWarpPerspectiveBox(handle, source, coefficients, coefficientCount, left, top, right, bottom);
}

KORV_Status KORV_WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                             int32_t cornerCount, double* coefficients, int32_t coefficientCount)
{
    CallBegin("WarpPerspectiveCoefficients");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDoubles(corners, cornerCount);
    ArgInt(cornerCount);
    ArgOut(coefficients);
    ArgInt(coefficientCount);
    CallEnd();
    return AnswerWarpPerspectiveCoefficients(handle, source, corners, cornerCount, coefficients, coefficientCount);
}

KORV_Status KORV_Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode)
{
    CallBegin("Rotate");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDouble(angle);
    ArgInt(mode);
    CallEnd();
    return Finish("Rotate", handle);
}

KORV_Status KORV_RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1, int32_t value2,
                              int32_t value3)
{
    CallBegin("RotateCenter");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDouble(angle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    CallEnd();
    return Finish("RotateCenter", handle);
}

KORV_Status KORV_Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode)
{
    CallBegin("Shear");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDouble(shearX);
    ArgDouble(shearY);
    ArgInt(mode);
    CallEnd();
    return Finish("Shear", handle);
}

KORV_Status KORV_WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                 int32_t coefficientCount, int32_t mode)
{
    CallBegin("WarpPerspective");
    ArgHandle(handle);
    ArgHandle(source);
    ArgDoubles(coefficients, coefficientCount);
    ArgInt(coefficientCount);
    ArgInt(mode);
    CallEnd();
    return Finish("WarpPerspective", handle);
}

KORV_Status KORV_Fill(KORV_Handle handle, int32_t value)
{
    CallBegin("Fill");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("Fill", handle);
}

KORV_Status KORV_Copy(KORV_Handle handle, KORV_Handle source)
{
    CallBegin("Copy");
    ArgHandle(handle);
    ArgHandle(source);
    CallEnd();
    return Finish("Copy", handle);
}

KORV_Status KORV_CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask)
{
    CallBegin("CopyWithMask");
    ArgHandle(handle);
    ArgHandle(source);
    ArgHandle(mask);
    CallEnd();
    return Finish("CopyWithMask", handle);
}

KORV_Status KORV_Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    CallBegin("Crop");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(x);
    ArgInt(y);
    ArgInt(width);
    ArgInt(height);
    CallEnd();
    return Finish("Crop", handle);
}

KORV_Status KORV_CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                        int32_t value4, int32_t value5, int32_t value6)
{
    CallBegin("CropTo");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(value4);
    ArgInt(value5);
    ArgInt(value6);
    CallEnd();
    return Finish("CropTo", handle);
}

KORV_Status KORV_CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2,
                                     int32_t value3)
{
    CallBegin("CopyWithConstBorder");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    CallEnd();
    return Finish("CopyWithConstBorder", handle);
}

KORV_Status KORV_CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2)
{
    CallBegin("CopyWithReplicateBorder");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInt(value1);
    ArgInt(value2);
    CallEnd();
    return Finish("CopyWithReplicateBorder", handle);
}

KORV_Status KORV_SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    CallBegin("SplitChannels");
    ArgHandle(handle);
    ArgHandle(c1);
    ArgHandle(c2);
    ArgHandle(c3);
    CallEnd();
    return Finish("SplitChannels", handle);
}

KORV_Status KORV_FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    CallBegin("FromChannels");
    ArgHandle(handle);
    ArgHandle(c1);
    ArgHandle(c2);
    ArgHandle(c3);
    CallEnd();
    return Finish("FromChannels", handle);
}

KORV_Status KORV_SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4)
{
    CallBegin("SplitChannelsRGBA");
    ArgHandle(handle);
    ArgHandle(c1);
    ArgHandle(c2);
    ArgHandle(c3);
    ArgHandle(c4);
    CallEnd();
    return Finish("SplitChannelsRGBA", handle);
}

KORV_Status KORV_FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4)
{
    CallBegin("FromChannelsRGBA");
    ArgHandle(handle);
    ArgHandle(c1);
    ArgHandle(c2);
    ArgHandle(c3);
    ArgHandle(c4);
    CallEnd();
    return Finish("FromChannelsRGBA", handle);
}

KORV_Status KORV_FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                           int32_t value5, int32_t value6)
{
    CallBegin("FloodFill");
    ArgHandle(handle);
    ArgInt(value1);
    ArgInt(value2);
    ArgInt(value3);
    ArgInt(value4);
    ArgInt(value5);
    ArgInt(value6);
    CallEnd();
    return Finish("FloodFill", handle);
}

KORV_Status KORV_LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels, const int32_t* values,
                                 int32_t count, int32_t value)
{
    CallBegin("LookUpTable8Bit");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInts(levels, count);
    ArgInts(values, count);
    ArgInt(count);
    ArgInt(value);
    CallEnd();
    return Finish("LookUpTable8Bit", handle);
}

KORV_Status KORV_LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1, const int32_t* values1,
                             int32_t count1, const int32_t* levels2, const int32_t* values2, int32_t count2,
                             const int32_t* levels3, const int32_t* values3, int32_t count3, int32_t value)
{
    CallBegin("LookUpTable");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInts(levels1, count1);
    ArgInts(values1, count1);
    ArgInt(count1);
    ArgInts(levels2, count2);
    ArgInts(values2, count2);
    ArgInt(count2);
    ArgInts(levels3, count3);
    ArgInts(values3, count3);
    ArgInt(count3);
    ArgInt(value);
    CallEnd();
    return Finish("LookUpTable", handle);
}

KORV_Status KORV_Erode(KORV_Handle handle)
{
    CallBegin("Erode");
    ArgHandle(handle);
    CallEnd();
    return Finish("Erode", handle);
}

KORV_Status KORV_Dilate(KORV_Handle handle)
{
    CallBegin("Dilate");
    ArgHandle(handle);
    CallEnd();
    return Finish("Dilate", handle);
}

KORV_Status KORV_ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    CallBegin("ErodeEx");
    ArgHandle(handle);
    ArgInts(mask, value1 * value2);
    ArgInt(value1);
    ArgInt(value2);
    CallEnd();
    return Finish("ErodeEx", handle);
}

KORV_Status KORV_DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    CallBegin("DilateEx");
    ArgHandle(handle);
    ArgInts(mask, value1 * value2);
    ArgInt(value1);
    ArgInt(value2);
    CallEnd();
    return Finish("DilateEx", handle);
}

KORV_Status KORV_AlphaPremultiply(KORV_Handle handle)
{
    CallBegin("AlphaPremultiply");
    ArgHandle(handle);
    CallEnd();
    return Finish("AlphaPremultiply", handle);
}

KORV_Status KORV_AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("AlphaPremultiplyWithConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("AlphaPremultiplyWithConstant", handle);
}

KORV_Status KORV_ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value)
{
    CallBegin("ApplyAlphaChannelConstant");
    ArgHandle(handle);
    ArgInt(value);
    CallEnd();
    return Finish("ApplyAlphaChannelConstant", handle);
}

KORV_Status KORV_ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha)
{
    CallBegin("ApplyAlphaChannel");
    ArgHandle(handle);
    ArgHandle(alpha);
    CallEnd();
    return Finish("ApplyAlphaChannel", handle);
}

KORV_Status KORV_AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value)
{
    CallBegin("AlphaOverlay");
    ArgHandle(handle);
    ArgHandle(first);
    ArgHandle(second);
    ArgInt(value);
    CallEnd();
    return Finish("AlphaOverlay", handle);
}

KORV_Status KORV_AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1, KORV_Handle second,
                                          int32_t value2, int32_t value3)
{
    CallBegin("AlphaOverlayWithConstant");
    ArgHandle(handle);
    ArgHandle(first);
    ArgInt(value1);
    ArgHandle(second);
    ArgInt(value2);
    ArgInt(value3);
    CallEnd();
    return Finish("AlphaOverlayWithConstant", handle);
}

KORV_Status KORV_SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count)
{
    CallBegin("SwapChannels");
    ArgHandle(handle);
    ArgHandle(source);
    ArgInts(order, count);
    ArgInt(count);
    CallEnd();
    return Finish("SwapChannels", handle);
}

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
