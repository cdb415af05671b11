#include "vue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double angle_direction(Direction d) {
  switch (d) {
  case Direction::est: return 0;
  case Direction::sud: return std::numbers::pi / 2;
  case Direction::ouest: return std::numbers::pi;
  case Direction::nord: break;
  }
  return -std::numbers::pi / 2;
}

Regard regard_salle(int salle, Direction d) {
  const PlaceSalle p = place_salle(salle);
  return {p.col + 0.5, p.lig + 0.5, angle_direction(d)};
}

Regard entre(const Regard &de, const Regard &vers, double t) {
  double tour = std::remainder(vers.angle - de.angle, 2 * std::numbers::pi);
  return {de.x + (vers.x - de.x) * t, de.y + (vers.y - de.y) * t, de.angle + tour * t};
}

Regard regard_partie(const Partie &p) {
  return regard_salle(p.salle(), p.direction());
}

namespace {

size_t at(int i) {
  return static_cast<size_t>(i);
}

// Light: full within the eye's own room (a wall straight ahead shows its texture's own
// colours), then falling off with distance, but never below about 40 % within the labyrinth
// (its far corner is 14 rooms away).
constexpr float ATTENUATION = 0.11f;
int lumiere(float distance) {
  return static_cast<int>(256.0f / (1.0f + ATTENUATION * std::max(distance - 0.5f, 0.0f)));
}

uint32_t assombrit(uint32_t c, int l) {
  const uint32_t lu = static_cast<uint32_t>(std::min(l, 256));
  const uint32_t rb = (((c & 0x00FF00FFu) * lu) >> 8) & 0x00FF00FFu;
  const uint32_t g = (((c & 0x0000FF00u) * lu) >> 8) & 0x0000FF00u;
  return 0xFF000000u | rb | g;
}

// a + (b - a) * part / 256, channel by channel.
uint32_t melange(uint32_t a, uint32_t b, int part) {
  const auto p = static_cast<uint32_t>(part), q = 256 - p;
  const uint32_t rb = (((a & 0x00FF00FFu) * q + (b & 0x00FF00FFu) * p) >> 8) & 0x00FF00FFu;
  const uint32_t g = (((a & 0x0000FF00u) * q + (b & 0x0000FF00u) * p) >> 8) & 0x0000FF00u;
  return 0xFF000000u | rb | g;
}

// A texture sampled at (u, v) in [0, 1): rows and columns wrap, an empty one is its colour.
struct Echantillon {
  const Pixels *image = nullptr;
  uint32_t couleur = 0;
  uint32_t at(float u, float v) const {
    if (!image)
      return couleur;
    int x = static_cast<int>(u * static_cast<float>(image->largeur));
    int y = static_cast<int>(v * static_cast<float>(image->hauteur));
    x = std::clamp(x, 0, image->largeur - 1);
    y = std::clamp(y, 0, image->hauteur - 1);
    return image->at(x, y);
  }
  // The same at (u, v) in 1 / 65536ths.
  uint32_t au_point(uint32_t u, uint32_t v) const {
    if (!image)
      return couleur;
    const auto x = (u * static_cast<uint64_t>(image->largeur)) >> 16;
    const auto y = (v * static_cast<uint64_t>(image->hauteur)) >> 16;
    return image->argb[y * static_cast<uint64_t>(image->largeur) + x];
  }
};

Echantillon texture(const Pixels &p, uint32_t couleur) {
  return {p.vide() ? nullptr : &p, couleur | 0xFF000000u};
}

// A kind picture's transparent ground: its bottom-left pixel's colour.
bool fond(const Pixels &p, uint32_t c) {
  return ((c ^ p.at(0, p.hauteur - 1)) & 0x00FFFFFFu) == 0 || (c >> 24) == 0;
}

// The colours of the locked doors, in key order, and of the exit.
constexpr uint32_t COULEURS_PORTES[NB_COULEURS] = {0xFF18181C, 0xFFF4F4F4, 0xFF1C56E8,
                                                   0xFFE21C1C, 0xFF008C30, 0xFFFFD400};
constexpr uint32_t CADRE_PORTE = 0xFF4A2E18;
constexpr uint32_t VERT_SORTIE = 0xFF30E060;
constexpr uint32_t METAL = 0xFF9CA4AC;
constexpr uint32_t BARREAUX = 0xFF7A4A22;

// Where a ray meets a partition: its kind, its distance along the view's axis and the
// point across its face (0 to 1, left to right as the eye sees it).
struct Rencontre {
  int32_t type = CLOISON_MUR;
  float distance = 0;
  float u = 0;
};

// Grilles seen through before the solid partition, near to far.
constexpr int MAX_GRILLES = 12;

struct Rayon {
  Rencontre solide;
  std::array<Rencontre, MAX_GRILLES> grilles;
  int nb_grilles = 0;
};

// Walks the grid edge by edge from (px, py) along (dx, dy), stopping at the first partition
// that is neither open nor a grille; a grille is kept and seen through.
Rayon lance(const Plateau &p, float px, float py, float dx, float dy) {
  Rayon r;
  int cx = static_cast<int>(std::floor(px)), cy = static_cast<int>(std::floor(py));
  const float delta_x = dx == 0 ? 1e30f : std::abs(1 / dx);
  const float delta_y = dy == 0 ? 1e30f : std::abs(1 / dy);
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  float bord_x = dx < 0 ? (px - static_cast<float>(cx)) * delta_x
                        : (static_cast<float>(cx + 1) - px) * delta_x;
  float bord_y = dy < 0 ? (py - static_cast<float>(cy)) * delta_y
                        : (static_cast<float>(cy + 1) - py) * delta_y;
  for (int pas = 0; pas < 4 * COTE + 4; ++pas) {
    Rencontre m;
    int cloison;
    bool hors_grille;
    if (bord_x < bord_y) {
      m.distance = bord_x;
      const int ligne = dx < 0 ? cx : cx + 1; // the vertical line crossed
      hors_grille = cy < 0 || cy >= COTE || ligne < 0 || ligne > COTE;
      cloison = hors_grille ? -1 : indice_cloison_v(ligne, cy);
      float y = py + m.distance * dy;
      y -= std::floor(y);
      m.u = dx > 0 ? y : 1 - y;
      bord_x += delta_x;
      cx += sx;
    } else {
      m.distance = bord_y;
      const int ligne = dy < 0 ? cy : cy + 1;
      hors_grille = cx < 0 || cx >= COTE || ligne < 0 || ligne > COTE;
      cloison = hors_grille ? -1 : indice_cloison_h(cx, ligne);
      float x = px + m.distance * dx;
      x -= std::floor(x);
      m.u = dy > 0 ? 1 - x : x;
      bord_y += delta_y;
      cy += sy;
    }
    if (hors_grille) {
      m.type = CLOISON_MUR; // nothing lies beyond the labyrinth
      r.solide = m;
      return r;
    }
    m.type = p.cloison[at(cloison)];
    if (m.type == CLOISON_OUVERTE)
      continue;
    if (m.type == CLOISON_GRILLE) {
      if (r.nb_grilles < MAX_GRILLES)
        r.grilles[at(r.nb_grilles++)] = m;
      continue;
    }
    r.solide = m;
    return r;
  }
  r.solide.distance = 1e30f;
  return r;
}

// The colour of a solid partition at (u, v) of its face (v from its top).
uint32_t couleur_cloison(const Decor &d, const Echantillon &murs, const Rencontre &m, float v) {
  const float u = m.u;
  if (m.type == CLOISON_SORTIE) {
    // A metal door lit green, in a green frame, a bright band across its middle: it must
    // look like no other partition from any distance.
    if (u < 0.08f || u > 0.92f || v < 0.06f || std::abs(v - 0.5f) < 0.035f)
      return VERT_SORTIE;
    uint32_t c = METAL;
    const Pixels &bande = d.cloisons[CLOISON_SORTIE];
    if (!bande.vide()) {
      const float bv = 0.15f + 0.7f * std::fmod(v * 3.0f, 1.0f);
      const uint32_t b = Echantillon{&bande, 0}.at((u - 0.08f) / 0.84f, bv);
      if (!fond(bande, b))
        c = b;
    }
    return melange(c, VERT_SORTIE, 90);
  }
  if (est_porte(m.type)) {
    // A door of its colour in a wooden frame, with the editor's band across it: the
    // keyhole and the shape mark of its colour.
    if (u < 0.18f || u > 0.82f || v < 0.12f)
      return murs.at(u, v);
    if (u < 0.22f || u > 0.78f || v < 0.16f)
      return CADRE_PORTE;
    const float du = (u - 0.22f) / 0.56f, dv = (v - 0.16f) / 0.84f;
    const Pixels &bande = d.cloisons[at(m.type)];
    if (!bande.vide() && dv > 0.35f && dv < 0.6f) {
      const uint32_t c = Echantillon{&bande, 0}.at(du, (dv - 0.35f) / 0.25f);
      if (!fond(bande, c))
        return c;
    }
    return COULEURS_PORTES[couleur_porte(m.type)];
  }
  return murs.at(u, v); // a wall, and a secret door exactly as a wall
}

// Bars of a grille at (u, v): a rail at the top and the bottom, six round bars between;
// 0 where one sees through.
uint32_t couleur_grille(float u, float v) {
  if (v < 0.04f || (v > 0.9f && v < 0.94f))
    return BARREAUX;
  const float b = std::fmod(u * 6.0f, 1.0f);
  if (b < 0.38f || b > 0.62f)
    return 0;
  // Round: lit in the middle, darker to the sides.
  const float rond = 1.0f - std::abs(b - 0.5f) * 5.0f;
  return assombrit(BARREAUX | 0xFF000000u, static_cast<int>(130 + 150 * rond));
}

struct Sprite {
  float profondeur = 0; // along the view's axis
  float ecran_x = 0;    // its middle's column
  float taille = 0;     // pixels across and high
  const Pixels *image = nullptr;
};

// The size of a room's sprite, in rooms; it stands on the floor.
constexpr float TAILLE_SPRITE = 0.4f;

} // namespace

