// The editor as a new user meets it: started the way the program starts (runEditor, the real UI port
// with real message boxes and file dialogs, Qt's own texts in Chinese) on a real display, and driven
// only through its widgets: menu clicks, right clicks, double clicks and typing. Every modal window is
// answered from its own event loop, found as the application's active modal widget. Each step leaves
// a screenshot NN-name.png in the walkthrough folder (PLAZOR_WALKTHROUGH_SHOTS overrides it).
// Run it through scripts/walkthrough.sh, which gives it a virtual display and a throwaway home.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/command_ids.h"
#include "app/commands/editor_commands.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "canvas/canvas_widget.h"
#include "render/png8.h"
#include "shell/balloon_tip.h"
#include "shell/qt_translations.h"
#include "shell/qt_ui_port.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"
#include "template/document.h"
#include "template/template_file.h"
#include "util/magick.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

constexpr int kSettleMs = 350;        // lets the display show what was just painted
constexpr int kWaitMs = 15000;        // the longest a step waits for a window
constexpr int kTimeLimitMs = 180000;  // the whole walkthrough
constexpr int kPictures = 40;         // 20 batches of two: the progress window stays long enough to see
constexpr int kSeriesPictures = 4;    // in each of the companion's two folders: two batches each
constexpr int kGuideColours = 128;    // enough for the interface and the sample pictures, and small

const QString kShortcutQuestion = QStringLiteral("需要在桌面上创建一个软件打开的快捷方式吗？");
const QString kCompletionQuestion = QStringLiteral("图片处理已完成，是否查看处理后的图片？");

QString title(const QString& name) {
    return QStringLiteral("Plazor图片排版工具 - ") + name;
}

QString shotsFolder() {
    const QByteArray chosen = qgetenv("PLAZOR_WALKTHROUGH_SHOTS");
    return chosen.isEmpty() ? QStringLiteral(PLAZOR_WALKTHROUGH_SHOTS) : QString::fromLocal8Bit(chosen);
}

// The folder for the user guide's pictures, when they are asked for (scripts/walkthrough.sh --guide-shots).
QString guideFolder() {
    return QString::fromLocal8Bit(qgetenv("PLAZOR_GUIDE_SHOTS"));
}

// Whole-screen pictures, numbered in the order they are taken, and the guide's pictures of parts of it.
class Shots {
  public:
    Shots() : folder_(shotsFolder()), guideFolder_(guideFolder()) {
        QDir().mkpath(folder_);
        if (!guideFolder_.isEmpty()) QDir().mkpath(guideFolder_);
    }

    // `area` of the screen as NAME.png in the guide's folder. The guide's pictures are committed, so
    // they are written as palette PNGs by the program's own PNG-8 writer.
    void guide(const QString& name, const QRect& area) {
        if (guideFolder_.isEmpty()) return;
        QTest::qWait(kSettleMs);
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        const QImage picture = screen->grabWindow(0).toImage().copy(area & screen->geometry());
        QByteArray png;
        QBuffer buffer(&png);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
        ensureMagickStarted();
        const Wand wand = readBlob(png.toStdString());
        ASSERT_TRUE(wand);
        const fs::path path = fs::path(guideFolder_.toStdString()) / (name.toStdString() + ".png");
        const Status written = writePng8(wand.get(), kGuideColours, path);
        EXPECT_TRUE(written.ok()) << path << ": " << (written.ok() ? std::string() : written.error());
    }

    void take(const QString& name) {
        QTest::qWait(kSettleMs);
        const QString path =
            QStringLiteral("%1/%2-%3.png").arg(folder_).arg(next_++, 2, 10, QChar('0')).arg(name);
        QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        EXPECT_TRUE(screen->grabWindow(0).save(path)) << path.toStdString();
    }

  private:
    QString folder_;
    QString guideFolder_;
    int next_ = 1;
};

// What a modal window shows, for failure messages.
std::string describe(QWidget* window) {
    QString text = window->metaObject()->className() + QStringLiteral(" '") + window->windowTitle() +
                   QStringLiteral("'");
    if (auto* box = qobject_cast<QMessageBox*>(window)) text += QStringLiteral(": ") + box->text();
    return text.toStdString();
}

// Answers the modal windows in the order the scenario expects them. Each answer runs from the event
// loop that shows the window, as the user's input would arrive. A window that is not the expected one
// is a failure: it is photographed and dismissed, so that the walkthrough goes on.
class ModalAnswers : public QObject {
  public:
    using Matcher = std::function<bool(QWidget*)>;
    using Answer = std::function<void(QWidget*)>;

    explicit ModalAnswers(Shots& shots) : shots_(shots) {
        connect(&poll_, &QTimer::timeout, this, &ModalAnswers::poll);
        poll_.start(20);
        qApp->installEventFilter(this);
    }
    ~ModalAnswers() override { qApp->removeEventFilter(this); }

    void expect(const QString& what, Matcher matches, Answer answer) {
        steps_.push_back({what, std::move(matches), std::move(answer)});
    }

    // Windows that may come and go any number of times, unanswered (the progress window of each task
    // another program hands over); until stopTolerating().
    void tolerate(Matcher matches) { tolerated_ = std::move(matches); }
    void stopTolerating() { tolerated_ = nullptr; }

    // The expected windows that have not appeared yet.
    QStringList pending() const {
        QStringList names;
        for (const Step& step : steps_)
            names << step.what;
        return names;
    }

