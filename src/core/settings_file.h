// QLX settings.ini: what a user expects to find again after a restart beyond TL.DEF's 17 lines
// (which stay exactly as other programs read them): the graph's kind, the tuner's network and
// settings, the sweep's band, points, spacing, end and last file, the plan's region, and a cable
// of one's own chosen. One "key=value" a line; a line that is not one is ignored.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qlx {

inline constexpr std::string_view kSettingsFileName = "QLX settings.ini";
using Settings = std::map<std::string, std::string>;

Settings ParseSettings(const std::vector<std::string>& lines);
// A key's value, or nothing when the key is missing or empty.
const std::string* Setting(const Settings& settings, const char* key);
// "[QLX]" and the keys in order, one a line.
std::vector<std::string> SettingsLines(const Settings& settings);

}  // namespace qlx
