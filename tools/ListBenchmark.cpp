// Times what the user waits for in the program list, beside the bare directory walk of the
// same folders: start-up until the window shows its list, and a category switch, for Start
// Menus of 10, 500 and 2,000 top-level shortcuts. Run by tools/benchmark.sh.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/processing/ClearMode.h"
#include "startmenu/model/ItemIcon.h"
#include "startmenu/window/UMainForm.h"
#include "win/Application.h"
#include "win/Com.h"
#include "win/FileSystem.h"

#include "Benchmark.h"

namespace {

// The Start Menu of one size, in a folder of its own.
class Menu : public startmenu::FolderSource {
public:
    Menu(const std::wstring& root, int items) : root_(root) {
        CreateDirectoryW(root_.c_str(), nullptr);
        CreateDirectoryW((root_ + L"\\app").c_str(), nullptr);
        CreateDirectoryW(Common().c_str(), nullptr);
        CreateDirectoryW(User().c_str(), nullptr);
        std::wstring target = root_ + L"\\app\\tool.exe";
        CloseHandle(
            CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        std::wstring first = Common() + L"\\Tool 0.lnk";
        SaveShortcut(first, target);
        for (int i = 1; i < items; ++i)
            CopyFileW(first.c_str(), (Common() + L"\\Tool " + std::to_wstring(i) + L".lnk").c_str(),
                      FALSE);
    }
    std::wstring ExecutableDir() const override { return root_ + L"\\app\\"; }
    std::wstring ShellFolder(int csidl) const override {
        if (csidl == CSIDL_COMMON_PROGRAMS)
            return Common();
        if (csidl == CSIDL_PROGRAMS)
            return User();
        return {};
    }
    std::wstring Common() const { return root_ + L"\\Common"; }
    std::wstring User() const { return root_ + L"\\User"; }

private:
    static void SaveShortcut(const std::wstring& path, const std::wstring& target) {
        win::ComPtr<IShellLinkW> link;
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         link.PutVoid());
        link->SetPath(target.c_str());
        link.As<IPersistFile>()->Save(path.c_str(), TRUE);
    }
    std::wstring root_;
};

// The middle of five runs: the machine is shared and noisy.
double MedianOfRuns(const std::function<void()>& work) {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i)
        runs.push_back(Milliseconds(work));
    std::sort(runs.begin(), runs.end());
    return runs[2];
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// The rows of the bare list, answered as the program answers its own.
std::vector<std::wstring> bareRows;

LRESULT CALLBACK BareParent(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if (item.mask & LVIF_TEXT)
            lstrcpynW(item.pszText, bareRows[static_cast<size_t>(item.iItem)].c_str(),
                      item.cchTextMax);
        if (item.mask & LVIF_IMAGE)
            item.iImage = 0;
        if (item.mask & LVIF_STATE) {
            item.state = INDEXTOSTATEIMAGEMASK(1);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

struct BareFigures {
    double count, paint;
};

// What the list control itself costs in a switch: taking the new item count, and painting
// the screenful it then shows, for a list of the program's size, styles, font, pictures and
// column width that answers its rows from a table and does nothing else.
BareFigures MeasureBareList(startmenu::TMainForm& form, int items) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BareParent;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BareListParent";
    RegisterClassW(&wc);
    RECT frame, list;
    GetWindowRect(form.Handle(), &frame);
    GetWindowRect(form.Page2().ListView1, &list);
    HWND parent =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, frame.left,
                        frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                        nullptr, wc.hInstance, nullptr);
    HWND bare = CreateWindowExW(
        0, WC_LISTVIEWW, L"", static_cast<DWORD>(GetWindowLongW(form.Page2().ListView1, GWL_STYLE)),
        0, 0, list.right - list.left, list.bottom - list.top, parent, nullptr, wc.hInstance,
        nullptr);
    ListView_SetExtendedListViewStyle(bare,
                                      ListView_GetExtendedListViewStyle(form.Page2().ListView1));
    SendMessageW(bare, WM_SETFONT, SendMessageW(form.Page2().ListView1, WM_GETFONT, 0, 0), 0);
    for (int kind : {LVSIL_SMALL, LVSIL_STATE})
        ListView_SetImageList(bare, ListView_GetImageList(form.Page2().ListView1, kind), kind);
    ListView_SetCallbackMask(bare, LVIS_STATEIMAGEMASK);
    ListView_SetColumnWidth(bare, 0, ListView_GetColumnWidth(form.Page2().ListView1, 0));
    bareRows.clear();
    for (int i = 0; i < items; ++i)
        bareRows.push_back(L"Tool " + std::to_wstring(i));
    Pump();
    std::vector<double> counts, paints;
    for (int i = 0; i < 5; ++i) {
        ListView_SetItemCountEx(bare, 0, LVSICF_NOSCROLL);
        UpdateWindow(bare);
        counts.push_back(
            Milliseconds([&] { ListView_SetItemCountEx(bare, items, LVSICF_NOSCROLL); }));
        paints.push_back(Milliseconds([&] {
            InvalidateRect(bare, nullptr, TRUE);
            UpdateWindow(bare);
        }));
    }
    DestroyWindow(parent);
    return {Median(counts), Median(paints)};
}

struct Figures {
    int items;
    double startUp, switchLoading, switchLoaded, walk, iconLoop;
    BareFigures bare;
};

Figures Measure(const std::wstring& temp, int items) {
    Menu menu(temp + L"\\menu" + std::to_wstring(items), items);
    Figures figures{items, 0, 0, 0, 0, 0, {0, 0}};
    // What a fill cost when it asked the shell for each icon in turn; once, it is slow.
    figures.iconLoop = Milliseconds([&] {
        win::ForEachFile(menu.Common() + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
            DestroyIcon(startmenu::GetItemIcon(menu.Common() + L"\\" + data.cFileName));
        });
    });
    figures.walk = MedianOfRuns([&] {
        int seen = 0;
        for (const std::wstring& folder : {menu.Common(), menu.User()})
            win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW&) { ++seen; });
    });
    figures.startUp = MedianOfRuns([&] {
        startmenu::TMainForm form(menu);
        form.Show();
        form.Button4Click();
        UpdateWindow(form.Page2().ListView1);
    });
    startmenu::TMainForm form(menu);
    form.Show();
    form.Button4Click();
    Pump();
    int category = 0;
    auto switchCategory = [&] {
        category = category == 1 ? 2 : 1;
        form.Page2().ToolButtonClick(*form.Page2().ButtonOf(category));
        UpdateWindow(form.Page2().ListView1);
    };
    // While the worker still asks the shell for icons, and once it has them all.
    figures.switchLoading = MedianOfRuns(switchCategory);
    while (!form.Page2().Icons().Idle()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        Pump();
    }
    figures.switchLoaded = MedianOfRuns(switchCategory);
    figures.bare = MeasureBareList(form, items);
    return figures;
}

} // namespace

