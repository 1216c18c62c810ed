// Any bytes: decoding must end with an object or an error, never a crash, a hang
// or a leak; whatever decodes and encodes again must decode again.
#include <cstdlib>
#include <span>

#include "chat/records/RecordClasses.h"
#include "coding/CycleCollector.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool registered = (registerRecordClasses(), true);
    (void)registered;
    std::span<const std::uint8_t> input(data, size);
    coding::QYCoder::decodePropertyList(input);
    coding::DecodeResult decoded = coding::QYCoder::decode(input);
    if (decoded.ok() && decoded.object) {
        coding::EncodeResult encoded = coding::QYCoder::encode(decoded.object);
        if (encoded.ok() && !coding::QYCoder::decode(encoded.data).ok())
            std::abort();
        auto imported = coding::JsonForm::fromText(coding::JsonForm::toText(decoded.object));
        (void)imported;
    }
    decoded.object.reset();
    coding::CycleCollector::shared().collect();
    return 0;
}
