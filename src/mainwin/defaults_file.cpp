#include "mainwin/defaults_file.h"

#include <cmath>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "core/format.h"
#include "core/line_solution.h"
#include "core/number_text.h"
#include "core/numbers.h"
#include "mainwin/file_system.h"

namespace qlx {

namespace fs = std::filesystem;

const std::array<std::string_view, kDefaultsLineCount>& DefaultDefaultsLines() {
    static constexpr std::array<std::string_view, kDefaultsLineCount> kLines{
        "F",       "449.9",  "-0.96",
        "0.045",   ".91",    "10000",
        "3.5",     "-15;0:6456,8484",  "6825;-15:6468,8484",
        "6345;540:6444,8460", "-75;4560:6444,8460", "6945;4635:6456,8460",
        kFirstLengthText, kFirstCableText, kFirstFreqText,
        "50.000",  "0.000",
    };
    return kLines;
}

std::string_view DefaultSizeText(std::size_t line) {
    const std::string_view text = DefaultDefaultsLines()[line - 1];
    return text.substr(text.find(':'));
}

std::vector<std::string> SplitDefaultsText(std::string_view text, std::size_t max_lines,
                                           std::size_t max_line_length) {
    if (text.size() > kMaxReadBytes) text = text.substr(0, kMaxReadBytes);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    const auto end_line = [&] {
        lines.push_back(std::move(line));
        line.clear();
    };
    while (i < text.size() && lines.size() < max_lines) {
        const char c = text[i];
        if (c == '\n') {
            end_line();
            ++i;
        } else if (c == '\r') {
            std::size_t crs = 0;
            while (i < text.size() && text[i] == '\r') ++crs, ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
                end_line();
            } else {
                for (std::size_t k = 0; k < crs && lines.size() < max_lines; ++k) end_line();
            }
        } else {
            if (line.size() < max_line_length) line += c;
            ++i;
        }
    }
    if (!line.empty() && lines.size() < max_lines) end_line();
    return lines;
}

std::string JoinDefaultsLines(const std::vector<std::string>& lines, bool keep_tabs) {
    std::string out;
    for (const std::string& l : lines) {
        for (const char c : l)
            if (!IsControl(c) || (keep_tabs && c == '\t')) out += c;
        out += "\r\n";
    }
    return out;
}

std::optional<GeometryTexts> ParseGeometry(std::string_view s) {
    const std::size_t a = s.find(';');
    const std::size_t b = s.find(':');
    const std::size_t c = s.find(',');
    if (a == std::string_view::npos || b == std::string_view::npos || c == std::string_view::npos ||
        !(a < b && b < c))
        return std::nullopt;
    return GeometryTexts{std::string(s.substr(0, a)), std::string(s.substr(a + 1, b - a - 1)),
                         std::string(s.substr(b + 1, c - b - 1)), std::string(s.substr(c + 1))};
}

