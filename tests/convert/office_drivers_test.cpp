// The three Office drivers, through ConvertDocument, against the stand-in server: what each
// application received, as its log records it, what the conversion returned, and that every
// server process ended with all its objects released.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_files.h"

#include "convert/automation.h"
#include "convert/convert_document.h"
#include "standin_control.h"

namespace {

// Generous: a server process that has not ended by then has been leaked a reference.
constexpr DWORD kExitWaitMs = 30000;

// One application as the tests see it: the objects it logs and what its driver passes.
struct Driver {
    const char* app;        // "Word"
    const char* progId;     // "Word.Application"
    const char* extension;  // of the test document
    const char* collection; // the collection property
    bool setsVisible;
    // How the server declares the parameters: Word by reference to VARIANT, the others by
    // value; the logged type of an argument is this prefix and the VARIANT's own type.
    const char* byRef;
    // The logged arguments of "Open" after the source path, of "SaveAs" after the output path,
    // and of "Close".
    const char* openRest;
    const char* saveRest;
    const char* closeArgs;
};

const Driver kDrivers[] = {
    {"Word", "Word.Application", "DOCX", "Documents", true, "VT_VARIANT|VT_BYREF->",
     " #VT_BOOL 0 #VT_BOOL -1", " #VT_I4 17 #VT_I4 0", " #VT_I4 0"},
    {"Excel", "Excel.Application", "xlsx", "Workbooks", true, "", "", " #VT_I4 57 #VT_I4 0",
     " #VT_BOOL 0"},
    {"PowerPoint", "PowerPoint.Application", "pptx", "Presentations", false, "",
     " #VT_I4 -1 #VT_I4 1 #VT_I4 0", " #VT_I4 32 #VT_I4 0", ""},
};

std::string CollectionObject(const Driver& d) {
    static const char* const kObjects[] = {"Documents", "Workbooks", "Presentations"};
    return std::string(d.app) + "." + kObjects[&d - kDrivers];
}
std::string DocumentObject(const Driver& d) {
    static const char* const kObjects[] = {"Document", "Workbook", "Presentation"};
    return std::string(d.app) + "." + kObjects[&d - kDrivers];
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// One logged invoke as a line: object, member, flags, named arguments, then each argument's
// type and value.
std::string InvokeLine(const StandinEvent& e) {
    std::string line = e.object + "." + e.member + " flags=" + std::to_string(e.flags);
    for (long named : e.named)
        line += " named=" + std::to_string(named);
    for (const StandinArgument& a : e.args)
        line += " " + a.type + " " + a.value;
    return line;
}

std::vector<std::string> InvokeLines() {
    std::vector<std::string> lines;
    for (const StandinEvent& e : FindStandinEvents(ReadStandinEvents(), "invoke"))
        lines.push_back(InvokeLine(e));
    return lines;
}

// The members called, in order, as "Object.Member".
std::vector<std::string> CalledMembers() {
    std::vector<std::string> members;
    for (const StandinEvent& e : FindStandinEvents(ReadStandinEvents(), "invoke"))
        members.push_back(e.object + "." + e.member);
    return members;
}

// The members a driver calls: with the document opened, SaveAs and Close; then Count, and Quit
// unless other documents are open or the count is unknown.
std::vector<std::string> ExpectedMembers(const Driver& d, bool opened, bool quits) {
    const std::string app = d.progId;
    std::vector<std::string> members;
    if (d.setsVisible)
        members.push_back(app + ".Visible");
    members.push_back(app + "." + d.collection);
    members.push_back(CollectionObject(d) + ".Open");
    if (opened) {
        members.push_back(DocumentObject(d) + ".SaveAs");
        members.push_back(DocumentObject(d) + ".Close");
    }
    members.push_back(CollectionObject(d) + ".Count");
    if (quits)
        members.push_back(app + ".Quit");
    return members;
}

std::string LogText() {
    std::string text;
    for (const std::string& line : ReadStandinLog())
        text += line + "\n";
    return text;
}

// A PDF left at the output path by an earlier conversion, written an hour ago.
void WriteStalePdf(const std::string& path) {
    ASSERT_TRUE(testsupport::WriteFileText(path, "%PDF-1.4 from an earlier conversion\n"));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ull * 10000000ull;
    FILETIME earlier{time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &earlier);
    CloseHandle(file);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Each test works in a folder of its own, starts with no server running and its own
// scenario, and ends with every server process gone, each having logged that all its objects
// were released.
class DriverTest : public testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "driver tests";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_TRUE(WaitForStandinExit(kExitWaitMs)) << "a stand-in server is still running";
    }
    void TearDown() override {
        for (const std::string& path : created_)
            DeleteFileA(path.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
    std::string Document(const std::string& name) {
        std::string path = PathOf(name);
        EXPECT_TRUE(testsupport::WriteFileText(path, "stand-in document")) << path;
        created_.push_back(path);
        return path;
    }
    std::string Output(const std::string& name) {
        std::string path = PathOf(name);
        DeleteFileA(path.c_str());
        created_.push_back(path);
        return path;
    }

    // Every process that started logged "released" and ended.
    static void ExpectAllReleased(const std::string& what) {
        EXPECT_TRUE(WaitForStandinExit(kExitWaitMs)) << what << ": a stand-in server did not end";
        std::vector<StandinEvent> events = ReadStandinEvents();
        size_t started = FindStandinEvents(events, "start").size();
        EXPECT_EQ(started, FindStandinEvents(events, "released").size()) << what << "\n"
                                                                         << LogText();
        EXPECT_EQ(started, FindStandinEvents(events, "exit").size()) << what;
        EXPECT_EQ(FindStandinEvents(events, "create").size(),
                  FindStandinEvents(events, "destroy").size())
            << what;
    }

    std::string folder_;
    std::vector<std::string> created_;
};

// Every call of each driver with every argument's type and value, from the extension of an
// existing document to the application's Quit, and the PDF the application wrote.
TEST_F(DriverTest, EachDriverMakesItsCallsWithItsArguments) {
    for (const Driver& d : kDrivers) {
        ResetStandin("");
        // Capital letters in the name and the extension, and characters whose second bytes
        // are capitals: the path reaches the application byte for byte.
        std::string source = Document(std::string("REPORT 圖孫機腦 ") + d.app + "." + d.extension);
        std::string output = Output(std::string(d.app) + " 圖孫機腦.pdf");
        const std::string sourceBefore = source;
        EXPECT_TRUE(convert::ConvertDocument(source, output)) << d.app;
        EXPECT_EQ(sourceBefore, source);

        const std::string app = d.progId;
        const std::string ref = d.byRef;
        std::vector<std::string> expected;
        if (d.setsVisible)
            expected.push_back(app + ".Visible flags=4 named=-3 VT_BOOL 0");
        expected.push_back(app + "." + d.collection + " flags=2");
        expected.push_back(CollectionObject(d) + ".Open flags=1 " + ref + "VT_BSTR \"" + source +
                           "\"" + Replace(d.openRest, "#", ref));
        expected.push_back(DocumentObject(d) + ".SaveAs flags=1 " + ref + "VT_BSTR \"" + output +
                           "\"" + Replace(d.saveRest, "#", ref));
        expected.push_back(DocumentObject(d) + ".Close flags=1" + Replace(d.closeArgs, "#", ref));
        expected.push_back(CollectionObject(d) + ".Count flags=2");
        expected.push_back(app + ".Quit flags=1");
        EXPECT_EQ(expected, InvokeLines()) << LogText();
        for (const StandinEvent& e : FindStandinEvents(ReadStandinEvents(), "return"))
            EXPECT_EQ(S_OK, e.hr) << e.line;
        ExpectAllReleased(d.app);
    }
}

// An extension outside the six starts no application at all.
TEST_F(DriverTest, OtherExtensionsStartNothing) {
    const char* const paths[] = {
        "D:\\docs\\report.docm",   "D:\\docs\\report.rtf", "D:\\docs\\slides.pps",
        "D:\\docs\\table.csv",     "D:\\docs\\notes.txt",  "D:\\docs\\report.pdf",
        "D:\\docs\\readme",        "D:\\docs\\report.",    "D:\\old.files\\readme",
        "D:\\docs\\報告.圖孫機腦",
    };
    ResetStandin("");
    for (const char* path : paths) {
        std::string source = path;
        std::string output = PathOf("unused.pdf");
        EXPECT_FALSE(convert::ConvertDocument(source, output)) << path;
    }
    EXPECT_TRUE(StandinProcessIds().empty());
    EXPECT_TRUE(ReadStandinLog().empty()) << LogText();
}

// Removes one ProgID's registration for the life of the object, and puts it back.
class UnregisteredClass {
  public:
    explicit UnregisteredClass(const char* progId) : progId_(progId) {
        removed_ = UnregisterStandinClass(progId);
    }
    ~UnregisteredClass() {
        if (removed_) {
            EXPECT_TRUE(RegisterStandinClass(progId_)) << progId_;
        }
    }
    UnregisteredClass(const UnregisteredClass&) = delete;
    UnregisteredClass& operator=(const UnregisteredClass&) = delete;
    bool Removed() const { return removed_; }

  private:
    const char* progId_;
    bool removed_;
};

TEST_F(DriverTest, AnApplicationThatCannotBeCreatedIsNotCalled) {
    for (const Driver& d : kDrivers) {
        std::string source = Document(std::string("report.") + d.extension);
        std::string output = Output("report.pdf");
        UnregisteredClass unregistered(d.progId);
        ASSERT_TRUE(unregistered.Removed()) << d.progId;
        ResetStandin("");
        EXPECT_FALSE(convert::ConvertDocument(source, output)) << d.app;
        EXPECT_TRUE(ReadStandinLog().empty()) << d.app << "\n" << LogText();
        EXPECT_TRUE(StandinProcessIds().empty()) << d.app;
    }
}

// What each driver calls and returns when the document is missing, the save fails or writes
// no PDF, or the application holds documents of someone else. In the scenarios {doc} and
// {coll} stand for the driver's document and collection objects, {other} for a document that
// was open before the driver came.
TEST_F(DriverTest, OutcomesOfTheSequence) {
    enum class Source { Present, Missing };
    enum class Target { Fresh, MissingFolder, StalePdf };
    struct Case {
        const char* name;
        const char* scenario;
        Source source;
        Target target;
        bool result;
        bool opened;
        bool quits;
    };
    const Case cases[] = {
        {"document missing", "", Source::Missing, Target::Fresh, false, false, true},
        {"save fails", "fail {doc}.SaveAs", Source::Present, Target::Fresh, false, true, true},
        {"output folder missing", "", Source::Present, Target::MissingFolder, false, true, true},
        {"save writes nothing", "nopdf {doc}.SaveAs", Source::Present, Target::Fresh, false, true,
         true},
        {"save leaves an earlier PDF", "nopdf {doc}.SaveAs", Source::Present, Target::StalePdf,
         false, true, true},
        {"save overwrites an earlier PDF", "", Source::Present, Target::StalePdf, true, true, true},
        {"close fails, nothing else open", "fail {doc}.Close", Source::Present, Target::Fresh, true,
         true, true},
        {"another document open", "preopen {other}", Source::Present, Target::Fresh, true, true,
         false},
        {"another document open, ours missing", "preopen {other}", Source::Missing, Target::Fresh,
         false, false, false},
        {"count unknown", "fail {coll}.Count", Source::Present, Target::Fresh, true, true, false},
    };
    for (const Driver& d : kDrivers) {
        for (const Case& c : cases) {
            const std::string what = std::string(d.app) + ": " + c.name;
            std::string source = c.source == Source::Present
                                     ? Document(std::string("report.") + d.extension)
                                     : PathOf(std::string("missing.") + d.extension);
            std::string output = c.target == Target::MissingFolder
                                     ? PathOf("no such folder\\report.pdf")
                                     : Output("report.pdf");
            if (c.target == Target::StalePdf)
                WriteStalePdf(output);
            std::string scenario = Replace(c.scenario, "{doc}", DocumentObject(d));
            scenario = Replace(scenario, "{coll}", CollectionObject(d));
            scenario = Replace(scenario, "{other}", Document(std::string("user.") + d.extension));
            ResetStandin(scenario + "\n");

            EXPECT_EQ(c.result, convert::ConvertDocument(source, output)) << what;
            EXPECT_EQ(ExpectedMembers(d, c.opened, c.quits), CalledMembers()) << what << "\n"
                                                                              << LogText();
            ExpectAllReleased(what);
            if (c.target == Target::StalePdf && !c.result) {
                EXPECT_TRUE(Exists(output)) << what << ": the earlier PDF is left alone";
            }
        }
    }
}

std::int32_t PresentationCount(convert::AutomationObject& presentations) {
    convert::AutomationVariant count = presentations.GetProperty("Count");
    return count.Type() == VT_I4 ? V_I4(&count.Value()) : -1;
}

// PowerPoint runs as one process: the driver joins the one the user works in, converts, and
// leaves the user's presentation open and the application running.
TEST_F(DriverTest, APowerPointInUseKeepsItsPresentation) {
    std::string source = Document("slides.pptx");
    std::string output = Output("slides.pdf");
    ResetStandin("preopen " + PathOf("user's own.pptx") + "\n");
    {
        convert::AutomationObject running;
        ASSERT_TRUE(convert::CreateApplication(running, "PowerPoint.Application"));
        convert::AutomationObject presentations = running.GetProperty("Presentations").ToObject();
        ASSERT_EQ(1, PresentationCount(presentations));

        EXPECT_TRUE(convert::ConvertDocument(source, output));
        EXPECT_EQ(1, PresentationCount(presentations));
        EXPECT_EQ(1u, StandinProcessIds().size());
        std::vector<StandinEvent> events = ReadStandinEvents();
        EXPECT_EQ(1u, FindStandinEvents(events, "start").size());
        EXPECT_TRUE(FindStandinEvents(events, "invoke", "PowerPoint.Application", "Quit").empty())
            << LogText();
        EXPECT_TRUE(FindStandinEvents(events, "released").empty());
    }
    ExpectAllReleased("PowerPoint in use");
}

} // namespace
