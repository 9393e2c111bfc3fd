// The shipped executable, started as a user starts it and driven with real mouse and keyboard
// input: closing, moving and minimising the window, and the process's exit code.

#include "input.h"

#include <base/owners.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::LeftButton;
using testsupport::MoveCursorTo;

// The executable sits two folders above this test program in the build tree.
std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    for (int i = 0; i < 3; ++i)
        p.resize(p.rfind('\\'));
    return p + "\\quorvelword.exe";
}

struct FindArgs {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
    auto* args = reinterpret_cast<FindArgs*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (pid == args->processId && std::string(name) == "QuorvelMainWindow") {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}

class Program : public testing::Test {
  protected:
    void SetUp() override {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        std::string command = "\"" + ProgramPath() + "\"";
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &info))
            << command;
        process_.reset(info.hProcess);
        base::UniqueHandle thread(info.hThread);
        WaitForInputIdle(process_.get(), 10000);
        for (int i = 0; i < 100 && window_ == nullptr; ++i) {
            FindArgs args{info.dwProcessId, nullptr};
            EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&args));
            window_ = args.found;
            if (window_ == nullptr)
                Sleep(100);
        }
        ASSERT_NE(window_, nullptr);
        SetForegroundWindow(window_);
        Sleep(300);
    }
    void TearDown() override {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0)
                TerminateProcess(process_.get(), 1);
        }
    }

    RECT WindowRect() const {
        RECT r{};
        GetWindowRect(window_, &r);
        return r;
    }
    POINT AtClient(int x, int y) const {
        const RECT r = WindowRect();
        return {r.left + x, r.top + y};
    }
    void Click(int x, int y) const {
        const POINT p = AtClient(x, y);
        testsupport::ClickAt(p.x, p.y);
    }
    // The exit code once the process has ended, or -2 when it is still running after the wait.
    int ExitCode(DWORD waitMs) const {
        if (WaitForSingleObject(process_.get(), waitMs) != WAIT_OBJECT_0)
            return -2;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return static_cast<int>(code);
    }

    base::UniqueHandle process_;
    HWND window_ = nullptr;
};

TEST_F(Program, CloseButtonEndsTheProcessWithExitCodeZero) {
    Click(733, 14);
    EXPECT_EQ(ExitCode(10000), 0);
}

TEST_F(Program, EscClosesFromTheListButNotWithShift) {
    Click(300, 250); // gives the list the focus
    Sleep(300);
    testsupport::PressKey(VK_ESCAPE, true);
    EXPECT_EQ(ExitCode(1000), -2) << "Shift+Esc must not close the program";
    testsupport::PressKey(VK_ESCAPE);
    EXPECT_EQ(ExitCode(10000), 0);
}

struct PressCase {
    const char* where;
    int x, y;
    bool moves;
};

// Presses the left button at a point of the window, drags by (60, 40) and releases.
TEST_F(Program, PressesOnTheWindowAndItsLabelsMoveItOthersDoNot) {
    const PressCase cases[] = {
        {"title band", 300, 40, true},
        {"save-location label", 30, 380, true},
        {"hint above the list", 60, 108, true},
        {"bare background", 400, 385, true},
        {"remove-selected button", 500, 108, false},
        {"radio button", 100, 407, false},
        {"check box", 680, 381, false},
        {"frame around the folder box", 189, 433, false},
        {"folder box", 300, 433, false},
        {"list", 300, 250, false},
        {"minimise button", 704, 10, false},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.where);
        if (IsIconic(window_)) {
            ShowWindow(window_, SW_RESTORE);
            Sleep(300);
        }
        const RECT before = WindowRect();
        const POINT p = AtClient(c.x, c.y);
        MoveCursorTo(p.x, p.y);
        Sleep(100);
        LeftButton(true);
        Sleep(100);
        for (int step = 1; step <= 4; ++step) {
            MoveCursorTo(p.x + 15 * step, p.y + 10 * step);
            Sleep(60);
        }
        LeftButton(false);
        Sleep(300);
        const RECT after = WindowRect();
        if (c.moves) {
            EXPECT_EQ(after.left - before.left, 60);
            EXPECT_EQ(after.top - before.top, 40);
        } else {
            EXPECT_EQ(after.left, before.left);
            EXPECT_EQ(after.top, before.top);
        }
        EXPECT_EQ(after.right - after.left, 747);
        EXPECT_EQ(after.bottom - after.top, 455);
    }
    EXPECT_EQ(ExitCode(0), -2);
}

TEST_F(Program, MinimiseButtonMinimisesAndRestoreShowsTheWindowUnchanged) {
    const RECT before = WindowRect();
    Click(704, 12);
    Sleep(500);
    EXPECT_TRUE(IsIconic(window_));
    EXPECT_EQ(ExitCode(0), -2);
    ShowWindow(window_, SW_RESTORE);
    Sleep(500);
    EXPECT_FALSE(IsIconic(window_));
    const RECT after = WindowRect();
    EXPECT_TRUE(EqualRect(&before, &after));
}

} // namespace
