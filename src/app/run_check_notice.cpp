#include "app/run_check_notice.h"

#include <QWidget>

#include <filesystem>

namespace plazor {

UiIcon uiIconOf(NoticeIcon icon) {
    return icon == NoticeIcon::Error ? UiIcon::Error : UiIcon::Warning;
}

void presentCheckFailure(UiPort& ui, const CheckNoticeTargets& targets, const RunCheckFailure& failure) {
    if (failure.scrollPasteListToTop && targets.scrollPasteListToTop) targets.scrollPasteListToTop();
    if (failure.selectRow && targets.selectRow) targets.selectRow(failure.control, *failure.selectRow);

    QWidget* control = targets.control ? targets.control(failure.control) : nullptr;
    const QString text = QString::fromStdString(failure.text);
    if (failure.kind == NoticeKind::Balloon) {
        ui.balloon(control, QString::fromStdString(failure.title), text, uiIconOf(failure.icon));
        return;
    }

    showMessage(ui, control ? control->window() : nullptr, text, QString::fromStdString(failure.caption),
                uiIconOf(failure.icon));
    if (!failure.revealPath.empty()) {
        // A file manager cannot be asked to select an entry here: show the folder that holds it.
        ui.openUrl(localFileUrl(std::filesystem::path(failure.revealPath).parent_path().string()));
    }
    if (control) control->setFocus();
}

}  // namespace plazor
