#include "interfaces/advanced/binding/AipDynDll.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "platform/Loader.h"

namespace ZAV {

namespace {

constexpr char kLibraryName[] = "KORVEX55.DLL";
constexpr char kEntryPrefix[] = "KORV_";

CAipDynDll* g_instance = nullptr;

std::string& TestFolder()
{
    static std::string folder;
    return folder;
}

[[noreturn]] void ThrowFormatted(const char* format, const char* value)
{
    String text;
    text.Format(format, value);
    ThrowTextException(text.GetText());
}

// At process exit a binding still held is deleted whatever its use count,
// so the library is closed before the program goes.
struct CInstanceAtExit {
    ~CInstanceAtExit()
    {
        delete g_instance;
        g_instance = nullptr;
    }
} g_instanceAtExit;

}  // namespace

CAipDynDll::CAipDynDll() : CDllLoader(kLibraryName, true)
{
}

CAipDynDll::~CAipDynDll() = default;

void CAipDynDll::Load()
{
    if (IsLoaded())
        return;
    const std::string& folder = TestFolder();
    if (folder.empty()) {
        CDllLoader::Load();
        return;
    }
    m_module = LoadLibraryA((folder + "/" + kLibraryName).c_str());
    if (m_module == nullptr)
        ThrowFormatted("Can't load dll '%s'", kLibraryName);
}

void CAipDynDll::EnsureInstance()
{
    if (g_instance != nullptr)
        return;
    g_instance = new CAipDynDll();
    try {
        g_instance->Load();
    } catch (...) {
        // A binding left unloaded would refuse every later object with
        // "not yet loaded"; without it the next object tries the file again.
        delete g_instance;
        g_instance = nullptr;
        throw;
    }
}

void CAipDynDll::ReleaseInstance()
{
    if (g_instance == nullptr || g_instance->GetRefCount() > 0)
        return;
    delete g_instance;
    g_instance = nullptr;
}

CAipDynDll& CAipDynDll::Instance()
{
    if (g_instance == nullptr)
        ThrowFormatted("Dll '%s' not yet loaded!", kLibraryName);
    return *g_instance;
}

bool CAipDynDll::HasInstance()
{
    return g_instance != nullptr;
}

void CAipDynDll::SetLibraryFolderForTests(const std::string& folder)
{
    TestFolder() = folder;
}

KORV_Handle CAipDynDll::CreateProcessor()
{
    const auto create = Entry<decltype(&KORV_CreateCZAVAdvancedImgProc)>("CreateCZAVAdvancedImgProc");
    AddRef();
    const KORV_Handle handle = create();
    if (handle == 0) {
        Release();
        ThrowFormatted("Dll '%s' could not create a processing object!", kLibraryName);
    }
    return handle;
}

void CAipDynDll::FreeProcessor(KORV_Handle handle)
{
    Release();
    FreeCZAVAdvancedImgProc(handle);
}

template <class Function>
Function CAipDynDll::Entry(const char* operation)
{
    const std::string name = std::string(kEntryPrefix) + operation;
    return reinterpret_cast<Function>(GetFunction(name.c_str()));
}

KORV_Handle CAipDynDll::CreateCZAVAdvancedImgProc()
{
    return Entry<decltype(&KORV_CreateCZAVAdvancedImgProc)>("CreateCZAVAdvancedImgProc")();
}

int32_t CAipDynDll::FreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    return Entry<decltype(&KORV_FreeCZAVAdvancedImgProc)>("FreeCZAVAdvancedImgProc")(handle);
}

int32_t CAipDynDll::GetError(KORV_Handle handle, char* buffer)
{
    return Entry<decltype(&KORV_GetError)>("GetError")(handle, buffer);
}

int32_t CAipDynDll::GetVersion(KORV_Handle handle, const char** text)
{
    return Entry<decltype(&KORV_GetVersion)>("GetVersion")(handle, text);
}

int32_t CAipDynDll::GetProcessorDetected(KORV_Handle handle, const char** text)
{
    return Entry<decltype(&KORV_GetProcessorDetected)>("GetProcessorDetected")(handle, text);
}

