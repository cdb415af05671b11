#include "mise_en_page.h"

#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

Pages pagine(const std::vector<Bloc> &blocs, qreal hauteur_page) {
  Pages pages(1);
  qreal y = 0;
  const auto nouvelle_page = [&] {
    pages.emplace_back();
    y = 0;
  };
  for (const Bloc &bloc : blocs) {
    if (bloc.morceaux.empty())
      continue;
    // Heights as they would be from here: the first piece's space counts unless at the top.
    qreal total = 0, tete = 0;
    for (size_t i = 0; i < bloc.morceaux.size(); ++i) {
      const Morceau &m = bloc.morceaux[i];
      total += (i > 0 || y > 0 ? m.avant : 0) + m.hauteur;
      if (i < static_cast<size_t>(std::max(bloc.tete, 1)))
        tete = total;
    }
    const qreal sans_espace = total - (y > 0 ? bloc.morceaux.front().avant : 0);
    if (y > 0 && y + total > hauteur_page &&
        ((bloc.entier && sans_espace <= hauteur_page) || y + tete > hauteur_page))
      nouvelle_page();
    for (const Morceau &m : bloc.morceaux) {
      qreal avant = y > 0 ? m.avant : 0;
      if (y > 0 && y + avant + m.hauteur > hauteur_page) {
        nouvelle_page();
        avant = 0;
      }
      pages.back().push_back({y + avant, &m});
      y += avant + m.hauteur;
    }
  }
  return pages;
}

QStringList coupe_lignes(const QString &texte, const QFont &police, qreal largeur,
                         QPaintDevice *appareil) {
  static const QRegularExpression fin_de_ligne(QStringLiteral("\r\n|\r|\n"));
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setUseDesignMetrics(true);
  QStringList lignes;
  for (const QString &paragraphe : texte.split(fin_de_ligne)) {
    if (paragraphe.isEmpty()) {
      lignes << QString();
      continue;
    }
    QTextLayout mise(paragraphe, police, appareil);
    mise.setTextOption(option);
    mise.beginLayout();
    for (QTextLine ligne = mise.createLine(); ligne.isValid(); ligne = mise.createLine()) {
      ligne.setLineWidth(largeur);
      lignes << paragraphe.mid(ligne.textStart(), ligne.textLength());
    }
    mise.endLayout();
  }
  return lignes;
}
