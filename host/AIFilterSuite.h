/* AIFilterSuite.h: "AI Filter Suite" version 2, registering filters in the host's filter menu. */
#ifndef HOST_AIFILTERSUITE_H
#define HOST_AIFILTERSUITE_H

#include "AIFilter.h"
#include "AIMenu.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIFilterSuite "AI Filter Suite"
#define kAIFilterSuiteVersion 2

/** A filter's place in the menu: two length-prefixed strings (a length byte, then up to 255
 *  characters, no terminator), owned by the caller for the call. */
typedef struct PlatformAddFilterData {
    const unsigned char* category; /**< the submenu of the filter menu */
    const unsigned char* title;    /**< the menu item's text */
} PlatformAddFilterData;

typedef struct AIFilterSuite {
    /** Adds a filter of plug-in self under the unique key name, shown as data's title in
     *  data's category; options must be 0. The host keeps the filter, and its parameters,
     *  until the plug-in is unloaded for good.
     *  Returns kSPNoError; kSPBadParameterError for a null argument, a non-zero options, an
     *  empty title or a key already registered (*filter is NULL). */
    SPErr (SPAPI *AddFilter)(SPPluginRef self, const char* name, const PlatformAddFilterData* data,
                             int32_t options, AIFilterHandle* filter);

    /** The menu item of a filter. Returns kSPNoError; kSPBadParameterError for a filter the
     *  host did not give or a null menuItem. */
    SPErr (SPAPI *GetFilterMenuItem)(AIFilterHandle filter, AIMenuItemHandle* menuItem);
} AIFilterSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIFILTERSUITE_H */
