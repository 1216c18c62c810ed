#include "coding/QYCoder.h"

#include "coding/QYCoderReader.h"
#include "coding/QYCoderWriter.h"
#include "platform/Log.h"

namespace coding {

static void logFailure(const CodingError& error)
{
    platform::log::line("coding", "QYCodingException: " + error.message + " (byte " + std::to_string(error.offset) + ")");
}

EncodeResult QYCoder::encode(const ObjectPtr& rootObject) { return QYCoderWriter(rootObject).run(); }

DecodeResult QYCoder::decode(std::span<const std::uint8_t> data) { return QYCoderReader(data, QYCoderReader::Table::Full).run(); }

DecodeResult QYCoder::decodePropertyList(std::span<const std::uint8_t> data)
{
    return QYCoderReader(data, QYCoderReader::Table::PropertyList).run();
}

std::optional<std::vector<std::uint8_t>> QYCoder::dataWithRootObject(const ObjectPtr& rootObject)
{
    if (!rootObject)
        return std::nullopt;
    EncodeResult result = encode(rootObject);
    if (result.error) {
        logFailure(*result.error);
        return std::nullopt;
    }
    return std::move(result.data);
}

ObjectPtr QYCoder::objectWithData(std::span<const std::uint8_t> data)
{
    DecodeResult result = decode(data);
    if (result.error)
        logFailure(*result.error);
    return result.object;
}

ObjectPtr QYCoder::propertyListWithData(std::span<const std::uint8_t> data)
{
    DecodeResult result = decodePropertyList(data);
    if (result.error)
        logFailure(*result.error);
    return result.object;
}

} // namespace coding
