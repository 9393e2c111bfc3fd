#pragma once

// A busy Office application answers an incoming call with SERVERCALL_RETRYLATER. Such calls are
// retried for a bounded time instead of failing at once: by the OLE message filter that start-up
// registers (BusyRetryFilter), and by the automation layer itself around each call it makes,
// because not every COM runtime consults the client's filter (Wine's returns the rejection to
// the caller straight away).

#include <windows.h>
#include <objidl.h>

namespace convert {

// How long a rejected call is retried, from its first attempt, before it fails.
constexpr DWORD kBusyRetryLimitMs = 10000;
// The pause between two attempts.
constexpr DWORD kBusyRetryPauseMs = 100;

// True for the results COM gives a call that the server rejected as busy.
inline bool IsBusyRejection(HRESULT hr) {
    return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER;
}

// Runs step() again while it reports a busy rejection, for at most kBusyRetryLimitMs.
template <typename Step> HRESULT RetryWhileBusy(Step&& step) {
    const DWORD start = GetTickCount();
    for (;;) {
        HRESULT hr = step();
        if (!IsBusyRejection(hr) || GetTickCount() - start >= kBusyRetryLimitMs)
            return hr;
        Sleep(kBusyRetryPauseMs);
    }
}

// Registers an OLE message filter on the calling thread (which must be the GUI thread, a
// single-threaded apartment) for its lifetime and puts the previous filter back at its end. The
// filter handles every incoming call, asks COM to retry a call rejected with
// SERVERCALL_RETRYLATER every kBusyRetryPauseMs until kBusyRetryLimitMs have passed, and lets
// COM handle messages that arrive while a call is waiting in its default way.
class BusyRetryFilter {
  public:
    BusyRetryFilter();
    ~BusyRetryFilter();
    BusyRetryFilter(const BusyRetryFilter&) = delete;
    BusyRetryFilter& operator=(const BusyRetryFilter&) = delete;

    // True when CoRegisterMessageFilter accepted the filter.
    bool IsRegistered() const { return registered_; }

  private:
    class Filter : public IMessageFilter {
      public:
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        // COM holds references while the filter is registered; the filter lives inside its
        // BusyRetryFilter, which outlasts the registration, so the count only tracks them.
        ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
        ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }
        DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                                   LPINTERFACEINFO info) override;
        DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                                  DWORD rejectType) override;
        DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount,
                                               DWORD pendingType) override;

      private:
        long refs_ = 0;
    };

    Filter filter_;
    IMessageFilter* previous_ = nullptr;
    bool registered_ = false;
};

} // namespace convert
