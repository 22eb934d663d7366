// The three layer lists of the side panel: report-style tables with grid lines, whole-row selection
// and rows 21 pixels high. They only show rows and report what the user does with them.
#pragma once

#include <QPoint>
#include <QTableWidget>

#include <string>
#include <vector>

namespace plazor {

enum class ListEventKind { SelectionChanged, DoubleClick, ContextMenu };

// What the user did in a list: a row's selected state changed, a cell was double-clicked, or the
// context menu was asked for (at `globalPos`).
struct ListEvent {
    int listId = 0;
    ListEventKind kind = ListEventKind::SelectionChanged;
    int row = -1;
    int column = -1;
    bool selected = false;
    QPoint globalPos;
};

inline constexpr int kListRowHeight = 21;

class LayerList : public QTableWidget {
    Q_OBJECT

  public:
    enum class Kind { Paste, Watermark, Slice };

    LayerList(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    int listId() const;

    void appendRow(const std::vector<std::string>& cells);
    void insertRowAt(int row, const std::vector<std::string>& cells);
    // Rewrites the row's cells; missing cells become empty.
    void setRowTexts(int row, const std::vector<std::string>& cells);
    void setRows(const std::vector<std::vector<std::string>>& rows);

    std::vector<int> selectedRowIndices() const;  // ascending

  signals:
    void listEvent(const plazor::ListEvent& event);

  private:
    void emitSelectionChanges(const QItemSelection& selected, const QItemSelection& deselected);

    Kind kind_;
};

}  // namespace plazor
