#include "composer/QYettingViewController.h"

void QYettingViewController::viewDidLoad()
{
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());
    m_tipImage = std::make_shared<ui::ImageView>(ui::Image::named("QYTip.png"));
    ui::Size size = m_tipImage->bounds().size;
    m_tipImage->setFrame({ (root->bounds().width() - size.width) / 2, 20, size.width, size.height });
    m_tipImage->setAutoresizingMask(ui::FlexibleLeftMargin | ui::FlexibleRightMargin);
    root->addSubview(m_tipImage);
}
