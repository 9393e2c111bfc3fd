#include "convert/automation.h"

#include <ole2.h>

#include <cstring>
#include <vector>

#include "convert/busy_retry.h"

namespace convert {

namespace {

// What ITypeComp::Bind handed back: the description and the type information that owns it.
// Both are released when the binding ends, whatever was bound.
class Binding {
  public:
    Binding() { Forget(); }
    ~Binding() { Reset(); }
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    // Binds name with one invoke kind; on failure nothing is held.
    HRESULT Bind(ITypeComp* comp, LPOLESTR name, ULONG hash, WORD invokeKind) {
        Reset();
        HRESULT hr = comp->Bind(name, hash, invokeKind, info_.put(), &kind_, &bound_);
        if (FAILED(hr)) {
            // The outputs of a failed Bind are not trusted beyond a returned interface.
            info_.reset();
            Forget();
        }
        return hr;
    }

    DESCKIND Kind() const { return kind_; }
    const FUNCDESC* Function() const {
        return kind_ == DESCKIND_FUNCDESC ? bound_.lpfuncdesc : nullptr;
    }
    const VARDESC* Variable() const {
        return kind_ == DESCKIND_VARDESC || kind_ == DESCKIND_IMPLICITAPPOBJ ? bound_.lpvardesc
                                                                             : nullptr;
    }

  private:
    void Forget() {
        kind_ = DESCKIND_NONE;
        std::memset(&bound_, 0, sizeof(bound_));
    }
    void Reset() {
        switch (kind_) {
        case DESCKIND_FUNCDESC:
            if (info_ && bound_.lpfuncdesc != nullptr)
                info_->ReleaseFuncDesc(bound_.lpfuncdesc);
            break;
        case DESCKIND_VARDESC:
        case DESCKIND_IMPLICITAPPOBJ:
            if (info_ && bound_.lpvardesc != nullptr)
                info_->ReleaseVarDesc(bound_.lpvardesc);
            break;
        case DESCKIND_TYPECOMP:
            if (bound_.lptcomp != nullptr)
                bound_.lptcomp->Release();
            break;
        default:
            break;
        }
        info_.reset();
        Forget();
    }

