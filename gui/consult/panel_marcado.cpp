#include "gui/consult/panel_marcado.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

#include "engine/consult/consulta.h"
#include "engine/core/formato.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 190;
constexpr int kAltoFra = 76;
constexpr int kPasoVariantes = 15;
const QColor kAzul(0, 0, 192);
const QColor kVerde(0, 128, 0);

QFont FuenteFija(int pixeles) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(pixeles);
  f.setBold(true);
  return f;
}

void FondoCuadro(QPainter& p, const QRect& r) {
  p.fillRect(r, QColor(252, 252, 246));
  p.setPen(QColor(170, 176, 162));
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

// ---- Pic_EstaMar ----

CuadroEstaMar::CuadroEstaMar(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_EstaMar"));
  setFixedSize(kAncho, 38);
}

void CuadroEstaMar::Pon(int64_t sinMarcar, int64_t marcadas) {
  sinMarcar_ = sinMarcar;
  marcadas_ = marcadas;
  setAccessibleName(texto());
  update();
}

QString CuadroEstaMar::texto() const {
  return QStringLiteral("Columnas sin marcar %1\nColumnas marcadas %2")
      .arg(DeCp(CifraEstaMar(sinMarcar_)), DeCp(CifraEstaMar(marcadas_)));
}

void CuadroEstaMar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  FondoCuadro(p, rect());
  const QRect lineas[2] = {QRect(8, 2, width() - 16, 17), QRect(8, 19, width() - 16, 17)};
  const char* etiquetas[2] = {"Columnas sin marcar", "Columnas marcadas"};
  const int64_t valores[2] = {sinMarcar_, marcadas_};
  for (int i = 0; i < 2; ++i) {
    p.setFont(FuenteArial(12));
    p.setPen(kAzul);
    p.drawText(lineas[i], Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(etiquetas[i]));
    p.setFont(FuenteArial(12, true));
    p.setPen(Qt::black);
    p.drawText(lineas[i], Qt::AlignRight | Qt::AlignVCenter, DeCp(CifraEstaMar(valores[i])));
  }
}

// ---- Pic_TotSel ----

CuadroTotSel::CuadroTotSel(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_TotSel"));
}

QString CuadroTotSel::texto() const {
  return QStringLiteral("Totales: ") + DeCp(CifraTotSel(t_.quedan)) + QStringLiteral(" / ") +
         DeCp(CifraTotSel(t_.marcar));
}

void CuadroTotSel::Pon(const TotalesMarcado& t) {
  t_ = t;
  setAccessibleName(texto());
  // Sized to its text.
  setFixedSize(QFontMetrics(FuenteArial(12, true)).horizontalAdvance(texto()) + 14, 20);
  update();
}

void CuadroTotSel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  FondoCuadro(p, rect());
  p.setFont(FuenteArial(12, true));
  const QFontMetrics m(p.font());
  int x = 7;
  const int y = (height() + m.ascent() - m.descent()) / 2;
  const std::pair<QString, QColor> partes[] = {{QStringLiteral("Totales: "), kAzul},
                                               {DeCp(CifraTotSel(t_.quedan)), Qt::black},
                                               {QStringLiteral(" / "), kAzul},
                                               {DeCp(CifraTotSel(t_.marcar)), kVerde}};
  for (const auto& [t, color] : partes) {
    p.setPen(color);
    p.drawText(x, y, t);
    x += m.horizontalAdvance(t);
  }
}

// ---- The panel ----

