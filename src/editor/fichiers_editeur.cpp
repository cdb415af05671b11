#include "fichiers_editeur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <vector>

#include "dialogues_editeur.h"
#include "donnees_installees.h"
#include "fichiers.h"
#include "fichiers_nommes.h"
#include "monde.h"
#include "picture_qt.h"
#include "texte_1252.h"

namespace {

// Paths reach the file system in its own encoding.
std::string disque(const QString &chemin) {
  return QFile::encodeName(chemin).toStdString();
}

QString depuis_1252(std::string_view nom) {
  return QString::fromStdString(utf8_depuis_1252(std::string(nom)));
}

bool fichier_ordinaire(const QString &chemin) {
  struct stat st {};
  return ::stat(disque(chemin).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Whether `chemin`, an entry of `dossier`, is a file the labyrinth may use there.
bool utilisable(const QString &dossier, const QString &chemin) {
  return fichier_ordinaire(chemin) && !lien_hors_du_dossier(disque(dossier), disque(chemin));
}

bool meme_dossier_q(const QString &a, const QString &b) {
  return meme_dossier(disque(a), disque(b));
}

// « a.jpg », « b.mp3 » for a question or a message.
QString liste_noms(const QStringList &noms) {
  QStringList entre;
  for (const QString &n : noms)
    entre << QStringLiteral("\u00AB %1 \u00BB").arg(n);
  return entre.join(QStringLiteral(", "));
}

QString natif(const QString &chemin) {
  return QDir::toNativeSeparators(chemin);
}

} // namespace

QString dossier_du_labyrinthe(const QString &fichier_edite, const QString &depart) {
  if (fichier_edite.isEmpty())
    return depart;
  return QFileInfo(fichier_edite).absolutePath();
}

QString fichier_du_nom(const std::string &nom, const LieuxFichiers &lieux) {
  const std::string_view nu = nom_dans_dossier(nom);
  if (nu.empty() || nu == "." || nu == ".." || nu.find('\0') != std::string_view::npos)
    return {};
  const QString n = depuis_1252(nu);
  for (const QString &dossier : {lieux.labyrinthe, lieux.depart}) {
    if (dossier.isEmpty())
      continue;
    const QString chemin = QDir(dossier).absoluteFilePath(n);
    if (utilisable(dossier, chemin))
      return chemin;
  }
  if (const QString installee = texture_installee(nu, Qt::CaseSensitive);
      !installee.isEmpty() && fichier_ordinaire(installee))
    return installee;
  return {};
}

std::string nom_du_modele(const QString &nom) {
  return utf8_vers_1252(nom.toStdString());
}

QString nom_refuse(const QString &nom) {
  QString visible;
  bool controle = false;
  for (const QChar c : nom) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F)) {
      controle = true;
      visible += u == '\n' ? QStringLiteral("\u21B5") : QStringLiteral("\uFFFD");
    } else {
      visible += c;
    }
  }
  if (controle)
    return QStringLiteral("Le nom \u00AB %1 \u00BB contient un saut de ligne ou un autre "
                          "caract\u00E8re de contr\u00F4le : un labyrinthe ne peut pas "
                          "l'enregistrer. Renommez le fichier puis choisissez-le \u00E0 nouveau.")
        .arg(visible);
  if (!tient_en_1252(nom.toStdString()))
    return QStringLiteral("Le nom \u00AB %1 \u00BB contient des caract\u00E8res qu'un labyrinthe "
                          "ne peut pas enregistrer. Renommez le fichier puis choisissez-le "
                          "\u00E0 nouveau.")
        .arg(nom);
  return {};
}

