// The seven commands of ZAVPdf, as the entry dispatches them. Each reports
// its steps to the log and ends by a CTextException when it fails.
#pragma once

#include "foundation/files/LogFile.h"

#include <string>

namespace ZAV {

void ExtractPage(const std::string& pdfName, int page, const std::string& outputName, CLogFile& log);
void ExtractPictures(const std::string& pdfName, int page, const std::string& outputName, CLogFile& log);
void SyntaxCheck(const std::string& documentName, CLogFile& log);
void CreateFromImageFiles(const std::string& pdfName, const std::string& inputName, const std::string& fileMask,
                          CLogFile& log, int jpeg2000Quality, int jpeg2000Layers);
void CreateLayeredPdf(const std::string& pdfName, const std::string& inputName, const std::string& fileMask,
                      CLogFile& log, int jpeg2000Quality, int jpeg2000Layers);

}  // namespace ZAV
