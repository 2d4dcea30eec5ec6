#include "attribute_text.h"

namespace vedrix::browser {

CString attributeFieldText(CString text) {
    for (char separator : {'\t', '\r', '\n'}) {
        text.Replace(separator, ' ');
    }
    return text;
}

}  // namespace vedrix::browser
