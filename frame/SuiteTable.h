// SuiteTable.h: the host suites the plug-in uses, acquired together for each host message.
//
// Every other part of the plug-in reaches the host through the accessors below and through
// nothing else. A slot is null while its suite is not acquired (or the host lacks it).
#pragma once

#include "AIArt.h"
#include "AIArtStyle.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AILayer.h"
#include "AIMdMemory.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIRandom.h"
#include "AIRealMath.h"
#include "AISwatchList.h"
#include "AIUndo.h"
#include "SPBasic.h"
#include "SPBlocks.h"

namespace corvanta {

// Positions in the table, in acquisition order.
enum SuiteIndex : int {
    kBlocksSuite, kAccessSuite, kMdMemorySuite, kRealMathSuite, kArtSuite, kUserSuite,
    kDocumentSuite, kDocumentViewSuite, kUndoSuite, kMatchingArtSuite, kPathSuite,
    kPathStyleSuite, kRandomSuite, kTagSuite, kBlendStyleSuite, kTransformArtSuite,
    kLayerSuite, kShapeConstructionSuite, kEnvelopeSuite, kSwatchListSuite, kArtStyleSuite,
    kSymbolSuite, kObjectSetSuite, kMenuSuite, kFilterSuite, kADMBasicSuite, kADMDialogSuite,
    kADMItemSuite, kADMIconSuite, kADMNotifierSuite, kADMListSuite, kADMEntrySuite,
    kADMTrackerSuite,
    kSuiteCount
};

struct SuiteEntry {
    const char* name;  // the host's name for the suite
    int32_t version;   // the exact version asked for
};

extern const SuiteEntry kSuiteTable[kSuiteCount];

// The acquired tables, by SuiteIndex; null while not acquired.
extern const void* gSuiteRefs[kSuiteCount];

// Open AcquireSuites calls not yet matched by ReleaseSuites; only the outermost pair of a
// nested message touches the slots.
extern int16_t gSuiteNesting;

// Acquires every suite of the table into its slot through the message's basic services,
// unless an outer message already has. Returns the code of the last acquisition tried
// (0 when it succeeded); a suite the host lacks leaves its slot null.
SPErr AcquireSuites(const SPBasicSuite* basic);

// Releases every acquired suite when this is the outermost call; stops at the first failed release,
// leaving that entry and the later ones in place. Returns that failure or 0.
SPErr ReleaseSuites(const SPBasicSuite* basic);

template <typename Suite>
inline const Suite* SuiteRef(SuiteIndex i) {
    return static_cast<const Suite*>(gSuiteRefs[i]);
}

inline const SPBlocksSuite* BlocksSuite() { return SuiteRef<SPBlocksSuite>(kBlocksSuite); }
inline const AIMdMemorySuite* MdMemorySuite() { return SuiteRef<AIMdMemorySuite>(kMdMemorySuite); }
inline const AIRealMathSuite* RealMathSuite() { return SuiteRef<AIRealMathSuite>(kRealMathSuite); }
inline const AIArtSuite* ArtSuite() { return SuiteRef<AIArtSuite>(kArtSuite); }
inline const AIDocumentSuite* DocumentSuite() { return SuiteRef<AIDocumentSuite>(kDocumentSuite); }
inline const AIDocumentViewSuite* DocumentViewSuite() {
    return SuiteRef<AIDocumentViewSuite>(kDocumentViewSuite);
}
inline const AIUndoSuite* UndoSuite() { return SuiteRef<AIUndoSuite>(kUndoSuite); }
inline const AIPathSuite* PathSuite() { return SuiteRef<AIPathSuite>(kPathSuite); }
inline const AIPathStyleSuite* PathStyleSuite() { return SuiteRef<AIPathStyleSuite>(kPathStyleSuite); }
inline const AIRandomSuite* RandomSuite() { return SuiteRef<AIRandomSuite>(kRandomSuite); }
inline const AILayerSuite* LayerSuite() { return SuiteRef<AILayerSuite>(kLayerSuite); }
inline const AISwatchListSuite* SwatchListSuite() { return SuiteRef<AISwatchListSuite>(kSwatchListSuite); }
inline const AIArtStyleSuite* ArtStyleSuite() { return SuiteRef<AIArtStyleSuite>(kArtStyleSuite); }

}  // namespace corvanta
