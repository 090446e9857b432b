// The basic services and the suites that keep no document state: SP Basic, SP Blocks, MdMemory,
// Real Math, Random and User, and the plug-in's own registrations (Filter, Menu), each called
// with hostile arguments.
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>

#include "AIFilterSuite.h"
#include "AIMdMemory.h"
#include "AIMenu.h"
#include "AIRandom.h"
#include "AIRealMath.h"
#include "AIUndo.h"
#include "AIUser.h"
#include "SPBlocks.h"
#include "validate/host_suites/Kit.h"

namespace easel::validate::host_suites {
namespace {

// ---- SP Basic Suite -------------------------------------------------------------------------

void BasicHostile(Probe& p, Fixture& f, const SPBasicSuite& b) {
    const int before = f.host.OpenAcquisitions();
    const void* table = &f.local;
    p.Code("AcquireSuite(NULL, 9, &table)", b.AcquireSuite(nullptr, kAIArtSuiteVersion, &table), kSPBadParameterError);
    p.Code("AcquireSuite(\"AI Art Suite\", 9, NULL)", b.AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, nullptr),
           kSPBadParameterError);
    p.Code("AcquireSuite(NULL, 9, NULL)", b.AcquireSuite(nullptr, kAIArtSuiteVersion, nullptr), kSPBadParameterError);
    for (int32_t version : {-1, 0, 8, 10, INT32_MIN, INT32_MAX}) {
        table = &f.local;
        const std::string call = Cat("AcquireSuite(\"AI Art Suite\", ", IntText(version), ", &table)");
        p.Code(call, b.AcquireSuite(kAIArtSuite, version, &table), kSPSuiteNotFoundError);
        if (table != nullptr) p.Fault(call + " left the table pointer set");
    }
    const std::string longName(4096, 'A');
    for (const char* name : {"", "AI Art Suite ", "ai art suite", "AI Art Suit", "AI Art Suite\x01", longName.c_str()}) {
        table = &f.local;
        const std::string shown = std::strlen(name) > 40 ? "a 4096-character name" : Cat('"', name, '"');
        p.Code(Cat("AcquireSuite(", shown, ", 9, &table)"), b.AcquireSuite(name, kAIArtSuiteVersion, &table),
               kSPSuiteNotFoundError);
        if (table != nullptr) p.Fault("AcquireSuite(" + shown + ") left the table pointer set");
    }
    p.Code("ReleaseSuite(NULL, 9)", b.ReleaseSuite(nullptr, kAIArtSuiteVersion), kSPBadParameterError);
    p.Code("ReleaseSuite(\"No Such Suite\", 1)", b.ReleaseSuite("No Such Suite", 1), kSPSuiteNotFoundError);
    // The check itself holds no acquisition of the undo suite.
    p.Code("ReleaseSuite of a suite never acquired", b.ReleaseSuite(kAIUndoSuite, kAIUndoSuiteVersion),
           kSPSuiteNotFoundError);
    const void* undo = nullptr;
    p.Code("AcquireSuite(\"AI Undo Suite\", 4)", b.AcquireSuite(kAIUndoSuite, kAIUndoSuiteVersion, &undo), kSPNoError);
    p.Code("ReleaseSuite at another version", b.ReleaseSuite(kAIUndoSuite, kAIUndoSuiteVersion + 1), kSPSuiteNotFoundError);
    p.Code("ReleaseSuite(\"AI Undo Suite\", 4)", b.ReleaseSuite(kAIUndoSuite, kAIUndoSuiteVersion), kSPNoError);
    p.Code("a second ReleaseSuite of one acquisition", b.ReleaseSuite(kAIUndoSuite, kAIUndoSuiteVersion),
           kSPSuiteNotFoundError);
    p.Result("IsEqual(NULL, \"a\")", b.IsEqual(nullptr, "a") == 0, "answered true");
    p.Result("IsEqual(\"a\", NULL)", b.IsEqual("a", nullptr) == 0, "answered true");
    p.Result("IsEqual(NULL, NULL)", b.IsEqual(nullptr, nullptr) == 0, "answered true");
    p.Result("IsEqual(\"a\", \"ab\")", b.IsEqual("a", "ab") == 0, "answered true");
    if (f.host.OpenAcquisitions() != before)
        p.Fault(Cat("open acquisitions went from ", before, " to ", f.host.OpenAcquisitions()));
}

void BasicValid(Probe& p, Fixture&, const SPBasicSuite& b) {
    const void* first = nullptr;
    const void* second = nullptr;
    p.Code("AcquireSuite(\"AI Art Suite\", 9)", b.AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &first), kSPNoError);
    p.Code("AcquireSuite(\"AI Art Suite\", 9) again", b.AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, &second), kSPNoError);
    if (!first || first != second) p.Fault("a repeated acquisition gave another table");
    p.Code("ReleaseSuite(\"AI Art Suite\", 9)", b.ReleaseSuite(kAIArtSuite, kAIArtSuiteVersion), kSPNoError);
    p.Code("ReleaseSuite(\"AI Art Suite\", 9)", b.ReleaseSuite(kAIArtSuite, kAIArtSuiteVersion), kSPNoError);
    p.Result("IsEqual(\"\", \"\")", b.IsEqual("", "") != 0, "answered false");
}

