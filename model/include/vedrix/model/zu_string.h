// ZU_String: the model's owned 8-bit text.
#pragma once

#include <vedrix/model/export.h>

class VEDRIX_MODEL_API ZU_String {
public:
    // A null text gives an empty one.
    ZU_String(const char* text = nullptr);
    ZU_String(const ZU_String& other);
    ZU_String& operator=(const ZU_String& other);
    ~ZU_String();

    const char* getText() const { return m_text; }
    operator const char*() const { return m_text; }

private:
    char* m_text;
};
