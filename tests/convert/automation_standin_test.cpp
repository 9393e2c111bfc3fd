// The automation layer against the stand-in Office server, out of process as Office runs, read
// from the server's log: what Invoke received, and when each object was created and released.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "convert/automation.h"
#include "convert/busy_retry.h"
#include "standin_control.h"

using convert::Argument;
using convert::AutomationObject;
using convert::AutomationVariant;

namespace {

// Generous: a server process that has not ended by then has been leaked a reference.
constexpr DWORD kExitWaitMs = 30000;

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "stand-in document", 17, &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Each test starts with a scenario of its own and no server running, and ends with every server
// process gone: a process that outlives its test was leaked a reference.
class StandinTest : public testing::Test {
  protected:
    void Start(const std::string& scenario) {
        ASSERT_TRUE(WaitForStandinExit(kExitWaitMs)) << "a stand-in server is still running";
        ResetStandin(scenario);
    }
    void TearDown() override {
        EXPECT_TRUE(WaitForStandinExit(kExitWaitMs)) << "a stand-in server did not end";
    }

    // The one invoke of object.member in the log; fails the test if there is not exactly one.
    static StandinEvent OneInvoke(const std::string& object, const std::string& member) {
        std::vector<StandinEvent> found =
            FindStandinEvents(ReadStandinEvents(), "invoke", object, member);
        EXPECT_EQ(1u, found.size()) << object << "." << member;
        return found.empty() ? StandinEvent() : found.front();
    }
    static std::vector<std::string> Types(const StandinEvent& e) {
        std::vector<std::string> types;
        for (const StandinArgument& a : e.args)
            types.push_back(a.type);
        return types;
    }
    static std::vector<std::string> Values(const StandinEvent& e) {
        std::vector<std::string> values;
        for (const StandinArgument& a : e.args)
            values.push_back(a.value);
        return values;
    }
};

TEST_F(StandinTest, CreateApplicationAcceptsAnApplicationNameOrAProgId) {
    Start("");
    for (const char* name : {"Word", "word.APPLICATION"}) {
        AutomationObject app;
        EXPECT_TRUE(convert::CreateApplication(app, name)) << name;
        EXPECT_FALSE(app.IsEmpty()) << name;
        app.Clear();
    }
    std::vector<StandinEvent> events = ReadStandinEvents();
    // Word is a single-use server: one process, and one application object, per creation.
    EXPECT_EQ(2u, FindStandinEvents(events, "start").size());
    std::vector<StandinEvent> created = FindStandinEvents(events, "create");
    ASSERT_EQ(2u, created.size());
    for (const StandinEvent& e : created)
        EXPECT_EQ("Word.Application", e.object);
}

TEST_F(StandinTest, CreateApplicationReleasesTheHeldApplicationFirst) {
    Start("");
    AutomationObject app;
    ASSERT_TRUE(convert::CreateApplication(app, "Word.Application"));
    ASSERT_TRUE(convert::CreateApplication(app, "Excel"));
    std::vector<StandinEvent> events = ReadStandinEvents();
    size_t wordDestroyed = events.size(), excelCreated = events.size();
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i].event == "destroy" && events[i].object == "Word.Application")
            wordDestroyed = i;
        if (events[i].event == "create" && events[i].object == "Excel.Application")
            excelCreated = i;
    }
    ASSERT_LT(wordDestroyed, events.size()) << "Word's application was not released";
    ASSERT_LT(excelCreated, events.size());
    EXPECT_LT(wordDestroyed, excelCreated);

    // A name no server answers to: the held application is released and the object ends empty.
    EXPECT_FALSE(convert::CreateApplication(app, "NoSuchOffice"));
    EXPECT_TRUE(app.IsEmpty());
    EXPECT_EQ(1u, FindStandinEvents(ReadStandinEvents(), "destroy", "Excel.Application").size());
}