    base::ComPtr<ITypeInfo> info_;
    DESCKIND kind_;
    BINDPTR bound_;
};

// The invoke kinds tried for each operation, in order.
const WORD kGetKinds[] = {INVOKE_PROPERTYGET, INVOKE_FUNC};
const WORD kPutKinds[] = {INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF, INVOKE_FUNC};
const WORD kCallKinds[] = {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT,
                           INVOKE_PROPERTYPUTREF};

// How the bound member is invoked: its dispatch identifier, the Invoke flags and its declared
// parameters.
struct CallShape {
    DISPID id = DISPID_UNKNOWN;
    WORD flags = 0;
    const ELEMDESC* params = nullptr;
    size_t declared = 0;
    bool varargs = false;
    // A property put through a variable description has one parameter of the variable's type
    // and no parameter flags.
    bool variablePut = false;
};

bool IsInterfaceOrArray(const TYPEDESC& type) {
    return type.vt == VT_DISPATCH || type.vt == VT_UNKNOWN || type.vt == VT_SAFEARRAY ||
           type.vt == VT_CARRAY || (type.vt & VT_ARRAY) != 0;
}

bool ShapeOf(const Binding& binding, bool put, CallShape& shape) {
    if (const FUNCDESC* function = binding.Function()) {
        shape.id = function->memid;
        shape.flags = static_cast<WORD>(function->invkind);
        shape.params = function->lprgelemdescParam;
        shape.declared = function->cParams > 0 ? static_cast<size_t>(function->cParams) : 0;
        shape.varargs = function->cParamsOpt == -1;
        return true;
    }
    if (const VARDESC* variable = binding.Variable()) {
        shape.id = variable->memid;
        if (put) {
            shape.flags = IsInterfaceOrArray(variable->elemdescVar.tdesc)
                              ? static_cast<WORD>(DISPATCH_PROPERTYPUTREF)
                              : static_cast<WORD>(DISPATCH_PROPERTYPUT);
            shape.params = &variable->elemdescVar;
            shape.declared = 1;
            shape.variablePut = true;
        } else {
            shape.flags = DISPATCH_PROPERTYGET;
        }
        return true;
    }
    return false;
}

// Where a value of the given VARTYPE lives inside a VARIANT, for a VT_BYREF pointer at it.
void* PayloadOf(VARIANT* v, VARTYPE type) {
    if (type == VT_DECIMAL)
        return &v->decVal;
    return &v->bVal;
}

} // namespace

AutomationVariant AutomationObject::CallMember(const char* member, Operation operation,
                                               std::initializer_list<Argument> args,
                                               bool* succeeded) {
    if (succeeded != nullptr)
        *succeeded = false;
    if (!object_ || member == nullptr)
        return AutomationVariant();

    base::ComPtr<IDispatch> dispatch;
    if (FAILED(RetryWhileBusy(
            [&] { return object_->QueryInterface(IID_IDispatch, dispatch.put_void()); })) ||
        !dispatch)
        return AutomationVariant();

    const LCID lcid = GetUserDefaultLCID();
    base::ComPtr<ITypeInfo> typeInfo;
    if (FAILED(RetryWhileBusy([&] { return dispatch->GetTypeInfo(0, lcid, typeInfo.put()); })) ||
        !typeInfo)
        return AutomationVariant();
    base::ComPtr<ITypeComp> typeComp;
    if (FAILED(RetryWhileBusy([&] { return typeInfo->GetTypeComp(typeComp.put()); })) || !typeComp)
        return AutomationVariant();

    std::wstring name = WideFromAnsi(member);
    name.push_back(L'\0');
    LPOLESTR namePtr = &name[0];
    const ULONG hash = LHashValOfNameSys(SYS_WIN32, lcid, namePtr);

    const WORD* kinds = kCallKinds;
    size_t kindCount = sizeof(kCallKinds) / sizeof(kCallKinds[0]);
    if (operation == Operation::Get) {
        kinds = kGetKinds;
        kindCount = sizeof(kGetKinds) / sizeof(kGetKinds[0]);
    } else if (operation == Operation::Put) {
        kinds = kPutKinds;
        kindCount = sizeof(kPutKinds) / sizeof(kPutKinds[0]);
    }
    Binding binding;
    bool bound = false;
    for (size_t k = 0; k < kindCount && !bound; ++k) {
        bound = SUCCEEDED(
            RetryWhileBusy([&] { return binding.Bind(typeComp.get(), namePtr, hash, kinds[k]); }));
    }
    CallShape shape;
    if (!bound || !ShapeOf(binding, operation == Operation::Put, shape))
        return AutomationVariant();

    // Left-out arguments at the end are not sent.
    const Argument* given = args.begin();
    size_t count = args.size();
    while (count > 0 && given[count - 1].IsMissing())
        --count;
    if (count > shape.declared && (!shape.varargs || shape.declared == 0))
        return AutomationVariant();

    // built[i] is argument i as its kind makes it; converted[i] holds it changed to the type a
    // by-reference parameter points at; passed is what Invoke sees, last argument first. Both
    // owner arrays are sized once, so the VT_BYREF pointers into them stay valid.
    std::vector<base::UniqueVariant> built(count);
    std::vector<base::UniqueVariant> converted(count);
    std::vector<VARIANT> passed(count);
    // The VARIANT that went by reference for argument i, read back for an output parameter.
    std::vector<VARIANT*> byReference(count, nullptr);
    std::vector<bool> output(count, false);
    for (size_t i = 0; i < count; ++i) {
        built[i] = given[i].Build();
        const ELEMDESC& param = shape.params[i < shape.declared ? i : shape.declared - 1];
        output[i] = !shape.variablePut && (param.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0;
        VARIANT& slot = passed[count - 1 - i];
        VariantInit(&slot);
        const TYPEDESC& type = param.tdesc;
        if (type.vt == VT_PTR && type.lptdesc != nullptr) {
            const VARTYPE target = type.lptdesc->vt;
            if (target == VT_VARIANT) {
                slot.vt = VT_VARIANT | VT_BYREF;
                slot.pvarVal = built[i].ptr();
                byReference[i] = built[i].ptr();
                continue;
            }
            if (SUCCEEDED(VariantChangeType(converted[i].ptr(), built[i].ptr(), 0, target)) &&
                converted[i].type() == target) {
                slot.vt = static_cast<VARTYPE>(target | VT_BYREF);
                slot.byref = PayloadOf(converted[i].ptr(), target);
                byReference[i] = converted[i].ptr();
                continue;
            }
            converted[i].reset();
        }
        // By value: the VARIANT built itself, still owned by built[i].
        slot = built[i].get();
    }

    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = count > 0 ? passed.data() : nullptr;
    params.cArgs = static_cast<UINT>(count);
    if ((shape.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0 && count > 0) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }

    base::UniqueVariant result;
    UINT argError = 0;
    HRESULT hr = RetryWhileBusy([&] {
        return dispatch->Invoke(shape.id, IID_NULL, lcid, shape.flags, &params, result.put(),
                                nullptr, &argError);
    });
    if (FAILED(hr))
        return AutomationVariant();

    for (size_t i = 0; i < count; ++i) {
        if (given[i].Kind() == ArgumentKind::TextRef && !given[i].IsMissing() && output[i] &&
            byReference[i] != nullptr && given[i].Variable() != nullptr) {
            std::string text;
            if (TextOfVariant(*byReference[i], text))
                *given[i].Variable() = text;
        }
    }
    if (succeeded != nullptr)
        *succeeded = true;
    if (operation == Operation::Put)
        return AutomationVariant();
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantCopyInd(&copy, result.ptr())))
        return AutomationVariant();
    return AutomationVariant(copy);
}

