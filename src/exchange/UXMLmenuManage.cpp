#include "exchange/UXMLmenuManage.h"

#include "exchange/DomTree.h"
#include "exchange/ExportDocument.h"
#include "exchange/LayoutFile.h"
#include "exchange/LayoutRules.h"
#include "exchange/LayoutText.h"
#include "exchange/Utf8.h"
#include "startmenu/model/NameRules.h"
#include "win/Application.h"
#include "win/FileSystem.h"
#include "win/MsXml.h"
#include "win/Text.h"
#include "win/UserPrompt.h"

namespace exchange {
namespace {

// The levels below the root: section, category, item.
constexpr size_t kDocumentDepth = 3;

// Every entry of each category folder of programsDir, in the file system's order, but
// folder-settings files (".ini" in any letter case); nothing when programsDir is unknown.
ProgramsFolderListing ListCategoryFolders(const std::wstring& programsDir,
                                          const std::vector<std::wstring>& categoryNames) {
    ProgramsFolderListing listing{programsDir, {}};
    listing.itemsByCategory.resize(categoryNames.size());
    if (programsDir.empty())
        return listing;
    for (size_t i = 0; i < categoryNames.size(); ++i)
        win::ForEachFile(programsDir + L"\\" + categoryNames[i] + L"\\*",
                         [&](const WIN32_FIND_DATAW& entry) {
                             std::wstring name = entry.cFileName;
                             if (win::LowerFileName(startmenu::ExtensionOf(name)) != L".ini")
                                 listing.itemsByCategory[i].push_back(name);
                         });
    return listing;
}

} // namespace

void ExportStartMenu(const startmenu::StartMenuModel& model, const std::wstring& fileName) {
    for (const std::wstring& name : model.CategoryNames)
        if (!IsElementName(name))
            throw win::AppError(L"The category \"" + name +
                                L"\" cannot be exported: its name is no XML element name.");
    const startmenu::FolderLocations& folders = model.Folders;
    XmlElement tree = ExportTree(
        model.CategoryNames, ListCategoryFolders(folders.UserProgramsDir, model.CategoryNames),
        ListCategoryFolders(folders.CommonProgramsDir, model.CategoryNames));
    // The document is built in the DOM, and its bytes are written from what the DOM holds.
    win::ComPtr<IXMLDOMDocument2> document = DomFromTree(tree);
    win::ComPtr<IXMLDOMElement> root;
    win::CheckDom(document->get_documentElement(root.Put()));
    XmlElement held = TreeFromDom(root.Get(), kDocumentDepth);
    WriteFileReplacing(fileName, DocumentBytes(held));
}

ImportOutcome ImportStartMenu(LayoutTarget& target, bool apply, const std::wstring& fileName) {
    std::wstring text;
    if (!DecodeLayoutBytes(ReadLayoutBytes(fileName), text))
        throw LayoutRefused(RefusalText(fileName, L"it is not UTF-8 or UTF-16 text"));
    std::wstring problem = LayoutTextProblem(text);
    if (problem.empty()) {
        std::vector<XmlElement> topLevel = ParseDocument(text, fileName, kDocumentDepth);
        const XmlElement* root = topLevel.empty() ? nullptr : &topLevel.front();
        problem = LayoutProblem(root);
        if (problem.empty()) {
            startmenu::StartMenuModel& model = target.Model();
            ImportOutcome outcome = AssignCategories(
                *model.Entries, LayoutAssignments(*root, model.CategoryNames),
                [](const std::wstring& name) { return win::LowerFileName(name); },
                model.CategoryFolderTest());
            apply ? target.StartProcessing() : target.SelectFirstVisibleCategory();
            return outcome;
        }
    }
    throw LayoutRefused(RefusalText(fileName, problem));
}

void ReportImport(HWND owner, const std::wstring& fileName, const ImportOutcome& outcome,
                  bool apply) {
    std::wstring text = ImportReportText(fileName, outcome, apply);
    if (!text.empty())
        win::Prompt().Message(
            owner, text, win::Application::Title(),
            MB_OK | (outcome.unmatched.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
}

} // namespace exchange