// Word declares every parameter as VARIANT*: each argument goes by reference, a left-out one in
// front of a given one as "parameter not found", and left-out ones at the end not at all.
TEST_F(StandinTest, WordReceivesVariantsByReference) {
    Start("");
    std::string source = TempFile("standin word.docx");
    std::string output = source + ".pdf";
    {
        AutomationObject app;
        ASSERT_TRUE(convert::CreateApplication(app, "Word.Application"));
        EXPECT_TRUE(app.PutProperty("Visible", false));
        AutomationVariant collection = app.GetProperty("Documents");
        AutomationObject documents = collection.ToObject();
        collection.Clear();
        AutomationVariant opened = documents.CallWithResult("Open", Argument::TextRef(source),
                                                            false, true, Argument::Missing());
        AutomationObject document = opened.ToObject();
        opened.Clear();
        ASSERT_FALSE(document.IsEmpty());
        EXPECT_TRUE(document.Call("SaveAs", Argument::TextRef(output), 17, 0));
        EXPECT_TRUE(document.Call("Close", Argument::Missing(), 0));
        EXPECT_TRUE(app.Call("Quit"));
        document.Clear();
        documents.Clear();
        app.Clear();
    }
    StandinEvent visible = OneInvoke("Word.Application", "Visible");
    EXPECT_EQ(static_cast<unsigned>(DISPATCH_PROPERTYPUT), visible.flags);
    EXPECT_EQ(std::vector<std::string>({"VT_BOOL"}), Types(visible));
    EXPECT_EQ(std::vector<std::string>({"0"}), Values(visible));
    EXPECT_EQ(std::vector<long>({DISPID_PROPERTYPUT}), visible.named);

    StandinEvent documents = OneInvoke("Word.Application", "Documents");
    EXPECT_EQ(static_cast<unsigned>(DISPATCH_PROPERTYGET), documents.flags);
    EXPECT_EQ(0u, documents.cargs);

    StandinEvent open = OneInvoke("Word.Documents", "Open");
    EXPECT_EQ(static_cast<unsigned>(DISPATCH_METHOD), open.flags);
    EXPECT_EQ(
        std::vector<std::string>({"VT_VARIANT|VT_BYREF->VT_BSTR", "VT_VARIANT|VT_BYREF->VT_BOOL",
                                  "VT_VARIANT|VT_BYREF->VT_BOOL"}),
        Types(open));
    EXPECT_EQ(std::vector<std::string>({Quoted(source), "0", "-1"}), Values(open));
    EXPECT_TRUE(open.named.empty());

    StandinEvent save = OneInvoke("Word.Document", "SaveAs");
    EXPECT_EQ(
        std::vector<std::string>({"VT_VARIANT|VT_BYREF->VT_BSTR", "VT_VARIANT|VT_BYREF->VT_I4",
                                  "VT_VARIANT|VT_BYREF->VT_I4"}),
        Types(save));
    EXPECT_EQ(std::vector<std::string>({Quoted(output), "17", "0"}), Values(save));

    StandinEvent close = OneInvoke("Word.Document", "Close");
    EXPECT_EQ(
        std::vector<std::string>({"VT_VARIANT|VT_BYREF->VT_ERROR", "VT_VARIANT|VT_BYREF->VT_I4"}),
        Types(close));
    EXPECT_EQ(std::vector<std::string>({"0x80020004", "0"}), Values(close));

    EXPECT_EQ(0u, OneInvoke("Word.Application", "Quit").cargs);
    // The PDF the stand-in wrote at the path passed by reference.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));
    DeleteFileA(output.c_str());
    DeleteFileA(source.c_str());
}

