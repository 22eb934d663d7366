#include "hostile/hostile_corpus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string_view>

#include "template/document.h"
#include "template/template_file.h"
#include "util/magick.h"

namespace plazor::hostile {
namespace {

namespace fs = std::filesystem;

void writeBytes(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A picture with detail in every row, so that damage anywhere changes what a decoder sees.
std::string encodedPicture(const char* format, int frames = 1) {
    Wand wand = newWand();
    for (int f = 0; f < frames; ++f) {
        PixelWandPtr fill(NewPixelWand());
        PixelSetColor(fill.get(), f % 2 ? "#3366cc" : "#cc6633");
        MagickNewImage(wand.get(), 64, 48, fill.get());
        MagickAddNoiseImage(wand.get(), GaussianNoise);
    }
    MagickResetIterator(wand.get());
    MagickSetFormat(wand.get(), format);
    size_t length = 0;
    MagickBuffer<unsigned char> blob(frames > 1 ? MagickGetImagesBlob(wand.get(), &length)
                                                : MagickGetImageBlob(wand.get(), &length));
    return std::string(reinterpret_cast<const char*>(blob.get()), length);
}

// Flips 1 bit in every 64 bytes past the signature, at places a fixed seed chooses.
std::string bitFlipped(std::string bytes, unsigned seed) {
    std::mt19937 random(seed);
    for (std::size_t i = 16; i < bytes.size(); i += 64) {
        const std::size_t at = i + random() % 64;
        if (at < bytes.size()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
    }
    return bytes;
}

// A PNG whose header claims 100,000 x 100,000 pixels, followed by a tiny image data chunk.
std::string bombPng() {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    const std::string ihdr("\x00\x00\x00\x0dIHDR\x00\x01\x86\xa0\x00\x01\x86\xa0\x08\x02\x00\x00\x00", 21);
    png += ihdr + std::string("\x00\x00\x00\x00", 4);  // a wrong checksum: decoders must not care first
    png += std::string("\x00\x00\x00\x0aIDAT\x78\x9c\x63\x00\x01\x00\x00\x05\x00\x01\x00\x00\x00\x00", 22);
    png += std::string("\x00\x00\x00\x00IEND\xae\x42\x60\x82", 12);
    return png;
}

Document oneSlot() {
    Document doc;
    doc.background.width = doc.background.height = 100;
    doc.background.szWidth = doc.background.szHeight = "100";
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
    layer.x = layer.y = 0;
    layer.width = layer.height = 100;
    return doc;
}

std::string templateText(const Document& doc) {
    return serialiseTemplate(doc).value();
}

// The template text with the first `"key":\tvalue` replaced by `"key":\treplacement`.
std::string withMember(std::string text, const std::string& key, const std::string& replacement) {
    const std::size_t at = text.find("\"" + key + "\":");
    if (at == std::string::npos) std::abort();
    const std::size_t start = at + key.size() + 3;
    const std::size_t end = text.find_first_of(",\n", start);
    return text.replace(start, end - start, "\t" + replacement);
}

}  // namespace

std::vector<HostileCase> writeHostileCorpus(const fs::path& root) {
    std::vector<HostileCase> cases;
    const fs::path oneSlotTemplate = root / "one-slot.dat";
    writeBytes(oneSlotTemplate, templateText(oneSlot()));

    // Each source picture gets a folder of its own, rendered into the one slot.
    auto picture = [&](const std::string& name, const std::string& file, std::string_view bytes, int exitCode,
                       const std::string& message, int outputs) {
        const fs::path source = root / "sources" / name;
        writeBytes(source / file, bytes);
        const fs::path out = root / "out" / name;
        cases.push_back({name, {"render", oneSlotTemplate, source, out}, exitCode, message, outputs, out});
    };
    const std::string jpeg = encodedPicture("JPEG");
    const std::string png = encodedPicture("PNG");
    const std::string gif = encodedPicture("GIF");
    // Damaged pictures: the output is written in every case, with what could be decoded or an empty
    // slot and an info line.
    picture("jpeg-truncated", "a.jpg", std::string_view(jpeg).substr(0, jpeg.size() / 2), 0, "", 1);
    picture("jpeg-bit-flipped", "a.jpg", bitFlipped(jpeg, 1), 0, "", 1);
    picture("png-truncated", "a.png", std::string_view(png).substr(0, png.size() / 2), 0, "无效图片", 1);
    picture("png-bit-flipped", "a.png", bitFlipped(png, 2), 0, "无效图片", 1);
    picture("gif-truncated", "a.gif", std::string_view(gif).substr(0, gif.size() / 2), 0, "", 1);
    picture("gif-bit-flipped", "a.gif", bitFlipped(gif, 3), 0, "", 1);
    picture("zero-bytes", "a.jpg", "", 0, "无效图片", 1);
    // Refused from its header, before any pixel memory is taken.
    picture("decompression-bomb", "a.png", bombPng(), 0, "无效图片", 1);
    // Only the first of a hundred frames is decoded.
    picture("gif-100-frames", "a.gif", encodedPicture("GIF", 100), 0, "", 1);
    // Names the image library or the page could read as instructions stay plain names.
    picture("name-brackets", "a[100x100].png", png, 0, "", 1);
    picture("name-percent", "a%d%s%%.png", png, 0, "", 1);
    picture("name-markup", "<img src=x onerror=alert(1)>.png", png, 0, "", 1);

    // A named pipe is not a picture: the folder has none, and nothing blocks.
    const fs::path pipeFolder = root / "sources" / "named-pipe";
    fs::create_directories(pipeFolder);
    mkfifo((pipeFolder / "a.jpg").c_str(), 0644);
    cases.push_back({"named-pipe",
                     {"render", oneSlotTemplate, pipeFolder, root / "out" / "named-pipe"},
                     2,
                     "没有找到任何可用的图片",
                     0,
                     {}});

    // Templates, over a folder with one good picture.
    const fs::path good = root / "sources" / "good";
    writeBytes(good / "a.png", png);
    auto templ = [&](const std::string& name, std::string_view bytes, int exitCode,
                     const std::string& message, int outputs) {
        const fs::path file = root / "templates" / (name + ".dat");
        writeBytes(file, bytes);
        const fs::path out = root / "out" / name;
        cases.push_back(
            {name, {"render", file, good, out}, exitCode, message, outputs, outputs ? out : fs::path()});
    };
    const std::string text = templateText(oneSlot());
    templ("template-truncated", std::string_view(text).substr(0, text.size() / 2), 1, kBadFormatText, 0);
    templ("template-empty", "", 1, kReadFailedText, 0);
    templ("template-bad-gbk-path",
          withMember(withMember(text, "background_type", "0"), "dpi",
                     "72,\n\t\"background_path\":\t\"/a\x81.png\""),
          1, kBadFormatText, 0);
    templ("template-escaped-nul-path",
          withMember(withMember(text, "background_type", "0"), "dpi",
                     "72,\n\t\"background_path\":\t\"/etc/passwd\\u0000.png\""),
          1, kBadFormatText, 0);
    // Numbers beyond any range are clamped into usable ones, never wrapped.
    templ("template-huge-numbers", withMember(withMember(text, "x", "1e308"), "y", "9999999999"), 0, "", 1);
    templ("template-negative-numbers", withMember(withMember(text, "x", "-1e308"), "y", "-2147483649"), 0, "",
          1);
    // A number where a text belongs is a format error.
    templ("template-number-for-text", withMember(text, "width", "1e308"), 1, kBadFormatText, 0);
    templ("template-stored-width-zero", withMember(text, "width", "\"0\""), 2, "【背景层】宽度必须大于 0", 0);

    Document many = oneSlot();
    for (int i = 1; i < 10000; ++i) {
        PasteLayer& layer = many.addPasteLayer(kAboveBackground, kStretch);
        layer.x = i % 100;
        layer.y = i / 100;
        layer.width = layer.height = 1;
    }
    templ("template-10000-layers", templateText(many), 0, "", 1);
    return cases;
}

}  // namespace plazor::hostile
