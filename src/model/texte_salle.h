#pragma once
// The text rules between the room panel and the room record, on Windows-1252 bytes.

#include <string>
#include <string_view>
#include <vector>

// The question is stored as one line: every line the author typed (a line the memo only
// wraps on screen is one line), the last one included, followed by one blank. No line
// gives "".
std::string question_depuis_lignes(const std::vector<std::string> &lignes);

// A one-line field never carries a line break into the model, so that a riddle cannot break
// the file's line structure: CR LF, CR or LF each become one blank.
std::string sur_une_ligne(std::string_view texte);
