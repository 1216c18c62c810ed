#include "shell/commands/CodecCommands.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <iostream>
#include <memory>

#include "chat/records/RecordClasses.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"
#include "platform/ReplacingFile.h"

namespace commandfiles {

void fail(const std::string& message)
{
    std::cerr << "qyshot: " << message << "\n";
    throw CLI::RuntimeError(1);
}

void requireFile(const std::string& path)
{
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (error)
        fail("cannot open " + path + ": " + error.message());
    if (!std::filesystem::exists(status))
        fail("cannot open " + path + ": no such file");
    if (std::filesystem::is_directory(status))
        fail(path + " is a folder, not a file");
    if (!std::filesystem::is_regular_file(status))
        fail(path + " is not a regular file");
}

std::vector<std::uint8_t> readAll(const std::string& path)
{
    auto tooLarge = [&] { fail(path + " is larger than " + std::to_string(kLargestInput >> 20) + " MB"); };
    if (path == "-") {
        std::cin >> std::noskipws;
        std::vector<std::uint8_t> bytes;
        char buffer[65536];
        while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
            bytes.insert(bytes.end(), buffer, buffer + std::cin.gcount());
            if (bytes.size() > kLargestInput)
                tooLarge();
        }
        return bytes;
    }
    requireFile(path);
    std::error_code error;
    if (std::filesystem::file_size(path, error) > kLargestInput)
        tooLarge();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        fail("cannot open " + path + ": " + std::strerror(errno));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        fail("cannot read " + path);
    return bytes;
}

void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (path == "-") {
        std::cout.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::cout.flush();
        if (!std::cout)
            fail("cannot write to standard output");
        return;
    }
    platform::ReplacingFile file(path);
    if (!file.isOpen() || !file.write(bytes) || !file.commit())
        fail(file.error().empty() ? "cannot write " + path : file.error());
}

void writeText(const std::string& path, const std::string& text)
{
    writeAll(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace commandfiles

namespace {

using commandfiles::fail;

struct CodecOptions {
    std::string input;
    std::string output;
};

void decodeFile(const CodecOptions& options)
{
    registerRecordClasses();
    std::vector<std::uint8_t> bytes = commandfiles::readAll(options.input);
    coding::DecodeResult decoded = coding::QYCoder::decode(bytes);
    if (!decoded.ok())
        fail(options.input + ": " + decoded.error->message + " (byte " + std::to_string(decoded.error->offset) + ")");
    std::cout << coding::JsonForm::toText(decoded.object) << "\n";
}

void encodeFile(const CodecOptions& options)
{
    registerRecordClasses();
    std::vector<std::uint8_t> text = commandfiles::readAll(options.input);
    auto imported = coding::JsonForm::fromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    if (!imported.ok())
        fail(options.input + ": " + *imported.error);
    if (!imported.object)
        fail(options.input + ": null is nothing to encode");
    coding::EncodeResult encoded = coding::QYCoder::encode(imported.object);
    if (!encoded.ok())
        fail(options.input + ": " + encoded.error->message);
    commandfiles::writeAll(options.output, encoded.data);
}

} // namespace

void addCodecCommands(CLI::App& app)
{
    auto options = std::make_shared<CodecOptions>();
    CLI::App* codec = app.add_subcommand("codec", "Encoded objects to JSON and back");
    codec->require_subcommand(1);

    CLI::App* decode = codec->add_subcommand("decode", "Write the JSON form of an encoded object to standard output");
    decode->add_option("FILE", options->input, "Encoded file, or - for standard input")->required();
    decode->callback([options] { decodeFile(*options); });

    CLI::App* encode = codec->add_subcommand("encode", "Encode the JSON form of an object");
    encode->add_option("FILE", options->input, "JSON file, or - for standard input")->required();
    encode->add_option("-o,--output", options->output, "Encoded file to write, or - for standard output")->required();
    encode->callback([options] { encodeFile(*options); });
}
