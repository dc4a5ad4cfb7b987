#include "gui/consult/panel_quiniela.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kXRejillas = 272;  // where the headings and the grids begin
constexpr int kXRejillasCompacto = 240;
constexpr int kYFilas = 40;  // top of the row of match 1
constexpr int kPasoFila = 22;
constexpr int kAltoCelda = 18;
constexpr int kMargenTexto = 6;
constexpr int kSeparacionMinima = 8;
constexpr int kSeparacionCriterios = 10;
// A run of this many blanks in a heading sets the criteria apart from the grids' words.
constexpr int kBlancosCriterios = 8;

// Where the criteria words of a heading begin and where the blanks before them begin; -1
// when the heading has none.
std::pair<qsizetype, qsizetype> CorteCriterios(const QString& t) {
  const QString blancos(kBlancosCriterios, QLatin1Char(' '));
  const qsizetype i = t.indexOf(blancos);
  if (i < 0) return {-1, -1};
  qsizetype j = i;
  while (j < t.size() && t.at(j) == QLatin1Char(' ')) ++j;
  if (j >= t.size()) return {-1, -1};
  return {j, i};
}

GeometriaRejilla Geometria(int filas, int columnas, int ancho, int pasoX) {
  GeometriaRejilla g;
  g.filas = filas;
  g.columnas = columnas;
  g.x0 = kMargenFoco;
  g.y0 = kMargenFoco;
  g.ancho = ancho;
  g.alto = kAltoCelda;
  g.pasoX = pasoX;
  g.pasoY = kPasoFila;
  return g;
}

}  // namespace

QFont FuenteEncabezado() {
  return FuenteArial(13, true);
}

QFont FuentePartido() {
  return FuenteArial(13);
}

PanelQuiniela::PanelQuiniela(Servicios& servicios, Pantalla pantalla, QWidget* padre)
    : QWidget(padre), s_(servicios), pantalla_(pantalla), xRejillas_(kXRejillas) {
  setObjectName(QStringLiteral("Pic_Quiniela"));
  setAccessibleName(QStringLiteral("Quiniela"));
  base_ = new RejillaBase(s_, v_, this);
  elegir_ = new RejillaElegir(s_, v_, this);
  probable_ = new RejillaProbable(s_, v_, this);
  signos_ = new RejillaSignos(s_, v_, this);
  porNum_ = new RejillaPorNum(s_, v_, this);
  porBar_ = new RejillaPorBar(s_, v_, this);

  texPorNum_ = new QLineEdit(porNum_);
  texPorNum_->setObjectName(QStringLiteral("Tex_PorNum"));
  texPorNum_->setMaxLength(3);
  texPorNum_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  PonReglaTecleo(texPorNum_, 3, ReglaCifras());
  texPorNum_->setStyleSheet(
      QStringLiteral("QLineEdit { border: 1px solid rgb(255,140,0); padding: 0 2px; "
                     "font: bold 12px 'Arial'; background: rgb(255,252,224); }"));
  texPorNum_->hide();
  texPorNum_->installEventFilter(this);

  base_->alPulsar = [this](Celda c) {
    if (v_.r) Edita(PulsaBase(*v_.r, base_->primerPartido() + c.fila, c.columna + 1));
  };
  elegir_->alPulsar = [this](Celda c) {
    if (v_.r) Edita(PulsaElegir(*v_.r, c.fila + 1));
  };
  probable_->alPulsar = [this](Celda c) {
    if (v_.r) Edita(PulsaProbable(*v_.r, c.fila + 1, c.columna + 1));
  };
  signos_->alPulsar = [this](Celda c) {
    if (v_.r) Edita(PulsaTotalSignos(*v_.r, v_.cifras, c.columna + 1, c.fila));
  };
  porNum_->alPulsar = [this](Celda c) {
    // A click on a number first commits the editor that is open.
    CierraEditor();
    AbreEditor(c.fila + 1, c.columna + 1);
  };
  porBar_->alArrastrar = [this](int m, int s, int valor) {
    CierraEditor();
    if (v_.r == nullptr || v_.r->Probabilidad[m][s] == valor) return;
    Edita(FijaProbabilidad(*v_.r, m, s, valor));
  };
  for (QWidget* w :
       std::initializer_list<QWidget*>{base_, elegir_, probable_, signos_, porNum_, porBar_}) {
    w->hide();
  }
}