int32_t CAipDynDll::GetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    return Entry<decltype(&KORV_GetProcessorCodeUsed)>("GetProcessorCodeUsed")(handle, text);
}

int32_t CAipDynDll::Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    return Entry<decltype(&KORV_Create)>("Create")(handle, width, height, bitsPerPixel);
}

int32_t CAipDynDll::AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                 int32_t bitsPerPixel)
{
    return Entry<decltype(&KORV_AttachNoFree)>("AttachNoFree")(handle, pixels, sizeInBytes, width, height,
                                                               bitsPerPixel);
}

int32_t CAipDynDll::AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                   int32_t bitsPerPixel, int32_t bytesPerLine)
{
    return Entry<decltype(&KORV_AttachNoFreeEx)>("AttachNoFreeEx")(handle, pixels, sizeInBytes, width, height,
                                                                   bitsPerPixel, bytesPerLine);
}

int32_t CAipDynDll::Clear(KORV_Handle handle)
{
    return Entry<decltype(&KORV_Clear)>("Clear")(handle);
}

int32_t CAipDynDll::GetScaleFactor(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetScaleFactor)>("GetScaleFactor")(handle, value);
}

int32_t CAipDynDll::SetScaleFactor(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_SetScaleFactor)>("SetScaleFactor")(handle, value);
}

int32_t CAipDynDll::GetWidth(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetWidth)>("GetWidth")(handle, value);
}

int32_t CAipDynDll::GetHeight(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetHeight)>("GetHeight")(handle, value);
}

int32_t CAipDynDll::GetBitsPerPixel(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetBitsPerPixel)>("GetBitsPerPixel")(handle, value);
}

int32_t CAipDynDll::GetWidthBytes(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetWidthBytes)>("GetWidthBytes")(handle, value);
}

int32_t CAipDynDll::GetImageSizeInBytes(KORV_Handle handle, int32_t* value)
{
    return Entry<decltype(&KORV_GetImageSizeInBytes)>("GetImageSizeInBytes")(handle, value);
}

int32_t CAipDynDll::GetImageMemory(KORV_Handle handle, void** pixels)
{
    return Entry<decltype(&KORV_GetImageMemory)>("GetImageMemory")(handle, pixels);
}

int32_t CAipDynDll::Add(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Add)>("Add")(handle, operand);
}

int32_t CAipDynDll::AddConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_AddConstant)>("AddConstant")(handle, value);
}

int32_t CAipDynDll::Subtract(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Subtract)>("Subtract")(handle, operand);
}

int32_t CAipDynDll::SubtractConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_SubtractConstant)>("SubtractConstant")(handle, value);
}

int32_t CAipDynDll::Multiply(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Multiply)>("Multiply")(handle, operand);
}

int32_t CAipDynDll::MultiplyConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_MultiplyConstant)>("MultiplyConstant")(handle, value);
}

int32_t CAipDynDll::Divide(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Divide)>("Divide")(handle, operand);
}

int32_t CAipDynDll::DivideConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_DivideConstant)>("DivideConstant")(handle, value);
}

int32_t CAipDynDll::Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second)
{
    return Entry<decltype(&KORV_Difference)>("Difference")(handle, first, second);
}

int32_t CAipDynDll::DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value)
{
    return Entry<decltype(&KORV_DifferenceConstant)>("DifferenceConstant")(handle, operand, value);
}

int32_t CAipDynDll::And(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_And)>("And")(handle, operand);
}

int32_t CAipDynDll::AndConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_AndConstant)>("AndConstant")(handle, value);
}

int32_t CAipDynDll::Or(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Or)>("Or")(handle, operand);
}

int32_t CAipDynDll::OrConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_OrConstant)>("OrConstant")(handle, value);
}

int32_t CAipDynDll::Xor(KORV_Handle handle, KORV_Handle operand)
{
    return Entry<decltype(&KORV_Xor)>("Xor")(handle, operand);
}

