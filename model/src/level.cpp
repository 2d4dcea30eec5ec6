#include <vedrix/model/attrib_data.h>
#include <vedrix/model/level.h>

#include <cstring>
#include <new>
#include <vector>

#include "bounded_copy.h"
#include "level_walk.h"

using vedrix::model::boundedCopy;
using vedrix::model::walkPreorder;

namespace {

using vedrix::model::detail::SmallObjectPool;
using LevelPool = SmallObjectPool<sizeof(Zel_GM_Level), alignof(Zel_GM_Level)>;
using ShortTextPool = SmallObjectPool<32, alignof(void*)>;

// Names of up to 31 characters, most of them, come from the pool.
char* copyName(const char* text, std::size_t length) {
    char* copy = length < 32 ? static_cast<char*>(ShortTextPool::allocate()) : new char[length + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void freeName(char* name) {
    if (std::strlen(name) < 32) {
        ShortTextPool::deallocate(name);
    } else {
        delete[] name;
    }
}

// Detaches every sublevel of `level` and destroys them all, level by level,
// so that deep trees never recurse.
void destroySublevels(ZU_Dictionary<unsigned long, Zel_GM_Level*>& sublevels) {
    std::vector<Zel_GM_Level*> doomed;
    for (const auto& node : sublevels) {
        doomed.push_back(node.value);
    }
    sublevels.clear();
    while (!doomed.empty()) {
        Zel_GM_Level* level = doomed.back();
        doomed.pop_back();
        auto& below =
            const_cast<ZU_Dictionary<unsigned long, Zel_GM_Level*>&>(level->GetSublevels());
        for (const auto& node : below) {
            doomed.push_back(node.value);
        }
        below.clear();
        delete level;
    }
}

}  // namespace

Zel_GM_Level::Zel_GM_Level(int levelNr, unsigned long id, unsigned long parentID,
                           const ZU_String& name, int status, unsigned char* uuid)
    : m_levelNr(levelNr),
      m_id(id),
      m_parentID(parentID),
      m_status(status),
      m_name(copyName(name.getText(), std::strlen(name.getText()))),
      m_attributes(10) {
    boundedCopy(m_uuid, kUuidSize, reinterpret_cast<const char*>(uuid));
}

Zel_GM_Level::Zel_GM_Level(int levelNr, unsigned long id, unsigned long parentID, const char* name,
                           std::size_t nameLength, int status, const char* uuid,
                           std::size_t uuidLength)
    : m_levelNr(levelNr),
      m_id(id),
      m_parentID(parentID),
      m_status(status),
      m_name(copyName(name, nameLength)),
      m_attributes(10) {
    const std::size_t limit = uuidLength < kUuidSize - 1 ? uuidLength : kUuidSize - 1;
    boundedCopy(m_uuid, static_cast<long long>(limit) + 1, uuid);
}

Zel_GM_Level::~Zel_GM_Level() {
    destroySublevels(m_sublevels);
    while (!m_attributes.IsEmpty()) {
        delete m_attributes.RemoveHead();
    }
    freeName(m_name);
}

void* Zel_GM_Level::operator new(std::size_t size) {
    return size == sizeof(Zel_GM_Level) ? LevelPool::allocate() : ::operator new(size);
}

void Zel_GM_Level::operator delete(void* p, std::size_t size) noexcept {
    if (size == sizeof(Zel_GM_Level)) {
        LevelPool::deallocate(p);
    } else {
        ::operator delete(p);
    }
}

char* Zel_GM_Level::getName(char* dst, int size) const {
    boundedCopy(dst, size, m_name);
    return dst;
}

void Zel_GM_Level::GetUuidString(unsigned char* dst, int size) const {
    if (dst == nullptr) {
        return;
    }
    char* out = reinterpret_cast<char*>(dst);
    if (size < kUuidSize) {
        if (size > 0) {
            out[0] = '\0';
        }
        return;
    }
    boundedCopy(out, kUuidSize, m_uuid);
}

Zel_GM_Level* Zel_GM_Level::addSublevel(int levelNr, unsigned long id, unsigned long parentID,
                                        const ZU_String& name, int status, unsigned char* uuid) {
    try {
        return adoptSublevel(new Zel_GM_Level(levelNr, id, parentID, name, status, uuid));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Zel_GM_Level* Zel_GM_Level::adoptSublevel(Zel_GM_Level* level) {
    Zel_GM_Level** slot = m_sublevels.insert(level->m_id);
    if (slot == nullptr) {
        delete level;
        return nullptr;
    }
    // A level displaced from its key is destroyed with its subtree: nothing
    // else owns it any more.
    delete *slot;
    *slot = level;
    return level;
}

Zel_GM_Level* Zel_GM_Level::insertLevel(int levelNr, unsigned long id, const ZU_String& name,
                                        int status, unsigned char* uuid) {
    Zel_GM_Level* level = nullptr;
    try {
        level = new Zel_GM_Level(levelNr, id, m_id, name, status, uuid);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // Move the sublevels over, each under its own key.
    for (const auto& node : m_sublevels) {
        Zel_GM_Level** slot = level->m_sublevels.insert(node.key);
        if (slot == nullptr) {
            level->m_sublevels.clear();  // the sublevels still belong to this level
            delete level;
            return nullptr;
        }
        *slot = node.value;
    }
    ZU_Dictionary<unsigned long, Zel_GM_Level*> replacement;
    Zel_GM_Level** slot = replacement.insert(id);
    if (slot == nullptr) {
        level->m_sublevels.clear();
        delete level;
        return nullptr;
    }
    for (const auto& node : level->m_sublevels) {
        node.value->setParentID(id);
    }
    *slot = level;
    m_sublevels.clear();
    for (const auto& node : replacement) {
        *m_sublevels.insert(node.key) = node.value;  // one node, just freed: cannot fail
    }
    return level;
}

Zel_GM_Level* Zel_GM_Level::searchLevel(unsigned long id) {
    Zel_GM_Level* hit = nullptr;
    walkPreorder(*this, [&](Zel_GM_Level& level) {
        if (Zel_GM_Level* const* slot = level.m_sublevels.find(id)) {
            hit = *slot;
            return false;
        }
        return true;
    });
    return hit;
}

unsigned long Zel_GM_Level::getHighestID() const {
    unsigned long highest = m_id;
    walkPreorder(*this, [&](const Zel_GM_Level& level) {
        if (level.m_id > highest) {
            highest = level.m_id;
        }
        for (const auto& node : level.m_sublevels) {
            if (node.key > highest) {
                highest = node.key;
            }
        }
        return true;
    });
    return highest;
}

int Zel_GM_Level::checkIDunique(ZU_Dictionary<unsigned long, char>& seen) const {
    const bool unique = walkPreorder(*this, [&](const Zel_GM_Level& level) {
        for (const auto& node : level.m_sublevels) {
            if (seen.contains(node.key)) {
                return false;
            }
            if (char* mark = seen.insert(node.key)) {
                *mark = '#';
            }
        }
        return true;
    });
    return unique ? 1 : 0;
}

void Zel_GM_Level::addAttributeItem(CString name, CString value, int type) {
    CAttribData* attribute = nullptr;
    try {
        attribute = new CAttribData(name, value, static_cast<CAttribData::enAttribType>(type), m_id,
                                    m_parentID, m_levelNr);
        m_attributes.AddTail(attribute);
    } catch (const std::bad_alloc&) {
        delete attribute;  // the list stays as it was
    }
}

void Zel_GM_Level::deleteAttributeItem(CString name, CString value) {
    for (POSITION pos = m_attributes.GetHeadPosition(); pos != nullptr;) {
        POSITION here = pos;
        auto* attribute = static_cast<CAttribData*>(m_attributes.GetNext(pos));
        if (attribute->getName() == name && attribute->getValue() == value) {
            m_attributes.RemoveAt(here);
            delete attribute;
            return;
        }
    }
}
