#include "shapes.h"

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CPolygon, CShape)
IMPLEMENT_DYNCREATE(CSquare, CPolygon);
