// Applies a numeric keystroke filter to a line edit: refused characters and pastes are swallowed with
// a beep and a balloon at the field.
#pragma once

#include <QObject>

#include "dialogs/number_filters.h"

class QKeyEvent;
class QLineEdit;

namespace plazor {

class UiPort;

class NumberFieldFilter : public QObject {
    Q_OBJECT

  public:
    // Installs the filter on `field` (replacing one installed before); the field owns it.
    static NumberFieldFilter* install(QLineEdit* field, NumberFilterKind kind, UiPort& ui);
    // Removes the filter from `field`, if it has one.
    static void remove(QLineEdit* field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    NumberFieldFilter(QLineEdit* field, NumberFilterKind kind, UiPort& ui);

    bool acceptsKey(const QKeyEvent* event) const;
    bool acceptsPaste() const;
    void refuse();
    void showContextMenu(const QPoint& globalPos);

    QLineEdit* field_;
    NumberFilterKind kind_;
    UiPort& ui_;
};

}  // namespace plazor
