#include <gtest/gtest.h>

// The fault-injection tests need POSIX: processes that drop privileges or meet a file size
// limit, FIFOs, permission bits. They run wherever those exist (not on Windows, and not in
// WebAssembly under node, whose file system has no FIFOs and sets no file times; the browser keeps
// its record elsewhere).
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "core/own_cable.h"
#include "mainwin/defaults_file.h"

namespace qlx {
namespace {

namespace fs = std::filesystem;

TEST(Geometry, SplitsAtTheFirstSeparatorsAndRejectsNonNumbers) {
    struct Case {
        const char* line;
        bool ok;
        float left, top, height, width;
    } const cases[] = {
        {"-15;0:6456,8484", true, -15, 0, 6456, 8484},
        {"100;200:300,40000", true, 100, 200, 300, 40000},
        {" 6825 ; -15 :6468, 8484", true, 6825, -15, 6468, 8484},
        {"nan;nan:6468,8484", false, 0, 0, 0, 0},
        {"0;0:inf,8484", false, 0, 0, 0, 0},
        {"1;2:3,4,5", true, 1, 2, 3, 4.5f},  // numbers in the user's notation
        {"1;2:3,4;5", false, 0, 0, 0, 0},
        {"6345 540", false, 0, 0, 0, 0},
        {"1:2;3,4", false, 0, 0, 0, 0},
        {"a;b:c,d", false, 0, 0, 0, 0},
        {";:,", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto g = ReadGeometry(c.line);
        ASSERT_EQ(g.has_value(), c.ok) << c.line;
        if (!g) continue;
        EXPECT_EQ(g->left, c.left) << c.line;
        EXPECT_EQ(g->top, c.top) << c.line;
        EXPECT_EQ(g->height, c.height) << c.line;
        EXPECT_EQ(g->width, c.width) << c.line;
    }
    const auto parts = ParseGeometry("-15;0:6456,8484");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->left, "-15");
    EXPECT_EQ(parts->width, "8484");
    // Written back the same way.
    EXPECT_EQ(GeometryLine(-15, 0, 6456, 8484), "-15;0:6456,8484");
}

TEST(DefaultsText, LinesAreReadWithTheirEndsAndCapped) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* what;
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"CR LF", "F\r\n449.9\r\n", {"F", "449.9"}},
        {"LF, no last end", "F\n449.9", {"F", "449.9"}},
        {"lone CR (an old Mac editor)", "M\r449.9\r-0.96\r", {"M", "449.9", "-0.96"}},
        {"CR CR LF", "F\r\r\n449.9\r\r\n", {"F", "449.9"}},
        {"a byte-order mark", "\xEF\xBB\xBF" "F\r\n3\r\n", {"F", "3"}},
        {"an empty line in the middle", "F\r\n\r\n3\r\n", {"F", "", "3"}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitDefaultsText(c.text), c.lines) << c.what;
    // A 70,000-character line damages only itself: the lines after it are read.
    const Lines damaged = SplitDefaultsText("F\r\n" + std::string(70000, '9') + "\r\n-0.96\r\n0.045\r\n");
    ASSERT_EQ(damaged.size(), 4u);
    EXPECT_EQ(damaged[1].size(), kMaxLineLength);
    EXPECT_EQ(damaged[2], "-0.96");
    EXPECT_EQ(damaged[3], "0.045");
    // No control character is ever written into a line.
    EXPECT_EQ(JoinDefaultsLines({"50\n75", "a\tb\x01"}), "5075\r\nab\r\n");
    std::string many;
    for (int i = 0; i < 40; ++i) many += std::to_string(i) + "\r\n";
    EXPECT_EQ(SplitDefaultsText(many).size(), 17u);
    EXPECT_EQ(SplitDefaultsText(std::string(5000, 'x')).at(0).size(), kMaxLineLength);
    EXPECT_EQ(JoinDefaultsLines({"F", "3"}), "F\r\n3\r\n");
}

TEST(DefaultsText, RecordNumbersCarryBlanks) {
    EXPECT_EQ(RecordNumberText(449.9f, '.'), " 449.9 ");
    EXPECT_EQ(RecordNumberText(-0.96f, '.'), "-0.96 ");
    EXPECT_EQ(RecordNumberText(0.91f, ','), " 0,91 ");
    EXPECT_EQ(RecordNumberText(32.0f, '.'), " 32 ");
}

class FileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("qlx-store-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "prog");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, ec);
        fs::permissions(root_ / "prog", fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }
    static std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path root_;
};

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// Runs `body` where directory permissions hold: as root, in a child process that has dropped to
// an unprivileged user. Returns what the body returned (0 for success).
int WithoutPrivileges(const std::function<int()>& body) {
    if (::geteuid() != 0) return body();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(90);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

#endif  // _WIN32

TEST_F(FileStoreTest, WritesBesideTheProgramAndReadsBack) {
    FileDefaultsStore store(root_ / "prog", root_ / "config");
    EXPECT_EQ(store.Read().status, DefaultsStore::Status::Missing);
    ASSERT_TRUE(store.Write({"F", "449.9"}));
    EXPECT_EQ(Slurp(root_ / "prog" / "TL.DEF"), "F\r\n449.9\r\n");
    const auto r = store.Read();
    EXPECT_EQ(r.status, DefaultsStore::Status::Ok);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"F", "449.9"}));
    EXPECT_FALSE(fs::exists(root_ / "prog" / "TL.DEF.tmp"));
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// Stale temporary files of every kind beside the program: none of them blocks, redirects or
// stops a save (a FIFO used to hang the program, a link to make it write outside its folder).
TEST_F(FileStoreTest, StaleTemporaryFilesChangeNothing) {
    const fs::path prog = root_ / "prog", outside = root_ / "outside.txt";
    {
        std::ofstream o(outside, std::ios::binary);
        o << "not yours";
    }
    const auto stale = [&](const char* kind, const std::function<void(const fs::path&)>& make) {
        for (const char* name : {"TL.DEF.tmp", "TL.DEF.XXXXXX"}) {
            std::error_code ec;
            fs::remove_all(prog / name, ec);
            make(prog / name);
        }
        FileDefaultsStore store(prog, root_ / "config");
        ASSERT_TRUE(store.Write({"F", kind})) << kind;
        EXPECT_EQ(Slurp(prog / "TL.DEF"), std::string("F\r\n") + kind + "\r\n") << kind;
        EXPECT_EQ(Slurp(outside), "not yours") << kind;
    };
    stale("fifo", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); });
    stale("link", [&](const fs::path& p) { fs::create_symlink(outside, p); });
    stale("directory", [](const fs::path& p) { fs::create_directories(p / "x"); });
    stale("file", [](const fs::path& p) { std::ofstream(p) << "half a file"; });
    // Nothing of ours is left behind: only TL.DEF and the stale entries.
    int ours = 0;
    for (const auto& e : fs::directory_iterator(prog))
        if (e.path().filename().string().rfind("TL.DEF.", 0) == 0 && e.path().filename() != "TL.DEF.tmp" &&
            e.path().filename() != "TL.DEF.XXXXXX")
            ++ours;
    EXPECT_EQ(ours, 0);
}

// A TL.DEF that is a link is written where it points (and stays a link); one the user made
// read-only is left alone, and the save says it failed. The user's cables file beside it alike.
TEST_F(FileStoreTest, ALinkIsWrittenThroughAndAReadOnlyFileIsLeftAlone) {
    for (const std::string& name : {std::string(kDefaultsFileName), std::string(kCablesFileName)}) {
        const fs::path prog = root_ / ("prog " + name), elsewhere = root_ / ("synced " + name);
        fs::create_directories(elsewhere);
        fs::create_directories(prog);
        {
            std::ofstream(elsewhere / name, std::ios::binary) << "F\r\nold\r\n";
        }
        fs::create_symlink(elsewhere / name, prog / name);
        FileDefaultsStore store(prog, root_ / "config", name);
        ASSERT_TRUE(store.Write({"F", "new"})) << name;
        EXPECT_TRUE(fs::is_symlink(prog / name)) << name;
        EXPECT_EQ(Slurp(elsewhere / name), "F\r\nnew\r\n") << name;
        // Read-only (0444): not replaced, whoever runs the program.
        fs::permissions(elsewhere / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_FALSE(store.Write({"F", "newer"})) << name;
        EXPECT_EQ(Slurp(elsewhere / name), "F\r\nnew\r\n") << name;
        EXPECT_EQ(fs::status(elsewhere / name).permissions() & fs::perms::owner_write, fs::perms::none) << name;
    }
}

#endif  // _WIN32

#ifndef __EMSCRIPTEN__
// Temporaries of our own naming left by a killed save are removed at the next save once they
// are a minute old; a fresh one (a save running now) and other names are left alone.
TEST_F(FileStoreTest, StaleTemporariesOfOurOwnAreRemovedAtTheNextSave) {
    const fs::path prog = root_ / "prog";
    for (const char* name : {"TL.DEF.aB3xYz", "TL.DEF.Q1w2E3", "TL.DEF.fresh1", "TL.DEF.notours", "TL.DEF.bak"})
        std::ofstream(prog / name) << "half a file";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"TL.DEF.aB3xYz", "TL.DEF.Q1w2E3", "TL.DEF.notours", "TL.DEF.bak"})
        fs::last_write_time(prog / name, old);
    FileDefaultsStore store(prog, root_ / "config");
    ASSERT_TRUE(store.Write({"F"}));
    EXPECT_FALSE(fs::exists(prog / "TL.DEF.aB3xYz"));
    EXPECT_FALSE(fs::exists(prog / "TL.DEF.Q1w2E3"));
    EXPECT_TRUE(fs::exists(prog / "TL.DEF.fresh1"));
    EXPECT_TRUE(fs::exists(prog / "TL.DEF.notours"));
    EXPECT_TRUE(fs::exists(prog / "TL.DEF.bak"));
}

