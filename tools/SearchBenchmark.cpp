// Times the search for dead shortcuts beside the plainest loop that does the same work: a
// tree of 20,000 real shortcuts, a quarter of them dead, searched by the wizard until it says
// "Done" with every dead one listed, cleaned by clear mode, and walked by a loop that loads
// each shortcut once through one shell link object and looks for its target. Also how long
// Stop takes to bring the wizard back to rest. Run by tools/search-benchmark.sh.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cleanup/UDeleteEmptyShortcutsForm.h"
#include "startmenu/processing/ClearMode.h"
#include "win/Application.h"
#include "win/Com.h"
#include "win/FileSystem.h"

#include "Benchmark.h"

namespace {

constexpr int kFanOut = 10;    // folders per level, three levels
constexpr int kPerFolder = 20; // shortcuts in each deepest folder
constexpr int kShortcuts = kFanOut * kFanOut * kFanOut * kPerFolder;

// The shortcuts' folders, deepest level, relative to a tree's root.
std::vector<std::wstring> LeafFolders() {
    std::vector<std::wstring> leaves;
    for (int a = 0; a < kFanOut; ++a)
        for (int b = 0; b < kFanOut; ++b)
            for (int c = 0; c < kFanOut; ++c)
                leaves.push_back(L"\\Group " + std::to_wstring(a) + L"\\Suite " +
                                 std::to_wstring(b) + L"\\Tools " + std::to_wstring(c));
    return leaves;
}

void MakeFolders(const std::wstring& root) {
    CreateDirectoryW(root.c_str(), nullptr);
    for (const std::wstring& leaf : LeafFolders()) {
        for (size_t at = leaf.find(L'\\', 1); at != std::wstring::npos;
             at = leaf.find(L'\\', at + 1))
            CreateDirectoryW((root + leaf.substr(0, at)).c_str(), nullptr);
        CreateDirectoryW((root + leaf).c_str(), nullptr);
    }
}

std::wstring ShortcutName(int i) {
    return L"Program " + std::to_wstring(i) + L".lnk";
}

void MakeFile(const std::wstring& path) {
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// The tree: in each group of folders every fourth program is gone. Saving a shortcut costs
// the shell tens of milliseconds, so each group's shortcuts are made once, in its first
// folder, and copied to the others.
void MakeTree(const std::wstring& root, const std::wstring& programs) {
    MakeFolders(root);
    CreateDirectoryW(programs.c_str(), nullptr);
    win::ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     link.PutVoid());
    win::ComPtr<IPersistFile> file = link.As<IPersistFile>();
    std::vector<std::wstring> leaves = LeafFolders();
    const size_t perGroup = kFanOut * kFanOut;
    for (size_t group = 0; group < leaves.size() / perGroup; ++group) {
        const std::wstring first = root + leaves[group * perGroup];
        for (int i = 0; i < kPerFolder; ++i) {
            std::wstring target = programs + L"\\program " + std::to_wstring(group) + L"-" +
                                  std::to_wstring(i) + L".exe";
            MakeFile(target);
            link->SetPath(target.c_str());
            file->Save((first + L"\\" + ShortcutName(i)).c_str(), TRUE);
            if (i % 4 == 3)
                DeleteFileW(target.c_str());
        }
        for (size_t leaf = 1; leaf < perGroup; ++leaf)
            for (int i = 0; i < kPerFolder; ++i)
                CopyFileW(
                    (first + L"\\" + ShortcutName(i)).c_str(),
                    (root + leaves[group * perGroup + leaf] + L"\\" + ShortcutName(i)).c_str(),
                    FALSE);
    }
}

// Copies the shortcuts of the tree at from into the folders at to: the dead ones only, or
// the live ones only.
void CopyShortcuts(const std::wstring& from, const std::wstring& to, bool dead) {
    for (const std::wstring& leaf : LeafFolders())
        for (int i = 0; i < kPerFolder; ++i)
            if ((i % 4 == 3) == dead)
                CopyFileW((from + leaf + L"\\" + ShortcutName(i)).c_str(),
                          (to + leaf + L"\\" + ShortcutName(i)).c_str(), FALSE);
}

// The plainest way: walk, load each shortcut once, look for its target.
int PlainLoop(const std::wstring& folder, IShellLinkW* link, IPersistFile* file) {
    int dead = 0;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            dead += PlainLoop(path, link, file);
            return;
        }
        wchar_t target[MAX_PATH] = L"";
        if (SUCCEEDED(file->Load(path.c_str(), STGM_SHARE_DENY_WRITE)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) && target[0] &&
            GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES)
            ++dead;
    });
    return dead;
}

