#include "render/lanczos_resize.h"

#include <algorithm>
#include <cmath>
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

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Horizontal pass over the source rows the region needs; RGBA colours come out weighted by alpha.
template <int C>
std::vector<float> filterRows(const Pixels8& source, const AxisFilter& h, int firstRow, int rows) {
    const std::size_t width = h.taps.size();
    std::vector<float> out(static_cast<std::size_t>(rows) * width * C);
    float* o = out.data();
    for (int y = firstRow; y < firstRow + rows; ++y) {
        const std::uint8_t* in = source.row(y);
        for (const Taps& t : h.taps) {
            const float* w = &h.weights[t.weightAt];
            const std::uint8_t* p = in + static_cast<std::size_t>(t.start) * C;
            float acc[C] = {};
            for (int k = 0; k < t.count; ++k, p += C) {
                if constexpr (C == 4) {
                    const float a = w[k] * (p[3] / 255.0f);
                    for (int c = 0; c < 3; ++c)
                        acc[c] += a * p[c];
                    acc[3] += a;
                } else {
                    for (int c = 0; c < C; ++c)
                        acc[c] += w[k] * p[c];
                }
            }
            for (int c = 0; c < C; ++c)
                *o++ = acc[c];
        }
    }
    return out;
}

// Vertical pass from the intermediate rows into the finished region.
template <int C>
void filterColumns(const std::vector<float>& rows, int firstRow, const AxisFilter& v, Pixels8& out) {
    const std::size_t stride = static_cast<std::size_t>(out.width) * C;
    for (int y = 0; y < out.height; ++y) {
        const Taps& t = v.taps[static_cast<std::size_t>(y)];
        const float* w = &v.weights[t.weightAt];
        std::uint8_t* o = out.row(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(out.width); ++x) {
            const float* p = rows.data() + static_cast<std::size_t>(t.start - firstRow) * stride + x * C;
            float acc[C] = {};
            for (int k = 0; k < t.count; ++k, p += stride) {
                for (int c = 0; c < C; ++c)
                    acc[c] += w[k] * p[c];
            }
            if constexpr (C == 4) {
                const float alpha = acc[3];
                const float unweight = alpha > 0.0f ? 1.0f / alpha : 0.0f;
                for (int c = 0; c < 3; ++c)
                    o[x * C + c] = toByte(acc[c] * unweight);
                o[x * C + 3] = toByte(alpha * 255.0f);
            } else {
                for (int c = 0; c < C; ++c)
                    o[x * C + c] = toByte(acc[c]);
            }
        }
    }
}

template <int C>
Pixels8 resize(const Pixels8& source, PixelSize target, const CropRect& region) {
    const AxisFilter h = axisFilter(source.width, target.width, region.x, region.width);
    const AxisFilter v = axisFilter(source.height, target.height, region.y, region.height);
    const std::vector<float> rows = filterRows<C>(source, h, v.first, v.last - v.first);
    Pixels8 out(region.width, region.height, C);
    filterColumns<C>(rows, v.first, v, out);
    return out;
}

}  // namespace

Pixels8 lanczosResizeRegion(const Pixels8& source, PixelSize target, const CropRect& region) {
    if (source.width < 1 || source.height < 1 || region.width < 1 || region.height < 1) return {};
    return source.channels == 4 ? resize<4>(source, target, region) : resize<3>(source, target, region);
}

}  // namespace plazor
