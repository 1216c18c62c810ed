#pragma once
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "input/emoji/QYEmojiLinkDetector.h"
#include "input/label/QYAttributedLabel.h"

class QYEmojiDictionary;
class QYEmojiLabel;
class QYRegularExpression;

class QYEmojiLabelDelegate {
public:
    virtual ~QYEmojiLabelDelegate() = default;
    // A link was tapped: its text without the type prefix, and its type.
    virtual void emojiLabel(QYEmojiLabel&, const std::u16string& link, QYEmojiLinkType type) { (void)link, (void)type; }
    // The label's long press began (before the edit menu); `sender` is none.
    virtual void copyLable(QYEmojiLabel* sender) { (void)sender; }
};

// Message text with its emoji codes shown as inline pictures and its web
// addresses, e-mail addresses, phone numbers (and, when asked, mentions and
// tags) marked as links. The text bubbles draw and measure messages with it.
class QYEmojiLabel : public QYAttributedLabel {
public:
    using EmojiText = std::variant<std::u16string, ui::AttributedString>;
    // Each emoji takes one character carrying a picture box of these proportions
    // of the font's line height L: width 1.1 L, ascent 0.8 of the width, descent
    // a quarter of the ascent.
    static constexpr double kEmojiWidthFactor = 1.1;
    static constexpr double kEmojiAscentFactor = 0.8;
    static constexpr double kEmojiDescentFactor = 0.25;

    QYEmojiLabel();
    explicit QYEmojiLabel(const ui::Rect& frame);

    std::string className() const override { return "QYEmojiLabel"; }

    // Stores the text as typed and rebuilds what is displayed and its links.
    void setText(std::optional<std::u16string> text) override;
    void setAttributedText(std::optional<ui::AttributedString> text) override;
    const std::optional<EmojiText>& emojiText() const { return m_emojiText; }

    void setFont(const ui::Font& font) override;
    void setLineBreakMode(ui::LineBreakMode mode) override;
    bool disableEmoji() const { return m_disableEmoji; }
    void setDisableEmoji(bool disable);
    bool disableThreeCommon() const { return m_disableThreeCommon; }
    void setDisableThreeCommon(bool disable);
    bool isNeedAtAndPoundSign() const { return m_isNeedAtAndPoundSign; }
    void setIsNeedAtAndPoundSign(bool need);
    // The pattern that finds codes; empty means the default pattern.
    const std::u16string& customEmojiRegex() const { return m_customEmojiRegex; }
    void setCustomEmojiRegex(const std::u16string& regex);
    // The table of codes ("Emotion" reads "Emotion.plist" from the resources).
    const std::string& customEmojiPlistName() const { return m_customEmojiPlistName; }
    void setCustomEmojiPlistName(const std::string& name);

    std::weak_ptr<QYEmojiLabelDelegate> emojiDelegate() const { return m_emojiDelegate; }
    void setEmojiDelegate(std::weak_ptr<QYEmojiLabelDelegate> delegate) { m_emojiDelegate = std::move(delegate); }

    // The current text's size within `maxWidth`, in at most numberOfLines lines.
    ui::Size preferredSizeWithMaxWidth(double maxWidth) const;
    ui::Size sizeThatFits(ui::Size size) const override;

    // The emoji substitution over an attributed string with this label's
    // pattern, table and font.
    ui::AttributedString mutableAttributeStringWithEmojiText(const ui::AttributedString& text) const;

    // The text as typed (codes unreplaced); nullopt when there is none.
    std::optional<std::u16string> copyText() const;
    void copy() override;
    void handleTap() override;

    // The pictures drawn over a layout of the displayed text placed at `rect`:
    // visible emoji boxes of this label's size, except one hidden under a
    // truncating last line's ellipsis.
    struct Picture {
        std::string imageName;
        ui::Rect rect;
    };
    std::vector<Picture> inlinePictures(const ui::TextLayout& layout, const ui::Rect& rect) const;
    // The pictures the label draws in its current bounds.
    std::vector<Picture> inlinePictures() const;

    // The messenger table used when no pattern of the label's own is set.
    static const QYEmojiDictionary* emojiDictionary();

protected:
    void drawInlineImages(const ui::TextLayout& layout, const ui::Rect& rect, ui::GraphicsContext& context) override;
    void didSelectLink(const QYTextLink& link) override;

private:
    void configure();
    void rebuild();
    // The link records of the working string's text.
    std::vector<QYTextLink> linkRecords(std::u16string_view working) const;

    std::optional<EmojiText> m_emojiText;
    bool m_disableEmoji = false;
    bool m_disableThreeCommon = false;
    bool m_isNeedAtAndPoundSign = false;
    std::u16string m_customEmojiRegex;
    std::string m_customEmojiPlistName;
    // Owned by the shared cache, which lives as long as the process.
    const QYRegularExpression* m_customEmojiRegularExpression = nullptr;
    const QYEmojiDictionary* m_customEmojiDictionary = nullptr;
    std::weak_ptr<QYEmojiLabelDelegate> m_emojiDelegate;
};
