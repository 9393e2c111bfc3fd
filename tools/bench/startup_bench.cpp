// Start-up benchmark: starts a program several times and measures, for each run, the time from
// process creation until its window is visible and the process is idle for input, then its
// working set and its GDI and USER object counts; prints the medians for the program and for
// the floor program side by side, with their ratios.
//
//   startup_bench.exe RUNS PROGRAM FLOOR

#include <base/owners.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    double workingSetKib = 0;
    double gdiObjects = 0;
    double userObjects = 0;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool Measure(const std::string& program, Run& run) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = "\"" + program + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    base::UniqueHandle process(info.hProcess);
    base::UniqueHandle thread(info.hThread);
    Search search{info.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && search.found == nullptr; ++i) {
        WaitForInputIdle(process.get(), 10000);
        EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(1);
    }
    WaitForInputIdle(process.get(), 10000);
    QueryPerformanceCounter(&end);
    if (search.found == nullptr) {
        TerminateProcess(process.get(), 1);
        return false;
    }
    run.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                       static_cast<double>(frequency.QuadPart);
    Sleep(500); // let the first paint finish before counting objects
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process.get(), &memory, sizeof(memory));
    run.workingSetKib = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    run.gdiObjects = GetGuiResources(process.get(), GR_GDIOBJECTS);
    run.userObjects = GetGuiResources(process.get(), GR_USEROBJECTS);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    return true;
}

double Median(std::vector<Run>& runs, double Run::*field) {
    std::vector<double> values;
    for (const Run& r : runs)
        values.push_back(r.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM FLOOR\n");
        return 2;
    }
    const int count = std::max(1, std::atoi(argv[1]));
    std::vector<Run> program, floor;
    for (int i = 0; i < count; ++i) {
        Run a, b;
        if (!Measure(argv[2], a) || !Measure(argv[3], b)) {
            std::fprintf(stderr, "a run failed to show its window\n");
            return 1;
        }
        program.push_back(a);
        floor.push_back(b);
    }
    struct Row {
        const char* name;
        double Run::*field;
    };
    const Row rows[] = {{"start until idle (ms)", &Run::milliseconds},
                        {"working set (KiB)", &Run::workingSetKib},
                        {"GDI objects", &Run::gdiObjects},
                        {"USER objects", &Run::userObjects}};
    std::printf("medians of %d runs      program      floor    ratio\n", count);
    for (const Row& row : rows) {
        const double p = Median(program, row.field);
        const double f = Median(floor, row.field);
        if (p == 0 && f == 0)
            std::printf("%-22s %10s %10s %8s  (GetGuiResources counts nothing here)\n", row.name,
                        "n/a", "n/a", "-");
        else
            std::printf("%-22s %10.1f %10.1f %8.2f\n", row.name, p, f, f > 0 ? p / f : 0.0);
    }
    return 0;
}
