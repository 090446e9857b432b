// Easel's own suites under hostile arguments, driven the way a plug-in drives them but without
// one: each suite is acquired through the basic services, and every entry of its table is called
// with null pointers, dead and forged handles, indices and counts out of range, non-finite
// floats and, for the dialog manager, the items, lists and entries of a dialog that has ended.
// Every call must answer the code its header names (at least not success), or the neutral result
// a void or value entry documents; calls that are refused must change nothing, so that the
// document afterwards dumps exactly as before, reads back from its dump, and still takes a
// valid call.
#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMTracker.h"
#include "AIArt.h"
#include "AIArtStyle.h"
#include "AIBlendStyle.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIEnvelope.h"
#include "AIFilterSuite.h"
#include "AILayer.h"
#include "AIMdMemory.h"
#include "AIMenu.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIRandom.h"
#include "AIRealMath.h"
#include "AIShapeConstruction.h"
#include "AISwatchList.h"
#include "AISymbol.h"
#include "AITransformArt.h"
#include "AIUndo.h"
#include "AIUser.h"
#include "SPBlocks.h"
#include "document/Document.h"
#include "export/JsonDump.h"
#include "host/Host.h"
#include "resources/ModuleResources.h"
#include "suites/Runtime.h"
#include "validate/Validator.h"

namespace easel::validate {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNonFinite[] = {kNaN, kInf, -kInf};
const int32_t kBadInt32[] = {-1, INT32_MIN, INT32_MAX};
const int16_t kBadInt16[] = {-1, INT16_MIN, INT16_MAX};

// ---- Reporting ------------------------------------------------------------------------------

template <typename... Parts>
std::string Cat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

// A result code as the headers write it: four characters where it has them.
std::string CodeText(SPErr code) {
    if (code == kSPNoError) return "0";
    const auto bits = static_cast<uint32_t>(code);
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((bits >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::to_string(code);
        text += c;
    }
    return text + "'";
}

std::string FloatText(float f) {
    if (std::isnan(f)) return "NaN";
    if (std::isinf(f)) return f > 0 ? "+inf" : "-inf";
    return Cat(f);
}

std::string IntText(int64_t i) {
    if (i == INT32_MIN) return "INT32_MIN";
    if (i == INT32_MAX) return "INT32_MAX";
    if (i == INT16_MIN) return "INT16_MIN";
    if (i == INT16_MAX) return "INT16_MAX";
    return std::to_string(i);
}

// The calls one check made and what was wrong with their answers.
class Probe {
public:
    // A call whose code the header names.
    void Code(const std::string& call, SPErr got, SPErr want) {
        ++calls_;
        if (got != want) Fault(Cat(call, " answered ", CodeText(got), ", expected ", CodeText(want)));
    }
    // A call that must be refused, where the header names no single code for the case.
    void Fails(const std::string& call, SPErr got) {
        ++calls_;
        if (got == kSPNoError) Fault(call + " answered 0 (success)");
    }
    // A call whose documented result is checked by the caller.
    void Result(const std::string& call, bool asDocumented, const std::string& instead) {
        ++calls_;
        if (!asDocumented) Fault(call + ": " + instead);
    }
    // A call that only has to return (void entries given bad input).
    void Returned() { ++calls_; }
    void Fault(std::string what) { faults_.push_back(std::move(what)); }
    void Missing(const std::string& entry) {
        if (std::find(missing_.begin(), missing_.end(), entry) == missing_.end()) missing_.push_back(entry);
    }

    int64_t Calls() const { return calls_; }
    const std::vector<std::string>& Faults() const { return faults_; }
    const std::vector<std::string>& MissingEntries() const { return missing_; }

private:
    int64_t calls_ = 0;
    std::vector<std::string> faults_;
    std::vector<std::string> missing_;
};

// True when the suite has the entry; otherwise notes it, and its calls are skipped.
#define HAS(suite, entry) ((suite).entry != nullptr || (p.Missing(#entry), false))

// ---- Handles no host gave out ---------------------------------------------------------------

template <typename H>
struct Named {
    std::string name;
    H handle;
};

// The check's own resources: a string list and dialogs, so that the dialog manager is tested
// without any plug-in's module.
constexpr int32_t kStringList = 16000;
constexpr int32_t kDialog = 16100;
constexpr int32_t kDamagedDialog = 16101;
constexpr int32_t kOkItem = 1, kCancelItem = 2, kEditItem = 3, kLabelItem = 4, kComboItem = 5;

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
void PutText(std::vector<uint8_t>& out, const std::string& ascii) {
    for (char c : ascii) PutU16(out, static_cast<uint8_t>(c));
    PutU16(out, 0);
}

// A classic dialog template: OK (default), Cancel, an edit field, a label and a combo box.
std::vector<uint8_t> DialogTemplateBytes() {
    struct Item {
        uint32_t style;
        int16_t id;
        uint16_t classOrdinal;  // 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box
        const char* text;
    };
    const Item items[] = {
        {0x50010001u, kOkItem, 0x80, "OK"},
        {0x50010000u, kCancelItem, 0x80, "Cancel"},
        {0x50810080u, kEditItem, 0x81, ""},
        {0x50020000u, kLabelItem, 0x82, "Label"},
        {0x50210003u, kComboItem, 0x85, ""},
    };
    std::vector<uint8_t> out;
    PutU32(out, 0x80C80080u);  // popup, caption, system menu; no font
    PutU32(out, 0);
    PutU16(out, static_cast<uint32_t>(std::size(items)));
    for (int i = 0; i < 4; ++i) PutU16(out, i < 2 ? 0 : 200);  // x, y, cx, cy
    PutU16(out, 0);  // no menu
    PutU16(out, 0);  // the standard class
    PutText(out, "Host suite check");
    int16_t y = 10;
    for (const Item& item : items) {
        while (out.size() % 4 != 0) out.push_back(0);
        PutU32(out, item.style);
        PutU32(out, 0);
        PutU16(out, 10);
        PutU16(out, static_cast<uint16_t>(y));
        PutU16(out, 80);
        PutU16(out, 14);
        y = static_cast<int16_t>(y + 20);
        PutU16(out, static_cast<uint16_t>(item.id));
        PutU16(out, 0xFFFF);
        PutU16(out, item.classOrdinal);
        PutText(out, item.text);
        PutU16(out, 0);  // no creation data
    }
    return out;
}

// Strings kStringList .. +2 in their block of 16.
std::vector<uint8_t> StringBlockBytes() {
    const char* strings[16] = {"<host suite check>", "first", "second string"};
    std::vector<uint8_t> out;
    for (const char* s : strings) {
        const std::string text = s ? s : "";
        PutU16(out, static_cast<uint32_t>(text.size()));
        for (char c : text) PutU16(out, static_cast<uint8_t>(c));
    }
    return out;
}

std::shared_ptr<const ModuleResources> CheckResources() {
    auto make = [](uint16_t type, uint16_t name, std::vector<uint8_t> data) {
        Resource r;
        r.type = ResourceId(type);
        r.name = ResourceId(name);
        r.language = 1033;
        r.data = std::move(data);
        return r;
    };
    std::vector<Resource> resources;
    resources.push_back(make(kResourceTypeString, kStringList / 16 + 1, StringBlockBytes()));
    resources.push_back(make(kResourceTypeDialog, kDialog, DialogTemplateBytes()));
    resources.push_back(make(kResourceTypeDialog, kDamagedDialog, {0x80, 0x00, 0xC8, 0x80, 0x00}));
    return std::make_shared<const ModuleResources>(std::move(resources));
}

// One suite acquired through the basic services for as long as it lives.
template <typename Suite>
class Acquired {
public:
    Acquired(const SPBasicSuite* basic, const char* name, int32_t version)
        : basic_(basic), name_(name), version_(version) {
        const void* table = nullptr;
        if (basic_->AcquireSuite(name, version, &table) == kSPNoError) suite_ = static_cast<const Suite*>(table);
    }
    ~Acquired() {
        if (suite_) basic_->ReleaseSuite(name_, version_);
    }
    Acquired(const Acquired&) = delete;
    Acquired& operator=(const Acquired&) = delete;
    const Suite* operator->() const { return suite_; }
    explicit operator bool() const { return suite_ != nullptr; }

private:
    const SPBasicSuite* basic_;
    const char* name_;
    int32_t version_;
    const Suite* suite_ = nullptr;
};

// The session a check works in, and the objects its calls aim at.
struct Fixture {
    Fixture(const Context& c, Host& h) : context(c), host(h), random(c.seed), forgedCount(c.Scaled(8)) {}

    const Context& context;
    Host& host;
    Document* doc = nullptr;
    std::mt19937_64 random;
    int64_t forgedCount;
    int local = 0;  // its address is a handle no host gave out

    // "Layer 1" (current) holds `live`, a closed path of three segments; a locked and a hidden
    // layer hold one path each; `dead` and `deadLayer` were made in the current message and
    // undone.
    AIArtHandle live = nullptr, onLocked = nullptr, onHidden = nullptr, dead = nullptr;
    AILayerHandle layer = nullptr, lockedLayer = nullptr, hiddenLayer = nullptr, deadLayer = nullptr;
    SPPluginRef plugin = nullptr, deadPlugin = nullptr;

    // Handles of type H no host gave out: with or without NULL, the address of a local, all
    // bits set, a 32-bit value and a few random 64-bit patterns from the check's seed.
    template <typename H>
    std::vector<Named<H>> Forged(bool withNull = true) {
        std::vector<Named<H>> v;
        if (withNull) v.push_back({"NULL", nullptr});
        v.push_back({"&local", reinterpret_cast<H>(&local)});
        v.push_back({"~0", reinterpret_cast<H>(~uintptr_t{0})});
        v.push_back({"0xFFFFFFFF", reinterpret_cast<H>(uintptr_t{0xFFFFFFFFu})});
        for (int64_t i = 0; i < forgedCount; ++i) {
            const auto bits = static_cast<uintptr_t>(random());
            std::ostringstream name;
            name << "0x" << std::hex << bits;
            v.push_back({name.str(), reinterpret_cast<H>(bits)});
        }
        return v;
    }

    // Art handles that name no live art of the current document.
    std::vector<Named<AIArtHandle>> BadArt() {
        auto v = Forged<AIArtHandle>();
        v.push_back({"dead", dead});
        v.push_back({"a layer", reinterpret_cast<AIArtHandle>(layer)});
        return v;
    }
    std::vector<Named<AILayerHandle>> BadLayers() {
        auto v = Forged<AILayerHandle>();
        v.push_back({"dead", deadLayer});
        v.push_back({"an art", reinterpret_cast<AILayerHandle>(live)});
        return v;
    }
};

// Builds the document the calls aim at; an empty string, or what went wrong.
std::string BuildDocument(Fixture& f) {
    const SPBasicSuite* basic = f.host.Basic();
    Acquired<AIArtSuite> art(basic, kAIArtSuite, kAIArtSuiteVersion);
    Acquired<AIPathSuite> path(basic, kAIPathSuite, kAIPathSuiteVersion);
    Acquired<AILayerSuite> layers(basic, kAILayerSuite, kAILayerSuiteVersion);
    Acquired<AIUndoSuite> undo(basic, kAIUndoSuite, kAIUndoSuiteVersion);
    if (!art || !path || !layers || !undo) return "the art, path, layer or undo suite is missing";
    f.doc = &f.host.NewDocument();
    f.host.BeginMessage();
    const AIPathSegment segments[3] = {
        {{100, 100}, {100, 100}, {100, 100}, 1},
        {{200, 100}, {190, 120}, {210, 80}, 0},
        {{150, 200}, {150, 200}, {150, 200}, 1},
    };
    auto made = [](const char* what, SPErr e) { return e == kSPNoError ? std::string() : Cat(what, " answered ", CodeText(e)); };
    std::string error;
    auto step = [&](const char* what, SPErr e) {
        if (error.empty()) error = made(what, e);
    };
    step("GetCurrentLayer", layers->GetCurrentLayer(&f.layer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.live));
    step("SetPathSegments", path->SetPathSegments(f.live, 0, 3, segments));
    step("SetPathClosed", path->SetPathClosed(f.live, 1));
    step("InsertLayer", layers->InsertLayer(f.layer, kPlaceAbove, &f.lockedLayer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.onLocked));
    step("SetPathSegments", path->SetPathSegments(f.onLocked, 0, 2, segments));
    step("InsertLayer", layers->InsertLayer(f.lockedLayer, kPlaceAbove, &f.hiddenLayer));
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.onHidden));
    step("SetPathSegments", path->SetPathSegments(f.onHidden, 0, 1, segments));
    step("SetCurrentLayer", layers->SetCurrentLayer(f.layer));
    if (!error.empty()) return error;
    // Layer 1 at the bottom, then the locked layer, then the hidden one.
    if (f.doc->layers.size() != 3) return "InsertLayer did not give three layers";
    f.doc->layers[1].locked = true;
    f.doc->layers[2].visible = false;
    f.host.EndMessage();

