// "AI Undo Suite" v4: rolls back the current message's transaction (see document/Journal.h).
#include "AIUndo.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI UndoChanges() {
    return DocumentBoundary(Op::UndoChanges, [&](Runtime&, Session& s) -> SPErr {
        s.journal.Undo(s.doc);
        return kSPNoError;
    });
}

const AIUndoSuite kTable = {UndoChanges};

}  // namespace

const void* UndoSuiteTable() { return &kTable; }

}  // namespace easel
