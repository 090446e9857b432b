// Runtime.h: the state of one host session as the suite entries see it, and the boundary
// every SPErr-returning entry goes through.
//
// Suite entries are plain C functions; they reach the live session through Runtime::live,
// set by easel::Host for its lifetime. Internal to Easel: plug-ins see only host/.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ADMTypes.h"
#include "dialogs/DialogManager.h"
#include "dialogs/DialogPresenter.h"
#include "document/Document.h"
#include "document/Journal.h"
#include "resources/ModuleResources.h"
#include "host/Host.h"
#include "suites/Registry.h"

namespace easel {

// Every SPErr-returning suite operation, as (suite name, operation). The order is the order of
// Op; names are what HostConfig::Fault::operation spells ("Suite Name/OperationName").
#define EASEL_OPERATIONS(X)                                          \
    X(BlocksAllocateBlock, "SP Blocks Suite", "AllocateBlock")       \
    X(BlocksFreeBlock, "SP Blocks Suite", "FreeBlock")               \
    X(BlocksReallocateBlock, "SP Blocks Suite", "ReallocateBlock")   \
    X(MdNewHandle, "AI MdMemory Suite", "MdMemoryNewHandle")         \
    X(MdDisposeHandle, "AI MdMemory Suite", "MdMemoryDisposeHandle") \
    X(MdGetSize, "AI MdMemory Suite", "MdMemoryGetSize")             \
    X(MdResizeHandle, "AI MdMemory Suite", "MdMemoryResizeHandle")   \
    X(DocGetSetup, "AI Document Suite", "GetDocumentSetup")          \
    X(DocRedraw, "AI Document Suite", "RedrawDocument")              \
    X(DocGetColorModel, "AI Document Suite", "GetDocumentColorModel") \
    X(ViewCount, "AI Document View Suite", "CountDocumentViews")     \
    X(ViewGetNth, "AI Document View Suite", "GetNthDocumentView")    \
    X(ViewGetCenter, "AI Document View Suite", "GetDocumentViewCenter") \
    X(ViewPointToArtwork, "AI Document View Suite", "ViewPointToArtworkPoint") \
    X(UndoChanges, "AI Undo Suite", "UndoChanges")                   \
    X(ArtNew, "AI Art Suite", "NewArt")                              \
    X(ArtDuplicate, "AI Art Suite", "DuplicateArt")                  \
    X(ArtGetType, "AI Art Suite", "GetArtType")                      \
    X(ArtGetBounds, "AI Art Suite", "GetArtBounds")                  \
    X(PathGetCount, "AI Path Suite", "GetPathSegmentCount")          \
    X(PathGetSegments, "AI Path Suite", "GetPathSegments")           \
    X(PathSetSegments, "AI Path Suite", "SetPathSegments")           \
    X(PathGetClosed, "AI Path Suite", "GetPathClosed")               \
    X(PathSetClosed, "AI Path Suite", "SetPathClosed")               \
    X(StyleGet, "AI Path Style Suite", "GetPathStyle")               \
    X(StyleSet, "AI Path Style Suite", "SetPathStyle")               \
    X(SwatchCount, "AI Swatch List Suite", "CountSwatches")          \
    X(SwatchGetNth, "AI Swatch List Suite", "GetNthSwatch")          \
    X(SwatchGetColor, "AI Swatch List Suite", "GetSwatchColor")      \
    X(ArtStyleCount, "AI Art Style Suite", "CountArtStyles")         \
    X(ArtStyleGetNth, "AI Art Style Suite", "GetNthArtStyle")        \
    X(ArtStyleSet, "AI Art Style Suite", "SetArtStyle")              \
    X(LayerCount, "AI Layer Suite", "CountLayers")                   \
    X(LayerGetNth, "AI Layer Suite", "GetNthLayer")                  \
    X(LayerGetCurrent, "AI Layer Suite", "GetCurrentLayer")          \
    X(LayerSetCurrent, "AI Layer Suite", "SetCurrentLayer")          \
    X(LayerInsert, "AI Layer Suite", "InsertLayer")                 \
    X(BlendSetOpacity, "AI Blend Style Suite", "SetOpacity")         \
    X(TransformArt, "AI Transform Art Suite", "TransformArt")        \
    X(ShapeNewRect, "AI Shape Construction Suite", "NewPointPointRect") \
    X(ShapeNewOval, "AI Shape Construction Suite", "NewPointPointOval") \
    X(EnvelopeMake, "AI Envelope Suite", "MakeEnvelope")             \
    X(EnvelopeSetWarp, "AI Envelope Suite", "SetEnvelopeWarp")       \
    X(SymbolNew, "AI Symbol Suite", "NewSymbolFromArt")              \
    X(SymbolCount, "AI Symbol Suite", "CountSymbols")                \
    X(FilterAdd, "AI Filter Suite", "AddFilter")                     \
    X(FilterGetMenuItem, "AI Filter Suite", "GetFilterMenuItem")     \
    X(MenuUpdateAutomatically, "AI Menu Suite", "UpdateMenuItemAutomatically") \
    X(UserStringToReal, "AI User Suite", "StringToReal")             \
    X(UserRealToString, "AI User Suite", "RealToString")             \
    X(ADMGetIndexString, "ADM Basic Suite", "GetIndexString")

enum class Op : uint16_t {
#define EASEL_OP_ENUM(id, suite, op) id,
    EASEL_OPERATIONS(EASEL_OP_ENUM)
#undef EASEL_OP_ENUM
    Count
};
constexpr size_t kOpCount = static_cast<size_t>(Op::Count);

// "Suite Name/OperationName" of op.
std::string OperationName(Op op);

// ---- Handles --------------------------------------------------------------------------------
// A handle is an id and its kind in one pointer-sized word, so that an art handle passed where
// a layer is expected is refused, not misread:
//   64-bit: kind << 56 | id (32 bits; bits 32..55 zero)
//   32-bit: kind << 28 | id (28 bits; the document keeps art ids within, see kArtIdBits)

enum class HandleKind : uintptr_t {
    Art = 1, Layer = 2, View = 3, Swatch = 4, Style = 5, Plugin = 6, Filter = 7, MenuItem = 8
};

inline constexpr unsigned kHandleKindShift = sizeof(uintptr_t) >= 8 ? 56 : 28;
inline constexpr uintptr_t kHandleIdMask = sizeof(uintptr_t) >= 8 ? 0xFFFFFFFFu : 0x0FFFFFFFu;

// The handle of `id`; null when the id does not fit beside the kind (only on 32-bit hosts,
// past 2^28 ids of one kind).
template <typename Handle>
Handle MakeHandle(HandleKind kind, uint32_t id) {
    if (id > kHandleIdMask) return nullptr;
    return reinterpret_cast<Handle>(static_cast<uintptr_t>(kind) << kHandleKindShift | id);
}

// The id in `handle`, or 0 for a null handle or one of another kind.
template <typename Handle>
uint32_t HandleId(HandleKind kind, Handle handle) {
    const uintptr_t bits = reinterpret_cast<uintptr_t>(handle);
    if (bits != (static_cast<uintptr_t>(kind) << kHandleKindShift | (bits & kHandleIdMask))) return 0;
    return static_cast<uint32_t>(bits & kHandleIdMask);
}

inline AIArtHandle ArtHandle(ArtId id) { return MakeHandle<AIArtHandle>(HandleKind::Art, id); }
inline ArtId ArtIdOf(AIArtHandle h) { return HandleId(HandleKind::Art, h); }
inline AILayerHandle LayerHandle(LayerId id) { return MakeHandle<AILayerHandle>(HandleKind::Layer, id); }
inline LayerId LayerIdOf(AILayerHandle h) { return HandleId(HandleKind::Layer, h); }

// ---- One document and its host-side bookkeeping ----------------------------------------------

struct Session {
    Document doc;
    Journal journal;
    std::vector<LayerId> artLayer;  // by art slot: the layer holding the slot's art
    std::vector<uint32_t> layerPos;  // by layer id: a guess at its position in doc.layers

