// CFakeKorvex55: a test's hold on the stand-in KORVEX55 library (see
// fake/FakeKorvex55.h). While it lives the fake stays loaded, so what the
// test chose survives the binding's own loads and unloads, and the binding
// looks for the library in the fake's folder.
#pragma once

#include <dlfcn.h>

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "interfaces/advanced/binding/AipDynDll.h"

namespace ZAVTest {

class CFakeKorvex55 {
public:
    static std::string Folder() { return ZAV_FAKE_KORVEX55_DIR; }
    static std::string Path() { return Folder() + "/KORVEX55.so"; }
    // True while anyone holds the fake loaded.
    static bool IsLoaded()
    {
        void* module = dlopen(Path().c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (module == nullptr)
            return false;
        dlclose(module);
        return true;
    }

    CFakeKorvex55() : m_module(dlopen(Path().c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (m_module == nullptr)
            throw std::runtime_error("the fake KORVEX55 library is missing: " + Path());
        ZAV::CAipDynDll::SetLibraryFolderForTests(Folder());
        Reset();
    }

    ~CFakeKorvex55()
    {
        ZAV::CAipDynDll::SetLibraryFolderForTests("");
        dlclose(m_module);
    }

    CFakeKorvex55(const CFakeKorvex55&) = delete;
    CFakeKorvex55& operator=(const CFakeKorvex55&) = delete;

    void Reset() { Control<void (*)()>("FAKEKORV_Reset")(); }
    void SetStatus(const char* operation, int32_t status, const char* text)
    {
        Control<void (*)(const char*, int32_t, const char*)>("FAKEKORV_SetStatus")(operation, status, text);
    }
    void SetFill(const char* operation, int32_t byte)
    {
        Control<void (*)(const char*, int32_t)>("FAKEKORV_SetFill")(operation, byte);
    }
    void SetTexts(const char* version, const char* processorDetected, const char* codeUsed)
    {
        Control<void (*)(const char*, const char*, const char*)>("FAKEKORV_SetTexts")(version, processorDetected,
                                                                                      codeUsed);
    }
    std::string Calls() { return Control<const char* (*)()>("FAKEKORV_Calls")(); }
    // The recorded calls, one per element.
    std::vector<std::string> CallLines()
    {
        std::vector<std::string> lines;
        std::istringstream text(Calls());
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }
    // The recorded calls of the operations named, in order.
    std::vector<std::string> CallsOf(const std::vector<std::string>& operations)
    {
        std::vector<std::string> lines;
        for (const std::string& line : CallLines()) {
            const std::string name = line.substr(0, line.find('('));
            for (const std::string& operation : operations) {
                if (name == operation)
                    lines.push_back(line);
            }
        }
        return lines;
    }
    int32_t LiveHandles() { return Control<int32_t (*)()>("FAKEKORV_LiveHandles")(); }

private:
    template <class Function>
    Function Control(const char* name)
    {
        void* symbol = dlsym(m_module, name);
        if (symbol == nullptr)
            throw std::runtime_error(std::string("the fake KORVEX55 library lacks ") + name);
        return reinterpret_cast<Function>(symbol);
    }

    void* m_module;
};

}  // namespace ZAVTest
