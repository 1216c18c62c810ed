#pragma once

// Registers the composer's entry (the preset form of either chat type) with
// the home screen's routes. Called once at start-up, before the home screen.
void registerChatScreens();
