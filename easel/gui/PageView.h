// PageView.h: the document area of the window: the page on a gray desk, the art drawn by the
// cairo renderer, zoom and panning, and the click that answers a pick.
//
// The art is rendered off the user-interface thread (PageRenderer) from a render list, an
// immutable copy of the document's drawable paths made here when the document changed. Until
// the new picture arrives the last finished one stays up, zoomed and moved to the current
// view, so the window answers at once however long the art takes.
#pragma once

#include <FL/Fl_Widget.H>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "document/Document.h"
#include "gui/PageRenderer.h"
#include "gui/ViewGeometry.h"

namespace easel::gui {

class PageView : public Fl_Widget {
public:
    PageView(int x, int y, int w, int h);
    ~PageView() override;

    // The document shown (not owned; null shows the desk only). Its first view is kept equal
    // to what the area shows, so that the plug-in converts view points as the user sees them.
    void SetDocument(Document* doc);
    Document* CurrentDocument() const { return doc_; }
    // The document's art changed: it is copied again and rendered at the next draw.
    void DocumentChanged();

    void Fit();              // the whole page; kept fitted through resizes until a zoom or pan
    void Zoom(int steps);    // kZoomStep per step about the centre of the area
    const View& CurrentView() const { return view_; }

    // The next click in the area calls `done` with its view point (pixels from the area's
    // top-left corner) instead of panning; Escape or CancelPick abandons it.
    void BeginPick(std::function<void(int h, int v)> done);
    void CancelPick();
    bool Picking() const { return static_cast<bool>(pick_); }

    // Rendering: whether the picture shown is not yet the one asked for, since when, and how
    // far its render is (0..1). CancelRender stops it and keeps the last picture up until the
    // document or the view changes again.
    bool Rendering() const { return waiting_; }
    std::chrono::steady_clock::time_point RenderingSince() const { return waitingSince_; }
    double RenderDone() const { return renderer_->Done(); }
    void CancelRender();
    // Called on the user-interface thread when a render starts and when it ends (a picture
    // arrived or it was cancelled).
    void OnRenderState(std::function<void()> changed) { renderState_ = std::move(changed); }

    void draw() override;
    int handle(int event) override;
    void resize(int x, int y, int w, int h) override;

private:
    void Store();  // view_ into the document's first view
    void Changed();  // the view or the art changed: a new picture is wanted
    void RequestIfNeeded();
    void FrameArrived();
    static void OnFrameReady(void* data);

    Document* doc_ = nullptr;
    View view_;
    bool fitted_ = true;
    int dragX_ = 0, dragY_ = 0;
    std::function<void(int, int)> pick_;

    std::shared_ptr<const RenderList> list_;  // the document's art as last copied
    bool listStale_ = true;
    std::unique_ptr<Frame> frame_;            // the last finished picture
    std::shared_ptr<const RenderList> requestedList_;
    View requestedView_;
    bool requested_ = false;                  // requestedList_/View_ are being drawn or were
    bool cancelled_ = false;                  // the user stopped the render of the current state
    bool waiting_ = false;
    std::chrono::steady_clock::time_point waitingSince_;
    std::function<void()> renderState_;
    std::vector<unsigned char> rgb_;  // the composed area, 3 bytes a pixel
    std::unique_ptr<PageRenderer> renderer_;
};

}  // namespace easel::gui