#endif  // __EMSCRIPTEN__

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// A full disk, simulated with a file size limit in a child process: the write fails, the old
// file stays whole and no temporary file is left.
TEST_F(FileStoreTest, AFullDiskLeavesTheOldFileWhole) {
    const fs::path prog = root_ / "prog";
    FileDefaultsStore store(prog, root_ / "config");
    ASSERT_TRUE(store.Write({"F", "old"}));
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(store.Write({"M", "a line longer than four bytes"}) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write was reported as done";
    EXPECT_EQ(Slurp(prog / "TL.DEF"), "F\r\nold\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(prog)) ++files;
    EXPECT_EQ(files, 1);
}

// A TL.DEF that is not a file, or a FIFO (which must not hang the start), can be neither read
// nor replaced.
TEST_F(FileStoreTest, AFileThatIsNotAFileIsUnreadableAndLeftAlone) {
    fs::create_directories(root_ / "prog" / "TL.DEF" / "x");
    FileDefaultsStore store(root_ / "prog", root_ / "config");
    EXPECT_EQ(store.Read().status, DefaultsStore::Status::Unreadable);
    EXPECT_FALSE(store.Write({"F", "3"}));
    EXPECT_TRUE(fs::is_directory(root_ / "prog" / "TL.DEF" / "x"));
    fs::remove_all(root_ / "prog" / "TL.DEF");
    ASSERT_EQ(::mkfifo((root_ / "prog" / "TL.DEF").c_str(), 0644), 0);
    EXPECT_EQ(store.Read().status, DefaultsStore::Status::Unreadable);
    EXPECT_FALSE(store.Write({"F", "3"}));
    EXPECT_TRUE(fs::is_fifo(root_ / "prog" / "TL.DEF"));
}

// A file without read permission keeps the user's own line and its mode.
TEST_F(FileStoreTest, AFileWithoutReadPermissionIsLeftAlone) {
    const fs::path prog = root_ / "prog", file = prog / "TL.DEF";
    {
        std::ofstream seed(file, std::ios::binary);
        seed << "F\r\nmy own line\r\n";
    }
    fs::permissions(root_, fs::perms::all);
    fs::permissions(prog, fs::perms::all);
    fs::permissions(file, fs::perms::owner_write | fs::perms::others_write);
    const int result = WithoutPrivileges([&] {
        FileDefaultsStore store(prog, root_ / "config");
        if (store.Read().status != DefaultsStore::Status::Unreadable) return 1;
        if (store.Write({"F", "defaults"})) return 2;
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_write | fs::perms::others_write);
    fs::permissions(file, fs::perms::owner_all);
    EXPECT_EQ(Slurp(file), "F\r\nmy own line\r\n");
}

TEST_F(FileStoreTest, ReadOnlyProgramDirectoryMovesTheFileToTheConfigDirectory) {
    {
        std::ofstream seed(root_ / "prog" / "TL.DEF", std::ios::binary);
        seed << "M\r\nseed\r\n";
    }
    fs::permissions(root_, fs::perms::all);  // the unprivileged user may create the config dir
    fs::permissions(root_ / "prog", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(root_ / "prog" / "TL.DEF", fs::perms::owner_read | fs::perms::others_read);
    const fs::path prog = root_ / "prog", config = root_ / "config";
    const int result = WithoutPrivileges([&] {
        FileDefaultsStore store(prog, config);
        if (store.Read().lines.at(1) != "seed") return 1;  // the program directory's copy to start from
        if (!store.Write({"F", "mine"})) return 2;
        if (Slurp(config / "TL.DEF") != "F\r\nmine\r\n") return 3;
        if (store.Read().lines.at(1) != "mine") return 4;
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Slurp(prog / "TL.DEF"), "M\r\nseed\r\n");
}

TEST_F(FileStoreTest, NoWritableDirectoryAtAllLosesNothing) {
    {
        std::ofstream seed(root_ / "prog" / "TL.DEF", std::ios::binary);
        seed << "F\r\nold\r\n";
    }
    fs::permissions(root_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(root_ / "prog", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(root_ / "prog" / "TL.DEF", fs::perms::owner_read | fs::perms::others_read);
    const fs::path prog = root_ / "prog", config = root_ / "config";  // config cannot be created
    const int result = WithoutPrivileges([&] {
        FileDefaultsStore store(prog, config);
        if (store.Write({"M", "new"})) return 1;  // reported as failed, not as success
        if (store.Read().lines.at(1) != "old") return 2;
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Slurp(prog / "TL.DEF"), "F\r\nold\r\n");
}

#endif  // _WIN32

}  // namespace
}  // namespace qlx
