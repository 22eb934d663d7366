#include "app/command_ids.h"
#include "app/panel_blocks.h"
#include "app/side_panel.h"
#include "app/status_bar.h"
#include "main_window_test_support.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

namespace plazor {
namespace {

using Popup = MainWindow::Popup;

class MainWindowLayoutTest : public testing::MainWindowTest {
  protected:
    // Shows the window with a content area of the given height.
    void showWithContentHeight(int contentHeight) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        const int extra = window->height() - window->centralWidget()->height();
        window->resize(1100, contentHeight + extra);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->centralWidget()->height(), contentHeight);
    }
};

struct ColumnExpectation {
    LayerList* list;
    QStringList titles;
    std::span<const int> widths;
    QAbstractItemView::SelectionMode mode;
};

TEST_F(MainWindowLayoutTest, ListColumnsWidthsAndRows) {
    const int thickness = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const ColumnExpectation lists[] = {
        {window->pasteList(),
         {"编号", "x", "y", "宽", "高", "层次", "溢出样式"},
         kPasteColumnWidths,
         QAbstractItemView::ExtendedSelection},
        {window->watermarkList(),
         {"编号", "x", "y", "宽", "高", "图片路径"},
         kWatermarkColumnWidths,
         QAbstractItemView::SingleSelection},
        {window->sliceList(), {"编号", "y"}, kSliceColumnWidths, QAbstractItemView::SingleSelection},
    };
    for (const ColumnExpectation& e : lists) {
        SCOPED_TRACE(e.list->objectName().toStdString());
        const std::vector<int> widths = fittedColumnWidths(e.widths, thickness);
        ASSERT_EQ(e.list->columnCount(), e.titles.size());
        for (int c = 0; c < e.list->columnCount(); ++c) {
            const QTableWidgetItem* header = e.list->horizontalHeaderItem(c);
            EXPECT_EQ(header->text(), e.titles[c]);
            const Qt::Alignment horizontal =
                Qt::Alignment(header->textAlignment()) & Qt::AlignHorizontal_Mask;
            EXPECT_EQ(horizontal, e.titles[c] == "图片路径" ? Qt::AlignLeft : Qt::AlignHCenter);
            EXPECT_EQ(e.list->columnWidth(c), widths[static_cast<std::size_t>(c)]);
        }
        EXPECT_TRUE(e.list->showGrid());
        EXPECT_EQ(e.list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(e.list->selectionMode(), e.mode);
        EXPECT_EQ(e.list->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(e.list->verticalHeader()->defaultSectionSize(), 21);
        EXPECT_EQ(e.list->rowCount(), 0);
    }
    EXPECT_EQ(window->pasteList()->objectName(), QStringLiteral("36111"));
    EXPECT_EQ(window->watermarkList()->objectName(), QStringLiteral("36114"));
    EXPECT_EQ(window->sliceList()->objectName(), QStringLiteral("36116"));
}

TEST_F(MainWindowLayoutTest, RowsAreWrittenFromLayers) {
    PasteLayer& first = doc.addPasteLayer(kAboveBackground, kStretch);
    first.x = 1;
    first.y = 2;
    first.width = 30;
    first.height = 40;
    window->appendPasteRow(first);
    window->appendPasteRow(doc.addPasteLayer(kBelowBackground, kCustom));
    PasteLayer& inserted = doc.insertPasteLayer(0, kAboveBackground, kCropCentre);
    inserted.x = inserted.y = inserted.width = inserted.height = 5;
    window->insertPasteRow(inserted, 0);

    const auto row = [](LayerList* list, int r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->item(r, c)->text();
        return cells;
    };
    LayerList* paste = window->pasteList();
    ASSERT_EQ(paste->rowCount(), 3);
    EXPECT_EQ(row(paste, 0), (QStringList{"1", "", "", "", "", "背景上方", "裁剪正中间"}));
    EXPECT_EQ(row(paste, 1), (QStringList{"1", "1", "2", "30", "40", "背景上方", "填充式缩放"}));
    EXPECT_EQ(row(paste, 2), (QStringList{"2", "", "", "", "", "背景下方", "自定义"}));
    window->setPasteRow(1, doc.pasteLayers[1]);
    EXPECT_EQ(row(paste, 1), (QStringList{"2", "1", "2", "30", "40", "背景上方", "填充式缩放"}));
    EXPECT_EQ(Qt::Alignment(paste->item(0, 0)->textAlignment()) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    WatermarkLayer& mark = doc.addWatermark("/水印.png", 7, 8);
    mark.width = 9;
    mark.height = 10;
    window->appendWatermarkRow(mark);
    window->insertWatermarkRow(doc.insertWatermark(0, "/a.png", 0, 0), 0);
    EXPECT_EQ(row(window->watermarkList(), 1), (QStringList{"1", "7", "8", "9", "10", "/水印.png"}));
    EXPECT_EQ(row(window->watermarkList(), 0), (QStringList{"1", "0", "0", "0", "0", "/a.png"}));
    EXPECT_EQ(Qt::Alignment(window->watermarkList()->item(0, 5)->textAlignment()) & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);

    window->appendSliceRow(doc.addSlice(-1));
    window->setSliceRow(0, Slice{1, 250, false});
    EXPECT_EQ(row(window->sliceList(), 0), (QStringList{"1", "250"}));

    window->refreshLists();
    EXPECT_EQ(row(paste, 1), (QStringList{"2", "1", "2", "30", "40", "背景上方", "填充式缩放"}));
    EXPECT_EQ(row(window->sliceList(), 0), (QStringList{"1", ""}));
}

TEST_F(MainWindowLayoutTest, ListEventsReachTheirHandler) {
    std::vector<std::tuple<int, ListEventKind, int, int, bool>> events;
    window->setListEventHandler(
        [&](const ListEvent& e) { events.emplace_back(e.listId, e.kind, e.row, e.column, e.selected); });
    doc.addPasteLayer(0, 1);
    doc.addPasteLayer(0, 1);
    doc.addSlice(-1);
    window->syncFromDocument();
    EXPECT_TRUE(events.empty());

    window->pasteList()->selectRow(1);
    window->sliceList()->selectRow(0);
    window->pasteList()->clearSelection();
    emit window->watermarkList()->cellDoubleClicked(0, 5);
    using K = ListEventKind;
    EXPECT_EQ(events, (std::vector<std::tuple<int, ListEventKind, int, int, bool>>{
                          {36111, K::SelectionChanged, 1, -1, true},
                          {36116, K::SelectionChanged, 0, -1, true},
                          {36111, K::SelectionChanged, 1, -1, false},
                          {36114, K::DoubleClick, 0, 5, false}}));
}

TEST_F(MainWindowLayoutTest, ContextMenusGreySelectionItemsAndCheckSharedValues) {
    window->show();
    doc.addPasteLayer(kBelowBackground, kScaleToFit);
    doc.addPasteLayer(kBelowBackground, kStretch);
    window->syncFromDocument();
    LayerList* paste = window->pasteList();
    QMenu* menu = window->popupMenu(Popup::PasteContext);
    const auto enabledIds = [&] {
        std::vector<int> ids;
        for (int id : {35300, 35301, 35302, 35303, 35304, 35305, 35306}) {
            if (window->action(id)->isEnabled()) ids.push_back(id);
        }
        for (QAction* a : menu->actions()) {
            if (a->menu() && a->isEnabled()) ids.push_back(0);
        }
        return ids;
    };

    emit paste->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(enabledIds(), (std::vector<int>{35300, 35305, 35306}));
    menu->hide();

    paste->selectAll();
    emit paste->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(enabledIds(), (std::vector<int>{35300, 35301, 35302, 35303, 35304, 35305, 35306, 0, 0}));
    EXPECT_FALSE(window->action(35412)->isChecked());
    EXPECT_TRUE(window->action(35413)->isChecked());
    for (int id = 35414; id <= 35419; ++id)
        EXPECT_FALSE(window->action(id)->isChecked()) << id;
    menu->hide();

    paste->selectRow(0);
    emit paste->customContextMenuRequested(QPoint(5, 5));
    for (int id = 35414; id <= 35419; ++id)
        EXPECT_EQ(window->action(id)->isChecked(), id == 35415) << id;
    menu->hide();

    emit window->sliceList()->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(window->popupMenu(Popup::SliceContext)->isVisible());
    EXPECT_TRUE(window->action(35312)->isEnabled());
    EXPECT_FALSE(window->action(35313)->isEnabled());
    EXPECT_FALSE(window->action(35314)->isEnabled());
    window->popupMenu(Popup::SliceContext)->hide();
}

TEST_F(MainWindowLayoutTest, PasteBlockFollowsTheScreenHeight) {
    const auto pasteGeometry = [this] {
        return PasteBlockGeometry{find<QWidget>("PasteBlock")->height(), window->pasteList()->height(),
                                  control<QPushButton>(ctl::kChooseSource)->y(),
                                  control<QLineEdit>(ctl::kSourceFolder)->y(),
                                  find<QLabel>("SourceFolderLabel")->y()};
    };
    EXPECT_EQ(pasteGeometry(), pasteBlockGeometry(window->screen()->availableGeometry().height()));
    window->applyScreenHeight(870);
    EXPECT_EQ(pasteGeometry(), (PasteBlockGeometry{232, 161, 193, 195, 198}));
    EXPECT_EQ(find<QWidget>("PasteFrame")->height(), 232);
    window->applyScreenHeight(871);
    EXPECT_EQ(window->pasteList()->height(), 162);
    EXPECT_EQ(window->sidePanel()->stackedHeight(), 63 + 16 + 233 + 16 + 135 + 16 + 135 + 16 + 96 + 18 + 27);
}

TEST_F(MainWindowLayoutTest, BlocksStackAndScrollWhenTheyDoNotFit) {
    window->applyScreenHeight(870);
    showWithContentHeight(500);
    SidePanel* panel = window->sidePanel();
    const int bar = SidePanel::scrollBarWidth(panel);
    const std::vector<QWidget*> blocks = window->panel().blocks();
    const int ys[] = {0, 79, 327, 478, 629, 743};
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i]->pos(), QPoint(0, ys[i])) << i;

    EXPECT_TRUE(panel->scrollBar()->isVisible());
    EXPECT_EQ(panel->geometry(), QRect(1100 - 1 - (406 + bar), 7, 406 + bar, 493));
    EXPECT_EQ(window->canvasHost()->geometry(), QRect(1, 0, 1100 - 1 - (406 + bar) - 6, 500));
    EXPECT_EQ(window->canvas()->size(), window->canvasHost()->size());
    EXPECT_EQ(panel->scrollBar()->pageStep(), 493);
    EXPECT_EQ(panel->scrollBar()->singleStep(), 21);
    EXPECT_EQ(panel->scrollBar()->maximum(), 770 + 7 - 493);

    panel->scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(blocks[1]->y(), 79 - 21);
    panel->wheel(-120);
    EXPECT_EQ(panel->scrollPosition(), 71);
    panel->wheel(60);
    EXPECT_EQ(panel->scrollPosition(), 71);  // half a notch waits for the other half
    panel->wheel(60);
    EXPECT_EQ(panel->scrollPosition(), 21);
    panel->scrollTo(10000);
    EXPECT_EQ(blocks[5]->y(), 743 - (770 + 7 - 493));

    // Tall enough: no scroll bar, the panel narrows to 406 and the blocks return to their places.
    window->resize(1100, window->height() + 300);
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->scrollBar()->isVisible());
    EXPECT_EQ(panel->width(), 406);
    EXPECT_EQ(panel->x(), 1100 - 406);
    EXPECT_EQ(blocks[5]->y(), 743);
}

