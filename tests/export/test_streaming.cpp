// Streaming export and load: the dump's text is exactly the layout of nlohmann's dump(2),
// reading does not depend on key order, and a failure or a cancel part-way through an export
// or a load leaves the old file as it was and no temporary behind.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include "SampleDocument.h"
#include "document/Progress.h"
#include "export/Export.h"
#include "export/JsonDump.h"
#include "export/Svg.h"
#include "export/TextWriter.h"

namespace easel {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::Corner;
using testing::MakePath;
using testing::Place;
using testing::SampleDocument;

// A document with what the writer must lay out carefully: an empty layer (empty "art"),
// no symbols, names with quotes, control characters and bad UTF-8, non-finite floats,
// a float whose short text does not survive double rounding, and stray flag values.
Document OddDocument() {
    Document d = SampleDocument();
    Layer empty;
    empty.id = d.nextLayerId++;
    empty.name = std::string("tab\there \"q\" \x01 bad\xff\xfe end");
    d.layers.push_back(empty);
    PathStyle s = DefaultPaint(ColorModel::RGB);
    s.cap = 9;
    s.join = -1;
    s.evenOdd = 7;
    s.strokeWidth = std::numeric_limits<float>::infinity();
    Art a = MakePath({Corner(7.038531e-26f, -0.0f), Corner(1e-45f, 3.4028235e38f)}, true, s);
    SegmentPoints first = a.path.segments[0];
    first.ix = std::numeric_limits<float>::quiet_NaN();
    a.path.segments.Set(0, first, a.path.segments.Corner(0));
    Place(d, 0, a);
    d.symbols.clear();
    d.swatches[0].name = "\xc3\x28";
    return d;
}

TEST(StreamingDump, TextIsWhatNlohmannDumpWritesForItsOwnTree) {
    // Parsing the text and dumping the tree again with dump(2) gives back the same bytes
    // exactly when the layout, key order, escapes and number texts are dump's own.
    for (const Document& d : {SampleDocument(), OddDocument(), NewDocument(ColorModel::Gray)}) {
        const std::string text = DumpDocumentText(d);
        EXPECT_EQ(json::parse(text).dump(2, ' ', false, json::error_handler_t::replace) + "\n", text);
    }
    // By hand: the page of a new document, as dump(2) indents it inside the root object.
    EXPECT_NE(DumpDocumentText(NewDocument()).find("  \"page\": {\n    \"height\": 792.0,\n    \"width\": 612.0\n  },\n"),
              std::string::npos);
    // An empty layer's art and a missing symbol list are "[]"; non-finite floats null.
    const std::string odd = DumpDocumentText(OddDocument());
    EXPECT_NE(odd.find("\"art\": [],"), std::string::npos);
    EXPECT_NE(odd.find("\"symbols\": [],"), std::string::npos);
    EXPECT_NE(odd.find("\"strokeWidth\": null"), std::string::npos);
    EXPECT_NE(odd.find("7.038530691851209e-26"), std::string::npos);
    EXPECT_NE(odd.find("\"tab\\there \\\"q\\\" \\u0001 bad\xef\xbf\xbd\xef\xbf\xbd end\""), std::string::npos);
}

// A writer whose sink takes `limit` bytes and then fails as a full disk does.
class FailingWriter final : public TextWriter {
public:
    explicit FailingWriter(size_t limit) : TextWriter(64), limit_(limit) {}
    std::string taken;

protected:
    void Sink(const char* data, size_t size) override {
        if (taken.size() + size > limit_) throw std::system_error(ENOSPC, std::generic_category());
        taken.append(data, size);
    }

private:
    size_t limit_;
};

TEST(StreamingDump, WritersPassOnTheSinksFailureAndWriteInPieces) {
    const Document d = SampleDocument();
    const std::string svg = ExportSvg(d), dump = DumpDocumentText(d);
    FailingWriter small(1000);
    EXPECT_THROW(ExportSvg(d, small), std::system_error);
    FailingWriter tiny(1000);
    EXPECT_THROW(DumpDocument(d, tiny), std::system_error);
    // Through a 64-byte buffer the bytes are those of the one-string form.
    FailingWriter roomy(1 << 20);
    ExportSvg(d, roomy);
    roomy.Flush();
    EXPECT_EQ(roomy.taken, svg);
    FailingWriter roomy2(1 << 20);
    DumpDocument(d, roomy2);
    roomy2.Flush();
    EXPECT_EQ(roomy2.taken, dump);
}

TEST(StreamingLoad, KeyOrderDoesNotMatterAndRepeatsAreRefused) {
    // Keys in the reverse of the writer's order: held art and segments before "kind",
    // layers after everything that decides the document's colour model and page.
    const Document d = SampleDocument();
    const json tree = DumpDocument(d);
    std::function<nlohmann::ordered_json(const json&)> reversed = [&](const json& j) {
        if (j.is_object()) {
            nlohmann::ordered_json o = nlohmann::ordered_json::object();
            std::vector<std::string> keys;
            for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
            for (auto k = keys.rbegin(); k != keys.rend(); ++k) o[*k] = reversed(j.at(*k));
            return o;
        }
        if (j.is_array()) {
            nlohmann::ordered_json a = nlohmann::ordered_json::array();
            for (const json& e : j) a.push_back(reversed(e));
            return a;
        }
        return nlohmann::ordered_json::parse(j.dump());
    };
    EXPECT_TRUE(SameDocument(LoadDocumentText(reversed(tree).dump()), d));

    const std::string text = DumpDocumentText(d);
    const std::string twice = "{\"layers\": [], " + text.substr(1);
    try {
        LoadDocumentText(twice);
        ADD_FAILURE() << "a second \"layers\" was read";
    } catch (const DumpError& e) {
        EXPECT_STREQ(e.what(), "layers: given twice");
    }
}

class StreamingFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("easel_streaming_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t FileCount() { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

    fs::path dir_;
};

// Does something of its own at its n-th report; records what it was told.
class ScriptedProgress final : public Progress {
public:
    explicit ScriptedProgress(int at, std::function<bool()> act = nullptr) : at_(at), act_(std::move(act)) {}
    bool Report(double done) override {
        reports.push_back(done);
        if (static_cast<int>(reports.size()) == at_ && act_) return act_();
        return true;
    }
    std::vector<double> reports;

private:
    int at_;
    std::function<bool()> act_;
};

TEST_F(StreamingFile, ProgressRisesToTheWholeAndMatchesTheStringForms) {
    const Document d = SampleDocument();
    for (const char* name : {"a.svg", "a.json"}) {
        ScriptedProgress p(0);
        WriteDocumentFile(d, (dir_ / name).string(), &p);
        ASSERT_FALSE(p.reports.empty()) << name;
        for (size_t i = 1; i < p.reports.size(); ++i) EXPECT_LE(p.reports[i - 1], p.reports[i]) << name;
        EXPECT_DOUBLE_EQ(p.reports.back(), 1.0) << name;
    }
    EXPECT_EQ(Read(dir_ / "a.svg"), ExportSvg(d));
    EXPECT_EQ(Read(dir_ / "a.json"), DumpDocumentText(d));
    ScriptedProgress loading(0);
    EXPECT_TRUE(SameDocument(LoadDocumentFile((dir_ / "a.json").string(), &loading), d));
    EXPECT_DOUBLE_EQ(loading.reports.back(), 1.0);
}

TEST_F(StreamingFile, FailureOrCancelPartWayKeepsTheOldFile) {
    const Document d = SampleDocument();
    struct Case {
        const char* what;
        std::function<bool()> act;
        std::string reason;  // empty: Cancelled is expected
    };
    const std::vector<Case> cases = {
        {"out of memory", [] () -> bool { throw std::bad_alloc(); }, "out of memory"},
        {"disk full", [] () -> bool { throw std::system_error(ENOSPC, std::generic_category()); },
         std::generic_category().message(ENOSPC)},
        {"cancel", [] { return false; }, ""},
    };
    for (const Case& c : cases)
        for (const char* name : {"old.svg", "old.json"}) {
            const fs::path p = dir_ / name;
            std::ofstream(p, std::ios::binary) << "old";
            ScriptedProgress progress(2, c.act);
            try {
                WriteDocumentFile(d, p.string(), &progress);
                ADD_FAILURE() << c.what << ": wrote " << name;
            } catch (const ExportError& e) {
                const std::string what = e.what();
                EXPECT_FALSE(c.reason.empty()) << c.what << ": " << what;
                EXPECT_NE(what.find(p.string()), std::string::npos) << what;
                EXPECT_NE(what.find(c.reason), std::string::npos) << what;
            } catch (const Cancelled&) {
                EXPECT_TRUE(c.reason.empty()) << c.what;
            }
            EXPECT_EQ(Read(p), "old") << c.what << " " << name;
            EXPECT_EQ(FileCount(), 1u) << c.what << " " << name;  // no temporary left
            fs::remove(p);
        }
}

TEST_F(StreamingFile, LoadFailuresNameTheFile) {
    const fs::path p = dir_ / "d.json";
    WriteDocumentFile(SampleDocument(), p.string());
    const auto expectLoadError = [&](const fs::path& file, Progress* progress, const std::string& reason) {
        try {
            LoadDocumentFile(file.string(), progress);
            ADD_FAILURE() << "read " << file;
        } catch (const DumpError& e) {
            EXPECT_EQ(std::string(e.what()), "cannot read \"" + file.string() + "\": " + reason);
        }
    };
    ScriptedProgress oom(1, [] () -> bool { throw std::bad_alloc(); });
    expectLoadError(p, &oom, "out of memory");
    expectLoadError(dir_ / "none.json", nullptr, std::generic_category().message(ENOENT));
    std::ofstream(dir_ / "bad.json", std::ios::binary) << "{\"page\": {\"width\": 1, \"height\": \"x\"}}";
    expectLoadError(dir_ / "bad.json", nullptr, "page.height: expected a number");
    ScriptedProgress stop(1, [] { return false; });
    EXPECT_THROW(LoadDocumentFile(p.string(), &stop), Cancelled);
}

#ifndef _WIN32
// A real short write: a file size limit makes the system refuse the bytes past it (EFBIG).
TEST_F(StreamingFile, ShortWriteIsAnExportErrorAndKeepsTheOldFile) {
    Document d = SampleDocument();
    for (int i = 0; i < 200; ++i)
        Place(d, 0, MakePath({Corner(1.5f * static_cast<float>(i), 2), Corner(3, 4), Corner(5, 6)}, true, DefaultPaint(ColorModel::RGB)));
    const fs::path p = dir_ / "limited.json";
    std::ofstream(p, std::ios::binary) << "old";
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string error;
    try {
        WriteDocumentFile(d, p.string());
    } catch (const ExportError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(error.find(std::generic_category().message(EFBIG)), std::string::npos) << error;
    EXPECT_EQ(Read(p), "old");
    EXPECT_EQ(FileCount(), 1u);
}
#endif

}  // namespace
}  // namespace easel
