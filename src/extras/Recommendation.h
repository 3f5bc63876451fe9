#pragma once
#include <string>

// The recommendation a user sends a friend from the menu's "Tell a Friend...".
namespace extras {

std::wstring RecommendationSubject();
// Twenty-six lines, each ended by CR LF; the last one is empty.
std::wstring RecommendationBody();

} // namespace extras
