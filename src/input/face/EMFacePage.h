#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Button.h"

// Hears a tap on an emoji or on the delete key of a page.
class EMFacePageDelegate {
public:
    virtual ~EMFacePageDelegate() = default;
    // `face` is the emoji's code, absent for the delete key or an emoji the
    // table does not list.
    virtual void didSelecteFace(const std::optional<std::u16string>& face, bool isDelete) = 0;
};

// One page of the emoji keyboard: 3 rows of 8 buttons, 23 emoji and the
// delete key in the bottom-right corner.
class EMFacePage : public ui::View {
public:
    static constexpr int kEmojiPerPage = 23;
    static constexpr double kButtonSize = 30;

    EMFacePage(const ui::Rect& frame, int pageIndex, int style);
    std::string className() const override { return "EMFacePage"; }

    void setDelegate(std::weak_ptr<EMFacePageDelegate> delegate) { m_delegate = std::move(delegate); }
    int style() const { return m_style; }
    const std::vector<std::shared_ptr<ui::Button>>& buttons() const { return m_buttons; }

    void faceClick(ui::Button& sender);

    // The picture of emoji number k in a style.
    static std::string imageNameForEmoji(long k, int style);
    // The code the style's table lists for a picture (the last match wins).
    static std::optional<std::u16string> codeForImageName(const std::string& imageName, int style);

private:
    void build(int pageIndex);

    int m_style;
    std::weak_ptr<EMFacePageDelegate> m_delegate;
    std::vector<std::shared_ptr<ui::Button>> m_buttons;
};
