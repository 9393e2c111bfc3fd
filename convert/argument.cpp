#include "convert/argument.h"

namespace convert {

std::wstring WideFromAnsi(const char* text) {
    if (text == nullptr || *text == '\0')
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

BSTR BstrFromAnsi(const char* text) {
    if (text == nullptr)
        return nullptr;
    std::wstring wide = WideFromAnsi(text);
    return SysAllocString(wide.c_str());
}

std::string AnsiFromWide(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

bool TextOfVariant(const VARIANT& value, std::string& text) {
    base::UniqueVariant asText;
    if (FAILED(VariantChangeType(asText.ptr(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) ||
        asText.type() != VT_BSTR)
        return false;
    BSTR bstr = asText.get().bstrVal;
    text = AnsiFromWide(bstr, static_cast<int>(SysStringLen(bstr)));
    return true;
}

base::UniqueVariant Argument::Build() const {
    VARIANT v;
    VariantInit(&v);
    if (missing_) {
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        return base::UniqueVariant(v);
    }
    switch (kind_) {
    case ArgumentKind::Text:
        v.vt = VT_BSTR;
        v.bstrVal = BstrFromAnsi(hasText_ ? text_.c_str() : nullptr);
        break;
    case ArgumentKind::TextRef:
        v.vt = VT_BSTR;
        v.bstrVal = BstrFromAnsi(variable_ != nullptr ? variable_->c_str() : nullptr);
        break;
    case ArgumentKind::Integer:
        v.vt = VT_I4;
        v.lVal = integer_;
        break;
    case ArgumentKind::Logical:
        v.vt = VT_BOOL;
        v.boolVal = logical_ ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    return base::UniqueVariant(v);
}

} // namespace convert
