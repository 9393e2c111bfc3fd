#include "standin_registry.h"

#include "office_standin.h"
#include "standin_log.h"

#include <oleauto.h>

#include <string>

namespace standin {

namespace {

const Application kApplications[] = {
    {"Word", "word", "Word.Application", &CLSID_WordApplicationClass},
    {"Excel", "excel", "Excel.Application", &CLSID_ExcelApplicationClass},
    {"PowerPoint", "powerpoint", "PowerPoint.Application", &CLSID_PowerPointApplicationClass},
};

std::string ClsidText(const CLSID& clsid) {
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    return Narrow(text);
}

bool SetValue(const std::string& key, const char* name, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result =
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool RegisterTypeLibrary() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(exe, REGKIND_REGISTER, &library);
    if (library != nullptr)
        library->Release();
    return SUCCEEDED(hr);
}

void UnregisterTypeLibrary() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(exe, REGKIND_NONE, &library)))
        return;
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attr))) {
        UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid,
                          attr->syskind);
        library->ReleaseTLibAttr(attr);
    }
    library->Release();
}

bool RegisterOne(const Application& app) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string clsid = ClsidText(*app.clsid);
    std::string title = std::string(app.name) + " stand-in";
    std::string clsidKey = "CLSID\\" + clsid;
    return SetValue(app.progId, nullptr, title) &&
           SetValue(std::string(app.progId) + "\\CLSID", nullptr, clsid) &&
           SetValue(clsidKey, nullptr, title) &&
           SetValue(clsidKey + "\\ProgID", nullptr, app.progId) &&
           SetValue(clsidKey + "\\LocalServer32", nullptr,
                    "\"" + std::string(exe) + "\" " + app.argument);
}

void UnregisterOne(const Application& app) {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, app.progId);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + ClsidText(*app.clsid)).c_str());
}

} // namespace

const Application* Applications(int* count) {
    *count = static_cast<int>(sizeof kApplications / sizeof kApplications[0]);
    return kApplications;
}

const Application* FindApplication(const char* nameOrProgId) {
    for (const Application& app : kApplications)
        if (lstrcmpiA(nameOrProgId, app.argument) == 0 || lstrcmpiA(nameOrProgId, app.progId) == 0)
            return &app;
    return nullptr;
}

bool RegisterServer(const Application* app) {
    if (!RegisterTypeLibrary())
        return false;
    if (app != nullptr)
        return RegisterOne(*app);
    bool ok = true;
    for (const Application& each : kApplications)
        ok = RegisterOne(each) && ok;
    return ok;
}

bool UnregisterServer(const Application* app) {
    if (app != nullptr) {
        UnregisterOne(*app);
        return true;
    }
    for (const Application& each : kApplications)
        UnregisterOne(each);
    UnregisterTypeLibrary();
    return true;
}

} // namespace standin
