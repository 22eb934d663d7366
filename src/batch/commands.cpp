#include "batch/commands.h"

#include <utility>

#include "batch/command_support.h"
#include "batch/plan_commands.h"
#include "render/render_run.h"
#include "render/run_request.h"
#include "template/names.h"
#include "template/template_file.h"
#include "util/colour.h"
#include "util/program_info.h"

namespace plazor::batch {
namespace {

void printSummary(const Document& doc, std::ostream& out) {
    const Background& bg = doc.background;
    out << "background: ";
    if (bg.kind == kPictureBackground) {
        out << "picture " << bg.picturePath;
    } else {
        out << "colour "
            << (bg.colourChoice == kColourWhite         ? std::string("白色")
                : bg.colourChoice == kColourTransparent ? std::string("透明")
                                                        : colourText(bg.colour));
    }
    out << ", " << bg.width << " x " << bg.height << " pixels (" << bg.szWidth << " x " << bg.szHeight << " "
        << unitName(bg.unit) << "), " << bg.dpi << " dpi\n";
    out << "paste layers: " << doc.pasteLayers.size() << "\n";
    for (const PasteLayer& l : doc.pasteLayers) {
        out << "  " << pasteLayerName(l.number) << ": ";
        if (l.isPlaced()) {
            out << l.x << "," << l.y << " " << l.width << " x " << l.height;
        } else {
            out << "(no area)";
        }
        out << ", " << layerLevelName(l.level) << ", " << overflowStyleName(l.overflowStyle) << "\n";
    }
    out << "watermark layers: " << doc.watermarks.size() << (doc.settings.watermarkOpen ? " (on)" : " (off)")
        << "\n";
    for (const WatermarkLayer& w : doc.watermarks) {
        out << "  " << watermarkLayerName(w.number) << ": " << w.x << "," << w.y << " " << w.path << "\n";
    }
    out << "horizontal slices: " << doc.slices.size() << (doc.settings.cutlineOpen ? " (on" : " (off")
        << (doc.settings.cutlineHtmlOpen ? ", HTML)" : ")") << "\n";
    for (const Slice& s : doc.slices)
        out << "  " << sliceName(s.number) << ": y " << s.y << "\n";
    const Settings& st = doc.settings;
    if (st.format == kFormatJpg) {
        static const char* const kSpaces[] = {"sRGB", "RGB", "CMYK", "灰色"};
        out << "output: JPG, quality " << st.quality << ", " << kSpaces[st.colourSpace & 3] << "\n";
    } else {
        out << "output: PNG" << (st.transparent ? ", transparent" : "");
        if (st.png8) out << ", PNG-8 " << st.colourCount << " colours";
        out << "\n";
    }
}

int templateCommand(const Request& request, Streams& io) {
    Document doc;
    if (!loadInto(doc, request, io)) return kExitTemplate;
    printSummary(doc, io.out);
    if (!request.writePath) return kExitOk;
    const Outcome<void, SaveFailure> saved = saveTemplate(doc, *request.writePath);
    if (!saved.ok()) {
        for (const InfoLine& line : saved.error().infoLines)
            io.err << asLine(line);
        io.err << saved.error().text << "\n";
        return kExitTemplate;
    }
    io.out << "written: " << *request.writePath << "\n";
    return kExitOk;
}

int checkCommand(const Request& request, Streams& io) {
    Document doc;
    if (!loadInto(doc, request, io)) return kExitTemplate;
    if (request.sourceFolder.empty()) {
        io.out << "template ok: " << doc.pasteLayers.size() << " paste layers\n";
        return kExitOk;
    }
    const RunCheckResult checked = checkRun(runRequestOf(std::move(doc), request));
    if (!checked.ok()) {
        printCheckFailure(*checked.failure, io.err);
        return kExitChecks;
    }
    io.out << "ready: " << checked.plan.sources.size()
           << (request.subFolders ? " sub-folders, " : " pictures, ") << checked.plan.batches << " batches\n";
    return kExitOk;
}

int renderCommand(const Request& request, Streams& io, std::atomic<std::atomic<int>*>& stop) {
    Document doc;
    if (!loadInto(doc, request, io)) return kExitTemplate;
    PreparedRun prepared = prepareRun(runRequestOf(std::move(doc), request));
    if (!prepared.ok()) {
        printCheckFailure(*prepared.failure, io.err);
        return kExitChecks;
    }

    const int batches = static_cast<int>(prepared.batches);
    const std::optional<RunOutcome> outcome = runWithProgress(std::move(prepared.job), io, stop);
    if (!outcome) return kExitStopped;
    if (outcome->end == RunEnd::kStopped) {
        io.out << "stopped: " << request.outputFolder << "\n";
    } else {
        io.out << "finished: " << batches << (batches == 1 ? " batch" : " batches") << " into "
               << request.outputFolder << "\n";
    }
    printRunSummary(outcome->summary, io.out);
    return runExitCode(*outcome);
}

}  // namespace

int runRequest(const Request& request, Streams io, std::atomic<std::atomic<int>*>& stop) {
    switch (request.command) {
        case Command::Help:
            io.out << helpText();
            return kExitOk;
        case Command::Version:
            io.out << versionLine() << "\n";
            return kExitOk;
        case Command::Template:
            return templateCommand(request, io);
        case Command::Check:
            return checkCommand(request, io);
        case Command::Render:
            return request.planPath ? renderPlanCommand(request, io, stop) : renderCommand(request, io, stop);
        case Command::Plan:
            return planCommand(request, io);
    }
    return kExitUsage;
}

}  // namespace plazor::batch
