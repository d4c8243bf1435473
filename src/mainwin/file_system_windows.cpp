// The defaults store's file operations on Windows: wide-character paths, a temporary file made
// with CREATE_NEW (never an existing one, never through a link), and MoveFileExW with
// MOVEFILE_REPLACE_EXISTING, since rename() there fails when the target exists.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <random>

#include "mainwin/file_system.h"

namespace qlx::files {

namespace fs = std::filesystem;

ReadStatus ReadRegularFile(const fs::path& path, std::size_t max_bytes, std::string& out) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (!fs::exists(st)) return ReadStatus::Missing;
    const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ReadStatus::Unreadable;
    if (::GetFileType(h) != FILE_TYPE_DISK) {  // a pipe or a device
        ::CloseHandle(h);
        return ReadStatus::Unreadable;
    }
    out.clear();
    char buf[64 * 1024];
    while (out.size() < max_bytes) {
        DWORD n = 0;
        if (!::ReadFile(h, buf, sizeof buf, &n, nullptr)) {
            ::CloseHandle(h);
            return ReadStatus::Unreadable;
        }
        if (n == 0) break;
        out.append(buf, n);
    }
    ::CloseHandle(h);
    return ReadStatus::Ok;
}

bool FolderWritable(const fs::path& folder) {
    // A probe made and deleted at once: Windows' folder permissions say nothing simpler.
    const fs::path probe = folder / L".qlx-write-probe";
    const HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

bool FileWritable(const fs::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool WriteFileAtomically(const fs::path& target, std::string_view content) {
    static const wchar_t kChars[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    HANDLE h = INVALID_HANDLE_VALUE;
    fs::path temp;
    for (int tries = 0; tries < 100 && h == INVALID_HANDLE_VALUE; ++tries) {
        std::wstring suffix = L".";
        for (int k = 0; k < 6; ++k) suffix += kChars[random() % (sizeof kChars / sizeof kChars[0] - 1)];
        temp = target;
        temp += suffix;
        h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (h == INVALID_HANDLE_VALUE) return false;
    const auto give_up = [&] {
        ::CloseHandle(h);
        ::DeleteFileW(temp.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        if (!::WriteFile(h, content.data() + done, want, &n, nullptr) || n == 0) return give_up();
        done += n;
    }
    if (!::FlushFileBuffers(h)) return give_up();
    ::CloseHandle(h);
    if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

fs::path RunningProgramDir() {
    std::wstring name(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0 || n >= name.size()) return {};
    name.resize(n);
    return fs::path(name).parent_path();
}

fs::path UserConfigDir() {
    if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local && *local) return fs::path(local) / "QLX";
    return {};
}

}  // namespace qlx::files
