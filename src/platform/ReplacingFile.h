#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// A file written beside its target under a fresh temporary name and renamed
// over the target only once it is complete, so a failed or interrupted write
// never leaves half a file where a good one was, nor a stray temporary one:
// what was not committed is removed when this object goes.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False when the temporary file could not be made, or the target is a
    // folder, device or pipe; error() says why.
    bool isOpen() const { return m_fd >= 0; }
    // Where to write when another writer opens the file by name.
    const std::string& temporaryPath() const { return m_temporary; }
    const std::string& error() const { return m_error; }

    bool write(std::span<const std::uint8_t> bytes);
    // Flushes to disk and puts the file in the target's place; false (and the
    // temporary file removed) when any step failed.
    bool commit();

private:
    bool fail(const std::string& what);
    void discard();

    std::string m_target;
    std::string m_temporary;
    std::string m_error;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace platform
