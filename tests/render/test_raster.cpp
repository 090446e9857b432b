// The cairo renderer: the default star drawn by the real module lands where its geometry says,
// paint and opacity come out as the SVG export gives them, and the PNG and PDF files.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

#include "export/Export.h"
#include "plugins/PluginManager.h"
#include "render/Raster.h"

namespace easel::testing {
namespace {

struct Rgba {
    int r, g, b, a;
};

// A decoded PNG; pixels are read back without cairo's premultiplication.
class Image {
public:
    explicit Image(const std::string& png) : bytes_(png) {
        surface_ = cairo_image_surface_create_from_png_stream(&Image::Read, this);
    }
    ~Image() { cairo_surface_destroy(surface_); }
    bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(surface_); }
    int Height() const { return cairo_image_surface_get_height(surface_); }
    Rgba At(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        uint32_t p;
        std::memcpy(&p, row + 4 * x, 4);
        const int a = int(p >> 24);
        const auto un = [a](uint32_t c) { return a ? int((c * 255 + uint32_t(a) / 2) / uint32_t(a)) : 0; };
        return {un((p >> 16) & 255), un((p >> 8) & 255), un(p & 255), a};
    }
    // The pixel holding the document point (x, y) at `scale` pixels per point.
    Rgba AtPoint(double x, double y, double pageHeight, double scale) const {
        return At(int(std::floor(x * scale)), int(std::floor((pageHeight - y) * scale)));
    }

private:
    static cairo_status_t Read(void* closure, unsigned char* data, unsigned int length) {
        auto* self = static_cast<Image*>(closure);
        if (self->at_ + length > self->bytes_.size()) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, self->bytes_.data() + self->at_, length);
        self->at_ += length;
        return CAIRO_STATUS_SUCCESS;
    }
    std::string bytes_;
    size_t at_ = 0;
    cairo_surface_t* surface_ = nullptr;
};

Document DefaultStar() {
    HostConfig config;
    config.seed = 1;
    Host host(config);
    PluginManager plugin(host);
    EXPECT_EQ(plugin.Load(EASEL_MODULE), kSPNoError);
    Document& doc = host.NewDocument();
    EXPECT_EQ(plugin.RunFilter(doc), kSPNoError);
    Document copy = doc;
    plugin.Shutdown();
    return copy;
}

TEST(Raster, DefaultStarFillAndOutlineWhereTheGeometryPutsThem) {
    const Document doc = DefaultStar();
    const Art* star = nullptr;
    for (const Layer& l : doc.layers)
        for (ArtId id : l.art) star = doc.FindArt(id);
    ASSERT_NE(star, nullptr);
    const auto& pts = star->path.segments;
    ASSERT_EQ(pts.size(), 30u);

    const Image image(RenderPng(doc));
    ASSERT_TRUE(image.Ok());
    const double scale = RasterScale(doc);
    EXPECT_EQ(image.Width(), 1224);
    EXPECT_EQ(image.Height(), 1584);

    double cx = 0, cy = 0;
    for (const SegmentPoints& p : pts) cx += p.px / 30.0, cy += p.py / 30.0;
    const auto expectFill = [&](double x, double y) {
        const Rgba c = image.AtPoint(x, y, doc.pageHeight, scale);
        EXPECT_TRUE(c.r == 255 && c.g == 255 && c.b == 255 && c.a == 255)
            << "at (" << x << ", " << y << "): " << c.r << " " << c.g << " " << c.b << " " << c.a;
    };
    const auto expectOutline = [&](double x, double y) {
        const Rgba c = image.AtPoint(x, y, doc.pageHeight, scale);
        EXPECT_TRUE(c.r < 96 && c.g < 96 && c.b < 96 && c.a > 160)
            << "at (" << x << ", " << y << "): " << c.r << " " << c.g << " " << c.b << " " << c.a;
    };
    expectFill(cx, cy);
    for (size_t i = 0; i < pts.size(); ++i) {
        const SegmentPoints& a = pts[i];
        const SegmentPoints& b = pts[(i + 1) % pts.size()];
        expectOutline(a.px, a.py);
        // The segment's own midpoint (t = 1/2 of its cubic).
        expectOutline((a.px + 3 * a.ox + 3 * b.ix + b.px) / 8, (a.py + 3 * a.oy + 3 * b.iy + b.py) / 8);
        // Halfway from the centre to an anchor is well inside.
        expectFill((cx + a.px) / 2, (cy + a.py) / 2);
    }
    // Past the shell's distance (140) and its miters: nothing, not even a background.
    for (int k = 0; k < 16; ++k) {
        const double t = k * M_PI / 8;
        EXPECT_EQ(image.AtPoint(cx + 150 * std::cos(t), cy + 150 * std::sin(t), doc.pageHeight, scale).a, 0);
    }
    EXPECT_EQ(image.At(0, 0).a, 0);
}

