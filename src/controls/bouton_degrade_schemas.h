#pragma once
// The gradient button's colours and its twelve named colour schemes. Plain data, no Qt.
//
// Colours are 0x00BBGGRR values: red in the low byte, blue in the third, top byte 0, so the
// tables read like the colour values the button's users write (0000FF is pure red).

#include <cstdint>
#include <vector>

using TColor = std::uint32_t;

// The 25 colours of a button, by the index their setter receives: four sets of six
// (normal, pointer over, pressed, disabled) in the same order, then the focus rectangle.
enum CouleurBouton : int {
  ColorFace,
  ColorGrad,
  ColorDark,
  ColorLight,
  ColorBorder,
  ColorText,
  OverColorFace,
  OverColorGrad,
  OverColorDark,
  OverColorLight,
  OverColorBorder,
  OverColorText,
  DownColorFace,
  DownColorGrad,
  DownColorDark,
  DownColorLight,
  DownColorBorder,
  DownColorText,
  DisabledColorFace,
  DisabledColorGrad,
  DisabledColorDark,
  DisabledColorLight,
  DisabledColorBorder,
  DisabledColorText,
  ColorFocusRect,
};
inline constexpr int NB_COULEURS_BOUTON = 25;
// Offsets inside a set of six, and the first index of each set.
enum RoleCouleur : int { Face, Grad, Dark, Light, Border, Text };
enum JeuCouleurs : int { JeuNormal = 0, JeuOver = 6, JeuDown = 12, JeuDisabled = 18 };

// The six Neo schemes shade the face; the six after them are flat. csCustom is what a
// button reads once any single colour has been set.
enum TColorScheme : std::uint8_t {
  csNeoDesert,
  csNeoSky,
  csNeoGrass,
  csNeoSilver,
  csNeoRose,
  csNeoSun,
  csDesert,
  csGrass,
  csSky,
  csSun,
  csRose,
  csSilver,
  csCustom,
};

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

inline bool schema_degrade(TColorScheme schema) {
  return schema <= csNeoSun;
}

struct CouleurSchema {
  CouleurBouton index;
  TColor valeur;
};

// The colours a scheme sets, in index order: all 25 for a Neo scheme, 21 for a flat one
// (the four Grad colours keep whatever they were, so switching the shading back on later
// shades towards them), none for csCustom.
std::vector<CouleurSchema> couleurs_schema(TColorScheme schema);
