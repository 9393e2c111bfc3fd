#pragma once

#include <string>

namespace app {

// The file-system path of a shell folder given by its CSIDL value; empty when the shell has no
// path for it.
std::string GetSpecialFolderPath(int csidl);

} // namespace app
