// A region as a set of disjoint rectangles, with the set operations that
// regions, clipping and the drawing functions need. Rectangles are
// half-open: left and top inside, right and bottom outside.
#pragma once

#include <windef.h>

#include <vector>

namespace vedrix::winapi::gdi {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r) { setRect(r); }

    void setRect(const RECT& r);
    void clear() { rects_.clear(); }

    bool empty() const { return rects_.empty(); }
    const std::vector<RECT>& rects() const { return rects_; }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int type() const;
    RECT box() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT& r) const;
    bool equals(const Region& other) const;

    void offset(int dx, int dy);
    // mode: RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY (copies a).
    static Region combine(const Region& a, const Region& b, int mode);
    Region intersected(const RECT& r) const;

private:
    // Merges cells into as few rectangles as the row/column structure allows.
    void normalise();
    std::vector<RECT> rects_;
};

bool rectEmpty(const RECT& r);
RECT rectIntersect(const RECT& a, const RECT& b);
RECT rectNormalised(int l, int t, int r, int b);

}  // namespace vedrix::winapi::gdi
