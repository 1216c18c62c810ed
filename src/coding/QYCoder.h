#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "coding/CodingResult.h"

namespace coding {

// The compact object encoding: one blob per object graph, repeated objects and
// strings written once and referred to by index afterwards, so shared and cyclic
// references come back as they were.
class QYCoder {
public:
    // nil for a nil root or an object that cannot be encoded (logged).
    static std::optional<std::vector<std::uint8_t>> dataWithRootObject(const ObjectPtr& rootObject);
    // nil when the data is absent or does not decode (the reason is logged).
    static ObjectPtr objectWithData(std::span<const std::uint8_t> data);
    // As objectWithData, but only plain values: no objects of classes, no nil.
    static ObjectPtr propertyListWithData(std::span<const std::uint8_t> data);

    // The same with the reason and byte offset of a failure.
    static EncodeResult encode(const ObjectPtr& rootObject);
    static DecodeResult decode(std::span<const std::uint8_t> data);
    static DecodeResult decodePropertyList(std::span<const std::uint8_t> data);
};

} // namespace coding
