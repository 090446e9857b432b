// The real module loaded into Easel: refusals, the messages of its life, the filter, the
// dialogs and alerts it shows, and the ELF reader under corrupt input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "export/JsonDump.h"
#include "platform/KeptModules.h"
#include "plugins/PluginManager.h"

namespace easel::testing {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto path = std::filesystem::temp_directory_path() / (name + "." + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// The system loader, with the module's resource bytes rewritten: one byte string replaced by
// another of the same length, to give the real module a wrong property list.
class PatchingLoader final : public ModuleLoader {
public:
    PatchingLoader(std::string from, std::string to) : from_(std::move(from)), to_(std::move(to)) {}
    std::vector<uint8_t> ReadResources(const std::string& path) override {
        std::vector<uint8_t> bytes = system_->ReadResources(path);
        auto at = std::search(bytes.begin(), bytes.end(), from_.begin(), from_.end());
        EXPECT_NE(at, bytes.end()) << "the module's resources hold " << from_;
        if (at != bytes.end()) std::copy(to_.begin(), to_.end(), at);
        return bytes;
    }
    std::vector<std::string> ExportedSymbols(const std::string& path) override { return system_->ExportedSymbols(path); }
    Handle Open(const std::string& path) override { return system_->Open(path); }
    void* Find(Handle m, const std::string& name) override { return system_->Find(m, name); }
    void Close(Handle m) override { system_->Close(m); }

private:
    std::unique_ptr<ModuleLoader> system_ = MakeSystemModuleLoader();
    std::string from_, to_;
};

std::string RefusalOf(const std::string& path, std::unique_ptr<ModuleLoader> loader = MakeSystemModuleLoader()) {
    Host host;
    PluginManager plugin(host, std::move(loader));
    try {
        plugin.Load(path);
    } catch (const PluginError& e) {
        EXPECT_TRUE(host.Filters().empty());
        return e.what();
    }
    return "(loaded)";
}

TEST(ModuleRefusal, EveryRefusalNamesTheFileAndTheReason) {
    const std::string missing = "/nonexistent/QM07_Corvanta.aip";
    EXPECT_EQ(RefusalOf(missing), missing + ": cannot be opened");

    const std::string junk = TempFile("junk.aip", std::vector<uint8_t>(300, 'j'));
    EXPECT_EQ(RefusalOf(junk), junk + ": not an ELF file");
    std::filesystem::remove(junk);

    EXPECT_EQ(RefusalOf(EASEL_BARE_MODULE), std::string(EASEL_BARE_MODULE) + ": no section .corvanta.res");

    // Four-character codes are stored reversed: "AEPS" is the kind 'SPEA'.
    EXPECT_NE(RefusalOf(EASEL_MODULE, std::make_unique<PatchingLoader>("AEPS", "AEPX")).find("kind 'XPEA'"),
              std::string::npos);
    const std::string version{"srvi\0\0\0\0\x04\0\0\0\x02", 13};
    const std::string version3{"srvi\0\0\0\0\x04\0\0\0\x03", 13};
    EXPECT_NE(RefusalOf(EASEL_MODULE, std::make_unique<PatchingLoader>(version, version3))
                  .find("interface version 3, this host takes 2"),
              std::string::npos);
    EXPECT_EQ(RefusalOf(EASEL_MODULE, std::make_unique<PatchingLoader>("PluginMain", "PluginMaim")),
              std::string(EASEL_MODULE) + ": does not export its entry point PluginMaim");
    // An entry point found only in a library the module uses is not the module's own.
    EXPECT_NE(RefusalOf(EASEL_MODULE, std::make_unique<PatchingLoader>("PluginMain", "abort\0\0\0\0\0")),
              "(loaded)");
}

TEST(ElfReader, CorruptAndTruncatedModulesAreRefusedNeverReadPast) {
    const std::vector<uint8_t> module = FileBytes(EASEL_MODULE);
    ASSERT_GT(module.size(), 4096u);
    const std::vector<uint8_t> resources = ElfSection(module, ".corvanta.res");
    EXPECT_NO_THROW(ParseResources(resources));

    // Cut anywhere, the file is refused with a reason or still gives the whole section; the
    // section headers sit at the end, so nearly every cut loses them.
    for (size_t n = 0; n < module.size(); n += 97) {
        const std::span<const uint8_t> cut(module.data(), n);
        try {
            EXPECT_EQ(ElfSection(cut, ".corvanta.res"), resources);
        } catch (const ModuleError&) {
        }
    }
    // Flipped header fields: offsets, sizes, counts and the name table index.
    uint32_t state = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bad = module;
        state = state * 1664525u + 1013904223u;
        const size_t field = 0x20 + (state >> 8) % 0x20;
        bad[field] = static_cast<uint8_t>(state >> 24);
        try {
            ElfSection(bad, ".corvanta.res");
        } catch (const ModuleError&) {
        }
    }
    EXPECT_THROW(ElfSection(std::span<const uint8_t>(module.data(), 0x40), ".corvanta.res"), ModuleError);
}

class ModuleTest : public ::testing::Test {
protected:
    explicit ModuleTest(HostConfig config = Seeded()) : host_(std::move(config)) {}
    static HostConfig Seeded() {
        HostConfig c;
        c.seed = 11;
        return c;
    }
    Host host_;
    PluginManager plugin_{host_};
};

size_t PathCount(const Document& doc) {
    size_t n = 0;
    for (const Layer& l : doc.layers) n += l.art.size();
    return n;
}

TEST_F(ModuleTest, StartupRegistersTheFilterEnabledWhileADocumentIsOpen) {
    ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    const std::vector<FilterInfo> filters = host_.Filters();
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].key, "QM07_Corvanta");
    EXPECT_EQ(filters[0].category, "ZTK <Create>");
    EXPECT_EQ(filters[0].title, "Corvanta ...");
    EXPECT_EQ(filters[0].plugin, plugin_.Ref());
    EXPECT_FALSE(host_.MenuItemEnabled(filters[0].menuItem)) << "no document is open yet";
    host_.NewDocument();
    EXPECT_TRUE(host_.MenuItemEnabled(filters[0].menuItem));
    EXPECT_EQ(host_.OpenAcquisitions(), 0);
    EXPECT_TRUE(host_.Alerts().empty());

    ASSERT_EQ(plugin_.Shutdown(), kSPNoError);
    EXPECT_TRUE(host_.Filters().empty()) << "the filter goes with its plug-in";
    EXPECT_EQ(host_.OpenBlocks(), 0) << "the globals were freed";
    EXPECT_EQ(plugin_.Globals(), nullptr);
}

