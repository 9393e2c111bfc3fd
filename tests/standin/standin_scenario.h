#pragma once

// The scenario file standin-scenario.txt beside the executable: what a test asks the server to
// do differently. One directive a line ("fail Word.Document.SaveAs", "busy 3", ...); the
// syntax is in README.md. It is read again at every call, so a test can change it between
// calls; "busy" and "preopen" count from the start of a process.

#include <string>
#include <vector>

namespace standin {

struct Directive {
    std::string verb;
    std::string argument;
};

std::vector<Directive> ReadScenario();

// True when the scenario has the directive `verb argument` (the argument compared exactly).
bool ScenarioHas(const std::string& verb, const std::string& argument);

// The arguments of every directive with this verb, in file order.
std::vector<std::string> ScenarioArguments(const std::string& verb);

} // namespace standin
