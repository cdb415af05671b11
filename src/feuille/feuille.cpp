#include "feuille.h"

#include "fichiers.h"
#include "itineraire.h"
#include "mise_en_page.h"
#include "plan.h"
#include "texte_1252.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// Sizes of the sheet's type, in points, and of its spaces, in millimetres.
constexpr qreal CORPS_TITRE = 20;
constexpr qreal CORPS_INTERTITRE = 13.5;
constexpr qreal CORPS_SALLE = 11.5;
constexpr qreal CORPS_TEXTE = 10.5;
constexpr qreal CORPS_PETIT = 8.5;

constexpr qreal MM_MARGE_PDF = 15;
constexpr qreal MM_AVANT_SECTION = 7;
constexpr qreal MM_AVANT_ENIGME = 4;
constexpr qreal MM_SOUS_FILET = 2; // between a riddle's rule and its room name
constexpr qreal MM_AVANT_LIGNE = 0.8;
constexpr qreal MM_RETRAIT = 6;         // proposals and typed answers
constexpr qreal MM_COLONNE_NUMERO = 12; // where a proposal's text starts
constexpr qreal MM_LEGENDE = 50;        // width of the legend beside the map
constexpr qreal MM_ECART_LEGENDE = 6;
constexpr qreal MM_PLAN_MIN = 80; // narrower than this beside the legend, the legend goes below
constexpr qreal MM_PIED = 4;      // between the text and the footer's rule
constexpr qreal MM_PAGE_MIN = 40;
constexpr qreal PART_PAGE_PLAN = 0.6; // a map that cannot share its page takes this much of it
constexpr qreal MM_AVANT_PLAN = 4;
constexpr qreal MM_IMAGE_LEGENDE = 6;
constexpr int LIGNES_TITRE = 3;       // a longer title ends in "…"
constexpr qreal MM_IMAGE_ENIGME = 38; // a riddle's picture: its frame's width
constexpr qreal MM_IMAGE_ENIGME_HAUT = 28;
constexpr qreal MM_ECART_IMAGE = 4;
constexpr qreal MM_CASE_ELEVE = 3.2; // the box a pupil ticks

const QColor NOIR(0x10, 0x10, 0x10);
const QColor GRIS(0x60, 0x60, 0x60);
const QColor GRIS_FILET(0xb0, 0xb0, 0xb0);
const QColor VERT_COCHE(0x0a, 0x7a, 0x2a);

const QString COCHE = QStringLiteral("✔");

// Names of the kinds, in the legend and after a riddle's room name.
constexpr std::array<const char *, NB_TYPES_CLOISON> NOMS_CLOISONS{"",
                                                                   "Mur",
                                                                   "Porte dérobée",
                                                                   "Porte noire",
                                                                   "Porte blanche",
                                                                   "Porte bleue",
                                                                   "Porte rouge",
                                                                   "Porte verte",
                                                                   "Porte jaune",
                                                                   "Sortie",
                                                                   "Grille"};
constexpr std::array<const char *, NB_TYPES_SALLE> NOMS_SALLES{
    "",          "Clé noire", "Clé blanche", "Clé bleue", "Clé rouge",
    "Clé verte", "Clé jaune", "Téléporteur", "Départ",    "Plan"};

// A model string for the page: Windows-1252 to Unicode, and the control characters a
// file may carry (tabs, the undefined bytes) shown as blanks rather than as boxes. Line
// breaks stay, for the texts that have lines.
QString affichable(std::string_view octets) {
  QString texte = QString::fromStdString(utf8_depuis_1252(octets));
  for (QChar &c : texte) {
    const char16_t u = c.unicode();
    if (u != u'\r' && u != u'\n' && (u < 0x20 || (u >= 0x7f && u < 0xa0)))
      c = u' ';
  }
  return texte;
}

// A paper sheet for the teacher, not a copy of the file: each text prints its beginning, as
// much as a few pages hold, and says how much is left out. A labyrinth of 64 MB of text
// would otherwise make a sheet of thousands of pages, and take minutes.
constexpr size_t TEXTE_LONG_MAX = 20000; // mission, end message
constexpr size_t QUESTION_MAX = 3000;
constexpr size_t REPONSE_MAX = 1000;

struct Extrait {
  QString texte;
  size_t reste = 0; // characters left out
};

Extrait extrait(std::string_view octets, size_t max) {
  if (octets.size() <= max)
    return {affichable(octets), 0};
  return {affichable(octets.substr(0, max)), octets.size() - max};
}

QString suite_non_imprimee(size_t reste) {
  return QStringLiteral("(suite non imprimée : %1 de plus)")
      .arg(QLocale(QLocale::French).toString(static_cast<qulonglong>(reste)) +
           (reste == 1 ? QStringLiteral(" caractère") : QStringLiteral(" caractères")));
}

// A title of any length: its beginning is all a few lines can show.
QString titre_affichable(const std::string &octets) {
  return affichable(std::string_view(octets).substr(0, 2000)).simplified();
}

