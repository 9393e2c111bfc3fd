// The extension rule, on ANSI (GBK) paths. The characters 圖孫機腦 are 88 44, 8C 4F, 99 43,
// C4 58: their second bytes are the letters D, O, C and X, which must not be lowered; 報 is
// 88 F3, a second byte that is itself a lead-byte value.

#include <string>

#include <gtest/gtest.h>

#include "convert/source_extension.h"

namespace {

TEST(SourceExtension, LastDotOfTheWholePathLoweredCharacterByCharacter) {
    struct Case {
        std::string path;
        std::string extension;
    };
    const Case cases[] = {
        {"D:\\docs\\REPORT.DOCX", "docx"},
        {"D:\\docs\\plan.Xls", "xls"},
        {"D:\\docs\\readme", "d:\\docs\\readme"},
        {"D:\\docs\\report.", ""},
        {"D:\\old.files\\readme", "files\\readme"},
        {"D:\\a.b\\c.PPT", "ppt"},
        // Second bytes that are capital letters stay as they are, in the extension and in a
        // path without ".".
        {"D:\\資料\\年報.圖孫機腦", "圖孫機腦"},
        {"D:\\圖孫機腦\\README", "d:\\圖孫機腦\\readme"},
        {"D:\\圖孫機腦.DOCX", "docx"},
        {"D:\\x.報X", "報x"},
        // A lead byte takes the byte after it as its pair even when that byte is "."; one at
        // the very end stands alone.
        {"D:\\x\x81"
         ".DOC",
         "d:\\x\x81"
         ".doc"},
        {"D:\\x.DOC\x81", "doc\x81"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.extension, convert::SourceExtension(c.path)) << c.path;
}

} // namespace