int32_t CAipDynDll::XorConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_XorConstant)>("XorConstant")(handle, value);
}

int32_t CAipDynDll::Invert(KORV_Handle handle)
{
    return Entry<decltype(&KORV_Invert)>("Invert")(handle);
}

int32_t CAipDynDll::Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    return Entry<decltype(&KORV_Scale)>("Scale")(handle, value1, value2, value3, value4);
}

int32_t CAipDynDll::ThresholdGT(KORV_Handle handle, int32_t threshold)
{
    return Entry<decltype(&KORV_ThresholdGT)>("ThresholdGT")(handle, threshold);
}

int32_t CAipDynDll::ThresholdLT(KORV_Handle handle, int32_t threshold)
{
    return Entry<decltype(&KORV_ThresholdLT)>("ThresholdLT")(handle, threshold);
}

int32_t CAipDynDll::ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return Entry<decltype(&KORV_ThresholdGTVal)>("ThresholdGTVal")(handle, threshold, value);
}

int32_t CAipDynDll::ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return Entry<decltype(&KORV_ThresholdLTVal)>("ThresholdLTVal")(handle, threshold, value);
}

int32_t CAipDynDll::ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                        int32_t value4)
{
    return Entry<decltype(&KORV_ThresholdLTValGTVal)>("ThresholdLTValGTVal")(handle, value1, value2, value3, value4);
}

int32_t CAipDynDll::HDRScaleDown(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_HDRScaleDown)>("HDRScaleDown")(handle, source);
}

int32_t CAipDynDll::RGBtoCMY(KORV_Handle handle)
{
    return Entry<decltype(&KORV_RGBtoCMY)>("RGBtoCMY")(handle);
}

int32_t CAipDynDll::CMYtoRGB(KORV_Handle handle)
{
    return Entry<decltype(&KORV_CMYtoRGB)>("CMYtoRGB")(handle);
}

int32_t CAipDynDll::RGBtoYUV(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_RGBtoYUV)>("RGBtoYUV")(handle, source);
}

int32_t CAipDynDll::YUVtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_YUVtoRGB)>("YUVtoRGB")(handle, source);
}

int32_t CAipDynDll::RGBtoXYZ(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_RGBtoXYZ)>("RGBtoXYZ")(handle, source);
}

int32_t CAipDynDll::XYZtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_XYZtoRGB)>("XYZtoRGB")(handle, source);
}

int32_t CAipDynDll::RGBtoYCC(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_RGBtoYCC)>("RGBtoYCC")(handle, source);
}

int32_t CAipDynDll::YCCtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_YCCtoRGB)>("YCCtoRGB")(handle, source);
}

int32_t CAipDynDll::Grayscale(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_Grayscale)>("Grayscale")(handle, source);
}

int32_t CAipDynDll::Grayscale8Bit(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_Grayscale8Bit)>("Grayscale8Bit")(handle, source);
}

int32_t CAipDynDll::ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return Entry<decltype(&KORV_ConvertTo1Bit)>("ConvertTo1Bit")(handle, source, value);
}

int32_t CAipDynDll::GammaCorrection(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_GammaCorrection)>("GammaCorrection")(handle, value);
}

int32_t CAipDynDll::ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return Entry<decltype(&KORV_ScaleToGray)>("ScaleToGray")(handle, source, value);
}

int32_t CAipDynDll::Filter(KORV_Handle handle, int32_t kind, KORV_Handle source)
{
    return Entry<decltype(&KORV_Filter)>("Filter")(handle, kind, source);
}

int32_t CAipDynDll::FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel, int32_t value3,
                                      int32_t value4, int32_t value5, int32_t value6, int32_t value7)
{
    return Entry<decltype(&KORV_FilterUserDefined)>("FilterUserDefined")(handle, source, kernel, value3, value4, value5,
                                                                         value6, value7);
}

int32_t CAipDynDll::Antialias(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_Antialias)>("Antialias")(handle, source);
}

int32_t CAipDynDll::GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first,
                                    int32_t* second)
{
    return Entry<decltype(&KORV_GetRoiForFilter)>("GetRoiForFilter")(handle, kind, a, b, first, second);
}

