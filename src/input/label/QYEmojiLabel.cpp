#include "input/label/QYEmojiLabel.h"

#include "ui/Pasteboard.h"
#include "widgets/AppStyle.h"

#include <cmath>
#include <limits>

#include "input/emoji/QYEmojiRegexPlistManager.h"
#include "input/emoji/QYEmojiSubstitution.h"
#include "input/label/QYAttributedStringBuilder.h"
#include "platform/Log.h"
#include "ui/Pasteboard.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/Image.h"
#include "ui/graphics/TextLayout.h"

namespace {

// A picture is drawn only in a box of exactly its label's emoji width; this
// allows for the rounding of the layout's units.
constexpr double kWidthTolerance = 1e-3;

bool isTruncating(ui::LineBreakMode mode)
{
    return mode == ui::LineBreakMode::TruncateHead || mode == ui::LineBreakMode::TruncateMiddle
        || mode == ui::LineBreakMode::TruncateTail;
}

} // namespace

QYEmojiLabel::QYEmojiLabel()
{
    configure();
}

QYEmojiLabel::QYEmojiLabel(const ui::Rect& frame)
    : QYAttributedLabel(frame)
{
    configure();
}

void QYEmojiLabel::configure()
{
    setUserInteractionEnabled(true);
    setNumberOfLines(0);
    QYAttributedLabel::setFont(appFont(AppFont::EmojiLabel));
    setTextColor(ui::Color::blackColor());
    setBackgroundColor(ui::Color::clearColor());
    QYAttributedLabel::setLineBreakMode(ui::LineBreakMode::CharWrap);
    setTextInsets({});
    setLineHeightMultiple(1.0);
    setLineSpacing(2);

    const ui::Color linkColor = appColor(AppColor::LinkText);
    ui::TextAttributes link;
    link.foreground = linkColor;
    setLinkAttributes(link);
    ui::TextAttributes active = link;
    active.background = ui::Color::fromWhite(0.631);
    setActiveLinkAttributes(active);
    ui::TextAttributes inactive;
    inactive.foreground = ui::Color::grayColor();
    setInactiveLinkAttributes(inactive);
}

const QYEmojiDictionary* QYEmojiLabel::emojiDictionary()
{
    static const QYEmojiDictionary* table = QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey("Emotion.plist");
    return table;
}

void QYEmojiLabel::setText(std::optional<std::u16string> text)
{
    if (!text) {
        m_emojiText.reset();
    } else {
        m_emojiText = EmojiText(std::move(*text));
    }
    rebuild();
}

void QYEmojiLabel::setAttributedText(std::optional<ui::AttributedString> text)
{
    if (!text) {
        m_emojiText.reset();
    } else {
        m_emojiText = EmojiText(std::move(*text));
    }
    rebuild();
}

void QYEmojiLabel::rebuild()
{
    if (!m_emojiText) {
        storeText(std::nullopt);
        return;
    }
    // The links are found in the working string before it is handed over (new
    // text drops the old links, so they are added after it).
    std::vector<QYTextLink> links;
    if (const auto* plain = std::get_if<std::u16string>(&*m_emojiText)) {
        if (m_disableEmoji) {
            links = linkRecords(*plain);
            QYAttributedLabel::setText(*plain);
        } else {
            ui::AttributedString working = mutableAttributeStringWithEmojiText(ui::AttributedString(*plain));
            links = linkRecords(working.text());
            setTextInheritingLabelAttributes(std::move(working));
        }
    } else {
        const auto& attributed = std::get<ui::AttributedString>(*m_emojiText);
        ui::AttributedString working = m_disableEmoji ? attributed : mutableAttributeStringWithEmojiText(attributed);
        links = linkRecords(working.text());
        storeText(std::move(working));
    }
    addLinks(links, linkAttributes());
}

