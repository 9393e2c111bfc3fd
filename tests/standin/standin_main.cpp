// office_standin.exe: a local automation server that stands in for Word, Excel or PowerPoint.
//   office_standin.exe /RegServer [word|excel|powerpoint]    register one or all ProgIDs
//   office_standin.exe /UnregServer [word|excel|powerpoint]  remove them again
//   office_standin.exe word|excel|powerpoint -Embedding      as started by COM
// Each registered command line names the application, so a process registers only that
// class object: Word and Excel single-use (a process per created object), PowerPoint
// multiple-use (later creations join the running process).

#include "office_standin.h"
#include "standin_log.h"
#include "standin_objects.h"
#include "standin_registry.h"
#include "standin_scenario.h"
#include "standin_server.h"

#include <ole2.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace standin {

namespace {

ITypeLib* g_typeLibrary = nullptr;
const Application* g_application = nullptr;
DWORD g_classCookie = 0;
bool g_classRegistered = false;
int g_liveObjects = 0;
bool g_anyObjectCreated = false;
int g_serial = 0;
DWORD g_mainThread = 0;
// How long a process that was started but never handed out an object waits before it ends.
const UINT kIdleMilliseconds = 15000;
// The last object goes away inside the client's final release call, and COM sends the answer
// to that call from one of its own threads after the call has returned to the message loop.
// Wine's COM does not wait for that answer when the apartment is torn down: a process that
// ended at once cut off about one final release in four, and the client's release failed with
// RPC_S_CALL_FAILED. The process keeps serving its apartment this long before it tears COM
// down.
const DWORD kLastReplyMilliseconds = 500;

// Handles whatever reaches the apartment for the given time.
void ServeFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void RevokeClass() {
    if (g_classRegistered) {
        CoRevokeClassObject(g_classCookie);
        g_classRegistered = false;
    }
}

class ClassFactory : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // A static object that lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        IUnknown* object = nullptr;
        if (g_application == nullptr)
            return E_UNEXPECTED;
        if (lstrcmpA(g_application->argument, "word") == 0)
            object = CreateWordApplication();
        else if (lstrcmpA(g_application->argument, "excel") == 0)
            object = CreateExcelApplication();
        else
            object = CreatePowerPointApplication();
        HRESULT hr = object->QueryInterface(riid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ++g_liveObjects;
            g_anyObjectCreated = true;
        } else {
            ObjectDestroyed();
        }
        return S_OK;
    }
};

// Rejects the first N incoming calls as a busy application does ("busy N" in the scenario).
class MessageFilter : public IMessageFilter {
  public:
    explicit MessageFilter(int busyCalls) : busyCalls_(busyCalls) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMessageFilter)) {
            *out = static_cast<IMessageFilter*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) override {
        if (rejected_ >= busyCalls_)
            return SERVERCALL_ISHANDLED;
        ++rejected_;
        std::string line = "busy\t" + std::to_string(rejected_);
        if (info != nullptr) {
            wchar_t iid[64] = {};
            StringFromGUID2(info->iid, iid, 64);
            line += "\t" + Narrow(iid) + "\tmethod=" + std::to_string(info->wMethod);
        }
        LogLine(line);
        return SERVERCALL_RETRYLATER;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
        return static_cast<DWORD>(-1);
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return PENDINGMSG_WAITDEFPROCESS;
    }

  private:
    int busyCalls_;
    int rejected_ = 0;
};

int Serve(const Application& app) {
    g_application = &app;
    g_mainThread = GetCurrentThreadId();
    LogLine(std::string("start\t") + app.name + "\t" + Narrow(GetCommandLineW()));
    if (FAILED(OleInitialize(nullptr)))
        return 1;

    int busyCalls = 0;
    for (const std::string& count : ScenarioArguments("busy"))
        busyCalls = std::atoi(count.c_str());
    static MessageFilter filter(busyCalls);
    IMessageFilter* previous = nullptr;
    CoRegisterMessageFilter(&filter, &previous);

    int result = 1;
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (SUCCEEDED(LoadTypeLibEx(exe, REGKIND_NONE, &g_typeLibrary))) {
        static ClassFactory factory;
        bool singleUse = lstrcmpA(app.argument, "powerpoint") != 0;
        if (SUCCEEDED(CoRegisterClassObject(*app.clsid, &factory, CLSCTX_LOCAL_SERVER,
                                            singleUse ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE,
                                            &g_classCookie))) {
            g_classRegistered = true;
            UINT_PTR idle = SetTimer(nullptr, 0, kIdleMilliseconds, nullptr);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == idle) {
                    KillTimer(nullptr, idle);
                    if (!g_anyObjectCreated) {
                        LogLine("idle\tno object was asked for");
                        break;
                    }
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            RevokeClass();
            if (g_anyObjectCreated)
                ServeFor(kLastReplyMilliseconds);
            result = 0;
        }
        g_typeLibrary->Release();
        g_typeLibrary = nullptr;
    }
    CoRegisterMessageFilter(previous, nullptr);
    OleUninitialize();
    LogLine(std::string("exit\t") + app.name);
    return result;
}

} // namespace

ITypeLib* TypeLibrary() {
    return g_typeLibrary;
}

int NextSerial() {
    return ++g_serial;
}

void ObjectCreated() {
    ++g_liveObjects;
    g_anyObjectCreated = true;
}

void ObjectDestroyed() {
    if (--g_liveObjects > 0)
        return;
    LogLine("released\tall objects released");
    RevokeClass();
    PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
}

} // namespace standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr)
        return 1;
    std::string first = argc > 1 ? standin::Narrow(argv[1]) : std::string();
    std::string second = argc > 2 ? standin::Narrow(argv[2]) : std::string();
    LocalFree(argv);

    bool reg =
        lstrcmpiA(first.c_str(), "/RegServer") == 0 || lstrcmpiA(first.c_str(), "-RegServer") == 0;
    bool unreg = lstrcmpiA(first.c_str(), "/UnregServer") == 0 ||
                 lstrcmpiA(first.c_str(), "-UnregServer") == 0;
    if (reg || unreg) {
        const standin::Application* app = nullptr;
        if (!second.empty()) {
            app = standin::FindApplication(second.c_str());
            if (app == nullptr)
                return 2;
        }
        return (reg ? standin::RegisterServer(app) : standin::UnregisterServer(app)) ? 0 : 1;
    }
    const standin::Application* app = standin::FindApplication(first.c_str());
    if (app == nullptr)
        return 2;
    return standin::Serve(*app);
}