// ---- SP Blocks Suite ------------------------------------------------------------------------

void BlocksHostile(Probe& p, Fixture& f, const SPBlocksSuite& s) {
    const int before = f.host.OpenBlocks();
    void* block = &f.local;
    if (HAS(s, AllocateBlock)) {
        p.Code("AllocateBlock(16, \"check\", NULL)", s.AllocateBlock(16, "check", nullptr), kSPBadParameterError);
        for (size_t size : {SIZE_MAX, SIZE_MAX / 2 + 1}) {
            block = &f.local;
            const std::string call = Cat("AllocateBlock(", size, ", \"check\", &block)");
            p.Code(call, s.AllocateBlock(size, "check", &block), kSPMemoryHandleError);
            if (block != nullptr) p.Fault(call + " left the block pointer set");
        }
    }
    if (HAS(s, FreeBlock)) {
        p.Code("FreeBlock(NULL)", s.FreeBlock(nullptr), kSPNoError);
        for (const auto& h : f.Forged<void*>(false))
            p.Code("FreeBlock(" + h.name + ")", s.FreeBlock(h.handle), kSPBadParameterError);
    }
    if (!s.AllocateBlock || !s.FreeBlock) return;
    void* good = nullptr;
    p.Code("AllocateBlock(64, \"check\", &good)", s.AllocateBlock(64, "check", &good), kSPNoError);
    if (!good) return p.Fault("AllocateBlock gave no block");
    std::memset(good, 0x5A, 64);
    p.Code("FreeBlock(block + 1)", s.FreeBlock(static_cast<char*>(good) + 1), kSPBadParameterError);
    p.Code("FreeBlock(block + 64)", s.FreeBlock(static_cast<char*>(good) + 64), kSPBadParameterError);
    void* freed = nullptr;
    p.Code("AllocateBlock(8, \"check\", &freed)", s.AllocateBlock(8, "check", &freed), kSPNoError);
    p.Code("FreeBlock(freed)", s.FreeBlock(freed), kSPNoError);
    if (freed) p.Code("FreeBlock of a block already freed", s.FreeBlock(freed), kSPBadParameterError);
    if (HAS(s, ReallocateBlock)) {
        void* moved = &f.local;
        p.Code("ReallocateBlock(block, 32, \"check\", NULL)", s.ReallocateBlock(good, 32, "check", nullptr),
               kSPBadParameterError);
        p.Code("ReallocateBlock(NULL, 32, \"check\", &moved)", s.ReallocateBlock(nullptr, 32, "check", &moved),
               kSPBadParameterError);
        if (freed)
            p.Code("ReallocateBlock of a freed block", s.ReallocateBlock(freed, 32, "check", &moved), kSPBadParameterError);
        for (const auto& h : f.Forged<void*>(false))
            p.Code("ReallocateBlock(" + h.name + ", 32)", s.ReallocateBlock(h.handle, 32, "check", &moved),
                   kSPBadParameterError);
        for (size_t size : {SIZE_MAX, SIZE_MAX / 2 + 1}) {
            moved = nullptr;
            const std::string call = Cat("ReallocateBlock(block, ", size, ", \"check\", &moved)");
            p.Code(call, s.ReallocateBlock(good, size, "check", &moved), kSPMemoryHandleError);
            if (moved != good) p.Fault(call + " did not hand back the block it kept");
        }
        bool kept = true;
        for (int i = 0; i < 64; ++i) kept = kept && static_cast<unsigned char*>(good)[i] == 0x5A;
        if (!kept) p.Fault("a refused ReallocateBlock changed the block's bytes");
    }
    // A memory handle and its master pointer are not blocks.
    Acquired<AIMdMemorySuite> md(f.host.Basic(), kAIMdMemorySuite, kAIMdMemorySuiteVersion);
    AIMdMemoryHandle handle = nullptr;
    if (md && md->MdMemoryNewHandle && md->MdMemoryNewHandle(16, &handle) == kSPNoError && handle) {
        p.Code("FreeBlock of a memory handle's block", s.FreeBlock(*handle), kSPBadParameterError);
        p.Code("FreeBlock of a memory handle", s.FreeBlock(handle), kSPBadParameterError);
        md->MdMemoryDisposeHandle(handle);
    }
    p.Code("FreeBlock(block)", s.FreeBlock(good), kSPNoError);
    if (f.host.OpenBlocks() != before) p.Fault(Cat("open blocks went from ", before, " to ", f.host.OpenBlocks()));
}

