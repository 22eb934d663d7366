#include "render/slice_plan.h"

#include <gtest/gtest.h>

namespace plazor {
namespace {

std::vector<Slice> slicesAt(std::initializer_list<int> ys) {
    std::vector<Slice> slices;
    int n = 1;
    for (int y : ys)
        slices.push_back({n++, y, false});
    return slices;
}

TEST(SlicePlan, OneSliceGivesTwoStrips) {
    const auto strips = planStrips(slicesAt({300}), 800);
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[0].number, 1);
    EXPECT_EQ(strips[0].top, 0);
    EXPECT_EQ(strips[0].height, 300);
    EXPECT_EQ(strips[1].number, 2);
    EXPECT_EQ(strips[1].top, 300);
    EXPECT_EQ(strips[1].height, 500);
}

TEST(SlicePlan, StripsCoverThePictureInListOrder) {
    const auto strips = planStrips(slicesAt({100, 250, 700}), 800);
    ASSERT_EQ(strips.size(), 4u);
    int top = 0;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        EXPECT_EQ(strips[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(strips[i].top, top);
        top += strips[i].height;
    }
    EXPECT_EQ(top, 800);
}

TEST(SlicePlan, StripsWithoutRowsAreSkipped) {
    // 100, 200, 100: the third slice lies above the second, so its strip would have negative height.
    const auto strips = planStrips(slicesAt({100, 200, 100}), 800);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_EQ(strips[0].number, 1);
    EXPECT_EQ(strips[1].number, 2);
    EXPECT_EQ(strips[2].number, 4);
    EXPECT_EQ(strips[2].top, 200);
    EXPECT_EQ(strips[2].height, 600);
    for (const Strip& s : planStrips(slicesAt({0, 50, 50, 900}), 800))
        EXPECT_GT(s.height, 0);
}

TEST(SlicePlan, NumberWidthFollowsTheSliceCount) {
    EXPECT_EQ(stripNumberWidth(1), 1);
    EXPECT_EQ(stripNumberWidth(8), 1);
    EXPECT_EQ(stripNumberWidth(9), 2);
    EXPECT_EQ(stripNumberWidth(10), 2);
    EXPECT_EQ(stripNumberWidth(98), 2);
    EXPECT_EQ(stripNumberWidth(99), 3);
    EXPECT_EQ(stripStem("photo", 1, 2), "photo-01");
    EXPECT_EQ(stripStem("photo", 11, 2), "photo-11");
    EXPECT_EQ(stripStem("photo", 7, 3), "photo-007");
}

TEST(SlicePlan, HtmlPageBytes) {
    const std::string page =
        htmlPage("photo", {{"photo/photo-1.jpg", 800, 300}, {"photo/photo-2.jpg", 800, 500}});
    EXPECT_EQ(page,
              "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n"
              "<style>\r\nbody, div {margin:0px; padding:0px;}\r\n</style>\r\n<title>photo</title>\r\n"
              "</head>\r\n\r\n<body>\r\n"
              "<div style=\"padding:0px; margin:0px\"><img src=\"photo/photo-1.jpg\" width=\"800\" "
              "height=\"300\"></div>\r\n"
              "<div style=\"padding:0px; margin:0px\"><img src=\"photo/photo-2.jpg\" width=\"800\" "
              "height=\"500\"></div>\r\n"
              "</body>\r\n</html>");
}

}  // namespace
}  // namespace plazor
