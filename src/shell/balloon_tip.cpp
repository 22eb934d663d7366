#include "shell/balloon_tip.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace plazor {

namespace {

constexpr int kPadding = 8;
constexpr int kRadius = 6;
constexpr int kStemHalfWidth = 8;
constexpr int kStemInset = 22;  // from the balloon's left edge to the stem when nothing is in the way
constexpr int kIconSize = 16;
constexpr int kTextWidth = 320;

QStyle::StandardPixmap iconPixmap(UiIcon icon) {
    switch (icon) {
        case UiIcon::Warning:
            return QStyle::SP_MessageBoxWarning;
        case UiIcon::Error:
            return QStyle::SP_MessageBoxCritical;
        case UiIcon::Question:
            return QStyle::SP_MessageBoxQuestion;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}

}  // namespace

BalloonPlacement placeBalloon(const QRect& control, std::optional<int> cursorX, const QSize& body,
                              const QRect& screen) {
    BalloonPlacement placement;
    const int tipX = cursorX ? *cursorX : control.center().x();
    const int height = body.height() + BalloonTip::kStemHeight;
    placement.below =
        control.bottom() + 1 + height <= screen.bottom() + 1 || control.top() - height < screen.top();
    placement.tip = QPoint(tipX, placement.below ? control.bottom() + 1 : control.top());

    int left = std::clamp(tipX - kStemInset, screen.left(),
                          std::max(screen.left(), screen.right() + 1 - body.width()));
    // The stem stays clear of the rounded corners, even when the balloon is pushed against a screen edge.
    const int minTipX = left + kRadius + kStemHalfWidth;
    const int maxTipX = left + body.width() - kRadius - kStemHalfWidth;
    if (tipX < minTipX) left -= minTipX - tipX;
    if (tipX > maxTipX) left += tipX - maxTipX;
    const int top = placement.below ? placement.tip.y() : placement.tip.y() - height;
    placement.frame = QRect(left, top, body.width(), height);
    return placement;
}

BalloonTip::BalloonTip(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                       bool atCursor)
    : QWidget(control->window(), Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      title_(title),
      text_(text),
      hasIcon_(!title.isEmpty() && icon != UiIcon::None) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("BalloonTip"));
    setPalette(QPalette(palette().color(QPalette::ToolTipText), palette().color(QPalette::ToolTipBase)));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);
    int row = 0;
    if (!title.isEmpty()) {
        if (hasIcon_) {
            auto* iconLabel = new QLabel(this);
            iconLabel->setPixmap(style()->standardIcon(iconPixmap(icon)).pixmap(kIconSize, kIconSize));
            layout->addWidget(iconLabel, row, 0, Qt::AlignTop);
        }
        auto* titleLabel = new QLabel(title, this);
        QFont bold = titleLabel->font();
        bold.setBold(true);
        titleLabel->setFont(bold);
        layout->addWidget(titleLabel, row, 1);
        ++row;
    }
    auto* textLabel = new QLabel(text, this);
    // Long texts wrap at a readable width; short ones keep their own.
    if (textLabel->sizeHint().width() > kTextWidth) {
        textLabel->setWordWrap(true);
        textLabel->setFixedWidth(kTextWidth);
    }
    layout->addWidget(textLabel, row, hasIcon_ ? 1 : 0, 1, hasIcon_ ? 1 : 2);

    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    const QSize body = layout->totalSizeHint();
    const QRect controlRect(control->mapToGlobal(QPoint(0, 0)), control->size());
    const QScreen* screen = control->screen();
    const QRect screenRect = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), body * 4);
    const std::optional<int> cursorX = atCursor ? std::optional<int>(QCursor::pos().x()) : std::nullopt;
    placement_ = placeBalloon(controlRect, cursorX, body, screenRect);

    if (placement_.below) {
        layout->setContentsMargins(kPadding, kPadding + kStemHeight, kPadding, kPadding);
    } else {
        layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding + kStemHeight);
    }
    setGeometry(placement_.frame);
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
}

QPainterPath BalloonTip::outline() const {
    const int stemX = placement_.tip.x() - placement_.frame.left();
    const int w = width();
    const int h = height();
    QPainterPath path;
    if (placement_.below) {
        path.addRoundedRect(QRectF(0, kStemHeight, w - 1, h - 1 - kStemHeight), kRadius, kRadius);
        QPainterPath stem;
        stem.moveTo(stemX - kStemHalfWidth, kStemHeight + 1);
        stem.lineTo(stemX, 0);
        stem.lineTo(stemX + kStemHalfWidth, kStemHeight + 1);
        stem.closeSubpath();
        path = path.united(stem);
    } else {
        path.addRoundedRect(QRectF(0, 0, w - 1, h - 1 - kStemHeight), kRadius, kRadius);
        QPainterPath stem;
        stem.moveTo(stemX - kStemHalfWidth, h - 2 - kStemHeight);
        stem.lineTo(stemX, h - 1);
        stem.lineTo(stemX + kStemHalfWidth, h - 2 - kStemHeight);
        stem.closeSubpath();
        path = path.united(stem);
    }
    return path;
}

void BalloonTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawPath(outline());
}

BalloonTip* BalloonRegister::show(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                                  bool atCursor) {
    std::lock_guard lock(mutex_);
    std::erase_if(balloons_, [](const QPointer<BalloonTip>& b) { return b.isNull(); });
    if (balloons_.size() >= kMaxOpen) closeAllLocked();
    auto* balloon = new BalloonTip(control, title, text, icon, atCursor);
    balloon->show();
    balloons_.emplace_back(balloon);
    return balloon;
}

void BalloonRegister::closeAll() {
    std::lock_guard lock(mutex_);
    closeAllLocked();
}

void BalloonRegister::closeAllLocked() {
    for (const QPointer<BalloonTip>& balloon : balloons_) {
        if (balloon) balloon->close();
    }
    balloons_.clear();
}

std::size_t BalloonRegister::count() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(balloons_.begin(), balloons_.end(),
                                                  [](const QPointer<BalloonTip>& b) { return !b.isNull(); }));
}

}  // namespace plazor