AIPathSegment Corner(float x, float y) { return AIPathSegment{{x, y}, {x, y}, {x, y}, 1}; }

ArtId AddSquare(Document& d, size_t layer, float x, float y, float side, const PathStyle& style, float opacity) {
    Art a;
    for (const AIPathSegment& s : {Corner(x, y), Corner(x + side, y), Corner(x + side, y + side), Corner(x, y + side)})
        a.path.SetSegment(a.path.SegmentCount(), s);
    a.path.closed = true;
    a.style = style;
    a.opacity = opacity;
    d.ReserveArt();
    const ArtId id = d.AddArt(std::move(a));
    d.layers[layer].art.push_back(id);
    return id;
}

TEST(Raster, PaintOpacityLayersAndRulesAsTheSvgShowsThem) {
    Document d = NewDocument(ColorModel::CMYK);
    d.pageWidth = 100;
    d.pageHeight = 50;
    PathStyle unstroked = DefaultPaint(ColorModel::CMYK);
    unstroked.strokePaint = 0;

    PathStyle cmyk = unstroked;  // (1 - 0.5)(1 - 0.5) = 0.25 -> 64
    cmyk.fillColor = CmykColor(0.5f, 0, 1, 0.5f);
    AddSquare(d, 0, 0, 0, 20, cmyk, 1.0f);
    PathStyle spot = unstroked;  // black at its tint
    spot.fillColor = PaintColor{kCustomColor, {0.25f, 0, 0, 0}, 3};
    AddSquare(d, 0, 20, 0, 20, spot, 0.5f);
    PathStyle pattern = unstroked;
    pattern.fillColor = PaintColor{kPatternColor, {0, 0, 0, 0}, 1};
    AddSquare(d, 0, 40, 0, 20, pattern, 1.0f);
    // Two nested squares in one path: even-odd leaves the inner one empty.
    PathStyle ring = unstroked;
    ring.evenOdd = 1;
    ring.fillColor = RgbColor(1, 0, 0);
    Art two;
    for (const AIPathSegment& s : {Corner(60, 0), Corner(100, 0), Corner(100, 40), Corner(60, 40), Corner(60, 0),
                                   Corner(70, 10), Corner(90, 10), Corner(90, 30), Corner(70, 30), Corner(70, 10)})
        two.path.SetSegment(two.path.SegmentCount(), s);
    two.path.closed = true;
    two.style = ring;
    d.ReserveArt();
    d.layers[0].art.push_back(d.AddArt(std::move(two)));
    // A hidden layer over everything draws nothing.
    Layer hidden;
    hidden.id = d.nextLayerId++;
    hidden.visible = false;
    d.layers.push_back(hidden);
    AddSquare(d, 1, 0, 0, 100, cmyk, 1.0f);

    const Image image(RenderPng(d));
    ASSERT_TRUE(image.Ok());
    const auto at = [&](double x, double y) { return image.AtPoint(x, y, d.pageHeight, 2.0); };
    const Rgba c = at(10, 10), s = at(30, 10), p = at(50, 10), outer = at(65, 20), inner = at(80, 20);
    EXPECT_TRUE(c.r == 64 && c.g == 128 && c.b == 0 && c.a == 255) << c.r << " " << c.g << " " << c.b;
    EXPECT_TRUE(std::abs(s.r - 191) <= 2 && s.g == s.r && s.b == s.r && std::abs(s.a - 128) <= 1) << s.r << " " << s.a;
    EXPECT_TRUE(p.r == 128 && p.g == 128 && p.b == 128 && p.a == 255);
    EXPECT_TRUE(outer.r == 255 && outer.g == 0 && outer.a == 255);
    EXPECT_EQ(inner.a, 0);
    EXPECT_EQ(at(50, 45).a, 0);  // above every square: the hidden layer is not drawn

    // A faded path is one group: its stroke does not show its fill through.
    Document f = NewDocument();
    f.pageWidth = f.pageHeight = 40;
    PathStyle thick = DefaultPaint(ColorModel::RGB);
    thick.strokeWidth = 10;
    AddSquare(f, 0, 10, 10, 20, thick, 0.5f);
    const Image faded(RenderPng(f));
    const Rgba edge = faded.AtPoint(11, 20, 40, 2.0);  // under the stroke, inside the fill
    EXPECT_TRUE(edge.r == 0 && std::abs(edge.a - 128) <= 1) << edge.r << " " << edge.a;
}

