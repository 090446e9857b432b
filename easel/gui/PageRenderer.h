// PageRenderer.h: renders the document area away from the user-interface thread.
//
// The window asks for a picture of a render list (an immutable snapshot of the document's
// drawable paths, made on the user-interface thread; it shares the paths' segments, which the
// document copies before writing while a list holds them) through a view; one worker thread draws
// it: the gray desk, the page's shadow and white sheet, the art, the page's border. A newer
// request makes the one being drawn stale: it stops between paths and is never delivered.
// Cancel stops the current one and asks for nothing new. A finished picture is handed over
// through `ready`, called on the worker thread (the window wakes its event loop there and
// takes the picture with TakeFrame on its own thread).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "document/Document.h"
#include "render/RenderList.h"

namespace easel::gui {

// One picture of the document area: cairo RGB24 pixels (a native 32-bit word 0x00RRGGBB a
// pixel, `stride` bytes a row) and what it shows.
struct Frame {
    int width = 0, height = 0, stride = 0;
    std::vector<unsigned char> pixels;
    View view;                                  // the view it was drawn through
    std::shared_ptr<const RenderList> list;     // the art it shows (null: the desk only)
    uint64_t request = 0;                       // the request it answers
};

class PageRenderer {
public:
    // `ready` is called on the worker thread each time a picture is finished.
    explicit PageRenderer(std::function<void()> ready);
    ~PageRenderer();  // stops the current render and joins the worker
    PageRenderer(const PageRenderer&) = delete;
    PageRenderer& operator=(const PageRenderer&) = delete;

    // Asks for `list` through `view` (its size in pixels is the picture's); any earlier
    // request still being drawn is abandoned. Returns the request's number (increasing).
    uint64_t Request(std::shared_ptr<const RenderList> list, const View& view);
    // Abandons the request being drawn, if any; the last finished picture stays.
    void Cancel();

    // The newest finished picture not yet taken, or null.
    std::unique_ptr<Frame> TakeFrame();

    // Whether a request is being drawn (or waits to be), and its share done, 0..1.
    bool Busy() const { return busy_.load(); }
    double Done() const { return done_.load(); }
    // The number of the last request made.
    uint64_t LastRequest() const { return latest_.load(); }

    // Draws `list` (null: the desk only) through `view` into `frame` on the calling thread,
    // as the worker does; `report` hears the share done every few milliseconds and answers
    // false to stop, and then Draw returns false.
    static bool Draw(const RenderList* list, const View& view, Frame& frame, const std::function<bool(double)>& report);

private:
    void Run();

    std::function<void()> ready_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    bool pending_ = false;  // a request waits for the worker
    std::shared_ptr<const RenderList> list_;
    View view_;
    std::atomic<uint64_t> latest_{0};
    std::atomic<bool> busy_{false};
    std::atomic<double> done_{0};
    std::unique_ptr<Frame> finished_;
    std::thread worker_;  // last, so that it starts when everything above is made
};

}  // namespace easel::gui
