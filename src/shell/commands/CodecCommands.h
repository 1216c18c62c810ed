#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace CLI {
class App;
}

// `qyshot codec decode FILE` and `qyshot codec encode FILE.json -o OUT`: encoded
// blobs to their JSON form and back.
void addCodecCommands(CLI::App& app);

// Reading and writing the files the codec and store commands take; "-" is the
// standard input or output. Failures end the command with a message.
namespace commandfiles {

[[noreturn]] void fail(const std::string& message);
std::vector<std::uint8_t> readAll(const std::string& path);
void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, const std::string& text);

} // namespace commandfiles
