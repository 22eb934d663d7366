#include "dialogs/spin_buddy.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/number_text.h"

namespace plazor {

int steppedSpinValue(std::string_view text, int delta, int lower, int upper) {
    upper = std::max(lower, upper);
    const long long current = std::clamp(parseLeadingInt(text), lower, upper);
    return static_cast<int>(std::clamp<long long>(current + delta, lower, upper));
}

SpinBuddy::SpinBuddy(QLineEdit* field) : QWidget(field->parentWidget()), field_(field) {
    constexpr int kWidth = 17;
    setGeometry(field->x() + field->width(), field->y(), kWidth, field->height());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int delta : {1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setObjectName(delta > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(arrow, &QToolButton::clicked, this, [this, delta] { step(delta); });
        layout->addWidget(arrow);
    }
    field->installEventFilter(this);
}

void SpinBuddy::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = std::max(lower, upper);
}

void SpinBuddy::step(int delta) {
    field_->setText(QString::number(steppedSpinValue(field_->text().toStdString(), delta, lower_, upper_)));
}

bool SpinBuddy::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace plazor
