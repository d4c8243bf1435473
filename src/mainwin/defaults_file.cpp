#include "mainwin/defaults_file.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "core/format.h"
#include "core/numbers.h"

namespace qlx {

namespace fs = std::filesystem;

const std::array<std::string_view, kDefaultsLineCount>& DefaultDefaultsLines() {
    static constexpr std::array<std::string_view, kDefaultsLineCount> kLines{
        "F",       "449.9",  "-0.96",
        "0.045",   ".91",    "10000",
        "3.5",     "-15;0:6456,8484",  "6825;-15:6468,8484",
        "6345;540:6444,8460", "-75;4560:6444,8460", "6945;4635:6456,8460",
        "100.000", "3",      "3.5",
        "50.000",  "0.000",
    };
    return kLines;
}

std::string_view DefaultSizeText(std::size_t line) {
    const std::string_view text = DefaultDefaultsLines()[line - 1];
    return text.substr(text.find(':'));
}

std::vector<std::string> SplitDefaultsText(std::string_view text) {
    if (text.size() > kMaxReadBytes) text = text.substr(0, kMaxReadBytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < kDefaultsLineCount) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kMaxLineLength) line = line.substr(0, kMaxLineLength);
        lines.emplace_back(line);
        if (last) break;
        start = end + 1;
    }
    return lines;
}

std::string JoinDefaultsLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l;
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
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
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
    return {Status::Ok, SplitDefaultsText(*content)};
}

bool MemoryDefaultsStore::Write(const std::vector<std::string>& lines) {
    if (fail_writes) return false;
    content = JoinDefaultsLines(lines);
    ++writes;
    return true;
}

FileDefaultsStore::FileDefaultsStore(fs::path program_dir, fs::path config_dir)
    : program_dir_(std::move(program_dir)), config_dir_(std::move(config_dir)) {}

bool FileDefaultsStore::ProgramDirWritable() const {
    return ::access(program_dir_.c_str(), W_OK) == 0;
}

fs::path FileDefaultsStore::Path() const {
    const fs::path dir = ProgramDirWritable() || config_dir_.empty() ? program_dir_ : config_dir_;
    return dir / kDefaultsFileName;
}

namespace {

DefaultsStore::ReadResult ReadFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return {DefaultsStore::Status::Missing, {}};
    if (!fs::is_regular_file(path, ec)) return {DefaultsStore::Status::Unreadable, {}};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {DefaultsStore::Status::Unreadable, {}};
    std::string bytes(kMaxReadBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return {DefaultsStore::Status::Ok, SplitDefaultsText(bytes)};
}

}  // namespace

DefaultsStore::ReadResult FileDefaultsStore::Read() {
    const fs::path path = Path();
    ReadResult r = ReadFile(path);
    // A program directory that cannot be written may still hold a file to start from.
    if (r.status == Status::Missing && path.parent_path() != program_dir_)
        r = ReadFile(program_dir_ / kDefaultsFileName);
    return r;
}

bool FileDefaultsStore::Write(const std::vector<std::string>& lines) {
    const fs::path path = Path();
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    return WriteFileAtomically(path, JoinDefaultsLines(lines));
}

bool WriteFileAtomically(const fs::path& target, std::string_view content) {
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace qlx