int32_t CAipDynDll::GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                      int32_t b, int32_t* first, int32_t* second)
{
    return Entry<decltype(&KORV_GetRoiForFilterEx)>("GetRoiForFilterEx")(handle, value1, value2, value3, a, b, first,
                                                                         second);
}

int32_t CAipDynDll::GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first, int32_t* second)
{
    return Entry<decltype(&KORV_GetFilterBorder)>("GetFilterBorder")(handle, value1, value2, first, second);
}

int32_t CAipDynDll::GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                      int32_t value4, int32_t* first, int32_t* second)
{
    return Entry<decltype(&KORV_GetFilterBorderEx)>("GetFilterBorderEx")(handle, value1, value2, value3, value4, first,
                                                                         second);
}

int32_t CAipDynDll::Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode)
{
    return Entry<decltype(&KORV_Resize)>("Resize")(handle, source, width, height, mode);
}

int32_t CAipDynDll::MirrorHorizontal(KORV_Handle handle)
{
    return Entry<decltype(&KORV_MirrorHorizontal)>("MirrorHorizontal")(handle);
}

int32_t CAipDynDll::MirrorVertical(KORV_Handle handle)
{
    return Entry<decltype(&KORV_MirrorVertical)>("MirrorVertical")(handle);
}

int32_t CAipDynDll::RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                              double* right, double* bottom)
{
    return Entry<decltype(&KORV_RotateBox)>("RotateBox")(handle, source, angle, left, top, right, bottom);
}

int32_t CAipDynDll::ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                             double* top, double* right, double* bottom)
{
    return Entry<decltype(&KORV_ShearBox)>("ShearBox")(handle, source, shearX, shearY, left, top, right, bottom);
}

int32_t CAipDynDll::WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                       int32_t coefficientCount, double* left, double* top, double* right,
                                       double* bottom)
{
    return Entry<decltype(&KORV_WarpPerspectiveBox)>("WarpPerspectiveBox")(handle, source, coefficients,
                                                                           coefficientCount, left, top, right, bottom);
}

int32_t CAipDynDll::WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                                int32_t cornerCount, double* coefficients, int32_t coefficientCount)
{
    return Entry<decltype(&KORV_WarpPerspectiveCoefficients)>("WarpPerspectiveCoefficients")(
        handle, source, corners, cornerCount, coefficients, coefficientCount);
}

int32_t CAipDynDll::Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode)
{
    return Entry<decltype(&KORV_Rotate)>("Rotate")(handle, source, angle, mode);
}

int32_t CAipDynDll::RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1, int32_t value2,
                                 int32_t value3)
{
    return Entry<decltype(&KORV_RotateCenter)>("RotateCenter")(handle, source, angle, value1, value2, value3);
}

int32_t CAipDynDll::Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode)
{
    return Entry<decltype(&KORV_Shear)>("Shear")(handle, source, shearX, shearY, mode);
}

int32_t CAipDynDll::WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                    int32_t coefficientCount, int32_t mode)
{
    return Entry<decltype(&KORV_WarpPerspective)>("WarpPerspective")(handle, source, coefficients, coefficientCount,
                                                                     mode);
}

int32_t CAipDynDll::Fill(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_Fill)>("Fill")(handle, value);
}

int32_t CAipDynDll::Copy(KORV_Handle handle, KORV_Handle source)
{
    return Entry<decltype(&KORV_Copy)>("Copy")(handle, source);
}

int32_t CAipDynDll::CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask)
{
    return Entry<decltype(&KORV_CopyWithMask)>("CopyWithMask")(handle, source, mask);
}

int32_t CAipDynDll::Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    return Entry<decltype(&KORV_Crop)>("Crop")(handle, source, x, y, width, height);
}

int32_t CAipDynDll::CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                           int32_t value4, int32_t value5, int32_t value6)
{
    return Entry<decltype(&KORV_CropTo)>("CropTo")(handle, source, value1, value2, value3, value4, value5, value6);
}