TEST_F(ModuleTest, TheFilterDrawsTheDefaultStarAndKeepsItsRecordForTheNextRun) {
    ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    Document& doc = host_.NewDocument();
    ASSERT_EQ(plugin_.RunFilter(doc), kSPNoError);
    ASSERT_EQ(PathCount(doc), 1u);
    const Art* star = doc.FindArt(doc.layers[0].art[0]);
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->path.SegmentCount(), 30u);
    ASSERT_FALSE(host_.Dialogs().empty());
    EXPECT_EQ(host_.Dialogs().back().title, "Corvanta Plug-in");
    EXPECT_EQ(host_.Dialogs().back().result, 1);

    const AIFilterParameters record = host_.Filters()[0].parameters;
    ASSERT_NE(record, nullptr);
    const int handles = host_.OpenMemoryHandles();
    ASSERT_EQ(plugin_.RunFilter(doc), kSPNoError);
    EXPECT_EQ(host_.Filters()[0].parameters, record) << "the second run reuses the record";
    EXPECT_EQ(host_.OpenMemoryHandles(), handles);
    EXPECT_EQ(PathCount(doc), 2u);
    EXPECT_EQ(host_.OpenAcquisitions(), 0);

    ASSERT_EQ(plugin_.Shutdown(), kSPNoError);
    EXPECT_EQ(host_.OpenMemoryHandles(), 0) << "the host disposes of the record with its filter";
}

