/* KORVEX55: image-processing library of our own.
 *
 * A flat C interface, bound by name at run time: every entry point is
 * "KORV_" followed by the operation's name. A processing object is made by
 * KORV_CreateCZAVAdvancedImgProc and named by its handle; it holds one image
 * buffer, its own (KORV_Create) or borrowed (KORV_AttachNoFree). Operands
 * are other processing objects, passed by their handles.
 *
 * Every call but the create and free calls returns 0 on success or a status
 * whose text KORV_GetError writes into the caller's buffer of
 * KORV_ERROR_TEXT_BYTES bytes. Handles and pixel addresses are pointer-sized;
 * every other value is a 32-bit integer or a double. The meaning of each
 * value is written down in this folder's README.
 *
 * Images: rows top-down and unpadded (KORV_AttachNoFreeEx gives the bytes per
 * line); 1 bit MSB first, 8 and 9 bits one byte, 24 bits R, G, B, 32 bits
 * R, G, B, A, 16 and 48 bits 16-bit samples low byte first.
 */
#ifndef KORVEX55_H
#define KORVEX55_H

#include <stdint.h>

#if defined(KORVEX55_BUILDING)
#define KORV_API __attribute__((visibility("default")))
#else
#define KORV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uintptr_t KORV_Handle;
typedef int32_t KORV_Status;

#define KORV_ERROR_TEXT_BYTES 2048

/* Processing objects. */
KORV_API KORV_Handle KORV_CreateCZAVAdvancedImgProc(void);
KORV_API KORV_Status KORV_FreeCZAVAdvancedImgProc(KORV_Handle handle);
KORV_API KORV_Status KORV_GetError(KORV_Handle handle, char* buffer);
KORV_API KORV_Status KORV_GetVersion(KORV_Handle handle, const char** text);
KORV_API KORV_Status KORV_GetProcessorDetected(KORV_Handle handle, const char** text);
KORV_API KORV_Status KORV_GetProcessorCodeUsed(KORV_Handle handle, const char** text);

