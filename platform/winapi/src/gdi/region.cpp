#include "gdi/region.h"

#include <wingdi.h>

#include <algorithm>

namespace vedrix::winapi::gdi {

bool rectEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

RECT rectIntersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (rectEmpty(r)) {
        r = RECT{0, 0, 0, 0};
    }
    return r;
}

RECT rectNormalised(int l, int t, int r, int b) {
    return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

void Region::setRect(const RECT& r) {
    rects_.clear();
    RECT n = rectNormalised(r.left, r.top, r.right, r.bottom);
    if (!rectEmpty(n)) {
        rects_.push_back(n);
    }
}

int Region::type() const {
    if (rects_.empty()) {
        return NULLREGION;
    }
    return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::box() const {
    if (rects_.empty()) {
        return RECT{0, 0, 0, 0};
    }
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return true;
        }
    }
    return false;
}

bool Region::intersects(const RECT& q) const {
    RECT n = rectNormalised(q.left, q.top, q.right, q.bottom);
    for (const RECT& r : rects_) {
        if (!rectEmpty(rectIntersect(r, n))) {
            return true;
        }
    }
    return false;
}

bool Region::equals(const Region& other) const {
    // Both sides are normalised the same way, so equal sets give equal lists.
    if (rects_.size() != other.rects_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < rects_.size(); ++i) {
        const RECT& a = rects_[i];
        const RECT& b = other.rects_[i];
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom) {
            return false;
        }
    }
    return true;
}

void Region::offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

Region Region::intersected(const RECT& q) const {
    Region out;
    for (const RECT& r : rects_) {
        RECT i = rectIntersect(r, q);
        if (!rectEmpty(i)) {
            out.rects_.push_back(i);
        }
    }
    out.normalise();
    return out;
}

// Combining: the plane is cut along every edge of both regions into cells;
// each cell is in or out of the result as a whole. Regions here hold a
// handful of rectangles, so the quadratic cost does not matter.
Region Region::combine(const Region& a, const Region& b, int mode) {
    if (mode == RGN_COPY) {
        return a;
    }
    std::vector<LONG> xs;
    std::vector<LONG> ys;
    for (const Region* g : {&a, &b}) {
        for (const RECT& r : g->rects_) {
            xs.push_back(r.left);
            xs.push_back(r.right);
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            bool inA = a.contains(xs[i], ys[j]);
            bool inB = b.contains(xs[i], ys[j]);
            bool in = false;
            switch (mode) {
                case RGN_AND:
                    in = inA && inB;
                    break;
                case RGN_OR:
                    in = inA || inB;
                    break;
                case RGN_XOR:
                    in = inA != inB;
                    break;
                case RGN_DIFF:
                    in = inA && !inB;
                    break;
                default:
                    break;
            }
            if (in) {
                out.rects_.push_back(RECT{xs[i], ys[j], xs[i + 1], ys[j + 1]});
            }
        }
    }
    out.normalise();
    return out;
}

// Cells come row by row, left to right. First join horizontal neighbours in a
// row, then stack rows whose spans are identical.
void Region::normalise() {
    std::sort(rects_.begin(), rects_.end(), [](const RECT& p, const RECT& q) {
        return p.top != q.top ? p.top < q.top : p.left < q.left;
    });
    std::vector<RECT> rows;
    for (const RECT& r : rects_) {
        if (!rows.empty()) {
            RECT& last = rows.back();
            if (last.top == r.top && last.bottom == r.bottom && last.right == r.left) {
                last.right = r.right;
                continue;
            }
        }
        rows.push_back(r);
    }
    std::vector<RECT> out;
    for (const RECT& r : rows) {
        bool merged = false;
        for (RECT& o : out) {
            if (o.left == r.left && o.right == r.right && o.bottom == r.top) {
                o.bottom = r.bottom;
                merged = true;
                break;
            }
        }
        if (!merged) {
            out.push_back(r);
        }
    }
    std::sort(out.begin(), out.end(), [](const RECT& p, const RECT& q) {
        return p.top != q.top ? p.top < q.top : p.left < q.left;
    });
    rects_ = std::move(out);
}

}  // namespace vedrix::winapi::gdi
