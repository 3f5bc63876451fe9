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
double Median(const std::function<void()>& work) {
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

struct Figures {
    int items;
    double startUp, switchLoading, switchLoaded, walk, iconLoop;
};

Figures Measure(const std::wstring& temp, int items) {
    Menu menu(temp + L"\\menu" + std::to_wstring(items), items);
    Figures figures{items, 0, 0, 0, 0, 0};
    // What a fill cost when it asked the shell for each icon in turn; once, it is slow.
    figures.iconLoop = Milliseconds([&] {
        win::ForEachFile(menu.Common() + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
            DestroyIcon(startmenu::GetItemIcon(menu.Common() + L"\\" + data.cFileName));
        });
    });
    figures.walk = Median([&] {
        int seen = 0;
        for (const std::wstring& folder : {menu.Common(), menu.User()})
            win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW&) { ++seen; });
    });
    figures.startUp = Median([&] {
        startmenu::TMainForm form(menu);
        form.Show();
        form.Button4Click();
        UpdateWindow(form.ListView1);
    });
    startmenu::TMainForm form(menu);
    form.Show();
    form.Button4Click();
    Pump();
    int category = 0;
    auto switchCategory = [&] {
        category = category == 1 ? 2 : 1;
        form.ToolButtonClick(*form.ButtonOf(category));
        UpdateWindow(form.ListView1);
    };
    // While the worker still asks the shell for icons, and once it has them all.
    figures.switchLoading = Median(switchCategory);
    while (!form.Icons().Idle()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        Pump();
    }
    figures.switchLoaded = Median(switchCategory);
    return figures;
}

} // namespace

int wmain() {
    win::ComInit com;
    std::wstring temp = StartBenchmark(L"marlowen-benchmark");

    std::vector<Figures> all;
    std::printf("%8s %14s %20s %20s %10s %14s\n", "items", "start-up ms", "switch loading ms",
                "switch loaded ms", "walk ms", "icon loop ms");
    for (int items : {10, 500, 2000}) {
        all.push_back(Measure(temp, items));
        const Figures& f = all.back();
        std::printf("%8d %14.1f %20.1f %20.1f %10.2f %14.1f\n", f.items, f.startUp, f.switchLoading,
                    f.switchLoaded, f.walk, f.iconLoop);
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
    startmenu::DeleteFolderTree(temp);
    return 0;
}
