#include "fman_listbrowse_dlg.h"

BEGIN_MESSAGE_MAP(CFmanListbrowseDlg, CDialog)
ON_BN_CLICKED(1007, OnAbandon)
END_MESSAGE_MAP()

CFmanListbrowseDlg::CFmanListbrowseDlg(CWnd* pParent) : CDialog(IDD, pParent) {}
