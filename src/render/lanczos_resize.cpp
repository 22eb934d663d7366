#include "render/lanczos_resize.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

namespace plazor {
namespace {

constexpr double kLobes = 3.0;

double sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double lanczos(double x) {
    x = std::fabs(x);
    return x < kLobes ? sinc(x) * sinc(x / kLobes) : 0.0;
}

// The source samples that make one target sample on one axis, with their normalised weights.
struct Taps {
    int start = 0;
    int count = 0;
    std::size_t weightAt = 0;
};

struct AxisFilter {
    std::vector<Taps> taps;  // one per target sample of the region
    std::vector<float> weights;
    int first = 0;  // the source samples the region needs: first .. last - 1
    int last = 0;
};

// The filter for target samples from .. from + count - 1 of a sourceLength -> targetLength resize.
// Each sample's taps depend only on the two lengths and its own index, never on the region.
AxisFilter axisFilter(int sourceLength, int targetLength, int from, int count) {
    const double factor = static_cast<double>(targetLength) / sourceLength;
    const double scale = std::max(1.0 / factor, 1.0);  // shrinking widens the filter; blur 1.0
    const double support = kLobes * scale;
    AxisFilter filter;
    filter.first = sourceLength;
    std::vector<double> w;
    for (int i = from; i < from + count; ++i) {
        const double centre = (i + 0.5) / factor;
        int start = std::max(0, static_cast<int>(std::floor(centre - support + 0.5)));
        int stop = std::min(sourceLength, static_cast<int>(std::floor(centre + support + 0.5)));
        w.clear();
        double sum = 0.0;
        for (int j = start; j < stop; ++j) {
            w.push_back(lanczos((j + 0.5 - centre) / scale));
            sum += w.back();
        }
        if (w.empty() || sum == 0.0) {  // no usable tap: take the nearest sample
            start = std::clamp(static_cast<int>(centre), 0, sourceLength - 1);
            stop = start + 1;
            w.assign(1, 1.0);
            sum = 1.0;
        }
        filter.taps.push_back({start, stop - start, filter.weights.size()});
        for (const double v : w)
            filter.weights.push_back(static_cast<float>(v / sum));
        filter.first = std::min(filter.first, start);
        filter.last = std::max(filter.last, stop);
    }
    return filter;
}

std::uint8_t toByte(std::int64_t v) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
}

// RGB runs in fixed point: weights carry 14 fraction bits and the samples between the passes 6, so
// both passes are integer sums the compiler vectorises.
constexpr int kSampleBits = 6;
constexpr int kWeightBits = 14;

std::vector<std::int16_t> fixedWeights(const AxisFilter& filter) {
    std::vector<std::int16_t> out(filter.weights.size());
    for (const Taps& t : filter.taps) {
        // Rounded weights that still add up to exactly one, so a flat colour stays that colour.
        int sum = 0;
        std::size_t largest = t.weightAt;
        for (int k = 0; k < t.count; ++k) {
            const std::size_t i = t.weightAt + static_cast<std::size_t>(k);
            out[i] = static_cast<std::int16_t>(std::lround(filter.weights[i] * (1 << kWeightBits)));
            sum += out[i];
            if (filter.weights[i] > filter.weights[largest]) largest = i;
        }
        out[largest] = static_cast<std::int16_t>(out[largest] + (1 << kWeightBits) - sum);
    }
    return out;
}

// The rows between the passes: four samples a pixel (the fourth unused) and three pixels of zeros at
// the end, so the horizontal pass reads whole groups of four taps.
struct FilteredRows {
    std::size_t stride = 0;                   // samples a row
    std::unique_ptr<std::int16_t[]> samples;  // every sample is written before it is read
};
constexpr int kTapGroup = 4;

// Vertical pass over whole contiguous rows (the region's columns, channels interleaved), eight
// samples at a time, two source rows interleaved so that one multiply-add sums a pair of taps.
FilteredRows filterRowsRgb(const Pixels8& source, const AxisFilter& v, int firstColumn, int columns) {
    const std::vector<std::int16_t> weights = fixedWeights(v);
    const std::size_t n = static_cast<std::size_t>(columns) * 3;
    FilteredRows rows;
    rows.stride = (static_cast<std::size_t>(columns) + kTapGroup - 1) * 4;
    rows.samples = std::make_unique_for_overwrite<std::int16_t[]>(v.taps.size() * rows.stride);
    std::vector<std::int16_t> line(n);
    std::vector<const std::uint8_t*> in;
    constexpr int kShift = kWeightBits - kSampleBits;
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
    for (std::size_t y = 0; y < v.taps.size(); ++y) {
        const Taps& t = v.taps[y];
        const std::int16_t* w = weights.data() + t.weightAt;
        in.clear();
        for (int k = 0; k < t.count; ++k)
            in.push_back(source.row(t.start + k) + static_cast<std::size_t>(firstColumn) * 3);
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            __m128i low = half, high = half;
            for (int k = 0; k < t.count; k += 2) {
                const bool pair = k + 1 < t.count;
                const __m128i a =
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in[k] + i)), zero);
                const __m128i b =
                    pair ? _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(in[k + 1] + i)),
                                             zero)
                         : zero;
                const auto w0 = static_cast<std::uint16_t>(w[k]);
                const auto w1 = pair ? static_cast<std::uint16_t>(w[k + 1]) : std::uint16_t{0};
                const __m128i wk = _mm_set1_epi32(static_cast<int>(w0 | std::uint32_t{w1} << 16));
                low = _mm_add_epi32(low, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wk));
                high = _mm_add_epi32(high, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), wk));
            }
            // Saturating to 16 bits clamps as the scalar tail does.
            const __m128i packed = _mm_packs_epi32(_mm_srai_epi32(low, kShift), _mm_srai_epi32(high, kShift));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(line.data() + i), packed);
        }
        for (; i < n; ++i) {
            std::int32_t acc = 1 << (kShift - 1);
            for (int k = 0; k < t.count; ++k)
                acc += w[k] * in[static_cast<std::size_t>(k)][i];
            line[i] = static_cast<std::int16_t>(std::clamp(acc >> kShift, -32768, 32767));
        }
        std::int16_t* out = rows.samples.get() + y * rows.stride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(columns); ++x, out += 4) {
            for (std::size_t c = 0; c < 3; ++c)
                out[c] = line[x * 3 + c];
            out[3] = 0;
        }
        std::fill_n(out, kTapGroup * 4 - 4, 0);
    }
    return rows;
}