int wmain() {
    win::ComInit com;
    std::wstring temp = StartBenchmark(L"marlowen-benchmark");

    std::vector<Figures> all;
    std::printf("%8s %12s %18s %17s %8s %13s %15s %15s\n", "items", "start-up ms",
                "switch loading ms", "switch loaded ms", "walk ms", "icon loop ms", "bare count ms",
                "bare paint ms");
    for (int items : {10, 500, 2000}) {
        all.push_back(Measure(temp, items));
        const Figures& f = all.back();
        std::printf("%8d %12.1f %18.1f %17.1f %8.2f %13.1f %15.1f %15.1f\n", f.items, f.startUp,
                    f.switchLoading, f.switchLoaded, f.walk, f.iconLoop, f.bare.count,
                    f.bare.paint);
    }
    const Figures &small = all.front(), &large = all.back();
    double startUpBound = small.startUp + 1.5 * large.walk;
    std::printf("start-up with %d items / (start-up with %d + 1.5 x walk of %d): %.2f "
                "(goal: at most 1)\n",
                large.items, small.items, large.items, large.startUp / startUpBound);
    std::printf("category switch with %d items / walk of %d: %.2f while icons load, %.2f once "
                "loaded (goal: at most 1)\n",
                large.items, large.items, large.switchLoading / large.walk,
                large.switchLoaded / large.walk);
    double bare = large.bare.count + large.bare.paint;
    std::printf("the bare list control with %d rows: %.1f ms to take the item count, %.1f ms to "
                "paint a screenful\n",
                large.items, large.bare.count, large.bare.paint);
    std::printf("category switch with %d items / bare list control: %.2f while icons load, %.2f "
                "once loaded (goal: at most 1.2)\n",
                large.items, large.switchLoading / bare, large.switchLoaded / bare);
    startmenu::DeleteFolderTree(temp);
    return 0;
}
