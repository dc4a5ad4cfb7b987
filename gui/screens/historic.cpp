#include "gui/screens/historic.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "engine/core/historico.h"
#include "engine/screens/pagina_historico.h"
#include "gui/shell/boton_pagina.h"
#include "gui/shell/imagenes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

// The page of 17 rows of 25 pixels takes most of the height: the column heads start just
// under the emblems, and the paging buttons share the bottom row with Ayuda and Salir, so
// that the screen fits 800 x 570.
constexpr int kAncho = kAnchoPaginaHistorico + 40;
constexpr int kXCarpeta = 20;
constexpr int kYTitulos = 60;
constexpr int kAltoTitulo = 16;
constexpr int kYCarpeta = kYTitulos + 2 * kAltoTitulo;
constexpr int kAltoCarpeta = kLineasHistorico * kAltoFilaHistorico;
constexpr int kYFilaBotones = kYCarpeta + kAltoCarpeta + 5;
constexpr int kAltoBotonAyuda = 36;
constexpr int kAlto = kYFilaBotones + kAltoBotonAyuda + 6;
const QColor kColorTitulo(0, 0, 192);
const QColor kGrisClaro(240, 240, 240);
const QColor kGrisOscuro(224, 224, 224);
const QColor kGrisColumna(192, 192, 192);
const QColor kColorActual(255, 232, 150);  // the row of the current reduction

// The font of the lines: the largest fixed-pitch size whose 94 characters fit before the
// delete symbol.
QFont FuenteLineas(double* anchoCaracter) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  const double espacio = kFinTextoHistorico - kXTextoHistorico;
  for (int px = 13; px >= 7; --px) {
    f.setPixelSize(px);
    const QFontMetricsF m(f);
    *anchoCaracter = m.horizontalAdvance(QString(100, QLatin1Char('W'))) / 100.0;
    if (*anchoCaracter * kCaracteresLineaHistorico <= espacio) break;
  }
  return f;
}

// A text laid out character by character on the grid of the columns, so that the fields
// line up whatever the font.
void DibujaTextoEnRejilla(QPainter& p, double x, int yBase, double ancho, const QString& texto) {
  for (int i = 0; i < texto.size(); ++i) {
    if (texto.at(i) != QLatin1Char(' ')) p.drawText(QPointF(x + i * ancho, yBase), texto.at(i));
  }
}

// Where the order triangle goes, relative to the page: centred above the head word of the
// column in the lower title row `cabeceras`, in the row above it. Empty for the index order.
QRectF MarcaOrden(const std::string& cabeceras, OrdenHistorico orden, double anchoCaracter,
                  int yTitulos) {
  const char* palabra = orden == OrdenHistorico::Jornada       ? "Jor"
                        : orden == OrdenHistorico::Fecha       ? "Fecha"
                        : orden == OrdenHistorico::Descripcion ? "Descripci"
                                                               : nullptr;
  if (palabra == nullptr) return {};
  const std::size_t inicio = cabeceras.find(palabra);
  if (inicio == std::string::npos) return {};
  std::size_t fin = cabeceras.find(' ', inicio);
  if (fin == std::string::npos) fin = cabeceras.size();
  const double centro = kXTextoHistorico + (inicio + fin) / 2.0 * anchoCaracter;
  const double medio = yTitulos + kAltoTitulo / 2.0;
  return {centro - 4, medio - 3, 8, 6};
}

void DibujaColumnas(QPainter& p, double anchoCaracter, int arriba, int abajo) {
  p.setPen(kGrisColumna);
  for (double s : SeparadoresHistorico()) {
    const int x = kXTextoHistorico + static_cast<int>(s * anchoCaracter);
    p.drawLine(x, arriba, x, abajo);
  }
  const int xFin = (kFinTextoHistorico + kXSimboloBorrar) / 2;
  p.drawLine(xFin, arriba, xFin, abajo);
}

