#include "skin/data/SkinRects.h"

int WidthOfRect(const TRect& R) { return R.Right - R.Left; }
int HeightOfRect(const TRect& R) { return R.Bottom - R.Top; }
bool IsEmptyRect(const TRect& R) { return WidthOfRect(R) < 1 || HeightOfRect(R) < 1; }
TRect ZeroRect() { return {0, 0, 0, 0}; }
bool EqRects(const TRect& R1, const TRect& R2) { return R1 == R2; }

bool PointInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

bool RectInRect(const TRect& R1, const TRect& R2)
{
    return R2.Contains(R1.TopLeft()) && R2.Contains(R1.BottomRight());
}

bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
int Max(int A, int B) { return A > B ? A : B; }
int Min(int A, int B) { return A < B ? A : B; }
