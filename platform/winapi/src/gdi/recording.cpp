// The drawing record of <vedrix/headless/drawing.h>.
#include "gdi/gdi.h"

namespace vedrix::winapi::gdi {

namespace {

// A long session without clearDrawingRecord() keeps the newest entries only.
constexpr std::size_t kMaxEntries = std::size_t{1} << 20;

struct Recorder {
    std::vector<vedrix::headless::DrawingEntry> entries;
    bool memory = false;
};

Recorder& recorder() {
    static Recorder r;
    return r;
}

}  // namespace

bool recorded(const DeviceContext& dc) {
    return dc.kind != DcKind::Memory || recorder().memory;
}

void record(const DeviceContext& dc, vedrix::headless::DrawingEntry entry) {
    if (!recorded(dc)) {
        return;
    }
    entry.window = dc.window;
    entry.dc = dc.handle;
    entry.clip = visibleRegion(dc).box();
    entry.textColor = dc.st.textColor;
    entry.bkColor = dc.st.bkColor;
    entry.bkMode = dc.st.bkMode;
    entry.fontWeight = fontWeightOf(dc);
    auto& entries = recorder().entries;
    if (entries.size() >= kMaxEntries) {
        entries.erase(entries.begin(), entries.begin() + kMaxEntries / 2);
    }
    entries.push_back(std::move(entry));
}

}  // namespace vedrix::winapi::gdi

namespace vedrix::headless {

using vedrix::winapi::gdi::Objects;
using vedrix::winapi::gdi::recorder;

const std::vector<DrawingEntry>& drawingRecord() {
    return recorder().entries;
}

std::vector<DrawingEntry> drawingRecord(HWND window) {
    std::vector<DrawingEntry> out;
    for (const DrawingEntry& e : recorder().entries) {
        if (e.window == window) {
            out.push_back(e);
        }
    }
    return out;
}

void clearDrawingRecord() {
    recorder().entries.clear();
}

void setRecordMemoryDCs(bool record) {
    recorder().memory = record;
}

const char* drawingKindName(DrawingKind kind) {
    switch (kind) {
        case DrawingKind::BeginPaint:
            return "BeginPaint";
        case DrawingKind::EndPaint:
            return "EndPaint";
        case DrawingKind::TextOut:
            return "TextOut";
        case DrawingKind::ExtTextOut:
            return "ExtTextOut";
        case DrawingKind::DrawText:
            return "DrawText";
        case DrawingKind::FillRect:
            return "FillRect";
        case DrawingKind::FrameRect:
            return "FrameRect";
        case DrawingKind::FocusRect:
            return "FocusRect";
        case DrawingKind::InvertRect:
            return "InvertRect";
        case DrawingKind::DrawEdge:
            return "DrawEdge";
        case DrawingKind::PatBlt:
            return "PatBlt";
        case DrawingKind::BitBlt:
            return "BitBlt";
        case DrawingKind::StretchBlt:
            return "StretchBlt";
        case DrawingKind::DIBitsToDevice:
            return "DIBitsToDevice";
        case DrawingKind::SetPixel:
            return "SetPixel";
        case DrawingKind::LineTo:
            return "LineTo";
        case DrawingKind::Polyline:
            return "Polyline";
        case DrawingKind::Polygon:
            return "Polygon";
        case DrawingKind::Rectangle:
            return "Rectangle";
        case DrawingKind::Ellipse:
            return "Ellipse";
        case DrawingKind::FillRgn:
            return "FillRgn";
        case DrawingKind::DrawIcon:
            return "DrawIcon";
        case DrawingKind::ImageListDraw:
            return "ImageListDraw";
        case DrawingKind::SetClip:
            return "SetClip";
        case DrawingKind::SetViewportOrg:
            return "SetViewportOrg";
        case DrawingKind::SetWindowOrg:
            return "SetWindowOrg";
    }
    return "?";
}

std::size_t gdiObjectCount() {
    return Objects::get().count(0);
}

std::size_t gdiObjectCount(DWORD objectType) {
    return Objects::get().count(objectType);
}

}  // namespace vedrix::headless
