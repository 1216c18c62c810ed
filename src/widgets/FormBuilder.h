#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextField.h"
#include "ui/View.h"

// Lays out a settings form on a content view, top to bottom: white groups
// of equal-height rows separated by gaps, each row a caption on the left and,
// on the right, a disclosure arrow with a control before it (a picture, a
// text field or a value text). The builder only places views; the screen
// that uses it wires them up.
class FormBuilder {
public:
    static constexpr double kGroupGap = 15;
    static constexpr double kRowHeight = 55;
    static constexpr double kCaptionLeft = 15;
    // From a row's top to its caption in a group of several rows.
    static constexpr double kCaptionTop = 20;
    static constexpr double kDividerInset = 10;
    static constexpr double kArrowRight = 14;
    static constexpr double kControlGap = 8;
    static constexpr double kPictureSide = 42;
    static constexpr double kFieldWidth = 210;
    static constexpr double kFieldHeight = 30;

    // One row: its caption, and the x at which its control ends.
    struct Row {
        ui::View* group = nullptr;
        std::shared_ptr<ui::Label> caption;
        double controlRight = 0;
    };

    // Builds into `content`, whose width the groups take; the first group
    // starts one gap below its top.
    explicit FormBuilder(std::shared_ptr<ui::View> content);

    // A new group of `rows` rows, one gap below what came before, with a
    // divider between its rows.
    std::shared_ptr<ui::View> addGroup(int rows);
    // The next row of the last group: the caption, and the arrow unless
    // `withArrow` is false. In a one-row group the caption is centred.
    Row addRow(const std::string& caption, bool withArrow = true);
    // A square picture ending at the row's control edge.
    std::shared_ptr<ui::ImageView> addPicture(const Row& row);
    // A right-aligned field ending at the row's control edge; its return key says Done.
    std::shared_ptr<ui::TextField> addField(const Row& row, const std::string& placeholder);
    // A caption-styled text ending at the row's control edge.
    std::shared_ptr<ui::Label> addValueText(const Row& row, const std::string& text);
    // An invisible button over the whole of the last group's row `index`.
    std::shared_ptr<ui::Button> addTapArea(int index, int tag);
    // A full-width button one gap below what came before.
    std::shared_ptr<ui::Button> addButton(const std::string& title, double height);

    // Where the next group would start, minus the gap: the bottom of the last item.
    double bottom() const { return m_bottom; }
    // The groups, top to bottom.
    const std::vector<std::shared_ptr<ui::View>>& groups() const { return m_groups; }

private:
    double width() const;
    std::shared_ptr<ui::Label> makeCaption(const std::string& text) const;

    std::shared_ptr<ui::View> m_content;
    std::vector<std::shared_ptr<ui::View>> m_groups;
    double m_bottom = 0;
    int m_rowsInGroup = 0;
    int m_nextRow = 0;
};
