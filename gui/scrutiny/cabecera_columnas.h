#pragma once
// The heading of a list in a fixed-pitch font whose columns are narrower than the heading's
// words: the heading keeps its whole text, but each word is drawn over the character
// column it names (the counts of 15, 14 ... 10 hits over their digits).

#include <QLabel>
#include <vector>

namespace zendo {

class CabeceraColumnas : public QLabel {
  Q_OBJECT

 public:
  CabeceraColumnas(const QString& nombre, const QString& texto, QWidget* padre);

  // The list's font and where its text starts (x in this widget); `centros` gives, for each
  // word of the text after the first, the character (1-based) it stands over. The first word
  // starts at the left.
  void Alinea(const QFont& fuenteLista, int xTexto, std::vector<int> centros);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QFont fuenteLista_;
  int xTexto_ = 0;
  std::vector<int> centros_;
};

}  // namespace zendo
