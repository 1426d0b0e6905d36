#include "interfaces/advanced/binding/AipDynDll.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "platform/Loader.h"

namespace ZAV {

namespace {

constexpr char kLibraryName[] = "KORVEX55.DLL";

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

template <class Function>
Function CAipDynDll::Entry(const char* entryName)
{
    return reinterpret_cast<Function>(GetFunction(entryName));
}

// The entry point "KORV_<operation>", typed by its declaration in KORVEX55.h:
// the operation is named once, so type and exported name cannot disagree,
// and the exported name is a literal rather than a string built per call.
#define KORV_ENTRY(operation) Entry<decltype(&KORV_##operation)>("KORV_" #operation)

KORV_Handle CAipDynDll::CreateProcessor()
{
    const auto create = KORV_ENTRY(CreateCZAVAdvancedImgProc);
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

KORV_Handle CAipDynDll::CreateCZAVAdvancedImgProc()
{
    return KORV_ENTRY(CreateCZAVAdvancedImgProc)();
}

int32_t CAipDynDll::FreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    return KORV_ENTRY(FreeCZAVAdvancedImgProc)(handle);
}

int32_t CAipDynDll::GetError(KORV_Handle handle, char* buffer)
{
    return KORV_ENTRY(GetError)(handle, buffer);
}

int32_t CAipDynDll::GetVersion(KORV_Handle handle, const char** text)
{
    return KORV_ENTRY(GetVersion)(handle, text);
}

int32_t CAipDynDll::GetProcessorDetected(KORV_Handle handle, const char** text)
{
    return KORV_ENTRY(GetProcessorDetected)(handle, text);
}

int32_t CAipDynDll::GetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    return KORV_ENTRY(GetProcessorCodeUsed)(handle, text);
}

int32_t CAipDynDll::Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    return KORV_ENTRY(Create)(handle, width, height, bitsPerPixel);
}

int32_t CAipDynDll::AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                 int32_t bitsPerPixel)
{
    return KORV_ENTRY(AttachNoFree)(handle, pixels, sizeInBytes, width, height, bitsPerPixel);
}

int32_t CAipDynDll::AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                   int32_t bitsPerPixel, int32_t bytesPerLine)
{
    return KORV_ENTRY(AttachNoFreeEx)(handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine);
}

int32_t CAipDynDll::Clear(KORV_Handle handle)
{
    return KORV_ENTRY(Clear)(handle);
}

int32_t CAipDynDll::GetScaleFactor(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetScaleFactor)(handle, value);
}

int32_t CAipDynDll::SetScaleFactor(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(SetScaleFactor)(handle, value);
}

int32_t CAipDynDll::GetWidth(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetWidth)(handle, value);
}

int32_t CAipDynDll::GetHeight(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetHeight)(handle, value);
}

int32_t CAipDynDll::GetBitsPerPixel(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetBitsPerPixel)(handle, value);
}

int32_t CAipDynDll::GetWidthBytes(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetWidthBytes)(handle, value);
}

int32_t CAipDynDll::GetImageSizeInBytes(KORV_Handle handle, int32_t* value)
{
    return KORV_ENTRY(GetImageSizeInBytes)(handle, value);
}

int32_t CAipDynDll::GetImageMemory(KORV_Handle handle, void** pixels)
{
    return KORV_ENTRY(GetImageMemory)(handle, pixels);
}

int32_t CAipDynDll::Add(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Add)(handle, operand);
}

int32_t CAipDynDll::AddConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(AddConstant)(handle, value);
}

int32_t CAipDynDll::Subtract(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Subtract)(handle, operand);
}

int32_t CAipDynDll::SubtractConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(SubtractConstant)(handle, value);
}

int32_t CAipDynDll::Multiply(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Multiply)(handle, operand);
}

int32_t CAipDynDll::MultiplyConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(MultiplyConstant)(handle, value);
}

int32_t CAipDynDll::Divide(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Divide)(handle, operand);
}

int32_t CAipDynDll::DivideConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(DivideConstant)(handle, value);
}

int32_t CAipDynDll::Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second)
{
    return KORV_ENTRY(Difference)(handle, first, second);
}

int32_t CAipDynDll::DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value)
{
    return KORV_ENTRY(DifferenceConstant)(handle, operand, value);
}

int32_t CAipDynDll::And(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(And)(handle, operand);
}

int32_t CAipDynDll::AndConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(AndConstant)(handle, value);
}

int32_t CAipDynDll::Or(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Or)(handle, operand);
}

int32_t CAipDynDll::OrConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(OrConstant)(handle, value);
}

int32_t CAipDynDll::Xor(KORV_Handle handle, KORV_Handle operand)
{
    return KORV_ENTRY(Xor)(handle, operand);
}

int32_t CAipDynDll::XorConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(XorConstant)(handle, value);
}

int32_t CAipDynDll::Invert(KORV_Handle handle)
{
    return KORV_ENTRY(Invert)(handle);
}

int32_t CAipDynDll::Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    return KORV_ENTRY(Scale)(handle, value1, value2, value3, value4);
}

