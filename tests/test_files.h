#pragma once

#include <string>

namespace testsupport {

// Creates or replaces the file with exactly this text; false when it cannot be written.
bool WriteFileText(const std::string& path, const std::string& text);

} // namespace testsupport
