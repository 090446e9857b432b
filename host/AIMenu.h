/* AIMenu.h: "AI Menu Suite" version 7, the host's menu items. */
#ifndef HOST_AIMENU_H
#define HOST_AIMENU_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 7

#define kCallerAIMenu "AI Menu"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"

typedef struct AIMenuItemOpaque* AIMenuItemHandle;

/** Automatic update actions. */
enum {
    kAutoEnableMenuItemAction = 1 /**< enable the item while the conditions hold, else disable */
};

/** Document conditions of an automatic update. */
enum {
    kIfOpenDocument = 1 /**< a document is open */
};

typedef struct AIMenuSuite {
    /** Lets the host update the item by itself: with action kAutoEnableMenuItemAction the item
     *  is enabled exactly while the document conditions hold. Object and property conditions
     *  (the other arguments) are not supported by this host and must be 0.
     *  Returns kSPNoError; kSPBadParameterError for an unknown item or action, or a non-zero
     *  object or property condition. */
    SPErr (SPAPI *UpdateMenuItemAutomatically)(AIMenuItemHandle item, int32_t action,
                                               int32_t ifObjectIsInArtwork,
                                               int32_t ifObjectIsNotInArtwork,
                                               int32_t ifIsSelected, int32_t ifIsNotSelected,
                                               int32_t ifDocumentCondition,
                                               int32_t ifNotDocumentCondition);
} AIMenuSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIMENU_H */
