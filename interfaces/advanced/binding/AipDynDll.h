// CAipDynDll: the process-wide binding of the image-processing library
// KORVEX55, found at run time by its file name ("KORVEX55.DLL", which the
// platform loader maps to KORVEX55.so beside the program). Each entry point
// is "KORV_" followed by the operation's name; the forwarding member of the
// same name resolves it on first use and calls it with the processing
// object's handle first, returning the library's status unchanged.
//
// The loader's use count counts the processing objects handed out and not
// yet freed; the last ReleaseInstance with no object left unloads the
// library.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/files/DllLoader.h"
#include "outside/korvex55/KORVEX55.h"

namespace ZAV {

class CAipDynDll : public CDllLoader {
public:
    CAipDynDll();
    ~CAipDynDll() override;

    // Loads the library, from the test folder when one is set;
    // throws "Can't load dll 'KORVEX55.DLL'".
    void Load() override;

    // Creates and loads the binding unless it exists. A binding that fails
    // to load is deleted again, so the next call tries afresh.
    static void EnsureInstance();
    // Deletes the binding when no processing object is left.
    static void ReleaseInstance();
    // The binding; throws "Dll 'KORVEX55.DLL' not yet loaded!" when none.
    static CAipDynDll& Instance();
    static bool HasInstance();

    // Tests point the binding at the folder of a stand-in library; an empty
    // folder restores the loader's own search.
    static void SetLibraryFolderForTests(const std::string& folder);

    // A new library-side processing object, counted as one use. A handle of
    // 0 is refused (and not counted): nothing could be freed or used.
    KORV_Handle CreateProcessor();
    // Frees the processing object and counts its use back.
    void FreeProcessor(KORV_Handle handle);

    // Entry points resolved so far.
    int32_t GetBoundEntryPointCount() const { return m_functions.GetCount(); }

