#pragma once

// The IUnknown and IDispatch half shared by every object of the stand-in. GetTypeInfo gives
// the dispinterface view of the object's dual interface, as the real applications do;
// Invoke logs exactly what arrived, applies the scenario ("fail", "die") and then dispatches
// through the interface half of the type information to the member implementations.

#include "standin_log.h"
#include "standin_scenario.h"
#include "standin_server.h"

#include <oleauto.h>

#include <string>

namespace standin {

template <typename Interface> class DispatchObject : public Interface {
  public:
    DispatchObject(const char* objectName, REFIID iid)
        : name_(objectName), iid_(iid), serial_(NextSerial()) {
        ObjectCreated();
        LogLine("create\t" + name_ + "\t" + std::to_string(serial_));
        if (SUCCEEDED(TypeLibrary()->GetTypeInfoOfGuid(iid, &dispatchInfo_))) {
            HREFTYPE ref = 0;
            if (SUCCEEDED(dispatchInfo_->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
                dispatchInfo_->GetRefTypeInfo(ref, &interfaceInfo_);
        }
    }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, iid_)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (info == nullptr)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        if (dispatchInfo_ == nullptr)
            return E_UNEXPECTED;
        dispatchInfo_->AddRef();
        *info = dispatchInfo_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (dispatchInfo_ == nullptr)
            return E_UNEXPECTED;
        return DispGetIDsOfNames(dispatchInfo_, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        std::string member = MemberName(id);
        std::string line = "invoke\t" + name_ + "\t" + std::to_string(serial_) + "\t" + member +
                           "\tdispid=" + std::to_string(id) + "\tflags=" + std::to_string(flags);
        UINT count = params != nullptr ? params->cArgs : 0;
        line += "\tcargs=" + std::to_string(count) + "\tnamed=";
        if (params != nullptr && params->rgdispidNamedArgs != nullptr)
            for (UINT i = 0; i < params->cNamedArgs; ++i)
                line += (i > 0 ? "," : "") + std::to_string(params->rgdispidNamedArgs[i]);
        for (UINT i = count; i > 0; --i)
            line += "\targ=" + DescribeArgument(params->rgvarg[i - 1]);
        LogLine(line);

        std::string key = name_ + "." + member;
        if (ScenarioHas("die", key)) {
            LogLine("die\t" + name_ + "\t" + std::to_string(serial_) + "\t" + member);
            ExitProcess(3);
        }
        HRESULT hr;
        failure_.clear();
        if (ScenarioHas("fail", key)) {
            hr = Exception(exception, "the scenario fails " + key);
        } else if (interfaceInfo_ == nullptr) {
            hr = E_UNEXPECTED;
        } else {
            hr = DispInvoke(static_cast<Interface*>(this), interfaceInfo_, id, flags, params,
                            result, exception, argumentError);
            if (!failure_.empty())
                hr = Exception(exception, failure_);
        }
        LogLine("return\t" + name_ + "\t" + std::to_string(serial_) + "\t" + member + "\tdispid=" +
                std::to_string(id) + "\thr=" + HexCode(static_cast<unsigned long>(hr)));
        return hr;
    }

    const std::string& ObjectName() const { return name_; }

  protected:
    virtual ~DispatchObject() {
        if (interfaceInfo_ != nullptr)
            interfaceInfo_->Release();
        if (dispatchInfo_ != nullptr)
            dispatchInfo_->Release();
        LogLine("destroy\t" + name_ + "\t" + std::to_string(serial_));
        ObjectDestroyed();
    }

    // A member that fails as the application would: Invoke then answers DISP_E_EXCEPTION.
    HRESULT Fail(const std::string& why) {
        failure_ = why.empty() ? "failed" : why;
        return E_FAIL;
    }

  private:
    std::string MemberName(DISPID id) const {
        BSTR name = nullptr;
        UINT found = 0;
        std::string result = "?";
        if (dispatchInfo_ != nullptr && SUCCEEDED(dispatchInfo_->GetNames(id, &name, 1, &found)) &&
            found == 1)
            result = Narrow(name);
        SysFreeString(name);
        return result;
    }

    HRESULT Exception(EXCEPINFO* exception, const std::string& why) {
        if (exception != nullptr) {
            SysFreeString(exception->bstrSource);
            SysFreeString(exception->bstrDescription);
            SysFreeString(exception->bstrHelpFile);
            *exception = EXCEPINFO{};
            std::wstring source(name_.begin(), name_.end());
            std::wstring text(why.begin(), why.end());
            exception->bstrSource = SysAllocString(source.c_str());
            exception->bstrDescription = SysAllocString(text.c_str());
            exception->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }

    std::string name_;
    IID iid_;
    int serial_;
    ULONG refs_ = 1;
    ITypeInfo* dispatchInfo_ = nullptr;
    ITypeInfo* interfaceInfo_ = nullptr;
    std::string failure_;
};

} // namespace standin
