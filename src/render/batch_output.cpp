#include "render/batch_output.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "render/jpeg_writer.h"
#include "render/output_names.h"
#include "render/output_writer.h"
#include "render/png8.h"
#include "render/wand_pixels.h"
#include "util/atomic_file.h"
#include "util/encoding.h"
#include "util/fs.h"

namespace plazor {

bool NameReserver::taken(const std::string& path) const {
    return reserved_.count(path) > 0 || pathTaken(path);
}

std::string NameReserver::reserve(const std::string& stem, const std::string& ext) {
    std::string path = firstFreeName(stem, ext, [this](const std::string& p) { return taken(p); });
    reserved_.insert(path);
    return path;
}

bool NameReserver::reserveFolder(const std::string& stem, std::string& path, std::string& error) {
    path = reserve(stem, "");
    std::error_code ec;
    if (std::filesystem::create_directory(path, ec)) return true;
    error = ec ? ec.message() : std::strerror(EEXIST);
    return false;
}

namespace {

OutputPlan planNames(const Document& doc, const std::string& outputFolder, const std::string& batchName,
                     bool sliceSubFolder, NameReserver& names, bool createFolder) {
    OutputPlan plan;
    plan.batchName = batchName;
    const std::string ext = outputExtension(doc.settings);
    plan.slicing = doc.settings.cutlineOpen && !doc.slices.empty();
    if (!plan.slicing) {
        plan.outputPath = names.reserve(joinPath(outputFolder, batchName), ext);
        return plan;
    }

    std::string stripFolder = outputFolder;
    if (sliceSubFolder && !createFolder) {
        stripFolder = names.reserve(joinPath(outputFolder, batchName), "");
        plan.stripFolderPart = baseName(stripFolder);
    } else if (sliceSubFolder) {
        std::string folder, error;
        if (names.reserveFolder(joinPath(outputFolder, batchName), folder, error)) {
            stripFolder = folder;
            plan.stripFolderPart = baseName(folder);
        } else {
            plan.infoLines.push_back("创建子文件夹 '" + folder + "' 失败:");
            plan.infoLines.push_back(error);
            plan.infoLines.push_back(
                spacedLine("'" + batchName + "' 相关的【横切片】图片将不保存到子文件夹中。"));
        }
    }
    if (doc.settings.cutlineHtmlOpen)
        plan.htmlPath = names.reserve(joinPath(outputFolder, batchName), ".html");

    plan.strips = planStrips(doc.slices, doc.background.height);
    const int width = stripNumberWidth(doc.slices.size());
    for (const Strip& strip : plan.strips) {
        plan.stripPaths.push_back(
            names.reserve(joinPath(stripFolder, stripStem(batchName, strip.number, width)), ext));
    }
    return plan;
}

}  // namespace

OutputPlan planOutput(const Document& doc, const std::string& outputFolder, const std::string& batchName,
                      bool sliceSubFolder, NameReserver& names) {
    return planNames(doc, outputFolder, batchName, sliceSubFolder, names, true);
}

OutputPlan planOutputAhead(const Document& doc, const std::string& outputFolder, const std::string& batchName,
                           bool sliceSubFolder, NameReserver& names) {
    return planNames(doc, outputFolder, batchName, sliceSubFolder, names, false);
}

std::vector<InfoLine> ensureStripFolder(const OutputPlan& plan, const std::string& outputFolder) {
    if (!plan.slicing || plan.stripFolderPart.empty()) return {};
    const std::string folder = joinPath(outputFolder, plan.stripFolderPart);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(folder, ec);
    if (std::filesystem::is_directory(status)) return {};
    std::string error;
    if (std::filesystem::exists(status)) {
        // A link could lead the strips out of the output folder; any other entry is not ours.
        error = std::strerror(EEXIST);
    } else if (!std::filesystem::create_directory(folder, ec)) {
        error = ec ? ec.message() : std::strerror(EEXIST);
    }
    if (error.empty()) return {};
    return {"创建子文件夹 '" + folder + "' 失败:", error};
}

namespace {

OutputWritten stopAfter(const InfoLine& message, OutputContext& ctx) {
    ctx.info(message);
    ctx.stop = 1;
    return {false, false};
}

OutputWritten writeWhole(MagickWand* picture, const OutputPlan& plan, OutputContext& ctx) {
    const Settings& settings = ctx.doc.settings;
    if (settings.format == kFormatPng && settings.png8) {
        const Status png8 = writePng8(picture, settings.colourCount, plan.outputPath);
        if (!png8.ok()) return stopAfter(spacedLine(png8.error()), ctx);
        return {};
    }
    if (const Status prepared = prepareForOutput(picture, settings); !prepared.ok()) {
        ctx.info(spacedLine(writeFailureLine(plan.outputPath, prepared.error())));
        return {true, false};
    }
    const Status written = writePicture(picture, plan.outputPath);
    if (!written.ok()) ctx.info(spacedLine(written.error()));
    return {true, written.ok()};
}

std::string relativeToOutput(const OutputPlan& plan, const std::string& stripPath) {
    const std::string name = baseName(stripPath);
    return plan.stripFolderPart.empty() ? name : plan.stripFolderPart + "/" + name;
}

bool writeHtml(const OutputPlan& plan, const std::vector<HtmlStripLine>& lines, OutputContext& ctx) {
    // The page declares charset=gbk, so its text (the batch name, the strip paths) goes out as
    // code-page-936 bytes.
    const std::string page = utf8ToGbk(htmlPage(plan.batchName, lines)).value_or(std::string());
    const Outcome<void, WriteFailure> result = writeFileAtomically(plan.htmlPath, page, Flush::kLater);
    if (result.ok()) return true;
    const char* what = result.error().stage == WriteFailure::kOpen ? "创建文件 '" : "写文件 '";
    ctx.info(what + plan.htmlPath + "' 时发生错误:");
    if (!result.error().systemError.empty()) ctx.info(result.error().systemError);
    return false;
}

Status writeJpeg(const Pixels8& picture, int top, int rows, const std::string& path, const Settings& settings,
                 int dpi) {
    const Outcome<std::string> encoded = encodeJpeg(picture, top, rows, settings.quality, dpi);
    if (!encoded.ok()) return fail(writeFailureLine(path, encoded.error()));
    return writeBytes(*encoded, path);
}

// sRGB JPGs, the common case, need nothing of the image library.
OutputWritten writeJpegOutput(const Pixels8& picture, const OutputPlan& plan, OutputContext& ctx) {
    const Settings& settings = ctx.doc.settings;
    const int dpi = ctx.doc.background.dpi;
    if (!plan.slicing) {
        const Status written = writeJpeg(picture, 0, picture.height, plan.outputPath, settings, dpi);
        if (!written.ok()) ctx.info(spacedLine(written.error()));
        return {true, written.ok()};
    }
    std::vector<HtmlStripLine> lines;
    bool complete = true;
    for (std::size_t i = 0; i < plan.strips.size(); ++i) {
        if (ctx.stop) return {false, false};
        const Strip& strip = plan.strips[i];
        const Status written = writeJpeg(picture, strip.top, strip.height, plan.stripPaths[i], settings, dpi);
        if (!written.ok()) {
            ctx.info(spacedLine(written.error()));
            complete = false;
        }
        lines.push_back({relativeToOutput(plan, plan.stripPaths[i]), picture.width, strip.height});
    }
    if (!plan.htmlPath.empty() && complete) complete = writeHtml(plan, lines, ctx);
    return {true, complete};
}

}  // namespace

OutputWritten writeOutput(const Pixels8& picture, const OutputPlan& plan, OutputContext& ctx) {
    const Settings& settings = ctx.doc.settings;
    if (settings.format == kFormatJpg && settings.colourSpace == kSpaceSRGB) {
        for (const InfoLine& line : plan.infoLines)
            ctx.info(line);
        if (plan.unwritable) return {true, false};
        return writeJpegOutput(picture, plan, ctx);
    }
    const Outcome<Wand> wand = wandOf(picture, ctx.doc.background.dpi);
    if (!wand.ok()) {
        for (const InfoLine& line : plan.infoLines)
            ctx.info(line);
        ctx.info(spacedLine(writeFailureLine(plan.slicing ? plan.htmlPath : plan.outputPath, wand.error())));
        return {true, false};
    }
    return writeOutput(wand->get(), plan, ctx);
}

OutputWritten writeOutput(MagickWand* picture, const OutputPlan& plan, OutputContext& ctx) {
    for (const InfoLine& line : plan.infoLines)
        ctx.info(line);
    if (plan.unwritable) return {true, false};
    if (!plan.slicing) return writeWhole(picture, plan, ctx);

    const Settings& settings = ctx.doc.settings;
    if (settings.format == kFormatPng && settings.png8) {
        const Outcome<std::string> png8 = encodePng8(picture, settings.colourCount);
        if (!png8.ok()) return stopAfter(spacedLine(png8.error()), ctx);
        ClearMagickWand(picture);
        if (MagickReadImageBlob(picture, png8->data(), png8->size()) == MagickFalse) {
            return stopAfter(spacedLine("MagickReadImageBlob(png8Data) 时发生错误。"), ctx);
        }
    } else if (const Status prepared = prepareForOutput(picture, settings); !prepared.ok()) {
        // No strip can be encoded as the run asks: none is written, and the page would have holes.
        for (const std::string& path : plan.stripPaths)
            ctx.info(spacedLine(writeFailureLine(path, prepared.error())));
        return {true, false};
    }

    const int width = static_cast<int>(MagickGetImageWidth(picture));
    std::vector<HtmlStripLine> lines;
    bool complete = true;
    for (std::size_t i = 0; i < plan.strips.size(); ++i) {
        if (ctx.stop) return {false, false};
        const Strip& strip = plan.strips[i];
        Wand region(MagickGetImageRegion(picture, static_cast<size_t>(width),
                                         static_cast<size_t>(strip.height), 0, strip.top));
        if (!region) {
            ctx.info(spacedLine(writeFailureLine(plan.stripPaths[i], wandError(picture))));
            complete = false;
            continue;
        }
        Status written = setOutputEncoding(region.get(), settings);
        if (!written.ok()) {
            written = fail(writeFailureLine(plan.stripPaths[i], written.error()));
        } else {
            written = writePicture(region.get(), plan.stripPaths[i]);
        }
        if (!written.ok()) {
            ctx.info(spacedLine(written.error()));
            complete = false;
        }
        lines.push_back({relativeToOutput(plan, plan.stripPaths[i]), width, strip.height});
    }
    if (!plan.htmlPath.empty() && complete) complete = writeHtml(plan, lines, ctx);
    return {true, complete};
}

}  // namespace plazor
