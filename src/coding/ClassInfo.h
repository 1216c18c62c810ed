#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "coding/KeyedCoding.h"
#include "coding/Model.h"
#include "coding/Number.h"

namespace coding {

// How a declared property is stored in the object, which decides how it is boxed
// for writing: booleans as the boolean constants, integers by the integer chain
// from their declared width, floats as floats of their width.
enum class PropertyType { Bool, Int32, Int64, Float, Double, Object };

struct PropertyInfo {
    std::string name;
    PropertyType type = PropertyType::Object;
    std::function<ObjectPtr(const Model&)> get;
    // False when the value has the wrong class; nil sets a scalar to zero. An
    // object handed over by value is stored without another reference taken.
    std::function<bool(Model&, ObjectPtr)> set;
};

template <class V>
struct PropertyTraits;

template <class V>
struct ScalarPropertyTraits {
    static std::optional<V> unbox(const ObjectPtr& value)
    {
        if (!value)
            return V {};
        // A plain cast: no reference is taken for a value read right away.
        const auto* number = dynamic_cast<const Number*>(value.get());
        if (!number)
            return std::nullopt;
        if constexpr (std::is_same_v<V, bool>)
            return number->boolValue();
        else if constexpr (std::is_floating_point_v<V>)
            return V(number->doubleValue());
        else
            return V(number->integerValue());
    }
};

template <>
struct PropertyTraits<bool> : ScalarPropertyTraits<bool> {
    static constexpr PropertyType type = PropertyType::Bool;
    static ObjectPtr box(bool value) { return Number::boolean(value); }
};
template <>
struct PropertyTraits<std::int32_t> : ScalarPropertyTraits<std::int32_t> {
    static constexpr PropertyType type = PropertyType::Int32;
    static ObjectPtr box(std::int32_t value) { return Number::integer(value, NumberType::Int32); }
};
template <>
struct PropertyTraits<std::int64_t> : ScalarPropertyTraits<std::int64_t> {
    static constexpr PropertyType type = PropertyType::Int64;
    static ObjectPtr box(std::int64_t value) { return Number::integer(value, NumberType::Int64); }
};
template <>
struct PropertyTraits<float> : ScalarPropertyTraits<float> {
    static constexpr PropertyType type = PropertyType::Float;
    static ObjectPtr box(float value) { return Number::real(value, NumberType::Float32); }
};
template <>
struct PropertyTraits<double> : ScalarPropertyTraits<double> {
    static constexpr PropertyType type = PropertyType::Double;
    static ObjectPtr box(double value) { return Number::real(value, NumberType::Float64); }
};
template <class T>
struct PropertyTraits<std::shared_ptr<T>> {
    static_assert(std::is_base_of_v<Object, T>);
    static constexpr PropertyType type = PropertyType::Object;
    static ObjectPtr box(const std::shared_ptr<T>& value) { return value; }
    static std::optional<std::shared_ptr<T>> unbox(ObjectPtr value)
    {
        if (!value)
            return std::shared_ptr<T>();
        if (!dynamic_cast<T*>(value.get()))
            return std::nullopt;
        return std::static_pointer_cast<T>(std::move(value));
    }
};

// A model class as the codec sees it: its name, how to make an instance, its
// declared properties in declaration order with typed accessors, its superclass,
// and optionally keyed coding (for classes that write themselves through the
// bridge instead of property by property).
class ClassInfo {
public:
    using Factory = std::function<std::shared_ptr<Model>()>;
    using EncodeWithCoder = std::function<void(const Model&, KeyedEncoder&)>;
    using InitWithCoder = std::function<ObjectPtr(const KeyedDecoder&)>;

    ClassInfo(std::string name, Factory factory, const ClassInfo* superclass = nullptr);

    // Declares the next property; T is the model class, V the property's type.
    template <class T, class R, class A>
    ClassInfo& property(std::string name, R (T::*getter)() const, void (T::*setter)(A))
    {
        using V = std::remove_cvref_t<R>;
        static_assert(std::is_same_v<V, std::remove_cvref_t<A>>, "getter and setter must agree on the type");
        PropertyInfo info;
        info.name = std::move(name);
        info.type = PropertyTraits<V>::type;
        info.get = [getter](const Model& model) { return PropertyTraits<V>::box((static_cast<const T&>(model).*getter)()); };
        info.set = [setter](Model& model, ObjectPtr value) {
            std::optional<V> unboxed = PropertyTraits<V>::unbox(std::move(value));
            if (!unboxed)
                return false;
            (static_cast<T&>(model).*setter)(std::move(*unboxed));
            return true;
        };
        return addProperty(std::move(info));
    }
    ClassInfo& addProperty(PropertyInfo property);
    // Makes the class write itself through the keyed-coding bridge.
    ClassInfo& keyedCoding(EncodeWithCoder encode, InitWithCoder init, bool preferCompactCoding = false);

    const std::string& name() const { return m_name; }
    const ClassInfo* superclass() const { return m_superclass; }
    std::shared_ptr<Model> makeInstance() const { return m_factory ? m_factory() : nullptr; }

    // Declared properties of this class only, in declaration order.
    const std::vector<PropertyInfo>& codingKeys() const { return m_properties; }
    // This class's properties, then its superclass's, and so on; computed once.
    const std::vector<const PropertyInfo*>& aggregateProperties() const;
    std::vector<std::string> aggregatePropertyKeys() const;
    const PropertyInfo* propertyNamed(std::string_view name) const;

    bool supportsKeyedCoding() const { return bool(m_encodeWithCoder) && bool(m_initWithCoder); }
    bool preferCompactCoding() const { return m_preferCompactCoding; }
    const EncodeWithCoder& encodeWithCoder() const { return m_encodeWithCoder; }
    const InitWithCoder& initWithCoder() const { return m_initWithCoder; }

private:
    std::string m_name;
    Factory m_factory;
    const ClassInfo* m_superclass = nullptr;
    std::vector<PropertyInfo> m_properties;
    EncodeWithCoder m_encodeWithCoder;
    InitWithCoder m_initWithCoder;
    bool m_preferCompactCoding = true;

    mutable std::once_flag m_aggregateOnce;
    mutable std::vector<const PropertyInfo*> m_aggregate;
    mutable std::unordered_map<std::string, const PropertyInfo*> m_byName;
};

} // namespace coding