    f.host.BeginMessage();
    AILayerHandle current = nullptr;
    step("NewArt", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &f.dead));
    step("InsertLayer", layers->InsertLayer(nullptr, kPlaceAboveAll, &f.deadLayer));
    step("UndoChanges", undo->UndoChanges());
    step("GetCurrentLayer", layers->GetCurrentLayer(&current));
    if (!error.empty()) return error;
    if (current != f.layer) return "UndoChanges did not restore the current layer";
    int16_t type = 0;
    if (art->GetArtType(f.dead, &type) == kSPNoError) return "an undone art is still live";
    return {};
}

// The check's own plug-in identity, and one that was removed.
void AddPlugins(Fixture& f) {
    f.plugin = f.host.AddPlugin(CheckResources(), "host suite check");
    f.deadPlugin = f.host.AddPlugin(CheckResources(), "removed");
    f.host.RemovePlugin(f.deadPlugin);
}

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

// ---- AI Document Suite and AI Document View Suite -------------------------------------------

void DocumentNoDocument(Probe& p, const AIDocumentSuite& s) {
    AIDocumentSetup setup{};
    int16_t model = 0;
    if (HAS(s, GetDocumentSetup)) p.Code("GetDocumentSetup(&setup) without a document", s.GetDocumentSetup(&setup), kSPNoDocumentError);
    if (HAS(s, RedrawDocument)) p.Code("RedrawDocument() without a document", s.RedrawDocument(), kSPNoDocumentError);
    if (HAS(s, GetDocumentColorModel)) p.Code("GetDocumentColorModel(&model) without a document", s.GetDocumentColorModel(&model), kSPNoDocumentError);
}

void DocumentHostile(Probe& p, Fixture&, const AIDocumentSuite& s) {
    if (s.GetDocumentSetup) p.Code("GetDocumentSetup(NULL)", s.GetDocumentSetup(nullptr), kSPBadParameterError);
    if (s.GetDocumentColorModel) p.Code("GetDocumentColorModel(NULL)", s.GetDocumentColorModel(nullptr), kSPBadParameterError);
}

void DocumentValid(Probe& p, Fixture&, const AIDocumentSuite& s) {
    AIDocumentSetup setup{};
    int16_t model = -1;
    if (s.GetDocumentSetup) {
        p.Code("GetDocumentSetup(&setup)", s.GetDocumentSetup(&setup), kSPNoError);
        if (setup.width != 612 || setup.height != 792) p.Fault("GetDocumentSetup: not the US Letter page");
    }
    if (s.RedrawDocument) p.Code("RedrawDocument()", s.RedrawDocument(), kSPNoError);
    if (s.GetDocumentColorModel) {
        p.Code("GetDocumentColorModel(&model)", s.GetDocumentColorModel(&model), kSPNoError);
        if (model != kDocRGBColor) p.Fault("GetDocumentColorModel: not RGB");
    }
}

void ViewNoDocument(Probe& p, const AIDocumentViewSuite& s) {
    int32_t n = 0;
    AIDocumentViewHandle view = nullptr;
    AIRealPoint centre{};
    const AIPoint at{0, 0};
    if (HAS(s, CountDocumentViews)) p.Code("CountDocumentViews(&n) without a document", s.CountDocumentViews(&n), kSPNoDocumentError);
    if (HAS(s, GetNthDocumentView)) p.Code("GetNthDocumentView(0, &view) without a document", s.GetNthDocumentView(0, &view), kSPNoDocumentError);
    if (HAS(s, GetDocumentViewCenter)) p.Code("GetDocumentViewCenter(NULL, &centre) without a document", s.GetDocumentViewCenter(nullptr, &centre), kSPNoDocumentError);
    if (HAS(s, ViewPointToArtworkPoint))
        p.Code("ViewPointToArtworkPoint(NULL, &at, &point) without a document", s.ViewPointToArtworkPoint(nullptr, &at, &centre), kSPNoDocumentError);
}

