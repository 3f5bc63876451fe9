#pragma once
#include <windows.h>
#include <msxml2.h>

#include "win/Com.h"

namespace win {

// MSXML 6, the system's XML DOM. mingw's headers declare its interfaces but lack the class
// id of DOMDocument60 and the id of IXMLDOMDocument2, and give none of them to __uuidof; the
// ids are defined once here.
extern const CLSID kClsidDomDocument60;
extern const IID kIidXmlDomDocument2;

// A new, empty DOMDocument60; raises an AppError when MSXML 6 is not there.
ComPtr<IXMLDOMDocument2> CreateDomDocument();

// Raises an AppError with the DOM's own description of the failure (its error info) when hr
// is a failure. S_FALSE, which the DOM gives for "nothing found", is no failure.
void CheckDom(HRESULT hr);

} // namespace win