  protected:
    // A window that is shown is looked at at once, before a short run could hide it again.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QTimer::singleShot(0, this, &ModalAnswers::poll);
        }
        return false;
    }

  private:
    struct Step {
        QString what;
        Matcher matches;
        Answer answer;
    };

    void poll() {
        std::erase_if(handled_, [](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        for (const QPointer<QWidget>& w : handled_) {
            if (w == modal) return;
        }
        handled_.emplace_back(modal);
        if (tolerated_ && tolerated_(modal)) return;
        if (steps_.empty() || !steps_.front().matches(modal)) {
            ADD_FAILURE() << "unexpected window " << describe(modal) << ", expected "
                          << (steps_.empty() ? std::string("none") : steps_.front().what.toStdString());
            shots_.take(QStringLiteral("unexpected"));
            dismiss(modal);
            return;
        }
        const Step step = steps_.front();
        steps_.pop_front();
        const QPointer<QWidget> target(modal);
        // A fresh timer: the answer may open a nested modal window that this poll must see too.
        QTimer::singleShot(0, this, [step, target] {
            if (target) step.answer(target);
        });
    }

    static void dismiss(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->escapeButton()) {
            box->escapeButton()->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }

    Shots& shots_;
    QTimer poll_;
    std::deque<Step> steps_;
    Matcher tolerated_;
    std::vector<QPointer<QWidget>> handled_;
};

ModalAnswers::Matcher messageBox(const QString& text) {
    return [text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->text() == text;
    };
}

ModalAnswers::Matcher windowTitled(const QString& className, const QString& windowTitle) {
    return [=](QWidget* w) {
        return w->inherits(className.toLatin1().constData()) && w->windowTitle() == windowTitle;
    };
}

void clickBoxButton(QWidget* window, const QString& text) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    FAIL() << "no button " << text.toStdString() << " in " << describe(window);
}

// Replaces a field's text as a user does: click, select all, type.
void retype(QLineEdit* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Pastes a path into the name field of Qt's file dialog, closes the completion list it may have
// opened, and presses the dialog's accept button. Pasted in one piece, the path never passes through
// the partial paths ("/", "/tmp", ...) that the dialog's completion would act on while it is typed.
void pastePathAndAccept(QWidget* window, const QString& path, Shots& shots, const QString& shotName) {
    auto* dialog = qobject_cast<QFileDialog*>(window);
    ASSERT_NE(dialog, nullptr) << describe(window);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QGuiApplication::clipboard()->setText(path);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name->text(), path);
    QTest::qWait(kSettleMs);
    if (QWidget* completions = QApplication::activePopupWidget())
        QTest::keyClick(completions, Qt::Key_Escape);
    shots.take(shotName);
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    FAIL() << "no accept button in " << describe(window);
}

QMenu* waitForPopupMenu() {
    QMenu* menu = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            return menu && menu->isVisible();
        },
        kWaitMs);
    EXPECT_TRUE(shown) << "no menu opened";
    return shown ? menu : nullptr;
}

// A double click as the window system delivers it: press, release, press, double click, release.
void doubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

QAction* menuItem(QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == id) return action;
    }
    return nullptr;
}

// Clicks a menu item; returns when its command (and any modal window it opened) has finished.
void clickMenuItem(QMenu* menu, int id) {
    ASSERT_NE(menu, nullptr);
    QAction* action = menuItem(menu, id);
    ASSERT_NE(action, nullptr) << id;
    ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
    const QPoint at = menu->actionGeometry(action).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
}

QStringList rowTexts(const LayerList* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts.push_back(list->item(row, c) ? list->item(row, c)->text() : QString());
    return texts;
}

QStringList texts(std::initializer_list<const char*> cells) {
    QStringList out;
    for (const char* cell : cells)
        out << QString::fromUtf8(cell);
    return out;
}

int countFiles(const fs::path& folder, const std::string& extension) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().extension() == extension ? 1 : 0;
    return count;
}

bool isWhite(QRgb pixel) {
    return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245;
}

// Share of pixels in `area` that are not white.
double paintedShare(const QImage& image, const QRect& area) {
    int painted = 0;
    for (int y = area.top(); y <= area.bottom(); y += 4) {
        for (int x = area.left(); x <= area.right(); x += 4)
            painted += isWhite(image.pixel(x, y)) ? 0 : 1;
    }
    return painted / double(((area.width() + 3) / 4) * ((area.height() + 3) / 4));
}

class Walkthrough : public ::testing::Test {
  protected:
    TempDir dir;
    std::string source = dir / "照片";
    std::string output = dir / "成品";
    std::string templateFile = dir / "走查模版.dat";
    Shots shots;
    ModalAnswers answers{shots};
    MainWindow* window = nullptr;
    bool finished = false;

    void SetUp() override {
        makeSamples(source, kPictures);
        fs::create_directories(output);
    }