void ViewHostile(Probe& p, Fixture& f, const AIDocumentViewSuite& s) {
    int32_t count = 0;
    if (s.CountDocumentViews) {
        p.Code("CountDocumentViews(NULL)", s.CountDocumentViews(nullptr), kSPBadParameterError);
        s.CountDocumentViews(&count);
    }
    AIDocumentViewHandle first = nullptr;
    if (s.GetNthDocumentView) {
        p.Code("GetNthDocumentView(0, NULL)", s.GetNthDocumentView(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> bad(std::begin(kBadInt32), std::end(kBadInt32));
        bad.push_back(count);
        for (int32_t n : bad) {
            AIDocumentViewHandle view = nullptr;
            p.Code(Cat("GetNthDocumentView(", IntText(n), ", &view)"), s.GetNthDocumentView(n, &view), kSPBadParameterError);
        }
        s.GetNthDocumentView(0, &first);
    }
    auto forged = f.Forged<AIDocumentViewHandle>(false);  // NULL is the first view
    forged.push_back({"an art", reinterpret_cast<AIDocumentViewHandle>(f.live)});
    AIRealPoint point{};
    const AIPoint at{10, 10};
    if (s.GetDocumentViewCenter) {
        for (const auto& v : forged)
            p.Code("GetDocumentViewCenter(" + v.name + ", &centre)", s.GetDocumentViewCenter(v.handle, &point), kSPBadParameterError);
        p.Code("GetDocumentViewCenter(view, NULL)", s.GetDocumentViewCenter(first, nullptr), kSPBadParameterError);
        p.Code("GetDocumentViewCenter(NULL, NULL)", s.GetDocumentViewCenter(nullptr, nullptr), kSPBadParameterError);
    }
    if (s.ViewPointToArtworkPoint) {
        for (const auto& v : forged)
            p.Code("ViewPointToArtworkPoint(" + v.name + ", &at, &point)", s.ViewPointToArtworkPoint(v.handle, &at, &point),
                   kSPBadParameterError);
        p.Code("ViewPointToArtworkPoint(view, NULL, &point)", s.ViewPointToArtworkPoint(first, nullptr, &point), kSPBadParameterError);
        p.Code("ViewPointToArtworkPoint(view, &at, NULL)", s.ViewPointToArtworkPoint(first, &at, nullptr), kSPBadParameterError);
        for (int32_t h : {INT32_MIN, INT32_MAX})
            for (int32_t v : {INT32_MIN, INT32_MAX}) {
                const AIPoint far{h, v};
                const SPErr e = s.ViewPointToArtworkPoint(first, &far, &point);
                p.Result(Cat("ViewPointToArtworkPoint(view, {", IntText(h), ", ", IntText(v), "})"),
                         e != kSPNoError || (std::isfinite(point.h) && std::isfinite(point.v)), "answered a non-finite point");
            }
    }
}

void ViewValid(Probe& p, Fixture&, const AIDocumentViewSuite& s) {
    if (!s.GetNthDocumentView || !s.GetDocumentViewCenter) return;
    AIDocumentViewHandle view = nullptr;
    AIRealPoint centre{};
    p.Code("GetNthDocumentView(0, &view)", s.GetNthDocumentView(0, &view), kSPNoError);
    p.Code("GetDocumentViewCenter(view, &centre)", s.GetDocumentViewCenter(view, &centre), kSPNoError);
    if (centre.h != 306 || centre.v != 396) p.Fault("the first view is not centred on the page");
}

// ---- AI Undo Suite --------------------------------------------------------------------------

void UndoNoDocument(Probe& p, const AIUndoSuite& s) {
    if (HAS(s, UndoChanges)) p.Code("UndoChanges() without a document", s.UndoChanges(), kSPNoDocumentError);
}

void UndoHostile(Probe& p, Fixture&, const AIUndoSuite& s) {
    // Everything of the current message is already undone: again, and again, does nothing.
    if (s.UndoChanges)
        for (int i = 0; i < 3; ++i) p.Code("UndoChanges() with nothing to undo", s.UndoChanges(), kSPNoError);
}

void UndoValid(Probe& p, Fixture& f, const AIUndoSuite& s) {
    Acquired<AIArtSuite> art(f.host.Basic(), kAIArtSuite, kAIArtSuiteVersion);
    if (!s.UndoChanges || !art) return;
    const std::string before = DumpDocumentText(*f.doc);
    AIArtHandle made = nullptr;
    p.Code("NewArt(kPathArt, kPlaceAboveAll, NULL, &art)", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &made), kSPNoError);
    p.Code("UndoChanges()", s.UndoChanges(), kSPNoError);
    int16_t type = 0;
    p.Code("GetArtType of the undone art", art->GetArtType(made, &type), kSPBadParameterError);
    if (DumpDocumentText(*f.doc) != before) p.Fault("UndoChanges did not restore the document");
}

// ---- AI Art Suite ---------------------------------------------------------------------------

void ArtNoDocument(Probe& p, const AIArtSuite& s) {
    AIArtHandle art = nullptr;
    int16_t type = 0;
    AIRealRect bounds{};
    const auto some = reinterpret_cast<AIArtHandle>(uintptr_t{0x100});
    if (HAS(s, NewArt)) p.Code("NewArt without a document", s.NewArt(kPathArt, kPlaceAboveAll, nullptr, &art), kSPNoDocumentError);
    if (HAS(s, DuplicateArt)) p.Code("DuplicateArt without a document", s.DuplicateArt(some, kPlaceAboveAll, nullptr, &art), kSPNoDocumentError);
    if (HAS(s, GetArtType)) p.Code("GetArtType without a document", s.GetArtType(some, &type), kSPNoDocumentError);
    if (HAS(s, GetArtBounds)) p.Code("GetArtBounds without a document", s.GetArtBounds(some, &bounds), kSPNoDocumentError);
}

void ArtHostile(Probe& p, Fixture& f, const AIArtSuite& s) {
    const auto bad = f.BadArt();
    const int16_t badTypes[] = {kUnknownArt, 1, -1, INT16_MIN, INT16_MAX, kEnvelopeArt};
    const int16_t badOrders[] = {0, kPlaceInsideOnTop, kPlaceInsideOnBottom, 7, -1, INT16_MIN, INT16_MAX};
    AIArtHandle made = nullptr;
    if (s.NewArt) {
        p.Code("NewArt(kPathArt, kPlaceAboveAll, NULL, NULL)", s.NewArt(kPathArt, kPlaceAboveAll, nullptr, nullptr), kSPBadParameterError);
        for (int16_t type : badTypes)
            p.Code(Cat("NewArt(", IntText(type), ", kPlaceAboveAll, NULL, &art)"), s.NewArt(type, kPlaceAboveAll, nullptr, &made),
                   kSPBadParameterError);
        for (int16_t order : badOrders)
            p.Code(Cat("NewArt(kPathArt, ", IntText(order), ", art, &art)"), s.NewArt(kPathArt, order, f.live, &made),
                   kSPBadParameterError);
        for (int16_t order : {int16_t(kPlaceAbove), int16_t(kPlaceBelow)})
            for (const auto& prep : bad)
                p.Code(Cat("NewArt(kPathArt, ", order, ", ", prep.name, ", &art)"), s.NewArt(kPathArt, order, prep.handle, &made),
                       kSPBadParameterError);
        p.Code("NewArt above an art on a locked layer", s.NewArt(kPathArt, kPlaceAbove, f.onLocked, &made), kAILockedLayerError);
        p.Code("NewArt below an art on a hidden layer", s.NewArt(kPathArt, kPlaceBelow, f.onHidden, &made), kAILockedLayerError);
        // The current layer locked, then hidden.
        const LayerId current = f.doc->currentLayer;
        for (size_t at : {size_t{1}, size_t{2}}) {
            f.doc->currentLayer = f.doc->layers[at].id;
            for (int16_t order : {int16_t(kPlaceAboveAll), int16_t(kPlaceBelowAll)})
                p.Code(Cat("NewArt(kPathArt, ", order, ") on a ", at == 1 ? "locked" : "hidden", " current layer"),
                       s.NewArt(kPathArt, order, nullptr, &made), kAILockedLayerError);
        }
        f.doc->currentLayer = current;
    }
    if (s.DuplicateArt) {
        for (const auto& a : bad)
            p.Code("DuplicateArt(" + a.name + ", kPlaceAboveAll, NULL, &art)", s.DuplicateArt(a.handle, kPlaceAboveAll, nullptr, &made),
                   kSPBadParameterError);
        p.Code("DuplicateArt(art, kPlaceAboveAll, NULL, NULL)", s.DuplicateArt(f.live, kPlaceAboveAll, nullptr, nullptr), kSPBadParameterError);
        for (int16_t order : badOrders)
            p.Code(Cat("DuplicateArt(art, ", IntText(order), ", art, &art)"), s.DuplicateArt(f.live, order, f.live, &made),
                   kSPBadParameterError);
        for (const auto& prep : bad)
            p.Code("DuplicateArt(art, kPlaceAbove, " + prep.name + ", &art)", s.DuplicateArt(f.live, kPlaceAbove, prep.handle, &made),
                   kSPBadParameterError);
        p.Code("DuplicateArt(art, kPlaceAbove, art on a locked layer)", s.DuplicateArt(f.live, kPlaceAbove, f.onLocked, &made),
               kAILockedLayerError);
    }
    int16_t type = 0;
    AIRealRect bounds{};
    if (s.GetArtType) {
        for (const auto& a : bad) p.Code("GetArtType(" + a.name + ", &type)", s.GetArtType(a.handle, &type), kSPBadParameterError);
        p.Code("GetArtType(art, NULL)", s.GetArtType(f.live, nullptr), kSPBadParameterError);
    }
    if (s.GetArtBounds) {
        for (const auto& a : bad) p.Code("GetArtBounds(" + a.name + ", &bounds)", s.GetArtBounds(a.handle, &bounds), kSPBadParameterError);
        p.Code("GetArtBounds(art, NULL)", s.GetArtBounds(f.live, nullptr), kSPBadParameterError);
    }
    // A handle of another document's art names nothing in this one.
    f.host.NewDocument();
    if (s.GetArtType) p.Code("GetArtType of another document's art", s.GetArtType(f.live, &type), kSPBadParameterError);
    if (s.DuplicateArt)
        p.Code("DuplicateArt of another document's art", s.DuplicateArt(f.live, kPlaceAboveAll, nullptr, &made), kSPBadParameterError);
    f.host.SetCurrentDocument(*f.doc);
}

void ArtValid(Probe& p, Fixture& f, const AIArtSuite& s) {
    if (!s.DuplicateArt || !s.GetArtBounds || !s.GetArtType) return;
    AIArtHandle copy = nullptr;
    p.Code("DuplicateArt(art, kPlaceBelow, art, &copy)", s.DuplicateArt(f.live, kPlaceBelow, f.live, &copy), kSPNoError);
    AIRealRect a{}, b{};
    p.Code("GetArtBounds(art)", s.GetArtBounds(f.live, &a), kSPNoError);
    p.Code("GetArtBounds(copy)", s.GetArtBounds(copy, &b), kSPNoError);
    if (std::memcmp(&a, &b, sizeof a) != 0 || a.left != 100 || a.top != 200) p.Fault("the copy's bounds differ from the art's");
}

// ---- AI Path Suite --------------------------------------------------------------------------

void PathNoDocument(Probe& p, const AIPathSuite& s) {
    const auto some = reinterpret_cast<AIArtHandle>(uintptr_t{0x100});
    int16_t n = 0;
    AIPathSegment seg{};
    SPBoolean closed = 0;
    if (HAS(s, GetPathSegmentCount)) p.Code("GetPathSegmentCount without a document", s.GetPathSegmentCount(some, &n), kSPNoDocumentError);
    if (HAS(s, GetPathSegments)) p.Code("GetPathSegments without a document", s.GetPathSegments(some, 0, 1, &seg), kSPNoDocumentError);
    if (HAS(s, SetPathSegments)) p.Code("SetPathSegments without a document", s.SetPathSegments(some, 0, 1, &seg), kSPNoDocumentError);
    if (HAS(s, GetPathClosed)) p.Code("GetPathClosed without a document", s.GetPathClosed(some, &closed), kSPNoDocumentError);
    if (HAS(s, SetPathClosed)) p.Code("SetPathClosed without a document", s.SetPathClosed(some, 1), kSPNoDocumentError);
}

bool Untouched(const std::vector<AIPathSegment>& buffer) {
    for (const AIPathSegment& s : buffer)
        if (s.p.h != -7.0f || s.corner != 9) return false;
    return true;
}

void PathHostile(Probe& p, Fixture& f, const AIPathSuite& s) {
    const auto bad = f.BadArt();
    // Room for any count a 16-bit argument can name, so that a host that writes or reads past
    // a refused range cannot reach beyond the buffer; the marks show whether it wrote.
    const AIPathSegment mark{{-7, -7}, {-7, -7}, {-7, -7}, 9};
    std::vector<AIPathSegment> buffer(kAIMaxPathSegments + 1, mark);
    const AIPathSegment finite{{1, 2}, {3, 4}, {5, 6}, 0};
    std::vector<AIPathSegment> source(kAIMaxPathSegments + 1, finite);
    int16_t count = 3;
    if (s.GetPathSegmentCount) {
        for (const auto& a : bad)
            p.Code("GetPathSegmentCount(" + a.name + ", &count)", s.GetPathSegmentCount(a.handle, &count), kSPBadParameterError);
        p.Code("GetPathSegmentCount(art, NULL)", s.GetPathSegmentCount(f.live, nullptr), kSPBadParameterError);
    }
    const int16_t n = 3;  // the live path's segments
    struct Range {
        int16_t index, count;
    };
    std::vector<Range> badRanges;
    for (int16_t i : kBadInt16) badRanges.push_back({i, 1});
    for (int16_t c : kBadInt16) badRanges.push_back({0, c});
    badRanges.push_back({n, 1});
    badRanges.push_back({0, n + 1});
    badRanges.push_back({1, n});
    badRanges.push_back({INT16_MAX, INT16_MAX});
    badRanges.push_back({-1, 2});
    if (s.GetPathSegments) {
        for (const auto& a : bad)
            p.Code("GetPathSegments(" + a.name + ", 0, 1, buffer)", s.GetPathSegments(a.handle, 0, 1, buffer.data()), kSPBadParameterError);
        p.Code("GetPathSegments(art, 0, 1, NULL)", s.GetPathSegments(f.live, 0, 1, nullptr), kSPBadParameterError);
        for (const Range& r : badRanges)
            p.Code(Cat("GetPathSegments(art, ", IntText(r.index), ", ", IntText(r.count), ", buffer)"),
                   s.GetPathSegments(f.live, r.index, r.count, buffer.data()), kSPBadParameterError);
        if (!Untouched(buffer)) p.Fault("a refused GetPathSegments wrote into the caller's array");
    }
    if (s.SetPathSegments) {
        for (const auto& a : bad)
            p.Code("SetPathSegments(" + a.name + ", 0, 1, segments)", s.SetPathSegments(a.handle, 0, 1, source.data()), kSPBadParameterError);
        p.Code("SetPathSegments(art, 0, 1, NULL)", s.SetPathSegments(f.live, 0, 1, nullptr), kSPBadParameterError);
        for (int16_t i : {int16_t(-1), int16_t(INT16_MIN), int16_t(n + 1), int16_t(INT16_MAX)})
            p.Code(Cat("SetPathSegments(art, ", IntText(i), ", 1, segments)"), s.SetPathSegments(f.live, i, 1, source.data()),
                   kSPBadParameterError);
        for (int16_t c : {int16_t(-1), int16_t(INT16_MIN)})
            p.Code(Cat("SetPathSegments(art, 0, ", IntText(c), ", segments)"), s.SetPathSegments(f.live, 0, c, source.data()),
                   kSPBadParameterError);
        const auto past = static_cast<int16_t>(kAIMaxPathSegments - n + 1);
        p.Code(Cat("SetPathSegments(art, 3, ", past, ", segments) past the most a path holds"),
               s.SetPathSegments(f.live, n, past, source.data()), kAITooManySegmentsError);
        for (int field = 0; field < 6; ++field)
            for (float x : kNonFinite) {
                AIPathSegment two[2] = {finite, finite};
                float* coordinates[6] = {&two[1].p.h, &two[1].p.v, &two[1].in.h, &two[1].in.v, &two[1].out.h, &two[1].out.v};
                *coordinates[field] = x;
                static const char* const names[6] = {"p.h", "p.v", "in.h", "in.v", "out.h", "out.v"};
                p.Code(Cat("SetPathSegments(art, 0, 2, {finite, ", names[field], " = ", FloatText(x), "})"),
                       s.SetPathSegments(f.live, 0, 2, two), kSPBadParameterError);
                p.Code(Cat("SetPathSegments appending {", names[field], " = ", FloatText(x), "}"),
                       s.SetPathSegments(f.live, n, 1, &two[1]), kSPBadParameterError);
            }
        p.Code("SetPathSegments on a locked layer", s.SetPathSegments(f.onLocked, 0, 1, source.data()), kAILockedLayerError);
        p.Code("SetPathSegments on a hidden layer", s.SetPathSegments(f.onHidden, 0, 1, source.data()), kAILockedLayerError);
    }
    SPBoolean closed = 7;
    if (s.GetPathClosed) {
        for (const auto& a : bad) p.Code("GetPathClosed(" + a.name + ", &closed)", s.GetPathClosed(a.handle, &closed), kSPBadParameterError);
        p.Code("GetPathClosed(art, NULL)", s.GetPathClosed(f.live, nullptr), kSPBadParameterError);
    }
    if (s.SetPathClosed) {
        for (const auto& a : bad) p.Code("SetPathClosed(" + a.name + ", 0)", s.SetPathClosed(a.handle, 0), kSPBadParameterError);
        p.Code("SetPathClosed on a locked layer", s.SetPathClosed(f.onLocked, 1), kAILockedLayerError);
        p.Code("SetPathClosed on a hidden layer", s.SetPathClosed(f.onHidden, 1), kAILockedLayerError);
    }
}

void PathValid(Probe& p, Fixture& f, const AIPathSuite& s) {
    if (!s.GetPathSegmentCount || !s.SetPathSegments || !s.GetPathSegments) return;
    const AIPathSegment added{{300, 300}, {300, 300}, {300, 300}, 1};
    int16_t count = 0;
    p.Code("GetPathSegmentCount(art, &count)", s.GetPathSegmentCount(f.live, &count), kSPNoError);
    p.Code("SetPathSegments(art, count, 1, &segment)", s.SetPathSegments(f.live, count, 1, &added), kSPNoError);
    AIPathSegment back{};
    p.Code("GetPathSegments(art, count, 1, &back)", s.GetPathSegments(f.live, count, 1, &back), kSPNoError);
    if (back.p.h != 300 || back.corner != 1) p.Fault("the appended segment did not read back");
}

// ---- AI Path Style Suite --------------------------------------------------------------------

void PathStyleHostile(Probe& p, Fixture& f, const AIPathStyleSuite& s) {
    const auto bad = f.BadArt();
    PathStyle good{};
    if (s.GetPathStyle) {
        for (const auto& a : bad) p.Code("GetPathStyle(" + a.name + ", &style)", s.GetPathStyle(a.handle, &good), kSPBadParameterError);
        p.Code("GetPathStyle(art, NULL)", s.GetPathStyle(f.live, nullptr), kSPBadParameterError);
        if (s.GetPathStyle(f.live, &good) != kSPNoError) return p.Fault("GetPathStyle of the live art failed");
    }
    if (!s.SetPathStyle) return;
    for (const auto& a : bad) p.Code("SetPathStyle(" + a.name + ", &style)", s.SetPathStyle(a.handle, &good), kSPBadParameterError);
    p.Code("SetPathStyle(art, NULL)", s.SetPathStyle(f.live, nullptr), kSPBadParameterError);
    p.Code("SetPathStyle on a locked layer", s.SetPathStyle(f.onLocked, &good), kAILockedLayerError);
    p.Code("SetPathStyle on a hidden layer", s.SetPathStyle(f.onHidden, &good), kAILockedLayerError);
    auto refuse = [&](const std::string& what, const std::function<void(PathStyle&)>& spoil) {
        PathStyle style = good;
        spoil(style);
        p.Code("SetPathStyle with " + what, s.SetPathStyle(f.live, &style), kSPBadParameterError);
    };
    for (int32_t kind : {-1, 7, INT32_MIN, INT32_MAX}) {
        refuse(Cat("fill colour kind ", IntText(kind)), [&](PathStyle& st) { st.fillColor.kind = kind; });
        refuse(Cat("stroke colour kind ", IntText(kind)), [&](PathStyle& st) { st.strokeColor.kind = kind; });
    }
    for (float w : {kNaN, kInf, -kInf, -1.0f, -FLT_MIN})
        refuse("stroke width " + FloatText(w), [&](PathStyle& st) { st.strokeWidth = w; });
    for (int32_t c : {-1, 7, INT32_MIN, INT32_MAX}) refuse(Cat("dash count ", IntText(c)), [&](PathStyle& st) { st.dash.count = c; });
    // A non-finite number anywhere in the record could not be stored in a document that reads
    // back from its dump.
    for (float x : kNonFinite) {
        for (int i = 0; i < 4; ++i) {
            refuse(Cat("fill component ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.fillColor.c[i] = x; });
            refuse(Cat("stroke component ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.strokeColor.c[i] = x; });
        }
        refuse("miter limit " + FloatText(x), [&](PathStyle& st) { st.miterLimit = x; });
        refuse("dash offset " + FloatText(x), [&](PathStyle& st) { st.dash.offset = x; });
        for (int i = 0; i < 6; ++i)
            refuse(Cat("dash length ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.dash.array[i] = x; });
    }
    PathStyle after{};
    if (s.GetPathStyle && (s.GetPathStyle(f.live, &after) != kSPNoError || std::memcmp(&after, &good, sizeof after) != 0))
        p.Fault("a refused SetPathStyle changed the art's paint");
}

void PathStyleValid(Probe& p, Fixture& f, const AIPathStyleSuite& s) {
    if (!s.GetPathStyle || !s.SetPathStyle) return;
    PathStyle style{};
    p.Code("GetPathStyle(art, &style)", s.GetPathStyle(f.live, &style), kSPNoError);
    style.strokeWidth = 3;
    style.dash = {2, {4, 2, 0, 0, 0, 0}, 1};
    p.Code("SetPathStyle(art, &style)", s.SetPathStyle(f.live, &style), kSPNoError);
    PathStyle back{};
    p.Code("GetPathStyle(art, &back)", s.GetPathStyle(f.live, &back), kSPNoError);
    if (std::memcmp(&back, &style, sizeof back) != 0) p.Fault("the paint set did not read back");
}

// ---- AI Swatch List Suite and AI Art Style Suite --------------------------------------------

void SwatchNoDocument(Probe& p, const AISwatchListSuite& s) {
    int32_t n = 0;
    AISwatchRef swatch = nullptr;
    PaintColor colour{};
    if (HAS(s, CountSwatches)) p.Code("CountSwatches without a document", s.CountSwatches(&n), kSPNoDocumentError);
    if (HAS(s, GetNthSwatch)) p.Code("GetNthSwatch without a document", s.GetNthSwatch(0, &swatch), kSPNoDocumentError);
    if (HAS(s, GetSwatchColor)) (void)s.GetSwatchColor(nullptr, &colour), p.Returned();
}

void SwatchHostile(Probe& p, Fixture& f, const AISwatchListSuite& s) {
    int32_t count = 0;
    if (s.CountSwatches) {
        p.Code("CountSwatches(NULL)", s.CountSwatches(nullptr), kSPBadParameterError);
        s.CountSwatches(&count);
    }
    AISwatchRef first = nullptr;
    if (s.GetNthSwatch) {
        p.Code("GetNthSwatch(0, NULL)", s.GetNthSwatch(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) {
            AISwatchRef swatch = reinterpret_cast<AISwatchRef>(&f.local);
            const std::string call = Cat("GetNthSwatch(", IntText(n), ", &swatch)");
            p.Code(call, s.GetNthSwatch(n, &swatch), kSPBadParameterError);
            if (swatch != nullptr) p.Fault(call + " left the swatch set");
        }
        s.GetNthSwatch(2, &first);
    }
    if (s.GetSwatchColor) {
        PaintColor colour{};
        auto forged = f.Forged<AISwatchRef>();
        forged.push_back({"an art", reinterpret_cast<AISwatchRef>(f.live)});
        for (const auto& w : forged)
            p.Code("GetSwatchColor(" + w.name + ", &colour)", s.GetSwatchColor(w.handle, &colour), kSPBadParameterError);
        p.Code("GetSwatchColor(swatch, NULL)", s.GetSwatchColor(first, nullptr), kSPBadParameterError);
    }
}

void SwatchValid(Probe& p, Fixture&, const AISwatchListSuite& s) {
    if (!s.GetNthSwatch || !s.GetSwatchColor) return;
    AISwatchRef white = nullptr;
    PaintColor colour{};
    p.Code("GetNthSwatch(2, &swatch)", s.GetNthSwatch(2, &white), kSPNoError);
    p.Code("GetSwatchColor(swatch, &colour)", s.GetSwatchColor(white, &colour), kSPNoError);
}

void ArtStyleNoDocument(Probe& p, const AIArtStyleSuite& s) {
    int32_t n = 0;
    AIArtStyleHandle style = nullptr;
    if (HAS(s, CountArtStyles)) p.Code("CountArtStyles without a document", s.CountArtStyles(&n), kSPNoDocumentError);
    if (HAS(s, GetNthArtStyle)) p.Code("GetNthArtStyle without a document", s.GetNthArtStyle(0, &style), kSPNoDocumentError);
    if (HAS(s, SetArtStyle)) p.Fails("SetArtStyle without a document", s.SetArtStyle(nullptr, nullptr));
}

void ArtStyleHostile(Probe& p, Fixture& f, const AIArtStyleSuite& s) {
    int32_t count = 0;
    if (s.CountArtStyles) {
        p.Code("CountArtStyles(NULL)", s.CountArtStyles(nullptr), kSPBadParameterError);
        s.CountArtStyles(&count);
    }
    AIArtStyleHandle first = nullptr;
    if (s.GetNthArtStyle) {
        p.Code("GetNthArtStyle(0, NULL)", s.GetNthArtStyle(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) {
            AIArtStyleHandle style = nullptr;
            p.Code(Cat("GetNthArtStyle(", IntText(n), ", &style)"), s.GetNthArtStyle(n, &style), kSPBadParameterError);
        }
        s.GetNthArtStyle(0, &first);
    }
    if (s.SetArtStyle) {
        for (const auto& a : f.BadArt())
            p.Code("SetArtStyle(" + a.name + ", style)", s.SetArtStyle(a.handle, first), kSPBadParameterError);
        auto forged = f.Forged<AIArtStyleHandle>();
        forged.push_back({"an art", reinterpret_cast<AIArtStyleHandle>(f.live)});
        for (const auto& st : forged)
            p.Code("SetArtStyle(art, " + st.name + ")", s.SetArtStyle(f.live, st.handle), kSPBadParameterError);
        p.Code("SetArtStyle on a locked layer", s.SetArtStyle(f.onLocked, first), kAILockedLayerError);
        p.Code("SetArtStyle on a hidden layer", s.SetArtStyle(f.onHidden, first), kAILockedLayerError);
    }
}

void ArtStyleValid(Probe& p, Fixture& f, const AIArtStyleSuite& s) {
    if (!s.GetNthArtStyle || !s.SetArtStyle) return;
    AIArtStyleHandle style = nullptr;
    p.Code("GetNthArtStyle(0, &style)", s.GetNthArtStyle(0, &style), kSPNoError);
    p.Code("SetArtStyle(art, style)", s.SetArtStyle(f.live, style), kSPNoError);
}

// ---- AI Layer Suite -------------------------------------------------------------------------

void LayerNoDocument(Probe& p, const AILayerSuite& s) {
    int32_t n = 0;
    AILayerHandle layer = nullptr;
    const auto some = reinterpret_cast<AILayerHandle>(uintptr_t{0x100});
    if (HAS(s, CountLayers)) p.Code("CountLayers without a document", s.CountLayers(&n), kSPNoDocumentError);
    if (HAS(s, GetNthLayer)) p.Code("GetNthLayer without a document", s.GetNthLayer(0, &layer), kSPNoDocumentError);
    if (HAS(s, GetCurrentLayer)) p.Code("GetCurrentLayer without a document", s.GetCurrentLayer(&layer), kSPNoDocumentError);
    if (HAS(s, SetCurrentLayer)) p.Code("SetCurrentLayer without a document", s.SetCurrentLayer(some), kSPNoDocumentError);
    if (HAS(s, InsertLayer)) p.Code("InsertLayer without a document", s.InsertLayer(nullptr, kPlaceAboveAll, &layer), kSPNoDocumentError);
}

void LayerHostile(Probe& p, Fixture& f, const AILayerSuite& s) {
    const auto bad = f.BadLayers();
    int32_t count = 0;
    AILayerHandle layer = nullptr;
    if (s.CountLayers) {
        p.Code("CountLayers(NULL)", s.CountLayers(nullptr), kSPBadParameterError);
        s.CountLayers(&count);
    }
    if (s.GetNthLayer) {
        p.Code("GetNthLayer(0, NULL)", s.GetNthLayer(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) p.Code(Cat("GetNthLayer(", IntText(n), ", &layer)"), s.GetNthLayer(n, &layer), kSPBadParameterError);
    }
    if (s.GetCurrentLayer) p.Code("GetCurrentLayer(NULL)", s.GetCurrentLayer(nullptr), kSPBadParameterError);
    if (s.SetCurrentLayer)
        for (const auto& l : bad) p.Code("SetCurrentLayer(" + l.name + ")", s.SetCurrentLayer(l.handle), kSPBadParameterError);
    if (s.InsertLayer) {
        p.Code("InsertLayer(NULL, kPlaceAboveAll, NULL)", s.InsertLayer(nullptr, kPlaceAboveAll, nullptr), kSPBadParameterError);
        for (int16_t order : {int16_t(kPlaceAbove), int16_t(kPlaceBelow)})
            for (const auto& l : bad)
                p.Code(Cat("InsertLayer(", l.name, ", ", order, ", &layer)"), s.InsertLayer(l.handle, order, &layer), kSPBadParameterError);
        for (int16_t order : {int16_t(0), int16_t(kPlaceInsideOnTop), int16_t(kPlaceInsideOnBottom), int16_t(7), int16_t(-1),
                              int16_t(INT16_MIN), int16_t(INT16_MAX)})
            p.Code(Cat("InsertLayer(layer, ", IntText(order), ", &layer)"), s.InsertLayer(f.layer, order, &layer), kSPBadParameterError);
    }
}

void LayerValid(Probe& p, Fixture& f, const AILayerSuite& s) {
    if (!s.InsertLayer || !s.GetCurrentLayer || !s.SetCurrentLayer) return;
    AILayerHandle made = nullptr, current = nullptr;
    p.Code("InsertLayer(layer, kPlaceBelow, &layer)", s.InsertLayer(f.layer, kPlaceBelow, &made), kSPNoError);
    p.Code("GetCurrentLayer(&layer)", s.GetCurrentLayer(&current), kSPNoError);
    if (current != made) p.Fault("the inserted layer did not become current");
    p.Code("SetCurrentLayer(layer)", s.SetCurrentLayer(f.layer), kSPNoError);
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

// ---- ADM Basic Suite ------------------------------------------------------------------------

void AdmBasicHostile(Probe& p, Fixture& f, const ADMBasicSuite& s) {
    if (HAS(s, GetIndexString)) {
        char buffer[256];
        auto untouched = [&] {
            for (char c : buffer)
                if (c != '#') return false;
            return true;
        };
        auto refuse = [&](const std::string& call, SPErr e) {
            p.Code(call, e, kSPBadParameterError);
            if (!untouched()) p.Fault(call + " wrote into the buffer");
            std::memset(buffer, '#', sizeof buffer);
        };
        std::memset(buffer, '#', sizeof buffer);
        auto plugins = f.Forged<SPPluginRef>();
        plugins.push_back({"a removed plug-in", f.deadPlugin});
        for (const auto& pl : plugins)
            refuse("GetIndexString(" + pl.name + ", 16000, 1, buffer, 256)", s.GetIndexString(pl.handle, kStringList, 1, buffer, 256));
        for (int32_t list : {-1, INT32_MIN, INT32_MAX, 0x10000 + kStringList, 1, kStringList + 3})
            refuse(Cat("GetIndexString(self, ", IntText(list), ", 1, buffer, 256)"), s.GetIndexString(f.plugin, list, 1, buffer, 256));
        p.Code("GetIndexString(self, 16000, 1, NULL, 256)", s.GetIndexString(f.plugin, kStringList, 1, nullptr, 256), kSPBadParameterError);
        for (int32_t length : {0, -1, INT32_MIN})
            refuse(Cat("GetIndexString(self, 16000, 1, buffer, ", IntText(length), ")"),
                   s.GetIndexString(f.plugin, kStringList, 1, buffer, length));
        for (int32_t index : {3, 16, 0xFFFF, INT32_MAX}) {
            const std::string call = Cat("GetIndexString(self, 16000, ", IntText(index), ", buffer, 256)");
            p.Code(call, s.GetIndexString(f.plugin, kStringList, index, buffer, 256), kSPNoError);
            if (buffer[0] != '\0') p.Fault(call + " did not give the empty string");
            std::memset(buffer, '#', sizeof buffer);
        }
        for (int32_t index : {-1, INT32_MIN}) {
            const std::string call = Cat("GetIndexString(self, 16000, ", IntText(index), ", buffer, 256)");
            const SPErr e = s.GetIndexString(f.plugin, kStringList, index, buffer, 256);
            p.Result(call, e == kSPNoError ? buffer[0] == '\0' : untouched(), "gave a string for a position before the list");
            std::memset(buffer, '#', sizeof buffer);
        }
        const std::string cut = "GetIndexString(self, 16000, 2, buffer, 3)";
        p.Code(cut, s.GetIndexString(f.plugin, kStringList, 2, buffer, 3), kSPNoError);
        if (std::string(buffer, 3) != std::string("se\0", 3) || buffer[3] != '#') p.Fault(cut + " did not cut to \"se\"");
    }
    if (HAS(s, MessageAlert)) {
        s.MessageAlert(nullptr);
        s.MessageAlert(std::string(100000, 'x').c_str());
        p.Returned();
        p.Returned();
    }
}

void AdmBasicValid(Probe& p, Fixture& f, const ADMBasicSuite& s) {
    if (!s.GetIndexString) return;
    char buffer[64] = {};
    p.Code("GetIndexString(self, 16000, 1, buffer, 64)", s.GetIndexString(f.plugin, kStringList, 1, buffer, 64), kSPNoError);
    if (std::string(buffer) != "first") p.Fault("GetIndexString did not give \"first\"");
}

// ---- The dialog manager ---------------------------------------------------------------------

// Runs a modal dialog of the check's resources; `init` gets the open dialog, and its answer is
// the init procedure's.
const std::function<SPErr(ADMDialogRef)>* gInit = nullptr;
SPErr InitTrampoline(ADMDialogRef dialog) { return gInit ? (*gInit)(dialog) : kSPNoError; }

int32_t RunModal(const ADMDialogSuite& d, SPPluginRef plugin, int32_t resId, ADMUserData userData,
                 const std::function<SPErr(ADMDialogRef)>& init) {
    const auto* outer = gInit;
    gInit = &init;
    const int32_t result = d.Modal(plugin, "host suite check", resId, kADMModalDialogStyle, InitTrampoline, userData);
    gInit = outer;
    return result;
}

// What a dialog's init procedure kept, for calls after the dialog has ended.
struct Kept {
    ADMDialogRef dialog = nullptr;
    std::vector<Named<ADMItemRef>> items;
    ADMListRef list = nullptr;
    std::vector<ADMEntryRef> entries;
};

const ADMRect kItemBounds{10, 150, 90, 164};

// The dialog suite and the popup list item a check of the items, lists or entries needs; a note
// when something it needs is missing.
struct DialogTools {
    const ADMDialogSuite* dialog = nullptr;
    const ADMItemSuite* item = nullptr;
    const ADMListSuite* list = nullptr;
    std::string missing;
};

// Names the entries missing from a suite that another suite's check needs.
std::string Needs(const DialogTools& t, bool wantItem, bool wantList) {
    std::string missing;
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem || !t.dialog->CreateItem) missing += " ADM Dialog Suite Modal/GetItem/CreateItem";
    if (wantItem && (!t.item || !t.item->GetList)) missing += " ADM Item Suite GetList";
    if (wantList && (!t.list || !t.list->InsertEntry)) missing += " ADM List Suite InsertEntry";
    return missing;
}

bool IsPlaceholder(const char* name, const void* table) {
    for (const PlaceholderSuite& ph : PlaceholderSuites())
        if (std::strcmp(ph.name, name) == 0 && ph.table == table) return true;
    return false;
}

// The host's tables are static for the process, so a table seen once stays usable after its
// release.
DialogTools Tools(Fixture& f) {
    DialogTools t;
    const SPBasicSuite* b = f.host.Basic();
    const void* table = nullptr;
    if (b->AcquireSuite(kADMDialogSuite, kADMDialogSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMDialogSuite, table)) t.dialog = static_cast<const ADMDialogSuite*>(table);
        b->ReleaseSuite(kADMDialogSuite, kADMDialogSuiteVersion);
    }
    if (b->AcquireSuite(kADMItemSuite, kADMItemSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMItemSuite, table)) t.item = static_cast<const ADMItemSuite*>(table);
        b->ReleaseSuite(kADMItemSuite, kADMItemSuiteVersion);
    }
    if (b->AcquireSuite(kADMListSuite, kADMListSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMListSuite, table)) t.list = static_cast<const ADMListSuite*>(table);
        b->ReleaseSuite(kADMListSuite, kADMListSuiteVersion);
    }
    return t;
}

void DialogHostile(Probe& p, Fixture& f, const ADMDialogSuite& s) {
    if (!HAS(s, Modal)) return;
    const size_t shownBefore = f.host.Dialogs().size();
    bool initRan = false;
    auto noteInit = [&](ADMDialogRef) {
        initRan = true;
        return kSPNoError;
    };
    auto plugins = f.Forged<SPPluginRef>();
    plugins.push_back({"a removed plug-in", f.deadPlugin});
    for (const auto& pl : plugins) {
        initRan = false;
        const int32_t r = RunModal(s, pl.handle, kDialog, nullptr, noteInit);
        p.Result("Modal(" + pl.name + ", ..., 16100)", r == -1 && !initRan, Cat("answered ", r, initRan ? " and ran init" : ""));
    }
    for (int32_t id : {-1, 0, INT32_MIN, INT32_MAX, 0x10000 + kDialog, kStringList, kDamagedDialog}) {
        initRan = false;
        const int32_t r = RunModal(s, f.plugin, id, nullptr, noteInit);
        p.Result(Cat("Modal(self, ..., ", IntText(id), ")"), r == -1 && !initRan, Cat("answered ", r, initRan ? " and ran init" : ""));
    }
    // An init procedure that fails closes the dialog before it is shown; what it kept is dead.
    Kept failed;
    const int32_t r = RunModal(s, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        failed.dialog = d;
        if (s.GetItem) failed.items.push_back({"an item of a dialog whose init failed", s.GetItem(d, kOkItem)});
        return kSPBadParameterError;
    });
    p.Result("Modal with an init procedure that fails", r == -1, Cat("answered ", r));
    if (f.host.Dialogs().size() != shownBefore) p.Fault("a dialog that could not open was shown");

    int marker = 0;
    Kept kept;
    const int32_t ended = RunModal(s, f.plugin, kDialog, &marker, [&](ADMDialogRef d) {
        kept.dialog = d;
        auto forged = f.Forged<ADMDialogRef>(false);
        forged.push_back({"a dialog whose init failed", failed.dialog});
        if (HAS(s, GetUserData)) {
            p.Result("GetUserData(NULL)", s.GetUserData(nullptr) == nullptr, "not NULL");
            for (const auto& g : forged) p.Result("GetUserData(" + g.name + ")", s.GetUserData(g.handle) == nullptr, "not NULL");
        }
        if (HAS(s, GetItem)) {
            p.Result("GetItem(NULL, 1)", s.GetItem(nullptr, kOkItem) == nullptr, "not NULL");
            for (const auto& g : forged) p.Result("GetItem(" + g.name + ", 1)", s.GetItem(g.handle, kOkItem) == nullptr, "not NULL");
            for (int32_t id : {0, -2, 999, INT32_MIN, INT32_MAX})
                p.Result(Cat("GetItem(dialog, ", IntText(id), ")"), s.GetItem(d, id) == nullptr, "not NULL");
            kept.items.push_back({"item 1", s.GetItem(d, kOkItem)});
        }
        if (HAS(s, EndModal)) {
            s.EndModal(nullptr, 7);
            p.Returned();
            for (const auto& g : forged) s.EndModal(g.handle, 7), p.Returned();
        }
        if (HAS(s, CreateItem)) {
            p.Result("CreateItem(NULL, 50, spin edit, &bounds)", s.CreateItem(nullptr, 50, kADMSpinEditType, &kItemBounds) == nullptr, "not NULL");
            for (const auto& g : forged)
                p.Result("CreateItem(" + g.name + ", 50, spin edit, &bounds)", s.CreateItem(g.handle, 50, kADMSpinEditType, &kItemBounds) == nullptr,
                         "not NULL");
            p.Result("CreateItem(dialog, 50, NULL, &bounds)", s.CreateItem(d, 50, nullptr, &kItemBounds) == nullptr, "not NULL");
            p.Result("CreateItem(dialog, 50, \"ADM No Such Type\", &bounds)", s.CreateItem(d, 50, "ADM No Such Type", &kItemBounds) == nullptr,
                     "not NULL");
            p.Result("CreateItem(dialog, 50, spin edit, NULL)", s.CreateItem(d, 50, kADMSpinEditType, nullptr) == nullptr, "not NULL");
            p.Result("CreateItem(dialog, 1, ...) of an identifier the dialog holds", s.CreateItem(d, kOkItem, kADMSpinEditType, &kItemBounds) == nullptr,
                     "not NULL");
            if (s.GetItem && s.GetItem(d, 50) != nullptr) p.Fault("a refused CreateItem added item 50");
        }
        ADMRect bounds{1, 2, 3, 4};
        if (HAS(s, SetBoundsRect)) {
            s.SetBoundsRect(nullptr, &bounds), s.SetBoundsRect(d, nullptr);
            p.Returned(), p.Returned();
            for (const auto& g : forged) s.SetBoundsRect(g.handle, &bounds), p.Returned();
        }
        if (HAS(s, GetBoundsRect)) {
            bounds = {1, 2, 3, 4};
            s.GetBoundsRect(nullptr, &bounds);
            p.Result("GetBoundsRect(NULL, &bounds)", bounds.left == 0 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0,
                     "not (0, 0, 0, 0)");
            s.GetBoundsRect(d, nullptr);
            p.Returned();
        }
        if (HAS(s, Size)) {
            s.Size(nullptr, 10, 10);
            p.Returned();
            for (const auto& g : forged) s.Size(g.handle, 10, 10), p.Returned();
            if (s.SetBoundsRect && s.GetBoundsRect) {
                const ADMRect placed{100, 100, 300, 250};
                s.SetBoundsRect(d, &placed);
                s.Size(d, -5, INT32_MIN);
                s.GetBoundsRect(d, &bounds);
                p.Result("Size(dialog, -5, INT32_MIN)", bounds.right == bounds.left && bounds.bottom == bounds.top && bounds.left == 100,
                         "negative sizes not taken as 0");
                s.Size(d, INT32_MAX, INT32_MAX);
                s.GetBoundsRect(d, &bounds);
                p.Result("Size(dialog, INT32_MAX, INT32_MAX)", bounds.right >= bounds.left && bounds.bottom >= bounds.top,
                         "the bounds wrapped round");
            }
        }
        return kSPNoError;
    });
    p.Result("Modal after EndModal calls with forged dialogs", ended == kOkItem, Cat("ended with ", ended));

    // The dialog has ended: every handle it gave is dead, and so are the failed dialog's.
    for (const Kept* k : {&kept, &failed}) {
        const std::string which = k == &kept ? "an ended dialog" : "a dialog whose init failed";
        if (s.GetUserData) p.Result("GetUserData(" + which + ")", s.GetUserData(k->dialog) == nullptr, "not NULL");
        if (s.GetItem) p.Result("GetItem(" + which + ", 1)", s.GetItem(k->dialog, kOkItem) == nullptr, "not NULL");
        if (s.EndModal) s.EndModal(k->dialog, 2), p.Returned();
        if (s.CreateItem)
            p.Result("CreateItem(" + which + ", ...)", s.CreateItem(k->dialog, 60, kADMSpinEditType, &kItemBounds) == nullptr, "not NULL");
        ADMRect bounds{1, 2, 3, 4};
        if (s.SetBoundsRect) s.SetBoundsRect(k->dialog, &bounds), p.Returned();
        if (s.GetBoundsRect) {
            s.GetBoundsRect(k->dialog, &bounds);
            const bool zero = bounds.left == 0 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0;
            const bool kept4 = bounds.left == 1 && bounds.top == 2 && bounds.right == 3 && bounds.bottom == 4;
            p.Result("GetBoundsRect(" + which + ")", zero || kept4, "gave the bounds of a dialog that is gone");
        }
        if (s.Size) s.Size(k->dialog, 5, 5), p.Returned();
    }
    // A later dialog is not reached through the handles of an earlier one.
    int secondMarker = 0;
    const int32_t second = RunModal(s, f.plugin, kDialog, &secondMarker, [&](ADMDialogRef d) {
        const bool same = d == kept.dialog;
        if (s.GetUserData)
            p.Result("GetUserData(the ended dialog) while another is open", s.GetUserData(kept.dialog) == nullptr,
                     same ? "the new dialog answers to the ended dialog's handle" : "not NULL");
        if (s.GetItem)
            p.Result("GetItem(the ended dialog, 1) while another is open", s.GetItem(kept.dialog, kOkItem) == nullptr,
                     same ? "the new dialog answers to the ended dialog's handle" : "not NULL");
        if (s.EndModal) s.EndModal(kept.dialog, kCancelItem), p.Returned();
        return kSPNoError;
    });
    if (second == kCancelItem) p.Fault("EndModal of the ended dialog ended the dialog open after it");
}

void DialogValid(Probe& p, Fixture& f, const ADMDialogSuite& s) {
    if (!s.Modal || !s.EndModal || !s.GetItem) return;
    const int32_t r = RunModal(s, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        if (s.CreateItem && !s.CreateItem(d, 50, kADMSpinEditType, &kItemBounds)) p.Fault("CreateItem of a spin edit failed");
        if (s.CreateItem && s.GetItem(d, 50) == nullptr) p.Fault("the item made is not found");
        s.EndModal(d, kCancelItem);
        return kSPNoError;
    });
    p.Result("Modal ended with EndModal(dialog, 2)", r == kCancelItem, Cat("answered ", r));
}

// Items: NULL and forged items, then a live dialog's, then those of the ended dialog; each entry
// must answer its neutral result and follow no handle it does not know.
void ItemNeutral(Probe& p, const ADMItemSuite& s, const Named<ADMItemRef>& i) {
    const ADMItemRef h = i.handle;
    const std::string n = "(" + i.name + ")";
    auto call = [&](auto entry, auto&&... args) {
        if (entry) entry(h, args...), p.Returned();
    };
    call(s.SetNotifyProc, nullptr);
    call(s.DefaultNotify, nullptr);
    call(s.SetText, "text");
    call(s.SetTrackProc, nullptr);
    call(s.SendNotify, kADMUserChangedNotifier);
    call(s.Show, ADMBoolean{0});
    call(s.Enable, ADMBoolean{0});
    call(s.SetUnits, kADMNoUnits);
    call(s.SetPrecision, 2);
    call(s.SetMinIntValue, 0);
    call(s.SetMaxIntValue, 10);
    call(s.SetMinFloatValue, 0.0f);
    call(s.SetMaxFloatValue, 10.0f);
    call(s.SetIntValue, 5);
    call(s.SetFloatValue, 5.0f);
    call(s.SetBooleanValue, ADMBoolean{1});
    if (s.GetDialog) p.Result("GetDialog" + n, s.GetDialog(h) == nullptr, "not NULL");
    if (s.GetID) p.Result("GetID" + n, s.GetID(h) == 0, "not 0");
    if (s.DefaultTrack) p.Result("DefaultTrack" + n, s.DefaultTrack(h, nullptr) == 0, "answered true");
    if (s.GetIntValue) p.Result("GetIntValue" + n, s.GetIntValue(h) == 0, "not 0");
    if (s.GetFloatValue) p.Result("GetFloatValue" + n, s.GetFloatValue(h) == 0.0f, "not 0");
    if (s.GetBooleanValue) p.Result("GetBooleanValue" + n, s.GetBooleanValue(h) == 0, "not 0");
    if (s.GetList) p.Result("GetList" + n, s.GetList(h) == nullptr, "not NULL");
}

int gNotified = 0;
void SPAPI CountNotify(ADMItemRef, ADMNotifierRef) { ++gNotified; }

void ItemHostile(Probe& p, Fixture& f, const ADMItemSuite& s) {
    // Every entry is listed once, whatever the calls below reach.
    for (bool present : {HAS(s, SetNotifyProc), HAS(s, DefaultNotify), HAS(s, SetText), HAS(s, GetDialog), HAS(s, GetID),
                         HAS(s, SetTrackProc), HAS(s, DefaultTrack), HAS(s, SendNotify), HAS(s, Show), HAS(s, Enable),
                         HAS(s, SetUnits), HAS(s, SetPrecision), HAS(s, SetMinIntValue), HAS(s, SetMaxIntValue),
                         HAS(s, SetMinFloatValue), HAS(s, SetMaxFloatValue), HAS(s, SetIntValue), HAS(s, GetIntValue),
                         HAS(s, SetFloatValue), HAS(s, GetFloatValue), HAS(s, SetBooleanValue), HAS(s, GetBooleanValue),
                         HAS(s, GetList)})
        (void)present;
    for (const auto& i : f.Forged<ADMItemRef>()) ItemNeutral(p, s, i);
    const DialogTools t = Tools(f);
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem) return p.Missing("(ADM Dialog Suite Modal/GetItem: live items)");
    Kept kept;
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        kept.dialog = d;
        for (int32_t id : {kOkItem, kCancelItem, kEditItem, kLabelItem, kComboItem})
            kept.items.push_back({Cat("item ", id, " of the ended dialog"), t.dialog->GetItem(d, id)});
        ADMItemRef spin = t.dialog->CreateItem ? t.dialog->CreateItem(d, 50, kADMSpinEditType, &kItemBounds) : nullptr;
        if (spin) kept.items.push_back({"a spin edit of the ended dialog", spin});
        const ADMItemRef label = t.dialog->GetItem(d, kLabelItem);
        if (s.GetList && label) p.Result("GetList(a label)", s.GetList(label) == nullptr, "not NULL");
        if (s.SetText && label) s.SetText(label, nullptr), p.Returned();
        if (s.SetNotifyProc && s.SendNotify && label) {
            gNotified = 0;
            s.SetNotifyProc(label, CountNotify);
            s.SendNotify(label, nullptr);
            p.Result("SendNotify(item, NULL)", gNotified == 0, "called the notifier");
            s.SendNotify(label, kADMUserChangedNotifier);
            p.Result("SendNotify(item, kADMUserChangedNotifier)", gNotified == 1, Cat("called the notifier ", gNotified, " times"));
            s.SetNotifyProc(label, nullptr);
        }
        if (s.SetPrecision && s.SetUnits && label)
            for (int32_t v : {INT32_MIN, INT32_MAX, -1}) s.SetPrecision(label, v), s.SetUnits(label, v), p.Returned(), p.Returned();
        if (!spin) {
            p.Missing("(ADM Dialog Suite CreateItem: spin edit values)");
            return kSPNoError;
        }
        if (!s.SetMinIntValue || !s.SetMaxIntValue || !s.SetIntValue || !s.GetIntValue || !s.SetMinFloatValue ||
            !s.SetMaxFloatValue || !s.SetFloatValue || !s.GetFloatValue)
            return kSPNoError;
        auto value = [&](const std::string& call, float want) {
            const float got = s.GetFloatValue(spin);
            p.Result(call, got == want, Cat("reads ", FloatText(got), ", expected ", FloatText(want)));
        };
        s.SetMinFloatValue(spin, 0), s.SetMaxFloatValue(spin, 10), s.SetFloatValue(spin, 4);
        s.SetMinFloatValue(spin, kNaN);
        s.SetFloatValue(spin, -5);
        value("SetMinFloatValue(NaN), then SetFloatValue(-5)", 0);
        s.SetMaxFloatValue(spin, kNaN);
        s.SetFloatValue(spin, 50);
        value("SetMaxFloatValue(NaN), then SetFloatValue(50)", 10);
        s.SetFloatValue(spin, 4);
        s.SetFloatValue(spin, kNaN);
        value("SetFloatValue(NaN)", 4);
        s.SetFloatValue(spin, kInf);
        value("SetFloatValue(+inf) within 0 .. 10", 10);
        s.SetFloatValue(spin, -kInf);
        value("SetFloatValue(-inf) within 0 .. 10", 0);
        s.SetMinFloatValue(spin, -FLT_MAX), s.SetMaxFloatValue(spin, FLT_MAX);
        s.SetFloatValue(spin, FLT_MAX);
        p.Result("GetIntValue of FLT_MAX", s.GetIntValue(spin) == INT32_MAX, Cat("reads ", s.GetIntValue(spin)));
        s.SetFloatValue(spin, -FLT_MAX);
        p.Result("GetIntValue of -FLT_MAX", s.GetIntValue(spin) == INT32_MIN, Cat("reads ", s.GetIntValue(spin)));
        s.SetFloatValue(spin, -2.6f);
        p.Result("GetIntValue of -2.6", s.GetIntValue(spin) == -3, Cat("reads ", s.GetIntValue(spin)));
        s.SetMinIntValue(spin, INT32_MIN), s.SetMaxIntValue(spin, INT32_MAX);
        for (int32_t v : {INT32_MIN, INT32_MAX}) {
            s.SetIntValue(spin, v);
            p.Result(Cat("SetIntValue(", IntText(v), ") within the int32 range"), s.GetIntValue(spin) == v, Cat("reads ", s.GetIntValue(spin)));
        }
        s.SetMaxIntValue(spin, 5), s.SetMinIntValue(spin, 20), s.SetIntValue(spin, 0);
        p.Result("SetMaxIntValue(5), SetMinIntValue(20), SetIntValue(0)", s.GetIntValue(spin) == 20, Cat("reads ", s.GetIntValue(spin)));
        s.SetMinIntValue(spin, -3), s.SetMaxIntValue(spin, -10), s.SetIntValue(spin, 100);
        p.Result("SetMinIntValue(-3), SetMaxIntValue(-10), SetIntValue(100)", s.GetIntValue(spin) == -10, Cat("reads ", s.GetIntValue(spin)));
        for (int k = 0; k < 30; ++k) p.Returned();  // the setters above
        return kSPNoError;
    });
    for (const auto& i : kept.items)
        if (i.handle) ItemNeutral(p, s, i);
}

void ItemValid(Probe& p, Fixture& f, const ADMItemSuite& s) {
    const DialogTools t = Tools(f);
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem || !s.GetID || !s.GetDialog) return;
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        const ADMItemRef ok = t.dialog->GetItem(d, kOkItem);
        p.Result("GetID(item 1)", s.GetID(ok) == kOkItem, "not 1");
        p.Result("GetDialog(item 1)", s.GetDialog(ok) == d, "not its dialog");
        return kSPNoError;
    });
}