// The Programs folder of the wizard is the tree; no other place is there.
class TreeSource : public startmenu::FolderSource {
public:
    explicit TreeSource(std::wstring root) : root_(std::move(root)) {}
    std::wstring ExecutableDir() const override { return {}; }
    std::wstring ShellFolder(int csidl) const override {
        return csidl == CSIDL_COMMON_PROGRAMS ? root_ : std::wstring();
    }

private:
    std::wstring root_;
};

// Runs the GUI thread's messages until done says so.
void PumpUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

int wmain() {
    win::ComInit com;
    std::wstring temp = StartBenchmark(L"marlowen-search-benchmark");
    const std::wstring tree = temp + L"\\Programs", cleaned = temp + L"\\Cleaned",
                       programs = temp + L"\\Program Files";

    std::printf("making %d shortcuts...\n", kShortcuts);
    std::fflush(stdout);
    MakeTree(tree, programs);
    MakeFolders(cleaned);
    CopyShortcuts(tree, cleaned, false);

    win::ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     link.PutVoid());
    win::ComPtr<IPersistFile> file = link.As<IPersistFile>();
    int loopDead = PlainLoop(tree, link.Get(), file.Get()); // warms the caches
    int listed = 0;
    std::vector<double> loop, search, clear;
    TreeSource source(tree);
    for (int round = 0; round < 3; ++round) {
        loop.push_back(Milliseconds([&] { loopDead = PlainLoop(tree, link.Get(), file.Get()); }));
        cleanup::TDeleteEmptyShortcutsForm wizard(nullptr, source);
        ShowWindow(wizard.Handle(), SW_SHOW);
        UpdateWindow(wizard.Handle());
        search.push_back(Milliseconds([&] {
            wizard.Button1Click();
            PumpUntil([&] { return !wizard.Searching(); });
        }));
        listed = wizard.ListCount();
        CopyShortcuts(tree, cleaned, true); // what the last clean deleted
        startmenu::FolderLocations noStartup;
        clear.push_back(Milliseconds([&] { startmenu::ClearFolder(cleaned, noStartup); }));
        std::printf("round %d: loop %.0f ms, search %.0f ms, clear %.0f ms\n", round + 1,
                    loop.back(), search.back(), clear.back());
        std::fflush(stdout);
    }

    // Stop pressed in the middle of a search, until the wizard is back at rest.
    double stop = 0;
    {
        cleanup::TDeleteEmptyShortcutsForm wizard(nullptr, source);
        ShowWindow(wizard.Handle(), SW_SHOW);
        wizard.Button1Click();
        PumpUntil([&] { return wizard.ListCount() >= 1000 || !wizard.Searching(); });
        stop = Milliseconds([&] {
            wizard.Button1Click();
            PumpUntil([&] { return !wizard.Searching(); });
        });
    }

    double plain = Median(loop);
    std::printf("%d shortcuts, %d dead: the loop found %d, the wizard listed %d\n", kShortcuts,
                kShortcuts / 4, loopDead, listed);
    std::printf("%-28s %10.0f ms\n", "plain loop", plain);
    std::printf("%-28s %10.0f ms  %.2f x the loop (goal: at most 1.5)\n", "wizard search",
                Median(search), Median(search) / plain);
    std::printf("%-28s %10.0f ms  %.2f x the loop (goal: at most 1.5)\n", "clear mode",
                Median(clear), Median(clear) / plain);
    std::printf("%-28s %10.0f ms  (goal: at most 500)\n", "stop until at rest", stop);
    startmenu::DeleteFolderTree(temp);
    return 0;
}
