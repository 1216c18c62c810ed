#pragma once

namespace shell {

// Tells the home screen how to make each tool's screen, from whichever screen
// layers this build has. Call before the app finishes launching; calling again
// does no harm.
void installScreenRoutes();

} // namespace shell
