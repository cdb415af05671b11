#pragma once
// The help texts of the editor's controls: the program's short user guide, shown in the
// help box when the pointer moves over a control. UTF-8.

inline constexpr const char *AIDE_DEFAUT =
    "Survolez l'un des éléments de la page pour une aide contextuelle.";

// The grid's two texts begin with the mouse rules and go on with the faster ways.
inline constexpr const char *AIDE_CLOISON =
    "Clic droit ou gauche sur une cloison pour la modifier.\n"
    "Pour dessiner plus vite, cliquez sur une image de la légende : elle devient un pinceau.";
inline constexpr const char *AIDE_SALLE =
    "- Clic droit ou gauche sur une salle pour la modifier.\n"
    "- Clic milieu pour sélectionner une salle sans la modifier (ou Ctrl+clic).\n"
    "- Clavier : flèches pour changer de salle, Maj+flèche pour modifier la cloison de ce "
    "côté (Ctrl+flèche en arrière), Entrée pour écrire l'énigme.";

inline constexpr const char *AIDE_NOUVEAU = "Cliquez pour créer un nouveau labyrinthe (Ctrl+N).";
inline constexpr const char *AIDE_OUVRIR =
    "Cliquez pour ouvrir un labyrinthe enregistré sur le disque (Ctrl+O).";
inline constexpr const char *AIDE_ENREGISTRER =
    "Cliquez pour enregistrer le labyrinthe en cours d'édition (Ctrl+Maj+S ; Ctrl+S "
    "l'enregistre dans son fichier sans rien demander). Nommez le premier "
    "labyrinthe monde_1, le deuxième monde_2, etc.";
// The two keyboard commands have no button of their own: the test button, which the author
// uses before handing a labyrinth out, tells of them on a line of their own.
inline constexpr const char *AIDE_TESTER =
    "Cliquez pour lancer Dravo et tester le labyrinthe (sans Dravo.exe, il se joue dans "
    "dravo-joueur).\n"
    "F7 : vérifier qu'il peut être terminé. Ctrl+P : imprimer sa feuille (plan, énigmes "
    "et réponses).";
inline constexpr const char *AIDE_A_PROPOS = "A propos de Dravo et Dravo-Editeur.";
inline constexpr const char *AIDE_QUITTER = "Cliquez pour quitter Dravo-Editeur (Ctrl+Q)";
inline constexpr const char *AIDE_PTITRE =
    "Cliquez pour définir le titre du labyrinthe et entrer un message d'accueil";

inline constexpr const char *AIDE_TM = "Cliquez pour changer la texture des murs.";
inline constexpr const char *AIDE_TS = "Cliquez pour changer la texture du sol.";
inline constexpr const char *AIDE_TP = "Cliquez pour changer la texture du plafond.";

// The room panel's pages while no room is selected, its controls disabled.
inline constexpr const char *AIDE_SANS_SALLE =
    "Aucune salle n'est sélectionnée. Faites un clic milieu sur une salle de la grille pour "
    "la sélectionner sans la modifier : ses image, média, question et réponses s'affichent "
    "alors ici.";
inline constexpr const char *AIDE_ONGLET_IMAGE =
    "Choisissez une image qui pourra servir de support ou d'illustration à l'énigme de "
    "cette salle.";
inline constexpr const char *AIDE_ONGLET_MEDIA =
    "Choisissez un média (son ou vidéo) qui pourra servir de support ou d'illustration à "
    "l'énigme de cette salle.";
inline constexpr const char *AIDE_ONGLET_QUESTION =
    "Entrez la question correspondant à l'énigme associée à cette salle. N'entrez rien "
    "s'il s'agit d'une salle ordinaire.";
inline constexpr const char *AIDE_ONGLET_REPONSES =
    "Entrez les différentes propositions (de 1 à 5) associées à la question. Cochez les "
    "bonnes réponses. Si la réponse doit être saisie au clavier, entrez-la en n° 1 et ne "
    "cochez aucune case. Si pas de réponse saisie, la question devient un simple message.";

inline constexpr const char *AIDE_ECOUTER = "Cliquez pour écouter le bruitage correspondant.";
inline constexpr const char *AIDE_CHARGER_SON = "Cliquez pour charger un fichier son.";
inline constexpr const char *AIDE_EFFACER_SON = "Cliquez pour retirer ce bruitage.";

inline constexpr const char *AIDE_MUR = "Le mur simple est infranchissable.";
inline constexpr const char *AIDE_PORTE_DEROBEE = "Ce mur dissimule une porte.";
inline constexpr const char *AIDE_PORTE_FERMEE =
    "Cette porte ne peut être ouverte qu'avec une clé de la même couleur.";
inline constexpr const char *AIDE_GRILLE =
    "La grille est infranchissable, mais permet de voir ce qui se trouve derrière.";
inline constexpr const char *AIDE_SORTIE =
    "Accès au labyrinthe suivant (monde_n+1) s'il existe. Sinon, fin de l'aventure.";
inline constexpr const char *AIDE_PASSAGE = "Ouvert : rien ne sépare les deux salles.";
inline constexpr const char *AIDE_VIDE = "Une salle ordinaire, sans objet.";
inline constexpr const char *AIDE_COULEUR_PORTE =
    "Cliquez pour choisir la couleur de la porte fermée ; elle devient le pinceau.";
inline constexpr const char *AIDE_COULEUR_CLE =
    "Cliquez pour choisir la couleur de la clé ; elle devient le pinceau.";
// Said by every picture of the legends, after its own text.
inline constexpr const char *AIDE_LEGENDE_PINCEAU = "Cliquez sur l'image pour en faire un pinceau.";
inline constexpr const char *AIDE_DEPART = "Indique la position de départ du joueur";
inline constexpr const char *AIDE_CLE =
    "Une clé sert à ouvrir une porte de la même couleur. Si une énigme est associée à la "
    "salle, il faudra d'abord résoudre cette énigme pour récupérer la clé.";
inline constexpr const char *AIDE_TELEPORTEUR =
    "Les téléporteurs sont reliés entre-eux et permettent de s'affranchir des murs. Si vous "
    "en placez plus de 2, la destination sera choisie au hasard parmi les autres "
    "téléporteurs.";
inline constexpr const char *AIDE_PLAN =
    "Le plan du labyrinthe permet de s'orienter plus facilement.";

inline constexpr const char *INFOBULLE_TITRE = "Dravo-Ecole sur Internet.";
