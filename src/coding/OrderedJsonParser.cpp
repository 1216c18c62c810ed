#include "coding/OrderedJsonParser.h"

#include <unordered_map>
#include <vector>

namespace coding {

namespace {

using Json = OrderedJsonParser::Json;

// Builds the value from nlohmann's parse events, like its own DOM builder but
// appending object members instead of inserting them.
class Builder final : public nlohmann::json_sax<Json> {
public:
    Json root;
    std::string error;

    bool null() override { return add(nullptr); }
    bool boolean(bool value) override { return add(value); }
    bool number_integer(number_integer_t value) override { return add(value); }
    bool number_unsigned(number_unsigned_t value) override { return add(value); }
    bool number_float(number_float_t value, const string_t&) override { return add(value); }
    bool string(string_t& value) override { return add(std::move(value)); }
    bool binary(binary_t& value) override { return add(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override
    {
        Json* made = place(Json::object());
        m_open.push_back({ made, {} });
        return true;
    }
    bool key(string_t& name) override
    {
        m_key = std::move(name);
        return true;
    }
    bool end_object() override
    {
        m_open.pop_back();
        return true;
    }
    bool start_array(std::size_t) override
    {
        Json* made = place(Json::array());
        m_open.push_back({ made, {} });
        return true;
    }
    bool end_array() override
    {
        m_open.pop_back();
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& failure) override
    {
        error = failure.what();
        return false;
    }

private:
    struct Open {
        Json* value;
        // Member name → its place in the object (objects only).
        std::unordered_map<std::string, std::size_t> places;
    };

    template<class T>
    bool add(T&& value)
    {
        place(Json(std::forward<T>(value)));
        return true;
    }

    // Puts a finished or just-opened value where it belongs and returns it.
    // Only the innermost open container grows, so pointers to the outer ones
    // stay valid.
    Json* place(Json value)
    {
        if (m_open.empty()) {
            root = std::move(value);
            return &root;
        }
        Open& parent = m_open.back();
        if (parent.value->is_array()) {
            auto& array = parent.value->get_ref<Json::array_t&>();
            array.push_back(std::move(value));
            return &array.back();
        }
        auto& members = static_cast<std::vector<std::pair<const std::string, Json>>&>(parent.value->get_ref<Json::object_t&>());
        auto [at, isNew] = parent.places.try_emplace(m_key, members.size());
        if (!isNew) {
            members[at->second].second = std::move(value);
            return &members[at->second].second;
        }
        members.emplace_back(std::move(m_key), std::move(value));
        return &members.back().second;
    }

    std::vector<Open> m_open;
    std::string m_key;
};

} // namespace

OrderedJsonParser::Result OrderedJsonParser::parse(std::string_view text, std::size_t maxBytes)
{
    if (text.size() > maxBytes)
        return { std::nullopt, "larger than " + std::to_string(maxBytes >> 20) + " MB" };
    Builder builder;
    bool ok = Json::sax_parse(text, &builder, nlohmann::detail::input_format_t::json, true, false);
    if (!ok)
        return { std::nullopt, builder.error.empty() ? std::string("not valid JSON") : builder.error };
    return { std::move(builder.root), {} };
}

} // namespace coding