// A proposal, question or name that holds only blanks prints as nothing.
bool vide(const std::string &octets) {
  return affichable(octets).trimmed().isEmpty();
}

QFont police(qreal corps, bool gras = false, bool italique = false) {
  QFont f;
  f.setFamilies(
      {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  f.setPointSizeF(corps);
  f.setBold(gras);
  f.setItalic(italique);
  // Lines are wrapped by the sum of their characters' advances (mise_en_page.h).
  f.setKerning(false);
  return f;
}

// The check mark comes from a font known to hold it, not from whatever fallback the
// machine would find.
QFont police_coche(qreal corps) {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Sans")});
  f.setPointSizeF(corps);
  f.setBold(true);
  return f;
}

QString pluriel(qsizetype n, const char *un, const char *plusieurs) {
  return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? un : plusieurs);
}

// Everything that is composed once for a device: its scale, its type and its line width.
class Composition {
public:
  Composition(const Monde &m, QPaintDevice &appareil, const OptionsFeuille &options)
      : monde_(m), appareil_(appareil), largeur_(appareil.width()), options_(options), plateau_(m) {
    if (options_.itineraire)
      route_ = itineraire(plateau_);
  }

  qreal mm(qreal v) const { return v * appareil_.logicalDpiY() / 25.4; }
  qreal largeur() const { return largeur_; }

  std::vector<Bloc> compose(qreal hauteur_page) {
    hauteur_page_ = hauteur_page;
    std::vector<Bloc> blocs;
    blocs.push_back(entete());
    qreal entete_haut = 0;
    for (const Morceau &m : blocs.back().morceaux)
      entete_haut += m.avant + m.hauteur;
    blocs.push_back(plan(hauteur_page - entete_haut));
    if (options_.itineraire)
      blocs.push_back(texte_itineraire());
    if (!plateau_.teleporteurs().empty())
      blocs.push_back(teleporteurs());
    blocs.push_back(texte_long("Mission", monde_.mission, "(pas de mission)"));
    blocs.push_back(texte_long("Message de fin", monde_.message_fin, "(pas de message de fin)"));
    enigmes(blocs);
    return blocs;
  }

private:
  // One piece per line of `texte` wrapped from `retrait` to the right margin.
  void lignes(Bloc &b, const QString &texte, const QFont &f, const QColor &couleur, qreal retrait,
              qreal avant_premiere) {
    pose_lignes(b, coupe_lignes(texte, f, largeur_ - retrait - reserve_image_, &appareil_), f,
                couleur, retrait, avant_premiere);
  }

  void pose_lignes(Bloc &b, const QStringList &lignes_posees, const QFont &f, const QColor &couleur,
                   qreal retrait, qreal avant_premiere) {
    const QFontMetricsF mesure(f, &appareil_);
    const qreal haut_texte = mesure.ascent();
    bool premiere = true;
    for (const QString &ligne : lignes_posees) {
      b.morceaux.push_back({mesure.lineSpacing(),
                            premiere ? avant_premiere : mm(MM_AVANT_LIGNE) / 2,
                            [=](QPainter &p, qreal haut) {
                              p.setFont(f);
                              p.setPen(couleur);
                              p.drawText(QPointF(retrait, haut + haut_texte), ligne);
                            }});
      premiere = false;
    }
  }

  void intertitre(Bloc &b, const QString &texte, qreal avant) {
    lignes(b, texte, police(CORPS_INTERTITRE, true), NOIR, 0, avant);
  }

  Bloc entete() {
    Bloc b;
    lignes(b,
           options_.eleve ? QStringLiteral("Dravo-Editeur · feuille de l'élève")
                          : QStringLiteral("Dravo-Editeur · feuille de l'enseignant"),
           police(CORPS_PETIT), GRIS, 0, 0);
    const QString titre = titre_affichable(monde_.titre_lab);
    const QFont f_titre = police(CORPS_TITRE, true);
    pose_lignes(b,
                lignes_bornees(titre.isEmpty() ? QStringLiteral("Labyrinthe sans titre") : titre,
                               f_titre, largeur_, LIGNES_TITRE, &appareil_),
                f_titre, NOIR, 0, mm(2));
    lignes(b, resume(), police(CORPS_TEXTE), GRIS, 0, mm(1.5));
    return b;
  }

  // Where the pupils start and how many riddles wait for them.
  QString resume() const {
    QStringList departs;
    qsizetype nb_enigmes = 0;
    for (int i = 0; i < nb_salles(); ++i) {
      const Tsalle &s = monde_.salles[static_cast<size_t>(i)];
      if (s.contenu == SALLE_DEPART)
        departs << QString::fromStdString(nom_salle(i));
      if (!s.question.empty())
        ++nb_enigmes;
    }
    const QString depart = departs.isEmpty()
                               ? QStringLiteral("aucune case départ")
                               : QStringLiteral("départ en ") + departs.join(QStringLiteral(", "));
    const QString enigmes = nb_enigmes == 0 ? QStringLiteral("aucune énigme")
                                            : pluriel(nb_enigmes, "énigme", "énigmes");
    QString texte = depart + QStringLiteral(" · ") + enigmes;
    texte[0] = texte[0].toUpper();
    return texte;
  }

  int nb_salles() const { return std::clamp(monde_.nb_salles, 0, NB_SALLES_MAX); }
  int nb_cloisons() const { return std::clamp(monde_.nb_cloisons, 0, NB_CLOISONS_MAX); }

  struct EntreeLegende {
    QImage image; // null for the riddle frame
    bool horizontale;
    QString nom;
  };

  // The kinds the map shows, partitions first, each once, then the riddle frame.
  std::vector<EntreeLegende> legende() const {
    std::array<bool, NB_TYPES_CLOISON> cloisons{};
    std::array<bool, NB_TYPES_SALLE> salles{};
    bool enigme = false;
    for (int i = 0; i < nb_cloisons(); ++i)
      if (const int32_t k = monde_.cloisons[static_cast<size_t>(i)].contenu; type_cloison_valide(k))
        cloisons[static_cast<size_t>(k)] = true;
    for (int i = 0; i < nb_salles(); ++i) {
      const Tsalle &s = monde_.salles[static_cast<size_t>(i)];
      if (type_salle_valide(s.contenu))
        salles[static_cast<size_t>(s.contenu)] = true;
      enigme = enigme || !s.question.empty();
    }
    std::vector<EntreeLegende> entrees;
    for (int k = 1; k < NB_TYPES_CLOISON; ++k)
      if (cloisons[static_cast<size_t>(k)])
        entrees.push_back(
            {image_cloison(0, k), true, QString::fromUtf8(NOMS_CLOISONS[static_cast<size_t>(k)])});
    for (int k = 1; k < NB_TYPES_SALLE; ++k)
      if (salles[static_cast<size_t>(k)])
        entrees.push_back(
            {image_salle(k), false, QString::fromUtf8(NOMS_SALLES[static_cast<size_t>(k)])});
    if (enigme)
      entrees.push_back({QImage(), false, QStringLiteral("Salle avec énigme")});
    return entrees;
  }

  // The map with the legend beside it, or below it on a narrow page, both as large as the
  // page allows under the heading (`reste`), so that the first page shows the whole map.
  Bloc plan(qreal reste) {
    Bloc b;
    const std::vector<EntreeLegende> entrees = legende();
    const QFont f = police(CORPS_PETIT);
    const QFontMetricsF mesure(f, &appareil_);
    const qreal image = mm(MM_IMAGE_LEGENDE);
    const qreal pas = std::max(mesure.lineSpacing(), image) + mm(0.8);
    const qreal colonne = mm(MM_LEGENDE);
    const qreal haut_libre = reste - mm(MM_AVANT_PLAN);
    const auto rangs = [&](int colonnes) {
      return static_cast<int>((entrees.size() + static_cast<size_t>(colonnes) - 1) /
                              static_cast<size_t>(colonnes));
    };
    const int par_rang = std::max(1, static_cast<int>(largeur_ / colonne));
    const qreal dessous = rangs(par_rang) * pas + mm(3);
    // Beside the map, in the fewest columns that fit under the heading, when the map keeps a
    // useful width; else below it, when the map keeps that width there; else beside it on a
    // page of its own.
    int colonnes_a_cote = 0;
    for (int k = 1; k <= 3 && colonnes_a_cote == 0; ++k) {
      const qreal place_k = largeur_ - k * colonne - mm(MM_ECART_LEGENDE);
      if (place_k >= mm(MM_PLAN_MIN) && rangs(k) * pas <= haut_libre)
        colonnes_a_cote = k;
    }
    const bool dessous_tient = std::min(largeur_, haut_libre - dessous) >= mm(MM_PLAN_MIN);
    if (colonnes_a_cote == 0 && !dessous_tient &&
        largeur_ - colonne - mm(MM_ECART_LEGENDE) >= mm(MM_PLAN_MIN) &&
        rangs(1) * pas <= hauteur_page_)
      colonnes_a_cote = 1;
    const bool a_cote = colonnes_a_cote > 0;
    const qreal place =
        a_cote ? largeur_ - colonnes_a_cote * colonne - mm(MM_ECART_LEGENDE) : largeur_;
    const int nb_rangs = a_cote ? rangs(colonnes_a_cote) : rangs(par_rang);
    qreal cote = std::min(place, haut_libre - (a_cote ? 0 : dessous));
    if (cote < mm(MM_PLAN_MIN))
      cote = std::min(place, hauteur_page_ * PART_PAGE_PLAN);
    const Monde &m = monde_;
    const std::shared_ptr<const Itineraire> route =
        route_ && *route_ ? std::make_shared<const Itineraire>(route_->valeur()) : nullptr;
    const qreal ecart_nom = mm(2), ecart = mm(MM_ECART_LEGENDE);
    const auto dessine_entree = [=](QPainter &p, const EntreeLegende &e, QPointF coin) {
      const QRectF boite(coin, QSizeF(image, image));
      if (e.image.isNull())
        dessine_cadre_enigme(p, boite);
      else if (e.horizontale)
        p.drawImage(QRectF(coin.x(), boite.center().y() - image / 4, image, image / 2), e.image);
      else
        p.drawImage(boite, e.image);
      p.setFont(f);
      p.setPen(NOIR);
      p.drawText(QRectF(coin.x() + image + ecart_nom, coin.y(), colonne - image - ecart_nom, image),
                 Qt::AlignLeft | Qt::AlignVCenter, e.nom);
    };
    const qreal hauteur_legende = nb_rangs * pas;
    b.morceaux.push_back({a_cote ? std::max(cote, hauteur_legende) : cote, mm(MM_AVANT_PLAN),
                          [=](QPainter &p, qreal haut) {
                            const QRectF cadre((place - cote) / 2, haut, cote, cote);
                            dessine_plan(p, m, cadre);
                            if (route)
                              dessine_itineraire(p, *route, cadre);
                            if (!a_cote)
                              return;
                            const qreal y = haut + std::max(0.0, (cote - hauteur_legende) / 2);
                            for (size_t j = 0; j < entrees.size(); ++j) {
                              const int col = static_cast<int>(j) / nb_rangs;
                              const int rang = static_cast<int>(j) % nb_rangs;
                              dessine_entree(p, entrees[j],
                                             QPointF(cote + ecart + col * colonne, y + rang * pas));
                            }
                          }});
    if (a_cote)
      return b;
    // Below the map, in as many columns as fit.
    for (size_t i = 0; i < entrees.size(); i += static_cast<size_t>(par_rang)) {
      const size_t fin = std::min(entrees.size(), i + static_cast<size_t>(par_rang));
      std::vector<EntreeLegende> rang(entrees.begin() + static_cast<std::ptrdiff_t>(i),
                                      entrees.begin() + static_cast<std::ptrdiff_t>(fin));
      b.morceaux.push_back({pas, i == 0 ? mm(3) : 0, [=](QPainter &p, qreal haut) {
                              for (size_t j = 0; j < rang.size(); ++j)
                                dessine_entree(p, rang[j],
                                               QPointF(static_cast<qreal>(j) * colonne, haut));
                            }});
    }
    return b;
  }

  // A heading and a text of several lines; the file's last line break adds no empty line.
  Bloc texte_long(const char *titre, const std::string &octets, const char *si_vide) {
    Bloc b;
    b.tete = 3;
    intertitre(b, QString::fromUtf8(titre), mm(MM_AVANT_SECTION));
    Extrait e = extrait(octets, TEXTE_LONG_MAX);
    QString &texte = e.texte;
    while (!texte.isEmpty() && texte.back().isSpace())
      texte.chop(1);
    if (texte.trimmed().isEmpty() && e.reste == 0)
      lignes(b, QString::fromUtf8(si_vide), police(CORPS_TEXTE, false, true), GRIS, 0, mm(1.5));
    else
      lignes(b, texte, police(CORPS_TEXTE), NOIR, 0, mm(1.5));
    reste(b, e.reste, 0);
    return b;
  }

  // "Image : ..." and "Son ou vidéo : ..." for what the riddle names; empty for neither.
  static QString noms_medias(const Tsalle &s) {
    QStringList noms;
    if (!vide(s.image))
      noms << QStringLiteral("Image : ") + affichable(s.image).trimmed();
    if (!vide(s.media))
      noms << QStringLiteral("Son ou vidéo : ") + affichable(s.media).trimmed();
    return noms.join(QStringLiteral("    "));
  }

  // A thin rule across the page, then the room's name and what the room holds, with the
  // riddle's picture and medium at the right when they fit there, or on a line of their own.
  void nom_de_salle(Bloc &b, int indice, qreal avant) {
    const Tsalle &s = monde_.salles[static_cast<size_t>(indice)];
    QString texte = QStringLiteral("Salle ") + QString::fromStdString(nom_salle(indice));
    if (type_salle_valide(s.contenu) && s.contenu != SALLE_VIDE) {
      QString nom = QString::fromUtf8(NOMS_SALLES[static_cast<size_t>(s.contenu)]);
      nom[0] = nom[0].toLower();
      texte += QStringLiteral(" · ") + nom;
    }
    const QFont f = police(CORPS_SALLE, true), f_medias = police(CORPS_PETIT);
    const QFontMetricsF mesure(f, &appareil_), mesure_medias(f_medias, &appareil_);
    const QString medias = noms_medias(s);
    // Names of any length: only a short one is measured for a place at the right.
    const qreal largeur_medias =
        medias.size() <= 300 ? mesure_medias.horizontalAdvance(medias) : largeur_;
    const bool a_droite =
        mesure.horizontalAdvance(texte) + mm(MM_RETRAIT) + largeur_medias <= largeur_;
    const qreal sous_filet = mm(MM_SOUS_FILET), large = largeur_;
    const qreal haut_texte = mesure.ascent();
    const qreal trait = mm(0.2);
    b.morceaux.push_back({sous_filet + mesure.lineSpacing(), avant, [=](QPainter &p, qreal haut) {
                            p.setPen(QPen(GRIS_FILET, trait));
                            p.drawLine(QPointF(0, haut), QPointF(large, haut));
                            p.setFont(f);
                            p.setPen(NOIR);
                            const qreal base = haut + sous_filet + haut_texte;
                            p.drawText(QPointF(0, base), texte);
                            if (a_droite && !medias.isEmpty()) {
                              p.setFont(f_medias);
                              p.setPen(GRIS);
                              p.drawText(QPointF(large - largeur_medias, base), medias);
                            }
                          }});
    if (!a_droite)
      lignes(b, medias, f_medias, GRIS, 0, mm(1));
  }

  // One proposal: the check mark in the margin when correct, its number, its text wrapped
  // under itself.
  void proposition(Bloc &b, int numero, const QString &texte, bool juste) {
    const bool eleve = options_.eleve;
    juste = juste && !eleve;
    const qreal case_eleve = mm(MM_CASE_ELEVE), trait = mm(0.25);
    const QFont f = police(CORPS_TEXTE, juste);
    const QFontMetricsF mesure(f, &appareil_);
    const qreal haut_texte = mesure.ascent();
    const qreal colonne = mm(MM_COLONNE_NUMERO), retrait = mm(MM_RETRAIT);
    const QFont coche = police_coche(CORPS_TEXTE);
    const QString numero_texte = QString::number(numero) + QLatin1Char('.');
    bool premiere = true;
    for (const QString &ligne :
         coupe_lignes(texte, f, largeur_ - colonne - reserve_image_, &appareil_)) {
      const bool marque = premiere && juste;
      const bool case_vide = premiere && eleve;
      const bool numerote = premiere;
      b.morceaux.push_back({mesure.lineSpacing(),
                            premiere ? mm(MM_AVANT_LIGNE) : mm(MM_AVANT_LIGNE) / 2,
                            [=](QPainter &p, qreal haut) {
                              const qreal base = haut + haut_texte;
                              if (marque) {
                                p.setFont(coche);
                                p.setPen(VERT_COCHE);
                                p.drawText(QPointF(0, base), COCHE);
                              }
                              if (case_vide) {
                                p.setPen(QPen(NOIR, trait));
                                p.setBrush(Qt::NoBrush);
                                p.drawRect(QRectF(0, base - case_eleve, case_eleve, case_eleve));
                              }
                              p.setFont(f);
                              p.setPen(NOIR);
                              if (numerote)
                                p.drawText(QPointF(retrait, base), numero_texte);
                              p.drawText(QPointF(colonne, base), ligne);
                            }});
      premiere = false;
    }
  }

  // The line saying how much of a text is left out, if any is.
  void reste(Bloc &b, size_t nombre, qreal retrait) {
    if (nombre > 0)
      lignes(b, suite_non_imprimee(nombre), police(CORPS_TEXTE, false, true), GRIS, retrait,
             mm(MM_AVANT_LIGNE));
  }

  void note(Bloc &b, const char *texte, qreal retrait) {
    lignes(b, QString::fromUtf8(texte), police(CORPS_TEXTE, false, true), GRIS, retrait,
           mm(MM_AVANT_LIGNE));
  }

  // The proposals as the player reads them: answer 1 alone and no box ticked is an answer
  // typed on the keyboard; no proposal at all makes the question a plain message.
  void reponses(Bloc &b, const Tsalle &s) {
    std::array<bool, NB_REPONSES> presente{};
    int nb_presentes = 0, nb_justes = 0;
    bool coche = false;
    for (size_t i = 0; i < NB_REPONSES; ++i) {
      presente[i] = !vide(s.reponses[i]);
      nb_presentes += presente[i];
      nb_justes += presente[i] && s.bonnes[i];
      coche = coche || s.bonnes[i];
    }
    if (nb_presentes == 0) {
      note(b, "Pas de proposition : la question s'affiche comme un simple message.",
           mm(MM_RETRAIT));
      return;
    }
    if (nb_presentes == 1 && presente[0] && !coche) {
      note(b, "Réponse à taper au clavier :", mm(MM_RETRAIT));
      if (options_.eleve) {
        ligne_a_ecrire(b);
        return;
      }
      const Extrait e = extrait(s.reponses[0], REPONSE_MAX);
      lignes(b, e.texte.trimmed(), police(CORPS_TEXTE, true), NOIR, mm(MM_COLONNE_NUMERO),
             mm(MM_AVANT_LIGNE));
      reste(b, e.reste, mm(MM_COLONNE_NUMERO));
      return;
    }
    for (size_t i = 0; i < NB_REPONSES; ++i)
      if (presente[i]) {
        const Extrait e = extrait(s.reponses[i], REPONSE_MAX);
        proposition(b, static_cast<int>(i) + 1, e.texte.trimmed(), s.bonnes[i]);
        reste(b, e.reste, mm(MM_COLONNE_NUMERO));
      }
    if (nb_justes == 0 && !options_.eleve)
      note(b, "Aucune proposition n'est cochée comme juste.", mm(MM_COLONNE_NUMERO));
  }

  void enigmes(std::vector<Bloc> &blocs) {
    Bloc titre;
    intertitre(titre, QStringLiteral("Énigmes"), mm(MM_AVANT_SECTION));
    bool premiere = true;
    for (int i = 0; i < nb_salles(); ++i) {
      const Tsalle &s = monde_.salles[static_cast<size_t>(i)];
      if (s.question.empty())
        continue;
      // The heading goes with the first riddle, so that it never ends a page alone.
      Bloc b = premiere ? std::move(titre) : Bloc{};
      b.entier = true;
      nom_de_salle(b, i, premiere ? mm(3) : mm(MM_AVANT_ENIGME));
      const size_t apres_nom = b.morceaux.size();
      const qreal haut_image = image_enigme(b, s);
      const Extrait e = extrait(s.question, QUESTION_MAX);
      const QString question = e.texte.trimmed();
      if (question.isEmpty() && e.reste == 0)
        note(b, "(question vide)", 0);
      else
        lignes(b, question, police(CORPS_TEXTE), NOIR, 0, mm(1));
      reste(b, e.reste, 0);
      reponses(b, s);
      fin_image(b, apres_nom, haut_image);
      blocs.push_back(std::move(b));
      premiere = false;
    }
    if (premiere) {
      note(titre, "Ce labyrinthe n'a aucune énigme.", 0);
      blocs.push_back(std::move(titre));
    }
  }

  // --- What the options add: the route, the teleporters, the riddle's picture, the
  // pupils' writing line. Kept apart from the text layout above.

  static QString salle_qt(int indice) { return QString::fromStdString(nom_salle(indice)); }
  static QString nom_minuscule(const char *nom) {
    QString n = QString::fromUtf8(nom);
    n[0] = n[0].toLower();
    return n;
  }
  static QString nom_cle(int couleur) {
    return nom_minuscule(NOMS_SALLES[static_cast<size_t>(SALLE_CLE_NOIRE + couleur)]);
  }
  static QString nom_porte(int couleur) {
    return nom_minuscule(NOMS_CLOISONS[static_cast<size_t>(CLOISON_PORTE_NOIRE + couleur)]);
  }

  // The route in words under the map: "A1 → A2 (prendre la clé rouge) → … → sortie par le
  // bord est de D1", or why there is none.
  Bloc texte_itineraire() {
    Bloc b;
    b.tete = 2;
    intertitre(b, QStringLiteral("Itinéraire"), mm(MM_AVANT_SECTION));
    if (!*route_) {
      note(b, route_->message().c_str(), 0);
      return b;
    }
    const Itineraire &r = route_->valeur();
    const QString fleche = QStringLiteral(" → ");
    QString texte = salle_qt(r.depart);
    int nb_pas = 0;
    for (const Etape &e : r.etapes) {
      ++nb_pas;
      switch (e.genre) {
      case Etape::pas:
        texte += fleche + salle_qt(e.salle);
        if (e.porte >= 0)
          texte += QStringLiteral(" (par la ") + nom_porte(e.porte) + QLatin1Char(')');
        break;
      case Etape::teleporte:
        texte += fleche + QStringLiteral("téléporteur vers ") + salle_qt(e.salle);
        if (e.au_hasard)
          texte += QStringLiteral(" (au hasard : recommencer jusqu'à y arriver)");
        break;
      case Etape::sortie:
        texte += fleche + QStringLiteral("sortie par ") +
                 QString::fromStdString(::nom_cloison(e.cloison));
        break;
      }
      if (e.cle >= 0)
        texte += QStringLiteral(" (prendre la ") + nom_cle(e.cle) + QLatin1Char(')');
    }
    lignes(b, pluriel(nb_pas, "déplacement", "déplacements") + QStringLiteral(" : ") + texte,
           police(CORPS_TEXTE), NOIR, 0, mm(1.5));
    return b;
  }

  // Where each teleporter leads: the other one when there are two, one of the others drawn
  // at random when there are more, nowhere when it is alone.
  Bloc teleporteurs() {
    Bloc b;
    b.tete = 2;
    intertitre(b, QStringLiteral("Téléporteurs"), mm(MM_AVANT_SECTION));
    QStringList phrases;
    for (int t : plateau_.teleporteurs()) {
      const std::vector<int> vers = destinations_teleporteur(plateau_, t);
      QStringList noms;
      for (int v : vers)
        noms << salle_qt(v);
      QString phrase = salle_qt(t);
      if (vers.empty())
        phrase += QStringLiteral(" : seul téléporteur, il ne mène nulle part");
      else if (vers.size() == 1)
        phrase += QStringLiteral(" → ") + noms[0];
      else
        phrase += QStringLiteral(" → au hasard ") +
                  noms.mid(0, noms.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" ou ") +
                  noms.back();
      phrases << phrase;
    }
    lignes(b, phrases.join(QLatin1Char('\n')), police(CORPS_TEXTE), NOIR, 0, mm(1.5));
    return b;
  }

  // The riddle's picture, small, at the right of its text, its top where the text starts;
  // the text beside it wraps short of it. Returns the height it takes below that top (0
  // without a picture to print).
  qreal image_enigme(Bloc &b, const Tsalle &s) {
    if (!options_.image || vide(s.image))
      return 0;
    const QImage image = options_.image(s.image, QSize(480, 360));
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
      return 0;
    const QSizeF cadre(mm(MM_IMAGE_ENIGME), mm(MM_IMAGE_ENIGME_HAUT));
    const QSizeF taille = QSizeF(image.size()).scaled(cadre, Qt::KeepAspectRatio);
    const qreal gauche = largeur_ - taille.width(), dessus = mm(1.5);
    const qreal trait = mm(0.2);
    b.morceaux.push_back({0, 0, [=](QPainter &p, qreal haut) {
                            const QRectF place(QPointF(gauche, haut + dessus), taille);
                            p.drawImage(place, image);
                            p.setPen(QPen(GRIS_FILET, trait));
                            p.setBrush(Qt::NoBrush);
                            p.drawRect(place);
                          }});
    reserve_image_ = taille.width() + mm(MM_ECART_IMAGE);
    return dessus + taille.height();
  }

  // Ends a riddle composed beside its picture: the next riddle starts below the picture
  // even when the text beside it is shorter.
  void fin_image(Bloc &b, size_t debut, qreal haut_image) {
    reserve_image_ = 0;
    qreal haut_texte = 0;
    for (size_t i = debut; i < b.morceaux.size(); ++i)
      haut_texte += b.morceaux[i].avant + b.morceaux[i].hauteur;
    if (haut_image > haut_texte)
      b.morceaux.push_back({haut_image - haut_texte, 0, [](QPainter &, qreal) {}});
  }

  // A line where a pupil writes the answer they will type.
  void ligne_a_ecrire(Bloc &b) {
    const QFontMetricsF mesure(police(CORPS_TEXTE), &appareil_);
    const qreal debut = mm(MM_COLONNE_NUMERO), fin = std::max(debut, largeur_ * 0.7);
    const qreal hauteur = mesure.lineSpacing() * 1.5, trait = mm(0.25);
    b.morceaux.push_back({hauteur, mm(MM_AVANT_LIGNE), [=](QPainter &p, qreal haut) {
                            p.setPen(QPen(GRIS_FILET, trait));
                            p.drawLine(QPointF(debut, haut + hauteur),
                                       QPointF(fin, haut + hauteur));
                          }});
  }

  const Monde &monde_;
  QPaintDevice &appareil_;
  qreal largeur_;
  qreal hauteur_page_ = 0;
  const OptionsFeuille &options_;
  Plateau plateau_;
  std::optional<Avec<Itineraire>> route_;
  // The width kept free at the right of a riddle's text for its picture, while it is composed.
  qreal reserve_image_ = 0;
};

} // namespace

