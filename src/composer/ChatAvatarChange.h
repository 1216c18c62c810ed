#pragma once
#include <functional>
#include <memory>

#include "coding/Collection.h"
#include "coding/Data.h"
#include "ui/ActionSheet.h"
#include "ui/View.h"

// Replacing one side's avatar from the chat: the sheet that asks where the
// picture comes from, and the rows that take it.
namespace ChatAvatarChange {

enum class Source { Camera, Album };

// Shows the "修改头像" sheet ("拍照", "相册选择", "取消") over `view`; `chosen`
// hears the source unless the sheet is cancelled.
std::shared_ptr<ui::ActionSheet> showSheet(ui::View* view, std::function<void(Source)> chosen);

// Every record of the side `isSend` (recall notices included) gets `avatar`.
void applyToRows(const coding::Collection& rows, bool isSend, const coding::DataPtr& avatar);

} // namespace ChatAvatarChange
