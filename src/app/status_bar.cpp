#include "app/status_bar.h"

#include "app/layout_rules.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <functional>

namespace plazor {

// One part: a sunken frame with an optional icon and a text.
class StatusPart : public QWidget {
  public:
    StatusPart(QWidget* parent, std::function<void()> onClick)
        : QWidget(parent), onClick_(std::move(onClick)) {}

    void setText(const QString& text) {
        text_ = text;
        update();
    }
    const QString& text() const { return text_; }

    void setIcon(StatusIcon icon) {
        icon_ = icon;
        pixmap_ = statusIconPixmap(icon, devicePixelRatioF());
        update();
    }
    std::optional<StatusIcon> icon() const { return icon_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.frameShape = QFrame::Panel;
        frame.state |= QStyle::State_Sunken;
        frame.lineWidth = 1;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

        QRect area = rect().adjusted(3, 1, -3, -1);
        if (!pixmap_.isNull()) {
            constexpr int kIconSide = 16;
            painter.drawPixmap(area.left(), area.top() + (area.height() - kIconSide) / 2, pixmap_);
            area.setLeft(area.left() + kIconSide + 3);
        }
        const StatusTextLayout layout = statusTextLayout(text_);
        painter.drawText(area, static_cast<int>(layout.alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                         layout.text);
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onClick_) onClick_();
    }

  private:
    std::function<void()> onClick_;
    QString text_;
    std::optional<StatusIcon> icon_;
    QPixmap pixmap_;
};

StatusTextLayout statusTextLayout(const QString& raw) {
    qsizetype tabs = 0;
    while (tabs < raw.size() && tabs < 2 && raw.at(tabs) == QLatin1Char('\t'))
        ++tabs;
    const Qt::Alignment alignment = tabs == 0 ? Qt::AlignLeft : tabs == 1 ? Qt::AlignHCenter : Qt::AlignRight;
    return {alignment, raw.mid(tabs)};
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setMinimumHeight(std::max(kStatusBarMinHeight, fontMetrics().height() + 6));
    for (int i = 0; i < kStatusPartCount; ++i) {
        parts_[static_cast<std::size_t>(i)] = new StatusPart(this, [this, i] { emit partClicked(i); });
        parts_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("StatusPart%1").arg(i));
    }
    placeParts();
}

void StatusBar::setPartText(int part, const QString& text) {
    if (part >= 0 && part < kStatusPartCount) parts_[static_cast<std::size_t>(part)]->setText(text);
}

QString StatusBar::partText(int part) const {
    return part >= 0 && part < kStatusPartCount ? parts_[static_cast<std::size_t>(part)]->text() : QString();
}

void StatusBar::setPartIcon(int part, StatusIcon icon) {
    if (part >= 0 && part < kStatusPartCount) parts_[static_cast<std::size_t>(part)]->setIcon(icon);
}

std::optional<StatusIcon> StatusBar::partIcon(int part) const {
    if (part < 0 || part >= kStatusPartCount) return std::nullopt;
    return parts_[static_cast<std::size_t>(part)]->icon();
}

QRect StatusBar::partRect(int part) const {
    return part >= 0 && part < kStatusPartCount ? parts_[static_cast<std::size_t>(part)]->geometry()
                                                : QRect();
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    placeParts();
}

void StatusBar::placeParts() {
    for (int i = 0; i < kStatusPartCount; ++i) {
        const Span span = statusPartSpan(i, width());
        parts_[static_cast<std::size_t>(i)]->setGeometry(span.left, 0, span.right - span.left, height());
    }
}

}  // namespace plazor
