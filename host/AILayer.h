/* AILayer.h: "AI Layer Suite" version 9, the current document's layers.
 *
 * Layers are counted from the top: position 0 is the topmost layer. New art goes to the
 * current layer. */
#ifndef HOST_AILAYER_H
#define HOST_AILAYER_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 9

typedef struct AILayerSuite {
    /** Number of layers. Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError. */
    SPErr (SPAPI *CountLayers)(int32_t* count);

    /** The layer at position n from the top. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for n out of range or a null layer. */
    SPErr (SPAPI *GetNthLayer)(int32_t n, AILayerHandle* layer);

    /** The layer that receives new art. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError. */
    SPErr (SPAPI *GetCurrentLayer)(AILayerHandle* layer);

    /** Makes layer the one that receives new art. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for a dead layer. */
    SPErr (SPAPI *SetCurrentLayer)(AILayerHandle layer);

    /** Inserts a new, empty, visible, unlocked layer placed by paintOrder relative to
     *  layer (NULL with kPlaceAboveAll / kPlaceBelowAll: the top or bottom of all layers),
     *  named "Layer N" with N one more than the layer count, and makes it current.
     *  Returns kSPNoError; kSPNoDocumentError; kSPOutOfMemoryError; kSPBadParameterError
     *  for an unknown order, a dead reference layer or a null newLayer. */
    SPErr (SPAPI *InsertLayer)(AILayerHandle layer, int16_t paintOrder, AILayerHandle* newLayer);
} AILayerSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AILAYER_H */
