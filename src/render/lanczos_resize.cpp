#include "render/lanczos_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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

// The horizontal pass runs in fixed point: intermediate samples carry 6 fraction bits, weights 14.
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

// Vertical pass: each needed row of the region is a weighted sum of whole source rows (contiguous, so
// the compiler vectorises it), stored per channel for the horizontal pass. RGBA colours are weighted by
// alpha, and alpha is kept on the 0..255 scale.
template <int C>
std::vector<std::int16_t> filterRows(const Pixels8& source, const AxisFilter& v, int firstColumn,
                                     int columns) {
    const std::size_t n = static_cast<std::size_t>(columns) * C;
    std::vector<std::int16_t> planes(v.taps.size() * n);
    std::vector<float> acc(n);
    for (std::size_t y = 0; y < v.taps.size(); ++y) {
        const Taps& t = v.taps[y];
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int k = 0; k < t.count; ++k) {
            const float w = v.weights[t.weightAt + static_cast<std::size_t>(k)];
            const std::uint8_t* in = source.row(t.start + k) + static_cast<std::size_t>(firstColumn) * C;
            if constexpr (C == 4) {
                for (std::size_t i = 0; i < n; i += 4) {
                    const float a = w * in[i + 3];
                    for (int c = 0; c < 3; ++c)
                        acc[i + c] += a * (in[i + c] / 255.0f);
                    acc[i + 3] += a;
                }
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    acc[i] += w * in[i];
            }
        }
        std::int16_t* out = planes.data() + y * n;
        for (int c = 0; c < C; ++c) {
            std::int16_t* plane = out + static_cast<std::size_t>(c) * columns;
            for (std::size_t x = 0; x < static_cast<std::size_t>(columns); ++x) {
                // Rounded to nearest by truncating in the positive range: cheap, and the same everywhere.
                const float v16 = std::clamp(acc[x * C + c] * (1 << kSampleBits), -32768.0f, 32767.0f);
                plane[x] = static_cast<std::int16_t>(static_cast<std::int32_t>(v16 + 32768.5f) - 32768);
            }
        }
    }
    return planes;
}

std::int32_t dot(const std::int16_t* w, const std::int16_t* p, int count) {
    std::int32_t sum = 0;
    for (int k = 0; k < count; ++k)
        sum += static_cast<std::int32_t>(w[k]) * p[k];
    return sum;
}

// Horizontal pass from the per-channel rows into the finished region.
template <int C>
void filterColumns(const std::vector<std::int16_t>& planes, int firstColumn, int columns, const AxisFilter& h,
                   Pixels8& out) {
    const std::vector<std::int16_t> weights = fixedWeights(h);
    constexpr std::int64_t kHalf = std::int64_t{1} << (kSampleBits + kWeightBits - 1);
    constexpr int kShift = kSampleBits + kWeightBits;
    for (int y = 0; y < out.height; ++y) {
        const std::int16_t* row = planes.data() + static_cast<std::size_t>(y) * columns * C;
        std::uint8_t* o = out.row(y);
        for (std::size_t x = 0; x < h.taps.size(); ++x, o += C) {
            const Taps& t = h.taps[x];
            const std::int16_t* w = weights.data() + t.weightAt;
            std::int32_t sum[C];
            for (int c = 0; c < C; ++c)
                sum[c] = dot(w, row + c * columns + (t.start - firstColumn), t.count);
            if constexpr (C == 4) {
                const std::int64_t alpha = sum[3];
                for (int c = 0; c < 3; ++c)
                    o[c] = alpha > 0 ? toByte((std::int64_t{sum[c]} * 255 + alpha / 2) / alpha) : 0;
                o[3] = toByte((alpha + kHalf) >> kShift);
            } else {
                for (int c = 0; c < C; ++c)
                    o[c] = toByte((std::int64_t{sum[c]} + kHalf) >> kShift);
            }
        }
    }
}

template <int C>
Pixels8 resize(const Pixels8& source, PixelSize target, const CropRect& region) {
    const AxisFilter h = axisFilter(source.width, target.width, region.x, region.width);
    const AxisFilter v = axisFilter(source.height, target.height, region.y, region.height);
    const std::vector<std::int16_t> planes = filterRows<C>(source, v, h.first, h.last - h.first);
    Pixels8 out(region.width, region.height, C);
    filterColumns<C>(planes, h.first, h.last - h.first, h, out);
    return out;
}

}  // namespace

Pixels8 lanczosResizeRegion(const Pixels8& source, PixelSize target, const CropRect& region) {
    if (source.width < 1 || source.height < 1 || region.width < 1 || region.height < 1) return {};
    return source.channels == 4 ? resize<4>(source, target, region) : resize<3>(source, target, region);
}

}  // namespace plazor
