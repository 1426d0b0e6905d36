#include "tool/ShellVerbs.h"

#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"
#include "platform/LastError.h"


namespace ZAV {

namespace {

const char kRegistryError[] = "Registry access error!";
// Room for a class name read from an unnamed value.
constexpr DWORD kClassNameBufferSize = 2048;

struct ShellVerb {
    int classKey;  // 0 the class of ".pdf", 1 "*", 2 "Folder"
    const char* name;
    const char* switchLetter;
};

const ShellVerb kShellVerbs[] = {
    {0, "ZAVPdf ExtractPictures", "x"},
    {0, "ZAVPdf Syntaxcheck", "s"},
    {1, "ZAVPdf Create PDF from picture", "i"},
    {2, "ZAVPdf Create PDF from pictures", "i"},
    {2, "ZAVPdf Create Layer PDF from pictures", "l"},
};

[[noreturn]] void ThrowRegistryError()
{
    ThrowLastError(kRegistryError);
}

void Check(LONG result)
{
    if (result != static_cast<LONG>(ERROR_SUCCESS))
        ThrowRegistryError();
}

// The unnamed value of a key as text; a value that does not fit fails.
String ReadUnnamedText(HKEY key)
{
    char buffer[kClassNameBufferSize] = {};
    DWORD size = kClassNameBufferSize - 1;
    Check(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size));
    return String(buffer);
}

}  // namespace

void CRegKey::Open(HKEY parent, const char* subKey, bool create)
{
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr)
                         : RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &key);
    Check(result);
    Close();
    m_key = key;
}

bool CRegKey::TryOpen(HKEY parent, const char* subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &key) != static_cast<LONG>(ERROR_SUCCESS))
        return false;
    Close();
    m_key = key;
    return true;
}

void CRegKey::Close()
{
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}

String MakeShellVerbCommand(const char* switchLetter)
{
    const String logName = GetModuleDirectory(nullptr) + "Log.txt";
    String command;
    command.Format("\"%s\" -%s -o \"%s\" -f \"%%1\"  -w \"%%1\" -z \"%%1\" -g -1", GetModulePath(nullptr).GetText(),
                   switchLetter, logName.GetText());
    return command;
}

void FindPdfClassKey(CRegKey& key)
{
    key.Open(HKEY_CLASSES_ROOT, ".pdf");
    String className = ReadUnnamedText(key.Get());
    if (className.GetLength() > 0)
        key.Open(HKEY_CLASSES_ROOT, className.GetText());
    CRegKey version;
    if (!version.TryOpen(key.Get(), "CURVER"))
        return;
    String versionName = ReadUnnamedText(version.Get());
    if (versionName.GetLength() > 0)
        key.Open(HKEY_CLASSES_ROOT, versionName.GetText());
}

void OpenAllFilesClassKey(CRegKey& key)
{
    key.Open(HKEY_CLASSES_ROOT, "*");
}

void OpenFolderClassKey(CRegKey& key)
{
    key.Open(HKEY_CLASSES_ROOT, "Folder");
}

void AddShellVerb(HKEY classKey, const char* verbName, const char* switchLetter)
{
    const String command = MakeShellVerbCommand(switchLetter);
    CRegKey shell;
    if (!shell.TryOpen(classKey, "shell"))
        shell.Open(classKey, "shell", true);
    CRegKey verb;
    verb.Open(shell.Get(), verbName, true);
    CRegKey commandKey;
    commandKey.Open(verb.Get(), "Command", true);
    // The text is stored with its terminating zero.
    Check(RegSetValueExA(commandKey.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.GetText()),
                         static_cast<DWORD>(command.GetLength()) + 1));
}

void RemoveShellVerb(HKEY classKey, const char* verbName)
{
    CRegKey shell;
    shell.Open(classKey, "shell");
    CRegKey verb;
    verb.Open(shell.Get(), verbName);
    CRegKey commandKey;
    commandKey.Open(verb.Get(), "Command");
    Check(RegDeleteValueA(commandKey.Get(), nullptr));
    commandKey.Close();
    // A verb key that stays (someone added a key below it) must not pass
    // for a removed verb.
    Check(RegDeleteKeyA(verb.Get(), "Command"));
    verb.Close();
    Check(RegDeleteKeyA(shell.Get(), verbName));
}

void RegisterShellVerbs(CLogFile& log, bool doRegister)
{
    log.LogWriteEmptyLine();
    log.LogWrite(doRegister ? "Creating Shell Registry entries" : "Delete Shell Registry entries", true);
    log.LogWriteEmptyLine();

    // Each class is opened when its first verb comes, so the verbs before a
    // class that cannot be opened are written.
    CRegKey classKeys[3];
    for (const ShellVerb& verb : kShellVerbs) {
        CRegKey& classKey = classKeys[verb.classKey];
        if (!classKey.Get()) {
            if (verb.classKey == 0)
                FindPdfClassKey(classKey);
            else if (verb.classKey == 1)
                OpenAllFilesClassKey(classKey);
            else
                OpenFolderClassKey(classKey);
        }
        if (doRegister)
            AddShellVerb(classKeys[verb.classKey].Get(), verb.name, verb.switchLetter);
        else
            RemoveShellVerb(classKeys[verb.classKey].Get(), verb.name);
    }
    log.LogWrite("Succeeded", true);
}

}  // namespace ZAV
