#include "util/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string>

namespace plazor {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::optional<std::string> convertEncoding(const char* from, const char* to, std::string_view input) {
    const std::string target = std::string(to) + "//IGNORE";
    iconv_t raw = iconv_open(target.c_str(), from);
    if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    IconvHandle cd(raw);

    std::string out;
    out.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t written = 0;
    for (;;) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        const char* before = in;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1) || inLeft == 0) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (errno != EILSEQ && errno != EINVAL) return std::nullopt;
        // With //IGNORE glibc skips what it cannot convert but may still stop early and report
        // EILSEQ; go on from where it stopped, and step over a byte only when it made no progress
        // (an invalid or truncated sequence that it would not skip itself).
        if (in == before) {
            ++in;
            --inLeft;
        }
    }
    out.resize(written);
    return out;
}

// Decoded as GB18030, which reads every GBK double-byte character alike and also the four-byte
// sequences that utf8ToGbk writes for characters outside GBK, so saved paths read back unchanged.
std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    return convertEncoding("GB18030", "UTF-8", gbk);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    return convertEncoding("UTF-8", "GB18030", utf8);
}

std::size_t gbkByteLength(std::string_view utf8) {
    const auto gbk = utf8ToGbk(utf8);
    return gbk ? gbk->size() : utf8.size();
}

namespace {

// Length of the valid UTF-8 sequence at the front of `bytes`, or 0 (overlong forms, surrogates and
// values beyond U+10FFFF are not valid).
std::size_t utf8SequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string escapedName(std::string_view bytes) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    while (!bytes.empty()) {
        const std::size_t length = utf8SequenceLength(bytes);
        const auto lead = static_cast<unsigned char>(bytes.front());
        if (length == 0 || lead < 0x20 || lead == 0x7F) {
            out += "\\x";
            out.push_back(kHex[lead >> 4]);
            out.push_back(kHex[lead & 0x0F]);
            bytes.remove_prefix(1);
        } else {
            out.append(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    return out;
}

}  // namespace plazor
