#pragma once
#include <memory>

#include "ui/ImageView.h"
#include "ui/ViewController.h"

// The tips page: one picture explaining the chat composer.
class QYettingViewController : public ui::ViewController {
public:
    std::string className() const override { return "QYettingViewController"; }
    void viewDidLoad() override;
    const std::shared_ptr<ui::ImageView>& tipImage() const { return m_tipImage; }

private:
    std::shared_ptr<ui::ImageView> m_tipImage;
};
