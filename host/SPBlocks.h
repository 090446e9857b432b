/* SPBlocks.h: "SP Blocks Suite" version 2, fixed blocks of host memory. */
#ifndef HOST_SPBLOCKS_H
#define HOST_SPBLOCKS_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kSPBlocksSuite "SP Blocks Suite"
#define kSPBlocksSuiteVersion 2

typedef struct SPBlocksSuite {
    /** Allocates `size` bytes (contents undefined) into *block. debugName is a terminated
     *  label the host may show in diagnostics; it is not kept. The block is the caller's
     *  until FreeBlock, and outlives module unloading.
     *  Returns kSPNoError; kSPMemoryHandleError when the host cannot give the block
     *  (*block is NULL); kSPBadParameterError for a null block pointer. */
    SPErr (SPAPI *AllocateBlock)(size_t size, const char* debugName, void** block);

    /** Frees a block from AllocateBlock. NULL is accepted and does nothing.
     *  Returns kSPNoError; kSPBadParameterError for a pointer the host did not give. */
    SPErr (SPAPI *FreeBlock)(void* block);

    /** Resizes a block, keeping its first min(old, new) bytes; *newBlock may differ from
     *  block, which is then no longer valid. On failure block stays as it was and *newBlock
     *  is set to block, so `ReallocateBlock(b, n, name, &b)` never loses the block.
     *  Returns kSPNoError; kSPMemoryHandleError; kSPBadParameterError for a null newBlock or
     *  a block the host did not give (NULL included). */
    SPErr (SPAPI *ReallocateBlock)(void* block, size_t newSize, const char* debugName,
                                   void** newBlock);
} SPBlocksSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_SPBLOCKS_H */
