// The right-hand property panel: a container that stacks its blocks top to bottom and scrolls them
// with its own vertical scroll bar when they do not fit.
#pragma once

#include "app/layout_rules.h"

#include <QWidget>

#include <vector>

class QScrollBar;

namespace plazor {

class SidePanel : public QWidget {
    Q_OBJECT

  public:
    explicit SidePanel(QWidget* parent = nullptr);

    // The blocks in stacking order; the last one is the start button.
    void setBlocks(std::vector<QWidget*> blocks);

    // Lays the blocks out from their current heights, then updates the scroll range.
    void stack();
    int stackedHeight() const { return stack_.height; }
    int blockY(std::size_t index) const { return index < stack_.ys.size() ? stack_.ys[index] : 0; }

    // The scroll range for the panel's current height.
    void updateScrollRange();
    const PanelScroll& scroll() const { return scroll_; }
    int scrollPosition() const;
    void scrollTo(int position);

    // A wheel turn over the panel: one wheel step per notch, up for a turn away from the user.
    void wheel(int angleDelta);

    QScrollBar* scrollBar() const { return scrollBar_; }
    static int scrollBarWidth(const QWidget* widget);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void positionBlocks();

    std::vector<QWidget*> blocks_;
    PanelStack stack_;
    PanelScroll scroll_;
    QScrollBar* scrollBar_;
    int wheelRemainder_ = 0;
    int positionedAt_ = -1;
    PanelScroll positionedRange_;
};

}  // namespace plazor
