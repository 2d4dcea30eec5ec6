#include <vedrix/framework/gdi.h>
#include <vedrix/widgets/new_header_ctrl.h>

IMPLEMENT_DYNAMIC(CNewHeaderCtrl, CHeaderCtrl)

namespace {

constexpr int kHeadingBuffer = 255;  // characters of a heading, terminator included

}  // namespace

void CNewHeaderCtrl::SetSortState(int nColumn, int nState) {
    m_sortStates.SetAt(nColumn, nState);
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (GetItem(nColumn, &item)) {
        item.fmt |= HDF_OWNERDRAW;
        SetItem(nColumn, &item);
    }
    Invalidate(TRUE);
}

int CNewHeaderCtrl::GetSortState(int nColumn) const {
    int state = kUnsorted;
    return m_sortStates.Lookup(nColumn, state) ? state : kUnsorted;
}

// The heading's text is drawn inside its rectangle less twice the width of a
// space on either side; a pressed heading's text moves 1 pixel right and 2
// down. The sort image stands right of a left or centred text and left of a
// right-aligned one, which then starts after it.
void CNewHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int saved = dc->SaveDC();
    CRect rect(lpDrawItemStruct->rcItem);
    CRgn clip;
    clip.CreateRectRgnIndirect(&rect);
    dc->SelectClipRgn(&clip);

    const int margin = dc->GetTextExtent(" ", 1).cx * 2;

    char heading[kHeadingBuffer] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = heading;
    item.cchTextMax = kHeadingBuffer;
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    if (!GetItem(index, &item)) {
        heading[0] = '\0';
        item.fmt = 0;
    }
    heading[kHeadingBuffer - 1] = '\0';

    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;
    const bool rightAligned = (item.fmt & HDF_CENTER) == 0 && (item.fmt & HDF_RIGHT) != 0;
    if (item.fmt & HDF_CENTER) {
        format |= DT_CENTER;
    } else if (rightAligned) {
        format |= DT_RIGHT;
    }
    const bool pressed = lpDrawItemStruct->itemState == ODS_SELECTED;
    const auto drawHeading = [&] {
        if (pressed) {
            rect.OffsetRect(1, 0);
            rect.top += 2;
        }
        rect.left += margin;
        rect.right -= margin;
        if (rect.left < rect.right) {
            dc->DrawText(heading, -1, &rect, format);
        }
    };

    if (!rightAligned) {
        drawHeading();
    }
    const int state = GetSortState(index);
    if (m_pImages != nullptr && state != kUnsorted) {
        const int firstWidth = heading[0] != '\0' ? dc->GetTextExtent(heading, 1).cx : 0;
        const int x = rightAligned ? rect.left + margin : rect.right - 2 * firstWidth;
        m_pImages->Draw(dc, state, CPoint(x, margin / 3), ILD_TRANSPARENT);
        if (rightAligned) {
            IMAGEINFO info{};
            const int imageWidth =
                m_pImages->GetImageInfo(state, &info) ? info.rcImage.right - info.rcImage.left : 0;
            rect.left += margin / 2 + imageWidth;
        }
    }
    if (rightAligned) {
        drawHeading();
    }
    dc->RestoreDC(saved);
}