    // The layer with this id, found in constant time while the guess holds.
    Layer* FindLayer(LayerId id) {
        if (id < layerPos.size()) {
            const uint32_t pos = layerPos[id];
            if (pos < doc.layers.size() && doc.layers[pos].id == id) return &doc.layers[pos];
        }
        return FindLayerSlowly(id);
    }
    // The layer holding live art `id` (nullptr if none); for art an envelope holds, the
    // layer of the envelope on the page.
    Layer* LayerOfArt(ArtId id) {
        const Art* art = doc.FindArt(id);
        return art ? LayerOfArt(*art) : LayerOfPlaced(id);
    }
    // As LayerOfArt, for live art already found.
    Layer* LayerOfArt(const Art& art) {
        return LayerOfPlaced(art.owner ? doc.PlacedArt(art.id) : art.id);
    }
    Layer* FindLayerSlowly(LayerId id);
    // The layer holding art `id` that stands on the page itself (no envelope holds it).
    Layer* LayerOfPlaced(ArtId id) {
        const size_t slot = ArtSlot(id);
        if (slot < artLayer.size())
            if (Layer* l = FindLayer(artLayer[slot]); l) return l;
        return doc.LayerOf(id);  // art placed by code other than the suites
    }
    // Refreshes layerPos after layers were inserted or removed.
    void IndexLayers();
    // Commits the transaction and compacts the paths it touched.
    void Commit();
};

// kAILockedLayerError when `layer` cannot take art; kSPBadParameterError when it is null.
inline SPErr CheckWritable(const Layer* layer) {
    if (!layer) return kSPBadParameterError;
    if (layer->locked || !layer->visible) return kAILockedLayerError;
    return kSPNoError;
}

// The art `handle` names: kSPBadParameterError when dead, null or not art, kAILockedLayerError
// when its layer is locked or hidden; otherwise records the journal's entry for the change
// about to be made (may throw bad_alloc) and gives the art.
SPErr BeginArtChange(Session& s, AIArtHandle handle, Art*& art);

inline bool Finite(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }
// All six coordinates finite, without a branch each: x - x is 0 for a finite x and NaN for an
// infinity or a NaN, and a NaN anywhere makes the sum NaN.
inline bool Finite(const AIPathSegment& s) {
    const float sum = ((s.p.h - s.p.h) + (s.p.v - s.p.v)) + ((s.in.h - s.in.h) + (s.in.v - s.in.v)) +
                      ((s.out.h - s.out.h) + (s.out.v - s.out.v));
    return sum == 0.0f;
}

// ---- Memory services -------------------------------------------------------------------------

// The record behind an AIMdMemoryHandle: the handle is &record->block, the master pointer.
struct MemoryRecord {
    void* block = nullptr;
    size_t size = 0;
};

// ---- Plug-ins, filters and dialogs -----------------------------------------------------------

// A loaded plug-in as the suites see it: the resources its string lists and dialogs come from.
struct PluginRecord {
    std::shared_ptr<const ModuleResources> resources;
    std::string name;
    bool live = true;  // false once removed; its ref stays refused
};

struct FilterRecord {
    FilterInfo info;
    bool live = true;  // false once its plug-in is gone; its handle stays refused
};

// ---- The session ----------------------------------------------------------------------------

struct Runtime {
    explicit Runtime(HostConfig c);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // The live session, or nullptr.
    static Runtime* live;

