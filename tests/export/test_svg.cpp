#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SampleDocument.h"
#include "export/Svg.h"

namespace easel {
namespace {

using testing::SampleDocument;

std::vector<std::string> Elements(const std::string& svg, const std::string& tag) {
    std::vector<std::string> found;
    const std::regex re("<" + tag + "\\b[^>]*>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

std::string Attr(const std::string& element, const std::string& name) {
    std::smatch m;
    if (!std::regex_search(element, m, std::regex("\\s" + name + "=\"([^\"]*)\""))) return "<absent>";
    return m[1];
}

// Paths inside the layer groups, in file order (symbols come first in <defs>).
std::vector<std::string> LayerPaths(const std::string& svg) {
    const auto defsEnd = svg.find("</defs>");
    return Elements(defsEnd == std::string::npos ? svg : svg.substr(defsEnd), "path");
}

TEST(Svg, PageInPointsAndEachLayerFlipsY) {
    const std::string svg = ExportSvg(SampleDocument());
    const auto root = Elements(svg, "svg");
    ASSERT_EQ(root.size(), 1u);
    EXPECT_EQ(Attr(root[0], "width"), "612pt");
    EXPECT_EQ(Attr(root[0], "height"), "792pt");
    EXPECT_EQ(Attr(root[0], "viewBox"), "0 0 612 792");
    EXPECT_EQ(Attr(root[0], "xmlns:inkscape"), "http://www.inkscape.org/namespaces/inkscape");

    // (x, y) -> (x, 792 - y): the triangle's apex at y = 600 lands 192 from the top.
    const auto groups = Elements(svg, "g");
    ASSERT_GE(groups.size(), 2u);
    for (const auto& g : groups) EXPECT_EQ(Attr(g, "transform"), "matrix(1 0 0 -1 0 792)");
    // Coordinates stay the document's exact floats, shortest text.
    EXPECT_NE(svg.find("M 0.1 5 "), std::string::npos);
}

TEST(Svg, LayersBottomFirstWithLabelsAndHiddenState) {
    const std::string svg = ExportSvg(SampleDocument());
    std::vector<std::string> layers;
    for (const auto& g : Elements(svg, "g"))
        if (Attr(g, "inkscape:groupmode") == "layer") layers.push_back(g);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(Attr(layers[0], "inkscape:label"), "Layer 1");
    EXPECT_EQ(Attr(layers[0], "style"), "<absent>");
    EXPECT_EQ(Attr(layers[1], "inkscape:label"), "Stars &amp; &lt;Hidden&gt; &quot;top&quot;");
    EXPECT_EQ(Attr(layers[1], "style"), "display:none");
}

TEST(Svg, PathDataLinesCurvesAndClosing) {
    const auto paths = LayerPaths(ExportSvg(SampleDocument()));
    // The empty path is left out: 3 paths on layer 1, 1 on layer 2.
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(Attr(paths[0], "d"), "M 100 700 L 200 700 L 150 600");
    // Only the curve's out handle of the first anchor is off its anchor; still a curve.
    EXPECT_EQ(Attr(paths[1], "d"), "M 10 20 C 30 40 40 60 50 20");
    // Closing runs from the last anchor (a corner) back to the first, whose in handle is off.
    EXPECT_EQ(Attr(paths[2], "d"), "M 0.1 5 C 1 9 20 5 20 5 C 20 5 0 0 0.1 5 Z");
    EXPECT_EQ(Attr(paths[2], "fill-rule"), "evenodd");
    EXPECT_EQ(Attr(paths[0], "fill-rule"), "<absent>");
    EXPECT_EQ(Attr(paths[2], "opacity"), "0.5");
    EXPECT_EQ(Attr(paths[0], "stroke-width"), "2.5");
}

TEST(Svg, ColoursConvertToSrgbWithStandIns) {
    const auto paths = LayerPaths(ExportSvg(SampleDocument()));
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(Attr(paths[0], "fill"), "#bfbfbf");    // gray ink 0.25 -> 75% white
    EXPECT_EQ(Attr(paths[0], "stroke"), "#408080");  // cmyk .5 0 0 .5 -> .25 .5 .5
    EXPECT_EQ(Attr(paths[1], "fill"), "none");       // fillPaint off
    EXPECT_EQ(Attr(paths[1], "stroke"), "#ff8000");  // rgb as is
    EXPECT_EQ(Attr(paths[2], "fill"), "none");       // kind none
    EXPECT_EQ(Attr(paths[2], "stroke"), "#ff0000");  // cmyk 0 1 1 0
    EXPECT_EQ(Attr(paths[3], "fill"), "#bfbfbf");    // spot: black at tint 0.25
    EXPECT_EQ(Attr(paths[3], "stroke"), "url(#gradient-1)");  // the document's gradient
}

TEST(Svg, SymbolsInDefsWithEscapedNames) {
    const std::string svg = ExportSvg(SampleDocument());
    const auto symbols = Elements(svg, "symbol");
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(Attr(symbols[0], "id"), "symbol-1");
    EXPECT_EQ(Attr(symbols[0], "inkscape:label"), "Star &lt;1&gt;");
    const auto defs = svg.substr(svg.find("<defs>"), svg.find("</defs>") - svg.find("<defs>"));
    EXPECT_NE(defs.find("d=\"M 0 0 L 5 10 L 10 0 L 0 0 Z\""), std::string::npos);
}

TEST(Svg, NamesThatAreNotXmlTextBecomeReplacementCharacters) {
    Document d = NewDocument();
    d.layers[0].name = std::string("a\x01") + "\xff" + "\xc3\xa9";  // control, bad byte, é
    const auto g = Elements(ExportSvg(d), "g");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(Attr(g[0], "inkscape:label"), "a\xef\xbf\xbd\xef\xbf\xbd\xc3\xa9");
}

}  // namespace
}  // namespace easel
