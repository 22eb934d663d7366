// Rows of the main window's three layer lists, written from the document's layers.
#include "app/list_rows.h"
#include "app/main_window.h"
#include "template/document.h"

namespace plazor {
namespace {

template <class Layer, class Texts>
std::vector<std::vector<std::string>> rowsOf(const std::vector<Layer>& layers, Texts texts) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(layers.size());
    for (const Layer& layer : layers)
        rows.push_back(texts(layer));
    return rows;
}

}  // namespace

void MainWindow::refreshLists() {
    pasteList()->setRows(rowsOf(doc_.pasteLayers, pasteRowTexts));
    watermarkList()->setRows(rowsOf(doc_.watermarks, watermarkRowTexts));
    sliceList()->setRows(rowsOf(doc_.slices, sliceRowTexts));
}

void MainWindow::appendPasteRow(const PasteLayer& layer) {
    pasteList()->appendRow(pasteRowTexts(layer));
}

void MainWindow::insertPasteRow(const PasteLayer& layer, int index) {
    pasteList()->insertRowAt(index, insertedPasteRowTexts(layer));
}

void MainWindow::setPasteRow(int index, const PasteLayer& layer) {
    pasteList()->setRowTexts(index, pasteRowTexts(layer));
}

void MainWindow::appendWatermarkRow(const WatermarkLayer& layer) {
    watermarkList()->appendRow(watermarkRowTexts(layer));
}

void MainWindow::insertWatermarkRow(const WatermarkLayer& layer, int index) {
    watermarkList()->insertRowAt(index, watermarkRowTexts(layer));
}

void MainWindow::setWatermarkRow(int index, const WatermarkLayer& layer) {
    watermarkList()->setRowTexts(index, watermarkRowTexts(layer));
}

void MainWindow::appendSliceRow(const Slice& slice) {
    sliceList()->appendRow(sliceRowTexts(slice));
}

void MainWindow::setSliceRow(int index, const Slice& slice) {
    sliceList()->setRowTexts(index, sliceRowTexts(slice));
}

}  // namespace plazor
