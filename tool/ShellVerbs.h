// The register and unregister commands: the program's five verbs in the
// file explorer's context menu, kept as shell keys of three file classes.
#pragma once

#include "foundation/files/LogFile.h"
#include "platform/registry/Registry.h"

namespace ZAV {

// An open registry key that closes itself when replaced or destroyed.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens (or with create set, creates) a key below parent in place of the
    // key held; "Registry access error!" with the system's reason on failure.
    void Open(HKEY parent, const char* subKey, bool create = false);
    // Like Open without create, but false instead of a failure.
    bool TryOpen(HKEY parent, const char* subKey);
    void Close();

    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Adds (doRegister true) or removes the five verbs; logs "Succeeded" only
// when every one of them was written or removed.
void RegisterShellVerbs(CLogFile& log, bool doRegister);

// The class of ".pdf": the class ".pdf" names, or its CURVER class, or ".pdf".
void FindPdfClassKey(CRegKey& key);
void OpenAllFilesClassKey(CRegKey& key);
void OpenFolderClassKey(CRegKey& key);

void AddShellVerb(HKEY classKey, const char* verbName, const char* switchLetter);
void RemoveShellVerb(HKEY classKey, const char* verbName);

// The command line a verb runs: the program with the switch, its log beside
// it, and the clicked item as document, input and output name.
String MakeShellVerbCommand(const char* switchLetter);

}  // namespace ZAV
