#pragma once

// The extension that picks the Office application for a source document.

#include <string>

namespace convert {

// The bytes after the last "." of the whole path (folders included), with the ASCII letters
// A to Z lowered. Double-byte characters of the ANSI code page are stepped over as pairs, so
// their second bytes are neither taken for a "." nor lowered. A path without "." gives the
// whole path lowered; a path that ends with "." gives the empty text.
std::string SourceExtension(const std::string& path);

} // namespace convert
