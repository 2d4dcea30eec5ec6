// Benchmark of the attribute dialog's tree-list: opening the dialog on a
// level with many attributes (the rows filled from the attribute list) and
// sorting its rows by each of the three columns, as clicks on the headings
// sort them, against building the same rows in a plain tree view:
//
//   attribute-dialog/plain-tree   2,000 attributes in 100 groups, filled and
//                                 sorted by name, value and type, against a
//                                 tree view given one item per row below its
//                                 group, in list order
//
// Both run on the headless platform in the same run; closing the dialog and
// destroying the plain tree are outside the measured time. --smoke shrinks
// the list tenfold, for a quick run under the sanitizers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>

#include <vedrix/framework/ui.h>
#include <vedrix/model/attrib_data.h>
#include <vedrix/widgets/tl_frame.h>
#include <vedrix/widgets/tree_list_class.h>

#include "attribute_dlg.h"
#include "ratio_reporter.h"

namespace {

using Clock = std::chrono::steady_clock;

CWinApp theApp("Vedrix attribute dialog benchmark");

constexpr int kColumns = 3;
constexpr int kTreeListId = 1018;
constexpr int kHeaderId = 370;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The attribute list of one level: `groups` groups below the level, each
// holding `perGroup` attributes whose types take turns; names and values
// carry numbers, so that sorting compares them by value.
class AttributeList {
public:
    AttributeList(int groups, int perGroup) {
        unsigned long id = 1;
        for (int g = 0; g < groups; ++g) {
            const unsigned long group = id++;
            m_list.AddTail(new CAttribData(("Group " + std::to_string(groups - g)).c_str(), "",
                                           CAttribData::Group, group, 0, 1));
            for (int a = 0; a < perGroup; ++a) {
                const int n = (a * 7919 + g * 104729) % 100000;
                m_list.AddTail(new CAttribData(
                    ("Attribute " + std::to_string(n)).c_str(), std::to_string(n % 997).c_str(),
                    static_cast<CAttribData::enAttribType>(a % 3), id++, group, 2));
            }
        }
    }
    ~AttributeList() {
        while (!m_list.IsEmpty()) {
            delete m_list.RemoveHead();
        }
    }
    AttributeList(const AttributeList&) = delete;
    AttributeList& operator=(const AttributeList&) = delete;

    CObList& list() { return m_list; }
    int count() const { return static_cast<int>(m_list.GetCount()); }

private:
    CObList m_list;
};

// A click on heading `column` as the header reports it to the frame.
void clickHeading(HWND frame, int column) {
    NMHEADERA note{};
    note.hdr.hwndFrom = ::GetDlgItem(frame, kHeaderId);
    note.hdr.idFrom = kHeaderId;
    note.hdr.code = HDN_ITEMCLICKA;
    note.iItem = column;
    ::SendMessageA(frame, WM_NOTIFY, kHeaderId, reinterpret_cast<LPARAM>(&note));
}

void runDialog(benchmark::State& state, AttributeList& attributes) {
    for (auto _ : state) {
        CAttributeDlg dialog(&attributes.list(), "Campus\\", "House");
        const auto start = Clock::now();
        if (!dialog.Create(CAttributeDlg::IDD, nullptr)) {
            state.SkipWithError("the attribute dialog was not created");
            return;
        }
        HWND frame = ::GetDlgItem(dialog.m_hWnd, kTreeListId);
        for (int column = 0; column < kColumns; ++column) {
            clickHeading(frame, column);
        }
        state.SetIterationTime(secondsSince(start));
        dialog.DestroyWindow();
    }
}

// The same rows in a plain tree view: one item per attribute below its
// group's item, found through a table, appended in list order.
void runPlainTree(benchmark::State& state, AttributeList& attributes, CWnd& parent) {
    for (auto _ : state) {
        CTreeCtrl tree;
        const auto start = Clock::now();
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                    CRect(0, 0, 612, 364), &parent, 1);
        HTREEITEM top = tree.InsertItem("House", TVI_ROOT, TVI_LAST);
        std::unordered_map<unsigned long, HTREEITEM> rows{{0, top}};
        for (POSITION pos = attributes.list().GetHeadPosition(); pos != nullptr;) {
            auto* attribute = static_cast<CAttribData*>(attributes.list().GetNext(pos));
            const auto parentRow = rows.find(attribute->GetParentID());
            HTREEITEM row = tree.InsertItem(
                attribute->getName(), parentRow != rows.end() ? parentRow->second : top, TVI_LAST);
            rows.emplace(attribute->GetID(), row);
        }
        state.SetIterationTime(secondsSince(start));
        tree.DestroyWindow();
    }
}

// Before any timing: the dialog shows every attribute as a row.
bool verify(AttributeList& attributes) {
    CAttributeDlg dialog(&attributes.list(), "Campus\\", "House");
    if (!dialog.Create(CAttributeDlg::IDD, nullptr)) {
        std::fprintf(stderr, "the attribute dialog was not created\n");
        return false;
    }
    HWND tree =
        ::GetDlgItem(::GetDlgItem(dialog.m_hWnd, kTreeListId), CNewTreeListCtrl::kControlId);
    const int rows = static_cast<int>(::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    dialog.DestroyWindow();
    if (rows != attributes.count() + 1) {
        std::fprintf(stderr, "%d rows for %d attributes\n", rows, attributes.count());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool smoke = vedrix::bench::takeSmokeFlag(argc, argv);
    HMODULE language = ::LoadLibraryA("vedr_en.dll");
    if (language == nullptr) {
        std::fprintf(stderr, "vedr_en.dll is not there\n");
        return 1;
    }
    AfxSetResourceHandle(language);
    RegisterTreeListClass();
    // 100 groups of 20: 2,000 attributes.
    AttributeList attributes(smoke ? 10 : 100, 20);
    if (!verify(attributes)) {
        return 1;
    }
    CWnd parent;
    parent.CreateEx(0, "Static", "Plain tree", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 640, 400),
                    nullptr, 0);

    const std::string dialogRun =
        "attribute-dialog/" + std::to_string(attributes.count()) + "-attributes-sorted-3-times";
    const std::string baselineRun = "baseline/plain-tree/" + std::to_string(attributes.count());
    benchmark::RegisterBenchmark(dialogRun.c_str(),
                                 [&](benchmark::State& s) { runDialog(s, attributes); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(baselineRun.c_str(),
                                 [&](benchmark::State& s) { runPlainTree(s, attributes, parent); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    vedrix::bench::RatioReporter reporter(!smoke);
    if (!vedrix::bench::runRegisteredBenchmarks(argc, argv, reporter)) {
        return 1;
    }
    reporter.printRatio("attribute-dialog/plain-tree", dialogRun, baselineRun, 2);
    parent.DestroyWindow();
    UnregisterTreeListClass();
    return 0;
}
