// The UI port with real widgets: QMessageBox, balloon tips, QFileDialog, QColorDialog and the desktop's
// URL opener.
#pragma once

#include "shell/ui_port.h"

namespace plazor {

class BalloonRegister;

class QtUiPort : public UiPort {
  public:
    explicit QtUiPort(BalloonRegister& balloons) : balloons_(balloons) {}

    UiButton messageBox(const MessageBoxRequest& request) override;
    void balloon(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                 bool atCursor = false) override;
    void closeAllBalloons() override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* owner, const QString& title, const QString& startPath,
                                        bool allowNewFolder) override;
    std::optional<std::uint32_t> chooseColour(QWidget* owner, std::uint32_t initial) override;
    void openUrl(const QString& url) override;

  private:
    BalloonRegister& balloons_;
};

}  // namespace plazor
