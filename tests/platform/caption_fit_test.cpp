#include <gtest/gtest.h>

#include "platform/caption_fit.h"

namespace quillon::platform {

void PrintTo(const PixelBox& box, std::ostream* out) {
    *out << "{" << box.left << "," << box.top << "," << box.right << "," << box.bottom << "}";
}

namespace {

// A label of 13-pixel lines as wide as the width given, whose last line is
// 'last' pixels wide.
std::function<WrappedCaption(int)> Lines(int lines, int last) {
    return [=](int width) { return WrappedCaption{width, 13 * lines, 13, last}; };
}

// The setup window's pattern: a question, its options beside the end of
// its last line, and a button under both.
std::vector<CaptionNeeds> Question(int lines, int lastLine, int buttonText) {
    return {{.box = {10, 10, 210, 43}, .wrapped = Lines(lines, lastLine)},
            {.box = {120, 26, 160, 43}, .width = 30},
            {.box = {170, 26, 210, 43}, .width = 30},
            {.box = {10, 60, 70, 80}, .width = buttonText},
            {.box = {80, 60, 140, 80}, .width = 50}};
}

TEST(FitCaptions, CaptionsThatFitLeaveTheLayoutAsItIs) {
    const auto controls = Question(2, 100, 60);
    const auto fitted = FitCaptions(controls, 220, 90, 2);
    for (std::size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(fitted.boxes[i], controls[i].box) << i;
    EXPECT_EQ(fitted.clientWidth, 220);
    EXPECT_EQ(fitted.clientHeight, 90);
}

TEST(FitCaptions, WiderCaptionPushesItsRowAndTheWindow) {
    const auto fitted = FitCaptions(Question(2, 100, 75), 220, 90, 2);
    EXPECT_EQ(fitted.boxes[3], (PixelBox{10, 60, 85, 80}));
    EXPECT_EQ(fitted.boxes[4], (PixelBox{95, 60, 155, 80}));
    EXPECT_EQ(fitted.boxes[1], (PixelBox{120, 26, 160, 43})) << "another row stays";
    EXPECT_EQ(fitted.clientWidth, 220) << "the window had room";
}

TEST(FitCaptions, LongerQuestionTakesItsOptionsUnderItsTextAndMovesWhatIsBelow) {
    // Three lines, the last reaching the options: they go under it as one row.
    const auto fitted = FitCaptions(Question(3, 150, 60), 220, 90, 2);
    EXPECT_EQ(fitted.boxes[0], (PixelBox{10, 10, 210, 49}));
    EXPECT_EQ(fitted.boxes[1], (PixelBox{120, 51, 160, 68}));
    EXPECT_EQ(fitted.boxes[2], (PixelBox{170, 51, 210, 68}));
    EXPECT_EQ(fitted.boxes[3], (PixelBox{10, 85, 70, 105}));
    EXPECT_EQ(fitted.clientHeight, 115) << "the bottom margin kept";
}

TEST(FitCaptions, ButtonsOfOneColumnTakeItsWidestCaption) {
    const std::vector<CaptionNeeds> controls{
        {.box = {10, 10, 70, 30}, .width = 50, .button = true},
        {.box = {10, 40, 70, 60}, .width = 90, .button = true},
        {.box = {80, 10, 140, 30}, .width = 30, .button = true},  // beside the column
        {.box = {10, 70, 60, 90}, .width = 40, .button = true},   // narrower: not of it
        {.box = {10, 100, 70, 120}, .width = 40},                 // an option
    };
    const auto fitted = FitCaptions(controls, 150, 130, 2);
    EXPECT_EQ(fitted.boxes[0], (PixelBox{10, 10, 100, 30}));
    EXPECT_EQ(fitted.boxes[1], (PixelBox{10, 40, 100, 60}));
    EXPECT_EQ(fitted.boxes[2], (PixelBox{110, 10, 170, 30}));
    EXPECT_EQ(fitted.boxes[3], (PixelBox{10, 70, 60, 90}));
    EXPECT_EQ(fitted.boxes[4], (PixelBox{10, 100, 70, 120}));
}

}  // namespace
}  // namespace quillon::platform
