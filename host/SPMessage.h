/* SPMessage.h: the entry point, the message record every call carries, and the
 * callers and selectors of the plug-in interface messages. */
#ifndef HOST_SPMESSAGE_H
#define HOST_SPMESSAGE_H

#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Start of every message record. Owned by the host; valid for the one call. */
typedef struct SPMessageData {
    int32_t SPCheck;      /**< the host's check word; plug-ins do not use it */
    SPPluginRef self;     /**< the receiving plug-in, passed to calls that need its identity */
    void* globals;        /**< the plug-in's globals pointer, kept by the host while the
                               module is unloaded; the plug-in writes it on "Unload" and
                               clears it on "Shutdown" */
    const SPBasicSuite* basic; /**< the basic services, valid for the call */
} SPMessageData;

/** The one exported symbol of a plug-in module. caller and selector are terminated
 *  host strings; message points at an SPMessageData or at a larger record that starts
 *  with one, as the caller says. Returns 0 or a result code. */
typedef SPErr (SPAPI *SPPluginMainProc)(const char* caller, const char* selector, void* message);

#define kSPPluginMainName "PluginMain"

/* Module loading, sent without suites acquired. */
#define kSPAccessCaller "SP Access"
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"

/* Plug-in life: start-up after the first load, About, shut-down before the last unload. */
#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceAboutSelector "About"
#define kSPInterfaceShutdownSelector "Shutdown"

#ifdef __cplusplus
}
#endif

#endif /* HOST_SPMESSAGE_H */
