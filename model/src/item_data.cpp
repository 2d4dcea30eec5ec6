#include <vedrix/model/attrib_data.h>
#include <vedrix/model/item_data.h>

#include "bounded_copy.h"

using vedrix::model::boundedCopy;

namespace {

// Moves every element of `from` to the front of `to`, keeping their order,
// and empties `from`.
void moveToFront(CObList& from, CObList& to) {
    while (!from.IsEmpty()) {
        to.AddHead(from.RemoveTail());
    }
}

}  // namespace

TBItemData::TBItemData(unsigned char type, unsigned char flags, unsigned long number,
                       unsigned long levelID, CObList* attributes, const char* identifier,
                       DWORD_PTR extra)
    : m_type(type),
      m_flags(flags),
      m_number(static_cast<unsigned short>(number)),
      m_levelID(levelID),
      m_extra(extra),
      m_attributes(10) {
    boundedCopy(m_identifier, kTextSize, identifier);
    m_originalIdentifier[0] = '\0';
    if (attributes != nullptr) {
        moveToFront(*attributes, m_attributes);
    }
}

TBItemData::~TBItemData() {
    while (!m_attributes.IsEmpty()) {
        delete m_attributes.RemoveHead();
    }
}

void TBItemData::setIdentifier(const char* text) {
    boundedCopy(m_identifier, kTextSize, text);
}

void TBItemData::setOriginalIdentifier(const char* text) {
    boundedCopy(m_originalIdentifier, kTextSize, text);
}

void TBItemData::handAttributesTo(CObList& levelAttributes) {
    moveToFront(m_attributes, levelAttributes);
}