// A popup list item of a live dialog, made by `use` and used there; kept handles afterwards.
void WithPopup(Probe& p, const DialogTools& t, Fixture& f, const std::function<void(ADMDialogRef, ADMItemRef, ADMListRef)>& use) {
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        ADMItemRef popup = t.dialog->CreateItem(d, 60, kADMPopupListType, &kItemBounds);
        ADMListRef list = popup ? t.item->GetList(popup) : nullptr;
        if (!list) {
            p.Fault("a popup list item made by CreateItem has no list");
            return kSPNoError;
        }
        use(d, popup, list);
        return kSPNoError;
    });
}

void ListNeutral(Probe& p, const ADMListSuite& s, const Named<ADMListRef>& l) {
    const std::string n = "(" + l.name;
    if (s.InsertEntry) p.Result("InsertEntry" + n + ", 0)", s.InsertEntry(l.handle, 0) == nullptr, "not NULL");
    if (s.IndexEntry) p.Result("IndexEntry" + n + ", 0)", s.IndexEntry(l.handle, 0) == nullptr, "not NULL");
    if (s.GetActiveEntry) p.Result("GetActiveEntry" + n + ")", s.GetActiveEntry(l.handle) == nullptr, "not NULL");
    if (s.NumberOfEntries) p.Result("NumberOfEntries" + n + ")", s.NumberOfEntries(l.handle) == 0, "not 0");
}

