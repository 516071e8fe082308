#pragma once
// Rectangle and number helpers shared by the skin's drawing and composition code. Rectangles exclude their
// right and bottom edge unless a routine says otherwise.
#include "platform/rtl/Types.h"

int WidthOfRect(const TRect& R);
int HeightOfRect(const TRect& R);
// True when the width or the height is below 1.
bool IsEmptyRect(const TRect& R);
TRect ZeroRect();
bool EqRects(const TRect& R1, const TRect& R2);
// Right and bottom edges count as inside here (the skin's hit tests rely on it).
bool PointInRect(const TRect& R, const TPoint& P);
// Both corners of R1 inside R2 by the usual rule (right and bottom edges of R2 outside).
bool RectInRect(const TRect& R1, const TRect& R2);
// True when either coordinate is 0 (an unset skin point).
bool IsNullPoint(const TPoint& P);
int Max(int A, int B);
int Min(int A, int B);
