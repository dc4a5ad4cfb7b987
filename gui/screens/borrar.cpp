#include "gui/screens/borrar.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

#include "engine/core/formato.h"
#include "engine/shell/dialogo.h"
#include "engine/shell/textos.h"
#include "gui/shell/boton.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 460;
constexpr int kAlto = 340;
constexpr int kFilaBotones = 96;
constexpr int kContexto = 2700;

QListWidget* ListaJornadas(const QString& nombre, int total, QWidget* padre) {
  auto* lista = new QListWidget(padre);
  lista->setObjectName(nombre);
  for (int j = 1; j <= total; ++j) {
    lista->addItem(QString::fromStdString(FormatoTexto(j, "@@")));
  }
  // Fixed-pitch, so that the numbers right-aligned in two characters line up.
  QFont fija(QStringLiteral("Courier New"));
  fija.setStyleHint(QFont::Monospace);
  fija.setFixedPitch(true);
  lista->setFont(fija);
  lista->setFixedSize(135, 150);
  lista->hide();
  return lista;
}

}  // namespace

PantallaBorrar::PantallaBorrar(Servicios& servicios, QWidget* padre)
    : Formulario(servicios, QStringLiteral("borrar"),
                 QStringLiteral("Borrar reducciones y datos de jornadas"), padre) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(windowTitle());
  const int total = std::max<int>(1, s_.estado.datos.TotalJornadas);

  jorIni_ = new Boton(QStringLiteral("Pic_BotJorIni"), QString(), this, Boton::Fuente::Otra);
  jorFin_ = new Boton(QStringLiteral("Pic_BotJorFin"), QString(), this, Boton::Fuente::Otra);
  const int hueco = (kAncho - jorIni_->width() - jorFin_->width()) / 3;
  jorIni_->move(hueco, kFilaBotones);
  jorFin_->move(2 * hueco + jorIni_->width(), kFilaBotones);
  lisJorIni_ = ListaJornadas(QStringLiteral("Lis_JorIni"), total, this);
  lisJorFin_ = ListaJornadas(QStringLiteral("Lis_JorFin"), total, this);
  lisJorIni_->move(jorIni_->x(), kFilaBotones + 26);
  lisJorFin_->move(jorFin_->x(), kFilaBotones + 26);

  borDatos_ = new Boton(QStringLiteral("Pic_BotBorDatos"), QStringLiteral("Borrar datos"), this);
  borDatos_->move((kAncho - borDatos_->width()) / 2, kAlto - 24 - 86);

  auto* ayuda = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                          QStringLiteral("Ayuda de Borrado de datos"), this);
  auto* salir = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                          QStringLiteral("Salir de Borrado de datos"), this);
  ayuda->move(24, kAlto - 36 - 20);
  salir->move(kAncho - 36 - 24, kAlto - 36 - 20);

  connect(jorIni_, &Boton::pulsadoRaton, this, [this] { AbreLista(jorIni_, lisJorIni_); });
  connect(jorFin_, &Boton::pulsadoRaton, this, [this] { AbreLista(jorFin_, lisJorFin_); });
  for (QListWidget* lista : {lisJorIni_, lisJorFin_}) {
    lista->installEventFilter(this);
    connect(lista, &QListWidget::itemClicked, this, [this, lista] { TomaLista(lista); });
    connect(lista, &QListWidget::itemActivated, this, [this, lista] { TomaLista(lista); });
  }
  connect(borDatos_, &Boton::pulsadoRaton, this, &PantallaBorrar::BorraDatos);
  connect(ayuda, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(kContexto);
  });
  connect(salir, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoSalir);
    reject();
  });

  Rotula();
  IniciaFormulario(this);
  CentraFormulario(this);
}

void PantallaBorrar::Rotula() {
  jorIni_->PonTexto(QStringLiteral("Desde la jornada") +
                    QString::fromStdString(TextoStr(rango_.desde)));
  jorFin_->PonTexto(QStringLiteral("Hasta la jornada") +
                    QString::fromStdString(TextoStr(rango_.hasta)));
  jorIni_->Dibuja(false);
  jorFin_->Dibuja(false);
}

void PantallaBorrar::AbreLista(Boton* boton, QListWidget* lista) {
  if (s_.estado.ocupado) return;
  if (lista->isVisible()) {
    TomaLista(lista);
    return;
  }
  s_.TocaSonido(kSonidoAccion);
  boton->Dibuja(true);
  s_.TocaSonido(kSonidoAjuste);
  const int actual = lista == lisJorIni_ ? rango_.desde : rango_.hasta;
  lista->setCurrentRow(std::min(actual, lista->count()) - 1);
  lista->show();
  lista->raise();
  lista->setFocus();
}

void PantallaBorrar::TomaLista(QListWidget* lista) {
  if (tomando_ || lista->isHidden()) return;
  tomando_ = true;
  const int jornada = std::max(0, lista->currentRow()) + 1;
  lista->hide();
  if (lista == lisJorIni_) {
    rango_.PonDesde(jornada);
  } else {
    rango_.PonHasta(jornada);
  }
  Rotula();
  tomando_ = false;
}

void PantallaBorrar::BorraDatos() {
  if (s_.estado.ocupado) return;
  s_.TocaSonido(kSonidoAccion);
  borDatos_->Dibuja(true);
  const bool acepta =
      s_.MuestraMensaje(Mensaje{"Borrado de datos", PreguntaBorrado(rango_.desde, rango_.hasta), 5,
                                kBotonesAceptarCancelar, kContexto});
  if (acepta) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ResultadoBorrado r = BorraJornadas(s_.estado.rutaDatos, rango_.desde, rango_.hasta);
    QApplication::restoreOverrideCursor();
    if (r.error != 0) {
      s_.MuestraMensaje(QStringLiteral("Borrado de datos"),
                        QStringLiteral("No se han podido borrar todos los datos de esas "
                                       "jornadas (%1). Compruebe que la carpeta de datos admite "
                                       "escritura y repita el borrado.")
                            .arg(DeCp(r.mensaje)),
                        4, kBotonesSalir, kContexto);
    }
  }
  borDatos_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
}

bool PantallaBorrar::eventFilter(QObject* objeto, QEvent* evento) {
  auto* lista = qobject_cast<QListWidget*>(objeto);
  if (lista != nullptr && evento->type() == QEvent::FocusOut && lista->isVisible()) {
    TomaLista(lista);
  }
  return Formulario::eventFilter(objeto, evento);
}

}  // namespace zendo
