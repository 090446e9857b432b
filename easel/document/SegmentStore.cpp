#include "document/SegmentStore.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace easel {
namespace {

// The box of the x, y pairs of `f` (n > 0 floats, x and y alternating) into `box`, and
// whether every value is finite. A value v is finite exactly when v - v is 0, and a sum of
// such differences is 0 only when all are.
bool Scan(const float* f, size_t n, PointBounds& box) {
#if defined(__SSE2__)
    // Four floats at a time: lanes x, y, x, y.
    __m128 low = _mm_setr_ps(f[0], f[1], f[0], f[1]), high = low, zero = _mm_setzero_ps();
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128 v = _mm_loadu_ps(f + i);
        low = _mm_min_ps(low, v);
        high = _mm_max_ps(high, v);
        zero = _mm_add_ps(zero, _mm_sub_ps(v, v));
    }
    if (i < n) {  // one point's worth of two floats left
        const __m128 v = _mm_setr_ps(f[i], f[i + 1], f[i], f[i + 1]);
        low = _mm_min_ps(low, v);
        high = _mm_max_ps(high, v);
        zero = _mm_add_ps(zero, _mm_sub_ps(v, v));
    }
    alignas(16) float lo[4], hi[4], z[4];
    _mm_store_ps(lo, low);
    _mm_store_ps(hi, high);
    _mm_store_ps(z, zero);
    box = {std::min(lo[0], lo[2]), std::min(lo[1], lo[3]), std::max(hi[0], hi[2]), std::max(hi[1], hi[3])};
    return z[0] == 0 && z[1] == 0 && z[2] == 0 && z[3] == 0;
#else
    float left = f[0], bottom = f[1], right = f[0], top = f[1], zero = 0;
    for (size_t i = 0; i < n; i += 2) {
        left = std::min(left, f[i]);
        right = std::max(right, f[i]);
        bottom = std::min(bottom, f[i + 1]);
        top = std::max(top, f[i + 1]);
        zero += (f[i] - f[i]) + (f[i + 1] - f[i + 1]);
    }
    box = {left, bottom, right, top};
    return zero == 0;
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
    if (!b.boundsKnown) {
        b.finite = Scan(&Points()[0].px, b.size * 6, b.bounds);
        b.boundsKnown = true;
    }
    if (b.finite) box = b.bounds;
    return b.finite;
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