// Excel and PowerPoint declare by-value parameters: the VARIANTs go as they were built.
TEST_F(StandinTest, ExcelAndPowerPointReceiveVariantsByValue) {
    Start("");
    std::string book = TempFile("standin book.xlsx");
    std::string slides = TempFile("standin slides.pptx");
    std::string output = book + ".pdf";
    {
        AutomationObject app;
        ASSERT_TRUE(convert::CreateApplication(app, "Excel.Application"));
        EXPECT_TRUE(app.PutProperty("Visible", false));
        AutomationObject books = app.GetProperty("Workbooks").ToObject();
        AutomationObject workbook =
            books.CallWithResult("Open", Argument::TextRef(book)).ToObject();
        ASSERT_FALSE(workbook.IsEmpty());
        EXPECT_TRUE(workbook.Call("SaveAs", Argument::TextRef(output), 57, 0));
        EXPECT_TRUE(
            workbook.Call("Close", Argument::Missing(), Argument::Missing(), Argument::Missing()));
        EXPECT_TRUE(app.Call("Quit"));
    }
    StandinEvent visible = OneInvoke("Excel.Application", "Visible");
    EXPECT_EQ(static_cast<unsigned>(DISPATCH_PROPERTYPUT), visible.flags);
    EXPECT_EQ(std::vector<std::string>({"VT_BOOL"}), Types(visible));
    EXPECT_EQ(std::vector<long>({DISPID_PROPERTYPUT}), visible.named);
    EXPECT_EQ(std::vector<std::string>({"VT_BSTR"}), Types(OneInvoke("Excel.Workbooks", "Open")));
    StandinEvent save = OneInvoke("Excel.Workbook", "SaveAs");
    EXPECT_EQ(std::vector<std::string>({"VT_BSTR", "VT_I4", "VT_I4"}), Types(save));
    EXPECT_EQ(std::vector<std::string>({Quoted(output), "57", "0"}), Values(save));
    EXPECT_EQ(0u, OneInvoke("Excel.Workbook", "Close").cargs);
    DeleteFileA(output.c_str());

    output = slides + ".pdf";
    {
        AutomationObject app;
        ASSERT_TRUE(convert::CreateApplication(app, "PowerPoint"));
        AutomationObject presentations = app.GetProperty("Presentations").ToObject();
        AutomationObject presentation =
            presentations.CallWithResult("Open", Argument::TextRef(slides), -1, 1, 0).ToObject();
        ASSERT_FALSE(presentation.IsEmpty());
        EXPECT_TRUE(presentation.Call("SaveAs", Argument::TextRef(output), 32, 0));
        EXPECT_TRUE(presentation.Call("Close"));
        EXPECT_TRUE(app.Call("Quit"));
    }
    StandinEvent open = OneInvoke("PowerPoint.Presentations", "Open");
    EXPECT_EQ(std::vector<std::string>({"VT_BSTR", "VT_I4", "VT_I4", "VT_I4"}), Types(open));
    EXPECT_EQ(std::vector<std::string>({Quoted(slides), "-1", "1", "0"}), Values(open));
    save = OneInvoke("PowerPoint.Presentation", "SaveAs");
    EXPECT_EQ(std::vector<std::string>({"VT_BSTR", "VT_I4", "VT_I4"}), Types(save));
    EXPECT_EQ(0u, OneInvoke("PowerPoint.Presentation", "Close").cargs);
    DeleteFileA(output.c_str());
    DeleteFileA(book.c_str());
    DeleteFileA(slides.c_str());
}

TEST_F(StandinTest, FailuresOfTheServerAndOfTheCallerGiveFalse) {
    Start("");
    AutomationObject app;
    ASSERT_TRUE(convert::CreateApplication(app, "PowerPoint.Application"));
    // PowerPoint refuses to hide its window (DISP_E_EXCEPTION).
    EXPECT_FALSE(app.PutProperty("Visible", false));
    // Quit declares no parameter: an argument too many is refused before any call.
    EXPECT_FALSE(app.Call("Quit", 1));
    EXPECT_TRUE(
        FindStandinEvents(ReadStandinEvents(), "invoke", "PowerPoint.Application", "Quit").empty());
    // A missing document fails to open and gives no object.
    AutomationObject presentations = app.GetProperty("Presentations").ToObject();
    EXPECT_TRUE(
        presentations.CallWithResult("Open", "C:\\no such folder\\x.pptx").ToObject().IsEmpty());
    presentations.Clear();
    app.Clear();
    std::vector<StandinEvent> events = ReadStandinEvents();
    EXPECT_EQ(1u, FindStandinEvents(events, "released").size());
}

