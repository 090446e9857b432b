// SuiteTable.h: the host suites the plug-in uses, acquired together for each host message.
//
// Every other part of the plug-in reaches the host through the accessors below and through
// nothing else. A slot is null while its suite is not acquired (or the host lacks it).
#pragma once

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
#include "SPBasic.h"
#include "SPBlocks.h"

namespace corvanta {

// Positions in the table, in acquisition order.
enum SuiteIndex : int {
    kBlocksSlot, kAccessSlot, kMdMemorySlot, kRealMathSlot, kArtSlot, kUserSlot,
    kDocumentSlot, kDocumentViewSlot, kUndoSlot, kMatchingArtSlot, kPathSlot,
    kPathStyleSlot, kRandomSlot, kTagSlot, kBlendStyleSlot, kTransformArtSlot,
    kLayerSlot, kShapeConstructionSlot, kEnvelopeSlot, kSwatchListSlot, kArtStyleSlot,
    kSymbolSlot, kObjectSetSlot, kMenuSlot, kFilterSlot, kADMBasicSlot, kADMDialogSlot,
    kADMItemSlot, kADMIconSlot, kADMNotifierSlot, kADMListSlot, kADMEntrySlot,
    kADMTrackerSlot,
    kSlotCount
};

struct SuiteEntry {
    const char* name;  // the host's name for the suite
    int32_t version;   // the exact version asked for
};

extern const SuiteEntry kSuiteTable[kSlotCount];

// The acquired tables, by SuiteIndex; null while not acquired.
extern const void* gSuiteRefs[kSlotCount];

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

inline const SPBlocksSuite* BlocksSuite() { return SuiteRef<SPBlocksSuite>(kBlocksSlot); }
inline const AIMdMemorySuite* MdMemorySuite() { return SuiteRef<AIMdMemorySuite>(kMdMemorySlot); }
inline const AIRealMathSuite* RealMathSuite() { return SuiteRef<AIRealMathSuite>(kRealMathSlot); }
inline const AIArtSuite* ArtSuite() { return SuiteRef<AIArtSuite>(kArtSlot); }
inline const AIDocumentSuite* DocumentSuite() { return SuiteRef<AIDocumentSuite>(kDocumentSlot); }
inline const AIDocumentViewSuite* DocumentViewSuite() {
    return SuiteRef<AIDocumentViewSuite>(kDocumentViewSlot);
}
inline const AIUndoSuite* UndoSuite() { return SuiteRef<AIUndoSuite>(kUndoSlot); }
inline const AIPathSuite* PathSuite() { return SuiteRef<AIPathSuite>(kPathSlot); }
inline const AIPathStyleSuite* PathStyleSuite() { return SuiteRef<AIPathStyleSuite>(kPathStyleSlot); }
inline const AIRandomSuite* RandomSuite() { return SuiteRef<AIRandomSuite>(kRandomSlot); }
inline const AILayerSuite* LayerSuite() { return SuiteRef<AILayerSuite>(kLayerSlot); }
inline const AISwatchListSuite* SwatchListSuite() { return SuiteRef<AISwatchListSuite>(kSwatchListSlot); }
inline const AIArtStyleSuite* ArtStyleSuite() { return SuiteRef<AIArtStyleSuite>(kArtStyleSlot); }
inline const AIBlendStyleSuite* BlendStyleSuite() { return SuiteRef<AIBlendStyleSuite>(kBlendStyleSlot); }
inline const AITransformArtSuite* TransformArtSuite() {
    return SuiteRef<AITransformArtSuite>(kTransformArtSlot);
}
inline const AIShapeConstructionSuite* ShapeConstructionSuite() {
    return SuiteRef<AIShapeConstructionSuite>(kShapeConstructionSlot);
}
inline const AIEnvelopeSuite* EnvelopeSuite() { return SuiteRef<AIEnvelopeSuite>(kEnvelopeSlot); }
inline const AISymbolSuite* SymbolSuite() { return SuiteRef<AISymbolSuite>(kSymbolSlot); }
inline const AIUserSuite* UserSuite() { return SuiteRef<AIUserSuite>(kUserSlot); }
inline const AIMenuSuite* MenuSuite() { return SuiteRef<AIMenuSuite>(kMenuSlot); }
inline const AIFilterSuite* FilterSuite() { return SuiteRef<AIFilterSuite>(kFilterSlot); }
inline const ADMBasicSuite* ADMBasic() { return SuiteRef<ADMBasicSuite>(kADMBasicSlot); }
inline const ADMDialogSuite* ADMDialog() { return SuiteRef<ADMDialogSuite>(kADMDialogSlot); }
inline const ADMItemSuite* ADMItem() { return SuiteRef<ADMItemSuite>(kADMItemSlot); }
inline const ADMListSuite* ADMList() { return SuiteRef<ADMListSuite>(kADMListSlot); }
inline const ADMEntrySuite* ADMEntry() { return SuiteRef<ADMEntrySuite>(kADMEntrySlot); }
inline const ADMTrackerSuite* ADMTracker() { return SuiteRef<ADMTrackerSuite>(kADMTrackerSlot); }

}  // namespace corvanta
