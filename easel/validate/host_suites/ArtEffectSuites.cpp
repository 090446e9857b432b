// The suites that give art its effects: Blend Style (opacity), Transform Art, Shape
// Construction, Envelope and Symbol, each called with hostile arguments.
#include <cfloat>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "AIBlendStyle.h"
#include "AIEnvelope.h"
#include "AIShapeConstruction.h"
#include "AISymbol.h"
#include "AITransformArt.h"
#include "AIUndo.h"
#include "validate/host_suites/Kit.h"

namespace easel::validate::host_suites {
namespace {

// ---- Opacity, transforms, shapes, envelopes, symbols ----------------------------------------

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
        const AIRealPoint far{FLT_MAX, FLT_MAX};
        p.Fails(n + " of width FLT_MAX at FLT_MAX (corners not finite)", make(&far, FLT_MAX, FLT_MAX, 0, &art));
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

}  // namespace

void AddArtEffectSuiteChecks(std::vector<Check>& checks) {
    Add<AIBlendStyleSuite>(checks, kAIBlendStyleSuite, kAIBlendStyleSuiteVersion, {BlendNoDocument, BlendHostile, BlendValid});
    Add<AITransformArtSuite>(checks, kAITransformArtSuite, kAITransformArtSuiteVersion, {TransformNoDocument, TransformHostile, TransformValid});
    Add<AIShapeConstructionSuite>(checks, kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion,
                                  {ShapeNoDocument, ShapeHostile, ShapeValid});
    Add<AIEnvelopeSuite>(checks, kAIEnvelopeSuite, kAIEnvelopeSuiteVersion, {nullptr, EnvelopeHostile, EnvelopeValid});
    Add<AISymbolSuite>(checks, kAISymbolSuite, kAISymbolSuiteVersion, {SymbolNoDocument, SymbolHostile, SymbolValid});
}

}  // namespace easel::validate::host_suites