// The first row from the top at column `x` that differs from the block's face colour above it.
int firstLineRow(const QImage& image, int x) {
    const QRgb face = image.pixel(x, 0);
    for (int y = 1; y < image.height() / 2; ++y) {
        if (image.pixel(x, y) != face) return y;
    }
    return -1;
}

TEST_F(MainWindowLayoutTest, EachFrameTopEdgeRunsThroughItsCaptionRow) {
    showWithContentHeight(900);
    const PanelControls& c = window->panel();
    for (QWidget* block : {c.backgroundBlock, c.pasteBlock, c.watermarkBlock, c.sliceBlock, c.outputBlock}) {
        const QImage image = block->grab().toImage();
        // Right of every caption the frame line is all there is above the controls.
        EXPECT_EQ(firstLineRow(image, image.width() - 12), kFrameTopEdge)
            << block->objectName().toStdString();
    }
    // "保存图片" is drawn across the top edge, inside its block: ink above and below the line.
    const QImage output = c.outputBlock->grab().toImage();
    const QRgb face = output.pixel(output.width() - 12, 0);
    bool inkAbove = false, inkBelow = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 12; x < 60; ++x) {
            if (y == kFrameTopEdge || qGray(output.pixel(x, y)) > qGray(face) - 60) continue;
            (y < kFrameTopEdge ? inkAbove : inkBelow) = true;
        }
    }
    EXPECT_TRUE(inkAbove);
    EXPECT_TRUE(inkBelow);
}

