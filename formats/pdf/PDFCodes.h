// Codes and small helpers the PDF writer and its stream routines share.
#pragma once

#include <cstdint>
#include <string>

namespace ZAV {

class CDataSource;
class IDataSource;

// libtiff compression codes (TIFF 6.0 section 3, and libtiff's Deflate).
constexpr int kTiffNone = 1;
constexpr int kTiffCcittG3 = 3;
constexpr int kTiffCcittG4 = 4;
constexpr int kTiffLzw = 5;
constexpr int kTiffAdobeDeflate = 8;
constexpr int kTiffPackBits = 32773;
constexpr int kTiffDeflate = 32946;
// T4Options bit 0: two-dimensional coding (TIFF 6.0 section 11).
constexpr int kT4TwoDimensional = 1;
// TIFF Predictor 2: horizontal differencing (TIFF 6.0 section 14).
constexpr int kTiffPredictorHorizontal = 2;
// libtiff's fax mode without the RTC sequence at the end of the data.
constexpr int kFaxModeNoRtc = 1;

// Image format ids.
constexpr int kFormatJpeg = 4;
constexpr int kFormatTiff = 5;
constexpr int kFormatPng = 6;

// The PDF image codings an image names beside the plug-in ids.
constexpr int kPdfCodingJpeg = 4;
constexpr int kPdfCodingTiff = 5;
// What the plug-in list answers when no plug-in offers a coding.
constexpr int kNoPlugin = -1;

// The data source under an IDataSource; every data source of the system
// is one. Throws when it is not.
CDataSource& PdfTarget(IDataSource* target);

// printf-style text written through the checked write.
void WritePdfText(CDataSource& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Bytes through the checked write; nothing for an empty block.
void WritePdfBytes(IDataSource& out, const void* data, size_t size);
// A real as "%.2f" with a decimal point whatever the process's locale.
std::string FormatPdfReal(double value);
// A PDF literal string's body: "(", ")" and "\" escaped (PDF 32000-1 7.3.4.2).
std::string EscapePdfLiteral(const char* text);

}  // namespace ZAV
