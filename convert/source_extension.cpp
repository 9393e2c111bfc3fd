#include "convert/source_extension.h"

#include <windows.h>

namespace convert {

namespace {

// The length of the character that starts at index: 2 for the lead byte of a double-byte
// character with its second byte present, else 1.
size_t CharacterLength(const std::string& text, size_t index) {
    if (IsDBCSLeadByte(static_cast<BYTE>(text[index])) && index + 1 < text.size())
        return 2;
    return 1;
}

} // namespace

std::string SourceExtension(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharacterLength(path, i)) {
        if (path[i] == '.')
            start = i + 1;
    }
    std::string extension = path.substr(start);
    for (size_t i = 0; i < extension.size();) {
        size_t length = CharacterLength(extension, i);
        if (length == 1 && extension[i] >= 'A' && extension[i] <= 'Z')
            extension[i] = static_cast<char>(extension[i] - 'A' + 'a');
        i += length;
    }
    return extension;
}

} // namespace convert