void ListHostile(Probe& p, Fixture& f, const ADMListSuite& s) {
    (void)(HAS(s, InsertEntry) + HAS(s, IndexEntry) + HAS(s, GetActiveEntry) + HAS(s, NumberOfEntries));
    for (const auto& l : f.Forged<ADMListRef>()) ListNeutral(p, s, l);
    DialogTools t = Tools(f);
    t.list = &s;
    if (const std::string missing = Needs(t, true, false); !missing.empty()) return p.Missing("(" + missing + ": live lists)");
    ADMListRef kept = nullptr;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef popup, ADMListRef list) {
        kept = list;
        if (!s.InsertEntry || !s.IndexEntry || !s.NumberOfEntries || !s.GetActiveEntry) return;
        for (int32_t i : {-1, 0, INT32_MIN, INT32_MAX})
            p.Result(Cat("IndexEntry(empty list, ", IntText(i), ")"), s.IndexEntry(list, i) == nullptr, "not NULL");
        p.Result("GetActiveEntry(empty list)", s.GetActiveEntry(list) == nullptr, "not NULL");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // no entry chosen
        ADMEntryRef first = s.InsertEntry(list, INT32_MIN);
        ADMEntryRef last = s.InsertEntry(list, INT32_MAX);
        ADMEntryRef middle = s.InsertEntry(list, 1);
        p.Returned(), p.Returned(), p.Returned();
        p.Result("NumberOfEntries after three inserts", s.NumberOfEntries(list) == 3, Cat("answered ", s.NumberOfEntries(list)));
        p.Result("InsertEntry(list, INT32_MIN) goes first", first && s.IndexEntry(list, 0) == first, "it is not at 0");
        p.Result("InsertEntry(list, INT32_MAX) appends", last && s.IndexEntry(list, 2) == last, "it is not at the end");
        p.Result("InsertEntry(list, 1)", middle && s.IndexEntry(list, 1) == middle, "it is not at 1");
        for (int32_t i : {-1, 3, INT32_MIN, INT32_MAX})
            p.Result(Cat("IndexEntry(list, ", IntText(i), ")"), s.IndexEntry(list, i) == nullptr, "not NULL");
        p.Result("GetActiveEntry with none chosen", s.GetActiveEntry(list) == nullptr, "not NULL");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // entries, none chosen
    });
    if (kept) ListNeutral(p, s, {"a list of an ended dialog", kept});
}

