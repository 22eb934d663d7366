// The background layer: its type, picture, size, unit and colour, and the DPI and zoom pop-ups of the
// status bar with the load mode of the source folder.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "app/commands/command_checks.h"
#include "app/commands/command_context.h"
#include "app/commands/command_steps.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/zoom_steps.h"
#include "dialogs/input_box.h"
#include "dialogs/number_field_filter.h"
#include "shell/common_dialogs.h"
#include "template/document.h"
#include "template/units.h"
#include "util/colour.h"

namespace plazor {
namespace {

class BackgroundCommands {
    Q_DECLARE_TR_FUNCTIONS(plazor::BackgroundCommands)

  public:
    explicit BackgroundCommands(CommandContext& context)
        : c_(context), doc_(context.doc()), state_(context.state), controls_(context.window().panel()) {}

    // While loading, the controls show what the document holds, so nothing is read back.
    void customBackground() {
        doc_.useColourBackground();
        if (!state_.loading()) {
            readSize();
            readColourChoice();
        }
        refreshBackground(c_);
        controls_.width->setFocus();
        controls_.width->selectAll();
    }

    // While loading, the template's reader has read the picture already.
    void pictureBackground() {
        if (!state_.loading()) {
            doc_.usePictureBackground();
            const std::string path = controls_.picturePath->text().toStdString();
            if (!path.empty()) {
                if (const std::optional<std::string> problem = backgroundPictureProblem(path)) {
                    warn(*problem);
                    doc_.useBackgroundPlaceholder();
                    refreshBackground(c_);
                    c_.window().onCommand(ctl::kChooseBackground);
                } else {
                    doc_.setBackgroundPicture(path);
                }
            } else {
                c_.window().onCommand(ctl::kChooseBackground);
                if (controls_.picturePath->text().isEmpty()) doc_.useBackgroundPlaceholder();
            }
            refreshBackground(c_);
        }
        focusCanvas(c_);
    }

    // Asks again until the picture is acceptable or the user cancels.
    void choosePicture() {
        Preferences& prefs = c_.prefs();
        while (true) {
            FileDialogRequest request;
            request.owner = &c_.window();
            request.title = tr("选择背景图片");
            request.filter = pictureFileFilter();
            request.startPath = QString::fromStdString(prefs.backgroundDialogFolder);
            const std::optional<ChosenFile> chosen = chooseFileToOpen(c_.ui(), request);
            if (!chosen) break;
            prefs.backgroundDialogFolder = chosen->folder.toStdString();
            const std::string path = chosen->path.toStdString();
            if (const std::optional<std::string> problem = backgroundPictureProblem(path)) {
                warn(*problem);
                continue;
            }
            controls_.picturePath->setText(chosen->path);
            doc_.usePictureBackground();
            const bool read = doc_.setBackgroundPicture(path);
            refreshBackground(c_);
            // Its header passed, but the picture itself could not be read or is too large.
            if (!read) warn(doc_.background.pictureProblem + "，请重新选择。");
            break;
        }
        focusCanvas(c_);
    }

    // Every change of the width and height texts, except the program's own writes.
    void sizeEdited() {
        if (state_.programmaticEditDepth > 0) return;
        readSize();
        refreshBackground(c_);
        warnIfBeyondLimit();
    }

    // The texts are recomputed from the pixel size, so switching back and forth does not drift.
    void unitChosen() {
        const int unit = controls_.unit->currentIndex();
        if (unit != doc_.background.unit) {
            DepthGuard writing(state_.programmaticEditDepth);
            doc_.setBackgroundUnit(unit, c_.prefs().dpi);
            PanelControls controls = controls_;  // the same widgets
            PanelBuilder::applySizeFieldLimits(controls, unit);
            controls_.width->setText(QString::fromStdString(doc_.background.szWidth));
            controls_.height->setText(QString::fromStdString(doc_.background.szHeight));
        }
        // Also for an unchanged unit: a loaded template shows its unit without this command changing it.
        for (QLineEdit* edit : {controls_.width, controls_.height}) {
            if (unit == kUnitPixels) {
                NumberFieldFilter::remove(edit);
            } else {
                NumberFieldFilter::install(edit, NumberFilterKind::Decimal, c_.ui());
            }
        }
    }

    void colourChosen() {
        switch (controls_.colour->currentIndex()) {
            case kColourWhite:
                state_.colourText = colourText(0xFFFFFF);
                doc_.setBackgroundColour(kColourWhite, 0xFFFFFF);
                break;
            case kColourTransparent:
                state_.colourText = kTransparentText;
                doc_.setBackgroundColour(kColourTransparent, 0);
                break;
            default:
                if (state_.loading()) {
                    // A loaded custom colour becomes the chosen one, without asking.
                    adoptColour(doc_.background.colour);
                    return;
                }
                controls_.colour->setFocus();
                askForColour(true);
                return;
        }
        refreshBackground(c_);
    }

    void swatchClicked() {
        askForColour(false);
        focusCanvas(c_);
    }