// Pixels of `list` drawn over a transparent ARGB image at `scale`, by `threads` threads.
std::vector<unsigned char> Draw(const RenderList& list, double scale, unsigned threads, Progress* progress = nullptr) {
    const int width = int(std::lround(list.pageWidth * scale)), height = int(std::lround(list.pageHeight * scale));
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    std::vector<unsigned char> pixels(size_t(stride) * size_t(height), 0);
    DrawRenderListToImage(list, pixels.data(), CAIRO_FORMAT_ARGB32, width, height, stride, {scale, 0, 0}, progress,
                          threads);
    return pixels;
}

// The same drawn in one piece on one cairo context.
std::vector<unsigned char> DrawWhole(const RenderList& list, double scale) {
    const int width = int(std::lround(list.pageWidth * scale)), height = int(std::lround(list.pageHeight * scale));
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    std::vector<unsigned char> pixels(size_t(stride) * size_t(height), 0);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_ARGB32, width, height, stride);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    cairo_translate(cr, 0, scale * list.pageHeight);
    cairo_scale(cr, scale, -scale);
    DrawRenderList(cr, list);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return pixels;
}

TEST(Raster, BandsAndThreadsDrawTheSamePixelsAsOnePiece) {
    // Stars over the whole page, some faded, dashed, thick-stroked or even-odd, so that paths
    // cross every band boundary.
    HostConfig config;
    config.seed = 3;
    Host host(config);
    PluginManager plugin(host);
    ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPNoError);
    Document& doc = host.NewDocument();
    for (int i = 0; i < 4; ++i) ASSERT_EQ(plugin.RunFilter(doc), kSPNoError);
    Document d = doc;
    plugin.Shutdown();
    size_t n = 0;
    for (auto& slot : d.arts) {
        if (!slot) continue;
        Art& a = *slot;
        a.opacity = n % 3 == 0 ? 0.5f : 1.0f;
        a.style.strokeWidth = float(1 + n % 7);
        if (n % 4 == 1) a.style.dash = PathDash{2, {6, 3}, 1};
        a.style.evenOdd = n % 5 == 2;
        ++n;
    }
    PathStyle thick = DefaultPaint(ColorModel::RGB);
    thick.strokeWidth = 12;
    for (int k = 0; k < 8; ++k) AddSquare(d, 0, 30.0f + 70.0f * float(k), 30.0f + 90.0f * float(k), 60, thick, k % 2 ? 0.4f : 1.0f);
    const auto list = MakeRenderList(d);
    ASSERT_GT(list->paths.size(), 8u);
    for (double scale : {1.0, 0.75}) {
        const auto whole = DrawWhole(*list, scale);
        EXPECT_TRUE(Draw(*list, scale, 1) == whole) << "at scale " << scale;
        EXPECT_TRUE(Draw(*list, scale, 3) == whole) << "at scale " << scale;
        EXPECT_TRUE(Draw(*list, scale, 8) == whole) << "at scale " << scale;
    }
}

