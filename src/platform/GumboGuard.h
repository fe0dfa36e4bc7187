#pragma once

#include <QByteArray>

#include <csetjmp>
#include <cstddef>
#include <memory>
#include <vector>

struct GumboInternalOutput;

// Runs gumbo on untrusted markup with hard bounds on what the parser builds and how long it
// runs. Every allocation of the parse comes from an arena owned by this object, so a parse that
// hits a bound, or that the system refuses memory, is abandoned at once (a jump out of the
// allocator) and its memory goes with the arena; no gumbo state outlives it. The output of a finished parse
// lives as long as the guard.
class GumboGuard
{
public:
    struct Limits {
        int maxNodes = 20000;             // elements (implied ones too), text and comment nodes
        int maxAttributes = 50000;        // in the whole document
        int maxAttributesPerTag = 256;    // on one start tag
        std::size_t maxBytes = 64u << 20; // all parser allocations, garbage included
        int budgetMs = 2000;              // wall-clock time for the whole parse
    };
    enum class Stop { None, Nodes, Attributes, AttributesPerTag, Memory, Time };

    explicit GumboGuard(const Limits& limits);
    ~GumboGuard();
    GumboGuard(const GumboGuard&) = delete;
    GumboGuard& operator=(const GumboGuard&) = delete;

    // The document's root node, or nullptr when a bound stopped the parse (stop() tells which).
    GumboInternalOutput* parse(const QByteArray& html);
    [[nodiscard]] Stop stop() const { return m_stop; }

private:
    static void* allocate(void* self, std::size_t size);
    static void deallocate(void* self, void* pointer);
    void* take(std::size_t size);
    // A new block of `bytes` kept at position `at` of the chunk list; nullptr when refused.
    void* keep(std::size_t bytes, std::size_t at);
    void count(std::size_t size);
    [[noreturn]] void abandon(Stop why);

    Limits m_limits;
    std::vector<std::unique_ptr<std::byte[]>> m_chunks;
    std::size_t m_chunkUsed = 0;
    std::size_t m_chunkSize = 0;
    std::size_t m_bytes = 0;
    int m_nodes = 0;
    int m_attributes = 0;
    int m_tagAttributes = 0;
    unsigned m_allocations = 0;
    long long m_deadlineNs = 0;
    Stop m_stop = Stop::None;
    std::jmp_buf m_escape;
};
