// Where a batch's output goes: the output file, or the strips with their sub-folder and HTML page.
// Names are reserved in batch order before rendering, so several workers write exactly the files that
// one worker writes.
#pragma once

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "render/pixels8.h"
#include "render/slice_plan.h"
#include "template/document.h"
#include "util/info_line.h"
#include "util/magick.h"

namespace plazor {

struct OutputPlan {
    std::string batchName;
    std::string outputPath;  // the whole picture, when not slicing
    bool slicing = false;
    std::string stripFolderPart;  // "" or the sub-folder's name
    std::vector<Strip> strips;
    std::vector<std::string> stripPaths;
    std::string htmlPath;             // empty when no page is written
    std::vector<InfoLine> infoLines;  // problems met while preparing (sub-folder creation)
    bool unwritable = false;          // nowhere to write the batch's files: it counts as not written
};

// Hands out output names: a name is free when nothing exists under it and no earlier batch of this
// run has reserved it.
class NameReserver {
  public:
    std::string reserve(const std::string& stem, const std::string& ext);
    // Reserves and creates a folder "stem", "stem(2)", ...; the name is reserved even when creating
    // it fails. Returns false with the system's reason on failure.
    bool reserveFolder(const std::string& stem, std::string& path, std::string& error);

  private:
    bool taken(const std::string& path) const;
    std::set<std::string> reserved_;
};

// Decides the files of one batch (the caller serialises calls in batch order).
OutputPlan planOutput(const Document& doc, const std::string& outputFolder, const std::string& batchName,
                      bool sliceSubFolder, NameReserver& names);

// The same names as planOutput, decided without touching the file system: the strip sub-folder is
// only reserved, for a later run that creates it with ensureStripFolder.
OutputPlan planOutputAhead(const Document& doc, const std::string& outputFolder, const std::string& batchName,
                           bool sliceSubFolder, NameReserver& names);

// Creates a plan's strip sub-folder unless it is there already as a real folder (not a link). Returns
// the info lines when it cannot.
std::vector<InfoLine> ensureStripFolder(const OutputPlan& plan, const std::string& outputFolder);

// Writes a rendered batch as planned. Problems become info lines; `complete` is false when a file of
// the batch could not be written, and `keepGoing` false when the run must stop (a PNG-8 failure). The
// HTML page is written only when all its strips were: a page with holes would pass for a good one.
using InfoSink = std::function<void(const InfoLine& line)>;
struct OutputContext {
    const Document& doc;
    const std::string& outputFolder;
    std::atomic<int>& stop;
    const InfoSink& info;
};
struct OutputWritten {
    bool keepGoing = true;
    bool complete = true;
};
OutputWritten writeOutput(MagickWand* picture, const OutputPlan& plan, OutputContext& ctx);

// The same for a picture composed on an 8-bit canvas: sRGB JPGs, whole or in strips, are encoded
// straight from its samples; every other output goes through the image library as above.
OutputWritten writeOutput(const Pixels8& picture, const OutputPlan& plan, OutputContext& ctx);

}  // namespace plazor