void PanelQuiniela::Carga(Reduccion& r, const Jornada& jornada, const Cifras& cifras) {
  // An editor left open belongs to the model being replaced: it is dropped, not applied.
  celdaEditor_.reset();
  texPorNum_->hide();
  v_.r = &r;
  v_.cifras = cifras;
  const auto [linea1, linea2] = EncabezadoPanel(r.Metodo, pantalla_);
  encabezado_ = {DeCp(linea1), DeCp(linea2)};
  for (int m = 1; m <= kPartidos; ++m) {
    partidos_[m] = DeCp(TextoPartido(m, Equipo(jornada.RegistroJornada, 2 * m - 1),
                                     Equipo(jornada.RegistroJornada, 2 * m)));
  }
  Coloca();
  update();
}

int PanelQuiniela::AnchoTexto(const QString& texto) const {
  return QFontMetrics(FuenteEncabezado()).horizontalAdvance(texto);
}

int PanelQuiniela::CentroPalabra(int linea, const QString& palabra) const {
  if (anchoCriterios_ >= 0 && colaEncabezado(linea).contains(palabra)) return CentroCriterios();
  const QString t = cabezaEncabezado(linea);
  const int i = static_cast<int>(t.indexOf(palabra));
  if (i < 0) return -1;
  return xRejillas_ + AnchoTexto(t.left(i)) + AnchoTexto(palabra) / 2;
}

QString PanelQuiniela::colaEncabezado(int linea) const {
  const QString& t = encabezado(linea);
  const qsizetype corte = CorteCriterios(t).first;
  return corte < 0 ? QString() : t.mid(corte).trimmed();
}

QString PanelQuiniela::cabezaEncabezado(int linea) const {
  const QString& t = encabezado(linea);
  if (anchoCriterios_ < 0) return t;
  const qsizetype inicioBlancos = CorteCriterios(t).second;
  return inicioBlancos < 0 ? t : t.left(inicioBlancos);
}

int PanelQuiniela::CentroCriterios() const {
  if (anchoCriterios_ <= 0) return -1;
  const int ancho =
      std::max({anchoCriterios_, AnchoTexto(colaEncabezado(1)), AnchoTexto(colaEncabezado(2))});
  return finRejillas_ + kSeparacionCriterios + ancho / 2;
}

void PanelQuiniela::PonColumnaCriterios(int ancho) {
  anchoCriterios_ = ancho;
  Coloca();
  update();
}

int PanelQuiniela::yFila(int m) const {
  return kYFilas + (m - 1) * kPasoFila;
}

int PanelQuiniela::xRejillas() const {
  return xRejillas_;
}

void PanelQuiniela::Coloca() {
  const int metodo = v_.r != nullptr ? int{v_.r->Metodo} : int{kMetodoDirecto};
  for (QWidget* w :
       std::initializer_list<QWidget*>{base_, elegir_, probable_, signos_, porNum_, porBar_}) {
    w->hide();
  }
  int derecha = xRejillas_;
  // A grid centred under a word of the headings, never over the grid before it.
  auto bajo = [&](Rejilla* rejilla, int centro, int yArriba) {
    int x = centro - rejilla->width() / 2;
    if (derecha > xRejillas_) x = std::max(x, derecha + kSeparacionMinima);
    x = std::max(x, xRejillas_);
    rejilla->move(x, yArriba - kMargenFoco);
    rejilla->show();
    derecha = x + rejilla->width();
  };
  const int arriba = yFila(1) + (kPasoFila - kAltoCelda) / 2;

  if (metodo == kMetodoBalanceSignos) {
    porNum_->PonGeometria(Geometria(kPartidosPorcentaje, 3, 32, 36));
    porBar_->PonGeometria(compacto_ ? Geometria(kPartidosPorcentaje, 3, 36, 40)
                                    : Geometria(kPartidosPorcentaje, 3, 50, 54));
    base_->PonGeometria(Geometria(1, 3, 32, 36));
    base_->PonPrimerPartido(kPartidos);
    porNum_->move(xRejillas_, arriba - kMargenFoco);
    porNum_->show();
    porBar_->move(xRejillas_ + porNum_->width() + 4, arriba - kMargenFoco);
    porBar_->show();
    // Match 15 keeps its signs chosen by hand, under the percentages.
    base_->move(xRejillas_, yFila(kPartidos) + (kPasoFila - kAltoCelda) / 2 - kMargenFoco);
    base_->show();
    derecha = porBar_->x() + porBar_->width();
  } else {
    base_->PonGeometria(Geometria(kPartidos, 3, 20, 23));
    base_->PonPrimerPartido(1);
    bajo(base_, CentroPalabra(1, QStringLiteral("Quiniela")), arriba);
    if (metodo != kMetodoManual) {
      elegir_->PonGeometria(Geometria(kPartidosPorcentaje, 1, 20, 23));
      bajo(elegir_, CentroPalabra(1, QStringLiteral("Partidos")), arriba);
    }
    if (metodo == kMetodoColumnaProbable) {
      probable_->PonGeometria(Geometria(kPartidos, 3, 20, 23));
      bajo(probable_, CentroPalabra(1, QStringLiteral("Columna")), arriba);
    } else if (metodo == kMetodoSeleccionSignos) {
      // The three columns stand under the 1, X and 2 of the second heading line.
      const QString& t = encabezado(2);
      const int i1 = t.lastIndexOf(QLatin1Char('1'));
      const int i2 = t.lastIndexOf(QLatin1Char('2'));
      const int c1 = xRejillas_ + AnchoTexto(t.left(i1)) + AnchoTexto(QStringLiteral("1")) / 2;
      const int c2 = xRejillas_ + AnchoTexto(t.left(i2)) + AnchoTexto(QStringLiteral("2")) / 2;
      const int paso = std::max(24, (c2 - c1) / 2);
      signos_->PonGeometria(Geometria(kPartidos, 3, paso - 3, paso));
      bajo(signos_, c1 + paso, arriba);
    }
  }
  // Trailing blanks of a heading take no room.
  auto ancho1 = [this](const QString& t) {
    qsizetype fin = t.size();
    while (fin > 0 && t.at(fin - 1) == QLatin1Char(' ')) --fin;
    return AnchoTexto(t.left(fin));
  };
  finRejillas_ = derecha;
  int ancho = std::max({derecha, xRejillas_ + ancho1(cabezaEncabezado(1)),
                        xRejillas_ + ancho1(cabezaEncabezado(2))});
  if (const int centro = CentroCriterios(); centro >= 0) {
    ancho = std::max(ancho, 2 * centro - finRejillas_ - kSeparacionCriterios);
  }
  setFixedSize(ancho + 8, yFila(kPartidos + 1) + 4);
}