// The delete symbol: a small framed picture with white highlights and a red cross.
const QPixmap& SimboloBorrar() {
  static const QPixmap simbolo = [] {
    QPixmap img(kLadoSimboloBorrar, kLadoSimboloBorrar);
    img.fill(QColor(232, 232, 232));
    QPainter p(&img);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(1, 1, kLadoSimboloBorrar - 2, 1);
    p.drawLine(1, 1, 1, kLadoSimboloBorrar - 2);
    p.setPen(QColor(144, 144, 144));
    p.drawRect(0, 0, kLadoSimboloBorrar - 1, kLadoSimboloBorrar - 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(14, 14));
    p.drawLine(QPointF(14, 6), QPointF(6, 14));
    return img;
  }();
  return simbolo;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// The page

CarpetaHistorico::CarpetaHistorico(Servicios& servicios, QWidget* padre)
    : QWidget(padre), s_(servicios) {
  setObjectName(QStringLiteral("Pic_Carpeta"));
  setAccessibleName(QStringLiteral("Reducciones guardadas"));
  setFixedSize(kAnchoPaginaHistorico, kAltoCarpeta);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  fuente_ = FuenteLineas(&anchoCaracter_);
}

void CarpetaHistorico::PonPagina(const std::vector<std::string>* lineas, int primeraLinea,
                                 int actual) {
  lineas_ = lineas;
  primeraLinea_ = primeraLinea;
  actual_ = actual;
  filaTeclado_ = 0;
  filaRaton_ = kSinFila;
  update();
}

int CarpetaHistorico::HallaCualLinea(QPoint punto) {
  const int n = lineas_ != nullptr ? static_cast<int>(lineas_->size()) : 0;
  filaRaton_ = zendo::HallaCualLinea(punto.x(), punto.y(), primeraLinea_, n);
  s_.PonCursor(this, filaRaton_ != kSinFila ? kCursorManoIndice : kCursorDefecto);
  return filaRaton_;
}

void CarpetaHistorico::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (int fila = 0; fila < kLineasHistorico; ++fila) {
    p.fillRect(0, fila * kAltoFilaHistorico, width(), kAltoFilaHistorico,
               fila % 2 == 0 ? kGrisClaro : kGrisOscuro);
  }
  DibujaColumnas(p, anchoCaracter_, 0, height());
  p.setFont(fuente_);
  const QFontMetrics m(fuente_);
  const int n = lineas_ != nullptr ? static_cast<int>(lineas_->size()) : 0;
  for (int fila = 0; fila < kLineasHistorico; ++fila) {
    const int linea = primeraLinea_ + fila;
    if (linea < 1 || linea > n) continue;
    const int arriba = fila * kAltoFilaHistorico;
    const int base = arriba + (kAltoFilaHistorico + m.ascent() - m.descent()) / 2;
    if (linea == actual_) {
      p.fillRect(1, arriba + 1, kFinTextoHistorico, kAltoFilaHistorico - 2, kColorActual);
      DibujaColumnas(p, anchoCaracter_, arriba + 1, arriba + kAltoFilaHistorico - 1);
    }
    p.setPen(Qt::black);
    DibujaTextoEnRejilla(p, kXTextoHistorico, base, anchoCaracter_,
                         DeCp((*lineas_)[static_cast<std::size_t>(linea - 1)]));
    p.drawPixmap(kXSimboloBorrar, arriba + 3, SimboloBorrar());
    if (hasFocus() && fila == filaTeclado_) {
      PintaAnilloFoco(p, QRect(2, arriba + 2, kFinTextoHistorico, kAltoFilaHistorico - 4));
    }
  }
}

void CarpetaHistorico::mouseMoveEvent(QMouseEvent* evento) {
  HallaCualLinea(evento->position().toPoint());
}

void CarpetaHistorico::leaveEvent(QEvent*) {
  filaRaton_ = kSinFila;
  s_.PonCursor(this, kCursorDefecto);
}