QString message_image(const QString &quoi, const QString &nom, const std::string &message) {
  const QString technique = QString::fromStdString(message);
  const struct {
    const char *debut;
    const char *texte;
  } connus[] = {
      {"JPEG error", "ne peut pas \u00EAtre lue : le fichier est ab\u00EEm\u00E9 ou n'est pas "
                     "une image JPEG"},
      {"JPEG picture has too many scans",
       "ne peut pas \u00EAtre lue : l'image JPEG est faite de trop de passes ; enregistrez-la "
       "\u00E0 nouveau sans le mode progressif"},
      {"Bitmap image is not valid", "ne peut pas \u00EAtre lue : le fichier est ab\u00EEm\u00E9 "
                                    "ou n'est pas une image BMP"},
      {"GIF image is not valid", "ne peut pas \u00EAtre lue : le fichier est ab\u00EEm\u00E9 ou "
                                 "n'est pas une image GIF"},
      {"Picture is too large", "est trop grande pour l'\u00E9diteur : r\u00E9duisez-la puis "
                               "choisissez-la \u00E0 nouveau"},
      {"Not enough memory", "ne peut pas \u00EAtre lue : la m\u00E9moire manque"},
      {"Unknown picture file extension",
       "n'est pas une image que l'\u00E9diteur sait lire : choisissez un fichier .bmp, .jpg, "
       ".jpeg ou .gif"},
      {"Cannot open file", "ne peut pas \u00EAtre ouverte"},
  };
  for (const auto &c : connus)
    if (message.rfind(c.debut, 0) == 0)
      return QStringLiteral("%1 \u00AB %2 \u00BB %3 (%4).")
          .arg(quoi, nom, QString::fromUtf8(c.texte), technique);
  // The loader's French messages say it all themselves.
  return QStringLiteral("%1 \u00AB %2 \u00BB ne peut pas \u00EAtre lue : %3")
      .arg(quoi, nom, QString::fromStdString(texte_boite_erreur(message)));
}

QString message_introuvable(const QString &quoi, const QString &nom, const LieuxFichiers &lieux) {
  QString texte = QStringLiteral("%1 \u00AB %2 \u00BB est introuvable dans le dossier du "
                                 "labyrinthe \u00AB %3 \u00BB")
                      .arg(quoi, nom, natif(lieux.labyrinthe));
  if (!lieux.depart.isEmpty() && !meme_dossier_q(lieux.depart, lieux.labyrinthe))
    texte += QStringLiteral(" (ni dans le dossier de d\u00E9part \u00AB %1 \u00BB)")
                 .arg(natif(lieux.depart));
  return texte + QStringLiteral(" : copiez-y le fichier ou choisissez-en un autre.");
}

QString message_labyrinthe(OperationLabyrinthe op, const QString &chemin,
                           const std::string &message) {
  const bool ecriture = op == OperationLabyrinthe::enregistrement;
  const QString debut =
      ecriture ? QStringLiteral("Le labyrinthe ne peut pas \u00EAtre enregistr\u00E9 dans "
                                "\u00AB %1 \u00BB (dossier \u00AB %2 \u00BB) : ")
               : QStringLiteral("Le fichier \u00AB %1 \u00BB (dossier \u00AB %2 \u00BB) ne peut "
                                "pas \u00EAtre ouvert : ");
  const QFileInfo info(chemin);
  const QString tete = debut.arg(info.fileName(), natif(info.absolutePath()));
  const struct {
    const char *debut;
    const char *texte;
  } connus[] = {
      {"Invalid filename", "le dossier n'existe pas ou le nom n'est pas valide ; choisissez un "
                           "autre nom ou un autre dossier"},
      {"File access denied", "l'acc\u00E8s est refus\u00E9 (un fichier en lecture seule, un "
                             "dossier prot\u00E9g\u00E9, ou un dossier \u00E0 la place du "
                             "fichier) ; choisissez un autre emplacement"},
      {"Disk full", "le disque est plein ; lib\u00E9rez de la place puis r\u00E9essayez"},
      {"Too many open files", "trop de fichiers sont ouverts ; fermez d'autres programmes puis "
                              "r\u00E9essayez"},
      {"File not found", "le fichier est introuvable"},
      {"I/O error", "le disque signale une erreur de lecture ou d'\u00E9criture"},
  };
  for (const auto &c : connus)
    if (message.rfind(c.debut, 0) == 0)
      return tete + QString::fromUtf8(c.texte) +
             QStringLiteral(" (%1).").arg(QString::fromStdString(message));
  // The model's French messages say what is wrong themselves.
  return tete + QString::fromStdString(texte_boite_erreur(message));
}