QString titre_document(const Monde &m) {
  const QString titre = titre_affichable(m.titre_lab);
  // One line, however long the labyrinth's is.
  return titre.isEmpty()      ? QStringLiteral("Labyrinthe sans titre")
         : titre.size() > 200 ? titre.left(199) + QChar(0x2026)
                              : titre;
}

Resultat dessine_feuille(const Monde &m, QPagedPaintDevice &appareil, int de, int a,
                         const OptionsFeuille &options) {
  return dessine_feuilles({&m}, appareil, de, a, options);
}

Resultat dessine_feuilles(const std::vector<const Monde *> &mondes, QPagedPaintDevice &appareil,
                          int de, int a, const OptionsFeuille &options) {
  const QFont f_pied = police(CORPS_PETIT);
  const QFontMetricsF pied(f_pied, &appareil);
  const qreal hauteur = appareil.height();
  const qreal haut_pied = hauteur - pied.lineSpacing();
  const qreal largeur = appareil.width();
  const auto mm = [&](qreal v) { return v * appareil.logicalDpiY() / 25.4; };
  const qreal hauteur_texte = haut_pied - mm(MM_PIED);
  if (largeur < mm(MM_PAGE_MIN) || hauteur_texte < mm(MM_PAGE_MIN))
    return Resultat::echec("La page est trop petite pour la feuille du labyrinthe");

  // Each labyrinth's pages, composed whole before any is painted so that every footer can
  // count them all. The pieces stay where they are while the pages point into them.
  struct Feuille {
    std::vector<Bloc> blocs;
    Pages pages;
    QString titre;
  };
  std::vector<Feuille> feuilles;
  feuilles.reserve(mondes.size());
  struct Page {
    const Feuille *feuille;
    size_t rang;
  };
  std::vector<Page> toutes;
  for (const Monde *m : mondes) {
    Composition c(*m, appareil, options);
    Feuille &f = feuilles.emplace_back();
    f.blocs = c.compose(hauteur_texte);
    f.pages = pagine(f.blocs, hauteur_texte);
    f.titre = elide_ligne(titre_affichable(m->titre_lab), f_pied, largeur * 0.7, &appareil);
    for (size_t i = 0; i < f.pages.size(); ++i)
      toutes.push_back({&f, i});
  }
  const int nb_pages = static_cast<int>(toutes.size());
  const int premiere = std::max(de, 1);
  const int derniere = a > 0 ? std::min(a, nb_pages) : nb_pages;
  // Checked before painting starts: a printer that has begun prints at least a blank page.
  if (premiere > derniere) {
    const std::string demandees =
        a > 0 ? "de la page " + std::to_string(premiere) + " à la page " + std::to_string(a)
              : "à partir de la page " + std::to_string(premiere);
    return Resultat::echec("La feuille du labyrinthe n'a que " + std::to_string(nb_pages) +
                           (nb_pages == 1 ? " page" : " pages") + " : rien à imprimer " +
                           demandees);
  }

  QPainter p;
  if (!p.begin(&appareil))
    return Resultat::echec("L'impression de la feuille n'a pas pu commencer");
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  for (int n = premiere; n <= derniere; ++n) {
    if (n > premiere && !appareil.newPage())
      return Resultat::echec("L'impression de la feuille s'est arrêtée à la page " +
                             std::to_string(n));
    const Page &page = toutes[static_cast<size_t>(n - 1)];
    for (const Placement &pl : page.feuille->pages[page.rang])
      pl.morceau->dessine(p, pl.haut);
    p.setPen(QPen(GRIS_FILET, mm(0.2)));
    p.drawLine(QPointF(0, haut_pied - mm(MM_PIED) / 2),
               QPointF(largeur, haut_pied - mm(MM_PIED) / 2));
    p.setFont(f_pied);
    p.setPen(GRIS);
    const QRectF bande(0, haut_pied, largeur, pied.lineSpacing());
    p.drawText(bande, Qt::AlignLeft | Qt::AlignVCenter, page.feuille->titre);
    p.drawText(bande, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Page %1 / %2").arg(n).arg(nb_pages));
  }
  if (!p.end())
    return Resultat::echec("L'impression de la feuille n'a pas pu s'achever");
  return Resultat::succes();
}

QByteArray feuille_pdf(const Monde &m, const OptionsFeuille &options) {
  return feuille_pdf(std::vector<const Monde *>{&m}, options);
}

QByteArray feuille_pdf(const std::vector<const Monde *> &mondes, const OptionsFeuille &options) {
  if (mondes.empty())
    return {};
  QByteArray octets;
  QBuffer tampon(&octets);
  tampon.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&tampon);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(MM_MARGE_PDF, MM_MARGE_PDF, MM_MARGE_PDF, MM_MARGE_PDF),
                                QPageLayout::Millimeter));
  pdf.setCreator(QStringLiteral("Dravo-Editeur"));
  pdf.setTitle(titre_document(*mondes.front()));
  if (!dessine_feuilles(mondes, pdf, 0, 0, options))
    return {};
  return octets;
}