int32_t CAipDynDll::ThresholdGT(KORV_Handle handle, int32_t threshold)
{
    return KORV_ENTRY(ThresholdGT)(handle, threshold);
}

int32_t CAipDynDll::ThresholdLT(KORV_Handle handle, int32_t threshold)
{
    return KORV_ENTRY(ThresholdLT)(handle, threshold);
}

int32_t CAipDynDll::ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return KORV_ENTRY(ThresholdGTVal)(handle, threshold, value);
}

int32_t CAipDynDll::ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return KORV_ENTRY(ThresholdLTVal)(handle, threshold, value);
}

int32_t CAipDynDll::ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                        int32_t value4)
{
    return KORV_ENTRY(ThresholdLTValGTVal)(handle, value1, value2, value3, value4);
}

int32_t CAipDynDll::HDRScaleDown(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(HDRScaleDown)(handle, source);
}

int32_t CAipDynDll::RGBtoCMY(KORV_Handle handle)
{
    return KORV_ENTRY(RGBtoCMY)(handle);
}

int32_t CAipDynDll::CMYtoRGB(KORV_Handle handle)
{
    return KORV_ENTRY(CMYtoRGB)(handle);
}

int32_t CAipDynDll::RGBtoYUV(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(RGBtoYUV)(handle, source);
}

int32_t CAipDynDll::YUVtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(YUVtoRGB)(handle, source);
}

int32_t CAipDynDll::RGBtoXYZ(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(RGBtoXYZ)(handle, source);
}

int32_t CAipDynDll::XYZtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(XYZtoRGB)(handle, source);
}

int32_t CAipDynDll::RGBtoYCC(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(RGBtoYCC)(handle, source);
}

int32_t CAipDynDll::YCCtoRGB(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(YCCtoRGB)(handle, source);
}

int32_t CAipDynDll::Grayscale(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(Grayscale)(handle, source);
}

int32_t CAipDynDll::Grayscale8Bit(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(Grayscale8Bit)(handle, source);
}

int32_t CAipDynDll::ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return KORV_ENTRY(ConvertTo1Bit)(handle, source, value);
}

int32_t CAipDynDll::GammaCorrection(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(GammaCorrection)(handle, value);
}

int32_t CAipDynDll::ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return KORV_ENTRY(ScaleToGray)(handle, source, value);
}

int32_t CAipDynDll::Filter(KORV_Handle handle, int32_t kind, KORV_Handle source)
{
    return KORV_ENTRY(Filter)(handle, kind, source);
}

int32_t CAipDynDll::FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel, int32_t value3,
                                      int32_t value4, int32_t value5, int32_t value6, int32_t value7)
{
    return KORV_ENTRY(FilterUserDefined)(handle, source, kernel, value3, value4, value5, value6, value7);
}

int32_t CAipDynDll::Antialias(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(Antialias)(handle, source);
}

int32_t CAipDynDll::GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first,
                                    int32_t* second)
{
    return KORV_ENTRY(GetRoiForFilter)(handle, kind, a, b, first, second);
}

int32_t CAipDynDll::GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t a,
                                      int32_t b, int32_t* first, int32_t* second)
{
    return KORV_ENTRY(GetRoiForFilterEx)(handle, value1, value2, value3, a, b, first, second);
}

int32_t CAipDynDll::GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first, int32_t* second)
{
    return KORV_ENTRY(GetFilterBorder)(handle, value1, value2, first, second);
}

int32_t CAipDynDll::GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                      int32_t value4, int32_t* first, int32_t* second)
{
    return KORV_ENTRY(GetFilterBorderEx)(handle, value1, value2, value3, value4, first, second);
}

int32_t CAipDynDll::Resize(KORV_Handle handle, KORV_Handle source, int32_t width, int32_t height, int32_t mode)
{
    return KORV_ENTRY(Resize)(handle, source, width, height, mode);
}

int32_t CAipDynDll::MirrorHorizontal(KORV_Handle handle)
{
    return KORV_ENTRY(MirrorHorizontal)(handle);
}

int32_t CAipDynDll::MirrorVertical(KORV_Handle handle)
{
    return KORV_ENTRY(MirrorVertical)(handle);
}

int32_t CAipDynDll::RotateBox(KORV_Handle handle, KORV_Handle source, double angle, double* left, double* top,
                              double* right, double* bottom)
{
    return KORV_ENTRY(RotateBox)(handle, source, angle, left, top, right, bottom);
}

int32_t CAipDynDll::ShearBox(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, double* left,
                             double* top, double* right, double* bottom)
{
    return KORV_ENTRY(ShearBox)(handle, source, shearX, shearY, left, top, right, bottom);
}

int32_t CAipDynDll::WarpPerspectiveBox(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                       int32_t coefficientCount, double* left, double* top, double* right,
                                       double* bottom)
{
    return KORV_ENTRY(WarpPerspectiveBox)(handle, source, coefficients, coefficientCount, left, top, right, bottom);
}

int32_t CAipDynDll::WarpPerspectiveCoefficients(KORV_Handle handle, KORV_Handle source, const double* corners,
                                                int32_t cornerCount, double* coefficients, int32_t coefficientCount)
{
    return KORV_ENTRY(WarpPerspectiveCoefficients)(handle, source, corners, cornerCount, coefficients,
                                                   coefficientCount);
}

