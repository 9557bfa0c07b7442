#pragma once
#include <windows.h>

// The bitmaps a bitmap button draws with. Each returns a new bitmap the caller owns, or null.

// A monochrome mask of the image: 1 where a pixel equals the key, 0 elsewhere. The image itself
// is changed so that its key pixels are black, ready to be ORed over a face the mask has cut.
HBITMAP BuildMask(HBITMAP image, int width, int height, COLORREF key);

// A screen-compatible copy of the image, key pixels unchanged, every other pixel darker by a
// quarter or turned grey.
HBITMAP MakeDarkerImage(HBITMAP image, int width, int height, COLORREF key);
HBITMAP MakeGreyImage(HBITMAP image, int width, int height, COLORREF key);
