#include "gui/output/panel_impresion.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QStandardPaths>

#include "engine/consult/boletos.h"
#include "engine/shell/textos.h"
#include "gui/output/boton_valor.h"
#include "gui/output/listados.h"
#include "gui/output/marco_titulo.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"
#include "platform/impresion/impresora.h"

namespace zendo {
namespace {

constexpr int kXCaja = 166;
constexpr int kAnchoCaja = 76;
constexpr int kPasoFila = 34;
constexpr int kXDerecha = 268;
constexpr int kAnchoZona = 560;

QString Str(int64_t valor) {
  return QString::fromStdString(TextoStr(static_cast<long>(valor)));
}

// Pic_GuarOri: how a boleto is fed, upright (1) or rotated (2).
QPixmap ImagenOrientacion(int orientacion) {
  QPixmap img(96, 64);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const bool vertical = orientacion == 1;
  const QRectF hoja = vertical ? QRectF(30, 4, 36, 56) : QRectF(10, 14, 64, 36);
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(QColor(255, 250, 236));
  p.drawRect(hoja);
  // The rows of marks of the form.
  p.setPen(QPen(QColor(200, 60, 60), 1));
  for (int i = 1; i <= 5; ++i) {
    if (vertical) {
      p.drawLine(QPointF(hoja.left() + 4, hoja.top() + 8 * i),
                 QPointF(hoja.right() - 4, hoja.top() + 8 * i));
    } else {
      p.drawLine(QPointF(hoja.left() + 10 * i, hoja.top() + 4),
                 QPointF(hoja.left() + 10 * i, hoja.bottom() - 4));
    }
  }
  // The arrow of the feed: the top of the form goes in first.
  p.setPen(QPen(QColor(20, 52, 120), 3));
  const QPointF punta = vertical ? QPointF(82, 8) : QPointF(86, 20);
  const QPointF cola = vertical ? QPointF(82, 44) : QPointF(86, 50);
  p.drawLine(cola, punta);
  p.drawLine(punta, punta + QPointF(-6, 8));
  p.drawLine(punta, punta + QPointF(6, 8));
  return img;
}

QString TituloTrabajo(int modo, const Reduccion& r) {
  return QStringLiteral("Zendo - %1 - jornada %2, orden %3")
      .arg(DeCp(TextoSalida(modo)))
      .arg(r.Jornada)
      .arg(r.Orden);
}

}  // namespace

void RegistraModosImpresion(ModosSalida& modos) {
  for (int m = kModoDatos; m <= kModoRelacion; ++m) {
    modos.Registra(m, [m] { return std::make_unique<PanelImpresion>(m); });
  }
}

PanelImpresion::PanelImpresion(int modo) : modo_(modo) {}

PanelImpresion::~PanelImpresion() = default;

BotonValor* PanelImpresion::Valor(const QString& boton, const QString& caja, const QString& rotulo,
                                  int largo, const QString& texto) {
  Servicios& s = pantalla_->servicios();
  auto* b = new Boton(boton, QString(), zona_);
  auto* c = CajaNumero(caja, largo, kAnchoCaja, zona_);
  c->setText(texto);
  auto* v = new BotonValor(s, b, c, rotulo);
  v->PonValor(texto);
  return v;
}

QSize PanelImpresion::Construye(PantallaListados& pantalla, QWidget* zona) {
  pantalla_ = &pantalla;
  zona_ = zona;
  Servicios& s = pantalla.servicios();
  Estado& e = s.estado;
  jornada_ = LeeJornada(e.rutaDatos, e.reduccion.Jornada).jornada;
  numBoletos_ = std::max<int64_t>(1, NumBoletos(e.reduccion));
  rango_ = {1, numBoletos_};
  trabajo_ = new TrabajoImpresion(pantalla);
  connect(trabajo_, &TrabajoImpresion::estado, &pantalla, &PantallaListados::PonEstado);
  connect(trabajo_, &TrabajoImpresion::terminado, this, &PanelImpresion::AlTerminar);
  connect(trabajo_, &TrabajoImpresion::esperaDecision, this,
          [this] { pantalla_->servicios().PonCursor(pantalla_, kCursorDefecto); });

  int filas = 0;
  auto coloca = [&filas](BotonValor* v) {
    v->boton()->move(0, filas * kPasoFila);
    v->editor()->move(kXCaja, filas * kPasoFila);
    ++filas;
  };
  if (modo_ == kModoDatos) {
    numCopias_ = Valor(QStringLiteral("Pic_BotCopias"), QStringLiteral("Tex_Copias"),
                       QStringLiteral("Copias a imprimir:"), kLargoCopias, QStringLiteral("1"));
    numCopias_->PonValor(Str(1));
    numCopias_->alConfirmar = [this] {
      copias_ = ConfirmaCopias(ACp(numCopias_->caja()->text()));
      numCopias_->caja()->setText(QString::number(copias_));
      return Str(copias_);
    };
    coloca(numCopias_);
  } else {
    const int largo = LargoBoleto(numBoletos_);
    bolIni_ = Valor(QStringLiteral("Pic_BotBolIni"), QStringLiteral("Tex_BolIni"),
                    QStringLiteral("Boleto Inicial: "), largo, QStringLiteral("1"));
    bolFin_ = Valor(QStringLiteral("Pic_BotBolFin"), QStringLiteral("Tex_BolFin"),
                    QStringLiteral("Boleto Final: "), largo, QString::number(numBoletos_));
    bolIni_->alConfirmar = [this] {
      rango_ = ConfirmaBoletoInicial(ACp(bolIni_->caja()->text()), rango_, numBoletos_);
      PonRango();
      return Str(rango_.inicial);
    };
    bolFin_->alConfirmar = [this] {
      rango_ = ConfirmaBoletoFinal(ACp(bolFin_->caja()->text()), rango_, numBoletos_);
      PonRango();
      return Str(rango_.final);
    };
    PonRango();
    coloca(bolIni_);
    coloca(bolFin_);
  }
  if (modo_ == kModoBoletos || modo_ == kModoContinuo) {
    const bool boletos = modo_ == kModoBoletos;
    int16_t& izq = boletos ? e.datos.MargenIzqBoleto : e.datos.MargenIzqContinuo;
    int16_t& sup = boletos ? e.datos.MargenSupBoleto : e.datos.MargenSupContinuo;
    marIzq_ = Valor(QStringLiteral("Pic_BotMarIzq"), QStringLiteral("Tex_MarIzq"),
                    QStringLiteral("Margen Izquierdo: "), kLargoMargen, QString::number(izq));
    marSup_ = Valor(QStringLiteral("Pic_BotMarSup"), QStringLiteral("Tex_MarSup"),
                    QStringLiteral("Margen Superior: "), kLargoMargen, QString::number(sup));
    for (auto [v, margen] : {std::pair{marIzq_, &izq}, std::pair{marSup_, &sup}}) {
      v->alConfirmar = [v, margen] {
        *margen = static_cast<int16_t>(ConfirmaMargen(ACp(v->caja()->text())));
        v->caja()->setText(QString::number(*margen));
        return v->caja()->text();
      };
      coloca(v);
    }
    prueba_ = new QCheckBox(QStringLiteral("Prueba de impresión"), zona);
    prueba_->setObjectName(QStringLiteral("Chk_PruImp"));
    prueba_->setFont(FuenteArial(13, true));
    prueba_->adjustSize();
  }
  if (modo_ == kModoBoletos) {
    opciones_ = new MarcoTitulo(QStringLiteral("Fra_OpcionesBoletos"),
                                QStringLiteral(" Modo de impresión "), zona);
    opciones_->setGeometry(kXDerecha, 0, kAnchoZona - kXDerecha, 78);
    anverso_ = new QRadioButton(QStringLiteral("Imprimir en el anverso"), opciones_);
    anverso_->setObjectName(QStringLiteral("Opt_Reverso0"));
    reverso_ =
        new QRadioButton(QStringLiteral("Imprimir en el reverso o en papel en blanco"), opciones_);
    reverso_->setObjectName(QStringLiteral("Opt_Reverso1"));
    int y = MarcoTitulo::kArriba + 4;
    for (QRadioButton* o : {anverso_, reverso_}) {
      o->setFont(FuenteArial(12));
      o->adjustSize();
      o->move(12, y);
      y += 24;
      o->setCursor(CursorZendo(kCursorManoIndice));
      connect(o, &QRadioButton::clicked, this, [this] {
        if (!pantalla_->servicios().estado.ocupado) pantalla_->servicios().TocaSonido(kSonidoSigno);
      });
    }
    anverso_->setChecked(true);
    orientacion_ = new QLabel(zona);
    orientacion_->setObjectName(QStringLiteral("Pic_Orientacion"));
    orientacion_->setToolTip(QStringLiteral("Cómo se introduce el boleto en la impresora"));
    orientacion_->setCursor(CursorZendo(kCursorManoIndice));
    orientacion_->setGeometry(kXDerecha + 8, 86, 96, 64);
    orientacion_->installEventFilter(this);
    PonOrientacion();
    prueba_->move(kXDerecha + 120, 108);
  } else if (prueba_ != nullptr) {
    prueba_->move(kXDerecha, 4);
  }
  if (modo_ == kModoRelacion) {
    auto* b = new Boton(QStringLiteral("Pic_BotAncPap"), QString(), zona);
    auto* l = ListaBajoBoton(QStringLiteral("Lis_AnchoPapel"), zona);
    l->setFont(FuenteArial(12));
    for (int a = 0; a <= 1; ++a) l->addItem(DeCp(TextoAnchoPapel(a)));
    l->setFixedSize(b->width(), 2 * 20 + 6);
    l->setCurrentRow(0);
    anchoPapel_ = 0;
    ancPap_ = new BotonValor(s, b, l, QString());
    ancPap_->PonValor(l->item(0)->text());
    ancPap_->alConfirmar = [this, l] {
      if (l->currentRow() >= 0) anchoPapel_ = l->currentRow();
      return l->item(anchoPapel_)->text();
    };
    b->move(0, filas * kPasoFila);
    l->move(0, filas * kPasoFila + 26);
    ++filas;
    filas += 2;  // room for the open list
  }
  int alto = filas * kPasoFila;
  if (modo_ == kModoBoletos) alto = std::max(alto, 156);

  vistaPrevia_ =
      new Boton(QStringLiteral("Pic_BotVistaPrevia"), QStringLiteral("Vista previa"), &pantalla);
  pdf_ = new Boton(QStringLiteral("Pic_BotPdf"), QStringLiteral("PDF"), &pantalla);
  vistaPrevia_->setToolTip(QStringLiteral("Ver las páginas antes de imprimirlas"));
  pdf_->setToolTip(QStringLiteral("Guardar las páginas en un archivo PDF"));
  connect(vistaPrevia_, &Boton::pulsadoRaton, this, &PanelImpresion::VistaPrevia);
  connect(pdf_, &Boton::pulsadoRaton, this, &PanelImpresion::Pdf);
  pantalla.AnadeBoton(vistaPrevia_);
  pantalla.AnadeBoton(pdf_);
  if (modo_ == kModoBoletos) {
    repetir_ =
        new Boton(QStringLiteral("Pic_BotRepetir"), QStringLiteral("Repetir el boleto"), &pantalla);
    siguiente_ = new Boton(QStringLiteral("Pic_BotSiguiente"), QStringLiteral("Siguiente boleto"),
                           &pantalla);
    repetir_->hide();
    siguiente_->hide();
    connect(repetir_, &Boton::pulsadoRaton, this,
            [this] { PulsaDecision(repetir_, Decision::Repetir); });
    connect(siguiente_, &Boton::pulsadoRaton, this,
            [this] { PulsaDecision(siguiente_, Decision::Siguiente); });
    connect(trabajo_, &TrabajoImpresion::empiezanBoletos, this, [this] {
      opciones_->hide();
      ColocaDecisiones();
      for (Boton* b : {repetir_, siguiente_}) {
        b->Dibuja(false);
        b->show();
      }
    });
    connect(trabajo_, &TrabajoImpresion::ultimoBoleto, this, [this] {
      // After the last boleto only Repetir and Salir are left.
      pantalla_->cancelar()->hide();
      siguiente_->hide();
      pantalla_->salir()->show();
    });
  }
  return {kAnchoZona, alto};
}

void PanelImpresion::PonRango() {
  bolIni_->caja()->setText(QString::number(rango_.inicial));
  bolFin_->caja()->setText(QString::number(rango_.final));
  bolIni_->PonValor(Str(rango_.inicial));
  bolFin_->PonValor(Str(rango_.final));
}

void PanelImpresion::PonOrientacion() {
  orientacion_->setPixmap(ImagenOrientacion(pantalla_->servicios().estado.datos.Orientacion));
}

bool PanelImpresion::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == orientacion_ && evento->type() == QEvent::MouseButtonPress &&
      !pantalla_->procesando()) {
    Servicios& s = pantalla_->servicios();
    s.TocaSonido(kSonidoAyuda);
    int16_t& o = s.estado.datos.Orientacion;
    o = static_cast<int16_t>(o == 2 ? 1 : 2);
    PonOrientacion();
    return true;
  }
  return QObject::eventFilter(objeto, evento);
}

