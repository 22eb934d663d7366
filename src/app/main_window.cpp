#include "app/main_window.h"

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "app/panel_rules.h"
#include "app/preferences.h"
#include "app/side_panel.h"
#include "app/status_bar.h"
#include "template/document.h"
#include "util/window_names.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>

namespace plazor {
namespace {

// The window's content area: it lays out the canvas host and the side panel whenever it is resized.
class ContentArea : public QWidget {
  public:
    ContentArea(QWidget* parent, std::function<void()> onResize)
        : QWidget(parent), onResize_(std::move(onResize)) {}

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        onResize_();
    }

  private:
    std::function<void()> onResize_;
};

int maximisedHeightOf(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry().height() : 0;
}

// The side panel's texts are laid out for a 12-pixel font.
constexpr int kPanelFontPixels = 12;

}  // namespace

MainWindow::MainWindow(Document& doc, Preferences& prefs, QWidget* parent)
    : QMainWindow(parent), doc_(doc), prefs_(prefs) {
    setObjectName(QString::fromUtf8(window_names::kMainWindowClass));
    setTitleName(QString::fromUtf8(kNewTemplateTitle));

    buildMenus();
    buildAccelerators();

    content_ = new ContentArea(this, [this] { layoutContent(); });
    content_->setObjectName(QStringLiteral("Content"));
    setCentralWidget(content_);

    canvasHost_ = new QWidget(content_);
    canvasHost_->setObjectName(QString::number(ctl::kCanvasHost));
    canvasHost_->setGeometry(1, 1, 644, 900);
    canvas_ = new QWidget(canvasHost_);
    canvas_->setObjectName(QString::fromUtf8(window_names::kCanvasClass));
    canvas_->setGeometry(0, 0, 644, 900);

    sidePanel_ = new SidePanel(content_);
    QFont panelFont = sidePanel_->font();
    panelFont.setPixelSize(kPanelFontPixels);
    sidePanel_->setFont(panelFont);
    // The caption check boxes are as narrow as their texts; a tight indicator gap keeps them readable.
    sidePanel_->setStyleSheet(QStringLiteral("QCheckBox, QRadioButton { spacing: 2px; }"));
    sidePanel_->setGeometry(650, 8, 423, 900);
    controls_ = PanelBuilder::build(sidePanel_, pasteBlockGeometry(maximisedHeightOf(this)),
                                    [this] { forward(ctl::kSwatch); });
    // Keep the panel's scroll bar above the blocks.
    sidePanel_->scrollBar()->raise();
    connectControls();

    buildStatusBar();

    const WindowSize minimum = minimumWindowSize(menuBar()->sizeHint().height());
    setMinimumSize(minimum.width, minimum.height);

    onCommand(ctl::kCustomOption);
    stackBlocks();
    setStatusText(kStatusDpi, dpiStatusText(prefs_.dpi));
}

MainWindow::~MainWindow() {
    prefs_.storeDialogFolders();
}

void MainWindow::onCommand(int id) {
    bracketed(id, [this, id] { runCommand(id); });
}

void MainWindow::bracketed(int id, const std::function<void()>& body) {
    if (stepBracket_) {
        stepBracket_(id, body);
    } else {
        body();
    }
}

void MainWindow::runCommand(int id) {
    switch (id) {
        case ctl::kPictureOption:
            controls_.pictureOption->setChecked(true);
            applyControlRules();
            break;
        case ctl::kCustomOption:
            controls_.customOption->setChecked(true);
            applyControlRules();
            break;
        case ctl::kColourList:
        case ctl::kShowPictures:
        case ctl::kWatermarksOn:
        case ctl::kSlicesOn:
        case ctl::kFormatList:
        case ctl::kPng8:
            applyControlRules();
            break;
        default:
            runPreferenceCommand(id);
            break;
    }
    if (const auto it = handlers_.find(id); it != handlers_.end() && it->second) {
        const std::function<void()> handler = it->second;  // the handler may replace itself
        handler();
    }
    // The load mode's status text follows the reload that a handler does.
    if (id == cmd::kLoadModePictures || id == cmd::kLoadModeSubFolders) {
        setStatusText(kStatusLoadMode, loadModeStatusText(prefs_.loadMode));
    }
}

void MainWindow::setCommandHandler(int id, std::function<void()> handler) {
    handlers_[id] = std::move(handler);
}

void MainWindow::setListEventHandler(std::function<void(const ListEvent&)> handler) {
    listHandler_ = std::move(handler);
}

void MainWindow::setStepBracket(StepBracket bracket) {
    stepBracket_ = std::move(bracket);
}

void MainWindow::setCloseHandler(std::function<bool()> handler) {
    closeHandler_ = std::move(handler);
}

QString MainWindow::titleFor(const QString& templateName) {
    // Not translated: the companion program finds the window by this title.
    return QString::fromUtf8(window_names::kMainTitlePrefix) + templateName;
}

