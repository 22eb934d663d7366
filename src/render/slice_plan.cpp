#include "render/slice_plan.h"

#include <cstdio>
#include <string_view>

namespace plazor {

std::vector<Strip> planStrips(const std::vector<Slice>& slices, int pictureHeight) {
    std::vector<Strip> strips;
    int top = 0;
    for (const Slice& slice : slices) {
        if (slice.y > top) {
            strips.push_back({slice.number, top, slice.y - top});
            top = slice.y;
        }
    }
    if (pictureHeight > top)
        strips.push_back({static_cast<int>(slices.size()) + 1, top, pictureHeight - top});
    return strips;
}

int stripNumberWidth(std::size_t sliceCount) {
    if (sliceCount < 9) return 1;
    if (sliceCount > 98) return 3;
    return 2;
}

std::string stripStem(const std::string& batchName, int number, int width) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%0*d", width, number);
    return batchName + "-" + digits;
}

namespace {

// The four characters that end a text or an attribute in the page.
std::string escapeHtml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A relative path as a URL: what a URL or the attribute would read otherwise ("%", "#", "?", quotes,
// "<", ">", "&", control characters) is percent-encoded; everything else, Chinese and spaces included,
// stays as it is, so ordinary names give the same bytes as ever.
std::string stripUrl(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || std::string_view("%#?\"'<>&").find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string htmlPage(const std::string& title, const std::vector<HtmlStripLine>& strips) {
    std::string page =
        "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n"
        "<style>\r\nbody, div {margin:0px; padding:0px;}\r\n</style>\r\n<title>";
    page += escapeHtml(title);
    page += "</title>\r\n</head>\r\n\r\n<body>\r\n";
    for (const HtmlStripLine& strip : strips) {
        page += "<div style=\"padding:0px; margin:0px\"><img src=\"" + stripUrl(strip.relativePath) +
                "\" width=\"" + std::to_string(strip.width) + "\" height=\"" + std::to_string(strip.height) +
                "\"></div>\r\n";
    }
    page += "</body>\r\n</html>";
    return page;
}

}  // namespace plazor