void ListValid(Probe& p, Fixture& f, const ADMListSuite& s) {
    DialogTools t = Tools(f);
    if (!Needs(t, true, false).empty() || !s.InsertEntry || !s.NumberOfEntries) return;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef, ADMListRef list) {
        s.InsertEntry(list, 0);
        p.Result("NumberOfEntries after one insert", s.NumberOfEntries(list) == 1, "not 1");
    });
}

void EntryNeutral(Probe& p, const ADMEntrySuite& s, const Named<ADMEntryRef>& e) {
    const std::string n = "(" + e.name + ")";
    if (s.SetText) s.SetText(e.handle, "text"), p.Returned();
    if (s.SetID) s.SetID(e.handle, 5), p.Returned();
    if (s.Select) s.Select(e.handle, 1), p.Returned();
    if (s.GetID) p.Result("GetID" + n, s.GetID(e.handle) == 0, "not 0");
    if (s.GetIndex) p.Result("GetIndex" + n, s.GetIndex(e.handle) == -1, "not -1");
}

void EntryHostile(Probe& p, Fixture& f, const ADMEntrySuite& s) {
    (void)(HAS(s, SetText) + HAS(s, SetID) + HAS(s, GetID) + HAS(s, Select) + HAS(s, GetIndex));
    for (const auto& e : f.Forged<ADMEntryRef>()) EntryNeutral(p, s, e);
    const DialogTools t = Tools(f);
    if (const std::string missing = Needs(t, true, true); !missing.empty()) return p.Missing("(" + missing + ": live entries)");
    std::vector<ADMEntryRef> kept;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef popup, ADMListRef list) {
        ADMEntryRef a = t.list->InsertEntry(list, 0);
        ADMEntryRef b = t.list->InsertEntry(list, 1);
        kept = {a, b};
        if (!a || !b || !s.SetID || !s.GetID || !s.Select || !s.GetIndex) return;
        if (s.SetText) s.SetText(a, nullptr), p.Returned();
        for (int32_t id : {INT32_MIN, INT32_MAX, -1, 0}) {
            s.SetID(a, id);
            p.Result(Cat("SetID(entry, ", IntText(id), ")"), s.GetID(a) == id, Cat("reads ", s.GetID(a)));
        }
        s.SetID(b, 7);
        s.Select(b, 1);
        if (t.item->GetIntValue) p.Result("GetIntValue(popup) with entry 7 chosen", t.item->GetIntValue(popup) == 7, "not 7");
        if (t.list->GetActiveEntry) p.Result("GetActiveEntry after Select", t.list->GetActiveEntry(list) == b, "not the entry chosen");
        s.Select(a, 1);
        s.Select(b, 0);
        if (t.list->GetActiveEntry) p.Result("Select of another entry", t.list->GetActiveEntry(list) == a, "not the only chosen entry");
        s.Select(a, 0);
        if (t.list->GetActiveEntry) p.Result("Select(entry, false)", t.list->GetActiveEntry(list) == nullptr, "an entry is still chosen");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // none chosen: any value, no crash
        p.Result("GetIndex(second entry)", s.GetIndex(b) == 1, Cat("answered ", s.GetIndex(b)));
    });
    for (ADMEntryRef e : kept)
        if (e) EntryNeutral(p, s, {"an entry of an ended dialog", e});
}

