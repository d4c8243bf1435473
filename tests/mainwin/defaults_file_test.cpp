#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

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
    EXPECT_EQ(SplitDefaultsText("F\r\n449.9\r\n"), (std::vector<std::string>{"F", "449.9"}));
    EXPECT_EQ(SplitDefaultsText("F\n449.9"), (std::vector<std::string>{"F", "449.9"}));
    EXPECT_EQ(SplitDefaultsText(""), std::vector<std::string>{});
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

TEST_F(FileStoreTest, AFailedWriteLeavesTheOldFileWhole) {
    FileDefaultsStore store(root_ / "prog", root_ / "config");
    ASSERT_TRUE(store.Write({"F", "old"}));
    // The temporary file cannot be created: its name is taken by a directory.
    fs::create_directories(root_ / "prog" / "TL.DEF.tmp" / "x");
    EXPECT_FALSE(store.Write({"M", "new"}));
    EXPECT_EQ(Slurp(root_ / "prog" / "TL.DEF"), "F\r\nold\r\n");
}

TEST_F(FileStoreTest, AFileThatIsNotAFileIsUnreadableNotMissing) {
    fs::create_directories(root_ / "prog" / "TL.DEF");
    FileDefaultsStore store(root_ / "prog", root_ / "config");
    EXPECT_EQ(store.Read().status, DefaultsStore::Status::Unreadable);
}

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

}  // namespace
}  // namespace qlx
