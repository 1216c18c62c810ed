#include "shell/ScreenRoutes.h"

#if QY_HAVE_CHAT_COMPOSER
#include "chat/composer/ChatScreens.h"
#endif

namespace shell {

void installScreenRoutes()
{
#if QY_HAVE_CHAT_COMPOSER
    registerChatScreens();
#endif
}

} // namespace shell