// Each target sample's weights in groups of four taps (zeros past its last tap), paired as the
// horizontal pass multiplies them: taps 0 and 2, then 1 and 3, each pair in one 32-bit word.
std::vector<std::uint32_t> pairedWeights(const AxisFilter& h, std::vector<std::size_t>& at) {
    const std::vector<std::int16_t> weights = fixedWeights(h);
    std::vector<std::uint32_t> pairs;
    at.clear();
    for (const Taps& t : h.taps) {
        at.push_back(pairs.size());
        auto w = [&](int k) {
            return k < t.count ? static_cast<std::uint16_t>(weights[t.weightAt + static_cast<std::size_t>(k)])
                               : std::uint16_t{0};
        };
        for (int k = 0; k < t.count; k += kTapGroup) {
            pairs.push_back(w(k) | std::uint32_t{w(k + 2)} << 16);
            pairs.push_back(w(k + 1) | std::uint32_t{w(k + 3)} << 16);
        }
    }
    return pairs;
}

// Horizontal pass from the filtered rows into the finished region: four taps of all three channels at
// a time, two pixels' samples interleaved so that one multiply-add sums a pair of taps.
void filterColumnsRgb(const FilteredRows& rows, int firstColumn, const AxisFilter& h, Pixels8& out) {
    std::vector<std::size_t> at;
    const std::vector<std::uint32_t> pairs = pairedWeights(h, at);
    constexpr int kShift = kSampleBits + kWeightBits;
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
    for (int y = 0; y < out.height; ++y) {
        const std::int16_t* row = rows.samples.get() + static_cast<std::size_t>(y) * rows.stride;
        std::uint8_t* o = out.row(y);
        for (std::size_t x = 0; x < h.taps.size(); ++x, o += 3) {
            const Taps& t = h.taps[x];
            const std::int16_t* p = row + static_cast<std::ptrdiff_t>(t.start - firstColumn) * 4;
            const std::uint32_t* w = pairs.data() + at[x];
            __m128i sum = half;
            for (int k = 0; k < t.count; k += kTapGroup, p += 4 * kTapGroup, w += 2) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
                const __m128i even = _mm_unpacklo_epi16(a, b);  // taps 0 and 2, sample by sample
                const __m128i odd = _mm_unpackhi_epi16(a, b);   // taps 1 and 3
                sum = _mm_add_epi32(sum, _mm_madd_epi16(even, _mm_set1_epi32(static_cast<int>(w[0]))));
                sum = _mm_add_epi32(sum, _mm_madd_epi16(odd, _mm_set1_epi32(static_cast<int>(w[1]))));
            }
            const __m128i words = _mm_packs_epi32(_mm_srai_epi32(sum, kShift), _mm_setzero_si128());
            const auto rgb = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
            o[0] = static_cast<std::uint8_t>(rgb);
            o[1] = static_cast<std::uint8_t>(rgb >> 8);
            o[2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
}

// RGBA in floating point, colours weighted by alpha so that transparent pixels lend no colour; alpha
// stays on the 0..255 scale. Vertical pass first, over whole rows.
std::vector<float> filterRowsRgba(const Pixels8& source, const AxisFilter& v, int firstColumn, int columns) {
    const std::size_t n = static_cast<std::size_t>(columns) * 4;
    std::vector<float> rows(v.taps.size() * n, 0.0f);
    for (std::size_t y = 0; y < v.taps.size(); ++y) {
        const Taps& t = v.taps[y];
        float* acc = rows.data() + y * n;
        for (int k = 0; k < t.count; ++k) {
            const float w = v.weights[t.weightAt + static_cast<std::size_t>(k)];
            const std::uint8_t* in = source.row(t.start + k) + static_cast<std::size_t>(firstColumn) * 4;
            for (std::size_t i = 0; i < n; i += 4) {
                const float a = w * in[i + 3];
                for (int c = 0; c < 3; ++c)
                    acc[i + c] += a * (in[i + c] / 255.0f);
                acc[i + 3] += a;
            }
        }
    }
    return rows;
}

void filterColumnsRgba(const std::vector<float>& rows, int firstColumn, int columns, const AxisFilter& h,
                       Pixels8& out) {
    for (int y = 0; y < out.height; ++y) {
        const float* row = rows.data() + static_cast<std::size_t>(y) * columns * 4;
        std::uint8_t* o = out.row(y);
        for (const Taps& t : h.taps) {
            const float* p = row + static_cast<std::ptrdiff_t>(t.start - firstColumn) * 4;
            float sum[4] = {0, 0, 0, 0};
            for (int k = 0; k < t.count; ++k, p += 4) {
                const float w = h.weights[t.weightAt + static_cast<std::size_t>(k)];
                for (int c = 0; c < 4; ++c)
                    sum[c] += w * p[c];
            }
            const float alpha = sum[3];
            for (int c = 0; c < 3; ++c)
                *o++ = alpha > 0 ? toByte(std::lround(sum[c] * 255.0f / alpha)) : 0;
            *o++ = toByte(std::lround(alpha));
        }
    }
}

}  // namespace

Pixels8 lanczosResizeRegion(const Pixels8& source, PixelSize target, const CropRect& region) {
    if (source.width < 1 || source.height < 1 || region.width < 1 || region.height < 1) return {};
    const AxisFilter h = axisFilter(source.width, target.width, region.x, region.width);
    const AxisFilter v = axisFilter(source.height, target.height, region.y, region.height);
    const int columns = h.last - h.first;
    Pixels8 out(region.width, region.height, source.channels);
    if (source.channels == 4) {
        filterColumnsRgba(filterRowsRgba(source, v, h.first, columns), h.first, columns, h, out);
    } else {
        filterColumnsRgb(filterRowsRgb(source, v, h.first, columns), h.first, h, out);
    }
    return out;
}

}  // namespace plazor
