// PageView.h: the document area of the window: the page on a gray desk, the art drawn by the
// cairo renderer, zoom and panning, and the click that answers a pick.
#pragma once

#include <FL/Fl_Widget.H>

#include <functional>
#include <vector>

#include "document/Document.h"
#include "gui/ViewGeometry.h"

namespace easel::gui {

class PageView : public Fl_Widget {
public:
    PageView(int x, int y, int w, int h);

    // The document shown (not owned; null shows the desk only). Its first view is kept equal
    // to what the area shows, so that the plug-in converts view points as the user sees them.
    void SetDocument(Document* doc);
    Document* CurrentDocument() const { return doc_; }

    void Fit();              // the whole page; kept fitted through resizes until a zoom or pan
    void Zoom(int steps);    // kZoomStep per step about the centre of the area
    const View& CurrentView() const { return view_; }

    // The next click in the area calls `done` with its view point (pixels from the area's
    // top-left corner) instead of panning; Escape or CancelPick abandons it.
    void BeginPick(std::function<void(int h, int v)> done);
    void CancelPick();
    bool Picking() const { return static_cast<bool>(pick_); }

    void draw() override;
    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;

private:
    void Store();  // view_ into the document's first view

    Document* doc_ = nullptr;
    View view_;
    bool fitted_ = true;
    int dragX_ = 0, dragY_ = 0;
    std::function<void(int, int)> pick_;
    std::vector<unsigned char> rgb_;  // the last frame, 3 bytes a pixel
};

}  // namespace easel::gui
