#include "batch/commands.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "render/render_run.h"
#include "render/run_request.h"
#include "template/names.h"
#include "template/template_file.h"
#include "util/colour.h"
#include "util/product.h"

namespace plazor::batch {
namespace {

// Info lines end in their own "\r\n" or "\n" as the program writes them; a terminal wants one "\n".
std::string asLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text + "\n";
}

bool loadInto(Document& doc, const Request& request, Streams& io) {
    doc.background.dpi = request.dpi.value_or(72);
    const LoadResult loaded = loadTemplate(doc, request.templatePath);
    for (const std::string& line : loaded.infoLines) io.err << asLine(line);
    if (!loaded.ok()) {
        io.err << request.templatePath << ": " << loaded.errorText << "\n";
        return false;
    }
    return true;
}

void printCheckFailure(const RunCheckFailure& failure, std::ostream& err) {
    const std::string& heading = failure.kind == NoticeKind::Balloon ? failure.title : failure.caption;
    err << heading << "\n" << failure.text << "\n";
}

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
    for (const Slice& s : doc.slices) out << "  " << sliceName(s.number) << ": y " << s.y << "\n";
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
    const SaveResult saved = saveTemplate(doc, *request.writePath);
    if (!saved.ok()) {
        for (const std::string& line : saved.infoLines) io.err << asLine(line);
        io.err << saved.errorText << "\n";
        return kExitTemplate;
    }
    io.out << "written: " << *request.writePath << "\n";
    return kExitOk;
}

RunRequest runRequestOf(Document doc, const Request& request) {
    RunRequest run;
    run.document = std::move(doc);
    run.sourceFolder = request.sourceFolder;
    run.outputFolder = request.outputFolder;
    run.mode = request.subFolders ? kSubFolderListMode : kPictureListMode;
    run.sliceSubFolder = request.sliceSubFolder;
    run.jobs = request.jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    return run;
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
    io.out << "ready: " << checked.plan.sources.size() << (request.subFolders ? " sub-folders, " : " pictures, ")
           << checked.plan.batches << " batches\n";
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
    RunCallbacks callbacks;
    callbacks.progress = [&](int batch) {
        if (io.progressOnTerminal) {
            io.err << "\r共 " << batches << " 批图片，正在处理第 " << batch << " 批。" << std::flush;
        }
    };
    callbacks.info = [&](const std::string& line) {
        if (io.progressOnTerminal) io.err << "\r\033[K";
        io.err << asLine(line);
    };
    RenderRun run(std::move(prepared.job), std::move(callbacks));
    stop = &run.stopFlag();
    if (!run.start()) {
        stop = nullptr;
        io.err << "启动线程失败\n";
        return kExitStopped;
    }
    const RunEnd end = run.wait();
    stop = nullptr;
    if (io.progressOnTerminal) io.err << "\r\033[K";
    if (end == RunEnd::kStopped) {
        io.out << "stopped: " << request.outputFolder << "\n";
        return kExitStopped;
    }
    io.out << "finished: " << batches << (batches == 1 ? " batch" : " batches") << " into " << request.outputFolder
           << "\n";
    return kExitOk;
}

}  // namespace

int runRequest(const Request& request, Streams io, std::atomic<std::atomic<int>*>& stop) {
    switch (request.command) {
        case Command::Help:
            io.out << helpText();
            return kExitOk;
        case Command::Version:
            io.out << "plazor-batch " << product::kVersion << "\n";
            return kExitOk;
        case Command::Template:
            return templateCommand(request, io);
        case Command::Check:
            return checkCommand(request, io);
        case Command::Render:
            return renderCommand(request, io, stop);
    }
    return kExitUsage;
}

}  // namespace plazor::batch
