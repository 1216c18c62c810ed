#pragma once
#include <string>

#include "ui/NotificationCenter.h"
#include "ui/TextView.h"

// The toolbar's text field: a text view with a placeholder drawn while empty.
class GXMessageTextView : public ui::TextView {
public:
    explicit GXMessageTextView(const ui::Rect& frame);
    static std::shared_ptr<GXMessageTextView> make(const ui::Rect& frame);
    ~GXMessageTextView() override;

    std::string className() const override { return "GXMessageTextView"; }

    const std::string& placeHolder() const { return m_placeHolder; }
    // Ignores an equal value; a long one is cut to fit one line and ends in "...".
    void setPlaceHolder(const std::string& placeHolder);
    ui::Color placeHolderTextColor = ui::Color::lightGrayColor();

    static int maxCharactersPerLine();
    static int numberOfLinesForMessage(const std::u16string& text);
    int numberOfLinesOfText() const { return numberOfLinesForMessage(text()); }

    void setText(const std::u16string& text) override;
    void setFont(const ui::Font& font) override;
    void setTextAlignment(ui::TextAlignment alignment) override;
    void insertText(const std::u16string& text) override;
    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;

private:
    void observeTextChanges();
    std::string m_placeHolder;
    ui::NotificationCenter::Token m_observer = 0;
};
