#include "app/run_check_notice.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <filesystem>

#include "app/layer_lists.h"
#include "app/panel_blocks.h"

namespace plazor {

CheckNotice checkNoticeOf(RunCheck check) {
    using enum CheckControl;
    constexpr NoticeKind box = NoticeKind::MessageBox;
    switch (check) {
        case RunCheck::BackgroundPicture:
            return {.control = BackgroundChooseButton, .scrollPasteListToTop = true};
        case RunCheck::BackgroundWidth:
            return {.control = WidthField, .scrollPasteListToTop = true};
        case RunCheck::BackgroundHeight:
            return {.control = HeightField, .scrollPasteListToTop = true};
        case RunCheck::PasteLayers:
            return {.control = PasteList, .scrollPasteListToTop = true, .selectRow = true};
        case RunCheck::WatermarkPicture:
            return {.control = WatermarkList, .selectRow = true};
        case RunCheck::WatermarkFormat:
            return {.kind = box, .icon = UiIcon::Warning, .control = WatermarkList};
        case RunCheck::SlicePosition:
            return {.control = SliceList, .selectRow = true};
        case RunCheck::SourceFolder:
            return {.control = SourceFolderButton, .scrollPasteListToTop = true};
        case RunCheck::SourcePathLength:
            return {.kind = box, .icon = UiIcon::Error, .control = SourceFolderButton, .revealPath = true};
        case RunCheck::OutputFolder:
            return {.control = OutputFolderButton};
        case RunCheck::OutputFolderCreation:
            return {.kind = box, .icon = UiIcon::Error, .control = OutputFolderButton};
    }
    return {};
}

QWidget* panelControlOf(const PanelControls& controls, CheckControl control) {
    switch (control) {
        case CheckControl::BackgroundChooseButton:
            return controls.chooseBackground;
        case CheckControl::WidthField:
            return controls.width;
        case CheckControl::HeightField:
            return controls.height;
        case CheckControl::PasteList:
            return controls.pasteList;
        case CheckControl::WatermarkList:
            return controls.watermarkList;
        case CheckControl::SliceList:
            return controls.sliceList;
        case CheckControl::SourceFolderButton:
            return controls.chooseSource;
        case CheckControl::OutputFolderButton:
            return controls.chooseOutput;
    }
    return nullptr;
}

void presentCheckFailure(UiPort& ui, const CheckNoticeTargets& targets, const RunCheckFailure& failure) {
    const CheckNotice notice = checkNoticeOf(failure.check);
    if (notice.scrollPasteListToTop && targets.scrollPasteListToTop) targets.scrollPasteListToTop();
    if (notice.selectRow && failure.row && targets.selectRow) targets.selectRow(notice.control, *failure.row);

    QWidget* control = targets.control ? targets.control(notice.control) : nullptr;
    const QString text = QString::fromStdString(failure.text);
    if (notice.kind == NoticeKind::Balloon) {
        ui.balloon(control, QString::fromStdString(failure.title), text, notice.icon);
        return;
    }

    showMessage(ui, control ? control->window() : nullptr, text, QStringLiteral("提示"), notice.icon);
    if (notice.revealPath && !failure.path.empty()) {
        // A file manager cannot be asked to select an entry here: show the folder that holds it.
        ui.openUrl(localFileUrl(std::filesystem::path(failure.path).parent_path().string()));
    }
    if (control) control->setFocus();
}

}  // namespace plazor