TEST_F(ModuleTest, AboutShowsItsDialogAndEndsWithOk) {
    ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    ASSERT_EQ(plugin_.About(), kSPNoError);
    ASSERT_EQ(host_.Dialogs().size(), 1u);
    const DialogRecord& about = host_.Dialogs()[0];
    EXPECT_EQ(about.title, "Corvanta Plug-in About");
    EXPECT_EQ(about.resourceId, 16050);
    EXPECT_EQ(about.result, 1);
    ASSERT_FALSE(about.items.empty());
    EXPECT_EQ(about.items[0], (std::pair<int32_t, std::string>{1, "&OK"}));
    EXPECT_NE(std::find_if(about.items.begin(), about.items.end(),
                           [](const auto& i) { return i.second == "Plugin Name: Corvanta"; }),
              about.items.end());
}

TEST_F(ModuleTest, UnloadAndReloadKeepTheGlobalsAndTheFilterStillRuns) {
    ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    ASSERT_EQ(plugin_.Unload(), kSPNoError);
    EXPECT_FALSE(plugin_.Loaded());
    void* kept = plugin_.Globals();
    ASSERT_NE(kept, nullptr) << "the plug-in handed its globals over";
    ASSERT_EQ(plugin_.Reload(), kSPNoError);
    EXPECT_EQ(plugin_.Globals(), kept);
    Document& doc = host_.NewDocument();
    ASSERT_EQ(plugin_.RunFilter(doc), kSPNoError) << "the reloaded module knows its filter";
    EXPECT_EQ(PathCount(doc), 1u);

    // A filter run on an unloaded module loads it again first.
    ASSERT_EQ(plugin_.Unload(), kSPNoError);
    ASSERT_EQ(plugin_.RunFilter(doc), kSPNoError);
    EXPECT_EQ(PathCount(doc), 2u);
}

TEST_F(ModuleTest, TheMenuCallersGoShowsTheErrorDialogWithItsCode) {
    ASSERT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    EXPECT_EQ(plugin_.Send("AI Menu", "AI Go"), kSPBadSelectorError);
    ASSERT_EQ(host_.Dialogs().size(), 1u);
    const DialogRecord& error = host_.Dialogs()[0];
    EXPECT_EQ(error.title, "Plug-in Error");
    auto text = [&](int32_t id) {
        for (const auto& [itemId, s] : error.items)
            if (itemId == id) return s;
        return std::string("(none)");
    };
    EXPECT_EQ(text(2), "The selection is not valid for this filter.");
    EXPECT_EQ(text(3), "!sel");
    EXPECT_EQ(error.result, 1);
}

class ModuleWithoutTracker : public ModuleTest {
protected:
    ModuleWithoutTracker() : ModuleTest(Config()) {}
    static HostConfig Config() {
        HostConfig c;
        c.omittedSuites = {"ADM Tracker Suite"};
        return c;
    }
};

TEST_F(ModuleWithoutTracker, TheMissingSuiteIsAlertedAndNoHandlerRuns) {
    EXPECT_EQ(plugin_.Load(EASEL_MODULE), kSPSuiteNotFoundError);
    ASSERT_EQ(host_.Alerts().size(), 1u);
    EXPECT_EQ(host_.Alerts()[0], "Suite Loading Error: 1394689636, suite: ADM Tracker Suite, version: 1!");
    EXPECT_TRUE(host_.Filters().empty());
    EXPECT_EQ(host_.OpenBlocks(), 0) << "start-up never ran";
    EXPECT_TRUE(host_.Dialogs().empty());
    EXPECT_EQ(host_.OpenAcquisitions(), 0);
}

// A suite early in the table is missing and every later one is present: the first failure is
// the answer, so no handler runs with an empty slot, and once the alert service is in hand the
// missing suite is named, once. Without the alert service itself nothing can be shown.
struct EarlyMissing {
    std::vector<std::string> omitted;
    const char* alert;  // nullptr: no alert
};
class ModuleWithoutEarlySuite : public ::testing::TestWithParam<EarlyMissing> {};