    // One forwarding member per entry point of KORVEX55.h, in its order.
    KORV_Handle CreateCZAVAdvancedImgProc();
    int32_t FreeCZAVAdvancedImgProc(KORV_Handle handle);
    int32_t GetError(KORV_Handle handle, char* buffer);
    int32_t GetVersion(KORV_Handle handle, const char** text);
    int32_t GetProcessorDetected(KORV_Handle handle, const char** text);
    int32_t GetProcessorCodeUsed(KORV_Handle handle, const char** text);
    int32_t Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel);
    int32_t AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                         int32_t bitsPerPixel);
    int32_t AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                           int32_t bitsPerPixel, int32_t bytesPerLine);
    int32_t Clear(KORV_Handle handle);
    int32_t GetScaleFactor(KORV_Handle handle, int32_t* value);
    int32_t SetScaleFactor(KORV_Handle handle, int32_t value);
    int32_t GetWidth(KORV_Handle handle, int32_t* value);
    int32_t GetHeight(KORV_Handle handle, int32_t* value);
    int32_t GetBitsPerPixel(KORV_Handle handle, int32_t* value);
    int32_t GetWidthBytes(KORV_Handle handle, int32_t* value);
    int32_t GetImageSizeInBytes(KORV_Handle handle, int32_t* value);
    int32_t GetImageMemory(KORV_Handle handle, void** pixels);
    int32_t Add(KORV_Handle handle, KORV_Handle operand);
    int32_t AddConstant(KORV_Handle handle, int32_t value);
    int32_t Subtract(KORV_Handle handle, KORV_Handle operand);
    int32_t SubtractConstant(KORV_Handle handle, int32_t value);
    int32_t Multiply(KORV_Handle handle, KORV_Handle operand);
    int32_t MultiplyConstant(KORV_Handle handle, int32_t value);
    int32_t Divide(KORV_Handle handle, KORV_Handle operand);
    int32_t DivideConstant(KORV_Handle handle, int32_t value);
    int32_t Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second);
    int32_t DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value);
    int32_t And(KORV_Handle handle, KORV_Handle operand);
    int32_t AndConstant(KORV_Handle handle, int32_t value);
    int32_t Or(KORV_Handle handle, KORV_Handle operand);
    int32_t OrConstant(KORV_Handle handle, int32_t value);
    int32_t Xor(KORV_Handle handle, KORV_Handle operand);
    int32_t XorConstant(KORV_Handle handle, int32_t value);
    int32_t Invert(KORV_Handle handle);
    int32_t Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4);
    int32_t ThresholdGT(KORV_Handle handle, int32_t threshold);
    int32_t ThresholdLT(KORV_Handle handle, int32_t threshold);
    int32_t ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value);
    int32_t ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value);
    int32_t ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4);
    int32_t HDRScaleDown(KORV_Handle handle, KORV_Handle source);
    int32_t RGBtoCMY(KORV_Handle handle);
    int32_t CMYtoRGB(KORV_Handle handle);
    int32_t RGBtoYUV(KORV_Handle handle, KORV_Handle source);
    int32_t YUVtoRGB(KORV_Handle handle, KORV_Handle source);
    int32_t RGBtoXYZ(KORV_Handle handle, KORV_Handle source);
    int32_t XYZtoRGB(KORV_Handle handle, KORV_Handle source);
    int32_t RGBtoYCC(KORV_Handle handle, KORV_Handle source);
    int32_t YCCtoRGB(KORV_Handle handle, KORV_Handle source);
    int32_t Grayscale(KORV_Handle handle, KORV_Handle source);
    int32_t Grayscale8Bit(KORV_Handle handle, KORV_Handle source);
    int32_t ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value);
    int32_t GammaCorrection(KORV_Handle handle, int32_t value);
    int32_t ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value);
    int32_t Filter(KORV_Handle handle, int32_t kind, KORV_Handle source);
    int32_t FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel, int32_t value3,
                              int32_t value4, int32_t value5, int32_t value6, int32_t value7);
    int32_t Antialias(KORV_Handle handle, KORV_Handle source);
    int32_t GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first, int32_t* second);
    int32_t GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t a, int32_t b,
                              int32_t* first, int32_t* second);
    int32_t GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first, int32_t* second);
    int32_t GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                              int32_t* first, int32_t* second);
    int32_t Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode);
    int32_t MirrorHorizontal(KORV_Handle handle);
    int32_t MirrorVertical(KORV_Handle handle);
    int32_t RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top, double* right,
                      double* bottom);
    int32_t ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left, double* top,
                     double* right, double* bottom);
    int32_t WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                               int32_t coefficientCount, double* left, double* top, double* right, double* bottom);
    int32_t WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                        int32_t cornerCount, double* coefficients, int32_t coefficientCount);
    int32_t Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode);
    int32_t RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1, int32_t value2,
                         int32_t value3);
    int32_t Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode);
    int32_t WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                            int32_t coefficientCount, int32_t mode);
    int32_t Fill(KORV_Handle handle, int32_t value);
    int32_t Copy(KORV_Handle handle, KORV_Handle source);
    int32_t CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask);
    int32_t Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width, int32_t height);
    int32_t CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                   int32_t value4, int32_t value5, int32_t value6);
    int32_t CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3);
    int32_t CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2);
    int32_t SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3);
    int32_t FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3);
    int32_t SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4);
    int32_t FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4);
    int32_t FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                      int32_t value5, int32_t value6);
    int32_t LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels, const int32_t* values,
                            int32_t count, int32_t value);
    int32_t LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1, const int32_t* values1,
                        int32_t count1, const int32_t* levels2, const int32_t* values2, int32_t count2,
                        const int32_t* levels3, const int32_t* values3, int32_t count3, int32_t value);
    int32_t Erode(KORV_Handle handle);
    int32_t Dilate(KORV_Handle handle);
    int32_t ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2);
    int32_t DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2);
    int32_t AlphaPremultiply(KORV_Handle handle);
    int32_t AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value);
    int32_t ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value);
    int32_t ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha);
    int32_t AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value);
    int32_t AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1, KORV_Handle second,
                                     int32_t value2, int32_t value3);
    int32_t SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count);

private:
    // The exported function of that full name, cast to its declared type.
    template <class Function>
    Function Entry(const char* entryName);
};

}  // namespace ZAV
