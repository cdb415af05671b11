#pragma once
// The about box's texts. They are kept in the program only in scrambled form (codage.h), so
// that they cannot be read or edited in the executable; decode them with CLE_CREDITS.
// Plain texts are Windows-1252 bytes.

#include <array>
#include <string_view>

inline constexpr std::string_view CLE_CREDITS = "minotaure";

// The nine lines of the scrolling credits, in display order.
extern const std::array<std::string_view, 9> CREDITS_CODES;

// The link that "Ecrire à l'auteur" opens.
extern const std::string_view CONTACT_CODE;
