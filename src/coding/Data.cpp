#include "coding/Data.h"

namespace coding {

Data::Data(std::vector<std::uint8_t> bytes, bool isMutable)
    : m_bytes(std::move(bytes))
    , m_mutable(isMutable)
{
}

std::shared_ptr<Data> Data::make(std::vector<std::uint8_t> bytes, bool isMutable)
{
    return std::make_shared<Data>(std::move(bytes), isMutable);
}

bool Data::isEqual(const Object& other) const
{
    auto* data = dynamic_cast<const Data*>(&other);
    return data && data->m_bytes == m_bytes;
}

void Data::setBytes(std::vector<std::uint8_t> bytes)
{
    if (bytes == m_bytes)
        return;
    m_bytes = std::move(bytes);
}

} // namespace coding