void PanelImpresion::CierraEditores() {
  for (BotonValor* v : {bolIni_, bolFin_, numCopias_, marIzq_, marSup_, ancPap_}) {
    if (v != nullptr) v->Cierra();
  }
}

Impresion PanelImpresion::Peticion() const {
  const Estado& e = pantalla_->servicios().estado;
  Impresion p;
  p.modo = modo_;
  p.rutaDatos = e.rutaDatos;
  p.reduccion = e.reduccion;
  p.jornada = jornada_;
  p.precio = e.datos.Precio;
  p.BoletoInicial = rango_.inicial;
  p.BoletoFinal = rango_.final;
  p.NumCopias = copias_;
  p.AnchoPapel = anchoPapel_;
  const bool boletos = modo_ == kModoBoletos;
  p.MargenIzq = boletos ? e.datos.MargenIzqBoleto : e.datos.MargenIzqContinuo;
  p.MargenSup = boletos ? e.datos.MargenSupBoleto : e.datos.MargenSupContinuo;
  p.Orientacion = e.datos.Orientacion;
  p.reverso = reverso_ != nullptr && reverso_->isChecked();
  p.prueba = prueba_ != nullptr && prueba_->isChecked();
  p.cancelar = &pantalla_->cancelado();
  return p;
}

void PanelImpresion::Accion() {
  CierraEditores();
  Servicios& s = pantalla_->servicios();
  const QString nombre = impresora ? impresora() : ImpresoraPredeterminada();
  if (nombre.isEmpty()) {
    const bool ver = s.MuestraMensaje(
        QStringLiteral("No hay ninguna impresora"),
        QStringLiteral("No se ha encontrado ninguna impresora instalada en el sistema.  Puede "
                       "ver el documento en la Vista previa, desde la que también se puede "
                       "imprimir, o guardarlo en un archivo con el botón PDF.  ¿Desea abrir "
                       "ahora la Vista previa?"),
        5, kBotonesAceptarCancelar, 2400 + 10 * modo_);
    if (ver) VistaPrevia();
    return;
  }
  s.TocaSonido(kSonidoAccion);
  pantalla_->accion()->Dibuja(true);
  imprimiendo_ = true;
  const QString titulo = TituloTrabajo(modo_, s.estado.reduccion);
  const bool espera = modo_ == kModoBoletos && !(prueba_ != nullptr && prueba_->isChecked());
  Arranca([nombre, titulo] { return std::make_unique<LienzoImpresora>(nombre, titulo); }, espera);
}

