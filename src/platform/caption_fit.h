#pragma once

#include <functional>
#include <vector>

namespace quillon::platform {

// A rectangle in pixels: left and top inclusive, right and bottom not.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// A caption word-wrapped at a width: the room it takes, the height of one
// line and the width of its last line.
struct WrappedCaption {
    int width = 0;
    int height = 0;
    int lineHeight = 1;
    int lastLineWidth = 0;
};

// One control of a window as laid out at the display's DPI, in the
// window's client coordinates, with what its caption needs.
struct CaptionNeeds {
    PixelBox box;
    int container = -1;  // the index of the frame it sits in; -1: the window
    bool frame = false;  // a frame is only the room of what it holds
    // The least width the caption needs on one line (a button's, an
    // option's, with their edges); 0 for none.
    int width = 0;
    // A push button. Buttons with one left edge and one width in one frame
    // stand in a column, and the column takes its widest caption's width.
    bool button = false;
    // For a word-wrapped caption (a label): the caption wrapped at the
    // given width; a word wider than that makes it wider. Empty for none.
    std::function<WrappedCaption(int width)> wrapped;
};

struct FittedLayout {
    std::vector<PixelBox> boxes;  // client coordinates, in the order given
    int clientWidth = 0;
    int clientHeight = 0;
};

// Where the controls go so that no caption is cut: a control too narrow
// for its caption grows to the right and pushes what stands to its right
// on its row; a label too low for its wrapped caption grows down and
// pushes what stands under it, and what sits beside its last lines goes
// under them. Buttons of one column grow as one, to the widest of them.
// Frames take what their controls take, and the window keeps its margins
// around the grown layout. A layout whose captions fit stays
// exactly as it is.
FittedLayout FitCaptions(const std::vector<CaptionNeeds>& controls, int clientWidth,
                         int clientHeight, int gap);

}  // namespace quillon::platform
