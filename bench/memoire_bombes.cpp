// Bounded memory and time on hostile labyrinths, measured on files made here:
//   memoire_bombes fabrique FOLDER
//     writes into FOLDER (created): bombes/ (a labyrinth bombes.lab whose three textures and
//     100 room pictures are small files announcing 16384 x 4096 pixels: RLE bitmaps, GIFs and
//     baseline JPEGs holding a whole picture each), texte64.lab (the largest labyrinth the
//     reader accepts: 64 MB of mission, end message, questions and answers, with words
//     longer than a line) and titre2m.lab (a title of 2 MB).
//   memoire_bombes editeur FILE.lab
//     opens FILE.lab in the editor's window (offscreen) as Open does, then selects every
//     room in turn, its picture shown; prints the peak resident memory of the process.
// bench/mesure_bombes.sh runs both and the dravo-lab commands on the files.

#include <QApplication>
#include <QDir>

#include <gif_lib.h>
#include <jpeglib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "apparence.h"
#include "dialogues_banc.h"
#include "lab_file.h"
#include "monde.h"
#include "tform1.h"

namespace {

constexpr int LARGEUR = 16384, HAUTEUR = 4096;

void ecrit(const std::string &chemin, const std::vector<unsigned char> &octets) {
  std::FILE *f = std::fopen(chemin.c_str(), "wb");
  if (f == nullptr || std::fwrite(octets.data(), 1, octets.size(), f) != octets.size()) {
    std::perror(chemin.c_str());
    std::exit(1);
  }
  std::fclose(f);
}

void put16(std::vector<unsigned char> &b, unsigned v) {
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char> &b, uint32_t v) {
  put16(b, v & 0xFFFFu);
  put16(b, v >> 16);
}

// An RLE8 bitmap whose rows are runs of two colours in bands: about 540 kB.
std::vector<unsigned char> bmp_rle() {
  std::vector<unsigned char> pixels;
  for (int y = 0; y < HAUTEUR; ++y) {
    for (int x = 0; x < LARGEUR; x += 256) {
      pixels.push_back(128);
      pixels.push_back(static_cast<unsigned char>((y / 512 + x / 4096) & 1));
      pixels.push_back(128);
      pixels.push_back(static_cast<unsigned char>((y / 512 + x / 4096) & 1));
    }
    pixels.push_back(0);
    pixels.push_back(0);
  }
  pixels.push_back(0);
  pixels.push_back(1);
  std::vector<unsigned char> b = {'B', 'M'};
  const uint32_t debut = 14 + 40 + 8;
  put32(b, debut + static_cast<uint32_t>(pixels.size()));
  put32(b, 0);
  put32(b, debut);
  put32(b, 40);
  put32(b, LARGEUR);
  put32(b, HAUTEUR);
  put16(b, 1);
  put16(b, 8);
  put32(b, 1); // RLE8
  put32(b, static_cast<uint32_t>(pixels.size()));
  put32(b, 2835);
  put32(b, 2835);
  put32(b, 2);
  put32(b, 0);
  put32(b, 0x00806040);
  put32(b, 0x0040C0E0);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// A GIF of one colour, every pixel encoded by giflib: about 28 kB after LZW... or more.
void gif_plein(const std::string &chemin) {
  int erreur = 0;
  GifFileType *g = EGifOpenFileName(chemin.c_str(), false, &erreur);
  GifColorType couleurs[2] = {{200, 40, 40}, {40, 40, 200}};
  ColorMapObject *carte = GifMakeMapObject(2, couleurs);
  EGifPutScreenDesc(g, LARGEUR, HAUTEUR, 1, 0, carte);
  EGifPutImageDesc(g, 0, 0, LARGEUR, HAUTEUR, false, nullptr);
  std::vector<GifPixelType> ligne(LARGEUR, 0);
  for (int y = 0; y < HAUTEUR; ++y)
    EGifPutLine(g, ligne.data(), LARGEUR);
  EGifCloseFile(g, &erreur);
  GifFreeMapObject(carte);
}

// A baseline JPEG of flat quadrants, compressed a row at a time.
std::vector<unsigned char> jpeg_plein() {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char *tampon = nullptr;
  unsigned long taille = 0;
  jpeg_mem_dest(&c, &tampon, &taille);
  c.image_width = LARGEUR;
  c.image_height = HAUTEUR;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  c.optimize_coding = TRUE;
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> ligne(static_cast<size_t>(LARGEUR) * 3);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < LARGEUR; ++x) {
      ligne[static_cast<size_t>(x) * 3] = x < LARGEUR / 2 ? 30 : 220;
      ligne[static_cast<size_t>(x) * 3 + 1] = c.next_scanline < HAUTEUR / 2 ? 90 : 160;
      ligne[static_cast<size_t>(x) * 3 + 2] = 60;
    }
    JSAMPROW p = ligne.data();
    jpeg_write_scanlines(&c, &p, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<unsigned char> octets(tampon, tampon + taille);
  std::free(tampon);
  return octets;
}

void copie(const std::string &de, const std::string &vers) {
  if (!QFile::copy(QString::fromStdString(de), QString::fromStdString(vers))) {
    std::fprintf(stderr, "copy to %s failed\n", vers.c_str());
    std::exit(1);
  }
}

// Words of 1 to 11 letters, one in 500 of 4,000 letters (longer than any line), paragraphs
// of about 400 words when `paragraphes`.
std::string texte(size_t octets, bool paragraphes, unsigned graine) {
  std::string t;
  t.reserve(octets);
  unsigned x = graine;
  size_t mots = 0;
  while (t.size() < octets) {
    x = x * 1103515245u + 12345u;
    const size_t longueur = (x >> 16) % 500 == 0 ? 4000 : 1 + (x >> 20) % 11;
    for (size_t i = 0; i < longueur && t.size() < octets; ++i)
      t += static_cast<char>('a' + (x >> (i % 24)) % 26);
    ++mots;
    t += paragraphes && mots % 400 == 0 ? "\r\n" : " ";
  }
  t.resize(octets);
  return t;
}

Monde monde_de_base() {
  Monde m;
  Cree_Monde(m);
  return m;
}

void sauve(const std::string &chemin, const Monde &m) {
  if (Resultat r = sauve_lab(chemin, m); !r) {
    std::fprintf(stderr, "%s: %s\n", chemin.c_str(), r.message().c_str());
    std::exit(1);
  }
}

int fabrique(const std::string &dossier) {
  const std::string bombes = dossier + "/bombes";
  QDir().mkpath(QString::fromStdString(bombes));
  ecrit(bombes + "/modele.bmp", bmp_rle());
  gif_plein(bombes + "/modele.gif");
  ecrit(bombes + "/modele.jpg", jpeg_plein());
  Monde m = monde_de_base();
  const char *extensions[] = {"bmp", "gif", "jpg"};
  m.texture_murs = "murs.bmp";
  m.texture_sol = "sol.gif";
  m.texture_plafond = "plafond.jpg";
  copie(bombes + "/modele.bmp", bombes + "/murs.bmp");
  copie(bombes + "/modele.gif", bombes + "/sol.gif");
  copie(bombes + "/modele.jpg", bombes + "/plafond.jpg");
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = m.salles[static_cast<size_t>(i)];
    const std::string nom = "image" + std::to_string(i) + "." + extensions[i % 3];
    copie(bombes + "/modele." + extensions[i % 3], bombes + "/" + nom);
    s.question = "Que voit-on ?";
    s.reponses[0] = "Rien";
    s.bonnes[0] = true;
    s.image = nom;
  }
  sauve(bombes + "/bombes.lab", m);

  Monde t = monde_de_base();
  t.titre_lab = "Le plus long des labyrinthes";
  t.mission = texte(size_t{15} << 20, true, 1);
  t.message_fin = texte(size_t{15} << 20, true, 2);
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = t.salles[static_cast<size_t>(i)];
    s.question = texte(170 * 1024, false, 3 + static_cast<unsigned>(i));
    for (int r = 0; r < NB_REPONSES; ++r)
      s.reponses[static_cast<size_t>(r)] =
          texte(34 * 1024, false, 1000 + static_cast<unsigned>(i * 5 + r));
    s.bonnes[1] = true;
  }
  sauve(dossier + "/texte64.lab", t);