void MainWindow::setTitleName(const QString& templateName) {
    setWindowTitle(titleFor(templateName));
}

QWidget* MainWindow::control(int id) const {
    const QString name = QString::number(id);
    if (objectName() == name) return const_cast<MainWindow*>(this);
    return findChild<QWidget*>(name);
}

void MainWindow::setCanvas(QWidget* canvas) {
    if (!canvas || canvas == canvas_) return;
    delete canvas_;
    canvas_ = canvas;
    canvas_->setParent(canvasHost_);
    canvas_->setObjectName(QString::fromUtf8(window_names::kCanvasClass));
    canvas_->setGeometry(0, 0, canvasHost_->width(), canvasHost_->height());
    canvas_->show();
}

void MainWindow::setStatusText(int part, const QString& text) {
    statusBar_->setPartText(part, text);
}

QString MainWindow::statusText(int part) const {
    return statusBar_->partText(part);
}

void MainWindow::setZoomStatus(double zoom) {
    zoom_ = zoom;
    setStatusText(kStatusZoom, QStringLiteral("%1%").arg(qRound(zoom * 100)));
    statusBar_->setPartIcon(kStatusZoom, zoomIcon(zoom));
}

void MainWindow::setDpi(int dpi) {
    prefs_.setDpi(dpi);
    setStatusText(kStatusDpi, dpiStatusText(dpi));
}

void MainWindow::buildStatusBar() {
    statusBar_ = new StatusBar(this);
    setStatusBar(statusBar_);
    statusBar_->setPartIcon(kStatusBackgroundSize, StatusIcon::BackgroundSize);
    statusBar_->setPartIcon(kStatusCursor, StatusIcon::CursorPosition);
    statusBar_->setPartIcon(kStatusLayerSize, StatusIcon::LayerSize);
    setZoomStatus(1.0);
    setStatusText(kStatusLoadMode, loadModeStatusText(prefs_.loadMode));
    connect(statusBar_, &StatusBar::partClicked, this, &MainWindow::onStatusPartClicked);
}

void MainWindow::forward(int id) {
    if (!syncing_) onCommand(id);
}

void MainWindow::connectControls() {
    const PanelControls& c = controls_;
    for (QRadioButton* radio : {c.pictureOption, c.customOption}) {
        const int id = radio->objectName().toInt();
        connect(radio, &QRadioButton::clicked, this, [this, id] { forward(id); });
    }
    for (QCheckBox* check : {c.pasteShowAreas, c.showPictures, c.watermarksOn, c.watermarkShowAreas,
                             c.slicesOn, c.sliceHtml, c.transparency, c.png8}) {
        const int id = check->objectName().toInt();
        connect(check, &QCheckBox::clicked, this, [this, id] { forward(id); });
    }
    for (QPushButton* button : {c.chooseBackground, c.chooseSource, c.chooseOutput, c.start}) {
        const int id = button->objectName().toInt();
        connect(button, &QPushButton::clicked, this, [this, id] { forward(id); });
    }
    for (QComboBox* list : {c.unit, c.colour, c.format, c.colourSpace, c.colourCount}) {
        const int id = list == c.colourSpace ? ctl::kFormatList : list->objectName().toInt();
        connect(list, &QComboBox::activated, this, [this, id] { forward(id); });
    }
    // Like an edit's change notification, these fire for the program's own writes too; the command
    // logic ignores those while it writes.
    for (QLineEdit* edit : {c.width, c.height}) {
        const int id = edit->objectName().toInt();
        connect(edit, &QLineEdit::textChanged, this, [this, id] { forward(id); });
    }
    connect(c.quality, &QSlider::valueChanged, this, [this](int value) {
        controls_.qualityText->setText(QString::fromStdString(qualityText(value)));
        forward(ctl::kQualitySlider);
    });
    for (LayerList* list : {c.pasteList, c.watermarkList, c.sliceList}) {
        connect(list, &LayerList::listEvent, this, &MainWindow::onListEvent);
    }
}

void MainWindow::applyControlRules() {
    PanelControls& c = controls_;
    const bool picture = c.pictureOption->isChecked();
    c.pictureRow->setVisible(picture);
    c.customRow->setVisible(!picture);
    c.swatch->setEnabled(swatchEnabled(c.colour->currentIndex()));

    const SwitchRules rules =
        switchRules(c.showPictures->isChecked(), c.watermarksOn->isChecked(), c.slicesOn->isChecked());
    if (rules.pasteShowAreasForced) c.pasteShowAreas->setChecked(true);
    c.pasteShowAreas->setEnabled(rules.pasteShowAreasEnabled);
    c.watermarkList->setEnabled(rules.watermarkControlsEnabled);
    c.watermarkShowAreas->setEnabled(rules.watermarkControlsEnabled);
    c.sliceList->setEnabled(rules.sliceControlsEnabled);
    c.sliceHtml->setEnabled(rules.sliceControlsEnabled);

    const OutputVisibility output =
        outputVisibility(c.format->currentText().toStdString(), c.png8->isChecked());
    for (QWidget* jpg : std::initializer_list<QWidget*>{c.colourSpaceLabel, c.colourSpace, c.qualityLabel,
                                                        c.quality, c.qualityText}) {
        jpg->setVisible(output.jpgControls);
    }
    c.transparency->setVisible(output.pngControls);
    c.png8->setVisible(output.pngControls);
    c.colourCountLabel->setVisible(output.colourCount);
    c.colourCount->setVisible(output.colourCount);
}

