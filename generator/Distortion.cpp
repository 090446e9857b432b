// Distortion, transforms and warps of a finished outline.
#include "generator/Generator.h"

namespace corvanta {

SPErr DistortStar(const GeneratorRun&, const StarParameters&, const StarPlacement&, AIArtHandle,
                  bool* endRun) {
    *endRun = false;
    return kSPNoError;
}

SPErr TransformStar(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

SPErr WarpStar(const GeneratorRun&, AIArtHandle) { return kSPNoError; }

}  // namespace corvanta