void EntryValid(Probe& p, Fixture& f, const ADMEntrySuite& s) {
    const DialogTools t = Tools(f);
    if (!Needs(t, true, true).empty() || !s.SetID || !s.GetID) return;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef, ADMListRef list) {
        ADMEntryRef e = t.list->InsertEntry(list, 0);
        s.SetID(e, 12);
        p.Result("SetID(entry, 12)", s.GetID(e) == 12, "not 12");
    });
}

void TrackerHostile(Probe& p, Fixture& f, const ADMTrackerSuite& s) {
    auto trackers = f.Forged<ADMTrackerRef>();
    for (const auto& t : trackers) {
        if (HAS(s, GetModifiers)) p.Result("GetModifiers(" + t.name + ") outside any event", s.GetModifiers(t.handle) == 0, "not 0");
        if (HAS(s, GetPoint)) {
            int32_t h = 7, v = 7;
            s.GetPoint(t.handle, &h, &v);
            p.Result("GetPoint(" + t.name + ", &h, &v) outside any event", h == 0 && v == 0, Cat("gave (", h, ", ", v, ")"));
            s.GetPoint(t.handle, nullptr, nullptr);
            s.GetPoint(t.handle, &h, nullptr);
            s.GetPoint(t.handle, nullptr, &v);
            p.Returned(), p.Returned(), p.Returned();
        }
    }
}

void TrackerValid(Probe& p, Fixture&, const ADMTrackerSuite& s) {
    if (!s.GetModifiers) return;
    p.Result("GetModifiers(NULL)", s.GetModifiers(nullptr) == 0, "not 0 with no event");
}

// ---- H1's suites: opacity, transforms, shapes, envelopes, symbols ---------------------------

void BlendNoDocument(Probe& p, const AIBlendStyleSuite& s) {
    const auto some = reinterpret_cast<AIArtHandle>(uintptr_t{0x100});
    if (HAS(s, GetOpacity)) p.Result("GetOpacity without a document", s.GetOpacity(some) == 1.0f, "not 1");
    if (HAS(s, SetOpacity)) p.Fails("SetOpacity without a document", s.SetOpacity(some, 0.5f));
}

void BlendHostile(Probe& p, Fixture& f, const AIBlendStyleSuite& s) {
    for (const auto& a : f.BadArt()) {
        if (s.GetOpacity) p.Result("GetOpacity(" + a.name + ")", s.GetOpacity(a.handle) == 1.0f, "not 1");
        if (s.SetOpacity) p.Code("SetOpacity(" + a.name + ", 0.5)", s.SetOpacity(a.handle, 0.5f), kSPBadParameterError);
    }
    if (s.SetOpacity) {
        p.Code("SetOpacity(art, NaN)", s.SetOpacity(f.live, kNaN), kSPBadParameterError);
        p.Code("SetOpacity on a locked layer", s.SetOpacity(f.onLocked, 0.5f), kAILockedLayerError);
        p.Code("SetOpacity on a hidden layer", s.SetOpacity(f.onHidden, 0.5f), kAILockedLayerError);
    }
}

void BlendValid(Probe& p, Fixture& f, const AIBlendStyleSuite& s) {
    if (!s.SetOpacity || !s.GetOpacity) return;
    for (float x : {kInf, -kInf, 2.0f, -1.0f}) {
        p.Code("SetOpacity(art, " + FloatText(x) + ")", s.SetOpacity(f.live, x), kSPNoError);
        const float got = s.GetOpacity(f.live);
        p.Result("GetOpacity after SetOpacity(" + FloatText(x) + ")", got == (x > 0 ? 1.0f : 0.0f), "not clamped: " + FloatText(got));
    }
    p.Code("SetOpacity(art, 0.25)", s.SetOpacity(f.live, 0.25f), kSPNoError);
    p.Result("GetOpacity(art)", s.GetOpacity(f.live) == 0.25f, "not 0.25");
}

void TransformNoDocument(Probe& p, const AITransformArtSuite& s) {
    const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
    if (HAS(s, TransformArt))
        p.Fails("TransformArt without a document", s.TransformArt(reinterpret_cast<AIArtHandle>(uintptr_t{0x100}), &identity, 1, kTransformObjects));
}

void TransformHostile(Probe& p, Fixture& f, const AITransformArtSuite& s) {
    if (!HAS(s, TransformArt)) return;
    const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
    for (const auto& a : f.BadArt())
        p.Code("TransformArt(" + a.name + ", &identity)", s.TransformArt(a.handle, &identity, 1, kTransformObjects), kSPBadParameterError);
    p.Code("TransformArt(art, NULL)", s.TransformArt(f.live, nullptr, 1, kTransformObjects), kSPBadParameterError);
    for (int field = 0; field < 6; ++field)
        for (float x : kNonFinite) {
            AIRealMatrix m = identity;
            float* entries[6] = {&m.a, &m.b, &m.c, &m.d, &m.tx, &m.ty};
            *entries[field] = x;
            static const char* const names[6] = {"a", "b", "c", "d", "tx", "ty"};
            p.Code(Cat("TransformArt with ", names[field], " = ", FloatText(x)), s.TransformArt(f.live, &m, 1, kTransformObjects),
                   kSPBadParameterError);
        }
    const AIRealMatrix huge{FLT_MAX, 0, 0, FLT_MAX, 0, 0};
    p.Code("TransformArt scaling by FLT_MAX (a result that is not finite)", s.TransformArt(f.live, &huge, 1, kTransformObjects),
           kSPBadParameterError);
    for (float x : kNonFinite)
        p.Fails("TransformArt with kScaleLines and lineScale " + FloatText(x), s.TransformArt(f.live, &identity, x, kTransformObjects | kScaleLines));
    p.Code("TransformArt on a locked layer", s.TransformArt(f.onLocked, &identity, 1, kTransformObjects), kAILockedLayerError);
    p.Code("TransformArt on a hidden layer", s.TransformArt(f.onHidden, &identity, 1, kTransformObjects), kAILockedLayerError);
}

void TransformValid(Probe& p, Fixture& f, const AITransformArtSuite& s) {
    if (!s.TransformArt) return;
    const AIRealMatrix shift{1, 0, 0, 1, 10, -10};
    p.Code("TransformArt(art, shift by (10, -10))", s.TransformArt(f.live, &shift, 1, kTransformObjects), kSPNoError);
}

void ShapeNoDocument(Probe& p, const AIShapeConstructionSuite& s) {
    const AIRealPoint centre{0, 0};
    AIArtHandle art = nullptr;
    if (HAS(s, NewPointPointRect)) p.Code("NewPointPointRect without a document", s.NewPointPointRect(&centre, 1, 1, 0, &art), kSPNoDocumentError);
    if (HAS(s, NewPointPointOval)) p.Code("NewPointPointOval without a document", s.NewPointPointOval(&centre, 1, 1, 0, &art), kSPNoDocumentError);
}

void ShapeHostile(Probe& p, Fixture& f, const AIShapeConstructionSuite& s) {
    using Maker = SPErr (*)(const AIRealPoint*, AIReal, AIReal, SPBoolean, AIArtHandle*);
    const std::pair<const char*, Maker> makers[] = {{"NewPointPointRect", s.NewPointPointRect}, {"NewPointPointOval", s.NewPointPointOval}};
    const AIRealPoint centre{300, 300};
    for (const auto& [name, make] : makers) {
        if (!make) continue;
        const std::string n = name;
        AIArtHandle art = nullptr;
        p.Code(n + "(NULL, 10, 10, 0, &art)", make(nullptr, 10, 10, 0, &art), kSPBadParameterError);
        p.Code(n + "(&centre, 10, 10, 0, NULL)", make(&centre, 10, 10, 0, nullptr), kSPBadParameterError);
        for (float x : kNonFinite) {
            const AIRealPoint odd[2] = {{x, 300}, {300, x}};
            for (const AIRealPoint& c : odd) p.Code(n + " at a centre with " + FloatText(x), make(&c, 10, 10, 0, &art), kSPBadParameterError);
            p.Code(n + " of width " + FloatText(x), make(&centre, x, 10, 0, &art), kSPBadParameterError);
            p.Code(n + " of height " + FloatText(x), make(&centre, 10, x, 0, &art), kSPBadParameterError);
        }
        p.Fails(n + " of width FLT_MAX at FLT_MAX (corners not finite)",
                [&] { const AIRealPoint far{FLT_MAX, FLT_MAX}; return make(&far, FLT_MAX, FLT_MAX, 0, &art); }());
        const LayerId current = f.doc->currentLayer;
        f.doc->currentLayer = f.doc->layers[1].id;
        p.Code(n + " on a locked current layer", make(&centre, 10, 10, 0, &art), kAILockedLayerError);
        f.doc->currentLayer = current;
    }
}

void ShapeValid(Probe& p, Fixture&, const AIShapeConstructionSuite& s) {
    if (!s.NewPointPointRect) return;
    const AIRealPoint centre{300, 300};
    AIArtHandle art = nullptr;
    p.Code("NewPointPointRect(&centre, -20, 0, 1, &art)", s.NewPointPointRect(&centre, -20, 0, 1, &art), kSPNoError);
}

void EnvelopeHostile(Probe& p, Fixture& f, const AIEnvelopeSuite& s) {
    Acquired<AIArtSuite> art(f.host.Basic(), kAIArtSuite, kAIArtSuiteVersion);
    const auto bad = f.BadArt();
    if (HAS(s, MakeEnvelope)) {
        AIArtHandle envelope = nullptr;
        AIArtHandle content[2] = {f.live, f.live};
        const AIEnvelopeOptions options{0, 50};
        // A second art of the document, to be the shape.
        AIArtHandle shape = nullptr;
        if (art && art->DuplicateArt) art->DuplicateArt(f.live, kPlaceAboveAll, nullptr, &shape);
        if (!shape) return p.Fault("no art to make an envelope's shape from");
        p.Code("MakeEnvelope(NULL, 1, shape, &options, &envelope)", s.MakeEnvelope(nullptr, 1, shape, &options, &envelope), kSPBadParameterError);
        for (int32_t n : {0, 2, -1, INT32_MIN, INT32_MAX})
            p.Code(Cat("MakeEnvelope(art, ", IntText(n), ", shape, ...)"), s.MakeEnvelope(content, n, shape, &options, &envelope),
                   kSPBadParameterError);
        for (const auto& a : bad) {
            AIArtHandle one[1] = {a.handle};
            p.Code("MakeEnvelope({" + a.name + "}, 1, shape, ...)", s.MakeEnvelope(one, 1, shape, &options, &envelope), kSPBadParameterError);
            p.Code("MakeEnvelope({art}, 1, " + a.name + ", ...)", s.MakeEnvelope(content, 1, a.handle, &options, &envelope), kSPBadParameterError);
        }
        p.Code("MakeEnvelope({art}, 1, art, ...) of one object", s.MakeEnvelope(content, 1, f.live, &options, &envelope), kSPBadParameterError);
        for (int32_t fidelity : {-1, 101, INT32_MIN, INT32_MAX}) {
            const AIEnvelopeOptions o{0, fidelity};
            p.Code(Cat("MakeEnvelope with fidelity ", IntText(fidelity)), s.MakeEnvelope(content, 1, shape, &o, &envelope), kSPBadParameterError);
        }
        p.Code("MakeEnvelope(..., NULL envelope)", s.MakeEnvelope(content, 1, shape, &options, nullptr), kSPBadParameterError);
        AIArtHandle locked[1] = {f.onLocked};
        p.Code("MakeEnvelope of art on a locked layer", s.MakeEnvelope(locked, 1, shape, &options, &envelope), kAILockedLayerError);
        // The shape was the one change meant here; undo takes it away again.
        Acquired<AIUndoSuite> undo(f.host.Basic(), kAIUndoSuite, kAIUndoSuiteVersion);
        if (undo) undo->UndoChanges();
    }
    if (HAS(s, SetEnvelopeWarp)) {
        auto notEnvelopes = bad;
        notEnvelopes.push_back({"a path", f.live});
        for (const auto& a : notEnvelopes)
            p.Code("SetEnvelopeWarp(" + a.name + ", 1, 0.5, 0, 0, 0)", s.SetEnvelopeWarp(a.handle, kWarpArc, 0.5f, 0, 0, 0), kSPBadParameterError);
    }
}

