#include "shell/commands/StoreCommands.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "chat/records/RecordClasses.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"
#include "platform/Folders.h"
#include "platform/HomeLock.h"
#include "platform/store/SettingsStore.h"
#include "shell/commands/CodecCommands.h"

namespace {

using commandfiles::fail;

struct StoreOptions {
    std::string key;
    std::string file;
    bool raw = false;
};

platform::SettingsStore& openStore()
{
    registerRecordClasses();
    auto& store = platform::SettingsStore::standard();
    if (!store.isOpen())
        fail("cannot open the settings store " + store.path());
    if (const auto& moved = store.movedAsideTo())
        std::cerr << "qyshot: the settings store " << store.path() << " could not be read (damaged); moved it to " << *moved
                  << " and started a fresh one\n";
    return store;
}

std::string describe(const coding::CodingError& error)
{
    return error.message + " (byte " + std::to_string(error.offset) + ")";
}

void listKeys()
{
    for (const auto& key : openStore().keys())
        std::cout << key << "\n";
}

void exportKey(const StoreOptions& options)
{
    auto bytes = openStore().get(options.key);
    if (!bytes)
        fail("nothing is stored under \"" + options.key + "\"");
    if (options.raw) {
        commandfiles::writeAll("-", *bytes);
        return;
    }
    coding::DecodeResult decoded = coding::QYCoder::decode(*bytes);
    if (!decoded.ok())
        fail("the value under \"" + options.key + "\" does not decode: " + describe(*decoded.error) + "; --raw writes its bytes");
    std::cout << coding::JsonForm::toText(decoded.object) << "\n";
}

void importKey(const StoreOptions& options)
{
    platform::HomeLock homeLock(platform::folders::homeFolder());
    if (!homeLock.isHeld())
        fail(homeLock.error());
    auto& store = openStore();
    std::vector<std::uint8_t> input = commandfiles::readAll(options.file);
    std::vector<std::uint8_t> bytes;
    if (options.raw) {
        // Bytes that do not decode would only replace good data with garbage.
        coding::DecodeResult decoded = coding::QYCoder::decode(input);
        if (!decoded.ok())
            fail(options.file + " is not an encoded object: " + describe(*decoded.error));
        bytes = std::move(input);
    } else {
        auto imported = coding::JsonForm::fromText(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
        if (!imported.ok())
            fail(options.file + ": " + *imported.error);
        if (!imported.object)
            fail(options.file + ": null is nothing to store");
        coding::EncodeResult encoded = coding::QYCoder::encode(imported.object);
        if (!encoded.ok())
            fail(options.file + ": " + describe(*encoded.error));
        bytes = std::move(encoded.data);
    }
    if (!store.set(options.key, bytes))
        fail("cannot save \"" + options.key + "\" in " + store.path());
}

} // namespace

void addStoreCommands(CLI::App& app)
{
    auto options = std::make_shared<StoreOptions>();
    CLI::App* store = app.add_subcommand("store", "The settings store: list its keys, export a value as JSON, import one");
    store->require_subcommand(1);
    // The store lives in the app home folder: the program's --home option (which
    // may also follow these commands' arguments) or $QYSHOT_HOME.
    store->fallthrough();

    CLI::App* keys = store->add_subcommand("keys", "List the keys that hold a value");
    keys->callback([] { listKeys(); });

    CLI::App* exporter = store->add_subcommand("export", "Write the value under KEY as JSON (or its stored bytes) to standard output");
    exporter->add_option("KEY", options->key, "Store key, e.g. CHAT")->required();
    exporter->add_flag("--raw", options->raw, "Write the stored bytes instead of JSON");
    exporter->callback([options] { exportKey(*options); });

    CLI::App* importer = store->add_subcommand("import", "Save the JSON (or encoded bytes) in FILE under KEY");
    importer->add_option("KEY", options->key, "Store key, e.g. CHAT")->required();
    importer->add_option("FILE", options->file, "JSON file, or - for standard input")->required();
    importer->add_flag("--raw", options->raw, "FILE holds encoded bytes, stored as they are");
    importer->callback([options] { importKey(*options); });
}
