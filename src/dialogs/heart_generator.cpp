#include "dialogs/heart_generator.h"

#include <array>

#include "dialogs/number_text.h"

namespace plazor {
namespace {

using Failure = GeneratorFailure<HeartField>;

constexpr const char* kTooWide =
    "需要的【背景层】宽度  >  当前【背景层】宽度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣﹣﹣\n　　  "
    "　%d　　  　　　　　　　%d\n\n"
    "提示：可以将相关参数设置小一些或者先将【背景层】设置大一些。";
constexpr const char* kTooHigh =
    "需要的【背景层】高度  >  当前【背景层】高度\n﹣﹣﹣﹣﹣﹣﹣﹣﹣﹣　   ﹣﹣﹣﹣﹣﹣﹣﹣﹣\n　　  "
    "　%d　　  　　　　　　　%d\n\n"
    "提示：可以将相关参数设置小一些或者先将【背景层】设置大一些。";

// The fields hold at most 3 characters; longer texts are read as their first 3.
int readField(const std::string& text) {
    return parseLeadingInt(std::string_view(text).substr(0, 3));
}

// The value of a field that must be present and not negative, or nothing.
std::optional<int> presentValue(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const int value = readField(text);
    return value < 0 ? std::nullopt : std::optional<int>(value);
}

// The heart's 7 x 6 grid of small cells; '#' marks a created cell.
constexpr std::array<const char*, 6> kAllSmallRows = {".##.##.", "#######", "#######",
                                                      ".#####.", "..###..", "...#..."};

std::optional<Failure> checkFills(const HeartTexts& texts, HeartRequest& request) {
    const std::array<const std::string*, 4> fills = {&texts.fillLeft, &texts.fillTop, &texts.fillRight,
                                                     &texts.fillBottom};
    const std::array<int*, 4> values = {&request.fillLeft, &request.fillTop, &request.fillRight,
                                        &request.fillBottom};
    const std::array<HeartField, 4> fields = {HeartField::FillLeft, HeartField::FillTop,
                                              HeartField::FillRight, HeartField::FillBottom};
    const std::array<const char*, 4> empty = {"背景填充 - 【左】不能为空", "背景填充 - 【上】不能为空",
                                              "背景填充 - 【右】不能为空", "背景填充 - 【下】不能为空"};
    const std::array<const char*, 4> negative = {"背景填充 - 【左】不能小于0", "背景填充 - 【上】不能小于0",
                                                 "背景填充 - 【右】不能小于0", "背景填充 - 【下】不能小于0"};
    for (std::size_t i = 0; i < fills.size(); ++i) {
        if (fills[i]->empty()) return Failure{fields[i], empty[i]};
    }
    for (std::size_t i = 0; i < fills.size(); ++i) {
        *values[i] = readField(*fills[i]);
        if (*values[i] < 0) return Failure{fields[i], negative[i]};
    }
    return std::nullopt;
}

// A centred heart has no margin; the field is not read then.
std::optional<Failure> checkMargin(const std::string& text, bool centred, HeartField field,
                                   const char* emptyMessage, const char* negativeMessage, int& value) {
    value = 0;
    if (centred) return std::nullopt;
    if (text.empty()) return Failure{field, emptyMessage};
    value = readField(text);
    if (value < 0) return Failure{field, negativeMessage};
    return std::nullopt;
}

std::optional<Failure> firstFailure(const HeartTexts& texts, int backgroundWidth, int backgroundHeight,
                                    HeartRequest& r) {
    const bool place = texts.placement == HeartPlacement::OnBackground;
    if (!place) {
        if (auto f = checkFills(texts, r)) return f;
    } else {
        if (auto f = checkMargin(texts.horizontalMargin, texts.horizontalAlign == kHeartAlignCentreX,
                                 HeartField::HorizontalMargin, "水平对齐 - 【边距】不能为空",
                                 "水平对齐 - 【边距】不能小于0", r.horizontalMargin))
            return f;
        if (auto f = checkMargin(texts.verticalMargin, texts.verticalAlign == kHeartAlignCentreY,
                                 HeartField::VerticalMargin, "垂直对齐 - 【边距】不能为空",
                                 "垂直对齐 - 【边距】不能小于0", r.verticalMargin))
            return f;
    }
    if (texts.smallSize.empty()) return Failure{HeartField::SmallSize, "小图尺寸不能为空"};
    r.smallSize = readField(texts.smallSize);
    if (r.smallSize <= 0) return Failure{HeartField::SmallSize, "小图尺寸不能小于1"};
    if (texts.spacing.empty()) return Failure{HeartField::Spacing, "图片间距不能为空"};
    r.spacing = readField(texts.spacing);
    if (r.spacing < 0) return Failure{HeartField::Spacing, "图片间距不能小于0"};
    if (place) {
        const HeartSize size = heartSize(r.style, r.smallSize, r.spacing);
        const int neededWidth = size.width + r.horizontalMargin;
        if (neededWidth > backgroundWidth)
            return Failure{HeartField::None, formatGeneratorText(kTooWide, neededWidth, backgroundWidth)};
        const int neededHeight = size.height + r.verticalMargin;
        if (neededHeight > backgroundHeight)
            return Failure{HeartField::None, formatGeneratorText(kTooHigh, neededHeight, backgroundHeight)};
    }
    return std::nullopt;
}

}  // namespace

int heartBigSize(int smallSize, int spacing) {
    return static_cast<int>(smallSize * 2.43 + spacing);
}

HeartSize heartSize(int style, int s, int p) {
    if (style == kHeartAllSmall) return {7 * s + 6 * p, 6 * s + 5 * p};
    const int big = heartBigSize(s, p);
    return {3 * big + 2 * s + 4 * p, 3 * s + 2 * big + 4 * p};
}

HeartCheck checkHeartTexts(const HeartTexts& texts, int backgroundWidth, int backgroundHeight) {
    HeartCheck check;
    HeartRequest& r = check.request;
    r.placement = texts.placement;
    r.horizontalAlign = texts.horizontalAlign;
    r.verticalAlign = texts.verticalAlign;
    r.style = texts.style;
    check.failure = firstFailure(texts, backgroundWidth, backgroundHeight, r);
    return check;
}

std::string heartSizeText(const HeartTexts& texts) {
    const std::optional<int> small = presentValue(texts.smallSize);
    const std::optional<int> spacing = presentValue(texts.spacing);
    if (!small || *small <= 0 || !spacing) return {};
    const HeartSize heart = heartSize(texts.style, *small, *spacing);
    HeartSize needed = heart;
    if (texts.placement == HeartPlacement::ResizeBackground) {
        const std::optional<int> left = presentValue(texts.fillLeft), top = presentValue(texts.fillTop),
                                 right = presentValue(texts.fillRight),
                                 bottom = presentValue(texts.fillBottom);
        if (!left || !top || !right || !bottom) return {};
        needed = {*left + heart.width + *right, *top + heart.height + *bottom};
    } else {
        if (texts.horizontalAlign != kHeartAlignCentreX) {
            const std::optional<int> margin = presentValue(texts.horizontalMargin);
            if (!margin) return {};
            needed.width += *margin;
        }
        if (texts.verticalAlign != kHeartAlignCentreY) {
            const std::optional<int> margin = presentValue(texts.verticalMargin);
            if (!margin) return {};
            needed.height += *margin;
        }
    }
    return formatGeneratorText("心型图尺寸：%d x %d, 需要的背景层尺寸: %d x %d", heart.width, heart.height,
                               needed.width, needed.height);
}

HeartPlan heartPlan(const HeartRequest& r, int backgroundWidth, int backgroundHeight) {
    const HeartSize heart = heartSize(r.style, r.smallSize, r.spacing);
    if (r.placement == HeartPlacement::ResizeBackground) {
        return {r.fillLeft, r.fillTop,
                HeartSize{heart.width + r.fillLeft + r.fillRight, heart.height + r.fillTop + r.fillBottom}};
    }
    const int x = r.horizontalAlign == kHeartAlignLeft    ? r.horizontalMargin
                  : r.horizontalAlign == kHeartAlignRight ? backgroundWidth - heart.width - r.horizontalMargin
                                                          : (backgroundWidth - heart.width) / 2;
    const int y = r.verticalAlign == kHeartAlignTop      ? r.verticalMargin
                  : r.verticalAlign == kHeartAlignBottom ? backgroundHeight - heart.height - r.verticalMargin
                                                         : (backgroundHeight - heart.height) / 2;
    return {x, y, std::nullopt};
}

std::vector<CellRect> heartCells(const HeartRequest& r, int x, int y) {
    const int s = r.smallSize, p = r.spacing;
    std::vector<CellRect> cells;
    if (r.style == kHeartAllSmall) {
        for (int row = 0; row < static_cast<int>(kAllSmallRows.size()); ++row) {
            for (int column = 0; column < 7; ++column) {
                if (kAllSmallRows[static_cast<std::size_t>(row)][column] == '#')
                    cells.push_back({x + column * (s + p), y + row * (s + p), s, s});
            }
        }
        return cells;
    }
    const int big = heartBigSize(s, p);
    const int w = heartSize(r.style, s, p).width;
    const auto small = [&](int dx, int dy) { cells.push_back({x + dx, y + dy, s, s}); };
    const auto large = [&](int dx, int dy) { cells.push_back({x + dx, y + dy, big, big}); };
    // Left of the middle the small cells start at the left edge; right of it they end at the right
    // edge, so the gap between the halves grows with the big size.
    for (int dx : {s + p, 2 * s + 2 * p, w - 3 * s - 2 * p, w - 2 * s - p})
        small(dx, 0);
    for (int dx :
         {0, s + p, 2 * s + 2 * p, 3 * s + 3 * p, w - 4 * s - 3 * p, w - 3 * s - 2 * p, w - 2 * s - p, w - s})
        small(dx, s + p);
    const int third = 2 * s + 2 * p;
    small(0, third);
    for (int dx : {s + p, s + big + 2 * p, s + 2 * big + 3 * p})
        large(dx, third);
    small(w - s, third);
    for (int dx : {0, w - s})
        small(dx, 3 * s + 3 * p);
    const int fifth = 2 * s + big + 3 * p;
    small(big - s, fifth);
    small(big + p, fifth);
    large(s + big + 2 * p, fifth);
    small(s + 2 * big + 3 * p, fifth);
    small(2 * s + 2 * big + 4 * p, fifth);
    for (int dx : {big + p, s + 2 * big + 3 * p})
        small(dx, 3 * s + big + 4 * p);
    small((w - s) / 2, 2 * s + 2 * big + 4 * p);
    return cells;
}

}  // namespace plazor
