#pragma once

// The PDF file that the stand-in "saves": one page whose text names the source document.

#include <string>

namespace standin {

// Writes the file; false when it cannot be created (for example, its folder does not exist).
bool WritePdf(const std::wstring& path, const std::string& sourceName);

} // namespace standin
