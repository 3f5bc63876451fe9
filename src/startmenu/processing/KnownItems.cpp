#include "startmenu/processing/KnownItems.h"

#include "base/RecordLines.h"

namespace startmenu {
namespace {

const std::wstring kHeader = L"Marlowen known items";
const std::wstring kVersion = L"1";
const std::wstring kCommon = L"common", kUser = L"user";

} // namespace

std::string KnownItemsBytes(const KnownItems& known) {
    std::string bytes = base::RecordFileStart() + base::RecordLineBytes({kHeader, kVersion});
    for (const std::wstring& name : known.common)
        bytes += base::RecordLineBytes({kCommon, name});
    for (const std::wstring& name : known.user)
        bytes += base::RecordLineBytes({kUser, name});
    return bytes;
}

bool ParseKnownItems(const std::string& bytes, KnownItems& known, std::wstring& error) {
    known = KnownItems();
    base::RecordLineReader reader;
    bool sound = reader.Open(bytes);
    // Written whole or not at all: every line, the last one too, is complete.
    for (std::vector<std::wstring> fields; sound && reader.Next(fields);) {
        if (reader.LineNumber() == 1)
            sound = fields == std::vector<std::wstring>{kHeader, kVersion};
        else if (fields.size() == 2 && (fields[0] == kCommon || fields[0] == kUser))
            (fields[0] == kCommon ? known.common : known.user).push_back(fields[1]);
        else
            sound = false;
    }
    if (sound && reader.WholeBytes() == bytes.size() && reader.LineNumber() > 0)
        return true;
    // The first line that is not as written; one after the last when that is unfinished.
    size_t bad = sound ? reader.LineNumber() + 1 : reader.LineNumber();
    error = bad <= 1 ? L"It is not a record of the Start Menu's items."
                     : L"Line " + std::to_wstring(bad) + L" of it has been changed or damaged.";
    known = KnownItems();
    return false;
}

NewItemTest::NewItemTest(const KnownItems& known, Key key) : key_(std::move(key)) {
    for (const std::wstring& name : known.common)
        common_.insert(key_(name));
    for (const std::wstring& name : known.user)
        user_.insert(key_(name));
}

bool NewItemTest::IsNew(const EntryNode& node) const {
    std::wstring name = key_(node.Name());
    std::uint8_t origin = node.Entry().Origin;
    bool inCommon = origin != OriginUser && common_.count(name);
    bool inUser = origin != OriginCommon && user_.count(name);
    return !inCommon && !inUser;
}

} // namespace startmenu
