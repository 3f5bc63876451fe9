#include "win/ShellLink.h"

#include <shlwapi.h>

#include "base/PathRules.h"

namespace win {

bool ShortcutReader::MakeLink() {
    if (file_)
        return true;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link_.PutVoid())))
        return false;
    file_ = link_.As<IPersistFile>();
    return static_cast<bool>(file_);
}

bool ShortcutReader::Loaded(HRESULT loaded, std::wstring& target) {
    if (FAILED(loaded)) {
        // A damaged file may leave the object half loaded: the next shortcut gets a new one.
        file_.Reset();
        link_.Reset();
        return false;
    }
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(link_->GetPath(path, MAX_PATH, nullptr, 0)))
        path[0] = L'\0';
    target = path;
    return true;
}

bool ShortcutReader::Read(const std::wstring& shortcutPath, std::wstring& target) {
    if (!MakeLink())
        return false;
    return Loaded(file_->Load(base::LiteralPath(shortcutPath).c_str(), STGM_SHARE_DENY_WRITE),
                  target);
}

bool ShortcutReader::ReadBytes(const std::string& bytes, std::wstring& target) {
    if (!MakeLink())
        return false;
    ComPtr<IStream> stream;
    *stream.Put() = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                      static_cast<UINT>(bytes.size()));
    ComPtr<IPersistStream> persist = link_.As<IPersistStream>();
    if (!stream || !persist)
        return false;
    return Loaded(persist->Load(stream.Get()), target);
}

bool ShortcutReader::ReadCommand(const std::wstring& shortcutPath, ShortcutCommand& command) {
    command = ShortcutCommand();
    if (!Read(shortcutPath, command.target))
        return false;
    // The interface has no way to tell the length: the most a shortcut's arguments can hold.
    std::wstring arguments(32768, L'\0');
    if (SUCCEEDED(link_->GetArguments(arguments.data(), static_cast<int>(arguments.size()))))
        command.arguments = arguments.c_str();
    DWORD flags = 0;
    if (ComPtr<IShellLinkDataList> data = link_.As<IShellLinkDataList>())
        command.advertised = SUCCEEDED(data->GetFlags(&flags)) && (flags & SLDF_HAS_DARWINID);
    return true;
}

bool ReadShortcutTarget(const std::wstring& shortcutPath, std::wstring& target) {
    return ShortcutReader().Read(shortcutPath, target);
}

} // namespace win
