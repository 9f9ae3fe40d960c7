#include "foundation/CHfcRect.h"

#include "foundation/EfUtility.h"

void CHfcRect::Set(int32_t l, int32_t t, int32_t r, int32_t b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

void CHfcRect::Union(const CHfcRect& a, const CHfcRect& b)
{
    Set(MinValue(a.left, b.left), MinValue(a.top, b.top), MaxValue(a.right, b.right),
        MaxValue(a.bottom, b.bottom));
}
