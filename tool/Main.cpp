// The entry of ZAVPdf: the command line, the log, the range checks and the
// dispatch to the one command asked for.
//
// Exit codes: 0 when the command succeeded, 1 when the option parser
// refuses the command line (its own output), 2 when the command failed or
// none was asked for. A failure's text goes to the log when one is named and
// always to standard error as "error: TEXT".
#include "foundation/files/LogFile.h"
#include "foundation/text/TextException.h"
#include "tool/Commands.h"
#include "tool/ShellVerbs.h"

#include <tclap/CmdLine.h>

#include <malloc.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr int kExitFailed = 2;

constexpr int kMinJpeg2000Quality = 1;
constexpr int kMaxJpeg2000Quality = 200;
constexpr int kMinJpeg2000Layers = 1;
constexpr int kMaxJpeg2000Layers = 10;

// Reports a failed command: standard error always, the log when it can be
// written (a log that cannot be opened is itself often the failure).
int ReportFailure(ZAV::CLogFile& log, const std::string& text)
{
    std::cerr << "error: " << text << std::endl;
    try {
        log.LogWrite(text.c_str(), true);
    } catch (const CTextException&) {
    }
    return kExitFailed;
}

void CheckRange(bool given, int value, int low, int high, const char* format)
{
    if (!given || (value >= low && value <= high))
        return;
    ZAV::String text;
    text.Format(format, value);
    ThrowTextException(text.GetText());
}

}  // namespace

int main(int argc, char** argv)
{
    // A document read from a file is a graph of many small objects, freed
    // all at once when the command lets go of it. The allocator's fast bins
    // make it merge those chunks again and again while the graph is freed;
    // without them a large document is let go of in a fraction of the time.
    mallopt(M_MXFAST, 0);
    ZAV::CLogFile log;
    try {
        TCLAP::CmdLine cmd("ZAVPdf PDF Utility: copies pages, extracts pictures, checks the syntax of PDF "
                           "documents and creates PDF documents from pictures",
                           ' ', "1.2");

        TCLAP::SwitchArg registerArg("r", "register", "Adds ZAVPdf in file explorer context menu for PDF files", false);
        TCLAP::SwitchArg unregisterArg("u", "unregister", "Removes ZAVPdf from file explorer context menu", false);
        TCLAP::SwitchArg extractPageArg("p", "extractpage", "Extract one page of the PDF document", false);
        TCLAP::SwitchArg extractPictureArg("x", "extractpicture",
                                           "Extract all pictures of one page of the PDF document", false);
        TCLAP::SwitchArg syntaxCheckArg("s", "syntaxcheck", "Runs a general PDF syntaxcheck over the PDF document",
                                        false);
        TCLAP::SwitchArg createFromImageFilesArg(
            "i", "createfromimagefiles",
            "Creates a PDF document from the input picture files(GIF, JPG, TIF, PCX, BMP, ...)", false);
        TCLAP::SwitchArg createLayeredPdfArg(
            "l", "createlayeredpdf",
            "Creates a multilayer PDF document from the input picture files(GIF, JPG, TIF, PCX, BMP, ...)", false);

        TCLAP::ValueArg<int> pageArg(
            "g", "page", "Number of the page to process. In case of 'expic' you can use -1 for to process all pages.",
            false, 1, "int");
        TCLAP::ValueArg<std::string> pdfNameArg(
            "f", "pdfdocumentfilename",
            "Name of the pdf document which will be read or created depending on the command", false, "", "string");
        TCLAP::ValueArg<std::string> inputNameArg("w", "inputname", "File or folder to process", false, "", "string");
        TCLAP::ValueArg<std::string> outputNameArg(
            "z", "outputfilename", "Optionally you can specify the output filename", false, "", "string");
        TCLAP::ValueArg<std::string> fileMaskArg(
            "m", "filemask", "Semicolon separated list of filemasks like *.gif;*.jpg;...", false, "*.*", "string");
        TCLAP::ValueArg<std::string> logNameArg("o", "logfilename", "Textfile for logging", false, "", "string");
        TCLAP::ValueArg<int> qualityArg(
            "q", "Jpeg2000Quality",
            "Jpeg2000 compression ratio which is 1:10 by default. You can pass a value of 100 to get smaller files, "
            "due to the great compression technique you will still get high quality pictures.",
            false, 10, "int");
        TCLAP::ValueArg<int> layersArg(
            "y", "Jpeg2000ProgressionLayers",
            "Jpeg2000 progression layers affect the storage of the imagedata in multiple quality layers.", false, 1,
            "int");

        cmd.add(registerArg);
        cmd.add(unregisterArg);
        cmd.add(extractPageArg);
        cmd.add(extractPictureArg);
        cmd.add(syntaxCheckArg);
        cmd.add(createFromImageFilesArg);
        cmd.add(createLayeredPdfArg);
        cmd.add(pageArg);
        cmd.add(pdfNameArg);
        cmd.add(inputNameArg);
        cmd.add(outputNameArg);
        cmd.add(fileMaskArg);
        cmd.add(logNameArg);
        cmd.add(qualityArg);
        cmd.add(layersArg);

        // A command line the parser refuses ends here with its own output.
        cmd.parse(argc, argv);

        if (!logNameArg.getValue().empty()) {
            log.SetFileName(ZAV::String(logNameArg.getValue()));
            log.LogStart(ZAV::String("ZAVPdf"), ZAV::String(""), true);
        }

        CheckRange(qualityArg.isSet(), qualityArg.getValue(), kMinJpeg2000Quality, kMaxJpeg2000Quality,
                   "Jpeg2000 ratio ranges from 1 to 200. Your quality value %d is out of range!");
        CheckRange(layersArg.isSet(), layersArg.getValue(), kMinJpeg2000Layers, kMaxJpeg2000Layers,
                   "Jpeg2000 progression layers ranges from 1 to 10. Your value %d is out of range!");

        const std::string& pdfName = pdfNameArg.getValue();
        if (registerArg.getValue()) {
            ZAV::RegisterShellVerbs(log, true);
            return 0;
        }
        if (unregisterArg.getValue()) {
            ZAV::RegisterShellVerbs(log, false);
            return 0;
        }
        if (extractPageArg.getValue())
            ZAV::ExtractPage(pdfName, pageArg.getValue(), outputNameArg.getValue(), log);
        else if (extractPictureArg.getValue())
            ZAV::ExtractPictures(pdfName, pageArg.getValue(), outputNameArg.getValue(), log);
        else if (syntaxCheckArg.getValue())
            ZAV::SyntaxCheck(pdfName, log);
        else if (createFromImageFilesArg.getValue())
            ZAV::CreateFromImageFiles(pdfName, inputNameArg.getValue(), fileMaskArg.getValue(), log,
                                      qualityArg.getValue(), layersArg.getValue());
        else if (createLayeredPdfArg.getValue())
            ZAV::CreateLayeredPdf(pdfName, inputNameArg.getValue(), fileMaskArg.getValue(), log, qualityArg.getValue(),
                                  layersArg.getValue());
        else
            ThrowTextException("No command switch specified!");
        log.LogShow();
        return 0;
    } catch (const TCLAP::ArgParseException& e) {
        return ReportFailure(log, e.error() + " for arg " + e.argId());
    } catch (const TCLAP::ArgException& e) {
        return ReportFailure(log, e.error() + " for arg " + e.argId());
    } catch (const std::exception& e) {
        return ReportFailure(log, e.what());
    } catch (const CTextException& e) {
        return ReportFailure(log, e.GetText());
    }
}
