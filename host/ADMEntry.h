/* ADMEntry.h: "ADM Entry Suite" version 2, one entry of a list. */
#ifndef HOST_ADMENTRY_H
#define HOST_ADMENTRY_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 2

typedef struct ADMEntrySuite {
    /** Sets the text shown for the entry (terminated, copied). NULL entry or text: ignored. */
    void (SPAPI *SetText)(ADMEntryRef entry, const char* text);

    /** The entry's identifier, stored and returned as given; GetID of NULL is 0. The
     *  popup list's value (ADMItemSuite's GetIntValue) is its chosen entry's identifier. */
    void (SPAPI *SetID)(ADMEntryRef entry, int32_t id);
    int32_t (SPAPI *GetID)(ADMEntryRef entry);

    /** With select true the entry becomes its list's only chosen entry; false unchooses it.
     *  A NULL entry is ignored. */
    void (SPAPI *Select)(ADMEntryRef entry, ADMBoolean select);

    /** The entry's position in its list, or -1 for NULL. */
    int32_t (SPAPI *GetIndex)(ADMEntryRef entry);
} ADMEntrySuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMENTRY_H */
