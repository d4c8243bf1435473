// The few file operations the defaults store needs, behind one seam with a POSIX and a Windows
// implementation (file_system_posix.cpp, file_system_windows.cpp). Each keeps the store's
// promises on its system: a read never blocks on a FIFO or a device and takes only a regular
// file; a write goes to a fresh temporary file beside the target, reaches the disk and replaces
// the target in one step, so that a failed write leaves the old file whole.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qlx::files {

enum class ReadStatus { Ok, Missing, Unreadable };

// Reads at most `max_bytes` of a regular file into `out`. A path that does not exist is Missing;
// one that is no regular file, or cannot be read, Unreadable.
ReadStatus ReadRegularFile(const std::filesystem::path& path, std::size_t max_bytes, std::string& out);

// Whether a new file can be made in the folder, and whether an existing file may be replaced (a
// file without any write permission may not, whoever runs the program).
bool FolderWritable(const std::filesystem::path& folder);
bool FileWritable(const std::filesystem::path& file);

// Writes `content` to `target` through a freshly and exclusively created temporary file in the
// same folder ("<target>.XXXXXX"), flushed to the disk and renamed over the target, replacing it.
// On any failure the target is untouched and the temporary removed.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// The folder of the program running, and the user's configuration folder for QLX (where Qt puts an
// application's configuration: $XDG_CONFIG_HOME/QLX or ~/.config/QLX; %LOCALAPPDATA%\QLX on
// Windows), for a program without Qt; empty when the system does not say.
std::filesystem::path RunningProgramDir();
std::filesystem::path UserConfigDir();

}  // namespace qlx::files
