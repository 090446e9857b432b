// "AI Symbol Suite" v1: the document's symbol list. A symbol is defined by a copy of art as
// it is then; an envelope is copied as what it shows (its computed outline, painted as its
// content), since a definition must stand on its own.
#include <string>

#include "AISymbol.h"
#include "document/Envelope.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

bool NameTaken(const Document& doc, const std::string& name) {
    for (const Symbol& s : doc.symbols)
        if (s.name == name) return true;
    return false;
}

// "New Symbol", then "New Symbol 1", "New Symbol 2", ...: the list's size is tried first, so
// that a list of the host's own names costs one pass.
std::string NewSymbolName(const Document& doc) {
    if (doc.symbols.empty()) return "New Symbol";
    for (size_t n = doc.symbols.size();; ++n) {
        std::string name = "New Symbol " + std::to_string(n);
        if (!NameTaken(doc, name)) return name;
    }
}

SPErr SPAPI NewSymbolFromArt(AIArtHandle art, AIPatternHandle* symbol, SPBoolean unused) {
    return DocumentBoundary(Op::SymbolNew, [&](Runtime& rt, Session& s) -> SPErr {
        if (symbol) *symbol = nullptr;
        const Art* source = s.doc.FindArt(ArtIdOf(art));
        if (!source || unused != 0) return kSPBadParameterError;
        Symbol made;
        made.art = ShownArt(s.doc, *source);
        made.art.id = 0;
        made.art.owner = 0;
        made.art.path.segments.ShrinkToFit();
        const size_t bytes = SymbolBytes(made);
        if (s.doc.artBytesHeld + bytes > rt.config.memoryBudget) return kSPOutOfMemoryError;
        made.name = NewSymbolName(s.doc);
        s.doc.symbols.push_back(std::move(made));  // the journal drops symbols added
        s.doc.artBytesHeld += bytes;
        // A symbol handle is the symbol's position + 1 in the list.
        if (symbol) *symbol = reinterpret_cast<AIPatternHandle>(static_cast<uintptr_t>(s.doc.symbols.size()));
        return kSPNoError;
    });
}

SPErr SPAPI CountSymbols(int32_t* count) {
    return DocumentBoundary(Op::SymbolCount, [&](Runtime&, Session& s) -> SPErr {
        if (!count) return kSPBadParameterError;
        *count = static_cast<int32_t>(s.doc.symbols.size());
        return kSPNoError;
    });
}

const AISymbolSuite kTable = {NewSymbolFromArt, CountSymbols};

}  // namespace

const void* SymbolSuiteTable() { return &kTable; }

}  // namespace easel
