#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/View.h"
#include "ui/graphics/AttributedString.h"
#include "ui/graphics/Font.h"

namespace ui {
class TextLayout;
}

class QYAttributedLabel;

// A link of an attributed label: the range it covers in the displayed text and
// the replacement string that tells its receiver what was tapped.
struct QYTextLink {
    ui::Range range;
    std::u16string replacementString;
    bool operator==(const QYTextLink&) const = default;
};

class QYAttributedLabelDelegate {
public:
    virtual ~QYAttributedLabelDelegate() = default;
    // A link was tapped (touch down and up on it). Called synchronously from the
    // touch; the receiver may release the label.
    virtual void attributedLabel(QYAttributedLabel& label, const QYTextLink& link) = 0;
};

// A label for attributed text laid out by the toolkit's text layout: plain or
// attributed text, link ranges drawn with their own attributes and reported
// when tapped, inline boxes that a subclass fills with pictures after the text
// is drawn, and a one-second long press that offers "copy".
class QYAttributedLabel : public ui::View {
public:
    QYAttributedLabel();
    explicit QYAttributedLabel(const ui::Rect& frame);
    ~QYAttributedLabel() override;

    std::string className() const override { return "QYAttributedLabel"; }

    // Plain text gets the label's font, colour and paragraph attributes.
    virtual void setText(std::optional<std::u16string> text);
    // Attributed text is shown with its own attributes.
    virtual void setAttributedText(std::optional<ui::AttributedString> text);
    // The label's font, colour and paragraph attributes over the whole string
    // first, its own other attributes (pictures, links) kept.
    void setTextInheritingLabelAttributes(ui::AttributedString text);
    // The text as given (without the label's link attributes).
    const std::optional<ui::AttributedString>& attributedText() const { return m_attributedText; }
    // The displayed plain text (UTF-16).
    std::u16string text() const;

    const ui::Font& font() const { return m_font; }
    virtual void setFont(const ui::Font& font);
    const ui::Color& textColor() const { return m_textColor; }
    void setTextColor(const ui::Color& color);
    ui::LineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    virtual void setLineBreakMode(ui::LineBreakMode mode);
    // 0 means as many lines as the text needs.
    int numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(int lines);
    ui::TextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(ui::TextAlignment alignment);
    const ui::EdgeInsets& textInsets() const { return m_textInsets; }
    void setTextInsets(const ui::EdgeInsets& insets);
    double lineHeightMultiple() const { return m_lineHeightMultiple; }
    void setLineHeightMultiple(double multiple);
    double lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(double spacing);
    // The width the label wraps at when asked for its natural size (0 = none).
    double preferredMaxLayoutWidth() const { return m_preferredMaxLayoutWidth; }
    void setPreferredMaxLayoutWidth(double width);

    // Drawn over links; the active set over the link being pressed (its
    // background colour fills the link), the inactive set while links are dimmed.
    const ui::TextAttributes& linkAttributes() const { return m_linkAttributes; }
    void setLinkAttributes(const ui::TextAttributes& attributes);
    const ui::TextAttributes& activeLinkAttributes() const { return m_activeLinkAttributes; }
    void setActiveLinkAttributes(const ui::TextAttributes& attributes);
    const ui::TextAttributes& inactiveLinkAttributes() const { return m_inactiveLinkAttributes; }
    void setInactiveLinkAttributes(const ui::TextAttributes& attributes);

    // Adds links, each drawn with `attributes`; links past the text are dropped.
    void addLinks(const std::vector<QYTextLink>& links, const ui::TextAttributes& attributes);
    const std::vector<QYTextLink>& links() const { return m_links; }
    // The link under a point of the label's bounds, if any.
    std::optional<QYTextLink> linkAtPoint(ui::Point point) const;

    std::weak_ptr<QYAttributedLabelDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<QYAttributedLabelDelegate> delegate) { m_delegate = std::move(delegate); }

    // The size `text` takes within `constraints` in at most `lines` lines (0 = any).
    static ui::Size sizeThatFitsAttributedString(const ui::AttributedString& text, ui::Size constraints, int lines);
    // Where the text is drawn within `bounds`: inside the insets, centred vertically.
    virtual ui::Rect textRectForBounds(const ui::Rect& bounds, int numberOfLines) const;
    ui::Size sizeThatFits(ui::Size size) const override;
    // The natural size at the preferred width; a text that wraps there takes the whole width.
    ui::Size intrinsicContentSize() const;

    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;
    // Draws the text in `rect` (the label's bounds); then calls drawInlineImages.
    virtual void drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect);

    // The long press: becomes first responder and shows the edit menu over the
    // label, offering "copy".
    virtual void handleTap();
    bool canBecomeFirstResponder() const override { return true; }
    bool canPerformAction(const std::string& action) const override;
    bool performAction(const std::string& action) override;
    // The "copy" action; the base copies nothing.
    virtual void copy() { }

    void touchesBegan(const ui::TouchList& touches) override;
    void touchesMoved(const ui::TouchList& touches) override;
    void touchesEnded(const ui::TouchList& touches) override;
    void touchesCancelled(const ui::TouchList& touches) override;

    std::string debugText() const override;

protected:
    // Called after the text is drawn, with its layout, the rectangle the layout
    // was drawn at and the context, so that a subclass can draw over it.
    virtual void drawInlineImages(const ui::TextLayout& layout, const ui::Rect& rect, ui::GraphicsContext& context);
    // A tapped link; the base hands it to the delegate.
    virtual void didSelectLink(const QYTextLink& link);
    // The attributes the label gives a whole string: font, colour, paragraph.
    ui::TextAttributes labelAttributes() const;
    // The layout of the displayed text within `rect`.
    std::unique_ptr<ui::TextLayout> makeLayout(const ui::Rect& rect, int numberOfLines) const;
    // Shows `text` as it is and drops the links; the setters end here, and a
    // subclass that overrides them hands its finished text here too.
    void storeText(std::optional<ui::AttributedString> text);

private:
    void initialize();
    // The text with the link attributes over its links; cached until either changes.
    const ui::AttributedString& displayedString() const;
    void invalidateDisplayedString();

    std::optional<ui::AttributedString> m_attributedText;
    mutable std::optional<ui::AttributedString> m_displayed;
    ui::Font m_font = ui::Font::system(17);
    ui::Color m_textColor = ui::Color::blackColor();
    ui::LineBreakMode m_lineBreakMode = ui::LineBreakMode::TruncateTail;
    int m_numberOfLines = 1;
    ui::TextAlignment m_textAlignment = ui::TextAlignment::Natural;
    ui::EdgeInsets m_textInsets;
    double m_lineHeightMultiple = 0;
    double m_lineSpacing = 0;
    double m_preferredMaxLayoutWidth = 0;
    ui::TextAttributes m_linkAttributes;
    ui::TextAttributes m_activeLinkAttributes;
    ui::TextAttributes m_inactiveLinkAttributes;
    std::vector<QYTextLink> m_links;
    std::vector<ui::TextAttributes> m_linkDrawAttributes;
    std::optional<std::size_t> m_activeLink;
    std::weak_ptr<QYAttributedLabelDelegate> m_delegate;
};