int32_t CAipDynDll::CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2,
                                        int32_t value3)
{
    return Entry<decltype(&KORV_CopyWithConstBorder)>("CopyWithConstBorder")(handle, source, value1, value2, value3);
}

int32_t CAipDynDll::CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2)
{
    return Entry<decltype(&KORV_CopyWithReplicateBorder)>("CopyWithReplicateBorder")(handle, source, value1, value2);
}

int32_t CAipDynDll::SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return Entry<decltype(&KORV_SplitChannels)>("SplitChannels")(handle, c1, c2, c3);
}

int32_t CAipDynDll::FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return Entry<decltype(&KORV_FromChannels)>("FromChannels")(handle, c1, c2, c3);
}

int32_t CAipDynDll::SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                      KORV_Handle c4)
{
    return Entry<decltype(&KORV_SplitChannelsRGBA)>("SplitChannelsRGBA")(handle, c1, c2, c3, c4);
}

int32_t CAipDynDll::FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4)
{
    return Entry<decltype(&KORV_FromChannelsRGBA)>("FromChannelsRGBA")(handle, c1, c2, c3, c4);
}

int32_t CAipDynDll::FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                              int32_t value5, int32_t value6)
{
    return Entry<decltype(&KORV_FloodFill)>("FloodFill")(handle, value1, value2, value3, value4, value5, value6);
}

int32_t CAipDynDll::LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels,
                                    const int32_t* values, int32_t count, int32_t value)
{
    return Entry<decltype(&KORV_LookUpTable8Bit)>("LookUpTable8Bit")(handle, source, levels, values, count, value);
}

int32_t CAipDynDll::LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1, const int32_t* values1,
                                int32_t count1, const int32_t* levels2, const int32_t* values2, int32_t count2,
                                const int32_t* levels3, const int32_t* values3, int32_t count3, int32_t value)
{
    return Entry<decltype(&KORV_LookUpTable)>("LookUpTable")(handle, source, levels1, values1, count1, levels2, values2,
                                                             count2, levels3, values3, count3, value);
}

int32_t CAipDynDll::Erode(KORV_Handle handle)
{
    return Entry<decltype(&KORV_Erode)>("Erode")(handle);
}

int32_t CAipDynDll::Dilate(KORV_Handle handle)
{
    return Entry<decltype(&KORV_Dilate)>("Dilate")(handle);
}

int32_t CAipDynDll::ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return Entry<decltype(&KORV_ErodeEx)>("ErodeEx")(handle, mask, value1, value2);
}

int32_t CAipDynDll::DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return Entry<decltype(&KORV_DilateEx)>("DilateEx")(handle, mask, value1, value2);
}

int32_t CAipDynDll::AlphaPremultiply(KORV_Handle handle)
{
    return Entry<decltype(&KORV_AlphaPremultiply)>("AlphaPremultiply")(handle);
}

int32_t CAipDynDll::AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_AlphaPremultiplyWithConstant)>("AlphaPremultiplyWithConstant")(handle, value);
}

int32_t CAipDynDll::ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value)
{
    return Entry<decltype(&KORV_ApplyAlphaChannelConstant)>("ApplyAlphaChannelConstant")(handle, value);
}

int32_t CAipDynDll::ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha)
{
    return Entry<decltype(&KORV_ApplyAlphaChannel)>("ApplyAlphaChannel")(handle, alpha);
}

int32_t CAipDynDll::AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value)
{
    return Entry<decltype(&KORV_AlphaOverlay)>("AlphaOverlay")(handle, first, second, value);
}

int32_t CAipDynDll::AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1, KORV_Handle second,
                                             int32_t value2, int32_t value3)
{
    return Entry<decltype(&KORV_AlphaOverlayWithConstant)>("AlphaOverlayWithConstant")(handle, first, value1, second,
                                                                                       value2, value3);
}

int32_t CAipDynDll::SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count)
{
    return Entry<decltype(&KORV_SwapChannels)>("SwapChannels")(handle, source, order, count);
}
}  // namespace ZAV
