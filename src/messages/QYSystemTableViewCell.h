#pragma once
#include <memory>

#include "widgets/QYLabel.h"
#include "ui/TableViewCell.h"

class QYChatModel;

// The row of a recalled-message notice: a small grey label with white text,
// centred in a 38-point row, as wide as its text plus 20.
class QYSystemTableViewCell : public ui::TableViewCell {
public:
    static constexpr const char* kReuseIdentifier = "QYSystemTableViewCell";
    static constexpr double kRowHeight = 38;

    QYSystemTableViewCell();

    std::string className() const override { return "QYSystemTableViewCell"; }

    const std::shared_ptr<QYLabel>& systemMessage() const { return m_systemMessage; }

    // Applies the style of the message's chat type, its text and the width.
    void bindWithModel(const QYChatModel& message);

    // The measured width of a notice text in a font, within 320 points (the
    // 24-point box height never narrows a wrapped text).
    static double measuredTextWidth(const std::string& text, const ui::Font& font);

    void layoutSubviews() override;

private:
    std::shared_ptr<QYLabel> m_systemMessage;
    double m_labelWidth = 0;
};
