/* AIFilter.h: the filter messages. (The filter suite itself joins with registration.) */
#ifndef HOST_AIFILTER_H
#define HOST_AIFILTER_H

#include "AIMdMemory.h"
#include "SPMessage.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kCallerAIFilter "AI Filter"
#define kSelectorAIGetParameters "AI Get Parameters"
#define kSelectorAIGoFilter "AI Go"

typedef struct AIFilterOpaque* AIFilterHandle;

/** The filter's parameters: a memory handle the plug-in allocates on the first
 *  "AI Get Parameters" and the host then keeps with the filter, or NULL. */
typedef AIMdMemoryHandle AIFilterParameters;

/** Message record of caller "AI Filter". Owned by the host for the call. */
typedef struct AIFilterMessage {
    SPMessageData d;
    AIFilterHandle filter;         /**< the filter the message is for */
    AIFilterParameters parameters; /**< slot the plug-in may fill on "AI Get Parameters";
                                        the host keeps whatever it holds afterwards */
} AIFilterMessage;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIFILTER_H */