TEST_P(ModuleWithoutEarlySuite, StartupFailsWithTheFirstMissingSuitesCodeAndNamesIt) {
    HostConfig config;
    config.omittedSuites = GetParam().omitted;
    Host host(std::move(config));
    PluginManager plugin(host);
    EXPECT_EQ(plugin.Load(EASEL_MODULE), kSPSuiteNotFoundError);
    if (GetParam().alert) {
        ASSERT_EQ(host.Alerts().size(), 1u);
        EXPECT_EQ(host.Alerts()[0], GetParam().alert);
    } else {
        EXPECT_TRUE(host.Alerts().empty());
    }
    EXPECT_TRUE(host.Filters().empty());
    EXPECT_EQ(host.OpenBlocks(), 0);
    EXPECT_EQ(host.OpenAcquisitions(), 0) << "every suite that was given is given back";
    Document& doc = host.NewDocument();
    EXPECT_EQ(plugin.Send("AI Filter", "AI Go"), kSPSuiteNotFoundError);
    EXPECT_EQ(PathCount(doc), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Suites, ModuleWithoutEarlySuite,
    ::testing::Values(
        EarlyMissing{{"AI Art Suite"}, "Suite Loading Error: 1394689636, suite: AI Art Suite, version: 9!"},
        EarlyMissing{{"SP Blocks Suite"}, "Suite Loading Error: 1394689636, suite: SP Blocks Suite, version: 2!"},
        EarlyMissing{{"AI Filter Suite", "ADM Tracker Suite"},
                     "Suite Loading Error: 1394689636, suite: AI Filter Suite, version: 2!"},
        EarlyMissing{{"ADM Basic Suite"}, nullptr}, EarlyMissing{{"ADM Basic Suite", "AI Art Suite"}, nullptr}));

// The system loader, with the module's entry point behind one that notes each message it is
// sent, as "caller/selector" (one module at a time).
std::vector<std::string> gMessages;
SPPluginMainProc gEntry = nullptr;

SPErr SPAPI RecordingEntry(const char* caller, const char* selector, void* message) {
    gMessages.push_back(std::string(caller) + "/" + selector);
    return gEntry(caller, selector, message);
}

class RecordingLoader final : public ModuleLoader {
public:
    std::vector<uint8_t> ReadResources(const std::string& path) override { return system_->ReadResources(path); }
    std::vector<std::string> ExportedSymbols(const std::string& path) override { return system_->ExportedSymbols(path); }
    Handle Open(const std::string& path) override { return system_->Open(path); }
    void* Find(Handle m, const std::string& name) override {
        void* entry = system_->Find(m, name);
        if (!entry) return nullptr;
        gEntry = reinterpret_cast<SPPluginMainProc>(entry);
        return reinterpret_cast<void*>(&RecordingEntry);
    }
    void Close(Handle m) override { system_->Close(m); }

private:
    std::unique_ptr<ModuleLoader> system_ = MakeSystemModuleLoader();
};

// The system loader, counting what reaches it.
class CountingLoader final : public ModuleLoader {
public:
    struct Counts {
        int reads = 0, opens = 0, closes = 0;
    };
    explicit CountingLoader(Counts& counts) : counts_(counts) {}
    std::vector<uint8_t> ReadResources(const std::string& path) override {
        ++counts_.reads;
        return system_->ReadResources(path);
    }
    std::vector<std::string> ExportedSymbols(const std::string& path) override { return system_->ExportedSymbols(path); }
    Handle Open(const std::string& path) override {
        ++counts_.opens;
        return system_->Open(path);
    }
    void* Find(Handle m, const std::string& name) override { return system_->Find(m, name); }
    void Close(Handle m) override {
        ++counts_.closes;
        system_->Close(m);
    }

private:
    Counts& counts_;
    std::unique_ptr<ModuleLoader> system_ = MakeSystemModuleLoader();
};

// Host sessions one after another over one kept module: the file is read and the module
// opened once, and each session starts, runs and shuts the plug-in down as over a fresh load,
// with the same document for the same seed (nothing of one session leaks into the next).
TEST(KeptModules, SessionsOneAfterAnotherShareOneLoadAndNothingElse) {
    CountingLoader::Counts counts;
    std::string firstDump;
    {
        KeptModules modules(std::make_unique<CountingLoader>(counts));
        for (int session = 0; session < 3; ++session) {
            HostConfig config;
            config.seed = 5;
            Host host(config);
            {
                PluginManager plugin(host, modules.Loader());
                ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPNoError) << session;
                ASSERT_NE(plugin.Filter(), nullptr) << session;
                Document& doc = host.NewDocument();
                ASSERT_EQ(plugin.RunFilter(doc), kSPNoError) << session;
                const std::string dump = DumpDocumentText(doc);
                if (session == 0) firstDump = dump;
                EXPECT_EQ(dump, firstDump) << session;
                // Unload and reload within a session keep to the one mapping too.
                ASSERT_EQ(plugin.Unload(), kSPNoError);
                ASSERT_EQ(plugin.FilterMessage(doc, kSelectorAIGoFilter), kSPNoError) << session;
                ASSERT_EQ(plugin.Shutdown(), kSPNoError) << session;
            }
            EXPECT_EQ(host.OpenAcquisitions(), 0);
            EXPECT_EQ(host.OpenBlocks(), 0) << "the globals block is freed at each shut-down";
        }
        EXPECT_EQ(counts.reads, 1);
        EXPECT_EQ(counts.opens, 1);
        EXPECT_EQ(counts.closes, 0);
    }
    EXPECT_EQ(counts.closes, 1) << "the store closes what it opened";
}

