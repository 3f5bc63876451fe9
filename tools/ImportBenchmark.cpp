// Times the import of a layout just under the size limit, 220,000 names, into a main window
// over a Programs folder of 2,000 items, beside the plainest loop that reads the same file:
// its bytes read, turned into text, loaded into the XML DOM and every name's text taken, node
// by node from sibling to sibling. Run by tools/import-benchmark.sh.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/MainFormTarget.h"
#include "exchange/UXMLmenuManage.h"
#include "startmenu/window/UMainForm.h"
#include "win/Com.h"
#include "win/Handles.h"
#include "win/MsXml.h"

#include "Benchmark.h"

namespace {

constexpr int kNames = 220000;
constexpr int kItems = 2000; // of them, the items in the Programs folder

std::wstring ItemName(int i) {
    return L"P-" + std::to_wstring(100000 + i) + L".lnk";
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Every name under one of the nine categories, in turn; the first kItems are in the folder.
std::string LayoutBytes() {
    const char* const categories[] = {"Office",        "Utilities", "Games",
                                      "Entertainment", "Internet",  "Programming",
                                      "Graphics",      "Security",  "Other"};
    std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><MarlowenExport ver=\"1.0\">"
                        "<CurrentUser/><Common>";
    const int perCategory = kNames / 9 + 1;
    for (int c = 0, i = 0; c < 9; ++c) {
        bytes += std::string("<") + categories[c] + ">";
        for (int k = 0; k < perCategory && i < kNames; ++k, ++i)
            bytes += "<n>P-" + std::to_string(100000 + i) + ".lnk</n>";
        bytes += std::string("</") + categories[c] + ">";
    }
    return bytes + "</Common></MarlowenExport>";
}

// The Programs folder is the benchmark's own; no other place is there.
class BenchSource : public startmenu::FolderSource {
public:
    explicit BenchSource(std::wstring root) : root_(std::move(root)) {}
    std::wstring ExecutableDir() const override { return root_ + L"\\"; }
    std::wstring ShellFolder(int csidl) const override {
        return csidl == CSIDL_COMMON_PROGRAMS ? root_ + L"\\Programs" : std::wstring();
    }

private:
    std::wstring root_;
};

std::string ReadBytes(const std::wstring& path) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    GetFileSizeEx(file.Get(), &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

// The plainest loop: read, decode, load into the DOM, take the text of each name. Returns
// how many names it read.
int PlainLoop(const std::wstring& path) {
    std::string bytes = ReadBytes(path);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    win::ComPtr<IXMLDOMDocument2> document = win::CreateDomDocument();
    document->put_async(VARIANT_FALSE);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    document->loadXML(win::Bstr(text).Get(), &loaded);
    auto first = [](IXMLDOMNode* node) {
        win::ComPtr<IXMLDOMNode> child;
        node->get_firstChild(child.Put());
        return child;
    };
    auto next = [](IXMLDOMNode* node) {
        win::ComPtr<IXMLDOMNode> sibling;
        node->get_nextSibling(sibling.Put());
        return sibling;
    };
    int names = 0;
    win::ComPtr<IXMLDOMElement> root;
    document->get_documentElement(root.Put());
    // The root's last child is Common; its children the categories, theirs the names.
    win::ComPtr<IXMLDOMNode> common;
    root->get_lastChild(common.Put());
    for (auto category = first(common.Get()); category; category = next(category.Get()))
        for (auto name = first(category.Get()); name; name = next(name.Get())) {
            win::Bstr value;
            name->get_text(value.Put());
            names += value.Text().empty() ? 0 : 1;
        }
    return names;
}

} // namespace

int wmain() {
    win::ComInit com;
    std::wstring temp = StartBenchmark(L"marlowen-import-benchmark");
    std::wstring programs = temp + L"\\Programs", layout = temp + L"\\layout.xml";
    CreateDirectoryW(programs.c_str(), nullptr);
    for (int i = 0; i < kItems; ++i)
        WriteBytes(programs + L"\\" + ItemName(i), "");
    std::string bytes = LayoutBytes();
    WriteBytes(layout, bytes);
    std::printf("a layout of %d names, %.2f MB, over %d items\n", kNames,
                static_cast<double>(bytes.size()) / (1024 * 1024), kItems);
    std::fflush(stdout);

    BenchSource source(temp);
    startmenu::TMainForm form(source);
    app::MainFormTarget target(form);
    int read = PlainLoop(layout); // warms the caches
    size_t applied = 0, unmatched = 0;
    std::vector<double> bare, loop, import;
    for (int round = 0; round < 3; ++round) {
        bare.push_back(Milliseconds([&] { ReadBytes(layout); }));
        loop.push_back(Milliseconds([&] { read = PlainLoop(layout); }));
        import.push_back(Milliseconds([&] {
            exchange::ImportOutcome outcome = exchange::ImportStartMenu(target, false, layout);
        applied = outcome.applied;
        unmatched = outcome.unmatched.size();
    }));
    std::printf("round %d: read %.0f ms, loop %.0f ms, import %.0f ms\n", round + 1, bare.back(),
                loop.back(), import.back());
    std::fflush(stdout);
}
double plain = Median(loop);
std::printf("the loop read %d names; the import applied %zu and found %zu unmatched\n", read,
            applied, unmatched);
std::printf("%-28s %10.0f ms\n", "reading the bytes", Median(bare));
std::printf("%-28s %10.0f ms\n", "plain loop through the DOM", plain);
std::printf("%-28s %10.0f ms  %.2f x the loop (goal: under 5,000 ms)\n", "import, select mode",
            Median(import), Median(import) / plain);
startmenu::DeleteFolderTree(temp);
return 0;
}