TEST_F(MainWindowLayoutTest, MinimumSizeLeavesRoomForMenuAndPanel) {
    EXPECT_EQ(window->minimumSize(), QSize(780, window->menuBar()->sizeHint().height() + 500));
}

TEST_F(MainWindowLayoutTest, StatusBarPartsTextsAndIcons) {
    window->show();
    window->resize(1200, 700);
    QCoreApplication::processEvents();
    StatusBar* bar = window->statusParts();
    const int rights[] = {200, 400, 600, 660, 720, bar->width()};
    for (int part = 0; part < 6; ++part)
        EXPECT_EQ(bar->partRect(part).right() + 1, rights[part]) << part;
    EXPECT_GE(bar->height(), 19);

    EXPECT_EQ(bar->partIcon(kStatusBackgroundSize), StatusIcon::BackgroundSize);
    EXPECT_EQ(bar->partIcon(kStatusCursor), StatusIcon::CursorPosition);
    EXPECT_EQ(bar->partIcon(kStatusLayerSize), StatusIcon::LayerSize);
    EXPECT_EQ(bar->partIcon(kStatusZoom), StatusIcon::ZoomActual);
    EXPECT_EQ(bar->partIcon(kStatusDpi), std::nullopt);
    EXPECT_EQ(bar->partIcon(kStatusLoadMode), std::nullopt);
    EXPECT_EQ(window->statusText(kStatusZoom), QStringLiteral("100%"));

    window->setZoomStatus(0.25);
    EXPECT_EQ(window->statusText(kStatusZoom), QStringLiteral("25%"));
    EXPECT_EQ(bar->partIcon(kStatusZoom), StatusIcon::ZoomOut);
    window->setZoomStatus(8);
    EXPECT_EQ(window->statusText(kStatusZoom), QStringLiteral("800%"));
    EXPECT_EQ(bar->partIcon(kStatusZoom), StatusIcon::ZoomIn);

    window->setStatusText(kStatusBackgroundSize, QStringLiteral("800 x 800 像素"));
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), QStringLiteral("800 x 800 像素"));
    EXPECT_FALSE(statusIconPixmap(StatusIcon::ZoomIn).toImage().pixelColor(6, 6).alpha() == 0);
}

TEST(StatusTextLayoutTest, LeadingTabsAlign) {
    EXPECT_EQ(statusTextLayout(QStringLiteral("1, 2")).alignment, Qt::AlignLeft);
    const StatusTextLayout centred = statusTextLayout(QStringLiteral("\t72 dpi"));
    EXPECT_EQ(centred.alignment, Qt::AlignHCenter);
    EXPECT_EQ(centred.text, QStringLiteral("72 dpi"));
    const StatusTextLayout right = statusTextLayout(QStringLiteral("\t\t图片列表模式　 "));
    EXPECT_EQ(right.alignment, Qt::AlignRight);
    EXPECT_EQ(right.text, QStringLiteral("图片列表模式　 "));
}

}  // namespace
}  // namespace plazor
