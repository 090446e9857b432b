#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "SampleDocument.h"
#include "export/Export.h"
#include "export/JsonDump.h"

namespace easel {
namespace {

namespace fs = std::filesystem;

class ExportFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("easel_export_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t FileCount() { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

    fs::path dir_;
};

TEST_F(ExportFile, ExtensionChoosesTheFormatWhateverItsCase) {
    const Document d = testing::SampleDocument();
    WriteDocumentFile(d, (dir_ / "a.SVG").string());
    WriteDocumentFile(d, (dir_ / "b.Json").string());
    EXPECT_EQ(Read(dir_ / "a.SVG").rfind("<?xml", 0), 0u);
    EXPECT_TRUE(SameDocument(d, LoadDocumentText(Read(dir_ / "b.Json"))));
    EXPECT_EQ(FileCount(), 2u);  // no temporary left beside them
}

TEST_F(ExportFile, OverwritesAnExistingFile) {
    const fs::path p = dir_ / "out.json";
    std::ofstream(p) << "old";
    WriteDocumentFile(NewDocument(), p.string());
    EXPECT_TRUE(SameDocument(NewDocument(), LoadDocumentText(Read(p))));
    EXPECT_EQ(FileCount(), 1u);
}

void ExpectExportError(const Document& d, const std::string& path, const std::string& reason) {
    try {
        WriteDocumentFile(d, path);
        ADD_FAILURE() << "wrote " << path;
    } catch (const ExportError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(path), std::string::npos) << what;
        EXPECT_NE(what.find(reason), std::string::npos) << what;
    }
}

TEST_F(ExportFile, FailuresNameTheFileAndLeaveNothingBehind) {
    const Document d = NewDocument();
    ExpectExportError(d, (dir_ / "a.gif").string(), "unknown extension \".gif\"");
    ExpectExportError(d, (dir_ / "noext").string(), "no extension");
    ExpectExportError(d, (dir_ / "missing" / "a.svg").string(), "No such file");
    // A directory in the way: the text is written but cannot replace it.
    fs::create_directory(dir_ / "taken.json");
    ExpectExportError(d, (dir_ / "taken.json").string(), "");
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.json"));
    EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
}  // namespace easel
