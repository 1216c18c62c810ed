// Any text as the JSON form: importing must end with a graph or an error, never a
// crash; whatever imports and encodes must decode again.
#include <cstdlib>
#include <string_view>

#include "chat/records/RecordClasses.h"
#include "coding/CycleCollector.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool registered = (registerRecordClasses(), true);
    (void)registered;
    auto imported = coding::JsonForm::fromText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (imported.ok() && imported.object) {
        coding::EncodeResult encoded = coding::QYCoder::encode(imported.object);
        if (encoded.ok() && !coding::QYCoder::decode(encoded.data).ok())
            std::abort();
    }
    imported.object.reset();
    coding::CycleCollector::shared().collect();
    return 0;
}
