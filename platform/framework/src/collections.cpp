#include <vedrix/framework/carray.h>
#include <vedrix/framework/coblist.h>

IMPLEMENT_DYNAMIC(CObList, CObject)

CObList::CObList(INT_PTR nBlockSize) : CList<CObject*, CObject*>(nBlockSize) {}

CObList::~CObList() = default;

IMPLEMENT_DYNAMIC(CUIntArray, CObject)

CUIntArray::CUIntArray() = default;

CUIntArray::~CUIntArray() = default;
