#pragma once
#include <string>

// The addresses the program hands to the shell, all made from the one home page and the one
// support address.
namespace extras {

// The host of the home page, as the about box shows it: "www.example.com".
std::wstring HomePageHost();

// "mailto:" and the support address, as the about box shows it.
std::wstring SupportMailText();

// The same with the subject of a new mail to support: the product and its version, as
// "Marlowen%202_6".
std::wstring SupportMailLink();

// The recommendation mail's links to the home page and to the free setup program; "?tf"
// marks the visits that come from a recommendation.
std::wstring RecommendedHomePage();
std::wstring RecommendedDownload();

} // namespace extras
