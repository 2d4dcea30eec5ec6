// CAttribData: one named, typed attribute of a structure level.
#pragma once

#include <vedrix/framework/cobject.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/model/export.h>

class VEDRIX_MODEL_API CAttribData : public CObject {
    DECLARE_DYNAMIC(CAttribData)

public:
    // A fixed underlying type: any type value read from a file can be held,
    // including values outside 0 to 3.
    enum enAttribType : int { String = 0, Number = 1, Universal = 2, Group = 3 };

    CAttribData(CString name, CString value, enAttribType type, unsigned long id,
                unsigned long parentID, long levelNr);
    ~CAttribData() override;

    unsigned long GetID() { return m_id; }
    unsigned long GetParentID() { return m_parentID; }
    // The type word; a value outside 0 to 3 gives "None".
    CString GetType();
    // "String" 0, "Number" 1, "Group" 3; every other text 2 (exact comparison).
    static enAttribType GetEnumType(CString word);

    unsigned long getIDValue() const { return m_id; }
    unsigned long getParentIDValue() const { return m_parentID; }
    const CString& getName() const { return m_name; }
    const CString& getValue() const { return m_value; }
    enAttribType getTypeValue() const { return m_type; }
    long getLevelNr() const { return m_levelNr; }
    void setName(const CString& name) { m_name = name; }
    void setValue(const CString& value) { m_value = value; }
    void setType(enAttribType type) { m_type = type; }
    void setID(unsigned long id) { m_id = id; }
    void setParentID(unsigned long parentID) { m_parentID = parentID; }
    void setLevelNr(long levelNr) { m_levelNr = levelNr; }

private:
    CString m_name;
    CString m_value;
    enAttribType m_type;
    unsigned long m_id;
    unsigned long m_parentID;
    long m_levelNr;
};
