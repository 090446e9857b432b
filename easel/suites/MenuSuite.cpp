// "AI Menu Suite" v7: automatic updates of the filters' menu items. The conditions are only
// recorded here; Host::MenuItemEnabled evaluates them against the open documents.
#include "AIMenu.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI UpdateMenuItemAutomatically(AIMenuItemHandle item, int32_t action, int32_t ifObjectIsInArtwork,
                                        int32_t ifObjectIsNotInArtwork, int32_t ifIsSelected, int32_t ifIsNotSelected,
                                        int32_t ifDocumentCondition, int32_t ifNotDocumentCondition) {
    return Boundary(Op::MenuUpdateAutomatically, kSPOutOfMemoryError, [&](Runtime& rt) -> SPErr {
        FilterRecord* f = rt.FindMenuItem(item);
        if (!f || action != kAutoEnableMenuItemAction) return kSPBadParameterError;
        // This host keeps no selection, so object and property conditions cannot be honoured.
        if (ifObjectIsInArtwork || ifObjectIsNotInArtwork || ifIsSelected || ifIsNotSelected)
            return kSPBadParameterError;
        f->info.automaticUpdate = true;
        f->info.action = action;
        f->info.ifDocument = ifDocumentCondition;
        f->info.ifNotDocument = ifNotDocumentCondition;
        return kSPNoError;
    });
}

const AIMenuSuite kTable = {UpdateMenuItemAutomatically};

}  // namespace

const void* MenuSuiteTable() { return &kTable; }

}  // namespace easel