    template <class T>
    T* control(int id) const {
        T* widget = qobject_cast<T*>(window->control(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    QMenu* openMenuBarMenu(const QString& text) {
        QMenuBar* bar = window->menuBar();
        for (QAction* action : bar->actions()) {
            if (action->text() == text) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
                return waitForPopupMenu();
            }
        }
        ADD_FAILURE() << "no menu " << text.toStdString();
        return nullptr;
    }

    // A right click as the window system delivers it: the press, then the context menu request.
    QMenu* openPasteContextMenu(const QPoint& at) { return openListContextMenu(window->pasteList(), at); }

    QMenu* openListContextMenu(LayerList* list, const QPoint& at) {
        QWidget* viewport = list->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &request);
        return waitForPopupMenu();
    }

    QPoint cellCentre(int row, int column) const {
        const LayerList* list = window->pasteList();
        return list->visualRect(list->model()->index(row, column)).center();
    }

    // A point in the paste list below its last row.
    QPoint belowRows() const {
        const LayerList* list = window->pasteList();
        const int rowsBottom = list->rowCount() * kListRowHeight;
        return {list->viewport()->width() / 2, std::min(rowsBottom + 10, list->viewport()->height() - 3)};
    }

    // Types x, y, width and height into the paste layer dialog.
    void fillPasteDialog(QWidget* dialog, const QStringList& numbers) {
        const char* const fields[] = {"editX", "editY", "editWidth", "editHeight"};
        for (int i = 0; i < 4; ++i)
            retype(dialog->findChild<QLineEdit*>(QLatin1String(fields[i])), numbers[i]);
    }

    void pressOk(QWidget* dialog) {
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    static QRect blockOnScreen(const QWidget* block) {
        return QRect(block->mapToGlobal(QPoint(0, 0)), block->size());
    }

    // ---- another program's windows, through xdotool ----

    // What xdotool printed; empty when it failed or did not finish in time.
    static QString xdoOutput(const QStringList& args) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), args);
        if (!xdotool.waitForFinished(kWaitMs)) {
            xdotool.kill();
            xdotool.waitForFinished();
            return {};
        }
        if (xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0) return {};
        return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
    }

    // The shown X window titled exactly `windowTitle`, or empty.
    static QString xWindow(const QString& windowTitle) {
        return xdoOutput({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                          QLatin1Char('^') + windowTitle + QLatin1Char('$')})
            .section(QLatin1Char('\n'), 0, 0);
    }

    static QString waitForXWindow(const QString& windowTitle) {
        QString id;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                id = xWindow(windowTitle);
                return !id.isEmpty();
            },
            kWaitMs))
            << "no window " << windowTitle.toStdString();
        return id;
    }

    static QRect xGeometry(const QString& id) {
        QRect box;
        for (const QString& line :
             xdoOutput({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id}).split('\n')) {
            const int value = line.section('=', 1).toInt();
            if (line.startsWith(QStringLiteral("X="))) box.moveLeft(value);
            if (line.startsWith(QStringLiteral("Y="))) box.moveTop(value);
            if (line.startsWith(QStringLiteral("WIDTH="))) box.setWidth(value);
            if (line.startsWith(QStringLiteral("HEIGHT="))) box.setHeight(value);
        }
        return box;
    }

    // Gives another program's window the keyboard and presses `keys` there.
    void keysTo(const QString& id, const QStringList& keys) {
        xdo({QStringLiteral("windowfocus"), id});
        xdo(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
    }

    void makeSamples(const fs::path& folder, int count) {
        QProcess samples;
        samples.start(
            QStringLiteral(PLAZOR_MAKE_SAMPLES),
            {QString::fromStdString(folder.string()), QStringLiteral("--count"), QString::number(count)});
        ASSERT_TRUE(samples.waitForFinished(60000));
        ASSERT_EQ(samples.exitCode(), 0) << samples.readAllStandardError().toStdString();
    }

    // ---- the steps ----

    void startWithANewTemplate() {
        EXPECT_EQ(window->windowTitle(), title(QStringLiteral("新模版")));
        EXPECT_EQ(window->statusText(kStatusBackgroundSize), QStringLiteral("800 x 800 像素"));
        shots.take(QStringLiteral("main-window"));
        QMenu* file = openMenuBarMenu(QStringLiteral("文件(&F)"));
        shots.take(QStringLiteral("file-menu"));
        // Nothing to save yet: no question.
        clickMenuItem(file, cmd::kNewTemplate);
        EXPECT_EQ(window->windowTitle(), title(QStringLiteral("新模版")));
        EXPECT_EQ(window->pasteList()->rowCount(), 0);
    }

    void createTwoPasteLayers() {
        LayerList* list = window->pasteList();
        QMenu* menu = openPasteContextMenu(belowRows());
        shots.take(QStringLiteral("paste-context-menu"));
        clickMenuItem(menu, cmd::kPasteNew);
        ASSERT_EQ(list->rowCount(), 1);
        EXPECT_EQ(rowTexts(list, 0), texts({"1", "", "", "", "", "背景上方", "填充式缩放"}));
        EXPECT_EQ(list->selectedRowIndices(), std::vector<int>{0});
        shots.take(QStringLiteral("paste-layer-1-new"));

        // The first layer's rectangle through a double click on its row.
        answers.expect(QStringLiteral("贴图层#1"),
                       windowTitled(QStringLiteral("QDialog"), QStringLiteral("贴图层#1")),
                       [this](QWidget* dialog) {
                           auto* x = dialog->findChild<QLineEdit*>(QStringLiteral("editX"));
                           ASSERT_NE(x, nullptr);
                           EXPECT_TRUE(x->text().isEmpty());  // a layer not drawn yet
                           EXPECT_TRUE(QTest::qWaitFor([x] { return x->hasFocus(); }, 2000));
                           fillPasteDialog(dialog, {"10", "10", "380", "380"});
                           shots.take(QStringLiteral("paste-dialog-1"));
                           pressOk(dialog);
                       });
        doubleClick(list->viewport(), cellCentre(0, 0));
        EXPECT_EQ(rowTexts(list, 0), texts({"1", "10", "10", "380", "380", "背景上方", "填充式缩放"}));
        EXPECT_EQ(window->statusText(kStatusLayerSize), QStringLiteral("380 x 380 像素"));
        shots.take(QStringLiteral("paste-layer-1-placed"));

        // The second layer: "新建" below the rows, then "编辑" from the menu of its row. A width that
        // reaches past the background is refused first.
        clickMenuItem(openPasteContextMenu(belowRows()), cmd::kPasteNew);
        ASSERT_EQ(list->rowCount(), 2);
        EXPECT_EQ(list->selectedRowIndices(), std::vector<int>{1});
        QMenu* rowMenu = openPasteContextMenu(cellCentre(1, 2));
        shots.take(QStringLiteral("paste-row-menu"));
        answers.expect(
            QStringLiteral("贴图层#2"), windowTitled(QStringLiteral("QDialog"), QStringLiteral("贴图层#2")),
            [this](QWidget* dialog) {
                fillPasteDialog(dialog, {"410", "10", "400", "380"});
                pressOk(dialog);
                EXPECT_TRUE(dialog->isVisible());
                retype(dialog->findChild<QLineEdit*>(QStringLiteral("editWidth")), QStringLiteral("380"));
                shots.take(QStringLiteral("paste-dialog-2"));
                pressOk(dialog);
            });
        answers.expect(
            QStringLiteral("x + width refusal"),
            [](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                return box && box->text().startsWith(QStringLiteral("x坐标  +  宽度  >  【背景层】宽度\n"));
            },
            [this](QWidget* box) {
                EXPECT_EQ(box->windowTitle(), QStringLiteral("提示"));
                EXPECT_TRUE(qobject_cast<QMessageBox*>(box)->text().contains(QStringLiteral("810")));
                shots.take(QStringLiteral("paste-dialog-refusal"));
                clickBoxButton(box, QStringLiteral("确定"));
            });
        clickMenuItem(rowMenu, cmd::kPasteEdit);
        EXPECT_EQ(rowTexts(list, 1), texts({"2", "410", "10", "380", "380", "背景上方", "填充式缩放"}));
        shots.take(QStringLiteral("two-paste-layers"));
    }

    void chooseTheFolders() {
        answers.expect(QStringLiteral("source folder dialog"),
                       windowTitled(QStringLiteral("QFileDialog"), QStringLiteral("选择【源图片文件夹】：")),
                       [this](QWidget* dialog) {
                           // Nothing chosen yet: the chooser opens in the home folder.
                           EXPECT_EQ(qobject_cast<QFileDialog*>(dialog)->directory().absolutePath(),
                                     QDir::homePath());
                           pastePathAndAccept(dialog, QString::fromStdString(source), shots,
                                              QStringLiteral("source-folder-dialog"));
                       });
        QTest::mouseClick(control<QPushButton>(ctl::kChooseSource), Qt::LeftButton);
        EXPECT_EQ(control<QLineEdit>(ctl::kSourceFolder)->text().toStdString(), source);
        EXPECT_EQ(control<QLineEdit>(ctl::kOutputFolder)->text().toStdString(), source + "_处理后");

        answers.expect(QStringLiteral("output folder dialog"),
                       windowTitled(QStringLiteral("QFileDialog"), QStringLiteral("图片处理后保存到：")),
                       [this](QWidget* dialog) {
                           // The proposed output folder does not exist yet: the chooser opens beside it.
                           EXPECT_EQ(
                               qobject_cast<QFileDialog*>(dialog)->directory().absolutePath().toStdString(),
                               dir.str());
                           pastePathAndAccept(dialog, QString::fromStdString(output), shots,
                                              QStringLiteral("output-folder-dialog"));
                       });
        QTest::mouseClick(control<QPushButton>(ctl::kChooseOutput), Qt::LeftButton);
        EXPECT_EQ(control<QLineEdit>(ctl::kOutputFolder)->text().toStdString(), output);
        shots.take(QStringLiteral("folders-chosen"));
        shots.guide(QStringLiteral("run-folders"),
                    blockOnScreen(window->panel().pasteBlock) | blockOnScreen(window->panel().outputBlock));
    }

    void startTheRun() {
        const int batches = kPictures / 2;
        answers.expect(
            QStringLiteral("progress window"),
            windowTitled(QStringLiteral("QDialog"), QStringLiteral("处理进度")),
            [this, batches](QWidget* progress) {
                EXPECT_EQ(progress->objectName(), QStringLiteral("Process"));
                EXPECT_FALSE(window->isEnabled());
                shots.take(QStringLiteral("progress-window"));
                auto* text = progress->findChild<QLabel*>(QStringLiteral("progressText"));
                ASSERT_NE(text, nullptr);
                EXPECT_TRUE(
                    QRegularExpression(QStringLiteral("^共 %1 批图片，正在处理第 \\d+ 批。$").arg(batches))
                        .match(text->text())
                        .hasMatch())
                    << text->text().toStdString();
                EXPECT_EQ(progress->findChild<QProgressBar*>()->maximum(), batches);
                EXPECT_EQ(progress->findChild<QPushButton*>()->text(), QStringLiteral("停止"));
                shots.guide(QStringLiteral("run-progress"),
                            window->frameGeometry() | progress->frameGeometry());
            });
        answers.expect(QStringLiteral("completion question"), messageBox(kCompletionQuestion),
                       [this](QWidget* box) {
                           EXPECT_EQ(box->windowTitle(), QStringLiteral("完成"));
                           EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("Process"))->isVisible());
                           shots.take(QStringLiteral("completion-question"));
                           clickBoxButton(box, QStringLiteral("否(&N)"));
                       });
        QTest::mouseClick(control<QPushButton>(ctl::kStart), Qt::LeftButton);
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(answers.pending(), QStringList());

        ASSERT_EQ(countFiles(output, ".jpg"), batches);
        // Batches are named after their first picture.
        const QImage first(QString::fromStdString(output + "/photo_001.jpg"));
        ASSERT_FALSE(first.isNull());
        EXPECT_EQ(first.size(), QSize(800, 800));
        EXPECT_GT(paintedShare(first, QRect(10, 10, 380, 380)), 0.5);
        EXPECT_GT(paintedShare(first, QRect(410, 10, 380, 380)), 0.5);
        EXPECT_EQ(paintedShare(first, QRect(0, 400, 800, 400)), 0.0);
        shots.take(QStringLiteral("after-run"));
    }

    void saveTheTemplate() {
        answers.expect(QStringLiteral("save dialog"),
                       windowTitled(QStringLiteral("QFileDialog"), QStringLiteral("模版保存到")),
                       [this](QWidget* dialog) {
                           // Typed without its extension: ".dat" is added.
                           pastePathAndAccept(dialog, QString::fromStdString(dir / "走查模版"), shots,
                                              QStringLiteral("save-dialog"));
                       });
        // Without a window manager nobody hands the focus back after the last box: the user clicks
        // into the window first.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(fs::is_regular_file(templateFile));
        EXPECT_EQ(window->windowTitle(), title(QStringLiteral("走查模版.dat")));
        shots.take(QStringLiteral("template-saved"));
    }

    void openItAgain() {
        const LayerList* list = window->pasteList();
        const QStringList row1 = rowTexts(list, 0), row2 = rowTexts(list, 1);

        answers.expect(QStringLiteral("open dialog"),
                       windowTitled(QStringLiteral("QFileDialog"), QStringLiteral("打开模版")),
                       [this](QWidget* dialog) {
                           pastePathAndAccept(dialog, QString::fromStdString(templateFile), shots,
                                              QStringLiteral("open-dialog"));
                       });
        // An unchanged template is opened without the question.
        clickMenuItem(openMenuBarMenu(QStringLiteral("文件(&F)")), cmd::kOpenTemplate);
        EXPECT_EQ(window->windowTitle(), title(QStringLiteral("走查模版.dat")));
        ASSERT_EQ(list->rowCount(), 2);
        EXPECT_EQ(rowTexts(list, 0), row1);
        EXPECT_EQ(rowTexts(list, 1), row2);
        // The folders belong to the run, not to the template: opening starts without them.
        EXPECT_TRUE(control<QLineEdit>(ctl::kSourceFolder)->text().isEmpty());
        EXPECT_TRUE(control<QLineEdit>(ctl::kOutputFolder)->text().isEmpty());
        EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundWidth)->text(), QStringLiteral("800"));
        EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundHeight)->text(), QStringLiteral("800"));
        EXPECT_EQ(window->statusText(kStatusBackgroundSize), QStringLiteral("800 x 800 像素"));
        shots.take(QStringLiteral("template-opened"));
    }

    void newAsksNothing() {
        // Any question here is an unexpected window and fails the walkthrough.
        clickMenuItem(openMenuBarMenu(QStringLiteral("文件(&F)")), cmd::kNewTemplate);
        EXPECT_EQ(window->windowTitle(), title(QStringLiteral("新模版")));
        EXPECT_EQ(window->pasteList()->rowCount(), 0);
        EXPECT_TRUE(window->statusText(kStatusLayerSize).isEmpty());
        shots.take(QStringLiteral("new-template-again"));
    }

    // Opens a drop-down list with the mouse and picks an item with the arrow keys and Enter.
    void pick(QComboBox* list, const QString& item) {
        ASSERT_NE(list, nullptr);
        const int row = list->findText(item);
        ASSERT_GE(row, 0) << item.toStdString();
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, kWaitMs));
        while (view->currentIndex().row() < row)
            QTest::keyClick(view, Qt::Key_Down);
        while (view->currentIndex().row() > row)
            QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, kWaitMs));
    }

    // The output block's PNG layout, with PNG-8 and its colour count.
    void lookAtThePngSettings() {
        pick(control<QComboBox>(ctl::kFormatList), QStringLiteral("PNG"));
        auto* png8 = control<QCheckBox>(ctl::kPng8);
        ASSERT_NE(png8, nullptr);
        EXPECT_TRUE(png8->isVisible());
        EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("QualitySlider"))->isVisible());
        QTest::mouseClick(png8, Qt::LeftButton);
        EXPECT_TRUE(control<QComboBox>(ctl::kColourCount)->isVisible());
        EXPECT_EQ(control<QComboBox>(ctl::kColourCount)->currentText(), QStringLiteral("256"));
        shots.take(QStringLiteral("png-settings"));
    }

    // ---- the canvas, driven by real X pointer, key and wheel events (xdotool) ----

    Canvas& canvas() const { return *qobject_cast<Canvas*>(window->canvas()); }

    // The screen position of a template pixel at the canvas's present zoom and scroll positions.
    QPoint onScreen(int x, int y) const {
        const WindowPoint p = canvas().mapping().toWindow(x, y);
        return canvas().viewport()->mapToGlobal(QPoint(p.x, p.y));
    }

    void xdo(const QStringList& args) {
        EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0) << args.join(' ').toStdString();
        QTest::qWait(40);
    }
    void pointerTo(const QPoint& at) {
        xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    }
    void clickAt(const QPoint& at, int button) {
        pointerTo(at);
        xdo({QStringLiteral("click"), QString::number(button)});
    }

    // Press at one template point, move there in a few steps, and (unless told otherwise) release.
    void dragOnCanvas(QPoint from, QPoint to, bool release = true) {
        const QPoint a = onScreen(from.x(), from.y()), b = onScreen(to.x(), to.y());
        pointerTo(a);
        xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int k = 1; k <= 4; ++k)
            pointerTo(a + (b - a) * k / 4);
        if (release) xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    QMenu* canvasMenuAt(int x, int y) {
        clickAt(onScreen(x, y), 3);
        auto* menu = canvas().findChild<QMenu*>(QStringLiteral("canvasContextMenu"));
        EXPECT_TRUE(menu && QTest::qWaitFor([menu] { return menu->isVisible(); }, kWaitMs));
        return menu;
    }

    void clickMenuText(QMenu* menu, const QString& text) {
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (a->text() == text) {
                clickAt(menu->mapToGlobal(menu->actionGeometry(a).center()), 1);
                return;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
    }

    QStringList pasteRect(int row) const { return rowTexts(window->pasteList(), row).mid(1, 4); }

    void newLayerFromTheCanvasMenu(int x, int y) {
        QMenu* menu = canvasMenuAt(x, y);
        ASSERT_NE(menu, nullptr);
        clickMenuText(menu, QStringLiteral("新建贴图层"));
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, kWaitMs));
    }

    void drawOnTheCanvas() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        LayerList* list = window->pasteList();
        ASSERT_EQ(list->rowCount(), 0);

        // Nothing under the pointer: the standard menu.
        QMenu* menu = canvasMenuAt(300, 300);
        shots.take(QStringLiteral("canvas-menu"));
        clickMenuText(menu, QStringLiteral("新建贴图层"));
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->rowCount() == 1; }, kWaitMs));
        dragOnCanvas({40, 40}, {200, 160});
        EXPECT_EQ(pasteRect(0), texts({"40", "40", "160", "120"}));
        EXPECT_EQ(window->statusText(kStatusLayerSize), QStringLiteral("160 x 120 像素"));
        shots.take(QStringLiteral("canvas-layer-1-drawn"));

        newLayerFromTheCanvasMenu(300, 300);
        ASSERT_EQ(list->rowCount(), 2);
        dragOnCanvas({380, 200}, {260, 60});  // drawn up and to the left
        EXPECT_EQ(pasteRect(1), texts({"260", "60", "120", "140"}));
        shots.take(QStringLiteral("canvas-layer-2-drawn"));

        // The bottom-right grip, 10 pixels outside the corner, pulled 20 further.
        dragOnCanvas({390, 210}, {410, 230});
        EXPECT_EQ(pasteRect(1), texts({"260", "60", "140", "160"}));
        shots.take(QStringLiteral("canvas-layer-2-resized"));

        // A press inside the first layer selects its row and drags it.
        dragOnCanvas({120, 100}, {140, 110});
        EXPECT_EQ(list->selectedRowIndices(), std::vector<int>{0});
        EXPECT_EQ(pasteRect(0), texts({"60", "50", "160", "120"}));
        shots.take(QStringLiteral("canvas-layer-1-moved"));

        // A rubber band from empty space across both.
        dragOnCanvas({20, 420}, {300, 150}, false);
        shots.take(QStringLiteral("canvas-rubber-band"));
        xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
        EXPECT_EQ(list->selectedRowIndices(), (std::vector<int>{0, 1}));
        shots.take(QStringLiteral("canvas-band-selected"));

        // The menu over the second layer alone aligns both to its top.
        menu = canvasMenuAt(350, 210);
        ASSERT_NE(menu, nullptr);
        clickMenuText(menu, QStringLiteral("对齐"));
        QMenu* align = nullptr;
        for (QMenu* m : canvas().findChildren<QMenu*>()) {
            if (m->title() == QStringLiteral("对齐")) align = m;
        }
        ASSERT_TRUE(align && QTest::qWaitFor([align] { return align->isVisible(); }, kWaitMs));
        shots.take(QStringLiteral("canvas-align-menu"));
        clickMenuText(align, QStringLiteral("顶边"));
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, kWaitMs));
        EXPECT_EQ(pasteRect(0), texts({"60", "60", "160", "120"}));
        EXPECT_EQ(pasteRect(1), texts({"260", "60", "140", "160"}));
        shots.take(QStringLiteral("canvas-aligned"));
        shots.guide(QStringLiteral("design-template"), window->frameGeometry());

        // Ctrl and the wheel: one zoom step per notch.
        pointerTo(onScreen(200, 200));
        xdo({QStringLiteral("keydown"), QStringLiteral("ctrl")});
        xdo({QStringLiteral("click"), QStringLiteral("4")});
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->zoomStatus() == 2.0; }, kWaitMs));
        EXPECT_EQ(window->statusText(kStatusZoom), QStringLiteral("200%"));
        shots.take(QStringLiteral("canvas-zoomed-in"));
        xdo({QStringLiteral("click"), QStringLiteral("5")});
        xdo({QStringLiteral("keyup"), QStringLiteral("ctrl")});
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->zoomStatus() == 1.0; }, kWaitMs));

        // Space held: the view follows the hand, and the layers stay where they are.
        QScrollBar* h = canvas().horizontalScrollBar();
        QScrollBar* v = canvas().verticalScrollBar();
        const int h0 = h->value(), v0 = v->value();
        const QPoint start = onScreen(500, 500);
        xdo({QStringLiteral("keydown"), QStringLiteral("space")});
        pointerTo(start);
        xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
        pointerTo(start - QPoint(100, 80));
        shots.take(QStringLiteral("canvas-panning"));
        xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
        xdo({QStringLiteral("keyup"), QStringLiteral("space")});
        EXPECT_EQ(h->value(), std::min(h0 + 100, h->maximum()));
        EXPECT_EQ(v->value(), std::min(v0 + 80, v->maximum()));
        EXPECT_GT(h->value() + v->value(), h0 + v0);
        EXPECT_EQ(pasteRect(0), texts({"60", "60", "160", "120"}));
        shots.take(QStringLiteral("canvas-panned"));

        // Ctrl+Z takes the alignment back (zooming and panning are no edits), Ctrl+Shift+Z redoes it.
        xdo({QStringLiteral("key"), QStringLiteral("ctrl+z")});
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return pasteRect(0) == texts({"60", "50", "160", "120"});
            },
            kWaitMs));
        shots.take(QStringLiteral("canvas-undone"));
        xdo({QStringLiteral("key"), QStringLiteral("ctrl+shift+z")});
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return pasteRect(0) == texts({"60", "60", "160", "120"});
            },
            kWaitMs));
        EXPECT_EQ(pasteRect(1), texts({"260", "60", "140", "160"}));
        shots.take(QStringLiteral("canvas-redone"));

        // Saved, the template holds what was drawn.
        const std::string saved = dir / "画布模版.dat";
        answers.expect(QStringLiteral("save dialog"),
                       windowTitled(QStringLiteral("QFileDialog"), QStringLiteral("模版保存到")),
                       [this](QWidget* dialog) {
                           pastePathAndAccept(dialog, QString::fromStdString(dir / "画布模版"), shots,
                                              QStringLiteral("canvas-save-dialog"));
                       });
        xdo({QStringLiteral("key"), QStringLiteral("ctrl+s")});
        ASSERT_TRUE(QTest::qWaitFor([&saved] { return fs::is_regular_file(saved); }, kWaitMs));
        QTest::qWait(kSettleMs);
        Document reread;
        ASSERT_TRUE(loadTemplate(reread, saved).ok());
        ASSERT_EQ(reread.pasteLayers.size(), 2u);
        auto rect = [](const PasteLayer& l) { return std::vector<int>{l.x, l.y, l.width, l.height}; };
        EXPECT_EQ(rect(reread.pasteLayers[0]), (std::vector<int>{60, 60, 160, 120}));
        EXPECT_EQ(rect(reread.pasteLayers[1]), (std::vector<int>{260, 60, 140, 160}));
        shots.take(QStringLiteral("canvas-template-saved"));
    }

    // A length unit: the size fields show their longest texts whole. Back in pixels, the template is
    // as new again.
    void sizeInCentimetres() {
        auto* width = control<QLineEdit>(ctl::kBackgroundWidth);
        pick(control<QComboBox>(ctl::kUnitList), QStringLiteral("厘米"));
        // The decimal filter refuses Ctrl+A, as the field always did: the text is selected with the keys.
        QTest::mouseClick(width, Qt::LeftButton);
        QTest::keyClick(width, Qt::Key_End);
        QTest::keyClick(width, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClicks(width, QStringLiteral("352.78"));
        EXPECT_EQ(width->text(), QStringLiteral("352.78"));
        EXPECT_NE(window->statusText(kStatusBackgroundSize), QStringLiteral("800 x 800 像素"));
        shots.take(QStringLiteral("size-in-centimetres"));
        shots.guide(QStringLiteral("design-background"), blockOnScreen(window->panel().backgroundBlock));
        pick(control<QComboBox>(ctl::kUnitList), QStringLiteral("像素"));
        retype(width, QStringLiteral("800"));
        EXPECT_EQ(window->statusText(kStatusBackgroundSize), QStringLiteral("800 x 800 像素"));
    }

    // z_tandro beside the editor: bound to it, it hands over two folders of pictures, one after the
    // other; each lands in its own output folder and the editor is free again at the end.
    void runASeriesWithTheCompanion() {
        const fs::path series = dir.path() / "系列";
        const fs::path results = dir.path() / "系列_处理后";
        const std::vector<std::string> folders = {"第一组", "第二组"};
        for (const std::string& folder : folders)
            makeSamples(series / folder, kSeriesPictures);

        QProcess companion;
        companion.setProcessChannelMode(QProcess::ForwardedChannels);
        companion.start(QStringLiteral(PLAZOR_COMPANION));
        ASSERT_TRUE(companion.waitForStarted(kWaitMs));
        const QString companionWindow =
            waitForXWindow(QStringLiteral("批量处理多个文件夹 - Plazor图片排版工具"));
        ASSERT_FALSE(companionWindow.isEmpty());
        const QRect box = xGeometry(companionWindow);
        ASSERT_EQ(box.size(), QSize(940, 350));
        shots.take(QStringLiteral("companion-started"));

        // "选择..." for the source folder; the path is pasted into its folder dialog and confirmed
        // (a first Return may only close the dialog's completion list).
        clickAt(box.topLeft() + QPoint(869, 90), 1);
        const QString dialog = waitForXWindow(QStringLiteral("源图片文件夹："));
        ASSERT_FALSE(dialog.isEmpty());
        QGuiApplication::clipboard()->setText(QString::fromStdString(series.string()));
        keysTo(dialog, {QStringLiteral("ctrl+a"), QStringLiteral("ctrl+v")});
        shots.take(QStringLiteral("companion-folder-dialog"));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                if (xWindow(QStringLiteral("源图片文件夹：")).isEmpty()) return true;
                keysTo(dialog, {QStringLiteral("Return")});
                QTest::qWait(kSettleMs);
                return false;
            },
            kWaitMs));

        // "启动": the tasks' progress windows come and go in the editor.
        answers.tolerate(windowTitled(QStringLiteral("QDialog"), QStringLiteral("处理进度")));
        clickAt(box.topLeft() + QPoint(869, 228), 1);
        const QString done = waitForXWindow(QStringLiteral("完成"));
        answers.stopTolerating();
        ASSERT_FALSE(done.isEmpty());
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->isEnabled(); }, kWaitMs));
        shots.take(QStringLiteral("companion-series-done"));
        shots.guide(QStringLiteral("companion"), window->frameGeometry() | box);
        for (const std::string& folder : folders) {
            ASSERT_TRUE(fs::is_directory(results / folder)) << folder;
            EXPECT_EQ(countFiles(results / folder, ".png"), kSeriesPictures / 2) << folder;
        }

        // "否": nothing opens; the companion is closed.
        keysTo(done, {QStringLiteral("Escape")});
        EXPECT_TRUE(QTest::qWaitFor([] { return xWindow(QStringLiteral("完成")).isEmpty(); }, kWaitMs));
        companion.terminate();
        EXPECT_TRUE(companion.waitForFinished(kWaitMs));
        EXPECT_TRUE(window->isEnabled());
        // The focus went to the other program at a later time than the editor's last event: only a
        // focus change of that time or later gets it back.
        xdo({QStringLiteral("windowfocus"), QString::number(window->winId())});
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // A slice across the middle, shown on the canvas, then deleted again.
    void placeASlice() {
        LayerList* list = window->sliceList();
        clickMenuItem(openListContextMenu(list, QPoint(list->viewport()->width() / 2, 10)), cmd::kSliceNew);
        ASSERT_EQ(list->rowCount(), 1);
        answers.expect(
            QStringLiteral("横切片#1"), windowTitled(QStringLiteral("QDialog"), QStringLiteral("横切片#1")),
            [this](QWidget* dialog) {
                retype(dialog->findChild<QLineEdit*>(QStringLiteral("editY")), QStringLiteral("300"));
                shots.take(QStringLiteral("slice-dialog"));
                pressOk(dialog);
            });
        doubleClick(list->viewport(), list->visualRect(list->model()->index(0, 0)).center());
        EXPECT_EQ(rowTexts(list, 0), texts({"1", "300"}));
        shots.take(QStringLiteral("slice-placed"));
        shots.guide(QStringLiteral("slices"), window->frameGeometry());
        clickMenuItem(openListContextMenu(list, list->visualRect(list->model()->index(0, 1)).center()),
                      cmd::kSliceDelete);
        EXPECT_EQ(list->rowCount(), 0);
    }

    void scenario() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<MainWindow*>(top)) window = main;
        }
        if (window) {
            using Step = void (Walkthrough::*)();
            for (Step step :
                 {&Walkthrough::startWithANewTemplate, &Walkthrough::createTwoPasteLayers,
                  &Walkthrough::chooseTheFolders, &Walkthrough::startTheRun, &Walkthrough::saveTheTemplate,
                  &Walkthrough::openItAgain, &Walkthrough::newAsksNothing, &Walkthrough::sizeInCentimetres,
                  &Walkthrough::lookAtThePngSettings, &Walkthrough::drawOnTheCanvas,
                  &Walkthrough::runASeriesWithTheCompanion, &Walkthrough::placeASlice}) {
                (this->*step)();
                if (HasFatalFailure()) break;
            }
            finished = !HasFailure();
            // Unchanged: the window closes without a question.
            window->close();
        } else {
            ADD_FAILURE() << "no main window";
        }
        QCoreApplication::exit(0);
    }
};

