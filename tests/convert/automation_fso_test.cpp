// The automation layer against an automation server written by others: Wine's
// Scripting.FileSystemObject, an in-process server with a real type library.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "convert/automation.h"

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

} // namespace
