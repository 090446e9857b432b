// "SP Blocks Suite" v2: fixed blocks from the C heap, tracked so that a pointer the host did
// not give is refused and leaks can be counted. Blocks left at the end of the session are
// freed with it.
#include <cstdlib>

#include "SPBlocks.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI AllocateBlock(size_t size, const char*, void** block) {
    return Boundary(Op::BlocksAllocateBlock, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        if (!block) return kSPBadParameterError;
        *block = nullptr;
        if (size > rt.config.maxBlockSize) return kSPMemoryHandleError;
        rt.blocks.reserve(rt.blocks.size() + 1);  // so that the insert below cannot fail
        void* p = std::malloc(size ? size : 1);
        if (!p) return kSPMemoryHandleError;
        rt.blocks.emplace(p, size);
        *block = p;
        return kSPNoError;
    });
}

SPErr SPAPI FreeBlock(void* block) {
    return Boundary(Op::BlocksFreeBlock, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        if (!block) return kSPNoError;
        auto it = rt.blocks.find(block);
        if (it == rt.blocks.end()) return kSPBadParameterError;
        rt.blocks.erase(it);
        std::free(block);
        return kSPNoError;
    });
}

SPErr SPAPI ReallocateBlock(void* block, size_t newSize, const char*, void** newBlock) {
    return Boundary(Op::BlocksReallocateBlock, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        if (!newBlock) return kSPBadParameterError;
        auto it = rt.blocks.find(block);
        if (it == rt.blocks.end()) return kSPBadParameterError;
        *newBlock = block;  // on failure the caller keeps the block it had
        if (newSize > rt.config.maxBlockSize) return kSPMemoryHandleError;
        void* p = std::realloc(block, newSize ? newSize : 1);
        if (!p) return kSPMemoryHandleError;
        rt.blocks.erase(it);
        rt.blocks.emplace(p, newSize);  // the erase left room: cannot fail
        *newBlock = p;
        return kSPNoError;
    });
}

const SPBlocksSuite kTable = {AllocateBlock, FreeBlock, ReallocateBlock};

}  // namespace

const void* BlocksSuiteTable() { return &kTable; }

}  // namespace easel