    HostConfig config;
    Registry registry;
    std::vector<std::unique_ptr<Session>> sessions;
    Session* current = nullptr;

    std::mt19937 random;
    int redraws = 0;
    std::function<void()> redrawHandler;  // Host::SetRedrawHandler; empty: none

    int64_t calls = 0;
    std::array<int64_t, kOpCount> opCalls{};
    struct ArmedFault {
        int op;  // an Op, or -1 for every operation together
        int64_t nth;
        SPErr code;
    };
    std::vector<ArmedFault> faults;

    std::vector<PluginRecord> plugins;  // by id - 1
    std::vector<FilterRecord> filters;  // by id - 1; a filter's menu item has the same id
    DialogManager dialogManager;  // the open dialogs and the handles into them
    std::shared_ptr<DialogPresenter> presenter;  // Host::SetDialogPresenter; null: headless
    std::vector<DialogRecord> dialogs;  // every dialog shown, for tests and the command line
    std::vector<std::string> alerts;    // every alert shown

    // The live plug-in `ref` names, or null.
    PluginRecord* FindPlugin(SPPluginRef ref);
    // The live filter `handle` names (or whose menu item `item` names), or null.
    FilterRecord* FindFilter(AIFilterHandle handle);
    FilterRecord* FindMenuItem(AIMenuItemHandle item);
    // The presenter that runs modal dialogs: the Host's, else the headless one.
    DialogPresenter& Presenter();

    std::unordered_map<void*, size_t> blocks;         // live blocks and their sizes
    std::unordered_set<MemoryRecord*> memoryHandles;  // live handles' records