void EnvelopeValid(Probe& p, Fixture& f, const AIEnvelopeSuite& s) {
    Acquired<AIArtSuite> art(f.host.Basic(), kAIArtSuite, kAIArtSuiteVersion);
    if (!s.MakeEnvelope || !s.SetEnvelopeWarp || !art) return;
    AIArtHandle content = nullptr, shape = nullptr, envelope = nullptr;
    art->DuplicateArt(f.live, kPlaceAboveAll, nullptr, &content);
    art->DuplicateArt(f.live, kPlaceAboveAll, nullptr, &shape);
    AIArtHandle one[1] = {content};
    p.Code("MakeEnvelope({copy}, 1, shape, NULL, &envelope)", s.MakeEnvelope(one, 1, shape, nullptr, &envelope), kSPNoError);
    if (!envelope) return;
    // The live envelope under bad warps: refused, nothing changed.
    for (int32_t style : {0, 16, -1, INT32_MIN, INT32_MAX})
        p.Code(Cat("SetEnvelopeWarp(envelope, ", IntText(style), ", ...)"), s.SetEnvelopeWarp(envelope, style, 0.5f, 0, 0, 0), kSPBadParameterError);
    for (float x : {kNaN, kInf, -kInf, 1.5f, -1.01f}) {
        p.Code("SetEnvelopeWarp(envelope, 1, bend " + FloatText(x) + ")", s.SetEnvelopeWarp(envelope, kWarpArc, x, 0, 0, 0), kSPBadParameterError);
        p.Code("SetEnvelopeWarp(envelope, 1, horizontal " + FloatText(x) + ")", s.SetEnvelopeWarp(envelope, kWarpArc, 0, x, 0, 0), kSPBadParameterError);
        p.Code("SetEnvelopeWarp(envelope, 1, vertical " + FloatText(x) + ")", s.SetEnvelopeWarp(envelope, kWarpArc, 0, 0, x, 0), kSPBadParameterError);
    }
    AIArtHandle again[1] = {content};
    AIArtHandle second = nullptr;
    p.Code("MakeEnvelope of art already enveloped", s.MakeEnvelope(again, 1, f.live, nullptr, &second), kSPBadParameterError);
    p.Code("SetEnvelopeWarp(envelope, kWarpTwist, -1, 1, -1, 1)", s.SetEnvelopeWarp(envelope, kWarpTwist, -1, 1, -1, 1), kSPNoError);
}

void SymbolNoDocument(Probe& p, const AISymbolSuite& s) {
    int32_t n = 0;
    AIPatternHandle symbol = nullptr;
    if (HAS(s, CountSymbols)) p.Code("CountSymbols without a document", s.CountSymbols(&n), kSPNoDocumentError);
    if (HAS(s, NewSymbolFromArt))
        p.Code("NewSymbolFromArt without a document", s.NewSymbolFromArt(reinterpret_cast<AIArtHandle>(uintptr_t{0x100}), &symbol, 0),
               kSPNoDocumentError);
}

void SymbolHostile(Probe& p, Fixture& f, const AISymbolSuite& s) {
    AIPatternHandle symbol = nullptr;
    if (s.NewSymbolFromArt) {
        for (const auto& a : f.BadArt())
            p.Code("NewSymbolFromArt(" + a.name + ", &symbol, 0)", s.NewSymbolFromArt(a.handle, &symbol, 0), kSPBadParameterError);
        for (int unused : {1, 255})
            p.Code(Cat("NewSymbolFromArt(art, &symbol, ", unused, ")"), s.NewSymbolFromArt(f.live, &symbol, static_cast<SPBoolean>(unused)),
                   kSPBadParameterError);
    }
    if (s.CountSymbols) p.Code("CountSymbols(NULL)", s.CountSymbols(nullptr), kSPBadParameterError);
}

void SymbolValid(Probe& p, Fixture& f, const AISymbolSuite& s) {
    if (!s.NewSymbolFromArt || !s.CountSymbols) return;
    int32_t n = -1;
    p.Code("NewSymbolFromArt(art, NULL, 0)", s.NewSymbolFromArt(f.live, nullptr, 0), kSPNoError);
    p.Code("CountSymbols(&n)", s.CountSymbols(&n), kSPNoError);
    if (n != 1) p.Fault(Cat("CountSymbols after one symbol: ", n));
}

// ---- The runner -----------------------------------------------------------------------------

// Whether the dump of the document reads back to the same document; empty when it does.
std::string RoundTrip(const Document& doc) {
    try {
        const std::string text = DumpDocumentText(doc);
        const Document loaded = LoadDocumentText(text);
        if (!SameDocument(doc, loaded)) return "the document read back from its dump differs from it";
        if (DumpDocumentText(loaded) != text) return "the document read back from its dump dumps differently";
    } catch (const std::exception& e) {
        return std::string("the document does not read back from its dump: ") + e.what();
    }
    return {};
}

template <typename Suite>
struct Calls {
    void (*noDocument)(Probe&, const Suite&) = nullptr;
    void (*hostile)(Probe&, Fixture&, const Suite&) = nullptr;
    void (*valid)(Probe&, Fixture&, const Suite&) = nullptr;
};

std::string Summary(const Probe& p) {
    std::string detail = Cat(p.Calls(), " calls");
    if (p.Faults().empty()) detail += " answered as documented; the document is unchanged and reads back from its dump";
    if (!p.Faults().empty()) {
        detail += Cat(", ", p.Faults().size(), " wrong: ");
        for (size_t i = 0; i < p.Faults().size() && i < 4; ++i) detail += (i ? "; " : "") + p.Faults()[i];
        if (p.Faults().size() > 4) detail += "; ...";
    }
    if (!p.MissingEntries().empty()) {
        detail += "; not implemented yet, calls skipped:";
        for (const std::string& m : p.MissingEntries()) detail += " " + m;
    }
    return detail;
}

template <typename Suite>
bool RunSuite(const Context& c, const char* name, int32_t version, Calls<Suite> calls, std::string& detail) {
    HostConfig config;
    config.seed = c.seed;
    Host host(std::move(config));
    Probe p;
    Fixture f(c, host);
    const Suite* suite = nullptr;
    const SPBasicSuite* basic = host.Basic();
    if (name) {
        const void* table = nullptr;
        if (const SPErr e = basic->AcquireSuite(name, version, &table); e != kSPNoError || !table)
            return detail = Cat("acquiring the suite answered ", CodeText(e)), false;
        if (IsPlaceholder(name, table)) {
            basic->ReleaseSuite(name, version);
            detail = "a placeholder table: its calls are skipped until the suite is implemented";
            return true;
        }
        suite = static_cast<const Suite*>(table);
    } else {
        suite = reinterpret_cast<const Suite*>(basic);  // the basic services themselves
    }
    if (calls.noDocument) calls.noDocument(p, *suite);
    if (const std::string error = BuildDocument(f); !error.empty()) return detail = "setting up the document: " + error, false;
    AddPlugins(f);
    const int acquisitions = host.OpenAcquisitions();
    const std::string before = DumpDocumentText(*f.doc);
    calls.hostile(p, f, *suite);
    if (host.CurrentDocument() != f.doc) p.Fault("the current document changed");
    if (DumpDocumentText(*f.doc) != before) p.Fault("the refused calls changed the document");
    if (const std::string e = RoundTrip(*f.doc); !e.empty()) p.Fault("after the refused calls, " + e);
    if (calls.valid) calls.valid(p, f, *suite);
    if (const std::string e = RoundTrip(*f.doc); !e.empty()) p.Fault("after the valid calls, " + e);
    host.EndMessage();
    if (host.OpenAcquisitions() != acquisitions) p.Fault("the suite's calls left acquisitions open");
    if (name) basic->ReleaseSuite(name, version);
    if (host.OpenAcquisitions() != 0) p.Fault(Cat(host.OpenAcquisitions(), " acquisitions left open"));
    detail = Summary(p);
    return p.Faults().empty();
}

template <typename Suite>
void Add(std::vector<Check>& checks, const char* name, int32_t version, Calls<Suite> calls, const char* shown = nullptr) {
    const std::string checkName = std::string("host-suite/") + (shown ? shown : name);
    checks.push_back({checkName, 60, [name, version, calls](const Context& c, std::string& detail) {
                          return RunSuite<Suite>(c, name, version, calls, detail);
                      }});
}

}  // namespace

void AddHostSuiteChecks(std::vector<Check>& checks) {
    Add<SPBasicSuite>(checks, nullptr, 0, {nullptr, BasicHostile, BasicValid}, "SP Basic Suite");
    Add<SPBlocksSuite>(checks, kSPBlocksSuite, kSPBlocksSuiteVersion, {nullptr, BlocksHostile, BlocksValid});
    Add<AIMdMemorySuite>(checks, kAIMdMemorySuite, kAIMdMemorySuiteVersion, {nullptr, MdMemoryHostile, MdMemoryValid});
    Add<AIRealMathSuite>(checks, kAIRealMathSuite, kAIRealMathSuiteVersion, {nullptr, RealMathHostile, RealMathValid});
    Add<AIArtSuite>(checks, kAIArtSuite, kAIArtSuiteVersion, {ArtNoDocument, ArtHostile, ArtValid});
    Add<AIUserSuite>(checks, kAIUserSuite, kAIUserSuiteVersion, {nullptr, UserHostile, UserValid});
    Add<AIDocumentSuite>(checks, kAIDocumentSuite, kAIDocumentSuiteVersion, {DocumentNoDocument, DocumentHostile, DocumentValid});
    Add<AIDocumentViewSuite>(checks, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, {ViewNoDocument, ViewHostile, ViewValid});
    Add<AIUndoSuite>(checks, kAIUndoSuite, kAIUndoSuiteVersion, {UndoNoDocument, UndoHostile, UndoValid});
    Add<AIPathSuite>(checks, kAIPathSuite, kAIPathSuiteVersion, {PathNoDocument, PathHostile, PathValid});
    Add<AIPathStyleSuite>(checks, kAIPathStyleSuite, kAIPathStyleSuiteVersion, {nullptr, PathStyleHostile, PathStyleValid});
    Add<AIRandomSuite>(checks, kAIRandomSuite, kAIRandomSuiteVersion, {nullptr, RandomHostile, RandomValid});
    Add<AIBlendStyleSuite>(checks, kAIBlendStyleSuite, kAIBlendStyleSuiteVersion, {BlendNoDocument, BlendHostile, BlendValid});
    Add<AITransformArtSuite>(checks, kAITransformArtSuite, kAITransformArtSuiteVersion, {TransformNoDocument, TransformHostile, TransformValid});
    Add<AILayerSuite>(checks, kAILayerSuite, kAILayerSuiteVersion, {LayerNoDocument, LayerHostile, LayerValid});
    Add<AIShapeConstructionSuite>(checks, kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion,
                                  {ShapeNoDocument, ShapeHostile, ShapeValid});
    Add<AIEnvelopeSuite>(checks, kAIEnvelopeSuite, kAIEnvelopeSuiteVersion, {nullptr, EnvelopeHostile, EnvelopeValid});
    Add<AISwatchListSuite>(checks, kAISwatchListSuite, kAISwatchListSuiteVersion, {SwatchNoDocument, SwatchHostile, SwatchValid});
    Add<AIArtStyleSuite>(checks, kAIArtStyleSuite, kAIArtStyleSuiteVersion, {ArtStyleNoDocument, ArtStyleHostile, ArtStyleValid});
    Add<AISymbolSuite>(checks, kAISymbolSuite, kAISymbolSuiteVersion, {SymbolNoDocument, SymbolHostile, SymbolValid});
    Add<AIMenuSuite>(checks, kAIMenuSuite, kAIMenuSuiteVersion, {nullptr, MenuHostile, MenuValid});
    Add<AIFilterSuite>(checks, kAIFilterSuite, kAIFilterSuiteVersion, {nullptr, FilterHostile, FilterValid});
    Add<ADMBasicSuite>(checks, kADMBasicSuite, kADMBasicSuiteVersion, {nullptr, AdmBasicHostile, AdmBasicValid});
    Add<ADMDialogSuite>(checks, kADMDialogSuite, kADMDialogSuiteVersion, {nullptr, DialogHostile, DialogValid});
    Add<ADMItemSuite>(checks, kADMItemSuite, kADMItemSuiteVersion, {nullptr, ItemHostile, ItemValid});
    Add<ADMListSuite>(checks, kADMListSuite, kADMListSuiteVersion, {nullptr, ListHostile, ListValid});
    Add<ADMEntrySuite>(checks, kADMEntrySuite, kADMEntrySuiteVersion, {nullptr, EntryHostile, EntryValid});
    Add<ADMTrackerSuite>(checks, kADMTrackerSuite, kADMTrackerSuiteVersion, {nullptr, TrackerHostile, TrackerValid});
}

}  // namespace easel::validate
