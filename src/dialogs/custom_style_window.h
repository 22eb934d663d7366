// The custom display style window: a modeless tool window, without a close box, that edits the custom
// style record of one paste layer live. Every user edit is handed to the edit handler at once.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>

#include "dialogs/custom_style_rules.h"
#include "template/document.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace plazor {

class SpinBuddy;
class UiPort;

// The paste layer the window shows: its number and size, its record and its sample picture's size.
struct CustomStyleTarget {
    int number = 0;
    int width = 0;
    int height = 0;
    Customize record;
    std::optional<SampleSize> sample;
};

class CustomStyleWindow : public QWidget {
    Q_OBJECT

  public:
    CustomStyleWindow(QWidget* owner, UiPort& ui);

    // Receives the record after each edit of the user.
    void setEditHandler(std::function<void(const Customize&)> handler) { edited_ = std::move(handler); }

    // Titles the window after the layer, fills every field and shows it without activating it.
    void showFor(const CustomStyleTarget& target);
    // Rewrites the two information lines and the size fields.
    void refresh(const CustomStyleTarget& target);
    // Rewrites only the two information lines (the layer's size or its sample changed).
    void refreshInfo(const CustomStyleTarget& target);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct OffsetField {
        QComboBox* list = nullptr;
        QLineEdit* edit = nullptr;
        SpinBuddy* spin = nullptr;
    };

    // The top edges of a position row's label, list and offset field.
    struct RowTops {
        int label, list, edit;
    };

    QLineEdit* addSizeField(const QString& label, int top, const char* name);
    OffsetField addPositionRow(const QString& label, RowTops tops, const QStringList& items,
                               const char* name);
    void fillPositions();
    void setProportions(bool checked);

    void onSizeEdited(SizeAxis axis);
    void onProportionsClicked(bool checked);
    void onPositionChosen(bool horizontal, int index);
    void onOffsetEdited(bool horizontal);
    void setText(QLineEdit* field, const std::string& text);
    void commit();

    UiPort& ui_;
    std::function<void(const Customize&)> edited_;
    Customize record_;
    std::optional<SampleSize> sample_;
    // Raised while the window writes its own fields: their change notices are ignored.
    int programmatic_ = 0;
    bool placed_ = false;

    QLabel* sizeLine_ = nullptr;
    QLabel* pictureLine_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QLabel* bracket_ = nullptr;
    QCheckBox* proportions_ = nullptr;
    OffsetField horizontal_;
    OffsetField vertical_;
};

}  // namespace plazor
