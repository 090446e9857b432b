/* AIMdMemory.h: "AI MdMemory Suite" version 1, relocatable memory handles.
 *
 * A handle is a pointer to the host's master pointer: *handle is the block's current
 * address, which may change when the handle is resized. Handles kept by the host (a
 * filter's parameters) are handed back with later messages. */
#ifndef HOST_AIMDMEMORY_H
#define HOST_AIMDMEMORY_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 1

typedef void** AIMdMemoryHandle;

typedef struct AIMdMemorySuite {
    /** Allocates a handle of `size` bytes, zero-filled, into *handle. Owned by the caller
     *  until it is disposed of or handed to the host to keep.
     *  Returns kSPNoError; kSPMemoryHandleError when no memory can be given (*handle is
     *  NULL); kSPBadParameterError for a null handle pointer. */
    SPErr (SPAPI *MdMemoryNewHandle)(size_t size, AIMdMemoryHandle* handle);

    /** Frees a handle and its block. NULL is accepted and does nothing.
     *  Returns kSPNoError; kSPBadParameterError for a handle the host did not give. */
    SPErr (SPAPI *MdMemoryDisposeHandle)(AIMdMemoryHandle handle);

    /** The block's size in bytes.
     *  Returns kSPNoError; kSPBadParameterError for a null or unknown handle or pointer. */
    SPErr (SPAPI *MdMemoryGetSize)(AIMdMemoryHandle handle, size_t* size);

    /** Resizes the block, keeping its first min(old, new) bytes and zero-filling the rest;
     *  *handle may move. Returns kSPNoError; kSPMemoryHandleError (the block is unchanged);
     *  kSPBadParameterError for a null or unknown handle. */
    SPErr (SPAPI *MdMemoryResizeHandle)(AIMdMemoryHandle handle, size_t newSize);
} AIMdMemorySuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIMDMEMORY_H */
