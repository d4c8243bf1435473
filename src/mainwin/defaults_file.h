// TL.DEF: the 17-line file of defaults and window positions kept beside the program.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlx {

inline constexpr std::size_t kDefaultsLineCount = 17;
inline constexpr std::string_view kDefaultsFileName = "TL.DEF";

// The file written on the first start, line by line.
const std::array<std::string_view, kDefaultsLineCount>& DefaultDefaultsLines();

// Lines 8 to 12: where a first start puts the main, graph, tuner and two result windows.
inline constexpr std::size_t kMainGeometryLine = 8, kGraphGeometryLine = 9, kTunerGeometryLine = 10,
                             kTuner1GeometryLine = 11, kTuner2GeometryLine = 12;
// The ",height,width" part those windows always store (only the graph window stores its own).
std::string_view DefaultSizeText(std::size_t line);

// Reading is capped, so that a damaged or hostile file can neither exhaust memory nor stall
// start-up: at most 17 lines are taken, each cut at kMaxLineLength characters (a damaged line
// damages only itself), and no more than kMaxReadBytes are looked at.
inline constexpr std::size_t kMaxLineLength = 1024;
inline constexpr std::size_t kMaxReadBytes = 16 * 1024 * 1024;

// Splits file content into lines. A line ends with CR LF, LF or a lone CR (an old Mac editor's);
// CRs doubled before an LF (CR CR LF) end one line. A UTF-8 byte-order mark at the start is
// skipped; a last line without its end counts.
// At most `max_lines` lines are taken, each cut at `max_line_length` characters.
std::vector<std::string> SplitDefaultsText(std::string_view text, std::size_t max_lines = kDefaultsLineCount,
                                           std::size_t max_line_length = kMaxLineLength);
// Joins lines with CR LF after each, as the file is written. A control character never goes
// into a line: it would break the file's line structure (a tab may stay in a file of columns).
std::string JoinDefaultsLines(const std::vector<std::string>& lines, bool keep_tabs = false);

// A window position "left;top:height,width" in twips, split at its first ";", ":" and ",".
struct GeometryTexts {
    std::string left, top, height, width;
};
std::optional<GeometryTexts> ParseGeometry(std::string_view line);

// A coordinate text as a number: blanks around it are ignored, a decimal comma is accepted,
// anything else that is not wholly a finite number gives nothing.
std::optional<float> GeometryNumber(std::string_view text);

struct Geometry {
    float left, top, height, width;
};
// All four numbers, or nothing when the line lacks a separator or holds a non-number.
std::optional<Geometry> ReadGeometry(std::string_view line);

// "left;top:height,width" with each number as the shortest text of its single value.
std::string GeometryLine(float left, float top, float height, float width);

// A number line of the user-defined line record and the list position: the shortest text in
// the user's notation with a blank before a non-negative value and a blank after (" 449.9 ").
std::string RecordNumberText(float value, char mark);

// Where TL.DEF is kept. Reading reports a missing file apart from one that cannot be read.
class DefaultsStore {
public:
    enum class Status { Ok, Missing, Unreadable };
    struct ReadResult {
        Status status = Status::Missing;
        std::vector<std::string> lines;
    };
    virtual ~DefaultsStore() = default;
    virtual ReadResult Read() = 0;
    // How much of the file a read takes: TL.DEF's 17 lines by default; a list of cables more.
    std::size_t max_lines = kDefaultsLineCount;
    std::size_t max_line_length = kMaxLineLength;
    bool keep_tabs = false;  // a file of tab-separated columns
    // Replaces the whole file; false when it could not be written (the old file then stays).
    virtual bool Write(const std::vector<std::string>& lines) = 0;
};

// The file in memory, for tests and for qlx-cli, which never touches the user's file. Like the
// file on disk, an unreadable one is never written over.
class MemoryDefaultsStore : public DefaultsStore {
public:
    MemoryDefaultsStore() = default;
    explicit MemoryDefaultsStore(std::string text) : content(std::move(text)) {}
    ReadResult Read() override;
    bool Write(const std::vector<std::string>& lines) override;

    std::optional<std::string> content;  // the file's bytes; nothing when it does not exist
    bool unreadable = false;
    bool fail_writes = false;
    int writes = 0;
};

// A file kept beside TL.DEF under the same rules (the user's own cables), by its name.
// TL.DEF in the program directory; where that directory cannot be written, in the user's
// configuration directory (a copy left in the program directory is then read until the first
// write). Every write goes to a temporary file beside the target and is renamed over it, so
// a failed write leaves the old file whole; a file that exists but cannot be read (no
// permission, an I/O error, not a regular file) is never written over.
class FileDefaultsStore : public DefaultsStore {
public:
    FileDefaultsStore(std::filesystem::path program_dir, std::filesystem::path config_dir,
                      std::string file_name = std::string(kDefaultsFileName));
    ReadResult Read() override;
    bool Write(const std::vector<std::string>& lines) override;
    // The file that reads and writes go to.
    std::filesystem::path Path() const;

private:
    bool ProgramDirWritable() const;
    std::filesystem::path program_dir_;
    std::filesystem::path config_dir_;
    std::string file_name_;
};

// Writes `content` to `target` through a freshly and exclusively created temporary file in the
// same directory (it never follows a link, never opens a FIFO, never meets a stale file), flushed
// to the disk and renamed over the target. On any failure the target is untouched.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace qlx
