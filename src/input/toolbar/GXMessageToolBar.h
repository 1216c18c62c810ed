#pragma once
#include <memory>

#include "input/face/EMFaceBoard.h"
#include "input/more/GXMoreView.h"
#include "input/toolbar/GXMessageTextView.h"
#include "input/toolbar/GXMessageToolBarDelegate.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/NotificationCenter.h"

// The composer strip at the bottom of the chat screen: voice/keyboard toggle,
// growing text field (or the press-to-talk button), emoji and more buttons, and
// the two 210-point panels that open beneath it. It follows the on-screen
// keyboard, grows with the text up to `maxTextInputViewHeight`, and reports
// everything to its delegate. Style 1 is the messenger look; any other value
// the payment-app look.
class GXMessageToolBar : public ui::View, public GXMoreViewDelegate, public EMFaceBoardDelegate {
public:
    static constexpr double kStripHeight = 50;
    static constexpr double kTextRowHeight = 36;

    // Made through make(): the panels hold the toolbar as their delegate.
    GXMessageToolBar(const ui::Rect& frame, int style);
    static std::shared_ptr<GXMessageToolBar> make(const ui::Rect& frame, int style);
    ~GXMessageToolBar() override;

    std::string className() const override { return "GXMessageToolBar"; }
    static double defaultHeight() { return kStripHeight; }

    int type() const { return m_type; }
    void setDelegate(std::weak_ptr<GXMessageToolBarDelegate> delegate) { m_delegate = std::move(delegate); }
    double maxTextInputViewHeight() const { return m_maxTextInputViewHeight; }
    void setMaxTextInputViewHeight(double height) { m_maxTextInputViewHeight = std::min(height, 200.0); }
    double previousTextViewContentHeight() const { return m_previousTextViewContentHeight; }
    bool isShowBottomView() const { return m_isShowBottomView; }

    const std::shared_ptr<GXMessageTextView>& msgTextView() const { return m_msgTextView; }
    const std::shared_ptr<ui::View>& toolBarView() const { return m_toolBarView; }
    const std::shared_ptr<ui::Button>& voiceButton() const { return m_voiceButton; }
    const std::shared_ptr<ui::Button>& faceButton() const { return m_faceButton; }
    const std::shared_ptr<ui::Button>& moreButton() const { return m_moreButton; }
    const std::shared_ptr<ui::Button>& recordButton() const { return m_recordButton; }
    const std::shared_ptr<GXMoreView>& moreView() const { return m_moreView; }
    const std::shared_ptr<EMFaceBoard>& faceViewManager() const { return m_faceView; }

    // The height of the text measured in the text view's width (no insets).
    double getTextViewContentHeight(const GXMessageTextView& textView) const;
    // Grows or shrinks the text row to `height` (36 to the maximum).
    void willInputTextViewChangHeight(double height);
    // Closes the keyboard and any open panel.
    bool endEditing(bool force) override;

    void buttonAction(ui::Button& sender);
    void willShowKeyboardFromFrame(const ui::Rect& begin, const ui::Rect& end);

    // The panels' events, forwarded to the delegate.
    void didSelectItemWithIndex(int index, const GXMoreItemPtr& menuItem) override;
    void SendTheFaceStr(const std::optional<std::u16string>& faceStr, bool isDelete) override;
    void sendFace() override;

private:
    void setupViews();
    void setupTextView();
    void setupMoreItems();
    void observeKeyboard();
    void renewTextViewHeight(double delta);
    void maintainTextViewHeight();
    void willShowBottomHeight(double bottomHeight);
    void willShowBottomView(const std::shared_ptr<ui::View>& panel);
    void sendFrameHeight(double height);
    std::shared_ptr<ui::Button> makeToggle(const ui::Rect& frame, int tag, const char* image, const char* selectedImage);
    std::shared_ptr<GXMessageToolBarDelegate> delegate() const { return m_delegate.lock(); }

    int m_type;
    std::weak_ptr<GXMessageToolBarDelegate> m_delegate;
    double m_maxTextInputViewHeight = 200;
    double m_previousTextViewContentHeight = kTextRowHeight;
    bool m_isShowBottomView = false;

    std::shared_ptr<ui::View> m_toolBarView;
    std::shared_ptr<ui::ImageView> m_toolbarBackgroundImageView;
    std::shared_ptr<ui::Button> m_voiceButton;
    std::shared_ptr<ui::Button> m_faceButton;
    std::shared_ptr<ui::Button> m_moreButton;
    std::shared_ptr<ui::Button> m_recordButton;
    std::shared_ptr<GXMessageTextView> m_msgTextView;
    std::shared_ptr<GXMoreView> m_moreView;
    std::shared_ptr<EMFaceBoard> m_faceView;
    ui::NotificationCenter::Token m_keyboardObserver = 0;
};