// The server's filter answers its first incoming calls SERVERCALL_RETRYLATER. With the
// program's own filter registered, as at start-up, the calls end in success. (Wine's runtime
// runs such a call on the server anyway instead of handing the rejection back; the layer's own
// retry of a rejection that does come back is tested in-process with a rejecting object.)
TEST_F(StandinTest, BusyServerCallsSucceed) {
    Start("busy 3");
    convert::BusyRetryFilter filter;
    ASSERT_TRUE(filter.IsRegistered());
    AutomationObject app;
    ASSERT_TRUE(convert::CreateApplication(app, "Word"));
    EXPECT_TRUE(app.PutProperty("Visible", false));
    AutomationObject documents = app.GetProperty("Documents").ToObject();
    EXPECT_FALSE(documents.IsEmpty());
    documents.Clear();
    app.Clear();
    std::vector<StandinEvent> events = ReadStandinEvents();
    EXPECT_EQ(3u, FindStandinEvents(events, "busy").size());
    EXPECT_EQ(1u, FindStandinEvents(events, "invoke", "Word.Application", "Visible").size());
}

TEST_F(StandinTest, AServerThatDiesMidCallGivesAFailedResult) {
    Start("die Word.Document.SaveAs");
    std::string source = TempFile("standin dies.docx");
    std::string output = source + ".pdf";
    AutomationObject app;
    ASSERT_TRUE(convert::CreateApplication(app, "Word"));
    AutomationObject documents = app.GetProperty("Documents").ToObject();
    AutomationObject document =
        documents.CallWithResult("Open", Argument::TextRef(source)).ToObject();
    ASSERT_FALSE(document.IsEmpty());
    EXPECT_FALSE(document.Call("SaveAs", Argument::TextRef(output), 17, 0));
    EXPECT_FALSE(document.Call("Close"));
    EXPECT_TRUE(document.GetProperty("FullName").IsEmpty());
    // Releasing the references of a dead server ends quietly.
    document.Clear();
    documents.Clear();
    app.Clear();
    EXPECT_EQ(1u, FindStandinEvents(ReadStandinEvents(), "die").size());
    DeleteFileA(source.c_str());
}

TEST_F(StandinTest, ClearingEveryReferenceEndsTheServer) {
    Start("");
    std::string source = TempFile("standin release.docx");
    AutomationObject app;
    ASSERT_TRUE(convert::CreateApplication(app, "Word"));
    AutomationVariant collection = app.GetProperty("Documents");
    AutomationObject documents = collection.ToObject();
    AutomationVariant opened = documents.CallWithResult("Open", Argument::TextRef(source));
    AutomationObject document = opened.ToObject();
    ASSERT_FALSE(document.IsEmpty());
    // Objects and the variants they came from each hold a reference of their own.
    document.Clear();
    documents.Clear();
    app.Clear();
    EXPECT_TRUE(FindStandinEvents(ReadStandinEvents(), "released").empty());
    collection.Clear();
    opened.Clear();
    EXPECT_TRUE(WaitForStandinExit(kExitWaitMs));
    std::vector<StandinEvent> events = ReadStandinEvents();
    EXPECT_EQ(FindStandinEvents(events, "create").size(),
              FindStandinEvents(events, "destroy").size());
    EXPECT_EQ(1u, FindStandinEvents(events, "released").size());
    EXPECT_EQ(1u, FindStandinEvents(events, "exit").size());
    DeleteFileA(source.c_str());
}

} // namespace
