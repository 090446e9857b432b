// "AI MdMemory Suite" v1: relocatable handles. A handle points at the block pointer inside a
// host record, so *handle follows the block when a resize moves it.
#include <cstdlib>
#include <cstring>

#include "AIMdMemory.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

static_assert(std::is_standard_layout_v<MemoryRecord>, "a handle is the address of the first member");

MemoryRecord* RecordOf(Runtime& rt, AIMdMemoryHandle handle) {
    auto* record = reinterpret_cast<MemoryRecord*>(handle);
    return rt.memoryHandles.count(record) ? record : nullptr;
}

SPErr SPAPI NewHandle(size_t size, AIMdMemoryHandle* handle) {
    return Boundary(Op::MdNewHandle, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        if (!handle) return kSPBadParameterError;
        *handle = nullptr;
        if (size > rt.config.maxBlockSize) return kSPMemoryHandleError;
        rt.memoryHandles.reserve(rt.memoryHandles.size() + 1);
        auto record = std::make_unique<MemoryRecord>();
        record->block = std::calloc(size ? size : 1, 1);
        if (!record->block) return kSPMemoryHandleError;
        record->size = size;
        rt.memoryHandles.insert(record.get());
        *handle = &record.release()->block;
        return kSPNoError;
    });
}

SPErr SPAPI DisposeHandle(AIMdMemoryHandle handle) {
    return Boundary(Op::MdDisposeHandle, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        if (!handle) return kSPNoError;
        MemoryRecord* record = RecordOf(rt, handle);
        if (!record) return kSPBadParameterError;
        rt.memoryHandles.erase(record);
        std::free(record->block);
        delete record;
        return kSPNoError;
    });
}

SPErr SPAPI GetSize(AIMdMemoryHandle handle, size_t* size) {
    return Boundary(Op::MdGetSize, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        MemoryRecord* record = handle ? RecordOf(rt, handle) : nullptr;
        if (!record || !size) return kSPBadParameterError;
        *size = record->size;
        return kSPNoError;
    });
}

SPErr SPAPI ResizeHandle(AIMdMemoryHandle handle, size_t newSize) {
    return Boundary(Op::MdResizeHandle, kSPMemoryHandleError, [&](Runtime& rt) -> SPErr {
        MemoryRecord* record = handle ? RecordOf(rt, handle) : nullptr;
        if (!record) return kSPBadParameterError;
        if (newSize > rt.config.maxBlockSize) return kSPMemoryHandleError;
        void* p = std::realloc(record->block, newSize ? newSize : 1);
        if (!p) return kSPMemoryHandleError;
        if (newSize > record->size) std::memset(static_cast<char*>(p) + record->size, 0, newSize - record->size);
        record->block = p;
        record->size = newSize;
        return kSPNoError;
    });
}

const AIMdMemorySuite kTable = {NewHandle, DisposeHandle, GetSize, ResizeHandle};

}  // namespace

const void* MdMemorySuiteTable() { return &kTable; }

}  // namespace easel
