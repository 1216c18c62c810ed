#include "coding/JsonForm.h"

#include "coding/JsonExporter.h"
#include "coding/JsonImporter.h"
#include "coding/OrderedJsonParser.h"

namespace coding {

JsonForm::Json JsonForm::toJson(const ObjectPtr& root) { return JsonExporter().run(root); }

std::string JsonForm::toText(const ObjectPtr& root)
{
    // Malformed UTF-8 in stored text becomes U+FFFD rather than failing the export.
    return toJson(root).dump(2, ' ', false, Json::error_handler_t::replace);
}

JsonForm::ImportResult JsonForm::fromJson(const Json& json) { return JsonImporter().run(json); }

JsonForm::ImportResult JsonForm::fromText(std::string_view text)
{
    auto parsed = OrderedJsonParser::parse(text, text.size());
    if (!parsed.json)
        return ImportResult { nullptr, "not valid JSON (" + parsed.error + ")" };
    return fromJson(*parsed.json);
}

} // namespace coding