void PanelImpresion::Arranca(TrabajoImpresion::FabricaLienzo lienzo, bool espera) {
  pantalla_->EmpiezaProceso();
  zona_->setEnabled(false);
  if (modo_ == kModoContinuo && !prueba_->isChecked()) prueba_->hide();
  const Impresion p = Peticion();
  const PapelDocumento papel = PapelParaModo(modo_, anchoPapel_);
  pantalla_->servicios().PonCursor(pantalla_, kCursorEspera);
  trabajo_->Arranca([p](DestinoPaginas& d, ControlImpresion& c) { return Imprime(p, d, c); },
                    std::move(lienzo), papel.hoja, papel.origen, espera);
}

void PanelImpresion::AlTerminar(const TrabajoImpresion::Final& f) {
  Servicios& s = pantalla_->servicios();
  if (opciones_ != nullptr) opciones_->show();
  for (Boton* b : {repetir_, siguiente_}) {
    if (b != nullptr) b->hide();
  }
  if (prueba_ != nullptr) prueba_->show();
  zona_->setEnabled(true);
  pantalla_->TerminaProceso();
  s.PonCursor(pantalla_, kCursorDefecto);
  pantalla_->accion()->Dibuja(false);
  s.TocaSonido(kSonidoAjuste);
  const bool alaImpresora = imprimiendo_;
  imprimiendo_ = false;
  if (!f.resultado.mensaje.empty()) {
    s.AvisoSistema(DeCp(f.resultado.mensaje));
  } else if (!f.error.isEmpty()) {
    s.MuestraMensaje(alaImpresora ? QStringLiteral("Error de impresión")
                                  : QStringLiteral("Error al guardar el PDF"),
                     f.error, 4, kBotonesSalir, 2400 + 10 * modo_);
  }
}

