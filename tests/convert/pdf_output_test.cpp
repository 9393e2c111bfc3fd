// The test that a conversion wrote its PDF: a file at the output path that was not there, or
// has been rewritten, since the snapshot, and begins with "%PDF-".

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "test_files.h"

#include "convert/pdf_output.h"

namespace {

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

TEST(PdfOutput, OnlyAFileWrittenSinceTheSnapshotThatBeginsWithThePdfHeader) {
    const std::string path = TempPath("pdf output test.pdf");
    DeleteFileA(path.c_str());
    RemoveDirectoryA(path.c_str());

    convert::OutputSnapshot before = convert::SnapshotOutput(path);
    EXPECT_FALSE(convert::IsNewPdf(before, path)) << "nothing written";
    ASSERT_TRUE(testsupport::WriteFileText(path, "%PDF"));
    EXPECT_FALSE(convert::IsNewPdf(before, path)) << "shorter than the header";
    ASSERT_TRUE(testsupport::WriteFileText(path, "<html>not a PDF</html>"));
    EXPECT_FALSE(convert::IsNewPdf(before, path)) << "not a PDF";
    ASSERT_TRUE(testsupport::WriteFileText(path, "%PDF-1.4\n"));
    EXPECT_TRUE(convert::IsNewPdf(before, path)) << "a new PDF";

    // The same PDF seen from a later snapshot is one this conversion did not write.
    before = convert::SnapshotOutput(path);
    EXPECT_FALSE(convert::IsNewPdf(before, path)) << "a PDF from before";
    DeleteFileA(path.c_str());

    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_FALSE(convert::IsNewPdf(convert::OutputSnapshot(), path)) << "a folder";
    RemoveDirectoryA(path.c_str());
}

} // namespace