    // Counts one call of `op` made from `site` (the return address in the caller, or null);
    // gives the injected code when a fault is due, else 0.
    SPErr Count(Op op, const void* site) {
        CountUnfaulted(op);
        if (config.trackCallSites) NoteSite(site);
        if (faults.empty()) return kSPNoError;
        const SPErr injected = DueFault(op);
        if (injected != kSPNoError) {
            faulted.push_back(op);
            if (config.trackCallSites) faultedSites.push_back(reinterpret_cast<uintptr_t>(site));
        }
        return injected;
    }
    std::vector<Op> faulted;  // the operations an injected fault failed, in order
    // With config.trackCallSites: each call site seen, with the number (1-based, among all
    // counted calls) of its first call; and the sites whose call an injected fault failed.
    std::unordered_map<uintptr_t, int64_t> siteFirstCall;
    std::vector<uintptr_t> faultedSites;
    // Counts one call of `op` when no fault is armed (faults.empty()).
    void CountUnfaulted(Op op) noexcept {
        ++calls;
        ++opCalls[static_cast<size_t>(op)];
    }

    // The path art the last SetPathSegments wrote in place, when nothing has happened since:
    // a path of the current document, on a layer that takes changes, that the open
    // transaction already covers. The next write to it then needs only its size and
    // capacity checked (see PathSuite.cpp). Every counted entry, every change of message or
    // current document, and every hand-out of the document for change forgets it.
    struct WriteCursor {
        AIArtHandle handle = nullptr;
        PathData* path = nullptr;
    } writeCursor;
    void ForgetWriteCursor() noexcept { writeCursor = {}; }

private:
    SPErr DueFault(Op op) const;
    void NoteSite(const void* site);
};

// The boundary of every SPErr-returning suite entry: counts the call, applies a due fault,
// and turns any exception into a code (outOfMemory for allocation failures, which is
// kSPOutOfMemoryError for the document suites and kSPMemoryHandleError for the memory ones).
// `site` is where the entry was called from: the default, read in the suite entry that calls
// Boundary, is the return address into its caller's code.
template <typename Body>
SPErr Boundary(Op op, SPErr outOfMemory, Body&& body, const void* site = __builtin_return_address(0)) noexcept {
    Runtime* rt = Runtime::live;
    if (!rt) return kSPNoDocumentError;
    rt->ForgetWriteCursor();
    if (const SPErr injected = rt->Count(op, site)) return injected;
    try {
        return body(*rt);
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    } catch (const std::length_error&) {
        return outOfMemory;
    } catch (...) {
        return kSPBadParameterError;
    }
}

// As Boundary, for entries that need the current document.
template <typename Body>
SPErr DocumentBoundary(Op op, Body&& body, const void* site = __builtin_return_address(0)) noexcept {
    return Boundary(
        op, kSPOutOfMemoryError,
        [&](Runtime& rt) -> SPErr {
            if (!rt.current) return kSPNoDocumentError;
            return body(rt, *rt.current);
        },
        site);
}

// The suite tables, one per suite file.
extern const SPBasicSuite kBasicSuiteTable;
const void* BlocksSuiteTable();
const void* MdMemorySuiteTable();
const void* RealMathSuiteTable();
const void* RandomSuiteTable();
const void* DocumentSuiteTable();
const void* DocumentViewSuiteTable();
const void* UndoSuiteTable();
const void* ArtSuiteTable();
const void* PathSuiteTable();
const void* PathStyleSuiteTable();
const void* SwatchListSuiteTable();
const void* ArtStyleSuiteTable();
const void* LayerSuiteTable();
const void* BlendStyleSuiteTable();
const void* TransformArtSuiteTable();
const void* ShapeConstructionSuiteTable();
const void* EnvelopeSuiteTable();
const void* SymbolSuiteTable();
const void* FilterSuiteTable();
const void* MenuSuiteTable();
const void* UserSuiteTable();
const void* ADMBasicSuiteTable();
const void* ADMDialogSuiteTable();
const void* ADMItemSuiteTable();
const void* ADMListSuiteTable();
const void* ADMEntrySuiteTable();
const void* ADMTrackerSuiteTable();
// The suites the plug-in acquires but does not call yet, by name and version.
struct PlaceholderSuite {
    const char* name;
    int32_t version;
    const void* table;
};
const std::vector<PlaceholderSuite>& PlaceholderSuites();

}  // namespace easel
