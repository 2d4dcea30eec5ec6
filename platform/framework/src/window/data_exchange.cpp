#include <vedrix/framework/dialog.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <vedrix/framework/winapp.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_idLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != nullptr) {
        ::SetFocus(m_idLastControl);
        if (m_bEditLastControl) {
            ::SendMessageA(m_idLastControl, EM_SETSEL, 0, -1);
        }
    }
    throw CUserException();
}

namespace {

CString controlText(HWND hWndCtrl) {
    CString text;
    const int length = ::GetWindowTextLengthA(hWndCtrl);
    ::GetWindowTextA(hWndCtrl, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

// A whole decimal number in [minValue, maxValue], white space around allowed.
bool parseInteger(const CString& text, long long minValue, long long maxValue, long long& value) {
    const char* begin = text;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE) {
        return false;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    if (*end != '\0' || parsed < minValue || parsed > maxValue) {
        return false;
    }
    value = parsed;
    return true;
}

template <class Integer>
void exchangeInteger(CDataExchange* pDX, int nIDC, Integer& value, long long minValue,
                     long long maxValue, UINT nIDPrompt) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!parseInteger(controlText(hWndCtrl), minValue, maxValue, parsed)) {
            AfxMessageBox(nIDPrompt);
            pDX->Fail();
        }
        value = static_cast<Integer>(parsed);
    } else {
        CString text;
        text.Format("%lld", static_cast<long long>(value));
        ::SetWindowTextA(hWndCtrl, text);
    }
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = controlText(hWndCtrl);
    } else {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    exchangeInteger(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    // The group starts at nIDC and runs over the following radio buttons
    // up to the next WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    for (HWND hWnd = hWndCtrl; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT), ++index) {
        if (hWnd != hWndCtrl && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP) != 0) {
            break;
        }
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = index;
            }
        } else {
            ::SendMessageA(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = controlText(hWndCtrl);
        return;
    }
    // Select the first entry that begins with the value; a drop-down combo
    // box shows the value itself when none does.
    const LRESULT index = ::SendMessageA(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (index == CB_ERR) {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr || !rControl.SubclassWindow(hWndCtrl)) {
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONHAND);
        pDX->Fail();
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString count;
            count.Format("%d", nChars);
            CString prompt;
            AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, count);
            AfxMessageBox(prompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_idLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

namespace {

void failRange(CDataExchange* pDX, UINT nIDPrompt, long long minVal, long long maxVal) {
    CString low;
    CString high;
    low.Format("%lld", minVal);
    high.Format("%lld", maxVal);
    CString prompt;
    AfxFormatString2(prompt, nIDPrompt, low, high);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        failRange(pDX, AFX_IDP_PARSE_INT_RANGE, minVal, maxVal);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        failRange(pDX, AFX_IDP_PARSE_UINT_RANGE, minVal, maxVal);
    }
}
