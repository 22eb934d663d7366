// The question at the end of a finished run, which the editor and the companion program both ask.
#pragma once

#include <string>

class QWidget;

namespace plazor {

class UiPort;

// "图片处理已完成，是否查看处理后的图片？" (caption "完成", information icon, Yes and No); Yes opens the
// output folder in the file manager.
void askToOpenOutputFolder(UiPort& ui, QWidget* owner, const std::string& outputFolder);

}  // namespace plazor
