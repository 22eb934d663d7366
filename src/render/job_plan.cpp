#include "render/job_plan.h"

#include <cmath>
#include <set>

#include "render/output_writer.h"
#include "render/slice_plan.h"
#include "template/json_handles.h"
#include "template/template_file.h"
#include "util/digest.h"
#include "util/fs.h"

namespace plazor {
namespace {

constexpr const char* kFormatTag = "plazor-run-plan";
constexpr const char* kNotPlain = "is not a plain name inside the output folder";

std::string printed(const cJSON* item) {
    const CJsonText text(cJSON_PrintUnformatted(item));
    return text ? std::string(text.get()) : std::string();
}

// `path` without its leading "folder/".
std::string relativeTo(const std::string& folder, const std::string& path) {
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

void addStrings(cJSON* object, const char* key, const std::vector<std::string>& texts) {
    cJSON* array = cJSON_AddArrayToObject(object, key);
    for (const std::string& t : texts)
        cJSON_AddItemToArray(array, cJSON_CreateString(t.c_str()));
}

std::string batchLine(const JobPlan& plan, const PlannedBatch& batch) {
    const CJsonPtr object(cJSON_CreateObject());
    cJSON_AddStringToObject(object.get(), "name", batch.input.name.c_str());
    std::vector<std::string> pictures;
    for (const std::string& p : batch.input.pictures)
        pictures.push_back(relativeTo(plan.sourceFolder, p));
    addStrings(object.get(), "pictures", pictures);
    const OutputPlan& out = batch.output;
    if (!out.slicing) {
        cJSON_AddStringToObject(object.get(), "output", baseName(out.outputPath).c_str());
        return printed(object.get());
    }
    if (!out.stripFolderPart.empty())
        cJSON_AddStringToObject(object.get(), "folder", out.stripFolderPart.c_str());
    std::vector<std::string> strips;
    for (const std::string& p : out.stripPaths)
        strips.push_back(baseName(p));
    addStrings(object.get(), "strips", strips);
    if (!out.htmlPath.empty()) cJSON_AddStringToObject(object.get(), "html", baseName(out.htmlPath).c_str());
    return printed(object.get());
}

// One name inside a folder: no separator, not "." or "..", not empty, not beyond a file name's length.
bool plainName(const std::string& name) {
    return !name.empty() && name.size() <= 255 && name != "." && name != ".." &&
           name.find('/') == std::string::npos;
}

// A picture inside the source folder: "name" or "sub-folder/name".
bool plainPicturePath(const std::string& path) {
    const std::size_t slash = path.find('/');
    if (slash == std::string::npos) return plainName(path);
    return plainName(path.substr(0, slash)) && plainName(path.substr(slash + 1));
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char* stringMember(const cJSON* object, const char* key) {
    const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, key);
    return cJSON_IsString(item) ? item->valuestring : nullptr;
}

std::optional<int> intMember(const cJSON* object, const char* key, int min, int max) {
    const cJSON* item = cJSON_GetObjectItemCaseSensitive(object, key);
    if (!cJSON_IsNumber(item) || !std::isfinite(item->valuedouble) ||
        item->valuedouble != std::floor(item->valuedouble) || item->valuedouble < min ||
        item->valuedouble > max) {
        return std::nullopt;
    }
    return static_cast<int>(item->valuedouble);
}

std::optional<std::vector<std::string>> stringsMember(const cJSON* object, const char* key) {
    const cJSON* array = cJSON_GetObjectItemCaseSensitive(object, key);
    if (!cJSON_IsArray(array)) return std::nullopt;
    std::vector<std::string> texts;
    for (const cJSON* item = array->child; item; item = item->next) {
        if (!cJSON_IsString(item)) return std::nullopt;
        texts.emplace_back(item->valuestring);
    }
    return texts;
}

// Reads one batch of a plan whose header and template were accepted; the error names what is wrong.
class BatchReader {
  public:
    BatchReader(const JobPlan& plan, const Document& doc)
        : plan_(plan),
          doc_(doc),
          ext_(outputExtension(doc.settings)),
          slicing_(doc.settings.cutlineOpen && !doc.slices.empty()),
          strips_(planStrips(doc.slices, doc.background.height)) {}

    Outcome<PlannedBatch> read(const cJSON* object) {
        if (!cJSON_IsObject(object)) return fail("is not an object");
        PlannedBatch batch;
        const char* name = stringMember(object, "name");
        if (!name || !*name) return fail("has no name");
        batch.input.name = name;
        batch.input.listing = {};
        const auto pictures = stringsMember(object, "pictures");
        if (!pictures) return fail("has no list of pictures");
        if (pictures->size() > doc_.pasteLayers.size()) return fail("has more pictures than paste layers");
        for (const std::string& p : *pictures) {
            if (!plainPicturePath(p)) return fail("picture '" + p + "' is not inside the source folder");
            batch.input.pictures.push_back(joinPath(plan_.sourceFolder, p));
        }

        OutputPlan& out = batch.output;
        out.batchName = batch.input.name;
        out.slicing = slicing_;
        if (!slicing_) {
            const char* output = stringMember(object, "output");
            if (Status named = claimMember("output", output, ext_); !named)
                return fail(std::move(named).error());
            out.outputPath = joinPath(plan_.outputFolder, output);
            return batch;
        }

        std::string stripFolder = plan_.outputFolder;
        if (plan_.sliceSubFolder) {
            const char* folder = stringMember(object, "folder");
            if (Status named = claimMember("folder", folder, ""); !named)
                return fail(std::move(named).error());
            out.stripFolderPart = folder;
            stripFolder = joinPath(plan_.outputFolder, folder);
        }
        const auto strips = stringsMember(object, "strips");
        if (!strips || strips->size() != strips_.size()) {
            return fail("does not name the template's " + std::to_string(strips_.size()) + " strips");
        }
        for (const std::string& s : *strips) {
            const Status claimed =
                plainName(s)
                    ? claim(out.stripFolderPart.empty() ? s : out.stripFolderPart + "/" + s, ext_, true)
                    : Status(fail(kNotPlain));
            if (!claimed) return fail("strip name '" + s + "' " + claimed.error());
            out.stripPaths.push_back(joinPath(stripFolder, s));
        }
        out.strips = strips_;
        if (doc_.settings.cutlineHtmlOpen) {
            const char* html = stringMember(object, "html");
            if (Status named = claimMember("html", html, ".html"); !named)
                return fail(std::move(named).error());
            out.htmlPath = joinPath(plan_.outputFolder, html);
        }
        return batch;
    }

  private:
    // Claims the plain name a member holds; the failure says which member and what is wrong with it.
    Status claimMember(const std::string& what, const char* name, const std::string& ext) {
        if (!name) return fail("has no " + what + " name");
        const Status claimed = claim(name, ext);
        if (!claimed) return fail(what + " name '" + name + "' " + claimed.error());
        return {};
    }

    // A name relative to the output folder, with the given ending, that no other file of the plan uses:
    // one plain name, or with `nested` "folder/name" for a strip in its sub-folder.
    Status claim(const std::string& relative, const std::string& ext, bool nested = false) {
        const std::size_t slash = relative.find('/');
        const bool plain = nested && slash != std::string::npos
                               ? plainName(relative.substr(0, slash)) && plainName(relative.substr(slash + 1))
                               : plainName(relative);
        if (!plain) return fail(kNotPlain);
        if (!ext.empty() && !endsWith(relative, ext)) return fail("does not end in " + ext);
        if (!names_.insert(relative).second) return fail("is used twice");
        return {};
    }

    const JobPlan& plan_;
    const Document& doc_;
    const std::string ext_;
    const bool slicing_;
    const std::vector<Strip> strips_;
    std::set<std::string> names_;
};

bool absoluteFolder(const char* text) {
    return text && text[0] == '/';
}

}  // namespace

Status planBatches(const Document& doc, const std::vector<std::string>& sources, JobPlan& plan) {
    const std::size_t layers = doc.pasteLayers.size();
    const std::size_t count = batchCount(sources, plan.mode, layers);
    NameReserver names;
    plan.batches.clear();
    plan.batches.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        PlannedBatch batch;
        batch.input = batchAt(sources, plan.mode, layers, i);
        if (const ListFailure* guard = pathGuardOf(batch.input.listing)) return fail(guard->message);
        batch.output = planOutputAhead(doc, plan.outputFolder, batch.input.name, plan.sliceSubFolder, names);
        plan.batches.push_back(std::move(batch));
    }
    return {};
}

bool writeJobPlan(const JobPlan& plan, std::ostream& out) {
    const CJsonPtr templ(cJSON_CreateObject());
    cJSON_AddStringToObject(templ.get(), "path", plan.templatePath.c_str());
    cJSON_AddStringToObject(templ.get(), "sha256", sha256Hex(plan.templateBytes).c_str());
    cJSON_AddStringToObject(templ.get(), "base64", base64Encode(plan.templateBytes).c_str());
    auto text = [](const std::string& s) {
        const CJsonPtr item(cJSON_CreateString(s.c_str()));
        return printed(item.get());
    };
    out << "{\n\"format\": \"" << kFormatTag << "\",\n\"version\": " << kJobPlanVersion
        << ",\n\"template\": " << printed(templ.get()) << ",\n\"dpi\": " << plan.dpi << ",\n\"mode\": \""
        << (plan.mode == kSubFolderListMode ? "subfolders" : "pictures")
        << "\",\n\"source\": " << text(plan.sourceFolder) << ",\n\"output\": " << text(plan.outputFolder)
        << ",\n\"sliceSubFolder\": " << (plan.sliceSubFolder ? "true" : "false") << ",\n\"batches\": [";
    for (std::size_t i = 0; i < plan.batches.size(); ++i) {
        out << (i ? ",\n" : "\n") << batchLine(plan, plan.batches[i]);
    }
    out << "\n]\n}\n";
    out.flush();
    return static_cast<bool>(out);
}

const std::vector<InfoLine>& infoLinesOf(const JobPlanOutcome& read) {
    return read.ok() ? read->infoLines : read.error().infoLines;
}

JobPlanOutcome readJobPlan(std::string_view text, Shard shard) {
    JobPlanRead result;
    auto refuse = [&result](std::string why) -> JobPlanOutcome {
        return fail(JobPlanRefusal{std::move(why), std::move(result.infoLines)});
    };
    const char* end = nullptr;
    const CJsonPtr root(cJSON_ParseWithLengthOpts(text.data(), text.size(), &end, false));
    if (!root) {
        const std::size_t at = end && end >= text.data() ? static_cast<std::size_t>(end - text.data()) : 0;
        return refuse("not a run plan: JSON is broken near byte " + std::to_string(at));
    }
    const char* format = stringMember(root.get(), "format");
    if (!cJSON_IsObject(root.get()) || !format || std::string(format) != kFormatTag) {
        return refuse("not a run plan (its \"format\" is not \"" + std::string(kFormatTag) + "\")");
    }
    const std::optional<int> version = intMember(root.get(), "version", 1, 1 << 30);
    if (version != kJobPlanVersion) {
        return refuse("plan version is not supported (this plazor-batch reads version " +
                      std::to_string(kJobPlanVersion) + ")");
    }

    JobPlan plan;
    const cJSON* templ = cJSON_GetObjectItemCaseSensitive(root.get(), "template");
    const char* digest = stringMember(templ, "sha256");
    const char* encoded = stringMember(templ, "base64");
    const std::optional<std::string> bytes = encoded ? base64Decode(encoded) : std::nullopt;
    if (!digest || !bytes || sha256Hex(*bytes) != digest) {
        return refuse(
            "the template in the plan is missing or does not match its SHA-256 (the plan is damaged)");
    }
    plan.templateBytes = *bytes;
    if (const char* path = stringMember(templ, "path")) plan.templatePath = path;

    const std::optional<int> dpi = intMember(root.get(), "dpi", 1, 1200);
    const char* mode = stringMember(root.get(), "mode");
    const char* source = stringMember(root.get(), "source");
    const char* output = stringMember(root.get(), "output");
    const cJSON* sliceSubFolder = cJSON_GetObjectItemCaseSensitive(root.get(), "sliceSubFolder");
    cJSON* batches = cJSON_GetObjectItemCaseSensitive(root.get(), "batches");
    if (!dpi || !mode || (std::string(mode) != "pictures" && std::string(mode) != "subfolders") ||
        !absoluteFolder(source) || !absoluteFolder(output) || !cJSON_IsBool(sliceSubFolder) ||
        !cJSON_IsArray(batches)) {
        return refuse("the plan lacks a valid dpi, mode, source, output, sliceSubFolder or batches member");
    }
    plan.dpi = *dpi;
    plan.mode = std::string(mode) == "subfolders" ? kSubFolderListMode : kPictureListMode;
    plan.sourceFolder = normaliseFolder(source);
    plan.outputFolder = normaliseFolder(output);
    plan.sliceSubFolder = cJSON_IsTrue(sliceSubFolder);

    result.document.background.dpi = plan.dpi;
    const LoadOutcome loaded = applyTemplate(result.document, plan.templateBytes);
    result.infoLines = reportOf(loaded).infoLines;
    if (!loaded.ok()) {
        return refuse("the template in the plan cannot be read: " + loaded.error().text);
    }

    BatchReader reader(plan, result.document);
    const auto total = static_cast<std::size_t>(cJSON_GetArraySize(batches));
    const auto count = static_cast<std::size_t>(shard.count);
    plan.batches.reserve(total / count + 1);
    std::size_t index = 0;
    // Each batch's JSON is freed once read, so the tree and the batches are never both whole in memory.
    for (cJSON* item = batches->child; item; item = batches->child, ++index) {
        Outcome<PlannedBatch> batch = reader.read(item);
        if (!batch) return refuse("batch " + std::to_string(index + 1) + " " + batch.error());
        if (index % count == static_cast<std::size_t>(shard.index)) {
            plan.batches.push_back(std::move(*batch));
        }
        cJSON_Delete(cJSON_DetachItemViaPointer(batches, item));
    }
    result.plan = std::move(plan);
    return result;
}

}  // namespace plazor
