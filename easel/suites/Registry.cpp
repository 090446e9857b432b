#include "suites/Registry.h"

#include <algorithm>
#include <cstring>

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
#include "suites/Runtime.h"

namespace easel {

Registry::Registry(const std::vector<std::string>& omitted) {
    const Entry all[] = {
        {kSPBlocksSuite, kSPBlocksSuiteVersion, BlocksSuiteTable()},
        {kAIMdMemorySuite, kAIMdMemorySuiteVersion, MdMemorySuiteTable()},
        {kAIRealMathSuite, kAIRealMathSuiteVersion, RealMathSuiteTable()},
        {kAIRandomSuite, kAIRandomSuiteVersion, RandomSuiteTable()},
        {kAIDocumentSuite, kAIDocumentSuiteVersion, DocumentSuiteTable()},
        {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, DocumentViewSuiteTable()},
        {kAIUndoSuite, kAIUndoSuiteVersion, UndoSuiteTable()},
        {kAIArtSuite, kAIArtSuiteVersion, ArtSuiteTable()},
        {kAIPathSuite, kAIPathSuiteVersion, PathSuiteTable()},
        {kAIPathStyleSuite, kAIPathStyleSuiteVersion, PathStyleSuiteTable()},
        {kAISwatchListSuite, kAISwatchListSuiteVersion, SwatchListSuiteTable()},
        {kAIArtStyleSuite, kAIArtStyleSuiteVersion, ArtStyleSuiteTable()},
        {kAILayerSuite, kAILayerSuiteVersion, LayerSuiteTable()},
        {kAIBlendStyleSuite, kAIBlendStyleSuiteVersion, BlendStyleSuiteTable()},
        {kAITransformArtSuite, kAITransformArtSuiteVersion, TransformArtSuiteTable()},
        {kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, ShapeConstructionSuiteTable()},
        {kAIEnvelopeSuite, kAIEnvelopeSuiteVersion, EnvelopeSuiteTable()},
        {kAISymbolSuite, kAISymbolSuiteVersion, SymbolSuiteTable()},
        {kAIFilterSuite, kAIFilterSuiteVersion, FilterSuiteTable()},
        {kAIMenuSuite, kAIMenuSuiteVersion, MenuSuiteTable()},
        {kAIUserSuite, kAIUserSuiteVersion, UserSuiteTable()},
        {kADMBasicSuite, kADMBasicSuiteVersion, ADMBasicSuiteTable()},
        {kADMDialogSuite, kADMDialogSuiteVersion, ADMDialogSuiteTable()},
        {kADMItemSuite, kADMItemSuiteVersion, ADMItemSuiteTable()},
        {kADMListSuite, kADMListSuiteVersion, ADMListSuiteTable()},
        {kADMEntrySuite, kADMEntrySuiteVersion, ADMEntrySuiteTable()},
        {kADMTrackerSuite, kADMTrackerSuiteVersion, ADMTrackerSuiteTable()},
    };
    auto offered = [&](const char* name) { return std::find(omitted.begin(), omitted.end(), name) == omitted.end(); };
    for (const Entry& e : all)
        if (offered(e.name)) entries_.push_back(e);
    for (const PlaceholderSuite& p : PlaceholderSuites())
        if (offered(p.name)) entries_.push_back({p.name, p.version, p.table});
    open_.assign(entries_.size(), 0);
}

Registry::Entry* Registry::Find(const char* name, int32_t version) {
    for (Entry& e : entries_)
        if (e.version == version && std::strcmp(e.name, name) == 0) return &e;
    return nullptr;
}

SPErr Registry::Acquire(const char* name, int32_t version, const void** suite) {
    Entry* e = Find(name, version);
    if (!e) {
        *suite = nullptr;
        return kSPSuiteNotFoundError;
    }
    *suite = e->table;
    ++open_[static_cast<size_t>(e - entries_.data())];
    ++acquired_;
    return kSPNoError;
}

SPErr Registry::Release(const char* name, int32_t version) {
    Entry* e = Find(name, version);
    if (!e) return kSPSuiteNotFoundError;
    int64_t& open = open_[static_cast<size_t>(e - entries_.data())];
    if (open == 0) return kSPSuiteNotFoundError;
    --open;
    ++released_;
    return kSPNoError;
}

}  // namespace easel
