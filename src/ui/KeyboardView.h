#pragma once
#include <string>
#include <vector>

#include "ui/Keyboard.h"
#include "ui/View.h"

namespace ui {

// The keyboard's picture and keys: a pinyin-style letter layout with a
// symbols page, or a digit pad for number and decimal pads.
class KeyboardView : public View {
public:
    enum class KeyKind { Character, Shift, Delete, Symbols, Letters, Globe, Space, Return };
    struct Key {
        KeyKind kind;
        std::u16string text;
        std::string label;
        Rect frame;
        std::string hint; // letters under a digit-pad key
    };

    explicit KeyboardView(const Rect& frame);
    std::string className() const override { return "UIKeyboard"; }

    void setTraits(const KeyboardTraits& traits);
    const KeyboardTraits& traits() const { return m_traits; }
    const std::vector<Key>& keys() const { return m_keys; }
    // The key under a point in this view's coordinates.
    const Key* keyAt(Point point) const;

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    void touchesBegan(const TouchList& touches) override;
    void touchesMoved(const TouchList& touches) override;
    void touchesEnded(const TouchList& touches) override;
    void touchesCancelled(const TouchList& touches) override;

private:
    void buildKeys();
    void buildLetterKeys();
    void buildSymbolKeys();
    void buildPadKeys();
    void addBottomRow(double y, double keyWidth, KeyKind pageKey, const char* pageLabel);
    void press(const Key& key);
    std::string returnTitle() const;

    KeyboardTraits m_traits;
    std::vector<Key> m_keys;
    bool m_shifted = false;
    bool m_symbols = false;
    int m_pressed = -1;
};

} // namespace ui