TEST_F(Walkthrough, ANewTemplateIsLaidOutRunSavedAndOpenedAgain) {
    QTranslator qtTexts;
    installChineseQtTexts(qtTexts);
    BalloonRegister balloons;
    QtUiPort ui(balloons);
    EditorParts parts;
    parts.installCommands = [](EditorContext& context) { new EditorCommands(context); };

    // A first start asks about the desktop launcher; "否(&N)" leaves it for the next start.
    answers.expect(QStringLiteral("launcher question"), messageBox(kShortcutQuestion), [this](QWidget* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("询问"));
        shots.take(QStringLiteral("launcher-question"));
        clickBoxButton(box, QStringLiteral("否(&N)"));
        QTimer::singleShot(kSettleMs, [this] { scenario(); });
    });
    QTimer::singleShot(kTimeLimitMs, [this] {
        ADD_FAILURE() << "the walkthrough did not end; still expected: "
                      << answers.pending().join(QStringLiteral(", ")).toStdString();
        shots.take(QStringLiteral("timeout"));
        std::_Exit(3);
    });

    EXPECT_EQ(runEditor(ui, balloons, parts), 0);
    EXPECT_TRUE(finished);
    EXPECT_EQ(answers.pending(), QStringList());
}

}  // namespace
}  // namespace plazor
