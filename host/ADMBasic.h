/* ADMBasic.h: "ADM Basic Suite" version 2, string lists and alerts. */
#ifndef HOST_ADMBASIC_H
#define HOST_ADMBASIC_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 2

typedef struct ADMBasicSuite {
    /** Copies string `index` of the plug-in's string list `listId` (the string resource
     *  listId + index) into buffer as a terminated string of at most maxLength - 1
     *  characters; a longer string is cut. An index past the list gives the empty string.
     *  Returns kSPNoError; kSPBadParameterError for an unknown plug-in or list, a null buffer
     *  or maxLength below 1 (buffer untouched). */
    SPErr (SPAPI *GetIndexString)(SPPluginRef plugin, int32_t listId, int32_t index, char* buffer,
                                  int32_t maxLength);

    /** Shows text (terminated, copied) in a modal box with an OK button and returns when it
     *  is dismissed. Cannot fail. */
    void (SPAPI *MessageAlert)(const char* text);
} ADMBasicSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMBASIC_H */
