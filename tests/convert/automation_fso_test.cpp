// The automation layer against an automation server written by others: Wine's
// Scripting.FileSystemObject, an in-process server with a real type library.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "convert/automation.h"
#include "convert/busy_retry.h"

using convert::Argument;
using convert::AutomationObject;
using convert::AutomationVariant;

namespace {

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

LONG AsLong(const AutomationVariant& value) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&value.Value()), 0, VT_I4)))
        return -1;
    return v.lVal;
}

std::string AsText(const AutomationVariant& value) {
    std::string text;
    convert::TextOfVariant(value.Value(), text);
    return text;
}

class FileSystemObjectTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fso_.Create("Scripting.FileSystemObject"));
        // A Chinese file name: the path goes through the ANSI code page both ways.
        path_ = TempPath("自动化层测试.txt");
        DeleteFileA(path_.c_str());
    }
    void TearDown() override {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
    }

    AutomationObject fso_;
    std::string path_;
};

TEST_F(FileSystemObjectTest, WritesATextFileAndReadsItBack) {
    AutomationVariant streamValue =
        fso_.CallWithResult("CreateTextFile", Argument::TextRef(path_), true);
    AutomationObject stream = streamValue.ToObject();
    streamValue.Clear();
    ASSERT_FALSE(stream.IsEmpty());
    EXPECT_TRUE(stream.Call("WriteLine", "你好，世界"));
    EXPECT_TRUE(stream.Call("Close"));
    stream.Clear();

    AutomationVariant exists = fso_.CallWithResult("FileExists", Argument::TextRef(path_));
    EXPECT_EQ(VT_BOOL, exists.Type());
    EXPECT_EQ(VARIANT_TRUE, exists.Value().boolVal);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data));
    AutomationObject file = fso_.CallWithResult("GetFile", Argument::TextRef(path_)).ToObject();
    ASSERT_FALSE(file.IsEmpty());
    EXPECT_EQ(static_cast<LONG>(data.nFileSizeLow), AsLong(file.GetProperty("Size")));
    EXPECT_EQ("自动化层测试.txt", AsText(file.GetProperty("Name")));

    // ForReading = 1; the text comes back through a BSTR into the ANSI code page.
    AutomationObject reader = fso_.CallWithResult("OpenTextFile", path_.c_str(), 1).ToObject();
    ASSERT_FALSE(reader.IsEmpty());
    EXPECT_EQ("你好，世界", AsText(reader.CallWithResult("ReadLine")));
    reader.Call("Close");
}

