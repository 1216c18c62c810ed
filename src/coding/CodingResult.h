#pragma once
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "coding/Object.h"

namespace coding {

// Why encoding or decoding stopped, and the byte offset where it did.
struct CodingError {
    std::string message;
    std::size_t offset = 0;
};

struct DecodeResult {
    ObjectPtr object;
    std::optional<CodingError> error;
    bool ok() const { return !error; }
};

struct EncodeResult {
    std::vector<std::uint8_t> data;
    std::optional<CodingError> error;
    bool ok() const { return !error; }
};

// Thrown inside one encoding or decoding run and caught at its end; it never
// leaves the codec.
class QYCodingException : public std::exception {
public:
    explicit QYCodingException(CodingError error)
        : m_error(std::move(error))
    {
    }
    const char* what() const noexcept override { return m_error.message.c_str(); }
    const CodingError& error() const { return m_error; }

private:
    CodingError m_error;
};

} // namespace coding
