#include <vedrix/model/attrib_data.h>

IMPLEMENT_DYNAMIC(CAttribData, CObject)

CAttribData::CAttribData(CString name, CString value, enAttribType type, unsigned long id,
                         unsigned long parentID, long levelNr)
    : m_name(name),
      m_value(value),
      m_type(type),
      m_id(id),
      m_parentID(parentID),
      m_levelNr(levelNr) {}

CAttribData::~CAttribData() = default;

CString CAttribData::GetType() {
    switch (m_type) {
        case String:
            return "String";
        case Number:
            return "Number";
        case Universal:
            return "Universal";
        case Group:
            return "Group";
    }
    return "None";
}

CAttribData::enAttribType CAttribData::GetEnumType(CString word) {
    if (word == "String") {
        return String;
    }
    if (word == "Number") {
        return Number;
    }
    if (word == "Group") {
        return Group;
    }
    return Universal;
}