void CarpetaHistorico::mousePressEvent(QMouseEvent* evento) {
  const QPoint punto = evento->position().toPoint();
  // Only where the pointing hand shows.
  if (HallaCualLinea(punto) == kSinFila) return;
  const int n = lineas_ != nullptr ? static_cast<int>(lineas_->size()) : 0;
  const ClicHistorico c = ClicEnHistorico(punto.x(), punto.y(), primeraLinea_, n);
  if (c.accion == AccionHistorico::Elegir) emit elegida(c.linea);
  if (c.accion == AccionHistorico::Borrar) emit borrada(c.linea);
}

void CarpetaHistorico::keyPressEvent(QKeyEvent* evento) {
  const int n = lineas_ != nullptr ? static_cast<int>(lineas_->size()) : 0;
  const int enPagina = std::clamp(n - primeraLinea_ + 1, 0, kLineasHistorico);
  switch (evento->key()) {
    case Qt::Key_Up:
      if (filaTeclado_ > 0) --filaTeclado_;
      update();
      return;
    case Qt::Key_Down:
      if (filaTeclado_ + 1 < enPagina) ++filaTeclado_;
      update();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (filaTeclado_ < enPagina) emit elegida(primeraLinea_ + filaTeclado_);
      return;
    case Qt::Key_Delete:
      if (filaTeclado_ < enPagina) emit borrada(primeraLinea_ + filaTeclado_);
      return;
    case Qt::Key_Home:
      emit paginada(1);
      return;
    case Qt::Key_PageUp:
      emit paginada(2);
      return;
    case Qt::Key_PageDown:
      emit paginada(3);
      return;
    case Qt::Key_End:
      emit paginada(4);
      return;
    default:
      QWidget::keyPressEvent(evento);
  }
}

// ---------------------------------------------------------------------------------------
// The screen

PantallaHistorico::PantallaHistorico(Servicios& servicios, QWidget* padre)
    : Formulario(servicios, QStringLiteral("historic"),
                 QStringLiteral("Fichero Histórico de resultados"), padre) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(windowTitle());
  setMouseTracking(true);

  lisDatos_ = new QListWidget(this);
  lisDatos_->setObjectName(QStringLiteral("Lis_Datos"));
  lisDatos_->hide();

  carpeta_ = new CarpetaHistorico(s_, this);
  carpeta_->move(kXCarpeta, kYCarpeta);
  connect(carpeta_, &CarpetaHistorico::elegida, this, &PantallaHistorico::Elige);
  connect(carpeta_, &CarpetaHistorico::borrada, this, &PantallaHistorico::Borra);
  connect(carpeta_, &CarpetaHistorico::paginada, this, &PantallaHistorico::Pagina);

  const std::array<QString, 4> ayudas = {
      QStringLiteral(" Ir al principio "), QStringLiteral(" Retroceder una página "),
      QStringLiteral(" Avanzar una página "), QStringLiteral(" Ir al final ")};
  const int yPaginas = kYFilaBotones + (kAltoBotonAyuda - 24) / 2;
  const int xPaginas = (kAncho - (4 * 29 + 3 * 6)) / 2;
  for (int i = 1; i <= 4; ++i) {
    auto* b = new BotonPagina(
        i, ayudas[static_cast<std::size_t>(i - 1)], [this, i] { Pagina(i); }, this);
    b->move(xPaginas + (i - 1) * 35, yPaginas);
  }

  PonAyudaSalir(QStringLiteral("Fichero histórico"), kContextoHistorico,
                kAlto - kYFilaBotones - kAltoBotonAyuda);

  RellenaLisDatos(true);
  IniciaFormulario(this);
  CentraFormulario(this);
}

void PantallaHistorico::PonColumnasMarcadas(int columnasMarcadas,
                                            std::function<void()> borraMarcadas) {
  columnasMarcadas_ = columnasMarcadas;
  borraMarcadas_ = std::move(borraMarcadas);
}