void BlocksValid(Probe& p, Fixture& f, const SPBlocksSuite& s) {
    if (!s.AllocateBlock || !s.FreeBlock || !s.ReallocateBlock) return;
    const int before = f.host.OpenBlocks();
    void* block = nullptr;
    p.Code("AllocateBlock(0, NULL, &block)", s.AllocateBlock(0, nullptr, &block), kSPNoError);
    void* moved = nullptr;
    p.Code("ReallocateBlock(block, 100, \"check\", &moved)", s.ReallocateBlock(block, 100, "check", &moved), kSPNoError);
    if (!moved) return p.Fault("ReallocateBlock gave no block");
    std::memset(moved, 1, 100);
    p.Code("FreeBlock(moved)", s.FreeBlock(moved), kSPNoError);
    if (f.host.OpenBlocks() != before) p.Fault("a block was not counted back");
}

// ---- AI MdMemory Suite ----------------------------------------------------------------------

void MdMemoryHostile(Probe& p, Fixture& f, const AIMdMemorySuite& s) {
    const int before = f.host.OpenMemoryHandles();
    void* fakeBlock = &f.local;
    auto forged = f.Forged<AIMdMemoryHandle>(false);
    forged.push_back({"the address of a pointer", &fakeBlock});
    AIMdMemoryHandle handle = nullptr;
    if (HAS(s, MdMemoryNewHandle)) {
        p.Code("MdMemoryNewHandle(16, NULL)", s.MdMemoryNewHandle(16, nullptr), kSPBadParameterError);
        for (size_t size : {SIZE_MAX, SIZE_MAX / 2 + 1}) {
            AIMdMemoryHandle none = &fakeBlock;
            const std::string call = Cat("MdMemoryNewHandle(", size, ", &handle)");
            p.Code(call, s.MdMemoryNewHandle(size, &none), kSPMemoryHandleError);
            if (none != nullptr) p.Fault(call + " left the handle set");
        }
        p.Code("MdMemoryNewHandle(32, &handle)", s.MdMemoryNewHandle(32, &handle), kSPNoError);
    }
    AIMdMemoryHandle disposed = nullptr;
    if (s.MdMemoryNewHandle && s.MdMemoryDisposeHandle && s.MdMemoryNewHandle(8, &disposed) == kSPNoError) {
        p.Code("MdMemoryDisposeHandle(disposed)", s.MdMemoryDisposeHandle(disposed), kSPNoError);
        forged.push_back({"a disposed handle", disposed});
    }
    void* block = nullptr;
    Acquired<SPBlocksSuite> blocks(f.host.Basic(), kSPBlocksSuite, kSPBlocksSuiteVersion);
    if (blocks && blocks->AllocateBlock && blocks->AllocateBlock(16, "check", &block) == kSPNoError)
        forged.push_back({"a block", reinterpret_cast<AIMdMemoryHandle>(block)});
    if (handle) {
        std::memset(*handle, 0x5A, 32);
        forged.push_back({"handle + 1 byte", reinterpret_cast<AIMdMemoryHandle>(reinterpret_cast<char*>(handle) + 1)});
    }

    if (HAS(s, MdMemoryDisposeHandle)) {
        p.Code("MdMemoryDisposeHandle(NULL)", s.MdMemoryDisposeHandle(nullptr), kSPNoError);
        for (const auto& h : forged)
            p.Code("MdMemoryDisposeHandle(" + h.name + ")", s.MdMemoryDisposeHandle(h.handle), kSPBadParameterError);
    }
    if (HAS(s, MdMemoryGetSize)) {
        size_t size = 0;
        p.Code("MdMemoryGetSize(NULL, &size)", s.MdMemoryGetSize(nullptr, &size), kSPBadParameterError);
        for (const auto& h : forged)
            p.Code("MdMemoryGetSize(" + h.name + ", &size)", s.MdMemoryGetSize(h.handle, &size), kSPBadParameterError);
        if (handle) p.Code("MdMemoryGetSize(handle, NULL)", s.MdMemoryGetSize(handle, nullptr), kSPBadParameterError);
    }
    if (HAS(s, MdMemoryResizeHandle)) {
        p.Code("MdMemoryResizeHandle(NULL, 8)", s.MdMemoryResizeHandle(nullptr, 8), kSPBadParameterError);
        for (const auto& h : forged)
            p.Code("MdMemoryResizeHandle(" + h.name + ", 8)", s.MdMemoryResizeHandle(h.handle, 8), kSPBadParameterError);
        if (handle) {
            for (size_t size : {SIZE_MAX, SIZE_MAX / 2 + 1})
                p.Code(Cat("MdMemoryResizeHandle(handle, ", size, ")"), s.MdMemoryResizeHandle(handle, size),
                       kSPMemoryHandleError);
            size_t size = 0;
            if (s.MdMemoryGetSize && (s.MdMemoryGetSize(handle, &size) != kSPNoError || size != 32))
                p.Fault("a refused MdMemoryResizeHandle changed the handle's size");
            bool kept = *handle != nullptr;
            for (int i = 0; kept && i < 32; ++i) kept = static_cast<unsigned char*>(*handle)[i] == 0x5A;
            if (!kept) p.Fault("a refused MdMemoryResizeHandle changed the block");
        }
    }
    if (block) blocks->FreeBlock(block);
    if (handle && s.MdMemoryDisposeHandle) s.MdMemoryDisposeHandle(handle);
    if (f.host.OpenMemoryHandles() != before)
        p.Fault(Cat("open memory handles went from ", before, " to ", f.host.OpenMemoryHandles()));
}

