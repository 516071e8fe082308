#pragma once
// Form descriptions compiled into the program. Generated code registers each app/forms/*.dfm text
// under its form class name; forms read theirs by that name when they are created.
#include <string>

// Registers (or replaces) Text under Name; the text is copied. Returns true so that it can
// initialise a static.
bool RegisterFormResource(const std::string& Name, const std::string& Text);
// Without case; nullptr when no text has that name.
const std::string* FindFormResource(const std::string& Name);