void MainWindow::syncFromDocument() {
    syncing_ = true;
    PanelControls& c = controls_;
    const Background& bg = doc_.background;
    (bg.kind == kPictureBackground ? c.pictureOption : c.customOption)->setChecked(true);
    c.picturePath->setText(QString::fromStdString(bg.picturePath));
    PanelBuilder::applySizeFieldLimits(c, bg.unit);
    c.width->setText(QString::fromStdString(bg.szWidth));
    c.height->setText(QString::fromStdString(bg.szHeight));
    c.unit->setCurrentIndex(std::clamp(bg.unit, 0, c.unit->count() - 1));
    c.colour->setCurrentIndex(std::clamp(bg.colourChoice, 0, c.colour->count() - 1));
    c.swatch->setColour(bg.colour);

    const Settings& s = doc_.settings;
    c.pasteShowAreas->setChecked(s.picturesShowSelectArea);
    c.showPictures->setChecked(s.picturesShowPicture);
    c.watermarksOn->setChecked(s.watermarkOpen);
    c.watermarkShowAreas->setChecked(s.watermarkShowSelectArea);
    c.slicesOn->setChecked(s.cutlineOpen);
    c.sliceHtml->setChecked(s.cutlineHtmlOpen);
    c.format->setCurrentIndex(std::clamp(s.format, 0, c.format->count() - 1));
    c.colourSpace->setCurrentIndex(std::clamp(s.colourSpace, 0, c.colourSpace->count() - 1));
    c.quality->setValue(s.quality);
    c.transparency->setChecked(s.transparent);
    c.png8->setChecked(s.png8);
    c.colourCount->setCurrentIndex(colourCountIndex(s.colourCount));
    c.sourceFolder->setText(QString::fromStdString(doc_.sourceFolder));
    c.outputFolder->setText(QString::fromStdString(doc_.outputFolder));

    refreshLists();
    applyControlRules();
    syncing_ = false;
}

void MainWindow::storeSettingsInDocument() {
    const PanelControls& c = controls_;
    Settings& s = doc_.settings;
    s.picturesShowSelectArea = c.pasteShowAreas->isChecked();
    s.picturesShowPicture = c.showPictures->isChecked();
    s.watermarkOpen = c.watermarksOn->isChecked();
    s.watermarkShowSelectArea = c.watermarkShowAreas->isChecked();
    s.cutlineOpen = c.slicesOn->isChecked();
    s.cutlineHtmlOpen = c.sliceHtml->isChecked();
    s.format = c.format->currentIndex();
    s.colourSpace = c.colourSpace->currentIndex();
    s.quality = c.quality->value();
    s.transparent = c.transparency->isChecked();
    s.png8 = c.png8->isChecked();
    s.colourCount = colourCountAt(c.colourCount->currentIndex());
}

void MainWindow::applyScreenHeight(int maximisedHeight) {
    PanelBuilder::applyPasteGeometry(controls_, pasteBlockGeometry(maximisedHeight));
    stackBlocks();
}

void MainWindow::stackBlocks() {
    sidePanel_->setBlocks(controls_.blocks());
    layoutContent();
}

void MainWindow::layoutContent() {
    const ContentLayout layout =
        contentLayout(content_->width(), content_->height(), sidePanel_->stackedHeight(),
                      SidePanel::scrollBarWidth(sidePanel_));
    const Box& panel = layout.sidePanel;
    sidePanel_->setGeometry(panel.x, panel.y, panel.width, panel.height);
    const Box& host = layout.canvasHost;
    canvasHost_->setGeometry(host.x, host.y, host.width, host.height);
    canvas_->setGeometry(0, 0, host.width, host.height);
    sidePanel_->updateScrollRange();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize min = minimumSize();
    if (shouldRestoreFromMaximised({width(), height()}, {min.width(), min.height()}, isMaximized()))
        showNormal();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeHandler_ && !closeHandler_()) {
        event->ignore();
        return;
    }
    // A tool window still showing (the custom display style window has no close box) would keep the
    // event loop, and with it the process, running after the main window went away.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible()) child->hide();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace plazor
