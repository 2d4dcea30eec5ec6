// Test classes exported from a shared library: CShape <- CPolygon <- CSquare.
#pragma once

#include <vedrix/framework/cobject.h>

#if defined(_WIN32)
#if defined(SHAPES_BUILDING)
#define SHAPES_API __declspec(dllexport)
#else
#define SHAPES_API __declspec(dllimport)
#endif
#else
#define SHAPES_API __attribute__((visibility("default")))
#endif

class SHAPES_API CShape : public CObject {
    DECLARE_DYNAMIC(CShape)

public:
    explicit CShape(int corners) : m_corners(corners) {}
    int Corners() const { return m_corners; }

private:
    int m_corners;
};

class SHAPES_API CPolygon : public CShape {
    DECLARE_DYNCREATE(CPolygon)

public:
    explicit CPolygon(int corners) : CShape(corners) {}

protected:
    CPolygon() : CShape(5) {}
};

class SHAPES_API CSquare : public CPolygon {
    DECLARE_DYNCREATE(CSquare)

public:
    CSquare() : CPolygon(4) {}
};
