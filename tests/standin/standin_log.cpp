#include "standin_log.h"

#include <cstdio>

namespace standin {

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

void LogLine(const std::string& text) {
    std::string line = std::to_string(GetCurrentProcessId()) + "\t" + text + "\n";
    std::wstring path = ModuleFolder() + L"standin.log";
    // Another process may hold the file for a moment: try again briefly rather than lose a line.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return;
        }
        Sleep(20);
    }
}

std::string Narrow(const wchar_t* text) {
    if (text == nullptr || *text == 0)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return std::wstring();
    int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &result[0], size);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

std::string HexCode(unsigned long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
    return buffer;
}

namespace {

std::string BaseTypeName(VARTYPE base) {
    switch (base) {
    case VT_EMPTY:
        return "VT_EMPTY";
    case VT_NULL:
        return "VT_NULL";
    case VT_I2:
        return "VT_I2";
    case VT_I4:
        return "VT_I4";
    case VT_R4:
        return "VT_R4";
    case VT_R8:
        return "VT_R8";
    case VT_CY:
        return "VT_CY";
    case VT_DATE:
        return "VT_DATE";
    case VT_BSTR:
        return "VT_BSTR";
    case VT_DISPATCH:
        return "VT_DISPATCH";
    case VT_ERROR:
        return "VT_ERROR";
    case VT_BOOL:
        return "VT_BOOL";
    case VT_VARIANT:
        return "VT_VARIANT";
    case VT_UNKNOWN:
        return "VT_UNKNOWN";
    case VT_DECIMAL:
        return "VT_DECIMAL";
    case VT_I1:
        return "VT_I1";
    case VT_UI1:
        return "VT_UI1";
    case VT_UI2:
        return "VT_UI2";
    case VT_UI4:
        return "VT_UI4";
    case VT_I8:
        return "VT_I8";
    case VT_UI8:
        return "VT_UI8";
    case VT_INT:
        return "VT_INT";
    case VT_UINT:
        return "VT_UINT";
    default:
        return "VT_" + std::to_string(base);
    }
}

std::string TypeName(VARTYPE vt) {
    std::string name = BaseTypeName(static_cast<VARTYPE>(vt & VT_TYPEMASK));
    if (vt & VT_ARRAY)
        name += "|VT_ARRAY";
    if (vt & VT_BYREF)
        name += "|VT_BYREF";
    return name;
}

// The value of a VARIANT that is not by reference.
std::string ValueText(const VARIANT& v) {
    switch (V_VT(&v)) {
    case VT_EMPTY:
    case VT_NULL:
        return std::string();
    case VT_BSTR:
        return V_BSTR(&v) == nullptr ? "null" : "\"" + Narrow(V_BSTR(&v)) + "\"";
    case VT_I4:
        return std::to_string(V_I4(&v));
    case VT_I2:
        return std::to_string(V_I2(&v));
    case VT_INT:
        return std::to_string(V_INT(&v));
    case VT_BOOL:
        return std::to_string(V_BOOL(&v));
    case VT_ERROR:
        return HexCode(static_cast<unsigned long>(V_ERROR(&v)));
    case VT_DISPATCH:
        return V_DISPATCH(&v) == nullptr ? "null" : "object";
    case VT_UNKNOWN:
        return V_UNKNOWN(&v) == nullptr ? "null" : "object";
    default:
        break;
    }
    VARIANT text;
    VariantInit(&text);
    std::string result = "?";
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR)))
        result = Narrow(V_BSTR(&text));
    VariantClear(&text);
    return result;
}

} // namespace

std::string DescribeArgument(const VARIANT& argument) {
    VARTYPE vt = V_VT(&argument);
    if (vt == (VT_VARIANT | VT_BYREF)) {
        const VARIANT* target = V_VARIANTREF(&argument);
        if (target == nullptr)
            return "VT_VARIANT|VT_BYREF->null ";
        if (V_VT(target) & VT_BYREF) {
            std::string inner = DescribeArgument(*target);
            return "VT_VARIANT|VT_BYREF->" + inner;
        }
        return "VT_VARIANT|VT_BYREF->" + TypeName(V_VT(target)) + " " + ValueText(*target);
    }
    if (vt & VT_BYREF) {
        if (V_BYREF(&argument) == nullptr)
            return TypeName(vt) + " null";
        VARIANT copy;
        VariantInit(&copy);
        std::string result = TypeName(vt) + " ?";
        if (SUCCEEDED(VariantCopyInd(&copy, const_cast<VARIANT*>(&argument))))
            result = TypeName(vt) + " " + ValueText(copy);
        VariantClear(&copy);
        return result;
    }
    return TypeName(vt) + " " + ValueText(argument);
}

} // namespace standin