/* The image buffer. */
KORV_API KORV_Status KORV_Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel);
KORV_API KORV_Status KORV_AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                       int32_t height, int32_t bitsPerPixel);
KORV_API KORV_Status KORV_AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                         int32_t height, int32_t bitsPerPixel, int32_t bytesPerLine);
KORV_API KORV_Status KORV_Clear(KORV_Handle handle);
KORV_API KORV_Status KORV_GetScaleFactor(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_SetScaleFactor(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_GetWidth(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_GetHeight(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_GetBitsPerPixel(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_GetWidthBytes(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_GetImageSizeInBytes(KORV_Handle handle, int32_t* value);
KORV_API KORV_Status KORV_GetImageMemory(KORV_Handle handle, void** pixels);

/* Arithmetic: this image changes, operands are read. */
KORV_API KORV_Status KORV_Add(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_AddConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Subtract(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_SubtractConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Multiply(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_MultiplyConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Divide(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_DivideConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second);
KORV_API KORV_Status KORV_DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value);

/* Logic. */
KORV_API KORV_Status KORV_And(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_AndConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Or(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_OrConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Xor(KORV_Handle handle, KORV_Handle operand);
KORV_API KORV_Status KORV_XorConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Invert(KORV_Handle handle);
KORV_API KORV_Status KORV_Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4);

/* Thresholding. */
KORV_API KORV_Status KORV_ThresholdGT(KORV_Handle handle, int32_t threshold);
KORV_API KORV_Status KORV_ThresholdLT(KORV_Handle handle, int32_t threshold);
KORV_API KORV_Status KORV_ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value);
KORV_API KORV_Status KORV_ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value);
KORV_API KORV_Status KORV_ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                              int32_t value4);

/* Colour conversion: in place, or from a source into this image. */
KORV_API KORV_Status KORV_HDRScaleDown(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_RGBtoCMY(KORV_Handle handle);
KORV_API KORV_Status KORV_CMYtoRGB(KORV_Handle handle);
KORV_API KORV_Status KORV_RGBtoYUV(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_YUVtoRGB(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_RGBtoXYZ(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_XYZtoRGB(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_RGBtoYCC(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_YCCtoRGB(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_Grayscale(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_Grayscale8Bit(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value);
KORV_API KORV_Status KORV_GammaCorrection(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value);

/* Filters. A user kernel is value3 x value4 32-bit integers, row by row. */
KORV_API KORV_Status KORV_Filter(KORV_Handle handle, int32_t kind, KORV_Handle source);
KORV_API KORV_Status KORV_FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel,
                                            int32_t value3, int32_t value4, int32_t value5, int32_t value6,
                                            int32_t value7);
KORV_API KORV_Status KORV_Antialias(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first,
                                          int32_t* second);
KORV_API KORV_Status KORV_GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                            int32_t a, int32_t b, int32_t* first, int32_t* second);
KORV_API KORV_Status KORV_GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first,
                                          int32_t* second);
KORV_API KORV_Status KORV_GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                            int32_t value4, int32_t* first, int32_t* second);

/* Geometry. Boxes are written left, top, right, bottom. */
KORV_API KORV_Status KORV_Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode);
KORV_API KORV_Status KORV_MirrorHorizontal(KORV_Handle handle);
KORV_API KORV_Status KORV_MirrorVertical(KORV_Handle handle);
KORV_API KORV_Status KORV_RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                                    double* right, double* bottom);
KORV_API KORV_Status KORV_ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                                   double* top, double* right, double* bottom);
KORV_API KORV_Status KORV_WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                             int32_t coefficientCount, double* left, double* top, double* right,
                                             double* bottom);
KORV_API KORV_Status KORV_WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                                      int32_t cornerCount, double* coefficients,
                                                      int32_t coefficientCount);
KORV_API KORV_Status KORV_Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode);
KORV_API KORV_Status KORV_RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1,
                                       int32_t value2, int32_t value3);
KORV_API KORV_Status KORV_Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode);
KORV_API KORV_Status KORV_WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                          int32_t coefficientCount, int32_t mode);

/* Image processing. Tables, masks and channel orders are 32-bit integers. */
KORV_API KORV_Status KORV_Fill(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_Copy(KORV_Handle handle, KORV_Handle source);
KORV_API KORV_Status KORV_CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask);
KORV_API KORV_Status KORV_Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width,
                               int32_t height);
KORV_API KORV_Status KORV_CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                                 int32_t value4, int32_t value5, int32_t value6);
KORV_API KORV_Status KORV_CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2,
                                              int32_t value3);
KORV_API KORV_Status KORV_CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1,
                                                  int32_t value2);
KORV_API KORV_Status KORV_SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3);
KORV_API KORV_Status KORV_FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3);
KORV_API KORV_Status KORV_SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                            KORV_Handle c4);
KORV_API KORV_Status KORV_FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                           KORV_Handle c4);
KORV_API KORV_Status KORV_FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                                    int32_t value5, int32_t value6);
KORV_API KORV_Status KORV_LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels,
                                          const int32_t* values, int32_t count, int32_t value);
KORV_API KORV_Status KORV_LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1,
                                      const int32_t* values1, int32_t count1, const int32_t* levels2,
                                      const int32_t* values2, int32_t count2, const int32_t* levels3,
                                      const int32_t* values3, int32_t count3, int32_t value);
KORV_API KORV_Status KORV_Erode(KORV_Handle handle);
KORV_API KORV_Status KORV_Dilate(KORV_Handle handle);
KORV_API KORV_Status KORV_ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2);
KORV_API KORV_Status KORV_DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2);
KORV_API KORV_Status KORV_AlphaPremultiply(KORV_Handle handle);
KORV_API KORV_Status KORV_AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value);
KORV_API KORV_Status KORV_ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha);
KORV_API KORV_Status KORV_AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value);
KORV_API KORV_Status KORV_AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1,
                                                   KORV_Handle second, int32_t value2, int32_t value3);
KORV_API KORV_Status KORV_SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count);

#ifdef __cplusplus
}
#endif

#endif /* KORVEX55_H */
