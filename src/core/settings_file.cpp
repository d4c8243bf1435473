#include "core/settings_file.h"

#include "core/format.h"

namespace qlx {

Settings ParseSettings(const std::vector<std::string>& lines) {
    Settings s;
    for (const std::string& line : lines) {
        const std::string_view l = TrimBlanks(line);
        const std::size_t eq = l.find('=');
        if (l.empty() || l.front() == '[' || l.front() == ';' || l.front() == '#' || eq == std::string_view::npos || eq == 0)
            continue;
        s[std::string(TrimBlanks(l.substr(0, eq)))] = std::string(TrimBlanks(l.substr(eq + 1)));
    }
    return s;
}

const std::string* Setting(const Settings& settings, const char* key) {
    const auto it = settings.find(key);
    return it == settings.end() || it->second.empty() ? nullptr : &it->second;
}

std::vector<std::string> SettingsLines(const Settings& settings) {
    std::vector<std::string> lines{"[QLX]"};
    for (const auto& [key, value] : settings) lines.push_back(key + "=" + value);
    return lines;
}

}  // namespace qlx
