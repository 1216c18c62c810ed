#include "CodingTestSupport.h"

#include "coding/ClassRegistry.h"
#include "coding/JsonForm.h"

namespace codingtest {

using namespace coding;

Bytes encode(const ObjectPtr& object)
{
    EncodeResult result = QYCoder::encode(object);
    EXPECT_TRUE(result.ok()) << (result.error ? result.error->message : "");
    return result.data;
}

ObjectPtr decode(const Bytes& bytes)
{
    DecodeResult result = QYCoder::decode(bytes);
    EXPECT_TRUE(result.ok()) << (result.error ? result.error->message + " at " + std::to_string(result.error->offset) : "");
    return result.object;
}

CodingError decodeFailure(const Bytes& bytes)
{
    DecodeResult result = QYCoder::decode(bytes);
    EXPECT_FALSE(result.ok()) << "decoded " << hex(bytes);
    EXPECT_EQ(result.object, nullptr);
    return result.error.value_or(CodingError {});
}

void expectJsonRoundTripKeepsBytes(const ObjectPtr& object)
{
    Bytes original = encode(object);
    ObjectPtr decoded = decode(original);
    std::string text = JsonForm::toText(decoded);
    auto imported = JsonForm::fromText(text);
    ASSERT_TRUE(imported.ok()) << *imported.error << "\n" << text;
    EXPECT_EQ(hex(encode(imported.object)), hex(original)) << text;
}

std::uint32_t headerCount(const Bytes& bytes, std::size_t offset)
{
    return std::uint32_t(bytes.at(offset)) | std::uint32_t(bytes.at(offset + 1)) << 8 | std::uint32_t(bytes.at(offset + 2)) << 16
        | std::uint32_t(bytes.at(offset + 3)) << 24;
}

std::string hex(const Bytes& bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            text.push_back(' ');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

Bytes blob(const Bytes& body, std::uint32_t objects, std::uint32_t classes, std::uint32_t strings)
{
    Bytes bytes = { 'T', 'S', 'A', 'F', 3, 0, 2, 0 };
    for (std::uint32_t count : { objects, classes, strings }) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(std::uint8_t(count >> (8 * i)));
    }
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

const ClassInfo& TestNode::staticClassInfo()
{
    using M = TestNode;
    static ClassInfo info("TestNode", [] { return std::make_shared<M>(); });
    static const bool described = [] {
        info.property("name", &M::name, &M::setName)
            .property("next", &M::next, &M::setNext)
            .property("count", &M::count, &M::setCount)
            .property("flag", &M::flag, &M::setFlag)
            .property("ratio", &M::ratio, &M::setRatio)
            .property("weight", &M::weight, &M::setWeight)
            .property("big", &M::big, &M::setBig);
        return true;
    }();
    (void)described;
    return info;
}

const ClassInfo& TestChild::staticClassInfo()
{
    static ClassInfo info("TestChild", [] { return std::make_shared<TestChild>(); }, &TestNode::staticClassInfo());
    static const bool described = [] {
        info.property("extra", &TestChild::extra, &TestChild::setExtra);
        return true;
    }();
    (void)described;
    return info;
}

const ClassInfo& TestKeyed::staticClassInfo()
{
    static ClassInfo info("TestKeyed", [] { return std::make_shared<TestKeyed>(); });
    static const bool described = [] {
        info.keyedCoding(
            [](const Model& model, KeyedEncoder& coder) {
                const auto& keyed = static_cast<const TestKeyed&>(model);
                coder.encodeObject(keyed.title, "title");
                coder.encodeInt(keyed.score, "score");
                coder.encodeObject(keyed.payload, "payload");
            },
            [](const KeyedDecoder& coder) -> ObjectPtr {
                auto keyed = std::make_shared<TestKeyed>();
                keyed->title = as<String>(coder.decodeObjectForKey("title"));
                keyed->score = coder.decodeIntForKey("score");
                keyed->payload = coder.decodeObjectForKey("payload");
                return keyed;
            });
        return true;
    }();
    (void)described;
    return info;
}

const ClassInfo& TestCanonical::staticClassInfo()
{
    static ClassInfo info("TestCanonical", [] { return std::make_shared<TestCanonical>(); });
    return info;
}

std::shared_ptr<TestCanonical> TestCanonical::canonical()
{
    static auto instance = std::make_shared<TestCanonical>();
    return instance;
}

void registerTestClasses()
{
    auto& registry = ClassRegistry::shared();
    registry.registerClass(TestNode::staticClassInfo());
    registry.registerClass(TestChild::staticClassInfo());
    registry.registerClass(TestKeyed::staticClassInfo());
    registry.registerClass(TestCanonical::staticClassInfo());
}

} // namespace codingtest
