// The filter's record kept in a file between runs: where it goes, what is refused, and that a
// write replaces the file whole or not at all. Never touches the real user's configuration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "plugins/KeptRecord.h"

namespace easel::testing {
namespace {

namespace fs = std::filesystem;

class RecordFileTest : public ::testing::Test {
protected:
    RecordFileTest() {
        dir_ = fs::temp_directory_path() / ("easel-record-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~RecordFileTest() override { fs::remove_all(dir_); }

    void Put(const fs::path& path, size_t size, char fill = 'x') {
        std::ofstream(path, std::ios::binary) << std::string(size, fill);
    }
    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t FilesIn(const fs::path& dir) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    fs::path dir_;
};

TEST_F(RecordFileTest, TheDefaultFileIsUnderTheConfigurationDirectoryNamedByTheKey) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    EXPECT_EQ(DefaultRecordPath("QM07_Corvanta"), dir_ / "easel" / "QM07_Corvanta.params");
    EXPECT_EQ(DefaultRecordPath("../a b/.c"), dir_ / "easel" / "_._a_b_.c.params") << "no way out of the directory";
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    const std::optional<fs::path> fallback = DefaultRecordPath("k");
    ASSERT_TRUE(fallback);
    EXPECT_TRUE(fallback->is_absolute()) << "a relative XDG_CONFIG_HOME is ignored";
    if (saved) ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RecordFileTest, OnlyAFileOfTheRecordsSizeIsRead) {
    const fs::path path = dir_ / "r.params";
    EXPECT_EQ(ReadRecordFile(path, 632).status, RecordRead::Status::Missing);
    Put(path, 632, 'a');
    RecordRead read = ReadRecordFile(path, 632);
    ASSERT_EQ(read.status, RecordRead::Status::Read);
    EXPECT_EQ(read.bytes, std::vector<uint8_t>(632, 'a'));
    for (size_t size : {size_t{0}, size_t{631}, size_t{633}, size_t{5000}}) {
        Put(path, size);
        read = ReadRecordFile(path, 632);
        EXPECT_EQ(read.status, RecordRead::Status::Refused) << size;
        EXPECT_NE(read.problem.find(path.string()), std::string::npos) << read.problem;
        EXPECT_NE(read.problem.find("632"), std::string::npos) << read.problem;
        EXPECT_EQ(fs::file_size(path), size) << "a refused file is left as it is";
    }
    read = ReadRecordFile(dir_, 632);
    EXPECT_EQ(read.status, RecordRead::Status::Refused) << "a directory";
    EXPECT_NE(read.problem.find(dir_.string()), std::string::npos);
}

TEST_F(RecordFileTest, AWriteReplacesTheFileWholeAndLeavesNothingBehind) {
    const fs::path path = dir_ / "new" / "dir" / "r.params";
    WriteRecordFile(path, std::vector<uint8_t>(632, 'b'));
    EXPECT_EQ(Contents(path), std::string(632, 'b')) << "the directory is made";
    WriteRecordFile(path, std::vector<uint8_t>(632, 'c'));
    EXPECT_EQ(Contents(path), std::string(632, 'c'));
    EXPECT_EQ(FilesIn(path.parent_path()), 1u) << "no temporary file stays";

    // A directory where the file should be: the write fails, names the file, changes nothing.
    const fs::path blocked = dir_ / "blocked";
    fs::create_directories(blocked / "inside");
    try {
        WriteRecordFile(blocked, std::vector<uint8_t>(632, 'd'));
        ADD_FAILURE() << "wrote over a directory";
    } catch (const RecordFileError& e) {
        EXPECT_NE(std::string(e.what()).find(blocked.string()), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(FilesIn(dir_), 2u) << "no temporary file beside it";
    // A file where the directory should be.
    Put(dir_ / "file", 3);
    EXPECT_THROW(WriteRecordFile(dir_ / "file" / "r.params", std::vector<uint8_t>(632)), RecordFileError);
}

}  // namespace
}  // namespace easel::testing