void MdMemoryValid(Probe& p, Fixture&, const AIMdMemorySuite& s) {
    if (!s.MdMemoryNewHandle || !s.MdMemoryResizeHandle || !s.MdMemoryGetSize || !s.MdMemoryDisposeHandle) return;
    AIMdMemoryHandle handle = nullptr;
    p.Code("MdMemoryNewHandle(0, &handle)", s.MdMemoryNewHandle(0, &handle), kSPNoError);
    p.Code("MdMemoryResizeHandle(handle, 24)", s.MdMemoryResizeHandle(handle, 24), kSPNoError);
    size_t size = 0;
    p.Code("MdMemoryGetSize(handle, &size)", s.MdMemoryGetSize(handle, &size), kSPNoError);
    bool zero = size == 24 && handle && *handle;
    for (size_t i = 0; zero && i < 24; ++i) zero = static_cast<unsigned char*>(*handle)[i] == 0;
    if (!zero) p.Fault("a grown handle is not 24 zero bytes");
    p.Code("MdMemoryDisposeHandle(handle)", s.MdMemoryDisposeHandle(handle), kSPNoError);
}

// ---- AI Real Math Suite and AI Random Suite -------------------------------------------------

bool SameFloat(float a, float b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

void RealMathHostile(Probe& p, Fixture&, const AIRealMathSuite& s) {
    const float odd[] = {kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX, std::numeric_limits<float>::denorm_min(), -0.0f};
    for (float x : odd) {
        const std::string t = FloatText(x);
        if (HAS(s, AIRealDivide)) {
            p.Result("AIRealDivide(" + t + ", 0)", SameFloat(s.AIRealDivide(x, 0.0f), x / 0.0f), "not the IEEE quotient");
            p.Result("AIRealDivide(1, " + t + ")", SameFloat(s.AIRealDivide(1.0f, x), 1.0f / x), "not the IEEE quotient");
        }
        if (HAS(s, AIRealSin)) {
            const float r = s.AIRealSin(x);
            p.Result("AIRealSin(" + t + ")", std::isfinite(x) ? r >= -1 && r <= 1 : std::isnan(r), "answered " + FloatText(r));
        }
        if (HAS(s, AIRealCos)) {
            const float r = s.AIRealCos(x);
            p.Result("AIRealCos(" + t + ")", std::isfinite(x) ? r >= -1 && r <= 1 : std::isnan(r), "answered " + FloatText(r));
        }
        if (HAS(s, DegreeToRadian)) p.Result("DegreeToRadian(" + t + ")", std::isnan(s.DegreeToRadian(x)) == std::isnan(x), "NaN in or out alone");
        if (HAS(s, RadianToDegree)) p.Result("RadianToDegree(" + t + ")", std::isnan(s.RadianToDegree(x)) == std::isnan(x), "NaN in or out alone");
        if (HAS(s, AIRealInterpolate)) {
            s.AIRealInterpolate(x, 1.0f, 0.5f);
            s.AIRealInterpolate(1.0f, 2.0f, x);
            p.Returned();
            p.Returned();
        }
        for (float y : {x, 1.0f, -1.0f, 0.0f, -0.0f}) {
            if (!HAS(s, AIRealATan)) break;
            const float a = s.AIRealATan(y, x), b = s.AIRealATan(x, y);
            for (float r : {a, b}) {
                const bool nanIn = std::isnan(x) || std::isnan(y);
                const bool inRange = r > -std::numbers::pi_v<float> && r <= std::numbers::pi_v<float>;
                p.Result(Cat("AIRealATan(", FloatText(y), ", ", t, ")"), nanIn ? std::isnan(r) : inRange,
                         "answered " + FloatText(r) + ", outside (-pi, pi]");
            }
        }
        AIRealPoint a{x, 0}, b{0, x}, r{};
        if (HAS(s, AIRealPointLength)) {
            const float len = s.AIRealPointLength(&a, &b);
            p.Result("AIRealPointLength with " + t, std::isnan(x) ? std::isnan(len) : !(len < 0), "answered " + FloatText(len));
        }
        if (HAS(s, AIRealPointAngle)) {
            s.AIRealPointAngle(&a, &b);
            p.Returned();
        }
        if (HAS(s, AIRealPointInterpolate)) {
            s.AIRealPointInterpolate(&a, &b, x, &r);
            p.Returned();
        }
        AIRealMatrix m{1, 0, 0, 1, 0, 0};
        if (HAS(s, AIRealMatrixSetTranslate)) s.AIRealMatrixSetTranslate(&m, x, x), p.Returned();
        if (HAS(s, AIRealMatrixConcatTranslate)) s.AIRealMatrixConcatTranslate(&m, x, -x), p.Returned();
        if (HAS(s, AIRealMatrixConcatScale)) s.AIRealMatrixConcatScale(&m, x, x), p.Returned();
        if (HAS(s, AIRealMatrixConcatRotate)) s.AIRealMatrixConcatRotate(&m, x), p.Returned();
    }
    // Null pointers: the entries have nothing to answer but must not follow them.
    AIRealPoint a{1, 2};
    AIRealPoint r{7, 7};
    if (s.AIRealPointLength) {
        s.AIRealPointLength(nullptr, &a), s.AIRealPointLength(&a, nullptr), s.AIRealPointLength(nullptr, nullptr);
        p.Returned(), p.Returned(), p.Returned();
    }
    if (s.AIRealPointAngle) {
        s.AIRealPointAngle(nullptr, &a), s.AIRealPointAngle(&a, nullptr);
        p.Returned(), p.Returned();
    }
    if (s.AIRealPointInterpolate) {
        s.AIRealPointInterpolate(nullptr, &a, 0.5f, &r), s.AIRealPointInterpolate(&a, nullptr, 0.5f, &r);
        s.AIRealPointInterpolate(&a, &a, 0.5f, nullptr);
        p.Returned(), p.Returned(), p.Returned();
    }
    if (s.AIRealMatrixSetTranslate) s.AIRealMatrixSetTranslate(nullptr, 1, 1), p.Returned();
    if (s.AIRealMatrixConcatTranslate) s.AIRealMatrixConcatTranslate(nullptr, 1, 1), p.Returned();
    if (s.AIRealMatrixConcatScale) s.AIRealMatrixConcatScale(nullptr, 2, 2), p.Returned();
    if (s.AIRealMatrixConcatRotate) s.AIRealMatrixConcatRotate(nullptr, 1), p.Returned();
}

void RealMathValid(Probe& p, Fixture&, const AIRealMathSuite& s) {
    if (!s.AIRealDivide || !s.AIRealMatrixSetTranslate || !s.AIRealMatrixConcatScale) return;
    p.Result("AIRealDivide(1, 4)", s.AIRealDivide(1, 4) == 0.25f, "not 0.25");
    AIRealMatrix m{};
    s.AIRealMatrixSetTranslate(&m, 3, 4);
    s.AIRealMatrixConcatScale(&m, 2, 2);
    p.Result("SetTranslate then ConcatScale", m.a == 2 && m.d == 2 && m.tx == 6 && m.ty == 8, "not the scaled translation");
}

void RandomHostile(Probe& p, Fixture& f, const AIRandomSuite& s) {
    if (!HAS(s, FloatRnd)) return;
    const int64_t n = f.context.Scaled(20000);
    for (int64_t i = 0; i < n; ++i) {
        const float r = s.FloatRnd();
        if (!(r >= 0.0f && r < 1.0f)) return p.Result(Cat("FloatRnd() call ", i + 1), false, "answered " + FloatText(r));
        p.Returned();
    }
}

void RandomValid(Probe& p, Fixture&, const AIRandomSuite& s) {
    if (!s.FloatRnd) return;
    float first = s.FloatRnd();
    bool varies = false;
    for (int i = 0; i < 100 && !varies; ++i) varies = s.FloatRnd() != first;
    p.Result("FloatRnd() 100 times", varies, "the same value every time");
}

// ---- AI Filter Suite and AI Menu Suite ------------------------------------------------------

const unsigned char kCategory[] = "\x0b" "Host Checks";
const unsigned char kTitle[] = "\x0c" "Check Filter";
const unsigned char kEmpty[] = "\x00";

// A filter of the check's plug-in, and one whose plug-in was removed.
struct Filters {
    AIFilterHandle live = nullptr, dead = nullptr;
    AIMenuItemHandle liveItem = nullptr, deadItem = nullptr;
};

Filters AddFilters(Fixture& f, const AIFilterSuite& s) {
    Filters out;
    if (!s.AddFilter || !s.GetFilterMenuItem) return out;
    const PlatformAddFilterData data{kCategory, kTitle};
    s.AddFilter(f.plugin, "host check filter", &data, 0, &out.live);
    s.GetFilterMenuItem(out.live, &out.liveItem);
    const SPPluginRef doomed = f.host.AddPlugin(CheckResources(), "doomed");
    s.AddFilter(doomed, "doomed filter", &data, 0, &out.dead);
    s.GetFilterMenuItem(out.dead, &out.deadItem);
    f.host.RemovePlugin(doomed);
    return out;
}

void FilterHostile(Probe& p, Fixture& f, const AIFilterSuite& s) {
    const Filters filters = AddFilters(f, s);
    const size_t before = f.host.Filters().size();
    const PlatformAddFilterData data{kCategory, kTitle};
    if (HAS(s, AddFilter)) {
        // `made` by reference: it is read after the call has run.
        auto refuse = [&](const std::string& call, SPErr e, const AIFilterHandle& made) {
            p.Code(call, e, kSPBadParameterError);
            if (made != nullptr) p.Fault(call + " left the filter set");
        };
        AIFilterHandle made = nullptr;
        auto selves = f.Forged<SPPluginRef>();
        selves.push_back({"a removed plug-in", f.deadPlugin});
        for (const auto& self : selves) {
            made = reinterpret_cast<AIFilterHandle>(&f.local);
            refuse("AddFilter(" + self.name + ", \"k\", &data, 0, &filter)", s.AddFilter(self.handle, "k", &data, 0, &made), made);
        }
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter(self, NULL, &data, 0, &filter)", s.AddFilter(f.plugin, nullptr, &data, 0, &made), made);
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter(self, \"k\", NULL, 0, &filter)", s.AddFilter(f.plugin, "k", nullptr, 0, &made), made);
        const PlatformAddFilterData noCategory{nullptr, kTitle}, noTitle{kCategory, nullptr}, emptyTitle{kCategory, kEmpty};
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter with a NULL category", s.AddFilter(f.plugin, "k", &noCategory, 0, &made), made);
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter with a NULL title", s.AddFilter(f.plugin, "k", &noTitle, 0, &made), made);
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter with an empty title", s.AddFilter(f.plugin, "k", &emptyTitle, 0, &made), made);
        for (int32_t options : {1, -1, INT32_MIN, INT32_MAX}) {
            made = reinterpret_cast<AIFilterHandle>(&f.local);
            refuse(Cat("AddFilter with options ", IntText(options)), s.AddFilter(f.plugin, "k", &data, options, &made), made);
        }
        made = reinterpret_cast<AIFilterHandle>(&f.local);
        refuse("AddFilter with a key already registered", s.AddFilter(f.plugin, "host check filter", &data, 0, &made), made);
        p.Code("AddFilter(self, \"k\", &data, 0, NULL)", s.AddFilter(f.plugin, "k", &data, 0, nullptr), kSPBadParameterError);
    }
    if (HAS(s, GetFilterMenuItem)) {
        AIMenuItemHandle item = nullptr;
        auto forged = f.Forged<AIFilterHandle>();
        forged.push_back({"a removed plug-in's filter", filters.dead});
        forged.push_back({"a menu item", reinterpret_cast<AIFilterHandle>(filters.liveItem)});
        for (const auto& h : forged)
            p.Code("GetFilterMenuItem(" + h.name + ", &item)", s.GetFilterMenuItem(h.handle, &item), kSPBadParameterError);
        p.Code("GetFilterMenuItem(filter, NULL)", s.GetFilterMenuItem(filters.live, nullptr), kSPBadParameterError);
    }
    if (f.host.Filters().size() != before) p.Fault("a refused AddFilter added a filter");
}

void FilterValid(Probe& p, Fixture& f, const AIFilterSuite& s) {
    if (!s.AddFilter || !s.GetFilterMenuItem) return;
    const PlatformAddFilterData data{kCategory, kTitle};
    AIFilterHandle filter = nullptr;
    AIMenuItemHandle item = nullptr;
    p.Code("AddFilter(self, \"another\", &data, 0, &filter)", s.AddFilter(f.plugin, "another", &data, 0, &filter), kSPNoError);
    p.Code("GetFilterMenuItem(filter, &item)", s.GetFilterMenuItem(filter, &item), kSPNoError);
}

void MenuHostile(Probe& p, Fixture& f, const AIMenuSuite& s) {
    Acquired<AIFilterSuite> filterSuite(f.host.Basic(), kAIFilterSuite, kAIFilterSuiteVersion);
    if (!filterSuite) return p.Fault("the filter suite, which makes menu items, is missing");
    const Filters filters = AddFilters(f, *filterSuite.operator->());
    if (!HAS(s, UpdateMenuItemAutomatically)) return;
    auto update = [&](AIMenuItemHandle item, int32_t action, int32_t a, int32_t b, int32_t c, int32_t d) {
        return s.UpdateMenuItemAutomatically(item, action, a, b, c, d, kIfOpenDocument, 0);
    };
    auto forged = f.Forged<AIMenuItemHandle>();
    forged.push_back({"a removed plug-in's item", filters.deadItem});
    forged.push_back({"a filter", reinterpret_cast<AIMenuItemHandle>(filters.live)});
    for (const auto& h : forged)
        p.Code("UpdateMenuItemAutomatically(" + h.name + ", ...)", update(h.handle, kAutoEnableMenuItemAction, 0, 0, 0, 0),
               kSPBadParameterError);
    for (int32_t action : {0, 2, -1, INT32_MIN, INT32_MAX})
        p.Code(Cat("UpdateMenuItemAutomatically(item, action ", IntText(action), ")"), update(filters.liveItem, action, 0, 0, 0, 0),
               kSPBadParameterError);
    for (int32_t v : {1, -1, INT32_MIN})
        for (int which = 0; which < 4; ++which)
            p.Code(Cat("UpdateMenuItemAutomatically with object condition ", which + 1, " = ", IntText(v)),
                   update(filters.liveItem, kAutoEnableMenuItemAction, which == 0 ? v : 0, which == 1 ? v : 0,
                          which == 2 ? v : 0, which == 3 ? v : 0),
                   kSPBadParameterError);
    for (const FilterInfo& info : f.host.Filters())
        if (info.automaticUpdate) p.Fault("a refused UpdateMenuItemAutomatically changed \"" + info.key + "\"");
}

void MenuValid(Probe& p, Fixture& f, const AIMenuSuite& s) {
    const std::vector<FilterInfo> filters = f.host.Filters();
    if (!s.UpdateMenuItemAutomatically || filters.empty()) return;
    p.Code("UpdateMenuItemAutomatically(item, kAutoEnableMenuItemAction, 0, 0, 0, 0, kIfOpenDocument, 0)",
           s.UpdateMenuItemAutomatically(filters[0].menuItem, kAutoEnableMenuItemAction, 0, 0, 0, 0, kIfOpenDocument, 0),
           kSPNoError);
    if (!f.host.MenuItemEnabled(filters[0].menuItem)) p.Fault("the item is not enabled with a document open");
}

// ---- AI User Suite --------------------------------------------------------------------------

// A length-prefixed text in a full 256-byte buffer.
std::array<unsigned char, 256> Pascal(const std::string& text) {
    std::array<unsigned char, 256> out{};
    out[0] = static_cast<unsigned char>(text.size());
    std::memcpy(out.data() + 1, text.data(), std::min<size_t>(text.size(), 255));
    return out;
}

void UserHostile(Probe& p, Fixture&, const AIUserSuite& s) {
    if (HAS(s, StringToReal)) {
        AIReal value = 5;
        const auto one = Pascal("1");
        p.Code("StringToReal(NULL, &value)", s.StringToReal(nullptr, &value), kSPBadParameterError);
        p.Code("StringToReal(\"1\", NULL)", s.StringToReal(one.data(), nullptr), kSPBadParameterError);
        const std::string nines(255, '9');
        for (const std::string& text : {std::string(), std::string("abc"), std::string("-"), std::string("."), std::string("+."),
                                        std::string("inf"), std::string("nan"), std::string("-infinity"), std::string(" "),
                                        std::string("e5"), nines, "-" + std::string(254, '9')}) {
            const auto pascal = Pascal(text);
            value = 5;
            const std::string shown = text.size() > 20 ? Cat(text.size(), " characters of digits") : '"' + text + '"';
            const std::string call = "StringToReal(" + shown + ", &value)";
            p.Code(call, s.StringToReal(pascal.data(), &value), kSPBadParameterError);
            if (value != 0) p.Fault(call + " left the value at " + FloatText(value));
        }
        // The length byte counts: digits after it are not part of the text.
        auto cut = Pascal("12");
        cut[0] = 0;
        value = 5;
        p.Code("StringToReal of an empty text followed by digits", s.StringToReal(cut.data(), &value), kSPBadParameterError);
    }
    if (HAS(s, RealToString)) {
        std::array<unsigned char, 256> text{};
        text.fill(0xEE);
        p.Code("RealToString(1, 2, NULL)", s.RealToString(1, 2, nullptr), kSPBadParameterError);
        for (int16_t precision : {int16_t(-1), int16_t(11), int16_t(INT16_MIN), int16_t(INT16_MAX)})
            p.Code(Cat("RealToString(1, ", IntText(precision), ", text)"), s.RealToString(1, precision, text.data()), kSPBadParameterError);
        for (float x : kNonFinite)
            p.Code("RealToString(" + FloatText(x) + ", 2, text)", s.RealToString(x, 2, text.data()), kSPBadParameterError);
        bool untouched = true;
        for (unsigned char c : text) untouched = untouched && c == 0xEE;
        if (!untouched) p.Fault("a refused RealToString wrote into the text");
        for (float x : {FLT_MAX, -FLT_MAX}) {
            const SPErr e = s.RealToString(x, 10, text.data());
            p.Result("RealToString(" + FloatText(x) + ", 10, text)", e == kSPNoError && text[0] > 39, "answered " + CodeText(e));
        }
    }
}

void UserValid(Probe& p, Fixture&, const AIUserSuite& s) {
    if (!s.StringToReal || !s.RealToString) return;
    std::array<unsigned char, 256> text{};
    AIReal value = 0;
    p.Code("RealToString(-2.5, 1, text)", s.RealToString(-2.5f, 1, text.data()), kSPNoError);
    p.Code("StringToReal(text, &value)", s.StringToReal(text.data(), &value), kSPNoError);
    if (value != -2.5f) p.Fault("-2.5 did not survive text and back");
}

}  // namespace

