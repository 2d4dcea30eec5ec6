#include "listbrowse_dlg.h"

BEGIN_MESSAGE_MAP(CListbrowseDlg, CDialog)
ON_BN_CLICKED(1003, OnConfirm)
ON_BN_CLICKED(1007, OnAbandon)
END_MESSAGE_MAP()

CListbrowseDlg::CListbrowseDlg(CWnd* pParent) : CDialog(IDD, pParent), m_pParent(pParent) {}