bool AutomationObject::PutProperty(const char* member, const Argument& value) {
    bool succeeded = false;
    CallMember(member, Operation::Put, {value}, &succeeded);
    return succeeded;
}

bool AutomationObject::Create(const char* progId) {
    if (progId == nullptr)
        return false;
    std::wstring wide = WideFromAnsi(progId);
    CLSID clsid;
    HRESULT hr = progId[0] == '{' ? CLSIDFromString(wide.c_str(), &clsid)
                                  : CLSIDFromProgID(wide.c_str(), &clsid);
    if (FAILED(hr))
        return false;
    base::ComPtr<IUnknown> created;
    hr = CoCreateInstance(clsid, nullptr,
                          CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                              CLSCTX_REMOTE_SERVER,
                          IID_IUnknown, created.put_void());
    if (hr == E_INVALIDARG)
        hr = CoCreateInstance(clsid, nullptr,
                              CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                              IID_IUnknown, created.put_void());
    if (FAILED(hr) || !created)
        return false;
    if (FAILED(OleRun(created.get())))
        return false;
    object_ = std::move(created);
    return true;
}

AutomationObject AutomationVariant::ToObject() const {
    AutomationObject object;
    const VARIANT& value = Value();
    if (value.vt == VT_UNKNOWN) {
        if (value.punkVal != nullptr) {
            value.punkVal->AddRef();
            object.Adopt(value.punkVal);
        }
        return object;
    }
    base::UniqueVariant copy;
    if (FAILED(VariantCopyInd(copy.ptr(), const_cast<VARIANT*>(&value))))
        return object;
    base::UniqueVariant unknown;
    if (FAILED(VariantChangeType(unknown.ptr(), copy.ptr(), 0, VT_UNKNOWN)) ||
        unknown.type() != VT_UNKNOWN)
        return object;
    // The converted VARIANT's reference becomes the object's own.
    VARIANT taken = unknown.release();
    if (taken.punkVal != nullptr)
        object.Adopt(taken.punkVal);
    return object;
}

namespace {

// Whether text contains pattern, ASCII letters compared without regard to case. The pattern is
// ASCII and starts with ".", which is never the second byte of a double-byte character, so a
// byte-wise search cannot match inside one.
bool ContainsNoCase(const std::string& text, const char* pattern) {
    const size_t length = std::strlen(pattern);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t start = 0; start + length <= text.size(); ++start) {
        size_t i = 0;
        while (i < length && lower(text[start + i]) == lower(pattern[i]))
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

} // namespace

bool CreateApplication(AutomationObject& object, const char* name) {
    std::string progId = name != nullptr ? name : "";
    if (!ContainsNoCase(progId, ".Application"))
        progId += ".Application";
    if (!object.IsEmpty())
        object.Clear();
    object.Create(progId.c_str());
    return !object.IsEmpty();
}

} // namespace convert
