// The defaults store's file operations on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "mainwin/file_system.h"

namespace qlx::files {

namespace fs = std::filesystem;

ReadStatus ReadRegularFile(const fs::path& path, std::size_t max_bytes, std::string& out) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (!fs::exists(st)) return ReadStatus::Missing;
    // Opened without blocking (a FIFO in its place would hang the start), then checked to be a
    // regular file on the descriptor itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ReadStatus::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadStatus::Unreadable;
    }
    out.clear();
    char buf[64 * 1024];
    while (out.size() < max_bytes) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {  // an I/O error: the file exists but cannot be read
            ::close(fd);
            return ReadStatus::Unreadable;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadStatus::Ok;
}

bool FolderWritable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

bool FileWritable(const fs::path& file) {
    std::error_code ec;
    const fs::perms perms = fs::status(file, ec).permissions();
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    // (No write bit at all counts as read-only for root too, whom access() would let write.)
    return !ec && (perms & write) != fs::perms::none && ::access(file.c_str(), W_OK) == 0;
}

bool WriteFileAtomically(const fs::path& target, std::string_view content) {
    std::string name = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(name.data());  // O_CREAT | O_EXCL: a new file of our own
    if (fd < 0) return false;
    const auto give_up = [&] {
        ::close(fd);
        ::unlink(name.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return give_up();  // a full disk, a file size limit, an I/O error
        done += static_cast<std::size_t>(n);
    }
    // The file keeps the mode an ordinary new file gets (mkstemp makes it private).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0 || ::fsync(fd) != 0) return give_up();
    if (::close(fd) != 0) {
        ::unlink(name.c_str());
        return false;
    }
    if (::rename(name.c_str(), target.c_str()) != 0) {
        ::unlink(name.c_str());
        return false;
    }
    return true;
}

fs::path RunningProgramDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

fs::path UserConfigDir() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return fs::path(xdg) / "QLX";
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config" / "QLX";
    return {};
}

}  // namespace qlx::files
