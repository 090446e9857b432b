// The window's logic that needs no display: where the page sits and how a pixel maps to the
// artwork (as the document view suite maps a view point), whole-application undo and redo
// through Host::ReplaceDocument, menu texts and export names, the recent files, the title and
// the page sizes of File > New.
#include <gtest/gtest.h>

#include <cmath>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "gui/DocumentWindow.h"
#include "gui/ExportDialog.h"
#include "gui/NewDocumentDialog.h"
#include "gui/RecentFiles.h"
#include "gui/PageRenderer.h"
#include "gui/ViewGeometry.h"
#include "plugins/PluginManager.h"

namespace easel::gui {
namespace {

TEST(ViewGeometry, FitZoomAndPan) {
    const Document doc = NewDocument();
    const View fit = FitView(doc, 800, 695);
    EXPECT_EQ(fit.centreX, 306.0f);  // a new settings record's user centre stays the page's
    EXPECT_EQ(fit.centreY, 396.0f);
    EXPECT_NEAR(fit.zoom, (695.0 - 2 * kFitMargin) / 792.0, 1e-6);
    // The page fits with the margin on its tighter side, centred on the other.
    const Point topLeft = ArtworkToPixel(fit, {0, 792});
    const Point bottomRight = ArtworkToPixel(fit, {612, 0});
    EXPECT_NEAR(topLeft.y, kFitMargin, 1e-3);
    EXPECT_NEAR(695 - bottomRight.y, kFitMargin, 1e-3);
    EXPECT_NEAR(topLeft.x, 800 - bottomRight.x, 1e-3);

    // Any size, however small, gives a usable zoom within the limits.
    for (const auto& [w, h] : {std::pair{1, 1}, {0, 0}, {20, 5000}, {100000, 100000}}) {
        const double z = FitZoom(612, 792, w, h);
        EXPECT_TRUE(z >= kMinZoom && z <= kMaxZoom) << w << "x" << h << ": " << z;
    }
    View v = fit;
    for (int i = 0; i < 100; ++i) v = Zoomed(v, 1);
    EXPECT_EQ(v.zoom, static_cast<float>(kMaxZoom));
    EXPECT_EQ(v.centreX, fit.centreX);
    v = Zoomed(Zoomed(fit, 3), -3);
    EXPECT_NEAR(v.zoom, fit.zoom, 1e-6);

    // Panning keeps the centre on the page, whatever the drag.
    const View far = Panned(fit, doc, 1e9, -1e9);
    EXPECT_EQ(far.centreX, 612.0f);
    EXPECT_EQ(far.centreY, 792.0f);
}

TEST(ViewGeometry, PixelsAreTheViewPointsTheViewSuiteConverts) {
    View v;
    v.centreX = 100;
    v.centreY = 50;
    v.zoom = 2;
    v.widthPx = 640;
    v.heightPx = 480;
    // The view suite: artwork = centre + (p - size / 2) / zoom, y flipped.
    const Point a = PixelToArtwork(v, {0, 0});
    EXPECT_DOUBLE_EQ(a.x, 100 - 320 / 2.0);
    EXPECT_DOUBLE_EQ(a.y, 50 + 240 / 2.0);
    for (const Point p : {Point{0, 0}, Point{639, 479}, Point{17.5, 300}}) {
        const Point back = ArtworkToPixel(v, PixelToArtwork(v, p));
        EXPECT_NEAR(back.x, p.x, 1e-9);
        EXPECT_NEAR(back.y, p.y, 1e-9);
    }
}

Document WithLayers(int n) {
    Document d = NewDocument();
    for (int i = 1; i < n; ++i) d.layers.push_back(Layer{d.nextLayerId++, "L", true, false, {}});
    return d;
}

TEST(ApplicationHistory, UndoRedoAndANewApplicationDropsTheRedo) {
    ApplicationHistory h;
    const Document shown;  // whole documents are put back as they were, whatever is shown
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.Undo(shown).has_value());
    EXPECT_FALSE(h.Redo(shown).has_value());
    h.Applied({"one", WithLayers(1), WithLayers(2)});
    h.Applied({"two", WithLayers(2), WithLayers(3)});
    EXPECT_EQ(h.UndoTitle(), "two");
    EXPECT_EQ(h.Undo(shown)->layers.size(), 2u);
    EXPECT_EQ(h.Undo(shown)->layers.size(), 1u);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_EQ(h.RedoTitle(), "one");
    EXPECT_EQ(h.Redo(shown)->layers.size(), 2u);
    h.Applied({"three", WithLayers(2), WithLayers(4)});
    EXPECT_FALSE(h.CanRedo());  // "two" is gone for good
    EXPECT_EQ(h.Undo(shown)->layers.size(), 2u);
    EXPECT_EQ(h.Undo(shown)->layers.size(), 1u);

