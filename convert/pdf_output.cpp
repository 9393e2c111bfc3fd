#include "convert/pdf_output.h"

#include <cstring>

#include "base/owners.h"

namespace convert {

namespace {

bool FileState(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool BeginsWithPdfHeader(const std::string& path) {
    base::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    static const char kHeader[] = "%PDF-";
    char head[sizeof kHeader - 1] = {};
    DWORD read = 0;
    return ReadFile(file.get(), head, sizeof head, &read, nullptr) && read == sizeof head &&
           std::memcmp(head, kHeader, sizeof head) == 0;
}

} // namespace

OutputSnapshot SnapshotOutput(const std::string& path) {
    OutputSnapshot snapshot;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (FileState(path, data)) {
        snapshot.existed = true;
        snapshot.lastWrite = data.ftLastWriteTime;
    }
    return snapshot;
}

// A file counts as written by this conversion when it was not there before, or when its
// last-write time is no longer the one it had before. The clock is deliberately not compared:
// FAT keeps write times in steps of two seconds, so "not older than the start" would need a
// tolerance that lets a PDF left from a conversion a moment earlier pass as new. Comparing with
// the file's own earlier time needs no tolerance; its one blind spot, a rewrite on FAT within
// the same two-second step as the earlier write, reports a failure rather than a stale file as
// a success.
bool IsNewPdf(const OutputSnapshot& before, const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileState(path, data))
        return false;
    if (before.existed && CompareFileTime(&before.lastWrite, &data.ftLastWriteTime) == 0)
        return false;
    return BeginsWithPdfHeader(path);
}

} // namespace convert
