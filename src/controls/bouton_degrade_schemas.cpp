#include "bouton_degrade_schemas.h"

#include <array>

namespace {

// Black captions in every scheme, grey when disabled.
constexpr TColor TEXTE = 0x000000;
constexpr TColor TEXTE_INACTIF = 0x808080;

struct SchemaNeo {
  TColor face, grad, dark, light, border;
  TColor over_face, over_grad, over_dark, over_light, over_border;
  TColor down_face, down_grad, down_dark, down_light, down_border;
  TColor focus;
};

// In the down sets Light is the darker and Dark the lighter colour: the pressed button
// looks sunken.
constexpr std::array<SchemaNeo, 6> NEO = {{
    // csNeoDesert
    {0xC6ECFF, 0x37BEFF, 0x009CE8, 0xB9E7FF, 0x005680, 0xB3E7FF, 0x00A3F0, 0x008ED2, 0x95DAFF,
     0x005680, 0x2BBAFF, 0x77D2FF, 0x8AD9FF, 0x0077B7, 0x0070A6, 0x4080FF},
    // csNeoSky
    {0xFFEEDD, 0xFFB66C, 0xFFA851, 0xFFECD9, 0xB35900, 0xFFEBD7, 0xFFA346, 0xFF9E3E, 0xFFE4CA,
     0xB35900, 0xFFB366, 0xFFCE9D, 0xFFD3A8, 0xFF9E3E, 0xB35900, 0xFFA953},
    // csNeoGrass
    {0xDDF9E8, 0x5EDF8E, 0x24B95C, 0xCBF5DB, 0x156F37, 0xBFF2D2, 0x3DD877, 0x23B459, 0xB5F0CB,
     0x17793D, 0x4EDC83, 0x80E6A6, 0x89E7AC, 0x177D3E, 0x167439, 0x24B95C},
    // csNeoSilver
    {0xF3F3F3, 0xBCBCBC, 0xA7A7A7, 0xF7F7F7, 0x626262, 0xF0F0F0, 0xA6A6A6, 0xA2A2A2, 0xEEEEEE,
     0x757575, 0xCACACA, 0xDADADA, 0xE9E9E9, 0x7C7C7C, 0x4E4E4E, 0xADADAD},
    // csNeoRose
    {0xE8E8FF, 0x9595FF, 0x8282FF, 0xDDDDFF, 0x00009D, 0xDFDFFF, 0x7777FF, 0x6A6AFF, 0xD7D7FF,
     0x00009D, 0xA6A6FF, 0xB9B9FF, 0xCECEFF, 0x5E5EFF, 0x00009D, 0x5E5EFF},
    // csNeoSun
    {0xF0FFFF, 0x20D8F9, 0x00BBBB, 0xF2FFFF, 0x006464, 0xD5FCFF, 0x05BCDC, 0x00A6A6, 0xCCFFFF,
     0x006464, 0x05D1F5, 0x66F0FB, 0x66F3FF, 0x008484, 0x006464, 0x00BBBB},
}};

struct SchemaPlat {
  TColor face, dark, light, border;
  TColor over_face, over_dark, over_light, over_border;
  TColor down_face, down_dark, down_light, down_border;
  TColor focus;
};

constexpr std::array<SchemaPlat, 6> PLATS = {{
    // csDesert
    {0x95DDFF, 0x009CE8, 0xB9E7FF, 0x005680, 0x6FD0FF, 0x008ED2, 0x95DAFF, 0x005680, 0x6FD0FF,
     0x8AD9FF, 0x0077B7, 0x0070A6, 0x4080FF},
    // csGrass
    {0x98EBB7, 0x24B95C, 0xCBF5DB, 0x156F37, 0x68E196, 0x23B459, 0xB5F0CB, 0x17793D, 0x4EDC83,
     0x89E7AC, 0x177D3E, 0x167439, 0x00A421},
    // csSky
    {0xFFE0C1, 0xFFA953, 0xFFECD9, 0xB35900, 0xFFCD9B, 0xFFB164, 0xFFE4CA, 0xB35900, 0xFFC082,
     0xFFD3A8, 0xFF9122, 0xB35900, 0xDC9B14},
    // csSun
    {0xA8FFFF, 0x00BBBB, 0xF2FFFF, 0x006464, 0x66F3FF, 0x00A6A6, 0xCCFFFF, 0x006464, 0x22EEFF,
     0x66F3FF, 0x008484, 0x006464, 0x008CF4},
    // csRose
    {0xC6C6FF, 0x8282FF, 0xDDDDFF, 0x00009D, 0xB0B0FF, 0x6A6AFF, 0xD7D7FF, 0x00009D, 0x9F9FFF,
     0x8888FF, 0x5E5EFF, 0x00009D, 0x5E5EFF},
    // csSilver
    {0xE0E0E0, 0xAEAEAE, 0xF7F7F7, 0x626262, 0xCFCFCF, 0x797979, 0xEEEEEE, 0x757575, 0xD3D3D3,
     0xE9E9E9, 0x7C7C7C, 0x4E4E4E, 0x8A8A8A},
}};

std::vector<CouleurSchema> couleurs_neo(const SchemaNeo &s) {
  return {
      {ColorFace, s.face},
      {ColorGrad, s.grad},
      {ColorDark, s.dark},
      {ColorLight, s.light},
      {ColorBorder, s.border},
      {ColorText, TEXTE},
      {OverColorFace, s.over_face},
      {OverColorGrad, s.over_grad},
      {OverColorDark, s.over_dark},
      {OverColorLight, s.over_light},
      {OverColorBorder, s.over_border},
      {OverColorText, TEXTE},
      {DownColorFace, s.down_face},
      {DownColorGrad, s.down_grad},
      {DownColorDark, s.down_dark},
      {DownColorLight, s.down_light},
      {DownColorBorder, s.down_border},
      {DownColorText, TEXTE},
      {DisabledColorFace, 0xEEEEEE},
      {DisabledColorGrad, 0xFFFFFF},
      {DisabledColorDark, 0xD2D2D2},
      {DisabledColorLight, 0xFFFFFF},
      {DisabledColorBorder, 0x808080},
      {DisabledColorText, TEXTE_INACTIF},
      {ColorFocusRect, s.focus},
  };
}

std::vector<CouleurSchema> couleurs_plat(const SchemaPlat &s) {
  return {
      {ColorFace, s.face},
      {ColorDark, s.dark},
      {ColorLight, s.light},
      {ColorBorder, s.border},
      {ColorText, TEXTE},
      {OverColorFace, s.over_face},
      {OverColorDark, s.over_dark},
      {OverColorLight, s.over_light},
      {OverColorBorder, s.over_border},
      {OverColorText, TEXTE},
      {DownColorFace, s.down_face},
      {DownColorDark, s.down_dark},
      {DownColorLight, s.down_light},
      {DownColorBorder, s.down_border},
      {DownColorText, TEXTE},
      {DisabledColorFace, 0xE2E2E2},
      {DisabledColorDark, 0xD8D8D8},
      {DisabledColorLight, 0xEAEAEA},
      {DisabledColorBorder, 0xC4C4C4},
      {DisabledColorText, TEXTE_INACTIF},
      {ColorFocusRect, s.focus},
  };
}

} // namespace

std::vector<CouleurSchema> couleurs_schema(TColorScheme schema) {
  if (schema_degrade(schema))
    return couleurs_neo(NEO[schema - csNeoDesert]);
  if (schema < csCustom)
    return couleurs_plat(PLATS[schema - csDesert]);
  return {};
}
