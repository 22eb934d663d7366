// Balloon tips: small frameless pop-ups with a stem pointing at a control, a title with an icon, and a
// text. They tell the user what is wrong with a field without a message box. At most seven stand at
// once, and all of them go on the next mouse press or key press (see AppEventFilter).
#pragma once

#include "shell/ui_port.h"

#include <QPainterPath>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <mutex>
#include <optional>
#include <vector>

class QLabel;

namespace plazor {

// Where a balloon of `body` size goes for a control at `control` (global coordinates). The stem's tip
// is on the control's bottom edge, at `cursorX` when given and at the control's centre otherwise; the
// balloon hangs below it, or stands above the control when there is no room below on `screen`.
struct BalloonPlacement {
    QRect frame;  // the whole pop-up, stem included
    QPoint tip;   // the stem's tip
    bool below = true;
};
BalloonPlacement placeBalloon(const QRect& control, std::optional<int> cursorX, const QSize& body,
                              const QRect& screen);

class BalloonTip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kStemHeight = 10;

    BalloonTip(QWidget* control, const QString& title, const QString& text, UiIcon icon, bool atCursor);

    QString title() const { return title_; }
    QString text() const { return text_; }
    bool hasIcon() const { return hasIcon_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPainterPath outline() const;

    QString title_;
    QString text_;
    bool hasIcon_ = false;
    BalloonPlacement placement_;
};

// The open balloons of the process. Showing one while seven are open closes those seven first.
class BalloonRegister {
  public:
    static constexpr std::size_t kMaxOpen = 7;

    BalloonTip* show(QWidget* control, const QString& title, const QString& text, UiIcon icon, bool atCursor);
    void closeAll();
    std::size_t count() const;

  private:
    void closeAllLocked();

    mutable std::mutex mutex_;
    std::vector<QPointer<BalloonTip>> balloons_;
};

}  // namespace plazor
