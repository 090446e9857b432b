/* ADMList.h: "ADM List Suite" version 1, the entry list of a popup list item. */
#ifndef HOST_ADMLIST_H
#define HOST_ADMLIST_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 1

typedef struct ADMListSuite {
    /** Inserts a new entry (no text, identifier 0, not chosen) at position index (0-based;
     *  an index past the end appends, a negative one inserts first). Returns the entry, owned
     *  by the list; NULL for a NULL list. */
    ADMEntryRef (SPAPI *InsertEntry)(ADMListRef list, int32_t index);

    /** The entry at position index, or NULL when there is none. */
    ADMEntryRef (SPAPI *IndexEntry)(ADMListRef list, int32_t index);

    /** The chosen entry, or NULL when none is chosen. */
    ADMEntryRef (SPAPI *GetActiveEntry)(ADMListRef list);

    /** Number of entries; 0 for a NULL list. */
    int32_t (SPAPI *NumberOfEntries)(ADMListRef list);
} ADMListSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMLIST_H */
