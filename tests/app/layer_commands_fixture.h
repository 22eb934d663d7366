// The whole editor with helpers for the layer commands' tests: rows as texts, list selections made
// as a user's clicks make them, layers set up in the document, and the modal layer dialogs driven
// while they run.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <initializer_list>
#include <vector>

#include "app/layer_lists.h"
#include "editor_fixture.h"

namespace plazor::testing {

class LayerCommandsTest : public EditorTest {
  protected:
    static QStringList rowTexts(const LayerList* list, int row) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << (list->item(row, c) ? list->item(row, c)->text() : QString());
        return cells;
    }

    static std::vector<int> selectedRows(const LayerList* list) { return list->selectedRowIndices(); }

    // Selects the rows as Ctrl-clicks would, after a plain click on the first; the last one is focused.
    static void clickRows(LayerList* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int row : rows) {
            const QModelIndex index = list->model()->index(row, 0);
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    // Placed paste layers at x = 10, 20, ... with the given styles, shown in the list.
    void placedPasteLayers(std::initializer_list<unsigned> styles) {
        int x = 10;
        for (unsigned style : styles) {
            const std::size_t i = doc.pasteLayers.size();
            doc.addPasteLayer(kAboveBackground, style);
            doc.setPasteLayerRect(i, x, 5, 100, 50);
            x += 10;
        }
        window->syncFromDocument();
    }

    std::vector<int> pasteNumbers() const {
        std::vector<int> numbers;
        for (const PasteLayer& layer : doc.pasteLayers)
            numbers.push_back(layer.number);
        return numbers;
    }

    std::vector<bool> pasteFlags() const {
        std::vector<bool> flags;
        for (const PasteLayer& layer : doc.pasteLayers)
            flags.push_back(layer.selected);
        return flags;
    }

    // Runs `script` on the dialog named `className` while its modal run goes on; whatever the script
    // leaves open is then cancelled, so a failing script cannot hang the test.
    template <class Script>
    void whileDialogOpen(const char* className, Script script) {
        QTimer::singleShot(0, window.get(), [this, className, script] {
            auto* dialog = window->findChild<QDialog*>(className);
            if (!dialog || !dialog->isVisible()) {
                ADD_FAILURE() << className << " is not open";
                return;
            }
            script(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
    }

    static void type(QDialog& dialog, const char* field, const QString& text) {
        dialog.findChild<QLineEdit*>(field)->setText(text);
    }
    static void pressOk(QDialog& dialog) { dialog.findChild<QPushButton*>("okButton")->click(); }
};

}  // namespace plazor::testing
