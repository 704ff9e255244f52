#pragma once
// Whole-file reads and atomic whole-file writes.
#include <string>
#include <string_view>

namespace zarnhost {

struct FileError {
    std::wstring message;
};

std::string ReadWholeFile(const std::wstring& path); // throws FileError

// Writes a temporary file in the target's folder, flushes it and moves it
// over the target in one step: readers see the old file or the new one,
// never a part. Throws FileError.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Creates the folders above path that do not exist yet.
void EnsureParentFolder(const std::wstring& path);

} // namespace zarnhost