PanelMarcado::PanelMarcado(Servicios& servicios, const EstadoMarcado& estado, QWidget* pantalla)
    : QWidget(pantalla), s_(servicios), e_(estado), pantalla_(pantalla) {
  setObjectName(QStringLiteral("Pic_PanelMarcado"));
  setFixedWidth(kAncho);

  fra_ = new QGroupBox(QStringLiteral(" Método de marcado "), this);
  fra_->setObjectName(QStringLiteral("Fra_MetodosMarcado"));
  fra_->setFont(FuenteArial(12, true));
  fra_->setGeometry(0, 0, kAncho, kAltoFra);
  const QString textos[4] = {QString(), QStringLiteral("Por número de variantes"),
                             QStringLiteral("Porcentaje al azar"),
                             QStringLiteral("Elegir columnas a mano")};
  for (int i = 1; i <= 3; ++i) {
    auto* o = new QRadioButton(textos[i], fra_);
    o->setObjectName(QStringLiteral("Opt_MetodoMarcar%1").arg(i));
    o->setFont(FuenteArial(12));
    o->setGeometry(10, 18 + (i - 1) * 18, kAncho - 16, 18);
    o->setAutoExclusive(false);  // cleared all together on a load
    connect(o, &QRadioButton::clicked, this, [this, i] { EligeMetodo(i, true); });
    opt_[static_cast<std::size_t>(i)] = o;
  }

  zonaVariantes_ = new QWidget(this);
  zonaVariantes_->setObjectName(QStringLiteral("Pic_Variantes"));
  zonaVariantes_->hide();

  porcen_ = new Boton(QStringLiteral("Pic_BotPorcen"), DeCp(RotuloPorcentaje(0)), this);
  porcen_->hide();
  connect(porcen_, &Boton::pulsadoRaton, this, &PanelMarcado::PulsaPorcen);
  lisPorcen_ = new QListWidget(pantalla_);
  lisPorcen_->setObjectName(QStringLiteral("Lis_Porcen"));
  for (int i = 0; i <= 99; ++i) lisPorcen_->addItem(QString::fromStdString(FormatoTexto(i, "@@")));
  QFont fija = FuenteFija(12);
  fija.setBold(false);
  lisPorcen_->setFont(fija);
  lisPorcen_->setFlow(QListView::TopToBottom);
  lisPorcen_->setWrapping(true);
  lisPorcen_->setGridSize(QSize(28, 17));
  lisPorcen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lisPorcen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lisPorcen_->setFixedSize(10 * 28 + 6, 10 * 17 + 6);
  lisPorcen_->hide();
  lisPorcen_->installEventFilter(this);
  connect(lisPorcen_, &QListWidget::itemClicked, this, [this] {
    if (lisPorcen_->isVisible()) PulsaPorcen();
  });

  manual_ =
      new QLabel(DeCp(TextoManual()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
  manual_->setObjectName(QStringLiteral("Lab_Manual"));
  manual_->setFont(FuenteArial(12, true));
  manual_->setAlignment(Qt::AlignCenter);
  manual_->setAutoFillBackground(true);
  manual_->setStyleSheet(
      QStringLiteral("QLabel { background: rgb(192, 192, 192); color: rgb(20, 20, 20); "
                     "border: 1px solid rgb(150, 150, 150); }"));
  manual_->setFixedSize(kAncho, 96);
  manual_->hide();

  estaMar_ = new CuadroEstaMar(this);
  totSel_ = new CuadroTotSel(this);
  marcaSel_ = new Boton(QStringLiteral("Pic_BotMarcaSel"), QStringLiteral("Marcar columnas"), this);
  connect(marcaSel_, &Boton::pulsadoRaton, this, [this] {
    if (marcaSel_->isHidden()) return;
    CierraLista();
    s_.TocaSonido(kSonidoAccion);
    marcaSel_->Dibuja(true);
    if (alMarcar) alMarcar();
    marcaSel_->Dibuja(false);
    s_.TocaSonido(kSonidoAccion);
  });
  totSel_->hide();
  marcaSel_->hide();
}

void PanelMarcado::Reinicia() {
  actualizando_ = true;
  for (int i = 1; i <= 3; ++i) opt_[static_cast<std::size_t>(i)]->setChecked(false);
  actualizando_ = false;
  porcentaje_ = 0;
  porcen_->PonTexto(DeCp(RotuloPorcentaje(0)));
  metodo_ = kMetodoSinElegir;
  EligeMetodo(kMarcarPorVariantes, false);
}

void PanelMarcado::EligeMetodo(int metodo, bool clic) {
  if (actualizando_) return;
  actualizando_ = true;
  for (int i = 1; i <= 3; ++i) opt_[static_cast<std::size_t>(i)]->setChecked(i == metodo);
  actualizando_ = false;
  const bool cambia = metodo != metodo_;
  metodo_ = metodo;
  if (clic) s_.TocaSonido(kSonidoSigno);
  if (cambia) {
    Inicia();
    if (alCambiarMetodo) alCambiarMetodo();
  }
}

void PanelMarcado::Inicia() {
  CierraLista();
  // By variants: a check box per number of variants, created now and removed otherwise.
  for (auto& c : chk_) {
    delete c;
    c = nullptr;
  }
  zonaVariantes_->setVisible(metodo_ == kMarcarPorVariantes);
  if (metodo_ == kMarcarPorVariantes) {
    for (int v = 0; v <= 14; ++v) {
      auto* c = new QCheckBox(zonaVariantes_);
      c->setObjectName(QStringLiteral("Chk_NumVar%1").arg(v));
      c->setFont(FuenteFija(12));
      c->setGeometry(28, v * kPasoVariantes, kAncho - 28, kPasoVariantes);
      connect(c, &QCheckBox::clicked, this, [this] {
        if (actualizando_) return;
        Actualiza();
        s_.TocaSonido(kSonidoAjuste);
      });
      c->show();
      chk_[static_cast<std::size_t>(v)] = c;
    }
  }
  porcen_->setVisible(metodo_ == kMarcarAlAzar);
  if (metodo_ == kMarcarAlAzar) porcen_->Dibuja(false);
  manual_->setVisible(metodo_ == kMarcarAMano);
  totSel_->setVisible(metodo_ != kMarcarAMano);
  Coloca();
  Actualiza();
}

void PanelMarcado::Coloca() {
  int y = kAltoFra + 6;
  zonaVariantes_->setGeometry(0, y, kAncho, 15 * kPasoVariantes);
  if (metodo_ == kMarcarPorVariantes) y += 15 * kPasoVariantes + 6;
  porcen_->move((kAncho - porcen_->width()) / 2, y);
  if (metodo_ == kMarcarAlAzar) y += porcen_->height() + 12;
  manual_->move(0, y);
  if (metodo_ == kMarcarAMano) y += manual_->height() + 12;
  estaMar_->move(0, y);
  y += estaMar_->height() + 4;
  totSel_->move((kAncho - totSel_->width()) / 2, y);
  y += totSel_->height() + 4;
  marcaSel_->move((kAncho - marcaSel_->width()) / 2, y);
  alto_ = y + marcaSel_->height();
  setFixedHeight(alto_);
}

void PanelMarcado::Actualiza() {
  const int64_t numApuestas = s_.estado.reduccion.NumApuestas;
  estaMar_->Pon(numApuestas - e_.ColumnasMarcadas, e_.ColumnasMarcadas);
  totales_ = {};
  if (metodo_ == kMarcarPorVariantes) {
    actualizando_ = true;
    for (int v = 0; v <= 14; ++v) {
      QCheckBox* c = chk_[static_cast<std::size_t>(v)];
      const int64_t sinMarcar = e_.SinMarcarPorVariantes[static_cast<std::size_t>(v)];
      if (sinMarcar == 0) c->setChecked(false);
      c->setEnabled(sinMarcar != 0);
      c->setText(DeCp(RotuloNumVar(v, sinMarcar)));
      QPalette paleta = c->palette();
      for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
        paleta.setColor(grupo, QPalette::WindowText, c->isChecked() ? kVerde : QColor(Qt::black));
      }
      c->setPalette(paleta);
    }
    actualizando_ = false;
    totales_ = TotalesPorVariantes(e_, VariantesMarcadas());
  } else if (metodo_ == kMarcarAlAzar) {
    totales_ = TotalesPorPorcentaje(numApuestas, e_.ColumnasMarcadas, porcentaje_);
  }
  if (metodo_ != kMarcarAMano) {
    totSel_->Pon(totales_);
    totSel_->move((kAncho - totSel_->width()) / 2, totSel_->y());
  }
  marcaSel_->setVisible(metodo_ != kMarcarAMano && totales_.marcar != 0);
}

std::array<bool, 15> PanelMarcado::VariantesMarcadas() const {
  std::array<bool, 15> v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = chk_[i] != nullptr && chk_[i]->isChecked();
  return v;
}

void PanelMarcado::PorcentajeACero() {
  porcentaje_ = 0;
  porcen_->PonTexto(DeCp(RotuloPorcentaje(0)));
  porcen_->Dibuja(false);
}

void PanelMarcado::PulsaPorcen() {
  if (cerrandoLista_) return;
  if (lisPorcen_->isHidden()) {
    s_.TocaSonido(kSonidoAccion);
    lisPorcen_->setCurrentRow(porcentaje_);
    // Under the button, kept inside the screen.
    const QPoint bajo = porcen_->mapTo(pantalla_, QPoint(0, porcen_->height() + 2));
    const int x = std::min(bajo.x(), pantalla_->width() - lisPorcen_->width() - 8);
    const int y = std::min(bajo.y(), pantalla_->height() - lisPorcen_->height() - 8);
    lisPorcen_->move(x, y);
    AbreBajoBoton(porcen_, lisPorcen_);
    return;
  }
  s_.TocaSonido(kSonidoAjuste);
  cerrandoLista_ = true;  // hiding takes the focus away: that is not a second press
  const bool conFoco = lisPorcen_->hasFocus();
  lisPorcen_->hide();
  if (conFoco) porcen_->setFocus(Qt::OtherFocusReason);
  cerrandoLista_ = false;
  porcentaje_ = std::clamp(lisPorcen_->currentRow(), 0, 99);
  porcen_->PonTexto(DeCp(RotuloPorcentaje(porcentaje_)));
  porcen_->Dibuja(false);
  Actualiza();
}

void PanelMarcado::CierraLista() {
  if (lisPorcen_->isVisible()) PulsaPorcen();
}

bool PanelMarcado::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == lisPorcen_ && lisPorcen_->isVisible()) {
    if (evento->type() == QEvent::FocusOut) {
      PulsaPorcen();
    } else if (evento->type() == QEvent::KeyPress) {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        PulsaPorcen();
        return true;
      }
      if (tecla == Qt::Key_Escape) {
        // The list closes with the percentage it had.
        lisPorcen_->setCurrentRow(porcentaje_);
        PulsaPorcen();
        return true;
      }
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

}  // namespace zendo