ui::AttributedString QYEmojiLabel::mutableAttributeStringWithEmojiText(const ui::AttributedString& text) const
{
    const bool custom = !m_customEmojiRegex.empty();
    const QYRegularExpression* regex = custom
        ? m_customEmojiRegularExpression
        : QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(QYEmojiSubstitution::kDefaultEmojiRegex);
    const QYEmojiDictionary* table = custom ? m_customEmojiDictionary : emojiDictionary();
    QYEmojiSubstitution substitution(regex, table, !custom);

    const double lineHeight = font().lineHeight();
    ui::InlineBox box;
    box.width = kEmojiWidthFactor * lineHeight;
    box.ascent = kEmojiAscentFactor * box.width;
    box.descent = kEmojiDescentFactor * box.ascent;

    QYAttributedStringBuilder result;
    for (const auto& piece : substitution.pieces(text.text())) {
        switch (piece.kind) {
        case QYEmojiSubstitution::Piece::Kind::Source:
            result.append(text, piece.range);
            break;
        case QYEmojiSubstitution::Piece::Kind::Emoji: {
            ui::TextAttributes attributes;
            attributes.inlineBox = box;
            attributes.inlineBox->imageName = piece.imageName;
            result.append(std::u16string_view(&QYEmojiSubstitution::kObjectReplacementCharacter, 1), attributes);
            break;
        }
        case QYEmojiSubstitution::Piece::Kind::Plain:
            result.append(piece.text, {});
            break;
        }
    }
    return result.build();
}

std::vector<QYTextLink> QYEmojiLabel::linkRecords(std::u16string_view working) const
{
    QYEmojiLinkDetector::Options options;
    options.disableThreeCommon = m_disableThreeCommon;
    options.isNeedAtAndPoundSign = m_isNeedAtAndPoundSign;
    // The working string's text is the displayed text, each emoji one character,
    // so the link texts in the replacement strings are what the label shows.
    std::vector<QYTextLink> records;
    for (QYEmojiLink& link : QYEmojiLinkDetector::detect(working, options))
        records.push_back({link.range, std::move(link.replacementString)});
    return records;
}

void QYEmojiLabel::setFont(const ui::Font& font)
{
    if (font == this->font())
        return;
    QYAttributedLabel::setFont(font);
    rebuild();
}

void QYEmojiLabel::setLineBreakMode(ui::LineBreakMode mode)
{
    if (mode == lineBreakMode())
        return;
    QYAttributedLabel::setLineBreakMode(mode);
    rebuild();
}

void QYEmojiLabel::setDisableEmoji(bool disable)
{
    if (m_disableEmoji == disable)
        return;
    m_disableEmoji = disable;
    rebuild();
}

void QYEmojiLabel::setDisableThreeCommon(bool disable)
{
    if (m_disableThreeCommon == disable)
        return;
    m_disableThreeCommon = disable;
    rebuild();
}

void QYEmojiLabel::setIsNeedAtAndPoundSign(bool need)
{
    if (m_isNeedAtAndPoundSign == need)
        return;
    m_isNeedAtAndPoundSign = need;
    rebuild();
}

void QYEmojiLabel::setCustomEmojiRegex(const std::u16string& regex)
{
    if (m_customEmojiRegex == regex)
        return;
    m_customEmojiRegex = regex;
    m_customEmojiRegularExpression =
        regex.empty() ? nullptr : QYEmojiRegexPlistManager::sharedInstance().regularExpressionForRegex(regex);
    rebuild();
}

void QYEmojiLabel::setCustomEmojiPlistName(const std::string& name)
{
    if (m_customEmojiPlistName == name)
        return;
    m_customEmojiPlistName = name;
    m_customEmojiDictionary = name.empty() ? nullptr
        : QYEmojiRegexPlistManager::sharedInstance().emojiDictForKey(QYEmojiRegexPlistManager::plistFileName(name));
    rebuild();
}

ui::Size QYEmojiLabel::preferredSizeWithMaxWidth(double maxWidth) const
{
    if (!attributedText())
        return {0, 0};
    return sizeThatFitsAttributedString(*attributedText(), {maxWidth, std::numeric_limits<double>::max()},
                                        numberOfLines());
}

