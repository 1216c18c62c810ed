#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace platform {

// A durable key → bytes table in one SQLite file ("settings.sqlite" in the app's
// home folder for the standard store).
//
// Every set is one transaction in write-ahead-log mode, so a process killed in the
// middle of a save leaves the old value, and a second process reading at the same
// time sees the old or the new value, never a mixture. A file that is not a
// database is never overwritten: it is moved aside (its name gains
// ".unreadable-<time>") with a log line, and a fresh store is made.
class SettingsStore {
public:
    explicit SettingsStore(std::string path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The store in the current home folder; opened again when the home folder
    // changes (the --home option, tests).
    static SettingsStore& standard();
    static std::string standardPath();

    const std::string& path() const { return m_path; }
    bool isOpen() const { return m_database != nullptr; }

    // Replaces the value under `key`; false (and logged) when it could not be written.
    bool set(const std::string& key, std::span<const std::uint8_t> bytes);
    // The value under `key`; std::nullopt when the key holds nothing.
    std::optional<std::vector<std::uint8_t>> get(const std::string& key) const;
    std::vector<std::string> keys() const;

private:
    bool open();
    void close();
    bool prepareSchema();
    void moveAside();

    std::string m_path;
    sqlite3* m_database = nullptr;
};

} // namespace platform
