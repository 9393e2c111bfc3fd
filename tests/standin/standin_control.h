#pragma once

// What a test needs to drive the stand-in automation server (office_standin.exe): where its
// log and scenario file live, preparing a scenario, reading and parsing the log, waiting for
// its processes to end, and switching the registration of one ProgID off and on again.
// The log format and the scenario syntax are described in tests/standin/README.md.

#include <windows.h>

#include <string>
#include <vector>

// One argument as the server received it: the type as written in the log
// ("VT_BSTR", "VT_I4", "VT_VARIANT|VT_BYREF->VT_BSTR", "VT_I4|VT_BYREF", "VT_ERROR" ...) and
// its value ("\"C:\\x.docx\"" with the quotes for strings, "17", "-1", "0x80020004" ...).
struct StandinArgument {
    std::string type;
    std::string value;
};

// One line of the log, split into its fields. Which fields are filled depends on the event:
//   start, exit          object = the application ("Word", "Excel", "PowerPoint")
//   create, destroy      object ("Word.Document"), serial
//   invoke               object, serial, member, dispid, flags, cargs, args, named
//   return               object, serial, member, dispid, hr
//   busy                 serial = the number of the rejected call (1, 2, ...)
//   die                  object, serial, member
//   released             nothing more ("all objects released")
struct StandinEvent {
    DWORD pid = 0;
    std::string event;
    std::string object;
    int serial = 0;
    std::string member;
    long dispid = 0;
    unsigned flags = 0;
    unsigned cargs = 0;
    // In positional order: the first parameter first (rgvarg[cArgs - 1] ... rgvarg[0]).
    std::vector<StandinArgument> args;
    std::vector<long> named;
    HRESULT hr = S_OK;
    std::string line;
};

// The folder of office_standin.exe (a Windows path), and the files kept beside it.
std::string StandinDirectory();
std::string StandinExePath();
std::string StandinLogPath();
std::string StandinScenarioPath();

// Writes the scenario file (one directive per line; empty for plain behaviour) and empties the
// log. Call it before the server starts: the busy count is read when a process starts,
// preopen when a collection is first read, the other directives at every call.
void ResetStandin(const std::string& scenario);

// The lines of the log, without line ends, and the same parsed.
std::vector<std::string> ReadStandinLog();
StandinEvent ParseStandinLine(const std::string& line);
std::vector<StandinEvent> ReadStandinEvents();

// The events of one kind; for "invoke" and "return" also of one object and member
// (an empty object or member matches any).
std::vector<StandinEvent> FindStandinEvents(const std::vector<StandinEvent>& events,
                                            const std::string& event,
                                            const std::string& object = std::string(),
                                            const std::string& member = std::string());

// The process ids of the running office_standin.exe processes.
std::vector<DWORD> StandinProcessIds();

// Waits until no office_standin.exe process runs; false if one still runs after timeoutMs.
bool WaitForStandinExit(DWORD timeoutMs);

// Registers or removes the registration of one ProgID ("Word.Application",
// "Excel.Application", "PowerPoint.Application") by running the server with /RegServer or
// /UnregServer and the application's name; true when that run succeeded.
bool RegisterStandinClass(const char* progId);
bool UnregisterStandinClass(const char* progId);
