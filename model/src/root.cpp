#include <vedrix/model/root.h>

#include <new>

#include "bounded_copy.h"

Zel_GM_Root::Zel_GM_Root(const ZU_String& name) : Zel_GM_Level(0, 0, 0, name, 0, nullptr) {}

Zel_GM_Root::~Zel_GM_Root() {
    for (const auto& node : m_definitions) {
        delete node.value;
    }
    m_definitions.clear();
}

int Zel_GM_Root::checkIDunique() const {
    ZU_Dictionary<unsigned long, char> seen;
    return Zel_GM_Level::checkIDunique(seen);
}

bool Zel_GM_Root::defineLevel(int levelNr, const char* name, const char* bitmapDir,
                              const char* bitmapFile) {
    Zel_GM_LevelDefinition* definition = nullptr;
    try {
        definition = new Zel_GM_LevelDefinition{levelNr, ZU_String(name), ZU_String(bitmapDir),
                                                ZU_String(bitmapFile)};
    } catch (const std::bad_alloc&) {
        return false;
    }
    Zel_GM_LevelDefinition** slot = m_definitions.insert(levelNr);
    if (slot == nullptr) {
        delete definition;
        return false;
    }
    delete *slot;  // a second definition of the same number takes the first one's place
    *slot = definition;
    return true;
}

int Zel_GM_Root::getdeflevelname(int levelNr, char* dst, int size) {
    for (const auto& node : m_definitions) {
        if (node.value->levelNr == levelNr) {
            vedrix::model::boundedCopy(dst, size, node.value->name.getText());
            return 0;
        }
    }
    return 1;
}
