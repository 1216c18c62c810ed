#pragma once

// Tells the home screen how to make each tool's screen. Call before the app
// finishes launching; calling again does no harm.
void installScreenRoutes();