void PanelImpresion::PulsaDecision(Boton* boton, Decision d) {
  if (!pantalla_->procesando()) return;
  Servicios& s = pantalla_->servicios();
  s.PonCursor(pantalla_, kCursorEspera);
  s.TocaSonido(kSonidoAccion);
  boton->Dibuja(true);
  trabajo_->Decide(d);
  Servicios::Espera(300);
  boton->Dibuja(false);
}

void PanelImpresion::ColocaDecisiones() {
  const QRect c = pantalla_->cancelar()->geometry();
  const int y = c.center().y() - repetir_->height() / 2;
  repetir_->move(c.left() - 16 - repetir_->width(), y);
  siguiente_->move(c.right() + 16, y);
}

void PanelImpresion::AlCancelar() {
  trabajo_->Despierta();
}

void PanelImpresion::VistaPrevia() {
  CierraEditores();
  Servicios& s = pantalla_->servicios();
  s.TocaSonido(kSonidoAccion);
  const Impresion p = Peticion();
  const PapelDocumento papel = PapelParaModo(modo_, anchoPapel_);
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(TituloTrabajo(modo_, s.estado.reduccion));
  QPrintPreviewDialog dialogo(&printer, pantalla_);
  dialogo.setObjectName(QStringLiteral("Dlg_VistaPrevia"));
  dialogo.setWindowTitle(QStringLiteral("Vista previa: ") + pantalla_->windowTitle());
  dialogo.resize(760, 540);
  std::string fallo;
  connect(&dialogo, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* destino) {
    LienzoVistaPrevia lienzo(destino);
    PintorPaginas pintor(lienzo, papel.hoja, papel.origen);
    ControlImpresion control;
    const ResultadoImpresion r = Imprime(p, pintor, control);
    pintor.Cierra();
    if (!r.mensaje.empty()) fallo = r.mensaje;
  });
  dialogo.exec();
  if (!fallo.empty()) s.AvisoSistema(DeCp(fallo));
}

void PanelImpresion::Pdf() {
  CierraEditores();
  Servicios& s = pantalla_->servicios();
  const Reduccion& r = s.estado.reduccion;
  QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (carpeta.isEmpty() || !QDir(carpeta).exists()) carpeta = QDir::homePath();
  const QString propuesto =
      QDir(carpeta).filePath(QString::fromStdString(NombrePdf(modo_, r.Jornada, r.Orden)));
  QString nombre = pideFichero ? pideFichero(propuesto)
                               : QFileDialog::getSaveFileName(
                                     pantalla_, QStringLiteral("Guardar en un archivo PDF"),
                                     propuesto, QStringLiteral("Documentos PDF (*.pdf)"));
  if (nombre.isEmpty()) return;
  if (!nombre.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    nombre += QStringLiteral(".pdf");
  s.TocaSonido(kSonidoAccion);
  imprimiendo_ = false;
  Arranca([nombre] { return std::make_unique<LienzoFicheroPdf>(nombre); }, false);
}

}  // namespace zendo
