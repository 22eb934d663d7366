#include "companion/companion_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include <cstdlib>
#include <filesystem>

#include "companion/series_rules.h"
#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "external/protocol.h"
#include "external/task_host.h"
#include "external/window_endpoint.h"
#include "render/output_folder.h"
#include "shell/common_dialogs.h"
#include "shell/completion_question.h"
#include "shell/local_file_url.h"
#include "shell/settings_store.h"
#include "shell/ui_port.h"
#include "util/fs.h"
#include "util/product.h"
#include "util/window_names.h"

namespace plazor::companion {

using namespace external;

namespace {

template <typename T>
T* place(T* control, const QString& name, int x, int y, int w, int h) {
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    return control;
}

QString idName(int id) {
    return QString::number(id);
}

}  // namespace

CompanionWindow::CompanionWindow(UiPort& ui, SettingsStore& store, const QString& endpointFolder,
                                 QWidget* parent)
    : QWidget(parent),
      ui_(ui),
      store_(store),
      endpoint_(new WindowEndpoint(
          endpointFolder, window_names::kMainWindowClass,
          [] { return QString::fromUtf8(window_names::kCompanionTitle); },
          [this](const Request& request) { return handle(request); }, this)) {
    setObjectName(QString::fromUtf8(window_names::kMainWindowClass));
    // The title is how other programs tell this window from the main program's: not translated.
    setWindowTitle(QString::fromUtf8(window_names::kCompanionTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(940, 350);
    buildControls();

    connect(this, &CompanionWindow::workerStatus, status_, &QLabel::setText, Qt::BlockingQueuedConnection);
    connect(this, &CompanionWindow::workerProgress, progress_, &QProgressBar::setValue,
            Qt::BlockingQueuedConnection);
    connect(
        this, &CompanionWindow::workerSkipped, this,
        [this](const QString& text) { skipped_.push_back(text); }, Qt::BlockingQueuedConnection);
    connect(this, &CompanionWindow::workerEnded, this, &CompanionWindow::endSeries,
            Qt::BlockingQueuedConnection);

    if (const std::optional<std::string> title = store_.readText(kBindTitleValue, kBindTitleBufferBytes)) {
        bindTitle_->setText(QString::fromStdString(*title));
    }
    refreshBindTitle();
}

CompanionWindow::~CompanionWindow() {
    if (worker_) worker_->wait();
}

void CompanionWindow::buildControls() {
    place(new QLabel(tr("绑定窗口标题："), this), QStringLiteral("BindTitleLabel"), 23, 23, 86, 23);
    bindTitle_ = place(new QLineEdit(QString::fromUtf8(window_names::kDefaultBindTitle), this), idName(36001),
                       110, 20, 706, 21);
    bindTitle_->setMaxLength(kBindTitleMaxLength);
    refresh_ = place(new QPushButton(tr("更新"), this), idName(36002), 824, 18, 90, 25);
    auto* sourceLabel =
        place(new QLabel(tr("源图片文件夹："), this), QStringLiteral("SourceLabel"), 23, 83, 86, 23);
    source_ = place(new QLineEdit(this), idName(36003), 110, 80, 706, 21);
    source_->setReadOnly(true);
    auto* chooseSource = place(new QPushButton(tr("选择..."), this), idName(36004), 824, 78, 90, 25);
    allLevels_ =
        place(new QCheckBox(tr("同时处理所有层次子文件夹中的图片"), this), idName(36005), 110, 111, 231, 17);
    auto* outputLabel =
        place(new QLabel(tr("处理后保存到："), this), QStringLiteral("OutputLabel"), 23, 175, 86, 23);
    output_ = place(new QLineEdit(this), idName(36006), 110, 172, 706, 21);
    output_->setReadOnly(true);
    auto* chooseOutput = place(new QPushButton(tr("选择..."), this), idName(36007), 824, 170, 90, 25);
    progress_ = place(new QProgressBar(this), QStringLiteral("ProgressBar"), 23, 217, 793, 23);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    start_ = place(new QPushButton(tr("启动"), this), idName(36008), 824, 216, 90, 25);
    status_ = place(new QLabel(tr("就绪..."), this), QStringLiteral("StatusText"), 23, 290, 800, 21);
    auto* guide = place(new QLabel(tr("<A HREF=\"#\">使用说明</A> "), this), QStringLiteral("GuideLink"), 845,
                        290, 64, 21);
    guide->setTextFormat(Qt::RichText);
    guide->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);

    seriesControls_ = {bindTitle_,  refresh_, sourceLabel,  source_,   chooseSource, allLevels_,
                       outputLabel, output_,  chooseOutput, progress_, start_};

    connect(refresh_, &QPushButton::clicked, this, &CompanionWindow::refreshBindTitle);
    connect(chooseSource, &QPushButton::clicked, this, &CompanionWindow::chooseSourceFolder);
    connect(chooseOutput, &QPushButton::clicked, this, &CompanionWindow::chooseOutputFolder);
    connect(start_, &QPushButton::clicked, this, &CompanionWindow::startSeries);
    connect(guide, &QLabel::linkActivated, this,
            [this] { ui_.openUrl(QString::fromUtf8(product::kCompanionGuidePage)); });
}

std::int32_t CompanionWindow::handle(const Request& request) {
    if (request.tag == kStatusTag) {
        if (const std::optional<std::int32_t> status = decodeStatusPayload(request.payload)) {
            shared_.onStatus(*status);
        }
    } else if (request.tag == kActivateTag) {
        bringToFront();
    }
    return kReplyNone;
}

void CompanionWindow::showNotice(const Notice& notice) {
    showMessage(ui_, this, QString::fromStdString(notice.text), QString::fromStdString(notice.caption),
                notice.icon == NoticeIcon::Error ? UiIcon::Error : UiIcon::Warning);
}

void CompanionWindow::bringToFront() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void CompanionWindow::refreshBindTitle() {
    refresh_->setEnabled(false);
    std::vector<WindowIdentity> windows;
    for (FoundWindow& window : listWindows(endpoint_->folder(), endpoint_->name())) {
        windows.push_back(std::move(window.identity));
    }
    if (const std::optional<std::string> title = bindTitleCandidate(windows)) {
        bindTitle_->setText(QString::fromStdString(*title));
    }
    refresh_->setEnabled(true);
}

void CompanionWindow::chooseSourceFolder() {
    for (;;) {
        const std::optional<QString> folder =
            chooseExistingFolder(ui_, this, tr("源图片文件夹："), source_->text(), false);
        if (!folder || folder->isEmpty()) return;
        const std::string path = folder->toStdString();
        if (const std::optional<Notice> refusal = sourceFolderRefusal(path)) {
            showNotice(*refusal);
            continue;
        }
        source_->setText(*folder);
        output_->setText(QString::fromStdString(proposedOutputFolder(path, [](const std::string& candidate) {
            std::error_code ec;
            return std::filesystem::exists(candidate, ec);
        })));
        return;
    }
}

void CompanionWindow::chooseOutputFolder() {
    const std::optional<QString> folder =
        chooseExistingFolder(ui_, this, tr("图片处理后保存到："), output_->text(), false);
    if (folder && !folder->isEmpty()) output_->setText(*folder);
}

void CompanionWindow::startSeries() {
    if (shared_.state != kIdle) return;
    const QString folder = endpoint_->folder();
    const std::string self = endpoint_->name().toStdString();
    SeriesLink link;
    link.findWindow = [&](const std::string& title) -> std::optional<std::string> {
        const std::optional<QString> found =
            findWindow(folder, endpoint_->name(), window_names::kMainWindowClass, title);
        if (!found) return std::nullopt;
        return found->toStdString();
    };
    link.bind = [&](const std::string& window) {
        const std::optional<Reply> reply = exchange(endpointPath(folder, QString::fromStdString(window)),
                                                    {kBindTag, self, {}}, kAnswerTimeoutMs);
        return reply ? reply->code : kReplyNone;
    };
    link.unbind = [&](const std::string& window) {
        exchange(endpointPath(folder, QString::fromStdString(window)), {kUnbindTag, self, {}},
                 kAnswerTimeoutMs);
    };

    const SeriesInput input{bindTitle_->text().toStdString(), source_->text().toStdString(),
                            output_->text().toStdString()};
    const SeriesStart start = prepareSeries(input, link);
    if (start.refusal) {
        showNotice(*start.refusal);
        return;
    }
    mainWindow_ = start.endpoint;
    bound_ = start.bound;

    status_->setText(tr("读取子文件夹列表..."));
    PictureFolders found = listPictureFolders(input.sourceFolder, allLevels_->isChecked());
    if (const ListFailure* guard = pathGuardOf(found.listing)) {
        endForLongPath(guard->message, guard->path);
        return;
    }
    if (found.folders.empty()) {
        showMessage(ui_, this, tr("没有找到需要处理的图片文件夹"), tr("提示"), UiIcon::Warning);
        // Keeping the binding would leave the main window disabled with nothing to do.
        unbindIfBound();
        start_->setEnabled(true);
        status_->setText(tr("就绪..."));
        return;
    }

    progress_->setRange(0, static_cast<int>(found.folders.size()));
    progress_->setValue(0);
    shared_.state = kRunning;
    shared_.wakeUp = false;
    skipped_.clear();
    savedEnabled_.clear();
    for (QWidget* control : seriesControls_) {
        savedEnabled_.push_back(control->isEnabled());
        control->setEnabled(false);
    }
    store_.writeText(kBindTitleValue, input.bindTitle);
    startWorker(std::move(found.folders));
}

void CompanionWindow::startWorker(std::vector<std::string> folders) {
    if (worker_) worker_->wait();
    SeriesPlan plan{std::move(folders), source_->text().toStdString(), output_->text().toStdString()};
    const QString mainWindow = endpointPath(endpoint_->folder(), QString::fromStdString(mainWindow_));
    const std::string self = endpoint_->name().toStdString();
    // A QThread, not a bare thread: the worker's socket needs the event dispatcher Qt gives it.
    worker_.reset(QThread::create([this, plan = std::move(plan), mainWindow, self] {
        SeriesCallbacks report;
        report.status = [this](const std::string& text) { emit workerStatus(QString::fromStdString(text)); };
        report.progress = [this](int done) { emit workerProgress(done); };
        report.skipped = [this](const std::string& text) {
            emit workerSkipped(QString::fromStdString(text));
        };
        report.sendStart = [&mainWindow, &self](const std::string& payload) {
            return exchange(mainWindow, {kStartTag, self, payload}, kNoTimeout).has_value();
        };
        const std::optional<std::string> tooLong = runSeries(plan, shared_, report);
        emit workerEnded(tooLong ? QString::fromStdString(*tooLong) : QString());
    }));
    worker_->start();
    if (!worker_->isRunning()) {
        showMessage(ui_, this, tr("启动线程失败"), tr("提示"), UiIcon::Error);
        unbindIfBound();
        QCoreApplication::exit(-1);
    }
}

void CompanionWindow::unbindIfBound() {
    if (!bound_) return;
    exchange(endpointPath(endpoint_->folder(), QString::fromStdString(mainWindow_)),
             {kUnbindTag, endpoint_->name().toStdString(), {}}, kAnswerTimeoutMs);
    bound_ = false;
}

void CompanionWindow::endForLongPath(const std::string& message, const std::string& path) {
    showMessage(ui_, this, QString::fromStdString(message), tr("提示"), UiIcon::Error);
    // A file manager cannot be asked to select an entry here: show the folder that holds it.
    ui_.openUrl(localFileUrl(std::filesystem::path(path).parent_path().string()));
    unbindIfBound();
    QCoreApplication::exit(-1);
}

void CompanionWindow::endSeries(const QString& tooLongPath) {
    unbindIfBound();
    start_->setText(tr("启动"));
    bringToFront();
    // Told once at the end rather than one box per folder, which would hold the series up.
    if (!skipped_.isEmpty())
        showMessage(ui_, this, skipped_.join(QLatin1Char('\n')), tr("提示"), UiIcon::Warning);
    if (!tooLongPath.isEmpty()) {
        const std::string path = tooLongPath.toStdString();
        endForLongPath(folderPathTooLongMessage(path), path);
    } else if (shared_.state == kCompleted) {
        askToOpenOutputFolder(ui_, this, output_->text().toStdString());
    } else {
        showMessage(ui_, this, tr("已停止"), tr("提示"), UiIcon::Warning);
    }
    resetToIdle();
}

void CompanionWindow::resetToIdle() {
    shared_.state = kIdle;
    for (std::size_t i = 0; i < seriesControls_.size() && i < savedEnabled_.size(); ++i) {
        seriesControls_[i]->setEnabled(savedEnabled_[i]);
    }
    progress_->setValue(0);
    status_->setText(tr("就绪..."));
}

void CompanionWindow::closeEvent(QCloseEvent* event) {
    if (worker_ && worker_->isRunning()) {
        MessageBoxRequest question;
        question.owner = this;
        question.text = tr("正在处理图片，确定要退出？");
        question.caption = tr("确认");
        question.icon = UiIcon::Question;
        question.buttons = UiButtons::OkCancel;
        question.defaultButton = UiButton::Ok;
        if (ui_.messageBox(question) == UiButton::Cancel) {
            event->ignore();
            return;
        }
        unbindIfBound();
        // The worker may wait for a run's end for a long time: the process ends without it.
        std::_Exit(0);
    }
    unbindIfBound();
    event->accept();
}

}  // namespace plazor::companion
