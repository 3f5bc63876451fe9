#include "win/MsXml.h"

#include "win/Errors.h"
#include "win/Text.h"

namespace win {

const CLSID kClsidDomDocument60 = {
    0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
const IID kIidXmlDomDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

ComPtr<IXMLDOMDocument2> CreateDomDocument() {
    ComPtr<IXMLDOMDocument2> document;
    HRESULT hr = CoCreateInstance(kClsidDomDocument60, nullptr, CLSCTX_INPROC_SERVER,
                                  kIidXmlDomDocument2, document.PutVoid());
    if (FAILED(hr))
        throw AppError(L"The XML service of the system (MSXML 6) is not available: " +
                       SystemErrorText(static_cast<DWORD>(hr)));
    return document;
}

void CheckDom(HRESULT hr) {
    if (SUCCEEDED(hr))
        return;
    ComPtr<IErrorInfo> info;
    Bstr description;
    if (GetErrorInfo(0, info.Put()) == S_OK && SUCCEEDED(info->GetDescription(description.Put())) &&
        !description.Text().empty())
        throw AppError(description.Text());
    throw AppError(SystemErrorText(static_cast<DWORD>(hr)));
}

} // namespace win