void PanelQuiniela::PonCompacto(bool compacto) {
  compacto_ = compacto;
  xRejillas_ = compacto ? kXRejillasCompacto : kXRejillas;
  Coloca();
  update();
}

void PanelQuiniela::PonXRejillas(int x) {
  xRejillas_ = x;
  Coloca();
  update();
}

void PanelQuiniela::PonEditable(bool editable) {
  if (!editable) CierraEditor();
  v_.editable = editable;
}

void PanelQuiniela::PonCifras(const Cifras& cifras) {
  const bool cambianTotales = cifras.MaxSignos != v_.cifras.MaxSignos;
  v_.cifras = cifras;
  if (cambianTotales && signos_->isVisible()) signos_->update();
}

void PanelQuiniela::Redibuja(uint32_t zonas, int partido) {
  if (zonas & kZonaTodo) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{base_, elegir_, probable_, signos_, porNum_, porBar_}) {
      w->update();
    }
    return;
  }
  const bool uno = partido >= 1 && partido <= kPartidos;
  if (zonas & kZonaBase) {
    if (uno) {
      base_->RedibujaPartido(partido);
      // The tick box shows whether the match is a multiple.
      elegir_->RedibujaFila(partido - 1);
    } else {
      base_->update();
      elegir_->update();
    }
  }
  if (zonas & kZonaElegir) uno ? elegir_->RedibujaFila(partido - 1) : elegir_->update();
  if (zonas & kZonaPanelesProbable) {
    probable_->update();
  } else if (zonas & kZonaProbable) {
    uno ? probable_->RedibujaFila(partido - 1) : probable_->update();
  }
  if (zonas & kZonaSignos) signos_->update();
  if (zonas & kZonaPorcentajes) {
    if (uno) {
      porNum_->RedibujaFila(partido - 1);
      porBar_->RedibujaFila(partido - 1);
    } else {
      porNum_->update();
      porBar_->update();
    }
  }
}

void PanelQuiniela::Edita(const Cambio& c) {
  if (!c.aceptado) return;
  Redibuja(c.zonas, c.partido);
  if (alEditar) alEditar(c);
}

void PanelQuiniela::AbreEditor(int m, int s) {
  if (!v_.editable || v_.r == nullptr || m < 1 || m > kPartidosPorcentaje) return;
  celdaEditor_ = std::make_pair(m, s);
  texPorNum_->setText(QString::number(v_.r->Probabilidad[m][s]));
  texPorNum_->setGeometry(porNum_->RectDe(Celda{m - 1, s - 1}).adjusted(-1, -2, 1, 2));
  texPorNum_->show();
  texPorNum_->raise();
  texPorNum_->setFocus(Qt::MouseFocusReason);
  texPorNum_->selectAll();
}

void PanelQuiniela::CierraEditor() {
  if (celdaEditor_) ConfirmaEditor(false);
}

