// Fill, stroke and opacity of each star.
#include "generator/Generator.h"

namespace corvanta {

void RandomizePaint(const GeneratorRun&, AIArtHandle) {}

SPErr JitterPaint(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

}  // namespace corvanta
