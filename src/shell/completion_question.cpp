#include "shell/completion_question.h"

#include <QCoreApplication>

#include "shell/local_file_url.h"
#include "shell/ui_port.h"

namespace plazor {
namespace {

class CompletionQuestion {
    Q_DECLARE_TR_FUNCTIONS(CompletionQuestion)

  public:
    static void ask(UiPort& ui, QWidget* owner, const std::string& outputFolder) {
        MessageBoxRequest question;
        question.owner = owner;
        question.text = tr("图片处理已完成，是否查看处理后的图片？");
        question.caption = tr("完成");
        question.icon = UiIcon::Information;
        question.buttons = UiButtons::YesNo;
        question.defaultButton = UiButton::Yes;
        if (ui.messageBox(question) == UiButton::Yes) ui.openUrl(localFileUrl(outputFolder));
    }
};

}  // namespace

void askToOpenOutputFolder(UiPort& ui, QWidget* owner, const std::string& outputFolder) {
    CompletionQuestion::ask(ui, owner, outputFolder);
}

}  // namespace plazor
