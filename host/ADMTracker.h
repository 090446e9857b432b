/* ADMTracker.h: "ADM Tracker Suite" version 1, the mouse and keyboard state of an event. */
#ifndef HOST_ADMTRACKER_H
#define HOST_ADMTRACKER_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 1

typedef struct ADMTrackerSuite {
    /** The modifier bits (ADMTypes.h) of the tracker's event; a NULL tracker means the
     *  current event. 0 when there is no event. */
    uint32_t (SPAPI *GetModifiers)(ADMTrackerRef tracker);

    /** The mouse position of the tracker's event (a NULL tracker: the current event), in the
     *  coordinates of the document's first view (pixels, y downward from its top-left), which
     *  AIDocumentViewSuite converts to artwork points. Only a pick (kADMPickModifier set)
     *  carries a point; other events report (0, 0), as does a tracker whose event is over and
     *  the time between events. NULL outputs are ignored. */
    void (SPAPI *GetPoint)(ADMTrackerRef tracker, int32_t* h, int32_t* v);
} ADMTrackerSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMTRACKER_H */
