#pragma once

// The small OLE Automation layer through which the Office drivers talk to Word, Excel and
// PowerPoint: an owned object reference, an owned returned value, and calls by member name that
// find the member in the object's type information and go through IDispatch::Invoke.
//
// Nothing here shows anything or throws: a failed step gives an empty value or false.
// Both owners are move-only, so one COM reference or one VARIANT never has two owners; each is
// released exactly once, by Clear or by the owner's end.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/com_ptr.h"
#include "base/variant.h"
#include "convert/argument.h"

namespace convert {

class AutomationObject;

// One returned VARIANT, owned. Empty is VT_EMPTY.
class AutomationVariant {
  public:
    AutomationVariant() = default;
    // Takes over a VARIANT whose contents the caller owns.
    explicit AutomationVariant(const VARIANT& adopted) : value_(adopted) {}
    AutomationVariant(AutomationVariant&&) noexcept = default;
    AutomationVariant& operator=(AutomationVariant&&) noexcept = default;
    AutomationVariant(const AutomationVariant&) = delete;
    AutomationVariant& operator=(const AutomationVariant&) = delete;

    const VARIANT& Value() const { return value_.get(); }
    VARTYPE Type() const { return value_.type(); }
    bool IsEmpty() const { return value_.type() == VT_EMPTY; }

    // The interface the value holds, as a new object with a reference of its own; empty when
    // the value holds no interface. The variant itself is left as it is.
    AutomationObject ToObject() const;
    // Frees the value (VariantClear) and leaves VT_EMPTY.
    void Clear() { value_.reset(); }

  private:
    base::UniqueVariant value_;
};

// One counted reference to an automation object (its IUnknown), or nothing.
class AutomationObject {
  public:
    AutomationObject() = default;
    AutomationObject(AutomationObject&&) noexcept = default;
    AutomationObject& operator=(AutomationObject&&) noexcept = default;
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    // Creates and runs the object of a class named by a ProgID or a "{...}" CLSID string. On
    // failure the object keeps what it held.
    bool Create(const char* progId);

    // Property put of one argument; true when the call succeeded.
    bool PutProperty(const char* member, const Argument& value);

    // Property get; an empty value on failure.
    template <typename... Args> AutomationVariant GetProperty(const char* member, Args&&... args) {
        return CallMember(member, Operation::Get, {Argument(std::forward<Args>(args))...});
    }
    // Method call that returns a value; an empty value on failure.
    template <typename... Args>
    AutomationVariant CallWithResult(const char* member, Args&&... args) {
        return CallMember(member, Operation::Call, {Argument(std::forward<Args>(args))...});
    }
    // Method call whose result is dropped; true when the call succeeded.
    template <typename... Args> bool Call(const char* member, Args&&... args) {
        bool succeeded = false;
        CallMember(member, Operation::Call, {Argument(std::forward<Args>(args))...}, &succeeded);
        return succeeded;
    }

    bool IsEmpty() const { return !object_; }
    // Releases the reference, if any; the object is empty afterwards.
    void Clear() { object_.reset(); }

    // The held pointer, borrowed (no reference added); null when empty.
    IUnknown* Get() const { return object_.get(); }
    // Takes over a reference the caller owns, releasing what was held.
    void Adopt(IUnknown* object) { object_ = base::ComPtr<IUnknown>::Adopt(object); }

  private:
    enum class Operation { Get, Put, Call };
    AutomationVariant CallMember(const char* member, Operation operation,
                                 std::initializer_list<Argument> args, bool* succeeded = nullptr);

    base::ComPtr<IUnknown> object_;
};

// Starts an application's automation server: name is an application name ("Word") or a full
// ProgID ("Word.Application"). What the object held before is released first. True when the
// object is live afterwards.
bool CreateApplication(AutomationObject& object, const char* name);

} // namespace convert
