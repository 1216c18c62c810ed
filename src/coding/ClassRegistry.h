#pragma once
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace coding {

class ClassInfo;

// Maps class names to the model classes the decoder can make. A stored object
// whose class is not registered reads back as a "$class" dictionary instead.
class ClassRegistry {
public:
    static ClassRegistry& shared();

    // `info` must live as long as the program (classes keep theirs in a static).
    // Registering a name again replaces the earlier class.
    void registerClass(const ClassInfo& info);
    void unregisterClass(std::string_view name);
    const ClassInfo* find(std::string_view name) const;

private:
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, const ClassInfo*> m_classes;
};

} // namespace coding
