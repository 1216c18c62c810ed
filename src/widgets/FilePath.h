#pragma once
#include <string>

// The app's document folders. Each sub-folder is made (with its parents) when
// asked for; a failure to make it is ignored and the path returned anyway.
std::string documentPath();   // home + "Documents" (not made)
std::string audioPath();      // voice clips
std::string userImagePath();  // the balance page's avatar
std::string videoPath();
std::string videoImagePath();
