// The background colour swatch: a small area painted with the chosen colour while it is enabled and with
// the dialog face colour otherwise; a click on it while enabled is reported.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

namespace plazor {

class ColourSwatch : public QWidget {
    Q_OBJECT

  public:
    ColourSwatch(QWidget* parent, std::function<void()> onClick);

    // 24-bit colour with red in the low byte.
    void setColour(std::uint32_t colour);
    std::uint32_t colour() const { return colour_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void()> onClick_;
    std::uint32_t colour_ = 0xFFFFFF;
};

// The QColor of a 24-bit colour with red in the low byte.
QColor qColourOf(std::uint32_t colour);

}  // namespace plazor
