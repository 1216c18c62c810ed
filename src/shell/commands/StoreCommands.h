#pragma once

namespace CLI {
class App;
}

// `qyshot store keys|export KEY [--raw]|import KEY FILE [--raw]`: the settings
// store's values as JSON (or their stored bytes), with `--home DIR` for the store
// of another app home folder.
void addStoreCommands(CLI::App& app);
