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
// standard input or output. Failures end the command with a message naming the
// file and the reason, exit code 1.
namespace commandfiles {

// Larger inputs are refused before they are read: more than any chat, with
// its pictures, encodes to.
constexpr std::uint64_t kLargestInput = 256ull << 20;

[[noreturn]] void fail(const std::string& message);
// Ends the command unless `path` names a regular file (not a folder, pipe or device).
void requireFile(const std::string& path);
// A regular file (or "-") of at most kLargestInput bytes.
std::vector<std::uint8_t> readAll(const std::string& path);
// Written whole or not at all: a temporary file renamed over the target.
void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, const std::string& text);

} // namespace commandfiles
