#include "composer/ChatPictureData.h"

#include <algorithm>

coding::DataPtr ChatPictureData::jpeg(const ui::ImagePtr& image, double quality)
{
    if (!image)
        return nullptr;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->image == image && it->quality == quality) {
            Entry hit = *it;
            m_entries.erase(it);
            m_entries.push_back(hit);
            return hit.data;
        }
    }
    auto bytes = image->jpegData(quality);
    if (bytes.empty())
        return nullptr;
    auto data = known(bytes);
    if (!data)
        data = coding::Data::make(std::move(bytes));
    if (m_entries.size() == kCapacity)
        m_entries.erase(m_entries.begin());
    m_entries.push_back({ image, quality, data });
    return data;
}

void ChatPictureData::adopt(const coding::DataPtr& data)
{
    if (!data || holds(data.get()) || data->bytes().empty() || known(data->bytes()))
        return;
    // A conversation holds a handful of avatars; older ones age out.
    if (m_adopted.size() == kCapacity)
        m_adopted.erase(m_adopted.begin());
    m_adopted.push_back(data);
}

coding::DataPtr ChatPictureData::known(const std::vector<std::uint8_t>& bytes) const
{
    for (const auto& adopted : m_adopted) {
        if (adopted->bytes() == bytes)
            return adopted;
    }
    for (const auto& entry : m_entries) {
        if (entry.data->bytes() == bytes)
            return entry.data;
    }
    return nullptr;
}

bool ChatPictureData::holds(const coding::Data* data) const
{
    auto isData = [data](const coding::DataPtr& held) { return held.get() == data; };
    return std::ranges::any_of(m_adopted, isData) || std::ranges::any_of(m_entries, [&](const Entry& entry) { return isData(entry.data); });
}