namespace {
Resultat ecrit_octets(const std::string &chemin, const QByteArray &octets) {
  return ecrit_fichier_atomique(
      chemin, std::string_view(octets.constData(), static_cast<size_t>(octets.size())));
}
} // namespace

Resultat ecrit_feuille_pdf(const Monde &m, const std::string &chemin,
                           const OptionsFeuille &options) {
  return ecrit_feuille_pdf(std::vector<const Monde *>{&m}, chemin, options);
}

Resultat ecrit_feuille_pdf(const std::vector<const Monde *> &mondes, const std::string &chemin,
                           const OptionsFeuille &options) {
  const QByteArray octets = feuille_pdf(mondes, options);
  if (octets.isEmpty())
    return Resultat::echec("La feuille du labyrinthe n'a pas pu être dessinée");
  return ecrit_octets(chemin, octets);
}

Resultat ecrit_plan_png(const Monde &m, const std::string &chemin, const OptionsFeuille &options) {
  QByteArray octets;
  QBuffer tampon(&octets);
  tampon.open(QIODevice::WriteOnly);
  std::optional<Avec<Itineraire>> route;
  if (options.itineraire)
    route = itineraire(Plateau(m));
  const Itineraire *trace = route && *route ? &route->valeur() : nullptr;
  if (!image_plan(m, COTE_PLAN, trace).save(&tampon, "PNG"))
    return Resultat::echec("Le plan du labyrinthe n'a pas pu être dessiné");
  return ecrit_octets(chemin, octets);
}