  Monde titre = monde_de_base();
  titre.titre_lab = texte(size_t{2} << 20, false, 7);
  sauve(dossier + "/titre2m.lab", titre);
  return 0;
}

long pic_ko() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

int editeur(int argc, char **argv, const QString &nom) {
  const QString fichier = QFileInfo(nom).absoluteFilePath();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepare_apparence();
  QDir::setCurrent(QFileInfo(fichier).absolutePath());
  // The start folder holds the defaults a fresh window shows before the file is open.
  ecrit_textures_defaut(QDir::current());
  DialoguesBanc dialogues;
  TForm1 fenetre(&dialogues);
  fenetre.show();
  QApplication::processEvents();
  const long avant = pic_ko();
  if (!fenetre.ouvre_fichier(fichier))
    return 1;
  QApplication::processEvents();
  const long ouvert = pic_ko();
  for (int i = 0; i < fenetre.monde().nb_salles; ++i) {
    fenetre.montre_salle(i);
    QApplication::processEvents();
  }
  std::printf("window shown: %.1f MB, file open: %.1f MB, every room shown: %.1f MB (peak "
              "resident)\n",
              static_cast<double>(avant) / 1024, static_cast<double>(ouvert) / 1024,
              static_cast<double>(pic_ko()) / 1024);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "fabrique") == 0) {
    QCoreApplication app(argc, argv);
    return fabrique(argv[2]);
  }
  if (argc == 3 && std::strcmp(argv[1], "editeur") == 0)
    return editeur(argc, argv, QString::fromLocal8Bit(argv[2]));
  std::fprintf(stderr, "usage: memoire_bombes fabrique FOLDER | editeur FILE.lab\n");
  return 2;
}