    // "自定义..." of the DPI pop-up.
    void customDpi() {
        InputRequest request;
        request.title = tr("DPI 自定义");
        request.prompt = tr("输入一个自定义的 DPI：");
        request.text = std::to_string(c_.prefs().dpi);
        request.kind = InputKind::Integer;
        const std::optional<std::string> typed = c_.inputBox().run(request);
        if (!typed) return;
        const DpiEntry entry = customDpiEntry(*typed);
        if (entry.refusal) {
            warn(*entry.refusal);
            return;
        }
        c_.window().setDpi(entry.dpi);
        doc_.setBackgroundDpi(entry.dpi);
    }

    // The fixed values of the DPI pop-up; the window has stored the preference already.
    void fixedDpi() { doc_.setBackgroundDpi(c_.prefs().dpi); }

    void zoom(int command) {
        const double zoom = zoomOfCommand(command);
        if (zoom == state_.zoom) return;
        state_.zoom = zoom;
        c_.window().setZoomStatus(zoom);
        emit state_.previewsInvalidated(0);
        emit state_.canvasResizeRequested();
        emit state_.repaintRequested();
    }

    // Either load mode: the window has stored the mode and shows it in the status bar afterwards.
    void loadModeChosen() {
        emit state_.previewsInvalidated(0);
        if (controls_.showPictures->isChecked()) c_.window().onCommand(ctl::kShowPictures);
    }

  private:
    static constexpr const char* kTransparentText = "none";

    void warn(const std::string& text) {
        showMessage(c_.ui(), &c_.window(), QString::fromStdString(text), tr("提示"), UiIcon::Warning);
    }

    // The DPI preference becomes the background's; the typed texts give the pixel size.
    void readSize() {
        doc_.setBackgroundSizeFromTexts(controls_.width->text().toStdString(),
                                        controls_.height->text().toStdString(), c_.prefs().dpi);
    }

    // The largest side is applied whatever was typed; the user learns of the cut at the field.
    void warnIfBeyondLimit() {
        const Background& b = doc_.background;
        const QString limit = QString::number(kMaxBackgroundSide);
        if (typedSizeBeyondLimit(b.szWidth, b.unit, b.dpi)) {
            c_.ui().balloon(controls_.width, tr("【背景层】宽度不能大于 %1 像素").arg(limit),
                            tr("已按 %1 像素处理").arg(limit), UiIcon::Warning);
        }
        if (typedSizeBeyondLimit(b.szHeight, b.unit, b.dpi)) {
            c_.ui().balloon(controls_.height, tr("【背景层】高度不能大于 %1 像素").arg(limit),
                            tr("已按 %1 像素处理").arg(limit), UiIcon::Warning);
        }
    }

    void readColourChoice() {
        const int choice = controls_.colour->currentIndex();
        state_.colourText = choice == kColourWhite         ? colourText(0xFFFFFF)
                            : choice == kColourTransparent ? std::string(kTransparentText)
                                                           : colourText(state_.chosenColour);
        doc_.setBackgroundColour(choice, state_.chosenColour);
    }

    void adoptColour(std::uint32_t colour) {
        state_.chosenColour = colour;
        state_.colourText = colourText(colour);
        controls_.swatch->setColour(colour);
        doc_.setBackgroundColour(kColourCustom, colour);
    }

    // The colour dialog, starting on the chosen colour. Cancelled from the colour list, the list goes
    // back to "白色" or "透明" when one of those was in use.
    void askForColour(bool fromList) {
        if (const std::optional<std::uint32_t> colour =
                c_.ui().chooseColour(&c_.window(), state_.chosenColour)) {
            adoptColour(*colour);
            refreshBackground(c_);
            return;
        }
        if (!fromList) return;
        if (state_.colourText == colourText(0xFFFFFF)) {
            controls_.colour->setCurrentIndex(kColourWhite);
        } else if (state_.colourText == kTransparentText) {
            controls_.colour->setCurrentIndex(kColourTransparent);
        }
        c_.window().applyControlRules();
    }

    CommandContext& c_;
    Document& doc_;
    EditorState& state_;
    const PanelControls& controls_;
};

}  // namespace

void installBackgroundCommands(CommandContext& context) {
    MainWindow& window = context.window();
    bindCommand(context, ctl::kCustomOption, &BackgroundCommands::customBackground);
    bindCommand(context, ctl::kPictureOption, &BackgroundCommands::pictureBackground);
    bindCommand(context, ctl::kChooseBackground, &BackgroundCommands::choosePicture);
    bindCommand(context, ctl::kBackgroundWidth, &BackgroundCommands::sizeEdited);
    bindCommand(context, ctl::kBackgroundHeight, &BackgroundCommands::sizeEdited);
    bindCommand(context, ctl::kUnitList, &BackgroundCommands::unitChosen);
    bindCommand(context, ctl::kColourList, &BackgroundCommands::colourChosen);
    bindCommand(context, ctl::kSwatch, &BackgroundCommands::swatchClicked);
    bindCommand(context, cmd::kDpiCustom, &BackgroundCommands::customDpi);
    for (int id = cmd::kDpiFirstFixed; id <= cmd::kDpiLastFixed; ++id)
        bindCommand(context, id, &BackgroundCommands::fixedDpi);
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomLast; ++id)
        window.setCommandHandler(id, [&context, id] { BackgroundCommands(context).zoom(id); });
    bindCommand(context, cmd::kLoadModePictures, &BackgroundCommands::loadModeChosen);
    bindCommand(context, cmd::kLoadModeSubFolders, &BackgroundCommands::loadModeChosen);
}

}  // namespace plazor
