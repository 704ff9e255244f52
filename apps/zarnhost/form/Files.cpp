#include "form/Files.h"

#include <windows.h>

#include <memory>

namespace zarnhost {

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

UniqueFile OpenFile(const std::wstring& path, DWORD access, DWORD disposition) {
    const HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

std::wstring Failure(const wchar_t* what, const std::wstring& path) {
    return std::wstring(what) + L" " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH * 4)
        throw FileError{Failure(L"cannot resolve", path)};
    return buffer;
}

std::wstring FolderOf(const std::wstring& full) {
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : full.substr(0, slash);
}

void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            throw FileError{Failure(L"cannot write", path)};
        bytes.remove_prefix(written);
    }
    if (!FlushFileBuffers(file))
        throw FileError{Failure(L"cannot flush", path)};
}

} // namespace

std::string ReadWholeFile(const std::wstring& path) {
    const UniqueFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file)
        throw FileError{Failure(L"cannot open", path)};
    std::string bytes;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::wstring full = FullPath(path);
    wchar_t temp[MAX_PATH * 4];
    if (!GetTempFileNameW(FolderOf(full).c_str(), L"zfm", 0, temp))
        throw FileError{Failure(L"cannot create a temporary file beside", path)};
    try {
        {
            const UniqueFile file = OpenFile(temp, GENERIC_WRITE, CREATE_ALWAYS);
            if (!file)
                throw FileError{Failure(L"cannot open", temp)};
            WriteAll(file.get(), bytes, temp);
        }
        if (!MoveFileExW(temp, full.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw FileError{Failure(L"cannot replace", path)};
    } catch (...) {
        DeleteFileW(temp);
        throw;
    }
}

void EnsureParentFolder(const std::wstring& path) {
    const std::wstring folder = FolderOf(FullPath(path));
    if (folder.size() <= 3 || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    EnsureParentFolder(folder);
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw FileError{Failure(L"cannot create the folder", folder)};
}

} // namespace zarnhost
