#include "gui/screens/borrar.h"

#include <QApplication>

#include "engine/shell/dialogo.h"
#include "engine/shell/textos.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 460;
constexpr int kAlto = 340;
constexpr int kFilaBotones = 96;
constexpr int kContexto = 2700;

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
  lisJorIni_ = new ListaJornadas(QStringLiteral("Lis_JorIni"), total, this);
  lisJorFin_ = new ListaJornadas(QStringLiteral("Lis_JorFin"), total, this);
  for (ListaJornadas* lista : {lisJorIni_, lisJorFin_}) lista->setFixedSize(135, 150);
  lisJorIni_->move(jorIni_->x(), kFilaBotones + 26);
  lisJorFin_->move(jorFin_->x(), kFilaBotones + 26);
  lisJorIni_->alElegir = [this](int jornada) {
    rango_.PonDesde(jornada);
    Rotula();
  };
  lisJorFin_->alElegir = [this](int jornada) {
    rango_.PonHasta(jornada);
    Rotula();
  };

  borDatos_ = new Boton(QStringLiteral("Pic_BotBorDatos"), QStringLiteral("Borrar datos"), this);
  borDatos_->move((kAncho - borDatos_->width()) / 2, kAlto - 24 - 86);

  PonAyudaSalir(QStringLiteral("Borrado de datos"), kContexto);

  connect(jorIni_, &Boton::pulsadoRaton, this,
          [this] { AbreLista(jorIni_, lisJorIni_, rango_.desde); });
  connect(jorFin_, &Boton::pulsadoRaton, this,
          [this] { AbreLista(jorFin_, lisJorFin_, rango_.hasta); });
  connect(borDatos_, &Boton::pulsadoRaton, this, &PantallaBorrar::BorraDatos);

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

void PantallaBorrar::AbreLista(Boton* boton, ListaJornadas* lista, int actual) {
  if (s_.estado.ocupado) return;
  if (lista->isVisible()) {
    lista->Toma();
    return;
  }
  s_.TocaSonido(kSonidoAccion);
  s_.TocaSonido(kSonidoAjuste);
  lista->Abre(boton, actual);
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
      // The deletion is one commit: a failure leaves every datum where it was.
      s_.MuestraMensaje(QStringLiteral("Borrado de datos"),
                        QStringLiteral("No se ha borrado ningún dato de esas jornadas (%1: %2). "
                                       "Compruebe que la carpeta de datos admite escritura y "
                                       "repita el borrado.")
                            .arg(DeCp(r.mensaje), DeCp(DescribeFallo(r.fallo))),
                        5, kBotonesSalir, kContexto);
    }
  }
  borDatos_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
}

}  // namespace zendo
