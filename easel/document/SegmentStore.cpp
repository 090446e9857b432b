#include "document/SegmentStore.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace easel {

// Point after point, anchor before in handle before out handle, the first of equal values kept.
PointBounds OrderedBounds(const SegmentPoints* p, size_t n) {
    PointBounds b{p[0].px, p[0].py, p[0].px, p[0].py};
    for (size_t i = 0; i < n; ++i) {
        b.left = std::min(b.left, std::min(p[i].px, std::min(p[i].ix, p[i].ox)));
        b.right = std::max(b.right, std::max(p[i].px, std::max(p[i].ix, p[i].ox)));
        b.bottom = std::min(b.bottom, std::min(p[i].py, std::min(p[i].iy, p[i].oy)));
        b.top = std::max(b.top, std::max(p[i].py, std::max(p[i].iy, p[i].oy)));
    }
    return b;
}

namespace {


// OrderedBounds of n > 0 segments into `box` when every value is finite (false otherwise). Four
// floats at a time, lanes x, y, x, y; for finite values equal extremes are the same bits except
// for zeros, so a box with a zero extreme is worked again in order.
bool Scan(const SegmentPoints* p, size_t n, PointBounds& box) {
#if defined(__SSE2__)
    static_assert(sizeof(SegmentPoints) == 6 * sizeof(float), "SegmentPoints is six floats");
    const float* f = &p[0].px;
    const size_t count = n * 6;  // a multiple of 2: whole x, y pairs
    __m128 low = _mm_setr_ps(f[0], f[1], f[0], f[1]), high = low, zero = _mm_setzero_ps();
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 v = _mm_loadu_ps(f + i);
        low = _mm_min_ps(v, low);
        high = _mm_max_ps(v, high);
        zero = _mm_add_ps(zero, _mm_sub_ps(v, v));
    }
    if (i < count) {  // one pair left
        const __m128 v = _mm_setr_ps(f[i], f[i + 1], f[i], f[i + 1]);
        low = _mm_min_ps(v, low);
        high = _mm_max_ps(v, high);
        zero = _mm_add_ps(zero, _mm_sub_ps(v, v));
    }
    alignas(16) float lo[4], hi[4], z[4];
    _mm_store_ps(lo, low);
    _mm_store_ps(hi, high);
    _mm_store_ps(z, zero);
    if (!(z[0] == 0 && z[1] == 0 && z[2] == 0 && z[3] == 0)) return false;
    box = {std::min(lo[0], lo[2]), std::min(lo[1], lo[3]), std::max(hi[0], hi[2]), std::max(hi[1], hi[3])};
    if (box.left == 0 || box.bottom == 0 || box.right == 0 || box.top == 0) box = OrderedBounds(p, n);
    return true;
#else
    float zero = 0;
    for (size_t i = 0; i < n; ++i)
        zero += ((p[i].px - p[i].px) + (p[i].py - p[i].py)) + ((p[i].ix - p[i].ix) + (p[i].iy - p[i].iy)) +
                ((p[i].ox - p[i].ox) + (p[i].oy - p[i].oy));
    if (!(zero == 0)) return false;
    box = OrderedBounds(p, n);
    return true;
#endif
}

}  // namespace

SegmentStore::SegmentStore(const SegmentStore& other) noexcept : block_(other.block_) {
    if (block_) block_->holders.fetch_add(1, std::memory_order_relaxed);
}

SegmentStore& SegmentStore::operator=(const SegmentStore& other) noexcept {
    if (other.block_) other.block_->holders.fetch_add(1, std::memory_order_relaxed);
    Release();
    block_ = other.block_;
    return *this;
}

SegmentStore& SegmentStore::operator=(SegmentStore&& other) noexcept {
    if (this != &other) {
        Release();
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

void SegmentStore::Release() noexcept {
    // The last holder frees; acq_rel so that every other holder's reads come before the free.
    if (block_ && block_->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block_->~Block();
        ::operator delete(block_);
    }
    block_ = nullptr;
}

SegmentStore::Block* SegmentStore::Allocate(size_t capacity) {
    void* memory = ::operator new(BlockBytes(capacity));
    Block* b = new (memory) Block{};
    b->holders.store(1, std::memory_order_relaxed);
    b->capacity = capacity;
    // The corner words start cleared, so that setting one flag never reads an unset word.
    std::memset(reinterpret_cast<SegmentPoints*>(b + 1) + capacity, 0, (capacity + 63) / 64 * 8);
    return b;
}

void SegmentStore::MoveTo(size_t capacity) {
    const size_t n = size();
    Block* fresh = Allocate(capacity);
    if (n) {
        std::memcpy(reinterpret_cast<SegmentPoints*>(fresh + 1), Points(), n * sizeof(SegmentPoints));
        std::memcpy(reinterpret_cast<SegmentPoints*>(fresh + 1) + capacity, Words(), (n + 63) / 64 * 8);
        fresh->boundsKnown = block_->boundsKnown;
        fresh->finite = block_->finite;
        fresh->bounds = block_->bounds;
    }
    fresh->size = n;
    Release();
    block_ = fresh;
}

void SegmentStore::Set(size_t i, const SegmentPoints& p, bool corner) {
    Own();
    Points()[i] = p;
    uint64_t& word = Words()[i / 64];
    const uint64_t bit = uint64_t{1} << (i % 64);
    word = corner ? word | bit : word & ~bit;
    block_->boundsKnown = false;
}

void SegmentStore::Append(const SegmentPoints& p, bool corner) {
    if (TryAppend(p, corner)) return;
    const size_t n = size();
    MoveTo(n == capacity() ? std::max<size_t>(2 * n, 32) : capacity());
    TryAppend(p, corner);
}

void SegmentStore::Reserve(size_t n) {
    if (n > capacity() || (n > 0 && Shared())) MoveTo(std::max(n, capacity()));
}

void SegmentStore::Clear() noexcept {
    if (Shared()) {
        Release();
        return;
    }
    if (block_) {
        block_->size = 0;
        block_->boundsKnown = false;
    }
}

void SegmentStore::ShrinkToFit() {
    if (!block_ || block_->size == block_->capacity) return;
    if (block_->size == 0) {
        Release();
        return;
    }
    MoveTo(block_->size);
}

bool SegmentStore::FiniteBounds(PointBounds& box) const {
    if (empty()) return false;
    Block& b = *block_;
    if (b.boundsKnown) {
        if (b.finite) box = b.bounds;
        return b.finite;
    }
    PointBounds found;
    const bool finite = Scan(Points(), b.size, found);
    // Kept only in a block no other store holds: a shared block may be read on other threads
    // (a render list's, an export's copy of the document), and is then left as it is.
    if (b.holders.load(std::memory_order_acquire) == 1) {
        b.bounds = found;
        b.finite = finite;
        b.boundsKnown = true;
    }
    if (finite) box = found;
    return finite;
}

bool SameSegments(const SegmentStore& a, const SegmentStore& b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n == 0 || a.data() == b.data()) return true;
    if (std::memcmp(a.data(), b.data(), n * sizeof(SegmentPoints)) != 0) return false;
    for (size_t i = 0; i < n; ++i)
        if (a.Corner(i) != b.Corner(i)) return false;
    return true;
}

}  // namespace easel
