// The host's language library, "Zelkar_UtilityLanguage10.dll": conversion of
// the host's texts to the display character set, and the host's own text
// table.
#pragma once

#include <zelkar/api.h>

#if defined(ZELKAR_UTILITYLANGUAGE_BUILDING)
#define ZELKAR_UTILITYLANGUAGE_API ZELKAR_EXPORT
#else
#define ZELKAR_UTILITYLANGUAGE_API ZELKAR_IMPORT
#endif

// Converts `src` from the host's code page to the display character set and
// writes the result to `dst`. Callers pass the same buffer twice: the result
// stays zero-terminated and is never longer than the text was.
ZELKAR_UTILITYLANGUAGE_API void AsciiTextToIso(char* src, char* dst);

// An owned, zero-terminated 8-bit text of the host.
class ZELKAR_UTILITYLANGUAGE_API CZelString {
public:
    CZelString();
    virtual ~CZelString();
    CZelString(const CZelString& other);
    CZelString& operator=(const CZelString& other);

    operator const char*() const;

protected:
    void assign(const char* text, unsigned int maxLength);

private:
    char* m_pszText;
};

// A text of the host's text table, by number and part.
class ZELKAR_UTILITYLANGUAGE_API CTecString : public CZelString {
public:
    CTecString();
    ~CTecString() override;

    // Afterwards the object holds part `part` of host text `text`, cut to at
    // most `maxLength` characters; empty when the table has no such text.
    void GetVarlomText(unsigned int text, unsigned int part, unsigned int maxLength);
};
