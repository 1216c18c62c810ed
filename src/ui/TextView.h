#pragma once
#include <functional>
#include <string>

#include "ui/KeyboardTraits.h"
#include "ui/TextSelection.h"
#include "ui/ScrollView.h"
#include "ui/graphics/AttributedString.h"
#include "ui/graphics/Font.h"

namespace ui {

// A multi-line, scrolling text input. Text and ranges are UTF-16 units; a
// deletion never splits a character made of two units. The text sits inside
// the text container inset plus the line fragment padding on each side, and
// the content size follows the laid-out text. Delegate questions are
// std::function members asked only when set; every change posts
// "UITextViewTextDidChangeNotification" with this view as sender.
class TextView : public ScrollView, public KeyboardInput {
public:
    static constexpr const char* TextDidChangeNotification = "UITextViewTextDidChangeNotification";

    TextView();
    explicit TextView(const Rect& frame);

    std::string className() const override { return "UITextView"; }

    const std::u16string& text() const { return m_text; }
    std::string utf8Text() const { return toUtf8(m_text); }
    // Replaces the text without asking the delegate (programmatic change).
    virtual void setText(const std::u16string& text);
    void setText(std::string_view utf8) { setText(toUtf16(utf8)); }
    const Font& font() const { return m_font; }
    virtual void setFont(const Font& font);
    const Color& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return m_alignment; }
    virtual void setTextAlignment(TextAlignment alignment);
    EdgeInsets textContainerInset() const { return m_containerInset; }
    void setTextContainerInset(const EdgeInsets& insets);
    double lineFragmentPadding() const { return m_padding; }
    void setLineFragmentPadding(double padding);
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable) { m_editable = editable; }

    KeyboardType keyboardType = KeyboardType::Default;
    ReturnKeyType returnKeyType = ReturnKeyType::Default;
    bool enablesReturnKeyAutomatically = false;

    std::function<bool(TextView&)> shouldBeginEditing;
    std::function<void(TextView&)> didBeginEditing;
    std::function<bool(TextView&, Range range, const std::u16string& replacement)> shouldChangeText;
    std::function<void(TextView&)> didChange;
    std::function<void(TextView&)> didEndEditing;

    bool isEditing() const { return isFirstResponder(); }
    // The selection (empty at the caret); typing replaces it.
    Range selectedRange() const { return m_selection.range(); }
    void setSelectedRange(Range range);
    const std::u16string& markedText() const { return m_marked; }

    // Typed input: asks the delegate, replaces, reports. Returns whether it changed.
    bool replaceText(Range range, const std::u16string& replacement);
    // Scrolls so that the range's caret is visible.
    void scrollRangeToVisible(Range range);
    // The width text wraps at: bounds minus insets and padding.
    double textWidth() const;
    // The laid-out text's height plus the container insets.
    double contentHeightForWidth(double width) const;
    // The caret rectangle in content coordinates.
    Rect caretRect(std::size_t index) const;

    bool canBecomeFirstResponder() const override { return m_editable; }
    bool becomeFirstResponder() override;
    bool hasKeyInput() const override { return true; }
    void insertText(const std::u16string& text) override;
    void deleteBackward() override;
    void setMarkedText(const std::u16string& text) override;
    // By character, by laid-out line (up, down, line start and end) or to
    // either end of the text.
    bool moveCaret(TextMovement movement, bool extendingSelection) override;
    // Desktop edit keys: copy, cut, paste and selectAll (the pasteboard).
    bool canPerformAction(const std::string& action) const override;
    bool performAction(const std::string& action) override;
    KeyboardTraits keyboardTraits() const override;

    void touchesEnded(const TouchList& touches) override;
    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;
    std::string debugText() const override;

protected:
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void boundsSizeDidChange(Size oldSize) override;
    AttributedString displayedText() const;
    void textDidChange(bool byUser);

private:
    void updateContentSize();

    std::u16string m_text;
    std::u16string m_marked;
    // Where the caret moves to on the next line; where it comes from otherwise.
    std::size_t lineMoveTarget(TextMovement movement) const;

    TextSelection m_selection;
    Font m_font = Font::system(12);
    Color m_textColor = Color::blackColor();
    TextAlignment m_alignment = TextAlignment::Left;
    EdgeInsets m_containerInset { 8, 0, 8, 0 };
    double m_padding = 5;
    bool m_editable = true;
};

} // namespace ui