TEST_F(FileSystemObjectTest, PutsAPropertyThroughItsDeclaredPut) {
    AutomationObject stream = fso_.CallWithResult("CreateTextFile", path_.c_str()).ToObject();
    ASSERT_FALSE(stream.IsEmpty());
    stream.Call("Close");
    AutomationObject file = fso_.CallWithResult("GetFile", path_.c_str()).ToObject();
    ASSERT_FALSE(file.IsEmpty());

    EXPECT_TRUE(file.PutProperty("Attributes", static_cast<int>(FILE_ATTRIBUTE_READONLY)));
    EXPECT_NE(0u, GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(static_cast<LONG>(FILE_ATTRIBUTE_READONLY),
              AsLong(file.GetProperty("Attributes")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(file.PutProperty("Attributes", 0));
    EXPECT_EQ(0u, GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileSystemObjectTest, UnknownMemberGivesAnEmptyResult) {
    AutomationVariant value = fso_.GetProperty("NoSuchMember");
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_TRUE(value.ToObject().IsEmpty());
    EXPECT_TRUE(fso_.CallWithResult("NoSuchMember", 1, "x").IsEmpty());
    EXPECT_FALSE(fso_.Call("NoSuchMember"));
    EXPECT_FALSE(fso_.PutProperty("NoSuchMember", true));
    // A property get of a member that exists but gives no object is empty as an object too.
    EXPECT_TRUE(fso_.CallWithResult("FileExists", path_.c_str()).ToObject().IsEmpty());
}

TEST_F(FileSystemObjectTest, TooManyArgumentsFailWithoutACall) {
    // CreateTextFile declares three parameters; a fourth is refused before Invoke, so no file.
    EXPECT_TRUE(fso_.CallWithResult("CreateTextFile", path_.c_str(), true, false, 1).IsEmpty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
    // Left-out arguments at the end do not count.
    AutomationObject stream =
        fso_.CallWithResult("CreateTextFile", path_.c_str(), Argument::Missing(),
                            Argument::Missing(), Argument::Missing())
            .ToObject();
    EXPECT_FALSE(stream.IsEmpty());
    stream.Call("Close");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
}

TEST(AutomationObjectTest, CallsOnAnEmptyObjectTouchNothing) {
    AutomationObject empty;
    std::string path = "unchanged";
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(empty.GetProperty("Documents").IsEmpty());
    EXPECT_TRUE(empty.CallWithResult("Open", Argument::TextRef(path)).IsEmpty());
    EXPECT_FALSE(empty.PutProperty("Visible", false));
    EXPECT_FALSE(empty.Call("Close"));
    EXPECT_EQ("unchanged", path);
    empty.Clear();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(AutomationObjectTest, CreateKeepsTheHeldObjectOnFailure) {
    AutomationObject object;
    // The class of Scripting.FileSystemObject, named by its CLSID string.
    ASSERT_TRUE(object.Create("{0D43FE01-F093-11CF-8940-00A0C9054228}"));
    EXPECT_FALSE(object.Create("No.Such.Class"));
    EXPECT_FALSE(object.Create("{00000000-0000-0000-0000-00000000ABCD}"));
    EXPECT_FALSE(object.Create("{not a clsid}"));
    ASSERT_FALSE(object.IsEmpty());
    EXPECT_EQ(VT_BOOL, object.CallWithResult("FolderExists", "C:\\").Type());

    AutomationObject moved = std::move(object);
    EXPECT_TRUE(object.IsEmpty());
    EXPECT_FALSE(moved.IsEmpty());
}

TEST(AutomationObjectTest, CreateApplicationThatCannotStartLeavesTheObjectEmpty) {
    AutomationObject object;
    ASSERT_TRUE(object.Create("Scripting.FileSystemObject"));
    EXPECT_FALSE(convert::CreateApplication(object, "NoSuchOfficeApp"));
    EXPECT_TRUE(object.IsEmpty());
}

TEST(AutomationVariantTest, ToObjectAddsAReferenceOfItsOwn) {
    AutomationObject fso;
    ASSERT_TRUE(fso.Create("Scripting.FileSystemObject"));
    AutomationVariant drives = fso.GetProperty("Drives");
    ASSERT_EQ(VT_DISPATCH, drives.Type());
    AutomationObject first = drives.ToObject();
    AutomationObject second = drives.ToObject();
    // The variant still holds its own reference after both objects took theirs.
    EXPECT_EQ(VT_DISPATCH, drives.Type());
    first.Clear();
    drives.Clear();
    EXPECT_TRUE(drives.IsEmpty());
    ASSERT_FALSE(second.IsEmpty());
    EXPECT_GT(AsLong(second.GetProperty("Count")), 0);
}

// A FileSystemObject behind an IDispatch that answers its first Invoke calls as a busy
// server's runtime does (RPC_E_SERVERCALL_RETRYLATER); the type information is the real one.
class BusyDispatch : public IDispatch {
  public:
    BusyDispatch(IDispatch* inner, int rejections) : inner_(inner), rejections_(rejections) {}
    int Invokes() const { return invokes_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack, longer than any reference handed out.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        ++invokes_;
        if (rejections_ < 0 || invokes_ <= rejections_)
            return RPC_E_SERVERCALL_RETRYLATER;
        return inner_->Invoke(id, iid, lcid, flags, params, result, exception, argError);
    }

  private:
    IDispatch* inner_;
    int rejections_;
    int invokes_ = 0;
};

TEST(BusyRetryTest, RejectedCallsAreRetriedUntilTheyGoThrough) {
    AutomationObject fso;
    ASSERT_TRUE(fso.Create("Scripting.FileSystemObject"));
    base::ComPtr<IDispatch> inner =
        base::ComPtr<IUnknown>::Borrow(fso.Get()).As<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(inner);

    BusyDispatch busy(inner.get(), 3);
    AutomationObject object;
    object.Adopt(&busy);
    AutomationVariant exists = object.CallWithResult("FolderExists", "C:\\");
    EXPECT_EQ(VT_BOOL, exists.Type());
    EXPECT_EQ(4, busy.Invokes());
    object.Clear();

    // A server that stays busy: the call gives up after the bound and fails.
    BusyDispatch stuck(inner.get(), -1);
    object.Adopt(&stuck);
    EXPECT_FALSE(object.Call("FolderExists", "C:\\"));
    EXPECT_GT(stuck.Invokes(), 1);
    object.Clear();
}

TEST(BusyRetryTest, FilterIsRegisteredForItsLifetime) {
    IMessageFilter* before = nullptr;
    {
        convert::BusyRetryFilter filter;
        ASSERT_TRUE(filter.IsRegistered());
        // While it is registered, registering nothing hands it back; put it back again.
        IMessageFilter* current = nullptr;
        ASSERT_EQ(S_OK, CoRegisterMessageFilter(nullptr, &current));
        ASSERT_NE(nullptr, current);
        EXPECT_EQ(static_cast<DWORD>(SERVERCALL_ISHANDLED),
                  current->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr));
        EXPECT_EQ(convert::kBusyRetryPauseMs,
                  current->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER));
        EXPECT_EQ(
            static_cast<DWORD>(-1),
            current->RetryRejectedCall(nullptr, convert::kBusyRetryLimitMs, SERVERCALL_RETRYLATER));
        EXPECT_EQ(static_cast<DWORD>(-1),
                  current->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED));
        CoRegisterMessageFilter(current, nullptr);
        current->Release();
    }
    // Revoked at its end: no filter is left registered.
    ASSERT_EQ(S_OK, CoRegisterMessageFilter(nullptr, &before));
    EXPECT_EQ(nullptr, before);
}

} // namespace
