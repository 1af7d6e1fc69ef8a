#include "TextArena.h"

#include "io/PageWarmer.h"

#include <sys/mman.h>

#include <atomic>
#include <new>
#include <utility>

namespace {

// The head of every block. `held` is the number of texts taken and not yet
// given back, plus kOpen while a thread still carves from the block: the
// carving thread adds what it took when it lets the block go, so taking a
// text costs no atomic operation.
struct BlockHead {
    std::atomic<std::uint64_t> held;
    std::size_t length;
};
constexpr std::uint64_t kOpen = std::uint64_t{1} << 62;
constexpr std::size_t kHead = 64;
// From the second block of a thread on, a large document is being read: its
// blocks are worth huge pages, where the system offers them on request.
constexpr int kHugeFrom = 1;

std::atomic<std::size_t> mapped{0};
// One carving block whose texts have all gone, kept for the next block any
// thread needs: a file read and dropped package by package then carves from
// pages already touched, which on a virtual machine cost far less than
// fresh ones, instead of mapping a block for every 2 MiB of texts.
std::atomic<char*> spare{nullptr};

BlockHead* headOf(const char* text) {
    const auto at = reinterpret_cast<std::uintptr_t>(text);
    return reinterpret_cast<BlockHead*>(at & ~(std::uintptr_t{TextArena::kBlockSize} - 1));
}

// `length` bytes starting at a multiple of the block size, so that any text
// finds its head; untouched.
char* reserveBlock(std::size_t length, bool huge) {
    constexpr std::size_t align = TextArena::kBlockSize;
    const std::size_t wideLength = length + align;
    void* wide =
        ::mmap(nullptr, wideLength, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (wide == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<char*>(wide);
    const std::size_t lead = (align - reinterpret_cast<std::uintptr_t>(start) % align) % align;
    if (lead != 0)
        ::munmap(start, lead);
    ::munmap(start + lead + length, align - lead);
    char* block = start + lead;
#ifdef MADV_HUGEPAGE
    if (huge)
        ::madvise(block, length, MADV_HUGEPAGE);
#else
    (void)huge;
#endif
    return block;
}

// A reserved block put to use, `held` as its head starts it.
char* startBlock(char* block, std::size_t length, std::uint64_t held) {
    new (block) BlockHead{{held}, length};
    mapped.fetch_add(length, std::memory_order_relaxed);
    return block;
}

char* mapBlock(std::size_t length, std::uint64_t held, bool huge) {
    return startBlock(reserveBlock(length, huge), length, held);
}

// A carving block unused or let go: kept as the spare when there is none.
void retire(char* block) {
    block = spare.exchange(block);
    if (block != nullptr)
        ::munmap(block, TextArena::kBlockSize);
}

void unmapBlock(BlockHead* head) {
    const std::size_t length = head->length;
    head->~BlockHead();
    mapped.fetch_sub(length, std::memory_order_relaxed);
    if (length == TextArena::kBlockSize)
        retire(reinterpret_cast<char*>(head));
    else
        ::munmap(head, length);
}

// The block this thread carves from. Once a thread has carved as much as a
// large document's texts, the next block is reserved and warmed on another
// core before it is needed.
class Carver {
public:
    ~Carver() {
        letGo();
        if (next_ != nullptr)
            retire(next_);
    }

    char* take(std::size_t size) {
        if (block_ == nullptr || used_ + size > TextArena::kBlockSize)
            startNext();
        char* text = block_ + used_;
        used_ += size;
        ++taken_;
        return text;
    }

private:
    void startNext() {
        letGo();
        const bool large = blocks_ >= kHugeFrom;
        const bool warm = ++blocks_ >= TextArena::kWarmFrom;
        char* block = std::exchange(next_, nullptr);
        if (block == nullptr)
            block = spare.exchange(nullptr);
        if (block == nullptr)
            block = reserveBlock(TextArena::kBlockSize, large);
        block_ = startBlock(block, TextArena::kBlockSize, kOpen);
        used_ = kHead;
        if (warm)
            next_ = warmedBlock();
    }

    // The spare, touched already, or a new block warmed meanwhile.
    static char* warmedBlock() {
        if (char* block = spare.exchange(nullptr); block != nullptr)
            return block;
        char* block = reserveBlock(TextArena::kBlockSize, true);
        PageWarmer::warm(block, TextArena::kBlockSize);
        return block;
    }

    void letGo() {
        if (block_ == nullptr)
            return;
        auto* head = reinterpret_cast<BlockHead*>(block_);
        if (head->held.fetch_sub(kOpen - taken_, std::memory_order_acq_rel) == kOpen - taken_)
            unmapBlock(head);
        block_ = nullptr;
        taken_ = 0;
    }

    char* block_ = nullptr;
    // Reserved and being warmed; not yet carved from.
    char* next_ = nullptr;
    std::size_t used_ = 0;
    std::uint64_t taken_ = 0;
    int blocks_ = 0;
};

thread_local Carver carver;

} // namespace

char* TextArena::take(std::size_t size) {
    if (size <= kLargest)
        return carver.take(size);
    // A block of its own, held by this text alone.
    constexpr std::size_t page = 4096;
    const std::size_t length = (kHead + size + page - 1) / page * page;
    return mapBlock(length, 1, false) + kHead;
}

void TextArena::release(const char* text) {
    BlockHead* head = headOf(text);
    if (head->held.fetch_sub(1, std::memory_order_acq_rel) == 1)
        unmapBlock(head);
}

std::size_t TextArena::bytesMapped() {
    return mapped.load(std::memory_order_relaxed);
}
