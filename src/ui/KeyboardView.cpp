#include "ui/KeyboardView.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"

namespace ui {

namespace {

const Color kBackground = Color::rgb(209, 212, 217);
const Color kLetterKey = Color::whiteColor();
const Color kFunctionKey = Color::rgb(172, 179, 188);
const Color kKeyShadow = Color::rgb(136, 138, 142);
const Color kInk = Color::blackColor();
const Color kBlue = Color::rgb(0, 122, 255);

constexpr double kTop = 8;
constexpr double kKeyHeight = 42;
constexpr double kRowGap = 12;
constexpr double kSideMargin = 3;
constexpr double kKeyGap = 6;

void drawCentredText(GraphicsContext& context, const std::string& text, const Rect& rect, const Font& font, const Color& color,
    double dy = 0)
{
    TextAttributes attributes;
    attributes.font = font;
    attributes.foreground = color;
    TextLayout layout(AttributedString::fromUtf8(text, attributes), {});
    Size size = layout.size();
    context.drawText(layout, { rect.midX() - size.width / 2, rect.midY() - size.height / 2 + dy });
}

} // namespace

KeyboardView::KeyboardView(const Rect& frame)
    : View(frame)
{
    setBackgroundColor(kBackground);
    buildKeys();
}

void KeyboardView::setTraits(const KeyboardTraits& traits)
{
    if (traits.type != m_traits.type) {
        m_symbols = false;
        m_shifted = false;
    }
    m_traits = traits;
    buildKeys();
    setNeedsDisplay();
}

std::string KeyboardView::returnTitle() const
{
    switch (m_traits.returnKey) {
    case ReturnKeyType::Done:
        return "完成";
    case ReturnKeyType::Send:
        return "发送";
    case ReturnKeyType::Default:
        break;
    }
    return "换行";
}

void KeyboardView::layoutSubviews() { buildKeys(); }

void KeyboardView::buildKeys()
{
    m_keys.clear();
    m_pressed = -1;
    if (m_traits.type == KeyboardType::NumberPad || m_traits.type == KeyboardType::DecimalPad)
        buildPadKeys();
    else if (m_symbols)
        buildSymbolKeys();
    else
        buildLetterKeys();
}

static std::vector<KeyboardView::Key> characterRow(const std::u16string& characters, double y, double x, double keyWidth)
{
    std::vector<KeyboardView::Key> row;
    for (char16_t c : characters) {
        std::u16string text(1, c);
        row.push_back({ KeyboardView::KeyKind::Character, text, toUtf8(text), { x, y, keyWidth, kKeyHeight }, {} });
        x += keyWidth + kKeyGap;
    }
    return row;
}

void KeyboardView::buildLetterKeys()
{
    double w = bounds().width();
    double keyWidth = (w - 2 * kSideMargin - 9 * kKeyGap) / 10;
    auto add = [&](std::vector<Key> row) { m_keys.insert(m_keys.end(), row.begin(), row.end()); };
    std::u16string rows[3] = { u"qwertyuiop", u"asdfghjkl", u"zxcvbnm" };
    if (m_shifted) {
        for (auto& row : rows)
            std::transform(row.begin(), row.end(), row.begin(), [](char16_t c) { return char16_t(c - 32); });
    }
    double y = kTop;
    add(characterRow(rows[0], y, kSideMargin, keyWidth));
    y += kKeyHeight + kRowGap;
    add(characterRow(rows[1], y, kSideMargin + (keyWidth + kKeyGap) / 2, keyWidth));
    y += kKeyHeight + kRowGap;
    double sideKey = keyWidth * 1.3;
    m_keys.push_back({ KeyKind::Shift, {}, "⇧", { kSideMargin, y, sideKey, kKeyHeight }, {} });
    add(characterRow(rows[2], y, kSideMargin + (keyWidth + kKeyGap) * 1.5, keyWidth));
    m_keys.push_back({ KeyKind::Delete, {}, "⌫", { w - kSideMargin - sideKey, y, sideKey, kKeyHeight }, {} });
    y += kKeyHeight + kRowGap;
    addBottomRow(y, keyWidth, KeyKind::Symbols, "123");
}

void KeyboardView::buildSymbolKeys()
{
    double w = bounds().width();
    double keyWidth = (w - 2 * kSideMargin - 9 * kKeyGap) / 10;
    auto add = [&](std::vector<Key> row) { m_keys.insert(m_keys.end(), row.begin(), row.end()); };
    double y = kTop;
    add(characterRow(u"1234567890", y, kSideMargin, keyWidth));
    y += kKeyHeight + kRowGap;
    add(characterRow(u"-/：；（）¥@“”", y, kSideMargin, keyWidth));
    y += kKeyHeight + kRowGap;
    double sideKey = keyWidth * 1.3;
    double wide = (w - 2 * kSideMargin - 2 * sideKey - 6 * kKeyGap) / 5;
    add(characterRow(u"。，、？！", y, kSideMargin + sideKey + kKeyGap, wide));
    m_keys.push_back({ KeyKind::Delete, {}, "⌫", { w - kSideMargin - sideKey, y, sideKey, kKeyHeight }, {} });
    y += kKeyHeight + kRowGap;
    addBottomRow(y, keyWidth, KeyKind::Letters, "拼音");
}

void KeyboardView::addBottomRow(double y, double keyWidth, KeyKind pageKey, const char* pageLabel)
{
    // The page switch, the globe, the space bar and the return key.
    double w = bounds().width();
    double small = keyWidth * 1.3;
    double returnWidth = keyWidth * 2.5;
    double x = kSideMargin;
    m_keys.push_back({ pageKey, {}, pageLabel, { x, y, small, kKeyHeight }, {} });
    x += small + kKeyGap;
    m_keys.push_back({ KeyKind::Globe, {}, "中", { x, y, small, kKeyHeight }, {} });
    x += small + kKeyGap;
    double spaceWidth = w - kSideMargin - returnWidth - kKeyGap - x;
    m_keys.push_back({ KeyKind::Space, u" ", "空格", { x, y, spaceWidth, kKeyHeight }, {} });
    m_keys.push_back({ KeyKind::Return, u"\n", returnTitle(), { w - kSideMargin - returnWidth, y, returnWidth, kKeyHeight }, {} });
}

void KeyboardView::buildPadKeys()
{
    double w = bounds().width(), h = bounds().height();
    double keyWidth = (w - 2) / 3, keyHeight = (h - 3 * 0.5) / 4;
    const char* digits[] = { "1", "2", "3", "4", "5", "6", "7", "8", "9" };
    const char* hints[] = { "", "ABC", "DEF", "GHI", "JKL", "MNO", "PQRS", "TUV", "WXYZ" };
    for (int i = 0; i < 9; ++i) {
        Rect frame { (i % 3) * (keyWidth + 1), (i / 3) * (keyHeight + 0.5), keyWidth, keyHeight };
        m_keys.push_back({ KeyKind::Character, toUtf16(digits[i]), digits[i], frame, hints[i] });
    }
    double y = 3 * (keyHeight + 0.5);
    if (m_traits.type == KeyboardType::DecimalPad)
        m_keys.push_back({ KeyKind::Character, u".", ".", { 0, y, keyWidth, keyHeight }, {} });
    m_keys.push_back({ KeyKind::Character, u"0", "0", { keyWidth + 1, y, keyWidth, keyHeight }, {} });
    m_keys.push_back({ KeyKind::Delete, {}, "⌫", { 2 * (keyWidth + 1), y, keyWidth, keyHeight }, {} });
}

const KeyboardView::Key* KeyboardView::keyAt(Point point) const
{
    // A touch between keys goes to the nearest key on its row.
    const Key* best = nullptr;
    double bestDistance = 1e9;
    for (auto& key : m_keys) {
        if (key.frame.insetBy(-kKeyGap / 2, -kRowGap / 2).contains(point))
            return &key;
        double dx = std::max({ 0.0, key.frame.minX() - point.x, point.x - key.frame.maxX() });
        double dy = std::max({ 0.0, key.frame.minY() - point.y, point.y - key.frame.maxY() });
        if (dy == 0 && dx < bestDistance) {
            bestDistance = dx;
            best = &key;
        }
    }
    return best;
}

void KeyboardView::press(const Key& key)
{
    auto responder = Application::shared().firstResponder();
    switch (key.kind) {
    case KeyKind::Character:
        if (responder)
            responder->insertText(key.text);
        if (m_shifted) {
            m_shifted = false;
            buildKeys();
        }
        break;
    case KeyKind::Space:
        if (responder)
            responder->insertText(u" ");
        break;
    case KeyKind::Return:
        if (responder && m_traits.returnKeyEnabled)
            responder->insertText(u"\n");
        break;
    case KeyKind::Delete:
        if (responder)
            responder->deleteBackward();
        break;
    case KeyKind::Shift:
        m_shifted = !m_shifted;
        buildKeys();
        break;
    case KeyKind::Symbols:
        m_symbols = true;
        buildKeys();
        break;
    case KeyKind::Letters:
        m_symbols = false;
        buildKeys();
        break;
    case KeyKind::Globe:
        break;
    }
    setNeedsDisplay();
}

void KeyboardView::touchesBegan(const TouchList& touches)
{
    if (touches.empty())
        return;
    const Key* key = keyAt(touches.front()->locationIn(this));
    m_pressed = key ? int(key - m_keys.data()) : -1;
    setNeedsDisplay();
}

void KeyboardView::touchesMoved(const TouchList& touches)
{
    touchesBegan(touches);
}

void KeyboardView::touchesEnded(const TouchList& touches)
{
    if (touches.empty() || m_pressed < 0)
        return;
    auto self = sharedView();
    const Key* key = keyAt(touches.front()->locationIn(this));
    int index = key ? int(key - m_keys.data()) : -1;
    m_pressed = -1;
    if (index >= 0) {
        Key copy = m_keys[size_t(index)];
        press(copy);
    }
    setNeedsDisplay();
}

void KeyboardView::touchesCancelled(const TouchList&)
{
    m_pressed = -1;
    setNeedsDisplay();
}

void KeyboardView::draw(GraphicsContext& context, const Rect&)
{
    bool pad = m_traits.type == KeyboardType::NumberPad || m_traits.type == KeyboardType::DecimalPad;
    if (pad)
        context.fillRect(bounds(), Color::rgb(187, 190, 196));
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const Key& key = m_keys[i];
        bool pressed = int(i) == m_pressed;
        if (pad) {
            bool function = key.kind == KeyKind::Delete || (key.kind == KeyKind::Character && key.text == u".");
            Color fill = pressed ? kFunctionKey : (function ? kBackground : kLetterKey);
            context.fillRect(key.frame, fill);
            if (key.kind == KeyKind::Delete) {
                drawCentredText(context, key.label, key.frame, Font::system(24), kInk);
            } else if (key.hint.empty() && key.text != u"1") {
                drawCentredText(context, key.label, key.frame, Font::system(26), kInk);
            } else {
                drawCentredText(context, key.label, key.frame, Font::system(26), kInk, -6);
                drawCentredText(context, key.hint, key.frame, Font::boldSystem(10), kInk, 14);
            }
            continue;
        }
        bool function = key.kind != KeyKind::Character && key.kind != KeyKind::Space;
        Color fill = function ? kFunctionKey : kLetterKey;
        Color ink = kInk;
        if (key.kind == KeyKind::Return) {
            bool active = m_traits.returnKeyEnabled && m_traits.returnKey != ReturnKeyType::Default;
            fill = active ? kBlue : kFunctionKey;
            ink = active ? Color::whiteColor() : (m_traits.returnKeyEnabled ? kInk : Color::rgb(140, 144, 150));
        }
        if (key.kind == KeyKind::Shift && m_shifted)
            fill = kLetterKey;
        if (pressed)
            fill = function ? kLetterKey : kFunctionKey;
        context.fillRoundedRect(key.frame.offsetBy(0, 1), 5, kKeyShadow);
        context.fillRoundedRect(key.frame, 5, fill);
        Font font = key.kind == KeyKind::Character ? Font::system(22) : Font::system(16);
        drawCentredText(context, key.label, key.frame, font, ink, key.kind == KeyKind::Character ? -1 : 0);
    }
}

} // namespace ui