void PantallaHistorico::RellenaLisDatos(bool paginaDeLaActual) {
  const int jornada = s_.estado.datos.Jornada;
  const int orden = s_.estado.datos.Orden;
  const ListaHistorico h = zendo::RellenaLisDatos(s_.estado.rutaDatos, jornada, orden);
  // Without an index there is simply nothing stored yet.
  if (h.estado.error != 0 && h.estado.error != 53) {
    s_.AvisoSistema(DeCp(ConCausa(h.estado.mensaje, h.estado.fallo)));
  }
  lineas_ = h.lineas;
  OrdenaHistorico(lineas_, orden_, descendente_);
  lisDatos_->clear();
  bool hayActual = false;
  for (const auto& l : lineas_) {
    lisDatos_->addItem(DeCp(l));
    hayActual = hayActual || (JornadaDeLinea(l) == jornada && OrdenDeLinea(l) == orden);
  }
  const int actual = LineaDe(lineas_, jornada, orden);
  if (paginaDeLaActual || hayActual) {
    primeraLinea_ =
        actual > 0 ? (actual - 1) / kLineasHistorico * kLineasHistorico + 1 : h.primeraLinea;
  }
  // A page never starts past the last line (after deleting the last line of a page).
  const int n = static_cast<int>(lineas_.size());
  if (primeraLinea_ > n) primeraLinea_ = PaginaHistorico(4, 1, n);
  if (primeraLinea_ < 1) primeraLinea_ = 1;
  carpeta_->PonPagina(&lineas_, primeraLinea_, actual);
}

void PantallaHistorico::OrdenaPor(OrdenHistorico columna) {
  if (columna == OrdenHistorico::Indice) return;
  s_.TocaSonido(kSonidoAjuste);
  descendente_ = columna == orden_ && !descendente_;
  orden_ = columna;
  RellenaLisDatos(true);
  update();
}

OrdenHistorico PantallaHistorico::CabeceraEn(QPoint punto) const {
  const int arriba = kYCarpeta - 2 * kAltoTitulo;
  if (punto.y() < arriba || punto.y() >= kYCarpeta) return OrdenHistorico::Indice;
  const double x = punto.x() - kXCarpeta - kXTextoHistorico;
  if (x < 0) return OrdenHistorico::Indice;
  return ColumnaDeTitulo(static_cast<int>(x / carpeta_->anchoCaracter()));
}

void PantallaHistorico::mousePressEvent(QMouseEvent* evento) {
  OrdenaPor(CabeceraEn(evento->position().toPoint()));
  Formulario::mousePressEvent(evento);
}

void PantallaHistorico::mouseMoveEvent(QMouseEvent* evento) {
  const bool enCabecera = CabeceraEn(evento->position().toPoint()) != OrdenHistorico::Indice;
  s_.PonCursor(this, enCabecera ? kCursorManoIndice : kCursorDefecto);
  Formulario::mouseMoveEvent(evento);
}

void PantallaHistorico::Pagina(int boton) {
  auto* b =
      static_cast<BotonPagina*>(findChild<QWidget*>(QStringLiteral("Pic_BotAdeAtr%1").arg(boton)));
  s_.TocaSonido(kSonidoAccion);
  if (b != nullptr) b->Dibuja(true);
  Servicios::Espera(100);
  if (b != nullptr) b->Dibuja(false);
  primeraLinea_ = PaginaHistorico(boton, primeraLinea_, static_cast<int>(lineas_.size()));
  carpeta_->PonPagina(&lineas_, primeraLinea_,
                      LineaDe(lineas_, s_.estado.datos.Jornada, s_.estado.datos.Orden));
}

