#include "coding/EncodedOutput.h"

#include <cassert>
#include <cstdint>

#include <sys/mman.h>

namespace coding {

// Enough for a participants record or a short chat without growing; a long chat
// grows this scratch buffer a few times, never the result.
static constexpr std::size_t kInitialStagedCapacity = 16 * 1024;

EncodedOutput::EncodedOutput() { m_staged.reserve(kInitialStagedCapacity); }

void EncodedOutput::putLittleEndian(std::uint64_t value, int width)
{
    std::uint8_t bytes[8];
    for (int i = 0; i < width; ++i)
        bytes[i] = std::uint8_t(value >> (8 * i));
    m_staged.insert(m_staged.end(), bytes, bytes + width);
    m_size += std::size_t(width);
}

void EncodedOutput::align(std::size_t width)
{
    std::size_t padding = (width - m_size % width) % width;
    m_staged.insert(m_staged.end(), padding, 0);
    m_size += padding;
}

void EncodedOutput::putText(std::string_view text)
{
    m_staged.insert(m_staged.end(), text.begin(), text.end());
    m_size += text.size();
}

void EncodedOutput::putBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kReferencedBlockLength)
        m_staged.insert(m_staged.end(), bytes.begin(), bytes.end());
    else
        m_references.push_back({ m_staged.size(), bytes });
    m_size += bytes.size();
}

void EncodedOutput::patch32(std::size_t offset, std::uint32_t value)
{
    assert(m_references.empty() || offset + 4 <= m_references.front().stagedBefore);
    for (std::size_t i = 0; i < 4; ++i)
        m_staged[offset + i] = std::uint8_t(value >> (8 * i));
}

// A long result (a chat with pictures runs to tens of megabytes) is fresh memory
// the copy faults in page by page, which costs more than the copy itself; in
// huge pages the kernel maps it in a few steps.
static void preferHugePages(std::uint8_t* data, std::size_t size)
{
    constexpr std::uintptr_t kHugePage = 2u << 20;
    if (size < 2 * kHugePage)
        return;
    auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

std::vector<std::uint8_t> EncodedOutput::take()
{
    std::vector<std::uint8_t> result;
    result.reserve(m_size);
    preferHugePages(result.data(), m_size);
    std::size_t stagedDone = 0;
    for (const auto& reference : m_references) {
        result.insert(result.end(), m_staged.begin() + std::ptrdiff_t(stagedDone), m_staged.begin() + std::ptrdiff_t(reference.stagedBefore));
        result.insert(result.end(), reference.bytes.begin(), reference.bytes.end());
        stagedDone = reference.stagedBefore;
    }
    result.insert(result.end(), m_staged.begin() + std::ptrdiff_t(stagedDone), m_staged.end());
    assert(result.size() == m_size);
    m_staged.clear();
    m_references.clear();
    m_size = 0;
    return result;
}

} // namespace coding
