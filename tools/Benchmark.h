#pragma once
// What the benchmarks share: their start and the timing.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/processing/ClearMode.h"
#include "win/Application.h"

inline double Milliseconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double Median(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// Sets the process up as the program does and returns an empty folder of the given name in
// the temp folder, for the benchmark's own files. Call with COM initialised.
inline std::wstring StartBenchmark(const wchar_t* folderName) {
    win::Application::SetTitle(L"Marlowen");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t tempPath[MAX_PATH];
    GetTempPathW(MAX_PATH, tempPath);
    std::wstring folder = std::wstring(tempPath) + folderName;
    startmenu::DeleteFolderTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
