// Where a run's art goes: an optional new layer per run, and an optional symbol per star.
#include "generator/Generator.h"

namespace corvanta {

SPErr InsertRunLayer(GeneratorRun& run) {
    // The host makes the new layer current, so the run's stars go there. One layer per run,
    // however many stars it makes, and none named, locked or moved by the plug-in.
    return LayerSuite()->InsertLayer(nullptr, kPlaceAboveAll, &run.newLayer);
}

SPErr MakeSymbol(const GeneratorRun& run, AIArtHandle path) {
    if (!IsOn(run.settings->symbolize)) return kSPNoError;
    // The symbol is defined by the star alone, as the earlier phases left it; the star stays
    // on the page and no instance is placed. The new symbol's handle is not needed.
    AIPatternHandle symbol = nullptr;
    return SymbolSuite()->NewSymbolFromArt(path, &symbol, 0);
}

}  // namespace corvanta
