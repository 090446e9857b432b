#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "SampleDocument.h"
#include "export/JsonDump.h"

namespace easel {
namespace {

using nlohmann::json;
using testing::Place;
using testing::Corner;
using testing::MakePath;
using testing::SampleDocument;

// Floats whose text or bits a careless writer loses: not exact in binary, the smallest
// normal and subnormal, signed zero, near the top of the range, one that double
// rounding moves.
Document AwkwardDocument() {
    Document d = SampleDocument();
    d.pageWidth = 0.1f;
    PathStyle s = DefaultPaint(ColorModel::CMYK);
    s.fillColor = CmykColor(0.1f, 1e-38f, -0.0f, 0.3f);
    s.strokeColor = GrayColor(std::numeric_limits<float>::denorm_min());
    s.strokeWidth = FLT_MAX;
    s.miterLimit = 0;  // a zeroed record
    s.cap = 2;
    s.join = 1;
    s.fillOverprint = 2;  // any nonzero int is "true"; the exact value survives
    s.dash.count = 2;
    s.dash.array[0] = 3.4e38f;
    s.dash.array[1] = 1e-40f;
    s.dash.array[4] = 7;  // stray value past count
    s.dash.offset = -0.0f;
    s.strokeColor.c[3] = 0.5f;  // stray unused component
    Art a = MakePath({Corner(-0.0f, 1e-45f), Corner(3.4e38f, -3.4e38f), Corner(0.1f, 0.2f)}, true, s);
    SegmentPoints p1 = a.path.segments[1], p2 = a.path.segments[2];
    p1.ix = 1.17549435e-38f;
    // Its shortest text read as a double and rounded to float gives the next float up.
    p2.oy = 7.038531e-26f;
    a.path.segments.Set(1, p1, a.path.segments.Corner(1));
    a.path.segments.Set(2, p2, a.path.segments.Corner(2));
    a.opacity = 0.3f;
    Place(d, 1, a);
    d.currentLayer = d.layers[1].id;
    d.currentPaint = s;
    d.views[0].zoom = 0.7f;
    return d;
}

TEST(JsonDump, RoundTripKeepsTheDocumentBitForBit) {
    const Document original = AwkwardDocument();
    const Document text = LoadDocumentText(DumpDocumentText(original));
    const Document tree = LoadDocument(DumpDocument(original));
    EXPECT_TRUE(SameDocument(original, text));
    EXPECT_TRUE(SameDocument(original, tree));

    // What SameDocument leaves out is carried too.
    EXPECT_EQ(text.currentLayer, text.layers[1].id);
    EXPECT_EQ(std::memcmp(&text.currentPaint, &original.currentPaint, sizeof(PathStyle)), 0);
    EXPECT_EQ(text.views[0].zoom, 0.7f);
    ASSERT_EQ(text.swatches.size(), original.swatches.size());
    EXPECT_EQ(text.swatches[11].name, "Stripes");
    EXPECT_EQ(text.styles[0].name, "[Default]");
}

TEST(JsonDump, LoadedDocumentIsNumberedAfresh) {
    Document original = SampleDocument();
    // Undo frees a slot and the next art takes it under a later generation.
    const ArtId undone = Place(original, 0, MakePath({Corner(1, 2)}, false, original.currentPaint));
    original.layers[0].art.pop_back();
    original.RemoveArt(undone);
    const ArtId reused = Place(original, 0, MakePath({Corner(3, 4)}, false, original.currentPaint));
    ASSERT_NE(reused, undone);
    original.currentLayer = original.layers[1].id;

    const Document loaded = LoadDocument(DumpDocument(original));
    ASSERT_TRUE(SameDocument(original, loaded));
    EXPECT_EQ(loaded.layers[0].id, 1u);
    EXPECT_EQ(loaded.layers[1].id, 2u);
    EXPECT_EQ(loaded.nextLayerId, 3u);
    EXPECT_EQ(loaded.currentLayer, 2u);
    EXPECT_EQ(loaded.layers[0].art, (std::vector<ArtId>{1, 2, 3, 4, 5}));
    EXPECT_EQ(loaded.layers[1].art, (std::vector<ArtId>{6}));
    EXPECT_TRUE(loaded.freedArtIds.empty());
    EXPECT_EQ(loaded.artBytesHeld, loaded.ArtBytes());
    EXPECT_EQ(loaded.symbols[0].art.id, 0u);
}

TEST(JsonDump, FloatsAreWrittenShortAndNonFiniteAsNull) {
    Document d = NewDocument();
    d.pageWidth = 0.1f;
    d.currentPaint.strokeWidth = std::numeric_limits<float>::infinity();
    const std::string text = DumpDocumentText(d);
    EXPECT_NE(text.find("\"width\": 0.1\n"), std::string::npos);
    EXPECT_EQ(text.find("0.10000000149"), std::string::npos);
    const json j = json::parse(text);
    EXPECT_TRUE(j["currentPaint"]["strokeWidth"].is_null());
    EXPECT_THROW(LoadDocument(j), DumpError);
}

TEST(JsonDump, OptionalPartsDefaultAndUnknownFieldsAreIgnored) {
    json j = DumpDocument(SampleDocument());
    j.erase("views");
    j.erase("swatches");
    j.erase("styles");
    j.erase("currentPaint");
    j["page"]["width"] = 1000;  // an integer is a number too
    j["addedLater"] = {{"anything", 1}};
    j["layers"][0]["art"][0]["addedLater"] = true;
    const Document d = LoadDocument(j);
    const Document fresh = NewDocument(ColorModel::RGB);
    EXPECT_EQ(d.pageWidth, 1000.0f);
    ASSERT_EQ(d.views.size(), 1u);
    EXPECT_EQ(d.views[0].centreX, 500.0f);
    EXPECT_EQ(d.swatches.size(), fresh.swatches.size());
    EXPECT_EQ(std::memcmp(&d.currentPaint, &fresh.currentPaint, sizeof(PathStyle)), 0);
}

struct Malformed {
    const char* what;
    std::function<void(json&)> spoil;
    const char* message;  // must appear in what()
};

TEST(JsonDump, MalformedInputNamesTheBadField) {
    const std::string seg = "layers[0].art[1].segments[1]";
    const Malformed cases[] = {
        {"wrong type", [](json& j) { j["page"]["width"] = "612"; }, "page.width: expected a number"},
        {"missing field", [](json& j) { j["layers"][1].erase("visible"); }, "layers[1].visible: missing"},
        {"missing style field", [](json& j) { j["layers"][0]["art"][2]["style"].erase("evenOdd"); },
         "layers[0].art[2].style.evenOdd: missing"},
        {"bad point", [](json& j) { j["layers"][0]["art"][1]["segments"][1]["p"] = {1, 2, 3}; },
         "layers[0].art[1].segments[1].p: expected an array of 2 numbers"},
        {"point of strings", [](json& j) { j["layers"][0]["art"][1]["segments"][1]["in"][1] = "x"; },
         "layers[0].art[1].segments[1].in[1]: expected a number"},
        {"unknown colour kind", [](json& j) { j["layers"][1]["art"][0]["style"]["fillColor"]["kind"] = "hsv"; },
         "layers[1].art[0].style.fillColor.kind: unknown colour kind"},
        {"too few components", [](json& j) { j["layers"][0]["art"][0]["style"]["strokeColor"]["components"] = {1}; },
         "layers[0].art[0].style.strokeColor.components: expected 4"},
        {"spot without ref", [](json& j) { j["layers"][1]["art"][0]["style"]["fillColor"].erase("ref"); },
         "layers[1].art[0].style.fillColor.ref: missing"},
        {"unknown art kind", [](json& j) { j["symbols"][0]["art"]["kind"] = "group"; },
         "symbols[0].art.kind: unknown art kind"},
        {"opacity above 1", [](json& j) { j["layers"][0]["art"][2]["opacity"] = 1.5; },
         "layers[0].art[2].opacity: must be from 0 to 1"},
        {"negative width", [](json& j) { j["layers"][0]["art"][0]["style"]["strokeWidth"] = -1; },
         "layers[0].art[0].style.strokeWidth: must be at least 0"},
        {"null number", [](json& j) { j["layers"][0]["art"][0]["segments"][0]["out"][0] = nullptr; },
         "layers[0].art[0].segments[0].out[0]: expected a number, got null"},
        {"beyond float", [](json& j) { j["page"]["height"] = 1e39; }, "page.height: out of the range"},
        {"zero page", [](json& j) { j["page"]["height"] = 0; }, "page.height: must be greater than 0"},
        {"dash count", [](json& j) { j["currentPaint"]["dash"]["count"] = 7; }, "currentPaint.dash.count: expected an integer from 0 to 6"},
        {"cap name", [](json& j) { j["styles"][0]["style"]["cap"] = "square"; }, "styles[0].style.cap: expected one of"},
        {"flag type", [](json& j) { j["layers"][0]["art"][0]["style"]["fillPaint"] = "yes"; },
         "layers[0].art[0].style.fillPaint: expected true, false or an integer"},
        {"corner as int", [](json& j) { j["layers"][0]["art"][0]["segments"][2]["corner"] = 1; },
         "layers[0].art[0].segments[2].corner: expected true or false"},
        {"colour model", [](json& j) { j["colorModel"] = "lab"; }, "colorModel: expected"},
        {"current layer", [](json& j) { j["currentLayer"] = 2; }, "currentLayer: expected an integer from 0 to 1"},
        {"layers not array", [](json& j) { j["layers"] = json::object(); }, "layers: expected an array"},
        {"art not object", [](json& j) { j["layers"][0]["art"][3] = 5; }, "layers[0].art[3]: expected an object"},
        {"too many segments",
         [&](json& j) {
             json& segs = j["layers"][0]["art"][1]["segments"];
             const json one = segs[0];
             while (segs.size() <= kAIMaxPathSegments) segs.push_back(one);
         },
         "layers[0].art[1].segments: more than 32767 segments"},
    };
    const json good = DumpDocument(SampleDocument());
    ASSERT_NO_THROW(LoadDocument(good));
    for (const Malformed& c : cases) {
        json j = good;
        c.spoil(j);
        try {
            LoadDocument(j);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const DumpError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
    // Exactly the limit is fine.
    json full = good;
    json& segs = full["layers"][0]["art"][1]["segments"];
    while (segs.size() < kAIMaxPathSegments) segs.push_back(segs[0]);
    EXPECT_EQ(LoadDocument(full).FindArt(2)->path.SegmentCount(), size_t{kAIMaxPathSegments});
}

TEST(JsonDump, TextThatIsNotADumpIsRefused) {
    for (const char* text : {"", "{\"page\": ", "[1, 2]", "null", "{}"}) {
        try {
            LoadDocumentText(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DumpError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("document: ", 0) == 0 ||
                          std::string(e.what()).rfind("page: missing", 0) == 0,
                      true)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace easel
