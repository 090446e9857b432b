/* AIPath.h: "AI Path Suite" version 4, the segments of path art.
 *
 * A path is a sequence of segments, at most kAIMaxPathSegments of them (the count is
 * 16-bit). Each segment is an anchor with two direction handles; a segment whose
 * handles lie on its anchor joins its neighbours by straight lines. */
#ifndef HOST_AIPATH_H
#define HOST_AIPATH_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 4

#define kAIMaxPathSegments 32767

/** One segment: 28 bytes. */
typedef struct AIPathSegment {
    AIRealPoint p;    /**< anchor, points */
    AIRealPoint in;   /**< handle toward the previous segment, points */
    AIRealPoint out;  /**< handle toward the next segment, points */
    SPBoolean corner; /**< 1: the handles are independent (a corner point) */
} AIPathSegment;

typedef struct AIPathSuite {
    /** Number of segments. Returns kSPNoError; kSPBadParameterError for a dead or
     *  non-path art or a null count. */
    SPErr (SPAPI *GetPathSegmentCount)(AIArtHandle path, int16_t* count);

    /** Copies `count` segments starting at `index` into segments[0..count).
     *  Returns kSPNoError; kSPBadParameterError for a dead path, a null array, a negative
     *  index or count, or a range past the end. */
    SPErr (SPAPI *GetPathSegments)(AIArtHandle path, int16_t index, int16_t count,
                                   AIPathSegment* segments);

    /** Writes `count` segments starting at `index`; segments past the current end are
     *  appended, so index may be at most the current count. The caller keeps the array.
     *  Returns kSPNoError; kAITooManySegmentsError when the path would hold more than
     *  kAIMaxPathSegments; kAILockedLayerError on a locked or hidden layer;
     *  kSPOutOfMemoryError past the document's memory budget; kSPBadParameterError for a
     *  dead path, a null array, a negative count, an index past the end, or a non-finite
     *  coordinate. Nothing is written when an error is returned. */
    SPErr (SPAPI *SetPathSegments)(AIArtHandle path, int16_t index, int16_t count,
                                   const AIPathSegment* segments);

    /** Whether the path is closed. Returns kSPNoError; kSPBadParameterError. */
    SPErr (SPAPI *GetPathClosed)(AIArtHandle path, SPBoolean* closed);

    /** Opens or closes the path. Returns kSPNoError; kAILockedLayerError;
     *  kSPBadParameterError for a dead path. */
    SPErr (SPAPI *SetPathClosed)(AIArtHandle path, SPBoolean closed);
} AIPathSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIPATH_H */
