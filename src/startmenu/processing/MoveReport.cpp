#include "startmenu/processing/MoveReport.h"

#include "base/Counted.h"

namespace startmenu {
namespace {

// A message box taller than the screen hides its buttons.
constexpr size_t kMaxListed = 12;

template <typename Item, typename Line>
void AppendList(std::wstring& text, const std::vector<Item>& items, Line line) {
    std::vector<std::wstring> lines;
    for (const Item& item : items)
        lines.push_back(line(item));
    AppendBulletList(text, lines);
}

} // namespace

void AppendBulletList(std::wstring& text, const std::vector<std::wstring>& lines) {
    for (size_t i = 0; i < lines.size() && i < kMaxListed; ++i)
        text += L"\r\n\u2022 " + lines[i];
    if (lines.size() > kMaxListed)
        text += L"\r\n" + base::Counted(lines.size() - kMaxListed, L"more item.", L"more items.");
}

std::wstring MoveReportCaption(const MoveReport& report) {
    if (report.Complete())
        return L"Programs have been successfully categorized!";
    return std::to_wstring(report.moved) + L" of " +
           base::Counted(static_cast<size_t>(report.assigned), L"item", L"items") +
           L" categorized, " + std::to_wstring(report.assigned - report.moved) + L" not moved";
}

std::wstring MoveReportText(const MoveReport& report) {
    std::wstring text;
    if (!report.failures.empty()) {
        text += L"These items could not be moved and were left where they were:\r\n";
        AppendList(text, report.failures, [](const MoveFailure& f) {
            return f.item + L"\r\n    to " + f.targetFolder + L": " + f.reason;
        });
    }
    if (!report.renames.empty()) {
        if (!text.empty())
            text += L"\r\n\r\n";
        text += L"These items were given a new name, because an item of the same name was "
                L"already there:\r\n";
        AppendList(text, report.renames, [](const MoveRename& r) {
            return r.item + L"\r\n    is now \"" + r.newName + L"\" in " + r.targetFolder;
        });
    }
    return text;
}

} // namespace startmenu
