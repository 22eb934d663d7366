#include "util/probe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <system_error>

#include "util/regular_file.h"

namespace plazor {
namespace {

// Random access to the bytes being probed. Every rule reads only the few bytes it needs, so a huge
// file costs a handful of small reads, and a read that would reach past the end fails.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `out` with the bytes at `offset`; false when they are not all there.
    virtual bool read(std::uint64_t offset, std::span<unsigned char> out) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<unsigned char> out) override {
        if (offset > bytes_.size() || bytes_.size() - offset < out.size()) return false;
        std::memcpy(out.data(), bytes_.data() + offset, out.size());
        return true;
    }

  private:
    std::string_view bytes_;
};

class FileSource final : public ByteSource {
  public:
    // Takes an open regular file; its length is measured once.
    explicit FileSource(FileDescriptor fd) : fd_(std::move(fd)) {
        struct stat info {};
        if (::fstat(fd_.get(), &info) == 0 && info.st_size > 0)
            size_ = static_cast<std::uint64_t>(info.st_size);
    }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::span<unsigned char> out) override {
        if (offset > size_ || size_ - offset < out.size()) return false;
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n =
                ::pread(fd_.get(), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

  private:
    FileDescriptor fd_;
    std::uint64_t size_ = 0;
};

std::uint32_t be16(const unsigned char* p) {
    return std::uint32_t{p[0]} << 8 | p[1];
}
std::uint32_t le16(const unsigned char* p) {
    return std::uint32_t{p[1]} << 8 | p[0];
}
std::uint32_t be32(const unsigned char* p) {
    return be16(p) << 16 | be16(p + 2);
}
std::uint32_t le32(const unsigned char* p) {
    return le16(p + 2) << 16 | le16(p);
}

// A 32-bit header field read as a signed value (a BMP height is negative for bottom-up rows).
std::int64_t asSigned(std::uint32_t v) {
    return static_cast<std::int32_t>(v);
}

struct Size {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The first 32 bytes, with zeros past the end of a shorter file.
using Header = std::array<unsigned char, 32>;

// Walks the marker segments from offset 2 up to the first start-of-frame (C0 or C2). Every step
// moves forward by at least four bytes, so the walk ends at the end of the data at the latest.
std::optional<Size> jpegSize(ByteSource& src) {
    std::uint64_t pos = 2;
    for (;;) {
        std::array<unsigned char, 4> segment;
        if (!src.read(pos, segment) || segment[0] != 0xFF) return std::nullopt;
        const unsigned marker = segment[1];
        const std::uint32_t length = be16(&segment[2]);
        if ((marker & ~0x02u) == 0xC0) {
            std::array<unsigned char, 5> frame;  // sample precision, height, width
            if (!src.read(pos + 4, frame)) return std::nullopt;
            return Size{be16(&frame[3]), be16(&frame[1])};
        }
        // A length below 2 would not even cover its own two bytes: the data is broken.
        if (length < 2) return std::nullopt;
        pos += 2 + length;
    }
}

// Reads the first directory's entries for tags 256 (width) and 257 (height). The entries are read
// one by one, so a count larger than the data ends at the end of the data.
std::optional<Size> tiffSize(ByteSource& src, const Header& header) {
    const bool big = header[0] == 'M';
    auto u16 = [big](const unsigned char* p) { return big ? be16(p) : le16(p); };
    auto u32 = [big](const unsigned char* p) { return big ? be32(p) : le32(p); };

    const std::uint64_t directory = u32(&header[4]);
    std::array<unsigned char, 2> countBytes;
    if (!src.read(directory, countBytes)) return std::nullopt;
    const std::uint32_t count = u16(countBytes.data());

    constexpr std::uint32_t kLongType = 4;
    std::optional<std::int64_t> width, height;
    for (std::uint32_t i = 0; i < count && !(width && height); ++i) {
        std::array<unsigned char, 12> entry;  // tag, type, count, value
        if (!src.read(directory + 2 + std::uint64_t{i} * 12, entry)) break;
        const std::uint32_t tag = u16(&entry[0]);
        if (tag != 256 && tag != 257) continue;
        // A LONG value fills the whole field; in big-endian order its first two bytes are the high
        // half, so reading only those would report 0 for every ordinary size.
        const std::int64_t value = u16(&entry[2]) == kLongType ? asSigned(u32(&entry[8])) : u16(&entry[8]);
        (tag == 256 ? width : height) = value;
    }
    if (!width || !height) return std::nullopt;
    return Size{*width, *height};
}

Size bmpSize(const Header& h) {
    Size s{std::llabs(asSigned(le32(&h[18]))), std::llabs(asSigned(le32(&h[22])))};
    // Values this large mean the 12-byte core header, whose sizes are 16-bit.
    if (s.width > 100000 || s.height > 100000) s = Size{le16(&h[18]), le16(&h[20])};
    return s;
}

std::optional<ProbeResult> probe(ByteSource& src) {
    Header header{};
    const auto headerLength = static_cast<std::size_t>(std::min<std::uint64_t>(src.size(), header.size()));
    if (!src.read(0, std::span(header.data(), headerLength))) return std::nullopt;

    const auto realSize = static_cast<std::int32_t>(
        std::min<std::uint64_t>(src.size(), std::numeric_limits<std::int32_t>::max()));
    ProbeResult result;
    result.fileSize = realSize;
    std::optional<Size> size;

    // Tested in this order against the first two bytes; an earlier row wins.
    const std::uint32_t signature = be16(header.data());
    if (signature == 0x424D) {  // "BM"
        result.format = "BMP";
        size = bmpSize(header);
        // The header's own size field stands in for the file's length.
        result.fileSize = static_cast<std::int32_t>(asSigned(le32(&header[2])));
    } else if (signature == 0xFFD8) {
        result.format = "JPEG";
        size = jpegSize(src);
    } else if (signature == 0x4749) {  // "GI"
        result.format = "GIF";
        size = Size{le16(&header[6]), le16(&header[8])};
    } else if (signature == 0x8950) {
        result.format = "PNG";
        // The IHDR fields are 4 bytes; beyond 2^31 - 1 they are invalid and read as negative.
        size = Size{asSigned(be32(&header[16])), asSigned(be32(&header[20]))};
    } else if (signature == 0x4949 || signature == 0x4D4D) {  // "II", "MM"
        result.format = "TIFF";
        size = tiffSize(src, header);
    } else if (signature == 0x3842) {  // "8B"
        result.format = "PSD";
        size = Size{asSigned(be32(&header[18])), asSigned(be32(&header[14]))};
    } else {
        return std::nullopt;
    }

    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (!size || size->width <= 0 || size->height <= 0 || size->width > kMax || size->height > kMax ||
        result.fileSize <= 0) {
        return std::nullopt;
    }
    result.width = static_cast<std::int32_t>(size->width);
    result.height = static_cast<std::int32_t>(size->height);
    return result;
}

}  // namespace

std::optional<ProbeResult> probePicture(const std::filesystem::path& path) {
    FileDescriptor fd = openRegularFile(path);
    if (!fd) return std::nullopt;
    FileSource source(std::move(fd));
    return probe(source);
}

std::optional<ProbeResult> probePictureBytes(std::string_view bytes) {
    MemorySource source(bytes);
    return probe(source);
}

bool isAcceptedPictureFormat(const ProbeResult& r) {
    return r.format == "JPEG" || r.format == "PNG" || r.format == "GIF";
}

}  // namespace plazor
