#include "tool/OutputNames.h"

#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"

#include <set>
#include <string>

namespace ZAV {

String MakeUniqueFileName(const String& name)
{
    if (!PathExists(name.GetText()))
        return name;
    const String folder = GetPathDirectory(name);
    const String base = GetPathFileName(name, true);
    const String extension = GetPathExtension(name);
    for (int number = 1; number <= kMaxUniqueFileNumber; ++number) {
        String candidate;
        if (extension.GetLength() > 0)
            candidate.Format("%s%s_%d.%s", folder.GetText(), base.GetText(), number, extension.GetText());
        else
            candidate.Format("%s%s_%d", folder.GetText(), base.GetText(), number);
        if (!PathExists(candidate.GetText()))
            return candidate;
    }
    String text;
    text.Format("Can't find useful unique filename for existing file '%s'!", name.GetText());
    ThrowTextException(text.GetText());
}

String MakeOutputName(const String& name)
{
    String outputName;
    if (IsFolder(name.GetText())) {
        String folder = name;
        folder.AddTrailingBackslash(true);
        const String letters = GetPathDirectory(folder).StripNonAlphanumeric();
        outputName.Format("%s%s.pdf", folder.GetText(), letters.GetText());
    } else {
        outputName = SetPathExtension(name, "pdf");
    }
    return MakeUniqueFileName(outputName);
}

bool IsExistingFile(const std::string& name)
{
    return PathExists(name.c_str()) && !IsFolder(name.c_str());
}

void CollectInputFiles(const String& inputName, const String& fileMask, std::vector<String>& files)
{
    if (FileExists(inputName.GetText())) {
        files.push_back(inputName);
        return;
    }
    if (!PathExists(inputName.GetText())) {
        String text;
        text.Format("No inputfiles found in '%s'!", inputName.GetText());
        ThrowTextException(text.GetText());
    }
    std::vector<String> masks;
    if (fileMask.GetLength() == 0)
        masks.push_back(String("*.*"));
    else
        fileMask.Split(";", masks);

    files.clear();
    std::set<std::string> listed;
    std::vector<String> found;
    for (const String& mask : masks) {
        if (mask.GetLength() == 0)
            continue;
        EnumerateFiles(inputName.GetText(), mask.GetText(), found, true);
        for (const String& file : found)
            if (listed.insert(file.ToStdString()).second)
                files.push_back(file);
    }
}

}  // namespace ZAV
