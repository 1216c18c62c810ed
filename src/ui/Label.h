#pragma once
#include <optional>
#include <string>

#include "ui/View.h"
#include "ui/graphics/AttributedString.h"
#include "ui/graphics/Font.h"

namespace ui {

// A read-only text: plain (font, colour, alignment) or attributed, on one line
// or several, centred vertically in its bounds as the phone's label does.
class Label : public View {
public:
    using View::View;
    Label();
    explicit Label(const Rect& frame);

    std::string className() const override { return "UILabel"; }

    const std::optional<std::string>& text() const { return m_text; }
    void setText(std::optional<std::string> text);
    const std::optional<AttributedString>& attributedText() const { return m_attributedText; }
    void setAttributedText(std::optional<AttributedString> text);
    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    const Color& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    int numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(LineBreakMode mode);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // A one-line label that shrinks its font until the text fits its width,
    // never below minimumScaleFactor × the font size (0: as far as it takes).
    // Measuring (sizeThatFits) keeps the full size, as on the phone.
    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSizeToFitWidth; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    double minimumScaleFactor() const { return m_minimumScaleFactor; }
    void setMinimumScaleFactor(double factor);
    // The font the text is drawn in: the label's font, or the shrunk one.
    Font fittedFont() const;

    // The text as it will be laid out: the attributed text, or the plain text
    // with the label's font, colour and paragraph style.
    AttributedString effectiveText() const;
    // The rectangle the text occupies when drawn in `bounds` with at most
    // `numberOfLines` lines (0 = any); subclasses move it.
    virtual Rect textRectForBounds(const Rect& bounds, int numberOfLines) const;
    // Draws the text in `rect`, centred vertically there.
    virtual void drawTextInRect(GraphicsContext& context, const Rect& rect);

    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;
    std::string debugText() const override;

private:
    AttributedString plainText(const Font& font) const;

    std::optional<std::string> m_text;
    std::optional<AttributedString> m_attributedText;
    Font m_font = Font::system(17);
    Color m_textColor = Color::blackColor();
    TextAlignment m_alignment = TextAlignment::Natural;
    int m_numberOfLines = 1;
    LineBreakMode m_lineBreakMode = LineBreakMode::TruncateTail;
    bool m_enabled = true;
    bool m_adjustsFontSizeToFitWidth = false;
    double m_minimumScaleFactor = 0;
};

} // namespace ui
