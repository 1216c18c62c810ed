#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace coding {

// The bytes of one encoding run, gathered so that the result is allocated once,
// at its exact length. Small fields are staged in a scratch buffer; long byte
// blocks (pictures, voice clips) are only referenced while the graph is walked
// and copied once, straight into the result.
//
// Alignment is relative to the start of the whole encoding, so `size()` counts
// the referenced blocks too.
class EncodedOutput {
public:
    // Blocks at least this long are referenced instead of staged.
    static constexpr std::size_t kReferencedBlockLength = 256;

    EncodedOutput();

    std::size_t size() const { return m_size; }

    void put8(std::uint8_t value)
    {
        m_staged.push_back(value);
        ++m_size;
    }
    void put16(std::uint16_t value) { putLittleEndian(value, 2); }
    void put32(std::uint32_t value) { putLittleEndian(value, 4); }
    void put64(std::uint64_t value) { putLittleEndian(value, 8); }
    // Zero bytes until size() is a multiple of `width`.
    void align(std::size_t width);
    // Text without its zero byte; the caller adds it.
    void putText(std::string_view text);
    // The bytes must stay alive and unchanged until take(): long ones are read
    // only then.
    void putBytes(std::span<const std::uint8_t> bytes);
    // Overwrites four bytes already written; only within the staged start
    // (the header), before any referenced block.
    void patch32(std::size_t offset, std::uint32_t value);

    // The whole encoding; the output is empty afterwards.
    std::vector<std::uint8_t> take();

private:
    void putLittleEndian(std::uint64_t value, int width);

    // A referenced block, placed after the first `stagedBefore` staged bytes.
    struct Reference {
        std::size_t stagedBefore;
        std::span<const std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> m_staged;
    std::vector<Reference> m_references;
    std::size_t m_size = 0;
};

} // namespace coding
