#pragma once
#include <windows.h>

#include <string>

#include "exchange/LayoutRules.h"
#include "exchange/LayoutTarget.h"
#include "startmenu/model/StartMenuModel.h"
#include "win/Errors.h"

namespace exchange {

// Writes the export document of the category folders of both Programs folders to fileName,
// replacing a file of that name. An error ends the export with an AppError and leaves no
// file behind.
void ExportStartMenu(const startmenu::StartMenuModel& model, const std::wstring& fileName);

// A layout file that the import does not use, with the reason in words for the user. No
// entry has changed and nothing has been finished when it is raised.
class LayoutRefused : public win::AppError {
public:
    using win::AppError::AppError;
};

// Gives the top-level entries the categories the layout in fileName lists them under, then
// shows the first visible category (apply false) or runs Start Processing (apply true), and
// returns what became of the layout's items.
// Raises LayoutRefused for a file that cannot be read, is too large, holds a document type
// declaration, nests too deep, is not well-formed, or is no layout; the whole document is
// checked before any entry changes.
ImportOutcome ImportStartMenu(LayoutTarget& target, bool apply, const std::wstring& fileName);

// Tells the user what the import of fileName did (see ImportReportText), in one message over
// owner; nothing in apply mode when every item matched.
void ReportImport(HWND owner, const std::wstring& fileName, const ImportOutcome& outcome,
                  bool apply);

} // namespace exchange
