// What every fuzz target holds the program to: no text a user reads shows a number that is not a
// number. A violated invariant aborts, which libFuzzer reports with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace qlx::fuzz {

inline void Require(bool ok, const char* what, std::string_view text = {}) {
    if (ok) return;
    std::fprintf(stderr, "invariant broken: %s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// A result text never shows nan or inf, nor more characters than any number can take.
inline void RequireNumberText(std::string_view text, const char* what) {
    for (std::string_view bad : {"nan", "NaN", "inf", "INF", "Inf"}) Require(text.find(bad) == text.npos, what, text);
    Require(text.size() < 1000, what, text);  // the largest double with grouping is some 420
}

}  // namespace qlx::fuzz