TEST(Raster, FadedPathsKeepTheirMitersAndSinglePaints) {
    // A thin spike with a thick miter stroke reaches far past its anchors' bounds: the faded
    // group must not cut it off. The stroke alone, faded, is drawn at the path's alpha.
    Document d = NewDocument();
    d.pageWidth = 100;
    d.pageHeight = 60;
    PathStyle spike = DefaultPaint(ColorModel::RGB);
    spike.strokeWidth = 8;
    spike.miterLimit = 10;
    spike.fillColor = RgbColor(0, 0, 1);
    spike.strokeColor = RgbColor(1, 0, 0);
    Art a;
    for (const AIPathSegment& s : {Corner(10, 10), Corner(50, 25), Corner(10, 40)}) a.path.SetSegment(a.path.SegmentCount(), s);
    a.path.closed = true;
    a.style = spike;
    a.opacity = 0.5f;
    d.ReserveArt();
    d.layers[0].art.push_back(d.AddArt(std::move(a)));
    PathStyle outline = spike;
    outline.fillPaint = 0;
    outline.miterLimit = 4;
    AddSquare(d, 0, 70, 20, 20, outline, 0.5f);

    const Image image(RenderPng(d));
    const auto at = [&](double x, double y) { return image.AtPoint(x, y, d.pageHeight, 2.0); };
    // The miter's tip: the half-angle at (50, 25) is atan(15/40), so the tip lies
    // 4 / sin(20.56°) = 11.4 points past the anchor, the limit (10 x 4 = 40) not reached.
    const Rgba tip = at(59.5, 25);
    EXPECT_TRUE(tip.r == 255 && tip.b == 0 && std::abs(tip.a - 128) <= 1) << tip.r << " " << tip.b << " " << tip.a;
    const Rgba inside = at(25, 25);  // the fill, faded
    EXPECT_TRUE(inside.b == 255 && inside.r == 0 && std::abs(inside.a - 128) <= 1) << inside.b << " " << inside.a;
    const Rgba side = at(70, 30);    // the stroke alone, faded
    EXPECT_TRUE(side.r == 255 && std::abs(side.a - 128) <= 1) << side.r << " " << side.a;
    EXPECT_EQ(at(80, 30).a, 0);      // unfilled
}

// A progress that answers stop after `allowed` reports, and keeps what it heard.
class StopAfter : public Progress {
public:
    explicit StopAfter(int allowed) : allowed_(allowed) {}
    bool Report(double done) override {
        heard.push_back(done);
        return int(heard.size()) < allowed_;
    }
    std::vector<double> heard;

private:
    int allowed_;
};

TEST(Raster, ProgressRisesToOneAndStopsTheRender) {
    Document d = NewDocument();
    PathStyle style = DefaultPaint(ColorModel::RGB);
    for (int i = 0; i < 400; ++i) AddSquare(d, 0, float(i % 20) * 30, float(i / 20) * 38, 25, style, 1.0f);
    const auto list = MakeRenderList(d);

    StopAfter patient(1 << 30);
    const std::string png = RenderPng(d, &patient);
    ASSERT_FALSE(patient.heard.empty());
    EXPECT_EQ(patient.heard.back(), 1.0);
    for (size_t i = 1; i < patient.heard.size(); ++i) EXPECT_LE(patient.heard[i - 1], patient.heard[i]);

    for (unsigned threads : {1u, 2u}) {
        StopAfter impatient(1);
        EXPECT_THROW(Draw(*list, 2.0, threads, &impatient), Cancelled);
        EXPECT_EQ(impatient.heard.size(), 1u);
    }
    StopAfter impatient(1);
    EXPECT_THROW(RenderPng(d, &impatient), Cancelled);
}

TEST(Raster, FilesAndPagesThatCannotBeImages) {
    const auto dir = std::filesystem::temp_directory_path() / ("raster-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    Document d = NewDocument();
    PathStyle style = DefaultPaint(ColorModel::RGB);
    AddSquare(d, 0, 100, 100, 50, style, 1.0f);

    WriteDocumentFile(d, (dir / "a.PNG").string());
    WriteDocumentFile(d, (dir / "a.pdf").string());
    std::ifstream png(dir / "a.PNG", std::ios::binary), pdf(dir / "a.pdf", std::ios::binary);
    const std::string pngBytes{std::istreambuf_iterator<char>(png), {}};
    const std::string pdfBytes{std::istreambuf_iterator<char>(pdf), {}};
    EXPECT_EQ(pngBytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(pdfBytes.substr(0, 5), "%PDF-");
    EXPECT_NE(pdfBytes.find("/MediaBox [ 0 0 612 792 ]"), std::string::npos);

    // A huge page is drawn smaller rather than refused; a page of no size is refused, and the
    // file it would replace stays as it was.
    Document huge = d;
    huge.pageWidth = 100000;
    huge.pageHeight = 10;
    EXPECT_EQ(Image(RenderPng(huge)).Width(), kMaxRasterSide);
    Document flat = d;
    flat.pageHeight = 0;
    try {
        WriteDocumentFile(flat, (dir / "a.PNG").string());
        ADD_FAILURE() << "a page of height 0 was drawn";
    } catch (const ExportError& e) {
        EXPECT_NE(std::string(e.what()).find("a.PNG"), std::string::npos) << e.what();
    }
    std::ifstream again(dir / "a.PNG", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), pngBytes);
    flat.pageHeight = NAN;
    EXPECT_THROW(RenderPdf(flat), RenderError);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace easel::testing
