/* AIDocumentView.h: "AI Document View Suite" version 7, the views of the current document.
 *
 * A view shows the artwork at a zoom around a centre. View points are whole pixels with
 * y downward from the view's top-left corner; artwork points are as in AITypes.h. */
#ifndef HOST_AIDOCUMENTVIEW_H
#define HOST_AIDOCUMENTVIEW_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 7

typedef struct AIDocumentViewSuite {
    /** Number of views of the current document. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for a null count. */
    SPErr (SPAPI *CountDocumentViews)(int32_t* count);

    /** The n-th view, 0 being the first. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for n out of range or a null view. */
    SPErr (SPAPI *GetNthDocumentView)(int32_t n, AIDocumentViewHandle* view);

    /** The artwork point at the centre of the view. A NULL view is the first view.
     *  Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError. */
    SPErr (SPAPI *GetDocumentViewCenter)(AIDocumentViewHandle view, AIRealPoint* center);

    /** Converts a view point of the view (NULL: the first view) to artwork points.
     *  Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError. */
    SPErr (SPAPI *ViewPointToArtworkPoint)(AIDocumentViewHandle view, const AIPoint* viewPoint,
                                           AIRealPoint* artworkPoint);
} AIDocumentViewSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIDOCUMENTVIEW_H */
