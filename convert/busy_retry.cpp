#include "convert/busy_retry.h"

#include <ole2.h>

namespace convert {

HRESULT STDMETHODCALLTYPE BusyRetryFilter::Filter::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
        *object = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

DWORD STDMETHODCALLTYPE BusyRetryFilter::Filter::HandleInComingCall(DWORD, HTASK, DWORD,
                                                                    LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE BusyRetryFilter::Filter::RetryRejectedCall(HTASK, DWORD tickCount,
                                                                   DWORD rejectType) {
    // A refusal (SERVERCALL_REJECTED) is final; "busy, try later" is retried until the bound.
    // A return value of 100 or more is the pause in milliseconds before the next attempt;
    // (DWORD)-1 cancels the call, which then fails with RPC_E_CALL_REJECTED.
    if (rejectType == SERVERCALL_RETRYLATER && tickCount < kBusyRetryLimitMs)
        return kBusyRetryPauseMs;
    return static_cast<DWORD>(-1);
}

DWORD STDMETHODCALLTYPE BusyRetryFilter::Filter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}

BusyRetryFilter::BusyRetryFilter() {
    registered_ = SUCCEEDED(CoRegisterMessageFilter(&filter_, &previous_));
}

BusyRetryFilter::~BusyRetryFilter() {
    if (!registered_)
        return;
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_, &ours);
    if (ours != nullptr)
        ours->Release();
    if (previous_ != nullptr)
        previous_->Release();
}

} // namespace convert
