#pragma once

// The drivers of Word, Excel and PowerPoint: each converts one document to PDF through the
// application's automation server, creating the application object, opening the document,
// saving it as PDF, closing it and quitting the application, all within the call.

#include <string>

namespace convert {

// Each takes the caller's own path variables, which go to the application by reference, and
// returns true only when the application's save succeeded and a PDF was written at output
// during the call. Every automation reference is released before the call returns.
bool ConvertWithWord(std::string& source, std::string& output);
bool ConvertWithExcel(std::string& source, std::string& output);
bool ConvertWithPowerPoint(std::string& source, std::string& output);

} // namespace convert
