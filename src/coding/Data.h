#pragma once
#include <cstdint>
#include <vector>

#include "coding/Object.h"

namespace coding {

// Bytes (JPEG pictures above all). Identity matters: records that share one
// avatar share one Data object, and it is written once.
class Data final : public Object {
public:
    explicit Data(std::vector<std::uint8_t> bytes = {}, bool isMutable = false);
    static std::shared_ptr<Data> make(std::vector<std::uint8_t> bytes, bool isMutable = false);

    Kind kind() const override { return Kind::Data; }
    bool isEqual(const Object& other) const override;

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    bool isMutable() const { return m_mutable; }
    void setBytes(std::vector<std::uint8_t> bytes);

private:
    std::vector<std::uint8_t> m_bytes;
    bool m_mutable = false;
};

using DataPtr = std::shared_ptr<Data>;

} // namespace coding