ui::Size QYEmojiLabel::sizeThatFits(ui::Size size) const
{
    ui::Size fitted = QYAttributedLabel::sizeThatFits(size);
    if (attributedText())
        fitted.height += 1;
    return fitted;
}

std::vector<QYEmojiLabel::Picture> QYEmojiLabel::inlinePictures(const ui::TextLayout& layout,
                                                                const ui::Rect& rect) const
{
    std::vector<Picture> pictures;
    const double lineHeight = font().lineHeight();
    const auto lines = layout.lines();
    if (lines.empty())
        return pictures;

    // The character a truncating last line hides under its ellipsis; a picture
    // there would cover the ellipsis.
    std::optional<std::size_t> truncation;
    const ui::Range last = lines.back().range;
    const std::size_t textLength = attributedText() ? attributedText()->length() : 0;
    if (isTruncating(lineBreakMode()) && last.length > 0 && last.end() < textLength) {
        ui::LineBreakMode mode = lines.size() > 1 ? ui::LineBreakMode::TruncateTail : lineBreakMode();
        if (mode == ui::LineBreakMode::TruncateHead)
            truncation = last.location;
        else if (mode == ui::LineBreakMode::TruncateMiddle)
            truncation = last.location + last.length / 2;
        else
            truncation = last.end() - 1;
    }

    for (const auto& placed : layout.inlineBoxes()) {
        if (!placed.visible || placed.box.imageName.empty() || placed.range.location == truncation)
            continue;
        // A box made for another font size is no emoji of this label.
        if (std::abs(placed.box.width - kEmojiWidthFactor * lineHeight) > kWidthTolerance)
            continue;
        // One point in from the box's left and top, and a tenth of a line lower,
        // so the picture sits on the baseline like the glyphs around it.
        ui::Rect picture{{rect.x() + placed.rect.x() + 1, rect.y() + placed.rect.y() + 1 + 0.1 * lineHeight},
                         {placed.box.width - 1, placed.box.ascent + placed.box.descent - 1}};
        pictures.push_back({placed.box.imageName, picture});
    }
    return pictures;
}

std::vector<QYEmojiLabel::Picture> QYEmojiLabel::inlinePictures() const
{
    if (!attributedText() || attributedText()->length() == 0)
        return {};
    ui::Rect textRect = textRectForBounds(bounds(), numberOfLines());
    return inlinePictures(*makeLayout(textRect, numberOfLines()), textRect);
}

void QYEmojiLabel::drawInlineImages(const ui::TextLayout& layout, const ui::Rect& rect, ui::GraphicsContext& context)
{
    for (const Picture& picture : inlinePictures(layout, rect)) {
        if (auto image = ui::Image::named(picture.imageName))
            context.drawImage(*image, picture.rect);
    }
}

void QYEmojiLabel::didSelectLink(const QYTextLink& link)
{
    auto selection = QYEmojiLinkDetector::parse(link.replacementString);
    if (!selection)
        return;
    if (auto delegate = m_emojiDelegate.lock())
        delegate->emojiLabel(*this, selection->text, selection->type);
}

std::optional<std::u16string> QYEmojiLabel::copyText() const
{
    if (!m_emojiText)
        return std::nullopt;
    if (const auto* plain = std::get_if<std::u16string>(&*m_emojiText))
        return plain->empty() ? std::nullopt : std::optional(*plain);
    const auto& attributed = std::get<ui::AttributedString>(*m_emojiText);
    return attributed.length() ? std::optional(attributed.text()) : std::nullopt;
}

void QYEmojiLabel::copy()
{
    // The codes go on the pasteboard as typed, so a paste brings the emoji back.
    if (auto text = copyText())
        ui::Pasteboard::general().setString(ui::toUtf8(*text));
}

void QYEmojiLabel::handleTap()
{
    auto keepAlive = weak_from_this().lock();
    if (auto delegate = m_emojiDelegate.lock())
        delegate->copyLable(nullptr);
    QYAttributedLabel::handleTap();
}