std::optional<float> GeometryNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 64) return std::nullopt;
    std::string t(text);
    if (t.front() == '+') t.erase(0, 1);
    if (const std::size_t comma = t.find(','); comma != std::string::npos) t[comma] = '.';
    float value = 0;
    if (!ReadWholeNumber(t, value).ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<Geometry> ReadGeometry(std::string_view line) {
    const auto parts = ParseGeometry(line);
    if (!parts) return std::nullopt;
    const auto l = GeometryNumber(parts->left), t = GeometryNumber(parts->top),
               h = GeometryNumber(parts->height), w = GeometryNumber(parts->width);
    if (!l || !t || !h || !w) return std::nullopt;
    return Geometry{*l, *t, *h, *w};
}

std::string GeometryLine(float left, float top, float height, float width) {
    return ShortestText(left) + ";" + ShortestText(top) + ":" + ShortestText(height) + "," +
           ShortestText(width);
}

std::string RecordNumberText(float value, char mark) {
    const std::string t = ShortestText(value, mark);
    return (value < 0.0f ? "" : " ") + t + " ";
}

DefaultsStore::ReadResult MemoryDefaultsStore::Read() {
    if (unreadable) return {Status::Unreadable, {}};
    if (!content) return {Status::Missing, {}};
    return {Status::Ok, SplitDefaultsText(*content, max_lines, max_line_length)};
}

bool MemoryDefaultsStore::Write(const std::vector<std::string>& lines) {
    if (fail_writes || unreadable) return false;
    content = JoinDefaultsLines(lines, keep_tabs);
    ++writes;
    return true;
}

FileDefaultsStore::FileDefaultsStore(fs::path program_dir, fs::path config_dir, std::string file_name)
    : program_dir_(std::move(program_dir)), config_dir_(std::move(config_dir)), file_name_(std::move(file_name)) {}

bool FileDefaultsStore::ProgramDirWritable() const { return files::FolderWritable(program_dir_); }

fs::path FileDefaultsStore::Path() const {
    const fs::path dir = ProgramDirWritable() || config_dir_.empty() ? program_dir_ : config_dir_;
    return dir / file_name_;
}

namespace {

DefaultsStore::ReadResult ReadFile(const fs::path& path, const DefaultsStore& limits) {
    std::string bytes;
    switch (files::ReadRegularFile(path, kMaxReadBytes, bytes)) {
        case files::ReadStatus::Missing: return {DefaultsStore::Status::Missing, {}};
        case files::ReadStatus::Unreadable: return {DefaultsStore::Status::Unreadable, {}};
        case files::ReadStatus::Ok: break;
    }
    return {DefaultsStore::Status::Ok, SplitDefaultsText(bytes, limits.max_lines, limits.max_line_length)};
}

}  // namespace

DefaultsStore::ReadResult FileDefaultsStore::Read() {
    const fs::path path = Path();
    ReadResult r = ReadFile(path, *this);
    // A program directory that cannot be written may still hold a file to start from.
    if (r.status == Status::Missing && path.parent_path() != program_dir_)
        r = ReadFile(program_dir_ / file_name_, *this);
    return r;
}

namespace {

// TL.DEF as a link is written where the link points: the user linked it to keep it elsewhere
// (another disk, a synchronised folder), and replacing the link with a file would silently stop
// updating that copy. Links are followed a few times at most; a loop is none to follow.
fs::path LinkTarget(const fs::path& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 8 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) return path;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

// Temporaries of our own naming ("TL.DEF.XXXXXX") left by a save that was killed: removed at the
// next save once they are a minute old, so that a save running at the same moment keeps its own.
void RemoveStaleTemporaries(const fs::path& target) {
    std::error_code ec;
    const std::string prefix = target.filename().string() + ".";
    const auto now = fs::file_time_type::clock::now();
    for (const fs::directory_entry& e : fs::directory_iterator(target.parent_path(), ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                         [](unsigned char c) { return std::isalnum(c) != 0; }))
            continue;
        if (!e.is_regular_file(ec) || e.is_symlink(ec)) continue;
        const auto written = e.last_write_time(ec);
        if (ec || now - written < std::chrono::minutes(1)) continue;
        fs::remove(e.path(), ec);
    }
}

}  // namespace

bool FileDefaultsStore::Write(const std::vector<std::string>& lines) {
    const fs::path path = LinkTarget(Path());
    // A file that exists but cannot be read may hold the user's own line: it is left alone; so
    // is one the user made read-only, which says: do not change this.
    if (ReadFile(path, *this).status == Status::Unreadable) return false;
    std::error_code ec;
    if (fs::exists(path, ec) && !files::FileWritable(path)) return false;
    fs::create_directories(path.parent_path(), ec);
    RemoveStaleTemporaries(path);
    return WriteFileAtomically(path, JoinDefaultsLines(lines, keep_tabs));
}

bool WriteFileAtomically(const fs::path& target, std::string_view content) {
    return files::WriteFileAtomically(target, content);
}

}  // namespace qlx
