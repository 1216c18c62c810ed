#pragma once
#include <memory>
#include <string>

#include "ui/View.h"

namespace ui {

class ImageView;
class Label;

enum class TableViewCellSelectionStyle { None, Default };

// One row of a table. Content goes into `contentView`, which fills the cell.
// The table takes cells back when their rows scroll away and hands them out
// again through dequeueReusableCell, so a cell's content must be bound anew
// every time it is returned for a row.
class TableViewCell : public View {
public:
    explicit TableViewCell(std::string reuseIdentifier = {});
    ~TableViewCell() override;

    std::string className() const override { return "UITableViewCell"; }

    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }
    const std::shared_ptr<View>& contentView() const { return m_contentView; }
    // A left-aligned title and a left image, made on first use.
    const std::shared_ptr<Label>& textLabel();
    const std::shared_ptr<ImageView>& imageView();

    TableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(TableViewCellSelectionStyle style);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted, bool animated = false);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected, bool animated = false);

    // Called by the table, synchronously, just before dequeueReusableCell
    // returns this cell for another row. Subclasses clear row-specific state
    // here and call the base, which drops highlight and selection.
    virtual void prepareForReuse();

    void layoutSubviews() override;
    void drawAfterSubviews(GraphicsContext& context, const Rect& rect) override;

    // The line the table asks the cell to draw along its bottom edge.
    void setSeparator(bool visible, const EdgeInsets& inset, const Color& color);

protected:
    // Called after the highlighted or selected state changed.
    virtual void selectionStateDidChange(bool animated);

private:
    void updateSelectedBackground(bool animated);

    std::string m_reuseIdentifier;
    std::shared_ptr<View> m_contentView;
    std::shared_ptr<View> m_selectedBackgroundView;
    std::shared_ptr<Label> m_textLabel;
    std::shared_ptr<ImageView> m_imageView;
    TableViewCellSelectionStyle m_selectionStyle = TableViewCellSelectionStyle::Default;
    bool m_highlighted = false;
    bool m_selected = false;
    bool m_separatorVisible = false;
    EdgeInsets m_separatorInset;
    Color m_separatorColor;
};

using TableViewCellPtr = std::shared_ptr<TableViewCell>;

} // namespace ui