int32_t CAipDynDll::Rotate(KORV_Handle handle, KORV_Handle source, double angle, int32_t mode)
{
    return KORV_ENTRY(Rotate)(handle, source, angle, mode);
}

int32_t CAipDynDll::RotateCenter(KORV_Handle handle, KORV_Handle source, double angle, int32_t value1, int32_t value2,
                                 int32_t value3)
{
    return KORV_ENTRY(RotateCenter)(handle, source, angle, value1, value2, value3);
}

int32_t CAipDynDll::Shear(KORV_Handle handle, KORV_Handle source, double shearX, double shearY, int32_t mode)
{
    return KORV_ENTRY(Shear)(handle, source, shearX, shearY, mode);
}

int32_t CAipDynDll::WarpPerspective(KORV_Handle handle, KORV_Handle source, const double* coefficients,
                                    int32_t coefficientCount, int32_t mode)
{
    return KORV_ENTRY(WarpPerspective)(handle, source, coefficients, coefficientCount, mode);
}

int32_t CAipDynDll::Fill(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(Fill)(handle, value);
}

int32_t CAipDynDll::Copy(KORV_Handle handle, KORV_Handle source)
{
    return KORV_ENTRY(Copy)(handle, source);
}

int32_t CAipDynDll::CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask)
{
    return KORV_ENTRY(CopyWithMask)(handle, source, mask);
}

int32_t CAipDynDll::Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    return KORV_ENTRY(Crop)(handle, source, x, y, width, height);
}

int32_t CAipDynDll::CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                           int32_t value4, int32_t value5, int32_t value6)
{
    return KORV_ENTRY(CropTo)(handle, source, value1, value2, value3, value4, value5, value6);
}

int32_t CAipDynDll::CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2,
                                        int32_t value3)
{
    return KORV_ENTRY(CopyWithConstBorder)(handle, source, value1, value2, value3);
}

int32_t CAipDynDll::CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2)
{
    return KORV_ENTRY(CopyWithReplicateBorder)(handle, source, value1, value2);
}

int32_t CAipDynDll::SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return KORV_ENTRY(SplitChannels)(handle, c1, c2, c3);
}

int32_t CAipDynDll::FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return KORV_ENTRY(FromChannels)(handle, c1, c2, c3);
}

int32_t CAipDynDll::SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                      KORV_Handle c4)
{
    return KORV_ENTRY(SplitChannelsRGBA)(handle, c1, c2, c3, c4);
}

int32_t CAipDynDll::FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3, KORV_Handle c4)
{
    return KORV_ENTRY(FromChannelsRGBA)(handle, c1, c2, c3, c4);
}

int32_t CAipDynDll::FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                              int32_t value5, int32_t value6)
{
    return KORV_ENTRY(FloodFill)(handle, value1, value2, value3, value4, value5, value6);
}

int32_t CAipDynDll::LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels,
                                    const int32_t* values, int32_t count, int32_t value)
{
    return KORV_ENTRY(LookUpTable8Bit)(handle, source, levels, values, count, value);
}

int32_t CAipDynDll::LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1, const int32_t* values1,
                                int32_t count1, const int32_t* levels2, const int32_t* values2, int32_t count2,
                                const int32_t* levels3, const int32_t* values3, int32_t count3, int32_t value)
{
    return KORV_ENTRY(LookUpTable)(handle, source, levels1, values1, count1, levels2, values2, count2, levels3, values3,
                                   count3, value);
}

int32_t CAipDynDll::Erode(KORV_Handle handle)
{
    return KORV_ENTRY(Erode)(handle);
}

int32_t CAipDynDll::Dilate(KORV_Handle handle)
{
    return KORV_ENTRY(Dilate)(handle);
}

int32_t CAipDynDll::ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return KORV_ENTRY(ErodeEx)(handle, mask, value1, value2);
}

int32_t CAipDynDll::DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return KORV_ENTRY(DilateEx)(handle, mask, value1, value2);
}

int32_t CAipDynDll::AlphaPremultiply(KORV_Handle handle)
{
    return KORV_ENTRY(AlphaPremultiply)(handle);
}

int32_t CAipDynDll::AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(AlphaPremultiplyWithConstant)(handle, value);
}

int32_t CAipDynDll::ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value)
{
    return KORV_ENTRY(ApplyAlphaChannelConstant)(handle, value);
}

int32_t CAipDynDll::ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha)
{
    return KORV_ENTRY(ApplyAlphaChannel)(handle, alpha);
}

int32_t CAipDynDll::AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value)
{
    return KORV_ENTRY(AlphaOverlay)(handle, first, second, value);
}

int32_t CAipDynDll::AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1, KORV_Handle second,
                                             int32_t value2, int32_t value3)
{
    return KORV_ENTRY(AlphaOverlayWithConstant)(handle, first, value1, second, value2, value3);
}

int32_t CAipDynDll::SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count)
{
    return KORV_ENTRY(SwapChannels)(handle, source, order, count);
}

#undef KORV_ENTRY

}  // namespace ZAV
