// The main of every test program. The product's texts are GBK bytes, so a run under any other
// ANSI code page would test something else: such a run is refused before any test starts.

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (GetACP() != 936) {
        std::fprintf(stderr,
                     "The ANSI code page is %u, not 936 (GBK). Run the tests with "
                     "LANG=zh_CN.UTF-8 under Wine (tools/test.sh does this).\n",
                     GetACP());
        return 2;
    }
    // As the program does at start: one single-threaded apartment with OLE for the thread.
    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "OleInitialize failed\n");
        return 2;
    }
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
