#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

// Who hears the red packet that was made. The operation is optional: left
// empty, nothing is delivered.
struct QYRedPacViewControllerDelegate {
    // The amount as the form shows it (currency text, sign included) and the blessing.
    std::function<void(const std::string& amount, const std::string& blessing)> intoRedBackNum;
};

// The form on which a red packet is made inside a composed chat: the amount,
// a blessing, a large preview of the amount and the confirm button, in either
// chat style. The opener presents it at the root of its own navigation stack;
// it closes itself, handing the result to its delegate on confirm only.
class QYRedPacViewController : public ui::ViewController {
public:
    static constexpr double kMoveDuration = 0.3;
    static constexpr double kRestingY = 64;

    std::string className() const override { return "QYRedPacViewController"; }

    // 1 messenger style, 2 payment-app style; set before the screen is shown.
    int style() const { return m_style; }
    void setStyle(int style) { m_style = style; }
    std::weak_ptr<QYRedPacViewControllerDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<QYRedPacViewControllerDelegate> delegate) { m_delegate = std::move(delegate); }

    // The form's parts; they exist once the view has loaded.
    const std::shared_ptr<ui::TextField>& textPr() const { return m_textPr; }
    const std::shared_ptr<ui::TextField>& context() const { return m_context; }
    const std::shared_ptr<ui::Label>& redPac() const { return m_redPac; }
    const std::shared_ptr<ui::Button>& sendRed() const { return m_sendRed; }
    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_backgroundView; }

    // The blessing used when none is typed, with the full-width "！".
    static std::string defaultBlessing(int style);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    // A touch ending on the form itself puts the keyboard away.
    void touchesEnded(const ui::TouchList& touches) override;

    // Confirms: hands the shown amount and the blessing over and closes.
    void intoRed();
    // Closes without a result.
    void close();

private:
    void initUI();
    void initNavigationItems();
    void amountDidChange();
    void moveTo(double y);
    std::weak_ptr<QYRedPacViewController> weakThis();

    int m_style = 1;
    std::weak_ptr<QYRedPacViewControllerDelegate> m_delegate;
    std::shared_ptr<ui::ImageView> m_backgroundView;
    std::shared_ptr<ui::TextField> m_textPr;
    std::shared_ptr<ui::TextField> m_context;
    std::shared_ptr<ui::Label> m_redPac;
    std::shared_ptr<ui::Button> m_sendRed;
};
