#pragma once

// Owners for the two OLE Automation values that hold memory of their own: a BSTR and a VARIANT.
// Both release what they hold exactly once; they move but do not copy, so one value never has
// two owners.

#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "base/owners.h"

namespace base {

struct BstrTraits {
    using Value = BSTR;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { SysFreeString(v); }
};
using UniqueBstr = Owner<BstrTraits>;

// A VARIANT that is cleared with VariantClear when the owner ends or is reset. A VT_BYREF value
// owns nothing, so clearing it only forgets the pointer.
class UniqueVariant {
  public:
    UniqueVariant() { VariantInit(&value_); }
    // Takes over a VARIANT whose contents the caller owns.
    explicit UniqueVariant(const VARIANT& adopted) : value_(adopted) {}
    ~UniqueVariant() { VariantClear(&value_); }
    UniqueVariant(UniqueVariant&& other) noexcept : value_(other.release()) {}
    UniqueVariant& operator=(UniqueVariant&& other) noexcept {
        if (this != &other) {
            VariantClear(&value_);
            value_ = other.release();
        }
        return *this;
    }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;

    const VARIANT& get() const { return value_; }
    VARIANT* ptr() { return &value_; }
    VARTYPE type() const { return value_.vt; }

    // For out-parameters: clears what is held and gives the VARIANT to fill.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }
    // Hands the contents to the caller, who then owns them; leaves VT_EMPTY.
    VARIANT release() {
        VARIANT out = value_;
        VariantInit(&value_);
        return out;
    }
    void reset() { VariantClear(&value_); }

  private:
    VARIANT value_;
};

} // namespace base
