// The headless driver on the real module: scripted user actions reach the settings dialog as a
// user's edits do, the listing shows what the dialog holds, and a refused action or Cancel
// leaves the document and the record as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "dialogs/HeadlessPresenter.h"
#include "plugins/PluginManager.h"

namespace easel::testing {
namespace {

int32_t Word(const std::vector<uint8_t>& record, size_t word) {
    int32_t value = 0;
    std::memcpy(&value, record.data() + 4 * word, 4);
    return value;
}

size_t ArtCount(const Document& doc) {
    size_t n = 0;
    for (const Layer& l : doc.layers) n += l.art.size();
    return n;
}

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : listing_(std::tmpfile()), driver_(std::make_shared<HeadlessPresenter>(listing_, log_)) {
        host_.SetDialogPresenter(driver_);
        EXPECT_EQ(plugin_.Load(EASEL_MODULE), kSPNoError);
    }
    ~DriverTest() override {
        std::fclose(listing_);
        std::fclose(log_);
    }

    // Runs the filter with these actions on a new document.
    SPErr RunWith(std::vector<DialogAction> actions) {
        driver_->SetScript(std::move(actions));
        doc_ = &host_.NewDocument();
        return plugin_.RunFilter(*doc_);
    }
    std::string Listed() {
        std::fflush(listing_);
        std::rewind(listing_);
        std::string text;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, listing_)) > 0;) text.append(buffer, n);
        return text;
    }
    std::vector<uint8_t> Record() { return host_.FilterParameterBytes(plugin_.Filter()).value_or(std::vector<uint8_t>()); }

    Host host_{HostConfig{7, {}, size_t(512) << 20, size_t(1) << 30, {}}};
    PluginManager plugin_{host_};
    std::FILE* listing_;
    std::FILE* log_ = std::tmpfile();
    std::shared_ptr<HeadlessPresenter> driver_;
    Document* doc_ = nullptr;
};

TEST_F(DriverTest, TheJsonListingHoldsEveryItemWithItsDocumentedKeys) {
    ASSERT_EQ(RunWith({ParseListItemsAction("json")}), kSPNoError);
    const nlohmann::json items = nlohmann::json::parse(Listed());
    ASSERT_TRUE(items.is_array());
    EXPECT_GE(items.size(), 100u);
    auto find = [&](int id) {
        for (const auto& i : items)
            if (i["id"] == id) return i;
        return nlohmann::json();
    };
    const nlohmann::json groups = find(4);
    std::vector<std::string> keys;
    for (auto it = groups.begin(); it != groups.end(); ++it) keys.push_back(it.key());
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"chosen", "enabled", "entries", "id", "kind", "max", "min", "precision",
                                              "text", "value", "visible"}));
    EXPECT_EQ(groups["kind"], "spin edit");
    EXPECT_EQ(groups["value"], 10);
    EXPECT_EQ(groups["min"], 2);
    EXPECT_EQ(groups["max"], 400);
    EXPECT_EQ(groups["precision"], 0);
    EXPECT_EQ(groups["visible"], true);
    EXPECT_TRUE(groups["entries"].is_null());
    const nlohmann::json presets = find(152);
    ASSERT_EQ(presets["entries"].size(), 30u);
    EXPECT_EQ(presets["entries"][0]["text"], " Reset");
    EXPECT_EQ(presets["chosen"], 0);
    EXPECT_TRUE(find(1)["value"].is_null()) << "a push button has no value";
    EXPECT_EQ(find(1)["text"], "OK");
}

TEST_F(DriverTest, ActionsArriveAsEditsAndTheRecordKeepsThem) {
    ASSERT_EQ(RunWith({ParseSetAction("4=12"), ParseSetAction("3=0"), ParseSetAction("3=1")}), kSPNoError);
    EXPECT_FALSE(driver_->ScriptError());
    std::vector<uint8_t> record = Record();
    ASSERT_EQ(record.size(), 632u);
    EXPECT_EQ(Word(record, 3), 12) << "starGroups";
    EXPECT_EQ(ArtCount(*doc_), 1u) << "OK keeps the last preview";

    // A record handed to the filter opens the dialog with its values.
    int32_t groups = 25;
    std::memcpy(record.data() + 12, &groups, 4);
    ASSERT_TRUE(host_.SetFilterParameterBytes(plugin_.Filter(), record));
    ASSERT_EQ(RunWith({ParseListItemsAction("")}), kSPNoError);
    EXPECT_NE(Listed().find("4  spin edit  \"25\"  value 25"), std::string::npos);
}

