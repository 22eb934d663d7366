#include "app/side_panel.h"

#include "app/command_ids.h"

#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <cstdlib>

namespace plazor {
namespace {

constexpr int kWheelNotch = 120;

}  // namespace

SidePanel::SidePanel(QWidget* parent) : QWidget(parent), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setObjectName(QString::number(ctl::kSidePanel));
    scrollBar_->setObjectName(QStringLiteral("SidePanelScrollBar"));
    scrollBar_->setSingleStep(kPanelLineStep);
    scrollBar_->hide();
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { positionBlocks(); });
}

int SidePanel::scrollBarWidth(const QWidget* widget) {
    return widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget);
}

void SidePanel::setBlocks(std::vector<QWidget*> blocks) {
    blocks_ = std::move(blocks);
    stack();
}

void SidePanel::stack() {
    std::vector<int> heights;
    heights.reserve(blocks_.size());
    for (const QWidget* block : blocks_)
        heights.push_back(block->height());
    stack_ = stackBlocks(heights);
    positionedAt_ = -1;  // the blocks' places changed even if the scroll position did not
    updateScrollRange();
}

void SidePanel::updateScrollRange() {
    scroll_ = panelScroll(height(), stack_.height);
    const int width = scrollBarWidth(this);
    scrollBar_->setGeometry(this->width() - width, 0, width, height());
    // Setting the range clamps the value, which repositions the blocks through valueChanged.
    scrollBar_->setPageStep(scroll_.page);
    scrollBar_->setRange(0, scroll_.maxPosition());
    scrollBar_->setVisible(scroll_.scrolls());
    positionBlocks();
}

int SidePanel::scrollPosition() const {
    return scrollBar_->value();
}

void SidePanel::scrollTo(int position) {
    scrollBar_->setValue(clampScrollPosition(position, scroll_));
}

void SidePanel::wheel(int angleDelta) {
    wheelRemainder_ += angleDelta;
    while (std::abs(wheelRemainder_) >= kWheelNotch) {
        const int notch = wheelRemainder_ > 0 ? kWheelNotch : -kWheelNotch;
        scrollTo(wheelScrollPosition(scrollPosition(), notch, scroll_));
        wheelRemainder_ -= notch;
    }
}

void SidePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateScrollRange();
}

void SidePanel::wheelEvent(QWheelEvent* event) {
    if (!scroll_.scrolls()) {
        event->ignore();
        return;
    }
    wheel(event->angleDelta().y());
    event->accept();
}

void SidePanel::positionBlocks() {
    const int position = scrollBar_->value();
    // Nothing moves unless the position or the range changed since the blocks were last placed.
    if (position == positionedAt_ && scroll_ == positionedRange_) return;
    positionedAt_ = position;
    positionedRange_ = scroll_;
    for (std::size_t i = 0; i < blocks_.size() && i < stack_.ys.size(); ++i) {
        blocks_[i]->move(0, stack_.ys[i] - position);
    }
}

}  // namespace plazor
