#include "skin/ButtonLayout.h"

ButtonLayout PlaceButtonImage(const ButtonLayoutInput& in) {
    LayoutRect image = in.item, caption = in.caption;
    const int w = in.imageWidth, h = in.imageHeight;
    const int width = in.item.Width(), height = in.item.Height();
    switch (in.align) {
    case ImageAlign::Left:
        if (in.hasCaption) {
            image.left += in.originX;
            caption.left += w + in.originX;
        } else {
            image.left += (width - w) / 2;
        }
        image.top += (height - h) / 2;
        break;
    case ImageAlign::Above:
        image.left += (width - w) / 2;
        if (in.hasCaption) {
            image.top = in.originY;
            caption.top += h;
        } else {
            image.top += (height - h) / 2;
        }
        break;
    case ImageAlign::Right:
        if (in.hasCaption) {
            caption.right = caption.Width() - w - in.originX;
            caption.left = in.originX;
            image.left = in.clientRight - w - in.originX;
        } else {
            image.left += (width - w) / 2;
        }
        image.top += (height - h) / 2;
        break;
    }
    if (in.shifted) {
        image.left += in.shiftX;
        image.top += in.shiftY;
    }
    image.right = image.left + w;
    image.bottom = image.top + h;
    return {image, caption};
}

bool PressShiftForStyle(int style, int& x, int& y) {
    switch (style) {
    case 0: x = 1, y = 1; return true;
    case 1: x = 0, y = 2; return true;
    case 2: x = 0, y = 0; return true;
    default: return false;
    }
}
