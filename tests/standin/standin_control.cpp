#include "standin_control.h"

#include <tlhelp32.h>

#include <cstdlib>

namespace {

// The build folder is a Unix path; Wine shows the root of the Unix file system as Z:.
std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (!path.empty() && path[0] == '\\')
        path = "Z:" + path;
    return path;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool StartsWith(const std::string& text, const char* prefix, std::string* rest) {
    size_t length = std::char_traits<char>::length(prefix);
    if (text.compare(0, length, prefix) != 0)
        return false;
    *rest = text.substr(length);
    return true;
}

bool RunServer(const char* verb, const char* progId) {
    std::string app = progId;
    size_t dot = app.find('.');
    if (dot != std::string::npos)
        app = app.substr(0, dot);
    std::string command = "\"" + StandinExePath() + "\" " + verb + " " + app;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    DWORD exitCode = 1;
    bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && exitCode == 0;
}

} // namespace

std::string StandinDirectory() {
    return WindowsPath(STANDIN_BINARY_DIR);
}
std::string StandinExePath() {
    return StandinDirectory() + "\\office_standin.exe";
}
std::string StandinLogPath() {
    return StandinDirectory() + "\\standin.log";
}
std::string StandinScenarioPath() {
    return StandinDirectory() + "\\standin-scenario.txt";
}

void ResetStandin(const std::string& scenario) {
    WriteWholeFile(StandinScenarioPath(), scenario);
    WriteWholeFile(StandinLogPath(), std::string());
}

std::vector<std::string> ReadStandinLog() {
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(StandinLogPath());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

StandinEvent ParseStandinLine(const std::string& line) {
    StandinEvent e;
    e.line = line;
    std::vector<std::string> fields = SplitTabs(line);
    e.pid = static_cast<DWORD>(std::strtoul(fields[0].c_str(), nullptr, 10));
    if (fields.size() < 2)
        return e;
    e.event = fields[1];
    auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    if (e.event == "busy") {
        e.serial = std::atoi(field(2).c_str());
        return e;
    }
    if (e.event == "released")
        return e;
    e.object = field(2);
    if (e.event == "start" || e.event == "exit" || e.event == "idle")
        return e;
    e.serial = std::atoi(field(3).c_str());
    e.member = field(4);
    for (size_t i = 5; i < fields.size(); ++i) {
        std::string rest;
        if (StartsWith(fields[i], "dispid=", &rest)) {
            e.dispid = std::strtol(rest.c_str(), nullptr, 10);
        } else if (StartsWith(fields[i], "flags=", &rest)) {
            e.flags = static_cast<unsigned>(std::strtoul(rest.c_str(), nullptr, 10));
        } else if (StartsWith(fields[i], "cargs=", &rest)) {
            e.cargs = static_cast<unsigned>(std::strtoul(rest.c_str(), nullptr, 10));
        } else if (StartsWith(fields[i], "hr=", &rest)) {
            e.hr = static_cast<HRESULT>(std::strtoul(rest.c_str(), nullptr, 16));
        } else if (StartsWith(fields[i], "named=", &rest)) {
            size_t start = 0;
            while (start < rest.size()) {
                size_t comma = rest.find(',', start);
                if (comma == std::string::npos)
                    comma = rest.size();
                e.named.push_back(
                    std::strtol(rest.substr(start, comma - start).c_str(), nullptr, 10));
                start = comma + 1;
            }
        } else if (StartsWith(fields[i], "arg=", &rest)) {
            size_t space = rest.find(' ');
            StandinArgument argument;
            argument.type = rest.substr(0, space);
            if (space != std::string::npos)
                argument.value = rest.substr(space + 1);
            e.args.push_back(argument);
        }
    }
    return e;
}

std::vector<StandinEvent> ReadStandinEvents() {
    std::vector<StandinEvent> events;
    for (const std::string& line : ReadStandinLog())
        events.push_back(ParseStandinLine(line));
    return events;
}

std::vector<StandinEvent> FindStandinEvents(const std::vector<StandinEvent>& events,
                                            const std::string& event, const std::string& object,
                                            const std::string& member) {
    std::vector<StandinEvent> found;
    for (const StandinEvent& e : events)
        if (e.event == event && (object.empty() || e.object == object) &&
            (member.empty() || e.member == member))
            found.push_back(e);
    return found;
}

std::vector<DWORD> StandinProcessIds() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "office_standin.exe") == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

bool WaitForStandinExit(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!StandinProcessIds().empty()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

bool RegisterStandinClass(const char* progId) {
    return RunServer("/RegServer", progId);
}
bool UnregisterStandinClass(const char* progId) {
    return RunServer("/UnregServer", progId);
}
