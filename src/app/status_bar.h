// The main window's status bar: six parts at fixed right edges, the first four with an icon. A part's
// text may start with one tab (centred) or two (right-aligned), as the texts are written.
#pragma once

#include "app/status_icons.h"

#include <QStatusBar>

#include <array>
#include <optional>

namespace plazor {

class StatusPart;

// How a part shows a text: its alignment from the leading tabs and the text without them.
struct StatusTextLayout {
    Qt::Alignment alignment;
    QString text;
};
StatusTextLayout statusTextLayout(const QString& raw);

class StatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setPartText(int part, const QString& text);
    QString partText(int part) const;  // as set, tabs included
    void setPartIcon(int part, StatusIcon icon);
    std::optional<StatusIcon> partIcon(int part) const;
    QRect partRect(int part) const;

  signals:
    void partClicked(int part);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeParts();

    std::array<StatusPart*, 6> parts_{};
};

}  // namespace plazor
