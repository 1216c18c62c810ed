#pragma once
#include <string>

// "audio" in the app's documents folder, where voice clips are kept (the
// folder the app's audioPath() names); made when missing.
std::string voiceAudioFolder();

// "records" in the app's temporary folder, where the recorder's WAV lives;
// made when missing.
std::string voiceRecordsFolder();