using Messages = std::vector<std::string>;

// A module whose start-up failed is never sent "Shutdown", whether the manager ends or is asked
// to shut it down, so the plug-in's failure is alerted once; one that started is.
TEST(ModuleMessages, AFailedStartupIsFollowedByNoShutdown) {
    // A suite after the alert service: the failure is alerted at start-up.
    HostConfig config;
    config.omittedSuites = {"ADM Tracker Suite"};
    {
        Host host(config);
        gMessages.clear();
        {
            PluginManager plugin(host, std::make_unique<RecordingLoader>());
            ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPSuiteNotFoundError);
            EXPECT_EQ(host.Alerts().size(), 1u);
        }  // given up, as Easel gives up after a failed start-up
        EXPECT_EQ(gMessages, (Messages{"SP Interface/Startup", "SP Access/Unload"}));
        EXPECT_EQ(host.Alerts().size(), 1u) << "the failure is alerted once";
        EXPECT_TRUE(host.Filters().empty());
        EXPECT_EQ(host.OpenAcquisitions(), 0);
    }
    {
        // Shut down explicitly while out of memory: it is not loaded again only to leave.
        Host host(config);
        gMessages.clear();
        PluginManager plugin(host, std::make_unique<RecordingLoader>());
        ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPSuiteNotFoundError);
        ASSERT_EQ(plugin.Unload(), kSPNoError);
        EXPECT_EQ(plugin.Shutdown(), kSPNoError);
        EXPECT_FALSE(plugin.Started());
        EXPECT_EQ(plugin.Shutdown(), kSPNoError);
        EXPECT_EQ(gMessages, (Messages{"SP Interface/Startup", "SP Access/Unload"}));
        EXPECT_EQ(host.Alerts().size(), 1u);
    }
    {
        Host host;
        gMessages.clear();
        {
            PluginManager plugin(host, std::make_unique<RecordingLoader>());
            ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPNoError);
        }
        EXPECT_EQ(gMessages, (Messages{"SP Interface/Startup", "SP Interface/Shutdown", "SP Access/Unload"}));
        EXPECT_TRUE(host.Alerts().empty());
        EXPECT_EQ(host.OpenBlocks(), 0) << "the shut-down freed the globals";
    }
}

}  // namespace
}  // namespace easel::testing
