#include "HeapCounter.h"

#include "text/TextArena.h"

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <new>

std::size_t HeapCounter::current() {
    return current_ + TextArena::bytesMapped();
}

void* HeapCounter::allocate(std::size_t size, std::size_t alignment) {
    if (size == 0)
        size = 1;
    void* block = nullptr;
    if (alignment <= alignof(std::max_align_t))
        block = std::malloc(size);
    else if (posix_memalign(&block, alignment, size) != 0)
        block = nullptr;
    if (block == nullptr)
        return nullptr;
    current_ += malloc_usable_size(block);
    peak_ = std::max(peak_, current());
    return block;
}

void HeapCounter::release(void* block) {
    if (block == nullptr)
        return;
    current_ -= malloc_usable_size(block);
    std::free(block);
}

namespace {

constexpr std::size_t kPlain = alignof(std::max_align_t);

void* allocateOrThrow(std::size_t size, std::size_t alignment) {
    void* block = HeapCounter::allocate(size, alignment);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

} // namespace

void* operator new(std::size_t size) {
    return allocateOrThrow(size, kPlain);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t al) {
    return allocateOrThrow(size, static_cast<std::size_t>(al));
}
void* operator new[](std::size_t size, std::align_val_t al) {
    return allocateOrThrow(size, static_cast<std::size_t>(al));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return HeapCounter::allocate(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return HeapCounter::allocate(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept {
    return HeapCounter::allocate(size, static_cast<std::size_t>(al));
}
void* operator new[](std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept {
    return HeapCounter::allocate(size, static_cast<std::size_t>(al));
}

void operator delete(void* block) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block) noexcept {
    HeapCounter::release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    HeapCounter::release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    HeapCounter::release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    HeapCounter::release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    HeapCounter::release(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    HeapCounter::release(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    HeapCounter::release(block);
}
