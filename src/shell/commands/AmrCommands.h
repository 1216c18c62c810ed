#pragma once

namespace CLI {
class App;
}

// `qyshot amr encode|decode`, `qyshot record` and `qyshot play`: voice clips
// from the command line, on the computer's own microphone and speakers.
void addAmrCommands(CLI::App& app);
