#include "composer/ChatAvatarChange.h"

#include "chat/records/QYChatModel.h"

namespace ChatAvatarChange {

std::shared_ptr<ui::ActionSheet> showSheet(ui::View* view, std::function<void(Source)> chosen)
{
    auto sheet = ui::ActionSheet::make(std::string("修改头像"), std::string("取消"), std::string("拍照"),
        std::vector<std::string> { "相册选择" });
    sheet->clickedButtonAtIndex = [chosen = std::move(chosen)](ui::ActionSheet&, int index) {
        if (!chosen)
            return;
        if (index == 0)
            chosen(Source::Camera);
        else if (index == 1)
            chosen(Source::Album);
    };
    sheet->showInView(view);
    return sheet;
}

void applyToRows(const coding::Collection& rows, bool isSend, const coding::DataPtr& avatar)
{
    for (const auto& element : rows.elements()) {
        auto clock = std::dynamic_pointer_cast<QYChatModel>(element);
        if (clock && clock->isSend() == isSend)
            clock->setAvatar(avatar);
    }
}

} // namespace ChatAvatarChange
