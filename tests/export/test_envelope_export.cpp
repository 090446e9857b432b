// Envelopes, symbols and paint servers in the exports: the JSON dump keeps an envelope whole
// and reads it back; SVG shows an envelope's outline in its place, symbols only in <defs>,
// and real gradients and patterns.
#include <gtest/gtest.h>

#include <string>

#include "document/Envelope.h"
#include "export/JsonDump.h"
#include "export/Svg.h"

namespace easel::testing {
namespace {

AIPathSegment Corner(float x, float y) {
    AIPathSegment s{};
    s.p = s.in = s.out = {x, y};
    s.corner = 1;
    return s;
}

ArtId Add(Document& d, Art a) {
    d.ReserveArt();
    return d.AddArt(std::move(a));
}

Art Square(float x, float y, float size) {
    Art a;
    a.style = DefaultPaint(ColorModel::RGB);
    for (const AIPathSegment& s : {Corner(x, y), Corner(x + size, y), Corner(x + size, y + size), Corner(x, y + size)})
        a.path.SetSegment(a.path.SegmentCount(), s);
    a.path.closed = true;
    return a;
}

// A layer holding a plain square, an envelope of a square into a rectangle with a wave warp,
// and a square on top; plus one symbol.
Document EnvelopeDocument() {
    Document d = NewDocument(ColorModel::RGB);
    Layer& layer = d.layers[0];
    layer.art.push_back(Add(d, Square(0, 0, 5)));
    Art content = Square(100, 100, 50);
    content.opacity = 0.5f;
    content.style.fillColor.kind = kPatternColor;
    content.style.fillColor.ref = 1;
    const ArtId c = Add(d, content);
    const ArtId s = Add(d, Square(80, 80, 90));
    Art env;
    env.kind = ArtKind::Envelope;
    env.opacity = 0.8f;
    env.envelope = EnvelopeData{c, s, 0, 30, 9, -0.25f, 0.5f, 0.0f, true};
    const ArtId e = Add(d, env);
    d.FindArt(c)->owner = e;
    d.FindArt(s)->owner = e;
    layer.art.push_back(e);
    layer.art.push_back(Add(d, Square(300, 300, 5)));
    d.symbols.push_back(Symbol{"New Symbol", Square(1, 1, 2)});
    return d;
}

TEST(EnvelopeDump, RoundTripsExactlyWithContentShapeWarpAndResult) {
    const Document d = EnvelopeDocument();
    const nlohmann::json dump = DumpDocument(d);
    const auto& env = dump["layers"][0]["art"][1];
    EXPECT_EQ(env["kind"], "envelope");
    EXPECT_EQ(env["fidelity"], 30);
    EXPECT_EQ(env["warp"]["style"], 9);
    EXPECT_EQ(env["warp"]["rotate"], true);
    EXPECT_EQ(env["content"]["kind"], "path");
    EXPECT_EQ(env["shape"]["segments"].size(), 4u);
    const PathData result = EnvelopeResult(d, *d.FindArt(d.layers[0].art[1]));
    EXPECT_EQ(env["result"]["segments"].size(), result.SegmentCount());
    EXPECT_GT(result.SegmentCount(), 4u);

    const Document back = LoadDocumentText(DumpDocumentText(d));
    EXPECT_TRUE(SameDocument(d, back));
    EXPECT_EQ(DumpDocumentText(back), DumpDocumentText(d));
    // Content and shape take the ids before the envelope's and are held by it.
    const Art* e = back.FindArt(back.layers[0].art[1]);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->envelope.content, 2u);
    EXPECT_EQ(e->envelope.shape, 3u);
    EXPECT_EQ(back.FindArt(2)->owner, e->id);
    EXPECT_EQ(back.PlacedArt(2), e->id);
}

TEST(EnvelopeDump, BadEnvelopesAreRefusedByPath) {
    const std::string good = DumpDocumentText(EnvelopeDocument());
    const auto refuse = [&](const char* pointer, const nlohmann::json& value, const std::string& message) {
        nlohmann::json dump = nlohmann::json::parse(good);
        if (value.is_discarded())
            dump[nlohmann::json::json_pointer(pointer).parent_pointer()].erase(
                nlohmann::json::json_pointer(pointer).back());
        else
            dump[nlohmann::json::json_pointer(pointer)] = value;
        try {
            LoadDocument(dump);
            ADD_FAILURE() << pointer << " accepted";
        } catch (const DumpError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
        }
    };
    refuse("/layers/0/art/1/warp/style", 16, "layers[0].art[1].warp.style:");
    refuse("/layers/0/art/1/warp/bend", 1.5, "layers[0].art[1].warp.bend: must be from -1 to 1");
    refuse("/layers/0/art/1/fidelity", 101, "layers[0].art[1].fidelity:");
    refuse("/layers/0/art/1/content/kind", "envelope", "layers[0].art[1].content.kind:");
    refuse("/layers/0/art/1/shape", nlohmann::json::value_t::discarded, "layers[0].art[1].shape: missing");
    refuse("/layers/0/art/1/result/segments/0/p", nullptr, "layers[0].art[1].result.segments[0].p:");
    refuse("/layers/0/art/1/kind", "group", "layers[0].art[1].kind: unknown art kind");
    // The result is optional on read: Easel computes it.
    nlohmann::json dump = nlohmann::json::parse(good);
    dump["layers"][0]["art"][1].erase("result");
    EXPECT_TRUE(SameDocument(LoadDocument(dump), EnvelopeDocument()));
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(EnvelopeSvg, ShowsTheResultInStackingOrderAndSymbolsOnlyAsDefinitions) {
    const Document d = EnvelopeDocument();
    const std::string svg = ExportSvg(d);
    const size_t layer = svg.find("inkscape:groupmode=\"layer\"");
    const std::string body = svg.substr(layer);
    EXPECT_EQ(Count(body, "<path"), 3u);  // the envelope shows once, its content and shape not at all
    EXPECT_EQ(Count(svg, "<use"), 0u);    // a symbol is defined, not placed
    EXPECT_EQ(Count(svg, "<symbol id=\"symbol-1\" inkscape:label=\"New Symbol\""), 1u);
    EXPECT_LT(svg.find("<symbol"), layer);
    // The envelope's path is second, with its content's paint and both opacities.
    const size_t first = body.find("<path");
    const size_t second = body.find("<path", first + 1);
    const std::string path = body.substr(second, body.find("/>", second) - second);
    EXPECT_NE(path.find("fill=\"url(#pattern-1)\""), std::string::npos) << path;
    EXPECT_NE(path.find("opacity=\"0.4\""), std::string::npos) << path;
    EXPECT_EQ(path.find("M 100 100"), std::string::npos) << "the content itself is shown";
    EXPECT_EQ(Count(svg, "<pattern id=\"pattern-1\""), 1u);
    EXPECT_EQ(Count(svg, "<linearGradient"), 0u);  // only what is used
}

TEST(EnvelopeSvg, GradientsGetALinearGradientAndUnknownServersTheStandIn) {
    Document d = NewDocument(ColorModel::CMYK);
    Art a = Square(0, 0, 10);
    a.style.fillColor = d.swatches[10].color;  // "White, Black"
    a.style.strokeColor.kind = kPatternColor;
    a.style.strokeColor.ref = 7;                // a pattern the document does not define
    d.layers[0].art.push_back(Add(d, a));
    const std::string svg = ExportSvg(d);
    EXPECT_EQ(d.swatches[10].name, "White, Black");
    EXPECT_EQ(Count(svg, "<linearGradient id=\"gradient-1\""), 1u);
    EXPECT_EQ(Count(svg, "stop-color=\"#ffffff\""), 1u);
    EXPECT_EQ(Count(svg, "stop-color=\"#000000\""), 1u);
    EXPECT_EQ(Count(svg, "fill=\"url(#gradient-1)\""), 1u);
    EXPECT_EQ(Count(svg, "stroke=\"#808080\""), 1u);
    EXPECT_EQ(Count(svg, "<pattern"), 0u);
}

}  // namespace
}  // namespace easel::testing