namespace {

QString message_copie(const QString &nom, const QString &dossier, const Resultat &r) {
  return QStringLiteral("%1 : \u00AB %2 \u00BB n'a pas pu \u00EAtre copi\u00E9 dans le dossier du "
                        "labyrinthe \u00AB %3 \u00BB. Le fichier qui s'y trouvait est intact.")
      .arg(QString::fromStdString(r.message()), nom, natif(dossier));
}

} // namespace

std::optional<QString> importe_fichier(const QString &chemin, SorteFichier sorte,
                                       const LieuxFichiers &lieux, const QString &edite,
                                       DialoguesEditeur &dialogues) {
  const QFileInfo info(chemin);
  const QString nom = info.fileName();
  if (const QString refus = nom_refuse(nom); !refus.isEmpty()) {
    dialogues.erreur(refus);
    return std::nullopt;
  }
  const std::string source = disque(chemin);
  struct stat st {};
  if (::stat(source.c_str(), &st) != 0) {
    dialogues.erreur(QStringLiteral("Le fichier \u00AB %1 \u00BB est introuvable (%2).")
                         .arg(natif(chemin), QString::fromStdString(raison_systeme(errno))));
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    dialogues.erreur(QStringLiteral("Le fichier \u00AB %1 \u00BB n'est pas un fichier ordinaire "
                                    "(un dossier, un tube, un p\u00E9riph\u00E9rique) : il ne peut "
                                    "pas servir au labyrinthe. Choisissez un autre fichier.")
                         .arg(natif(chemin)));
    return std::nullopt;
  }
  if (sorte == SorteFichier::image || sorte == SorteFichier::texture) {
    const Avec<QImage> image = charge_image(chemin);
    if (!image) {
      dialogues.erreur(message_image(sorte == SorteFichier::image ? QStringLiteral("L'image")
                                                                  : QStringLiteral("La texture"),
                                     nom, image.message()));
      return std::nullopt;
    }
  }
  const QString dossier = lieux.labyrinthe;
  if (meme_dossier_q(info.absolutePath(), dossier)) {
    if (lien_hors_du_dossier(disque(dossier), source)) {
      dialogues.erreur(QStringLiteral("Le fichier \u00AB %1 \u00BB est un lien vers un fichier "
                                      "hors du dossier du labyrinthe : le lecteur ne le verrait "
                                      "pas. Copiez le fichier lui-m\u00EAme dans le dossier.")
                           .arg(nom));
      return std::nullopt;
    }
    return nom;
  }
  QString nom_cible = nom;
  const QString cible = QDir(dossier).filePath(nom);
  if (QFileInfo(cible).exists() || QFileInfo(cible).isSymLink()) {
    if (memes_octets(source, disque(cible)) && utilisable(dossier, cible))
      return nom; // the very same bytes are already there
    const std::string sauf =
        !edite.isEmpty() && meme_dossier_q(QFileInfo(edite).absolutePath(), dossier)
            ? disque(QFileInfo(edite).fileName())
            : std::string();
    QStringList autres;
    for (const std::string &l : labyrinthes_nommant(disque(dossier), nom_du_modele(nom), sauf))
      autres << QFile::decodeName(l.c_str());
    const QString libre = QFile::decodeName(nom_libre(disque(dossier), disque(nom)).c_str());
    QString texte = QStringLiteral("Le dossier du labyrinthe contient d\u00E9j\u00E0 un autre "
                                   "fichier \u00AB %1 \u00BB.\n\n")
                        .arg(nom);
    texte +=
        autres.isEmpty()
            ? QStringLiteral("Remplacer : le fichier du dossier est remplac\u00E9 par celui "
                             "choisi.\n")
            : QStringLiteral("Remplacer : le fichier du dossier est remplac\u00E9 par celui "
                             "choisi ; %1 le nomme%2 aussi et changera%2 avec lui.\n")
                  .arg(liste_noms(autres), autres.size() > 1 ? QStringLiteral("nt") : QString());
    texte += QStringLiteral("Garder les deux : le fichier choisi est copi\u00E9 sous le nom "
                            "\u00AB %1 \u00BB.")
                 .arg(libre);
    switch (dialogues.choix(texte, {QStringLiteral("Remplacer"), QStringLiteral("Garder les deux"),
                                    QStringLiteral("Annuler")})) {
    case 0: break;
    case 1: nom_cible = libre; break;
    default: return std::nullopt;
    }
  }
  const Resultat r = copie_fichier_atomique(source, disque(QDir(dossier).filePath(nom_cible)));
  if (!r) {
    dialogues.erreur(message_copie(nom, dossier, r));
    return std::nullopt;
  }
  return nom_cible;
}

