#include "composer/ChatPictureData.h"

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
    auto data = coding::Data::make(std::move(bytes));
    if (m_entries.size() == kCapacity)
        m_entries.erase(m_entries.begin());
    m_entries.push_back({ image, quality, data });
    return data;
}
