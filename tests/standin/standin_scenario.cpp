#include "standin_scenario.h"

#include "standin_log.h"

#include <windows.h>

namespace standin {

std::vector<Directive> ReadScenario() {
    std::vector<Directive> result;
    std::wstring path = ModuleFolder() + L"standin-scenario.txt";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return result;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);

    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        line = line.substr(first);
        size_t space = line.find_first_of(" \t");
        Directive directive;
        directive.verb = line.substr(0, space);
        if (space != std::string::npos) {
            size_t argument = line.find_first_not_of(" \t", space);
            if (argument != std::string::npos)
                directive.argument = line.substr(argument);
        }
        result.push_back(directive);
    }
    return result;
}

bool ScenarioHas(const std::string& verb, const std::string& argument) {
    for (const Directive& d : ReadScenario())
        if (d.verb == verb && d.argument == argument)
            return true;
    return false;
}

std::vector<std::string> ScenarioArguments(const std::string& verb) {
    std::vector<std::string> result;
    for (const Directive& d : ReadScenario())
        if (d.verb == verb)
            result.push_back(d.argument);
    return result;
}

} // namespace standin
