#pragma once
#include <string>

// "Documents/audio" in the app's home folder, where voice clips are kept;
// made when missing.
// FIXME: switch to the app's document-folder helper once src/app has it.
std::string voiceAudioFolder();

// "records" in the app's temporary folder, where the recorder's WAV lives;
// made when missing.
std::string voiceRecordsFolder();
