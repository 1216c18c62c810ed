#include "input/toolbar/GXMessageTextView.h"

#include <unicode/uchar.h>

#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"
#include "widgets/AppStyle.h"

GXMessageTextView::GXMessageTextView(const ui::Rect& frame)
    : ui::TextView(frame)
{
    ui::TextView::setFont(appFont(AppFont::MessageText));
    setTextColor(appColor(AppColor::InputText));
    setBackgroundColor(ui::Color::whiteColor());
    setContentInset({});
    scrollEnabled = true;
    scrollsToTop = false;
    keyboardType = ui::KeyboardType::Default;
    ui::TextView::setTextAlignment(ui::TextAlignment::Left);
    setLineFragmentPadding(3);
}

std::shared_ptr<GXMessageTextView> GXMessageTextView::make(const ui::Rect& frame)
{
    auto view = std::make_shared<GXMessageTextView>(frame);
    view->observeTextChanges();
    return view;
}

GXMessageTextView::~GXMessageTextView()
{
    ui::NotificationCenter::shared().removeObserver(m_observer);
}

void GXMessageTextView::observeTextChanges()
{
    std::weak_ptr<ui::View> weak = sharedView();
    m_observer = ui::NotificationCenter::shared().addObserver(sharedView(), TextDidChangeNotification,
        [weak](const ui::Notification& notification) {
            auto self = weak.lock();
            if (self && notification.sender == self.get())
                self->setNeedsDisplay();
        });
}

int GXMessageTextView::maxCharactersPerLine() { return 33; }

int GXMessageTextView::numberOfLinesForMessage(const std::u16string& text)
{
    return int(text.size()) / maxCharactersPerLine() + 1;
}

static std::u16string trimmed(const std::u16string& text)
{
    size_t start = 0, end = text.size();
    while (start < end && u_isUWhiteSpace(text[start]))
        ++start;
    while (end > start && u_isUWhiteSpace(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

void GXMessageTextView::setPlaceHolder(const std::string& placeHolder)
{
    if (placeHolder == m_placeHolder)
        return;
    std::u16string units = ui::toUtf16(placeHolder);
    if (int(units.size()) > maxCharactersPerLine()) {
        size_t keep = size_t(maxCharactersPerLine() - 8);
        // Never cut between the two halves of one character.
        if (keep > 0 && units[keep - 1] >= 0xD800 && units[keep - 1] <= 0xDBFF)
            --keep;
        units = trimmed(units.substr(0, keep)) + u"...";
    }
    m_placeHolder = ui::toUtf8(units);
    setNeedsDisplay();
}

void GXMessageTextView::setText(const std::u16string& text)
{
    ui::TextView::setText(text);
    setNeedsDisplay();
}

void GXMessageTextView::setFont(const ui::Font& font)
{
    ui::TextView::setFont(font);
    setNeedsDisplay();
}

void GXMessageTextView::setTextAlignment(ui::TextAlignment alignment)
{
    ui::TextView::setTextAlignment(alignment);
    setNeedsDisplay();
}

void GXMessageTextView::insertText(const std::u16string& text)
{
    ui::TextView::insertText(text);
    setNeedsDisplay();
}

void GXMessageTextView::draw(ui::GraphicsContext& context, const ui::Rect& rect)
{
    ui::TextView::draw(context, rect);
    if (!text().empty() || m_placeHolder.empty() || !markedText().empty())
        return;
    ui::TextAttributes attributes;
    attributes.font = font();
    attributes.foreground = placeHolderTextColor;
    ui::ParagraphStyle paragraph;
    paragraph.alignment = textAlignment();
    paragraph.lineBreakMode = ui::LineBreakMode::TruncateTail;
    attributes.paragraph = paragraph;
    ui::TextLayout::Options options;
    options.width = std::max(0.0, rect.width());
    options.maxLines = 1;
    ui::TextLayout layout(ui::AttributedString::fromUtf8(m_placeHolder, attributes), options);
    context.drawText(layout, { rect.x() + 10, rect.y() + 7 });
}
