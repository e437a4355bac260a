// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>

// The layout is designed in twips (1/1440 inch). One device-independent pixel is 15 twips, as
// at 96 dots per inch; Qt's high-DPI scaling maps those pixels to the screen.
inline constexpr int TwipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// Rounds the edges rather than the size, so that what lines up in twips lines up in pixels.
constexpr QRect rectFromTwips(int left, int top, int width, int height)
{
    const int x = pixelsFromTwips(left);
    const int y = pixelsFromTwips(top);
    return QRect(x, y, pixelsFromTwips(left + width) - x, pixelsFromTwips(top + height) - y);
}
