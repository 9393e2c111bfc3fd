#pragma once

// One document to one PDF file, through the Office application that its extension names.

#include <string>

namespace convert {

// Picks the driver by the extension of source ("doc", "docx": Word; "xls", "xlsx": Excel;
// "ppt", "pptx": PowerPoint) and returns its result; any other extension gives false without
// starting anything. Both paths are the caller's own variables and are left as they are.
bool ConvertDocument(std::string& source, std::string& output);

} // namespace convert
