// z_tandro's one window: the bind title, the source and output folders, the all-levels check box, the
// progress bar and the start button. Starting a series checks everything in order, binds to the main
// window and hands the picture folders to a worker thread, which sends one task after another. The
// window's endpoint receives the main program's status messages while the worker waits for a start's
// reply, and answers a second companion that asks this one to come to the front.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "companion/series_worker.h"
#include "external/frame.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

namespace plazor {

class SettingsStore;
class UiPort;

namespace external {
class WindowEndpoint;
}

namespace companion {

struct Notice;

class CompanionWindow : public QWidget {
    Q_OBJECT

  public:
    // Reads the stored bind title and looks for a main window's title at once.
    CompanionWindow(UiPort& ui, SettingsStore& store, const QString& endpointFolder,
                    QWidget* parent = nullptr);
    // Waits for a worker that is finishing.
    ~CompanionWindow() override;

    // "更新": the title of the first main window found goes into the bind title field.
    void refreshBindTitle();
    void chooseSourceFolder();
    void chooseOutputFolder();
    // "启动".
    void startSeries();

    const external::WindowEndpoint& endpoint() const { return *endpoint_; }
    int workState() const { return shared_.state; }
    bool bound() const { return bound_; }

  signals:
    // Emitted by the worker only; it goes on once the window thread has handled each.
    void workerStatus(const QString& text);
    void workerProgress(int done);
    void workerSkipped(const QString& text);
    void workerEnded(const QString& tooLongPath);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    std::int32_t handle(const external::Request& request);
    void showNotice(const Notice& notice);
    void bringToFront();
    void unbindIfBound();
    // The path-length guard: its message, the folder holding the path, and the end of the program.
    void endForLongPath(const std::string& message, const std::string& path);
    void startWorker(std::vector<std::string> folders);
    void endSeries(const QString& tooLongPath);
    void resetToIdle();

    UiPort& ui_;
    SettingsStore& store_;
    external::WindowEndpoint* endpoint_;

    QLineEdit* bindTitle_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QLineEdit* source_ = nullptr;
    QCheckBox* allLevels_ = nullptr;
    QLineEdit* output_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* start_ = nullptr;
    QLabel* status_ = nullptr;
    // The 11 controls from the bind title to the start button, disabled during a series.
    std::vector<QWidget*> seriesControls_;
    std::vector<bool> savedEnabled_;
    // The folders of this series that could not be handed over, told at its end.
    QStringList skipped_;

    SeriesShared shared_;
    std::string mainWindow_;  // the bound main window's endpoint name
    bool bound_ = false;
    std::unique_ptr<QThread> worker_;
};

}  // namespace companion
}  // namespace plazor