Issue copie_fichiers_nommes(const Labyrinthe &l, const QString &dossier,
                            const LieuxFichiers &sources, DialoguesEditeur &dialogues) {
  struct Copie {
    QString nom, source;
  };
  std::vector<Copie> copies, conflits;
  for (const std::string &nom_1252 : noms_fichiers(l)) {
    const QString source = fichier_du_nom(nom_1252, sources);
    if (source.isEmpty() || meme_dossier_q(QFileInfo(source).absolutePath(), dossier))
      continue; // found nowhere (the check says so), or already in the folder
    const QString nom = depuis_1252(nom_1252);
    const QString cible = QDir(dossier).filePath(nom);
    if (!QFileInfo(cible).exists() && !QFileInfo(cible).isSymLink())
      copies.push_back({nom, source});
    else if (!memes_octets(disque(source), disque(cible)))
      conflits.push_back({nom, source});
  }
  if (!conflits.empty()) {
    QStringList noms;
    for (const Copie &c : conflits)
      noms << c.nom;
    const QString texte =
        QStringLiteral("Le dossier \u00AB %1 \u00BB contient d\u00E9j\u00E0 des fichiers de "
                       "m\u00EAmes noms que ceux du labyrinthe, mais diff\u00E9rents : %2.\n\n"
                       "Garder ceux du dossier : le labyrinthe utilisera les fichiers "
                       "d\u00E9j\u00E0 pr\u00E9sents.\nRemplacer : ils sont remplac\u00E9s par "
                       "ceux du labyrinthe (les autres labyrinthes du dossier qui les nomment "
                       "changeront aussi).\nAnnuler : rien n'est enregistr\u00E9.")
            .arg(natif(dossier), liste_noms(noms));
    switch (dialogues.choix(texte, {QStringLiteral("Garder ceux du dossier"),
                                    QStringLiteral("Remplacer"), QStringLiteral("Annuler")})) {
    case 0: break;
    case 1: copies.insert(copies.end(), conflits.begin(), conflits.end()); break;
    default: return Issue::annule;
    }
  }
  for (const Copie &c : copies) {
    const Resultat r =
        copie_fichier_atomique(disque(c.source), disque(QDir(dossier).filePath(c.nom)));
    if (!r) {
      dialogues.erreur(QStringLiteral("Le labyrinthe n'est pas enregistr\u00E9. ") +
                       message_copie(c.nom, dossier, r));
      return Issue::echec;
    }
  }
  return Issue::ecrit;
}

QString nom_affiche(const std::string &nom) {
  return QString::fromStdString(utf8_depuis_1252(nom));
}