    ApplicationHistory many;
    for (size_t i = 0; i < ApplicationHistory::kMaxApplications + 5; ++i)
        many.Applied({std::to_string(i), WithLayers(1), WithLayers(1)});
    size_t undone = 0;
    while (many.Undo(shown)) ++undone;
    EXPECT_EQ(undone, ApplicationHistory::kMaxApplications);
}

TEST(ReplaceDocument, UndoneApplicationsLeaveAHostThatDrawsOnAsBefore) {
    HostConfig config;
    config.seed = 5;
    Host host(config);
    PluginManager plugin(host);
    ASSERT_EQ(plugin.Load(EASEL_MODULE), kSPNoError);
    Document& doc = host.NewDocument();
    const Document empty = doc;
    ASSERT_EQ(plugin.RunFilter(doc), kSPNoError);
    const Document first = doc;
    ASSERT_FALSE(SameDocument(empty, first));

    ASSERT_TRUE(host.ReplaceDocument(doc, empty));
    EXPECT_TRUE(SameDocument(doc, empty));
    EXPECT_EQ(host.HeldArtBytes(), empty.ArtBytes());
    // The plug-in works on the restored document as on any other, previews and all.
    ASSERT_EQ(plugin.RunFilter(doc), kSPNoError);
    EXPECT_FALSE(SameDocument(doc, empty));
    EXPECT_EQ(host.HeldArtBytes(), doc.ArtBytes());

    ASSERT_TRUE(host.ReplaceDocument(doc, first));
    EXPECT_TRUE(SameDocument(doc, first));
    ASSERT_EQ(plugin.RunFilter(doc), kSPNoError);  // on top of the redone art
    size_t art = 0;
    for (const Layer& l : doc.layers) art += l.art.size();
    EXPECT_GT(art, 1u);

    Document stranger = NewDocument();
    EXPECT_FALSE(host.ReplaceDocument(stranger, first));
    plugin.Shutdown();
}

TEST(ViewGeometry, LastPictureStaysUnderItsArtworkThroughZoomAndPan) {
    const Document doc = NewDocument();
    const View fit = FitView(doc, 800, 695);
    for (const View& to : {Zoomed(fit, 2), Zoomed(fit, -1), Panned(Zoomed(fit, 3), doc, 130, -45),
                           Resized(fit, 1000, 300), fit}) {
        const PictureMapping m = MapPicture(fit, to);
        for (const Point a : {Point{0, 0}, Point{612, 792}, Point{100, 650}}) {
            const Point before = ArtworkToPixel(fit, a), after = ArtworkToPixel(to, a);
            EXPECT_NEAR(m.scale * before.x + m.dx, after.x, 1e-3);
            EXPECT_NEAR(m.scale * before.y + m.dy, after.y, 1e-3);
        }
    }
    EXPECT_TRUE(SameView(fit, FitView(doc, 800, 695)));
    EXPECT_FALSE(SameView(fit, Zoomed(fit, 1)));
    EXPECT_FALSE(SameView(fit, Resized(fit, 800, 694)));
}

uint32_t PixelAt(const Frame& f, double x, double y) {
    uint32_t p;
    std::memcpy(&p, f.pixels.data() + size_t(y) * size_t(f.stride) + 4 * size_t(x), 4);
    return p & 0xffffff;
}

// A list of one opaque red square, 100 points a side, its corner at (200, 300).
std::shared_ptr<const RenderList> RedSquare() {
    auto list = std::make_shared<RenderList>();
    list->pageWidth = 612;
    list->pageHeight = 792;
    RenderPath p;
    for (const auto& [x, y] : {std::pair{200.f, 300.f}, {300.f, 300.f}, {300.f, 400.f}, {200.f, 400.f}})
        p.segments.Append({x, y, x, y, x, y}, true);
    p.closed = true;
    p.filled = true;
    p.fill = {1, 0, 0};
    p.reach = {200, 300, 300, 400};
    list->paths.push_back(p);
    return list;
}

TEST(PageRenderer, DrawsDeskPageAndArtWhereTheViewPutsThem) {
    const Document doc = NewDocument();
    const View view = Zoomed(FitView(doc, 400, 300), 1);
    Frame frame;
    ASSERT_TRUE(PageRenderer::Draw(RedSquare().get(), view, frame, nullptr));
    ASSERT_EQ(frame.width, 400);
    ASSERT_EQ(frame.height, 300);
    EXPECT_EQ(PixelAt(frame, 1, 1), 0x9e9e9eu);  // the desk
    const Point square = ArtworkToPixel(view, {250, 350});
    const Point page = ArtworkToPixel(view, {100, 100});
    EXPECT_EQ(PixelAt(frame, square.x, square.y), 0xff0000u);
    EXPECT_EQ(PixelAt(frame, page.x, page.y), 0xffffffu);
    // A report that says stop leaves the picture incomplete.
    EXPECT_FALSE(PageRenderer::Draw(RedSquare().get(), view, frame, [](double) { return false; }));
}

TEST(PageRenderer, OnlyTheNewestRequestIsDelivered) {
    // Heavy art first, then at once a light one: the first is stale and never delivered.
    auto heavy = std::make_shared<RenderList>(*RedSquare());
    for (int i = 0; i < 2000; ++i) heavy->paths.push_back(heavy->paths[0]);
    const auto light = RedSquare();
    const Document doc = NewDocument();
    const View view = FitView(doc, 600, 600);

    std::mutex m;
    std::condition_variable cv;
    std::vector<std::shared_ptr<const RenderList>> delivered;
    std::vector<uint64_t> numbers;
    PageRenderer* self = nullptr;
    PageRenderer renderer([&] {
        std::lock_guard<std::mutex> lock(m);
        if (auto f = self->TakeFrame()) {
            delivered.push_back(f->list);
            numbers.push_back(f->request);
        }
        cv.notify_all();
    });
    self = &renderer;
    renderer.Request(heavy, view);
    const uint64_t second = renderer.Request(light, Zoomed(view, 1));
    EXPECT_EQ(renderer.LastRequest(), second);
    {
        std::unique_lock<std::mutex> lock(m);
        cv.wait(lock, [&] { return !numbers.empty() && numbers.back() == second; });
        for (const auto& list : delivered) EXPECT_EQ(list, light);
    }
    EXPECT_FALSE(renderer.Busy());
    renderer.Cancel();  // nothing running: nothing changes
    EXPECT_FALSE(renderer.Busy());
}

TEST(MenuAndExportNames, EscapedAndExtended) {
    EXPECT_EQ(MenuLabel("ZTK <Create>"), "ZTK <Create>");
    EXPECT_EQ(MenuLabel("Corvanta ..."), "Corvanta ...");
    EXPECT_EQ(MenuLabel("In/Out & _x"), "In\\/Out && _x");
    EXPECT_EQ(MenuLabel("_x\\"), "\\_x\\\\");

    EXPECT_EQ(WithExportExtension("stars.svg", 1), "stars.png");
    EXPECT_EQ(WithExportExtension("/a/b.c/stars.PDF", 0), "/a/b.c/stars.svg");
    EXPECT_EQ(WithExportExtension("stars.json", 2), "stars.pdf");
    EXPECT_EQ(WithExportExtension("stars", 2), "stars.pdf");
    EXPECT_EQ(WithExportExtension("stars.v2", 0), "stars.v2.svg");
    EXPECT_EQ(ExportFormatOf("x.Png"), 1);
    EXPECT_EQ(ExportFormatOf("x.gif"), -1);
}

// A folder of its own for one test, removed at its end.
struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const char* name)
        : path(std::filesystem::temp_directory_path() / (std::string(name) + "." + std::to_string(::testing::UnitTest::GetInstance()->random_seed()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

void WriteText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

TEST(RecentFiles, NewestFirstOnceEachAndBounded) {
    RecentFiles r;
    for (int i = 1; i <= 10; ++i) r.Add("/d/" + std::to_string(i) + ".svg");
    r.Add("/d/x/../5.svg");  // the same file spelled otherwise: moves to the front, listed once
    ASSERT_EQ(r.Paths().size(), RecentFiles::kMaxFiles);
    const std::vector<std::string> expected = {"/d/5.svg", "/d/10.svg", "/d/9.svg", "/d/8.svg",
                                               "/d/7.svg", "/d/6.svg", "/d/4.svg", "/d/3.svg"};
    EXPECT_EQ(r.Paths(), expected);
    EXPECT_TRUE(r.Remove("/d/9.svg"));
    EXPECT_FALSE(r.Remove("/d/9.svg"));
    EXPECT_EQ(r.Paths().size(), RecentFiles::kMaxFiles - 1);
    // A relative name is kept as the absolute one it stands for now.
    r.Add("here.json");
    EXPECT_EQ(r.Paths().front(), (std::filesystem::current_path() / "here.json").lexically_normal().string());
}

TEST(RecentFiles, KeptInTheConfigFileAndAMissingFileDropped) {
    TempDir dir("easel_recent");
    const std::filesystem::path list = dir.path / "easel" / "recent-files";  // the folder is made
    const std::string there = (dir.path / "there.svg").string(), gone = (dir.path / "gone.svg").string();
    WriteText(there, "<svg/>");
    RecentFiles r;
    r.Add(gone);
    r.Add(there);
    std::string problem;
    ASSERT_TRUE(r.Save(list, &problem)) << problem;
    RecentFiles back = RecentFiles::Load(list, &problem);
    EXPECT_EQ(back.Paths(), r.Paths());
    EXPECT_TRUE(problem.empty()) << problem;

    EXPECT_TRUE(back.StillThere(there));
    EXPECT_FALSE(back.StillThere(gone));
    EXPECT_EQ(back.Paths(), std::vector<std::string>{there});
    EXPECT_FALSE(back.StillThere(dir.path.string()));  // a folder is not a document
}

TEST(RecentFiles, AFileThatIsNotTheListGivesAnEmptyOneAndAReason) {
    TempDir dir("easel_recent_bad");
    const std::filesystem::path list = dir.path / "recent-files";
    std::string problem;
    // No file: an empty list, nothing to say.
    EXPECT_TRUE(RecentFiles::Load(list, &problem).Paths().empty());
    EXPECT_TRUE(problem.empty());

    // Lines that are not absolute paths are skipped, repeats and CRLF endings handled.
    WriteText(list, "/a.svg\r\nrelative.svg\n\n/b.json\n/a.svg\n" + std::string("/c\0.svg\n", 8));
    EXPECT_EQ(RecentFiles::Load(list, &problem).Paths(), (std::vector<std::string>{"/a.svg", "/b.json"}));

    // Too large to be the list, and a folder where the file should be: empty, and said.
    WriteText(list, std::string(RecentFiles::kMaxFileBytes + 1, '/'));
    EXPECT_TRUE(RecentFiles::Load(list, &problem).Paths().empty());
    EXPECT_NE(problem.find("recent-files"), std::string::npos) << problem;
    std::filesystem::remove(list);
    std::filesystem::create_directories(list);
    problem.clear();
    EXPECT_TRUE(RecentFiles::Load(list, &problem).Paths().empty());
    EXPECT_FALSE(problem.empty());
    // ... and it cannot be written over either: false, and said.
    problem.clear();
    RecentFiles r;
    r.Add("/a.svg");
    EXPECT_FALSE(r.Save(list, &problem));
    EXPECT_FALSE(problem.empty());
}

TEST(WindowTitle, NameUnsavedMarkAndEasel) {
    EXPECT_EQ(WindowTitle("", false), "Untitled \xE2\x80\x94 Easel");
    EXPECT_EQ(WindowTitle("", true), "Untitled* \xE2\x80\x94 Easel");
    EXPECT_EQ(WindowTitle("/home/u/art/name.svg", true), "name.svg* \xE2\x80\x94 Easel");
    EXPECT_EQ(WindowTitle("dump.json", false), "dump.json \xE2\x80\x94 Easel");
}

TEST(NewDocument, PageSizesInPoints) {
    // Letter is 8.5 x 11 inches; A4 210 x 297 mm and A3 297 x 420 mm, 72 points an inch.
    EXPECT_EQ(kPageSizes[0].width, 612.0f);
    EXPECT_EQ(kPageSizes[0].height, 792.0f);
    EXPECT_NEAR(kPageSizes[1].width, 595.2756, 1e-3);
    EXPECT_NEAR(kPageSizes[1].height, 841.8898, 1e-3);
    EXPECT_NEAR(kPageSizes[2].width, 841.8898, 1e-3);
    EXPECT_NEAR(kPageSizes[2].height, 1190.5512, 1e-3);
    const Document a3 = easel::NewDocument(ColorModel::CMYK, kPageSizes[2].width, kPageSizes[2].height);
    EXPECT_EQ(a3.pageWidth, kPageSizes[2].width);
    EXPECT_EQ(a3.colorModel, ColorModel::CMYK);
    EXPECT_FLOAT_EQ(a3.views.at(0).centreY, kPageSizes[2].height / 2);
}

}  // namespace
}  // namespace easel::gui
