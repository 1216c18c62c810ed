#pragma once
#include <functional>
#include <optional>
#include <string>

#include "ui/Control.h"
#include "ui/KeyboardTraits.h"
#include "ui/TextSelection.h"
#include "ui/graphics/AttributedString.h"
#include "ui/graphics/Font.h"

namespace ui {

enum class TextBorderStyle { None, Line, Bezel, RoundedRect };
enum class TextFieldViewMode { Never, WhileEditing, UnlessEditing, Always };

// A one-line text input. Text, ranges and lengths are in UTF-16 units; a
// deletion never splits a character made of two units. Typed text arrives from
// the window host (or the on-screen keyboard) while it is first responder.
// Delegate questions are std::function members, asked only when set; events go
// out as EditingDidBegin, EditingChanged, EditingDidEnd and EditingDidEndOnExit.
class TextField : public Control, public KeyboardInput {
public:
    TextField();
    explicit TextField(const Rect& frame);

    std::string className() const override { return "UITextField"; }

    const std::u16string& text() const { return m_text; }
    std::string utf8Text() const { return toUtf8(m_text); }
    // Replaces the text without asking the delegate or sending events.
    void setText(const std::u16string& text);
    void setText(std::string_view utf8) { setText(toUtf16(utf8)); }
    const std::optional<std::string>& placeholder() const { return m_placeholder; }
    void setPlaceholder(std::optional<std::string> placeholder);
    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    const Color& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    TextBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TextBorderStyle style);
    const std::shared_ptr<View>& leftView() const { return m_leftView; }
    void setLeftView(std::shared_ptr<View> view);
    TextFieldViewMode leftViewMode() const { return m_leftViewMode; }
    void setLeftViewMode(TextFieldViewMode mode);

    bool clearsOnBeginEditing = false;
    KeyboardType keyboardType = KeyboardType::Default;
    ReturnKeyType returnKeyType = ReturnKeyType::Default;
    // The return key works only while there is text.
    bool enablesReturnKeyAutomatically = false;

    std::function<bool(TextField&)> shouldBeginEditing;
    std::function<void(TextField&)> didBeginEditing;
    std::function<bool(TextField&, Range range, const std::u16string& replacement)> shouldChangeCharacters;
    std::function<bool(TextField&)> shouldReturn;
    std::function<void(TextField&)> didEndEditing;

    bool isEditing() const { return m_editing; }
    // The caret position (an insertion point) in UTF-16 units; setting it
    // drops any selection.
    std::size_t caret() const { return m_selection.caret(); }
    void setCaret(std::size_t index);
    // The selected text's range (empty at the caret); typing replaces it.
    Range selectedRange() const { return m_selection.range(); }
    void setSelectedRange(Range range);
    const std::u16string& markedText() const { return m_marked; }

    // The rectangles the phone's text field is laid out by; subclasses move them.
    virtual Rect borderRectForBounds(const Rect& bounds) const { return bounds; }
    virtual Rect textRectForBounds(const Rect& bounds) const;
    virtual Rect editingRectForBounds(const Rect& bounds) const;
    virtual Rect placeholderRectForBounds(const Rect& bounds) const { return textRectForBounds(bounds); }
    virtual Rect leftViewRectForBounds(const Rect& bounds) const;

    // Editing as typed input: replaces the range after asking the delegate.
    // Returns whether the text changed.
    bool replaceCharacters(Range range, const std::u16string& replacement);

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool becomeFirstResponder() override;
    bool hasKeyInput() const override { return true; }
    void insertText(const std::u16string& text) override;
    void deleteBackward() override;
    void setMarkedText(const std::u16string& text) override;
    // Left and right by character; up, line start and document start go to
    // the start of the one line, the others to its end.
    bool moveCaret(TextMovement movement, bool extendingSelection) override;
    // Desktop edit keys: copy, cut, paste and selectAll (the pasteboard).
    bool canPerformAction(const std::string& action) const override;
    bool performAction(const std::string& action) override;
    bool returnKeyEnabled() const { return !enablesReturnKeyAutomatically || !m_text.empty(); }
    KeyboardTraits keyboardTraits() const override { return { keyboardType, returnKeyType, returnKeyEnabled() }; }

    void touchesEnded(const TouchList& touches) override;
    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    std::string debugText() const override;

protected:
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

private:
    bool leftViewShown() const;
    AttributedString displayedText() const;

    std::u16string m_text;
    std::u16string m_marked;
    TextSelection m_selection;
    std::optional<std::string> m_placeholder;
    Font m_font = Font::system(17);
    Color m_textColor = Color::blackColor();
    TextAlignment m_alignment = TextAlignment::Left;
    TextBorderStyle m_borderStyle = TextBorderStyle::None;
    std::shared_ptr<View> m_leftView;
    TextFieldViewMode m_leftViewMode = TextFieldViewMode::Never;
    bool m_editing = false;
};

// The start of the character that ends at `index` (one or two UTF-16 units).
std::size_t previousCharacterBoundary(const std::u16string& text, std::size_t index);
// What the delete key removes before the caret: one whole character, or nothing at the start.
std::optional<Range> rangeDeletedBackward(const std::u16string& text, std::size_t caret);

} // namespace ui
