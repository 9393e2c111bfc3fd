#pragma once

// Whether a conversion wrote its PDF: the state of the output path before the conversion, and
// the test afterwards.

#include <windows.h>

#include <string>

namespace convert {

// What was at the output path before the conversion began.
struct OutputSnapshot {
    bool existed = false;
    FILETIME lastWrite{};
};

OutputSnapshot SnapshotOutput(const std::string& path);

// True when a file (not a folder) is at path, was written after the snapshot was taken, and
// begins with "%PDF-".
bool IsNewPdf(const OutputSnapshot& before, const std::string& path);

} // namespace convert
