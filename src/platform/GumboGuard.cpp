#include "platform/GumboGuard.h"

#include <gumbo.h>

#include <chrono>
#include <new>

namespace
{
constexpr std::size_t kChunkBytes = 256 * 1024;
constexpr std::size_t kAlignment = alignof(std::max_align_t);
// The clock is read every this many allocations: cheap, and fine-grained enough because every
// costly step of the parser allocates.
constexpr unsigned kClockEvery = 32;

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

GumboGuard::GumboGuard(const Limits& limits) : m_limits(limits) {}

GumboGuard::~GumboGuard() = default;

GumboOutput* GumboGuard::parse(const QByteArray& html)
{
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &GumboGuard::allocate;
    options.deallocator = &GumboGuard::deallocate;
    options.userdata = this;
    options.max_errors = 100;
    m_deadlineNs = nowNs() + m_limits.budgetMs * 1000000LL;
    // The jump comes back here from inside the allocator: only C frames and the allocator lie in
    // between, none with anything to destroy, and the arena frees all the parser made.
    if (setjmp(m_escape) != 0)
        return nullptr;
    return gumbo_parse_with_options(&options, html.constData(), std::size_t(html.size()));
}

void* GumboGuard::allocate(void* self, std::size_t size)
{
    auto* guard = static_cast<GumboGuard*>(self);
    guard->count(size);
    return guard->take(size);
}

void GumboGuard::deallocate(void*, void*)
{
    // Everything is released with the arena.
}

// Nodes and attributes are told apart by the size of their records; an odd string of the same
// size counts too, which only makes the bounds a little stricter.
void GumboGuard::count(std::size_t size)
{
    m_bytes += size;
    if (m_bytes > m_limits.maxBytes)
        abandon(Stop::Memory);
    if (size == sizeof(GumboNode)) {
        if (++m_nodes > m_limits.maxNodes)
            abandon(Stop::Nodes);
        m_tagAttributes = 0; // a tag's attributes are read before its element is made
    } else if (size == sizeof(GumboAttribute)) {
        if (++m_attributes > m_limits.maxAttributes)
            abandon(Stop::Attributes);
        if (++m_tagAttributes > m_limits.maxAttributesPerTag)
            abandon(Stop::AttributesPerTag);
    }
    if (++m_allocations % kClockEvery == 0 && nowNs() > m_deadlineNs)
        abandon(Stop::Time);
}

// Runs inside gumbo's C frames: nothing may throw through them, so memory the system refuses
// abandons the parse like any other bound.
void* GumboGuard::take(std::size_t size)
{
    const std::size_t rounded = (size + kAlignment - 1) / kAlignment * kAlignment;
    void* pointer = nullptr;
    if (rounded > kChunkBytes / 4) {
        // Large blocks get a chunk of their own, placed before the current one so its space stays usable.
        pointer = keep(rounded, m_chunks.empty() ? 0 : m_chunks.size() - 1);
        if (!pointer)
            abandon(Stop::Memory);
        return pointer;
    }
    if (m_chunks.empty() || m_chunkUsed + rounded > m_chunkSize) {
        if (!keep(kChunkBytes, m_chunks.size()))
            abandon(Stop::Memory);
        m_chunkSize = kChunkBytes;
        m_chunkUsed = 0;
    }
    pointer = m_chunks.back().get() + m_chunkUsed;
    m_chunkUsed += rounded;
    return pointer;
}

void* GumboGuard::keep(std::size_t bytes, std::size_t at)
{
    std::unique_ptr<std::byte[]> block(new (std::nothrow) std::byte[bytes]);
    if (!block)
        return nullptr;
    void* pointer = block.get();
    // The list grows outside any jump: a refused growth frees the block here and reports it.
    try {
        m_chunks.insert(m_chunks.begin() + std::ptrdiff_t(at), std::move(block));
        return pointer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void GumboGuard::abandon(Stop why)
{
    m_stop = why;
    std::longjmp(m_escape, 1);
}