void dessine_vue(const Plateau &plateau, const Decor &decor, const Regard &regard, Pixels &sortie,
                 const std::array<bool, NB_SALLES_MAX> *pris) {
  const int W = sortie.largeur, H = sortie.hauteur;
  if (W <= 0 || H <= 0 || sortie.argb.size() < at(W) * at(H))
    return;
  const float px = static_cast<float>(regard.x), py = static_cast<float>(regard.y);
  const float dir_x = static_cast<float>(std::cos(regard.angle));
  const float dir_y = static_cast<float>(std::sin(regard.angle));
  const float demi = static_cast<float>(std::tan(CHAMP_DE_VISION / 2));
  // The view plane, to the right of the eye.
  const float plan_x = -dir_y * demi, plan_y = dir_x * demi;
  const float focale = static_cast<float>(W) / 2 / demi; // square pixels
  const float horizon = static_cast<float>(H) / 2;

  const Echantillon murs = texture(decor.murs, decor.couleur_murs);
  const Echantillon sol = texture(decor.sol, decor.couleur_sol);
  const Echantillon plafond = texture(decor.plafond, decor.couleur_plafond);
  uint32_t *out = sortie.argb.data();

  std::vector<Rayon> rayons(at(W));
  std::vector<int> haut(at(W)), bas(at(W));

  // Walls, column by column.
  for (int x = 0; x < W; ++x) {
    const float cam = (2.0f * (static_cast<float>(x) + 0.5f) / static_cast<float>(W)) - 1;
    const float rx = dir_x + plan_x * cam, ry = dir_y + plan_y * cam;
    Rayon &r = rayons[at(x)];
    r = lance(plateau, px, py, rx, ry);
    const float d = std::max(r.solide.distance, 1e-4f);
    const float hauteur = focale / d;
    const float sommet = horizon - hauteur / 2;
    const int y0 = std::max(0, static_cast<int>(std::ceil(sommet - 0.5f)));
    const int y1 = std::min(H, static_cast<int>(std::ceil(sommet + hauteur - 0.5f)));
    haut[at(x)] = y0;
    bas[at(x)] = std::max(y0, y1);
    const int l = r.solide.type == CLOISON_SORTIE ? 256 : lumiere(d);
    const bool mur_texture = !decor.murs.vide() && (r.solide.type == CLOISON_MUR ||
                                                    r.solide.type == CLOISON_PORTE_DEROBEE);
    if (mur_texture) {
      // The most common column: one texture column stepped down in fixed point.
      const Pixels &t = decor.murs;
      const int tx = std::clamp(static_cast<int>(r.solide.u * static_cast<float>(t.largeur)), 0,
                                t.largeur - 1);
      const double pas = t.hauteur / static_cast<double>(hauteur);
      const auto pas_v = static_cast<int64_t>(pas * 65536.0);
      auto v = static_cast<int64_t>((y0 + 0.5 - sommet) * pas * 65536.0);
      for (int y = y0; y < y1; ++y, v += pas_v) {
        const int ty = std::clamp(static_cast<int>(v >> 16), 0, t.hauteur - 1);
        out[at(y) * at(W) + at(x)] = assombrit(t.at(tx, ty), l);
      }
      continue;
    }
    for (int y = y0; y < y1; ++y) {
      const float v = (static_cast<float>(y) + 0.5f - sommet) / hauteur;
      out[at(y) * at(W) + at(x)] = assombrit(couleur_cloison(decor, murs, r.solide, v), l);
    }
  }

  // Floor and ceiling, row by row: each row of the floor lies at one distance, and the
  // ceiling's mirror row at the same.
  const float r0x = dir_x - plan_x, r0y = dir_y - plan_y;
  const float r1x = dir_x + plan_x, r1y = dir_y + plan_y;
  const int premiere = H / 2;
  for (int y = premiere; y < H; ++y) {
    const float dy = static_cast<float>(y) + 0.5f - horizon;
    // With an odd height the middle row lies on the horizon itself (dy 0): its floor is at
    // infinity, which the fixed point below cannot hold. Far beyond the labyrinth is enough.
    constexpr float LOIN = 1000.0f;
    const float distance = dy > 0.5f * focale / LOIN ? 0.5f * focale / dy : LOIN;
    const int l = lumiere(distance);
    const float pas_x = distance * (r1x - r0x) / static_cast<float>(W);
    const float pas_y = distance * (r1y - r0y) / static_cast<float>(W);
    // Fixed point, 16 bits of fraction: a room's tile is the low 16 bits, whatever the sign.
    constexpr float UN = 65536.0f;
    int64_t fx = std::llround((px + distance * r0x + pas_x / 2) * UN);
    int64_t fy = std::llround((py + distance * r0y + pas_y / 2) * UN);
    const int64_t px_pas = std::llround(pas_x * UN), py_pas = std::llround(pas_y * UN);
    const int ym = H - 1 - y;
    uint32_t *ligne = out + at(y) * at(W);
    uint32_t *miroir = out + at(ym) * at(W);
    for (int x = 0; x < W; ++x, fx += px_pas, fy += py_pas) {
      const bool en_bas = y >= bas[at(x)], en_haut = ym < haut[at(x)];
      if (!en_bas && !en_haut)
        continue;
      const auto u = static_cast<uint32_t>(fx & 0xFFFF), v = static_cast<uint32_t>(fy & 0xFFFF);
      if (en_bas)
        ligne[x] = assombrit(sol.au_point(u, v), l);
      if (en_haut)
        miroir[x] = assombrit(plafond.au_point(u, v), l);
    }
  }

  // Sprites of the rooms that hold something, far to near.
  std::vector<Sprite> sprites;
  const float inv = 1.0f / demi;
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    const int32_t k = plateau.salle[at(i)];
    if (!(est_cle(k) || k == SALLE_TELEPORTEUR || k == SALLE_PLAN) || (pris && (*pris)[at(i)]))
      continue;
    const Pixels &image = decor.salles[at(k)];
    if (image.vide())
      continue;
    const PlaceSalle p = place_salle(i);
    const float sx = static_cast<float>(p.col) + 0.5f - px,
                sy = static_cast<float>(p.lig) + 0.5f - py;
    const float prof = sx * dir_x + sy * dir_y;
    if (prof < 0.2f)
      continue;
    const float cote = (sx * plan_x + sy * plan_y) * inv; // to the right of the eye
    Sprite s;
    s.profondeur = prof;
    s.ecran_x = static_cast<float>(W) / 2 + focale * cote / prof;
    s.taille = focale * TAILLE_SPRITE / prof;
    s.image = &image;
    sprites.push_back(s);
  }
  std::sort(sprites.begin(), sprites.end(),
            [](const Sprite &a, const Sprite &b) { return a.profondeur > b.profondeur; });

  // Grilles and sprites, column by column, far to near, behind the solid partitions.
  for (int x = 0; x < W; ++x) {
    const Rayon &r = rayons[at(x)];
    int g = r.nb_grilles - 1; // the farthest grille first
    size_t s = 0;
    auto dessine_grille = [&](const Rencontre &m) {
      const float hauteur = focale / std::max(m.distance, 1e-4f);
      const float sommet = horizon - hauteur / 2;
      const int y0 = std::max(0, static_cast<int>(std::ceil(sommet - 0.5f)));
      const int y1 = std::min(H, static_cast<int>(std::ceil(sommet + hauteur - 0.5f)));
      const int l = lumiere(m.distance);
      for (int y = y0; y < y1; ++y) {
        const uint32_t c = couleur_grille(m.u, (static_cast<float>(y) + 0.5f - sommet) / hauteur);
        if (c)
          out[at(y) * at(W) + at(x)] = assombrit(c, l);
      }
    };
    auto dessine_sprite = [&](const Sprite &sp) {
      const float gauche = sp.ecran_x - sp.taille / 2;
      const float u = (static_cast<float>(x) + 0.5f - gauche) / sp.taille;
      if (u < 0 || u >= 1)
        return;
      const float pied = horizon + 0.5f * focale / sp.profondeur;
      const float sommet = pied - sp.taille;
      const int y0 = std::max(0, static_cast<int>(std::ceil(sommet - 0.5f)));
      const int y1 = std::min(H, static_cast<int>(std::ceil(pied - 0.5f)));
      const int l = lumiere(sp.profondeur);
      const Echantillon e{sp.image, 0};
      for (int y = y0; y < y1; ++y) {
        const uint32_t c = e.at(u, (static_cast<float>(y) + 0.5f - sommet) / sp.taille);
        if (!fond(*sp.image, c))
          out[at(y) * at(W) + at(x)] = assombrit(c, l);
      }
    };
    while (g >= 0 || s < sprites.size()) {
      const bool sprite_d_abord =
          s < sprites.size() && (g < 0 || sprites[s].profondeur >= r.grilles[at(g)].distance);
      if (sprite_d_abord) {
        if (sprites[s].profondeur < r.solide.distance)
          dessine_sprite(sprites[s]);
        ++s;
      } else {
        dessine_grille(r.grilles[at(g--)]);
      }
    }
  }
}

void dessine_partie(const Partie &partie, const Decor &decor, Pixels &sortie) {
  dessine_vue(partie.plateau(), decor, regard_partie(partie), sortie, &partie.objets_pris());
}