void PanelQuiniela::ConfirmaEditor(bool conEnter) {
  if (!celdaEditor_ || v_.r == nullptr) return;
  const auto [m, s] = *celdaEditor_;
  // Cleared first: hiding the box takes its focus away, which must not commit it twice.
  celdaEditor_.reset();
  const int16_t valor = LeePorcentajeTecleado(ACp(texPorNum_->text()));
  texPorNum_->setText(DeCp(TextoPorcentaje(valor)));
  texPorNum_->hide();
  const Cambio c = FijaProbabilidad(*v_.r, m, s, valor);
  Edita(c);
  if (conEnter) {
    if (const auto siguiente = SiguienteCeldaPorcentaje(m, s)) {
      AbreEditor(siguiente->first, siguiente->second);
    } else {
      porNum_->setFocus(Qt::OtherFocusReason);
    }
  }
}

bool PanelQuiniela::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == texPorNum_) {
    switch (evento->type()) {
      case QEvent::FocusOut:
        if (celdaEditor_) ConfirmaEditor(false);
        break;
      case QEvent::FocusIn:
      case QEvent::MouseButtonDblClick:
        // The whole value is selected, so that typing replaces it.
        QTimer::singleShot(0, texPorNum_, [e = texPorNum_] { e->selectAll(); });
        break;
      case QEvent::KeyPress: {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
          ConfirmaEditor(true);
          return true;
        }
        if (tecla == Qt::Key_Escape) {
          // Escape leaves the value as it was.
          celdaEditor_.reset();
          texPorNum_->hide();
          porNum_->setFocus(Qt::OtherFocusReason);
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

int PanelQuiniela::Sangria(int m) const {
  // The numbers of one digit stand under the units of the others, so the dots align.
  return m < 10 ? QFontMetrics(FuentePartido()).horizontalAdvance(QLatin1Char('0')) : 0;
}

bool PanelQuiniela::tieneLineaGuia(int m) const {
  const int fin =
      kMargenTexto + Sangria(m) + QFontMetrics(FuentePartido()).horizontalAdvance(partidos_[m]);
  return fin + 12 < xRejillas_ - 10;
}

void PanelQuiniela::paintEvent(QPaintEvent* evento) {
  QPainter p(this);
  const QRect zona = evento->rect();
  // Every other row lightly tinted, so a row can be followed from the names to the grids.
  for (int m = 1; m <= kPartidos; ++m) {
    const QRect fila(0, yFila(m), width(), kPasoFila);
    if (!fila.intersects(zona)) continue;
    if (m % 2 == 0) p.fillRect(fila, QColor(255, 255, 255, 70));
    if (m == kPartidos) {
      p.setPen(QColor(150, 160, 140));
      p.drawLine(0, fila.top(), width() - 1, fila.top());
    }
  }
  if (zona.top() < yFila(1)) {
    p.setFont(FuenteEncabezado());
    p.setPen(QColor(20, 52, 120));
    const QFontMetrics fm(FuenteEncabezado());
    for (int linea = 1; linea <= 2; ++linea) {
      const int y = 4 + (linea - 1) * fm.height() + fm.ascent();
      p.drawText(xRejillas_, y, cabezaEncabezado(linea));
      if (const int centro = CentroCriterios(); centro >= 0) {
        const QString cola = colaEncabezado(linea);
        p.drawText(centro - fm.horizontalAdvance(cola) / 2, y, cola);
      }
    }
  }
  p.setFont(FuentePartido());
  const QFontMetrics fm(FuentePartido());
  const int limite = xRejillas_ - 10;
  for (int m = 1; m <= kPartidos; ++m) {
    const QRect fila(0, yFila(m), width(), kPasoFila);
    if (!fila.intersects(zona)) continue;
    const int base = fila.top() + (kPasoFila + fm.ascent() - fm.descent()) / 2;
    p.save();
    p.setClipRect(QRect(0, fila.top(), limite, kPasoFila));
    p.setPen(QColor(24, 24, 24));
    // A row too long for the room left to the names ends in an ellipsis.
    p.drawText(kMargenTexto + Sangria(m), base,
               fm.elidedText(partidos_[m], Qt::ElideRight, limite - kMargenTexto - Sangria(m)));
    p.restore();
    if (tieneLineaGuia(m)) {
      const int desde = kMargenTexto + Sangria(m) + fm.horizontalAdvance(partidos_[m]) + 6;
      p.setPen(QPen(QColor(150, 150, 140), 1, Qt::DotLine));
      p.drawLine(desde, base - 1, limite, base - 1);
    }
  }
}

}  // namespace zendo