TEST_F(DriverTest, CancelAndARefusedActionLeaveTheDocumentAndTheRecord) {
    ASSERT_EQ(RunWith({}), kSPNoError);
    const std::vector<uint8_t> before = Record();

    EXPECT_EQ(RunWith({ParseSetAction("4=30"), ParsePressAction("180"), ParsePressAction("2")}), kSPUserCanceledError);
    EXPECT_FALSE(driver_->ScriptError());
    EXPECT_EQ(ArtCount(*doc_), 0u) << "the previews were undone";
    std::vector<uint8_t> after = Record();
    ASSERT_EQ(after.size(), 632u);
    EXPECT_EQ(Word(after, 3), Word(before, 3));

    for (const DialogAction& bad : {ParseSetAction("99=1"), ParseSetAction("4=abc"), ParseSetAction("3=2"),
                                    ParseSetAction("152=30"), ParseSetAction("20=5"), ParsePressAction("4"),
                                    ParsePickAction("4=1,1")}) {
        EXPECT_EQ(RunWith({ParseSetAction("4=30"), bad, ParseSetAction("4=31")}), kSPUserCanceledError) << bad.option;
        ASSERT_TRUE(driver_->ScriptError()) << bad.option;
        EXPECT_EQ(driver_->ScriptError()->rfind(bad.option + ": ", 0), 0u) << *driver_->ScriptError();
        EXPECT_EQ(ArtCount(*doc_), 0u) << bad.option;
        EXPECT_EQ(Word(Record(), 3), Word(before, 3)) << bad.option;
    }
}

TEST_F(DriverTest, APickSetsTheValueFromTheFirstViewsPoint) {
    // The first view is 800 x 600 pixels at zoom 1, centred on the page's centre (306, 396):
    // view point (500, 300) is artwork point (406, 396).
    ASSERT_EQ(RunWith({ParsePickAction("190=500,300"), ParsePickAction("191=144,0")}), kSPNoError);
    const std::vector<uint8_t> record = Record();
    EXPECT_EQ(Word(record, 3), 40) << "starGroups: h x 0.1";
    float radius = 0;
    std::memcpy(&radius, record.data() + 4 * 7, 4);
    EXPECT_EQ(radius, 50.0f) << "starCoreRadius: h";
    ASSERT_EQ(RunWith({ParsePressAction("190")}), kSPNoError);
    EXPECT_EQ(Word(Record(), 3), 40) << "a press without the pick bit picks nothing";
}

TEST(DriverParsing, MalformedActionsAreRefusedByName) {
    for (const char* text : {"4", "=3", "x=1", "4="})
        EXPECT_THROW(ParseSetAction(text), std::invalid_argument) << text;
    EXPECT_THROW(ParsePressAction("one"), std::invalid_argument);
    for (const char* text : {"190", "190=1", "190=1,", "190=a,2", "190=1.5,2"})
        EXPECT_THROW(ParsePickAction(text), std::invalid_argument) << text;
    EXPECT_THROW(ParseListItemsAction("xml"), std::invalid_argument);
    try {
        ParsePickAction("190=1");
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(std::string(e.what()).rfind("--pick 190=1: ", 0), 0u) << e.what();
    }
    const DialogAction entry = ParseSetAction("152= Sun");
    EXPECT_EQ(entry.item, 152);
    EXPECT_EQ(entry.value, " Sun") << "the value keeps its blanks";
    EXPECT_EQ(NumberText(0.1f), "0.1");
    EXPECT_EQ(NumberText(-3), "-3");
}

}  // namespace
}  // namespace easel::testing
