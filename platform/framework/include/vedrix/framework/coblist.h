// CObList: a list of CObject pointers. It never deletes the objects it
// holds: their owner does.
#pragma once

#include <vedrix/framework/clist.h>
#include <vedrix/framework/cobject.h>
#include <vedrix/framework/export.h>

class VEDRIX_FRAMEWORK_API CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)

public:
    explicit CObList(INT_PTR nBlockSize = 10);
    ~CObList() override;
};
