// A pair of arrow buttons attached to a number field: the arrows and the field's Up and Down keys step
// the number within a range and write it back without separators.
#pragma once

#include <QWidget>

#include <string_view>

class QLineEdit;

namespace plazor {

// The field's number after one step of `delta`: the typed number (read like atoi, so an empty field
// counts as 0) is first brought into [lower, upper], then stepped and kept in the range.
int steppedSpinValue(std::string_view text, int delta, int lower, int upper);

class SpinBuddy : public QWidget {
    Q_OBJECT

  public:
    // Placed against the right side of `field`, inside the same parent.
    explicit SpinBuddy(QLineEdit* field);

    // An upper bound below the lower one is raised to it.
    void setRange(int lower, int upper);
    void step(int delta);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* field_;
    int lower_ = 0;
    int upper_ = 0;
};

// The largest value a spin range takes.
inline constexpr int kSpinLimit = 32767;

}  // namespace plazor
