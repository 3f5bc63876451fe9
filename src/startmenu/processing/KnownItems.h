#pragma once
// The top-level items of both Programs folders as the last processing run or undo left them,
// so that a later start can tell which items are new: its record and the test. No Windows
// call: built and tested natively.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"

namespace startmenu {

struct KnownItems {
    std::vector<std::wstring> common, user; // the names at the top of each Programs folder
};

// The record's bytes, lines as RecordLines writes them.
std::string KnownItemsBytes(const KnownItems& known);
// Reads a record back; false, with the reason in error, when it is not one as written.
bool ParseKnownItems(const std::string& bytes, KnownItems& known, std::wstring& error);

// Tells the top-level entries that are new since the record: those whose name was at the top
// of none of the Programs folders they lie in. key folds names for comparison.
class NewItemTest {
public:
    using Key = std::function<std::wstring(const std::wstring&)>;
    NewItemTest(const KnownItems& known, Key key);
    bool IsNew(const EntryNode& node) const;

private:
    Key key_;
    std::set<std::wstring> common_, user_;
};

} // namespace startmenu
