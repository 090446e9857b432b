// Where a run's art goes: an optional new layer per run, and an optional symbol per star.
#include "generator/Generator.h"

namespace corvanta {

SPErr InsertRunLayer(GeneratorRun& run) {
    // The host makes the new layer current, so the run's stars go there.
    return LayerSuite()->InsertLayer(nullptr, kPlaceAboveAll, &run.newLayer);
}

SPErr MakeSymbol(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

}  // namespace corvanta
