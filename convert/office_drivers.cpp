#include "convert/office_drivers.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

#include "base/variant.h"
#include "convert/automation.h"
#include "convert/pdf_output.h"

namespace convert {

namespace {

// Word's "Close" argument that discards changes instead of asking about them.
constexpr std::int32_t kWordDoNotSaveChanges = 0;

// What sets one application's driver apart from the others.
struct DriverValues {
    const char* progId;
    bool hideApplication;
    const char* collection;
    // "Open" on the collection with the source path and the application's further arguments.
    AutomationVariant (*open)(AutomationObject& collection, std::string& source);
    std::int32_t pdfFormat;
    // "Close" on the document, so that it neither saves nor asks whether to save; true when the
    // call succeeded.
    bool (*close)(AutomationObject& document);
};

AutomationVariant OpenWordDocument(AutomationObject& collection, std::string& source) {
    return collection.CallWithResult("Open", Argument::TextRef(source), false, true);
}
AutomationVariant OpenExcelWorkbook(AutomationObject& collection, std::string& source) {
    return collection.CallWithResult("Open", Argument::TextRef(source));
}
AutomationVariant OpenPresentation(AutomationObject& collection, std::string& source) {
    return collection.CallWithResult("Open", Argument::TextRef(source), -1, 1, 0);
}

bool CloseWordDocument(AutomationObject& document) {
    return document.Call("Close", Argument::Integer(kWordDoNotSaveChanges));
}
bool CloseExcelWorkbook(AutomationObject& document) {
    return document.Call("Close", false);
}
bool ClosePresentation(AutomationObject& document) {
    return document.Call("Close");
}

const DriverValues kWord = {"Word.Application", true, "Documents",
                            OpenWordDocument,   17,   CloseWordDocument};
const DriverValues kExcel = {"Excel.Application", true, "Workbooks",
                             OpenExcelWorkbook,   57,   CloseExcelWorkbook};
const DriverValues kPowerPoint = {"PowerPoint.Application", false, "Presentations",
                                  OpenPresentation,         32,    ClosePresentation};

// The collection's "Count"; false when it cannot be read as a number.
bool ReadCount(AutomationObject& collection, std::int32_t& count) {
    AutomationVariant value = collection.GetProperty("Count");
    if (value.IsEmpty())
        return false;
    base::UniqueVariant number;
    if (FAILED(VariantChangeType(number.ptr(), const_cast<VARIANT*>(&value.Value()), 0, VT_I4)))
        return false;
    count = V_I4(&number.get());
    return true;
}

// Whether "Quit" may be called: only when no document is open in the application apart from
// the one this driver still holds open (ownStillOpen: its "Close" failed). A created application
// object can join an application that is already running with the user's own documents, and
// "Quit" would close them. When the count cannot be read the application is left running: it
// costs a process, while quitting blindly could cost the user unsaved work.
bool MayQuit(AutomationObject& collection, bool ownStillOpen) {
    std::int32_t count = 0;
    if (!ReadCount(collection, count))
        return false;
    return count - (ownStillOpen ? 1 : 0) <= 0;
}

bool RunDriver(const DriverValues& values, std::string& source, std::string& output) {
    const OutputSnapshot before = SnapshotOutput(output);
    AutomationObject application;
    AutomationObject collection;
    AutomationObject document;
    bool saved = false;
    if (CreateApplication(application, values.progId)) {
        if (values.hideApplication)
            application.PutProperty("Visible", false);
        AutomationVariant value = application.GetProperty(values.collection);
        collection = value.ToObject();
        value.Clear();
        value = values.open(collection, source);
        document = value.ToObject();
        value.Clear();
        bool ownStillOpen = false;
        if (!document.IsEmpty()) {
            saved = document.Call("SaveAs", Argument::TextRef(output), values.pdfFormat, 0);
            ownStillOpen = !values.close(document);
        }
        if (MayQuit(collection, ownStillOpen))
            application.Call("Quit");
    }
    application.Clear();
    collection.Clear();
    document.Clear();
    // Looked at once the application has let go of the file.
    return saved && IsNewPdf(before, output);
}

} // namespace

bool ConvertWithWord(std::string& source, std::string& output) {
    return RunDriver(kWord, source, output);
}

bool ConvertWithExcel(std::string& source, std::string& output) {
    return RunDriver(kExcel, source, output);
}

bool ConvertWithPowerPoint(std::string& source, std::string& output) {
    return RunDriver(kPowerPoint, source, output);
}

} // namespace convert
