// SegmentStore.h: the segments of one path, shared until written.
//
// A store is one pointer to a heap block that holds, for up to `capacity` segments, the
// anchors and handles (SegmentPoints, 24 bytes each) and the corner flags (a bit each, in
// 64-bit words after the points). Copying a store shares the block; the first write through a
// store whose block is shared copies the block (copy on write), so a copy never sees a later
// write. That lets a render list hold the document's segments without copying them, and the
// undo journal keep a path's old segments for the price of a pointer until the path changes.
//
// Threads: a block's count of holders is atomic, so copies may be dropped on any thread (the
// render threads drop theirs). A block is written, its bounds cache included, only while one
// store alone holds it, so stores on different threads may share a block and read it at any
// time; a single store is used by one thread at a time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace easel {

// The anchor and handles of one segment, points (y up, as AITypes.h).
struct SegmentPoints {
    float px, py;  // anchor
    float ix, iy;  // in handle
    float ox, oy;  // out handle
};

// The smallest box holding some points, points; left <= right and bottom <= top.
struct PointBounds {
    float left = 0, bottom = 0, right = 0, top = 0;
};

class SegmentStore {
public:
    SegmentStore() noexcept = default;
    SegmentStore(const SegmentStore& other) noexcept;  // shares the block
    SegmentStore(SegmentStore&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    SegmentStore& operator=(const SegmentStore& other) noexcept;
    SegmentStore& operator=(SegmentStore&& other) noexcept;
    ~SegmentStore() { Release(); }

    size_t size() const { return block_ ? block_->size : 0; }
    bool empty() const { return size() == 0; }
    size_t capacity() const { return block_ ? block_->capacity : 0; }
    // Points of segment i < size(). Valid until the next write through this store.
    const SegmentPoints& operator[](size_t i) const { return Points()[i]; }
    const SegmentPoints* data() const { return block_ ? Points() : nullptr; }
    const SegmentPoints* begin() const { return data(); }
    const SegmentPoints* end() const { return data() + size(); }
    const SegmentPoints& front() const { return Points()[0]; }             // not empty()
    const SegmentPoints& back() const { return Points()[block_->size - 1]; }  // not empty()
    bool Corner(size_t i) const { return (Words()[i / 64] >> (i % 64)) & 1; }

    // Writes. Each may copy a shared block first, and throws std::bad_alloc when that copy or
    // a growth cannot be had; the store is then unchanged.
    void Set(size_t i, const SegmentPoints& p, bool corner);  // i < size()
    // Appends, growing to max(2 x capacity, 32) when full.
    void Append(const SegmentPoints& p, bool corner);
    // Room for `n` segments in a block of this store's own.
    void Reserve(size_t n);
    // Appends when that needs no allocation (room left, block not shared): the common case of
    // a path being drawn, inline. False, and nothing done, otherwise.
    bool TryAppend(const SegmentPoints& p, bool corner) noexcept {
        SegmentPoints* slot = TryAppendSlot(corner);
        if (slot) *slot = p;
        return slot != nullptr;
    }
    // As TryAppend, for a caller that writes the points itself: the new last segment's points,
    // to be written before any other call on this store, or null.
    SegmentPoints* TryAppendSlot(bool corner) noexcept {
        Block* b = block_;
        if (!b || b->size == b->capacity || b->holders.load(std::memory_order_acquire) != 1) return nullptr;
        const size_t i = b->size;
        uint64_t& word = Words()[i / 64];
        word = (word & ~(uint64_t{1} << (i % 64))) | (uint64_t{corner} << (i % 64));
        b->size = i + 1;
        b->boundsKnown = false;
        return Points() + i;
    }
    // No segments. Keeps the block's room when the block is this store's own; lets a shared
    // block go.
    void Clear() noexcept;
    // No more room than the segments need (none for no segments); may throw std::bad_alloc.
    void ShrinkToFit();

    // Whether another store holds this block too (a write would copy it).
    bool Shared() const { return block_ && block_->holders.load(std::memory_order_acquire) > 1; }
    // The bounds of every anchor and handle, and whether every value is finite (false, and
    // `box` untouched, for a non-finite value or no segments). Where -0 and +0 are both
    // extremes, the box has the first of them met, point after point, anchor before in
    // handle before out handle (OrderedBounds). Computed once per state of the segments and
    // kept with them (when the block is not shared at the time), so that a render list made
    // again after an edit only looks at the paths that changed.
    bool FiniteBounds(PointBounds& box) const;

    // Bytes of a block with room for `segments`: its header, the points and the corner words.
    static constexpr size_t BlockBytes(size_t segments) {
        return segments ? sizeof(Block) + segments * sizeof(SegmentPoints) + (segments + 63) / 64 * 8 : 0;
    }

private:
    struct Block {
        std::atomic<uint32_t> holders;  // stores sharing this block, >= 1
        bool boundsKnown;               // `bounds` and `finite` describe the points now held
        bool finite;
        PointBounds bounds;
        size_t size;      // segments held, <= capacity
        size_t capacity;  // segments there is room for, > 0
        // Followed by SegmentPoints[capacity], then uint64_t[(capacity + 63) / 64] corner bits
        // (bit i % 64 of word i / 64 is segment i's).
    };
    static_assert(sizeof(Block) % alignof(uint64_t) == 0 && sizeof(SegmentPoints) % 8 == 0,
                  "the points and corner words follow the header aligned");

    SegmentPoints* Points() const { return reinterpret_cast<SegmentPoints*>(block_ + 1); }
    uint64_t* Words() const { return reinterpret_cast<uint64_t*>(Points() + block_->capacity); }
    static Block* Allocate(size_t capacity);  // holders 1, size 0; throws std::bad_alloc
    // A block of its own with room for `capacity` (>= size()) segments, holding these.
    void MoveTo(size_t capacity);
    // Makes the block this store's own before a write.
    void Own() {
        if (Shared()) MoveTo(capacity());
    }
    void Release() noexcept;

    Block* block_ = nullptr;
};

// The bounds of n > 0 segments' anchors and handles in the order FiniteBounds states, with
// non-finite values taken as std::min and std::max take them.
PointBounds OrderedBounds(const SegmentPoints* p, size_t n);

// Whether two stores hold the same segments, bit for bit.
bool SameSegments(const SegmentStore& a, const SegmentStore& b);

}  // namespace easel
