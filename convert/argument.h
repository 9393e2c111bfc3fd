#pragma once

// One positional argument of an automation call, and how it becomes a VARIANT.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>

#include "base/variant.h"

namespace convert {

enum class ArgumentKind { Text, TextRef, Integer, Logical };

// A value of one ArgumentKind, or a left-out argument (Missing). A TextRef keeps a pointer to the
// caller's own text variable, which must outlive the call; after a successful call a value the
// member hands back through an output parameter is written into it.
class Argument {
  public:
    // A left-out argument: dropped at the end of the list, sent as "parameter not found" in
    // front of a given one.
    static Argument Missing() { return Argument(); }
    static Argument Text(const char* text) {
        Argument a(ArgumentKind::Text);
        a.hasText_ = text != nullptr;
        if (text != nullptr)
            a.text_ = text;
        return a;
    }
    static Argument Text(const std::string& text) { return Text(text.c_str()); }
    static Argument TextRef(std::string& variable) {
        Argument a(ArgumentKind::TextRef);
        a.variable_ = &variable;
        return a;
    }
    static Argument Integer(std::int32_t value) {
        Argument a(ArgumentKind::Integer);
        a.integer_ = value;
        return a;
    }
    static Argument Logical(bool value) {
        Argument a(ArgumentKind::Logical);
        a.logical_ = value;
        return a;
    }

    // The plain values convert on their own, so a call reads Call("SaveAs", path, 17, 0).
    Argument(const char* text) : Argument(Text(text)) {}
    Argument(int value) : Argument(Integer(value)) {}
    Argument(bool value) : Argument(Logical(value)) {}
    // A pointer of any other kind must not turn into a Logical silently.
    template <typename T> Argument(T*) = delete;

    bool IsMissing() const { return missing_; }
    ArgumentKind Kind() const { return kind_; }
    std::string* Variable() const { return variable_; }

    // The VARIANT this argument becomes: VT_BSTR (CP_ACP to UTF-16; no text gives a null BSTR),
    // VT_I4, VT_BOOL, or VT_ERROR / DISP_E_PARAMNOTFOUND for a left-out argument.
    base::UniqueVariant Build() const;

  private:
    Argument() = default;
    explicit Argument(ArgumentKind kind) : missing_(false), kind_(kind) {}

    bool missing_ = true;
    ArgumentKind kind_ = ArgumentKind::Integer;
    std::string text_;
    bool hasText_ = false;
    std::string* variable_ = nullptr;
    std::int32_t integer_ = 0;
    bool logical_ = false;
};

// Text conversion in the ANSI code page, used for arguments, member names and returned texts.
std::wstring WideFromAnsi(const char* text);
// A BSTR from SysAllocString of the text in UTF-16; null for no text.
BSTR BstrFromAnsi(const char* text);
std::string AnsiFromWide(const wchar_t* text, int length);
// The text of a VARIANT (following VT_BYREF), or false when it cannot become text.
bool TextOfVariant(const VARIANT& value, std::string& text);

} // namespace convert
