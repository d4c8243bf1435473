// A folder of one test's own, removed afterwards: tests run in parallel, each in its own process.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qlx::testing {

struct TempDir {
    explicit TempDir(const std::string& prefix = "qlx-test-")
        : path(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
        return (path / name).string();
    }
#ifndef _WIN32
    std::string Fifo(const std::string& name) const {
        ::mkfifo((path / name).c_str(), 0644);
        return (path / name).string();
    }
#endif
    std::filesystem::path path;
};

}  // namespace qlx::testing
