#pragma once

namespace CLI {
class App;
}

// `qyshot store keys|export KEY [--raw]|import KEY FILE [--raw]`: the settings
// store's values as JSON (or their stored bytes). The store is the one in the app
// home folder, which the program's `--home DIR` option picks.
void addStoreCommands(CLI::App& app);
