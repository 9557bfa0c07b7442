#pragma once

// Where a bitmap button puts its image and caption inside its face.
struct LayoutRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum class ImageAlign { Left = 0, Above = 1, Right = 2 };

struct ButtonLayoutInput {
    LayoutRect item;     // the face
    LayoutRect caption;  // starts as the face
    int imageWidth, imageHeight;
    bool hasCaption;
    ImageAlign align;
    int originX, originY;  // margin beside a caption
    bool shifted;          // pressed, and not a check box
    int shiftX, shiftY;
    int clientRight;
};

struct ButtonLayout {
    LayoutRect image;
    LayoutRect caption;
};

ButtonLayout PlaceButtonImage(const ButtonLayoutInput& in);

// The press shift of a style, false for a style that does not exist (0: 1,1; 1: 0,2; 2: none).
bool PressShiftForStyle(int style, int& x, int& y);