void AddServiceSuiteChecks(std::vector<Check>& checks) {
    Add<SPBasicSuite>(checks, nullptr, 0, {nullptr, BasicHostile, BasicValid}, "SP Basic Suite");
    Add<SPBlocksSuite>(checks, kSPBlocksSuite, kSPBlocksSuiteVersion, {nullptr, BlocksHostile, BlocksValid});
    Add<AIMdMemorySuite>(checks, kAIMdMemorySuite, kAIMdMemorySuiteVersion, {nullptr, MdMemoryHostile, MdMemoryValid});
    Add<AIRealMathSuite>(checks, kAIRealMathSuite, kAIRealMathSuiteVersion, {nullptr, RealMathHostile, RealMathValid});
    Add<AIUserSuite>(checks, kAIUserSuite, kAIUserSuiteVersion, {nullptr, UserHostile, UserValid});
    Add<AIRandomSuite>(checks, kAIRandomSuite, kAIRandomSuiteVersion, {nullptr, RandomHostile, RandomValid});
    Add<AIMenuSuite>(checks, kAIMenuSuite, kAIMenuSuiteVersion, {nullptr, MenuHostile, MenuValid});
    Add<AIFilterSuite>(checks, kAIFilterSuite, kAIFilterSuiteVersion, {nullptr, FilterHostile, FilterValid});
}

}  // namespace easel::validate::host_suites