void PantallaHistorico::Elige(int linea) {
  if (linea < 1 || linea > static_cast<int>(lineas_.size())) return;
  const std::string& l = lineas_[static_cast<std::size_t>(linea - 1)];
  const int jornada = JornadaDeLinea(l);
  const int orden = OrdenDeLinea(l);
  if (columnasMarcadas_ > 0 && borraMarcadas_) {
    borraMarcadas_();
  } else if (jornada >= 1 && orden >= 1) {  // a damaged record's key is no reduction to load
    s_.estado.datos.Jornada = static_cast<int16_t>(jornada);
    s_.estado.datos.Orden = static_cast<int16_t>(orden);
    vieneDeHistorico_ = true;
  }
  accept();
}

void PantallaHistorico::Borra(int linea) {
  if (linea < 1 || linea > static_cast<int>(lineas_.size())) return;
  const std::string l = lineas_[static_cast<std::size_t>(linea - 1)];
  const int jornada = JornadaDeLinea(l);
  const int orden = OrdenDeLinea(l);
  if (!s_.MuestraMensaje(MensajeBorrarReduccion(jornada, orden))) return;
  const EstadoIndice e = BorraReduccion(s_.estado.rutaDatos, jornada, orden);
  if (e.error != 0) s_.AvisoSistema(DeCp(ConCausa(e.mensaje, e.fallo)));
  const auto esActual = [this](const std::string& x) {
    return JornadaDeLinea(x) == s_.estado.datos.Jornada && OrdenDeLinea(x) == s_.estado.datos.Orden;
  };
  const bool estabaLaActual = std::any_of(lineas_.begin(), lineas_.end(), esActual);
  RellenaLisDatos(false);
  if (estabaLaActual && std::none_of(lineas_.begin(), lineas_.end(), esActual)) {
    borroLaActual_ = true;
  }
}

void PantallaHistorico::paintEvent(QPaintEvent* evento) {
  Formulario::paintEvent(evento);
  QPainter p(this);
  const QRect titulos(kXCarpeta, kYCarpeta - 2 * kAltoTitulo, kAnchoPaginaHistorico,
                      2 * kAltoTitulo);
  p.fillRect(titulos, QColor(250, 250, 250));
  p.setPen(kGrisColumna);
  p.drawLine(titulos.bottomLeft(), titulos.bottomRight());
  p.translate(kXCarpeta, 0);
  p.setFont(carpeta_->fuente());
  p.setPen(kColorTitulo);
  const QFontMetrics m(carpeta_->fuente());
  const auto filas = TitulosHistorico();
  for (int i = 0; i < 2; ++i) {
    const int base = titulos.top() + i * kAltoTitulo + (kAltoTitulo + m.ascent() - m.descent()) / 2;
    DibujaTextoEnRejilla(p, kXTextoHistorico, base, carpeta_->anchoCaracter(),
                         DeCp(filas[static_cast<std::size_t>(i)]));
  }
  // A small triangle above the middle of the head the lines are ordered by, in the row that
  // is blank there, so that it never runs into a neighbouring head; pointing up for
  // ascending and down for descending.
  const QRectF marca = MarcaOrden(filas[1], orden_, carpeta_->anchoCaracter(), titulos.top());
  if (!marca.isEmpty()) {
    const double x = marca.center().x();
    const double arriba = descendente_ ? marca.top() : marca.bottom();
    const double abajo = descendente_ ? marca.bottom() : marca.top();
    const QPointF punta[3] = {{marca.left(), arriba}, {marca.right(), arriba}, {x, abajo}};
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kColorTitulo);
    p.drawPolygon(punta, 3);
  }
}

bool AbreHistorico(Servicios& servicios, QWidget* padre, int columnasMarcadas,
                   std::function<void()> borraMarcadas) {
  PantallaHistorico historico(servicios, padre);
  historico.PonColumnasMarcadas(columnasMarcadas, std::move(borraMarcadas));
  historico.exec();
  return historico.vieneDeHistorico();
}

}  // namespace zendo
