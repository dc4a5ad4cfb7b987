#include "gui/screens/jornadas.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/shell/textos.h"
#include "gui/screens/equipos.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

// Fits 800 x 570: the rows of teams sit close, and the team and save buttons share the
// bottom row with Ayuda and Salir.
constexpr int kAncho = 600;
constexpr int kFilaBotones = 62;
constexpr int kXMarco = 30;
constexpr int kYMarco = 94;
constexpr int kAltoFila = 24;
constexpr int kAltoMarco = 22 + 15 * kAltoFila + 6;
constexpr int kYFilaAbajo = kYMarco + kAltoMarco + 10;
constexpr int kAltoBotonAyuda = 36;
constexpr int kAlto = kYFilaAbajo + kAltoBotonAyuda + 8;

// A date box always holds two characters, so the focus that reaches it by itself selects
// them: what is typed then replaces the box instead of being cut off behind it. The caret
// stays at the start.
void EntraEnCajaFecha(QLineEdit* caja) {
  caja->setFocus();
  caja->setSelection(static_cast<int>(caja->text().size()), -static_cast<int>(caja->text().size()));
}

QLineEdit* CajaFecha(const QString& nombre, int x, QWidget* padre) {
  auto* caja = new QLineEdit(padre);
  caja->setObjectName(nombre);
  caja->setGeometry(x, 6, 26, 22);
  caja->setAlignment(Qt::AlignCenter);
  PonReglaTecleo(caja, static_cast<int>(kLargoCajaFecha));
  return caja;
}

}  // namespace

PantallaJornadas::PantallaJornadas(Servicios& servicios, QWidget* padre)
    : Formulario(servicios, QStringLiteral("jornadas"), QStringLiteral("Datos de jornadas"),
                 padre) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(windowTitle());
  const Ocupado ocupado(s_.estado);

  nroJor_ = new Boton(QStringLiteral("Pic_BotNroJor"), QString(), this);
  fecJor_ = new Boton(QStringLiteral("Pic_BotFecJor"), QString(), this);
  const int x0 = (kAncho - nroJor_->width() - 20 - fecJor_->width()) / 2;
  nroJor_->move(x0, kFilaBotones);
  fecJor_->move(x0 + nroJor_->width() + 20, kFilaBotones);

  // The 15 matches, the home team on the left and the away team on the right.
  auto* marco = new QGroupBox(QStringLiteral(" Partidos incluidos en el boleto "), this);
  marco->setObjectName(QStringLiteral("Fra_Partidos"));
  marco->setGeometry(kXMarco, kYMarco, kAncho - 2 * kXMarco, kAltoMarco);
  for (int m = 1; m <= 15; ++m) {
    const int y = 22 + (m - 1) * kAltoFila;
    auto* numero = new QLabel(QString::number(m), marco);
    numero->setObjectName(QStringLiteral("Lab_NroJor%1").arg(m));
    numero->setGeometry(8, y, 24, 22);
    numero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int lado = 0; lado < 2; ++lado) {
      const int s = 2 * m - 1 + lado;
      auto* cbo = new QComboBox(marco);
      cbo->setObjectName(QStringLiteral("Cbo_Equipo%1").arg(s));
      cbo->setEditable(true);
      cbo->setInsertPolicy(QComboBox::NoInsert);
      cbo->setMaxVisibleItems(16);
      cbo->setGeometry(lado == 0 ? 42 : 292, y, 236, 22);
      cboEquipo_[static_cast<std::size_t>(s)] = cbo;
      QLineEdit* caja = cbo->lineEdit();
      PonReglaTecleo(caja, static_cast<int>(kLargoEquipo));
      connect(caja, &QLineEdit::textEdited, this, [this] { TecleoEquipo(); });
      connect(cbo, &QComboBox::textActivated, this, [this] { TecleoEquipo(); });
      connect(caja, &QLineEdit::returnPressed, this, [this, s] {
        MuestraGuardar();
        if (s < kCajasEquipo) cboEquipo_[static_cast<std::size_t>(s + 1)]->setFocus();
      });
    }
  }

  lisJornadas_ = new ListaJornadas(QStringLiteral("Lis_Jornadas"),
                                   std::max<int>(1, s_.estado.datos.TotalJornadas), this);
  lisJornadas_->setGeometry(nroJor_->x(), kFilaBotones + 26, nroJor_->width(), 220);
  lisJornadas_->alElegir = [this](int jornada) {
    // The same jornada again keeps what was typed on it; another one asks before the boxes
    // are filled from the file.
    if (CambiosSinGuardar() && (jornada == s_.estado.datos.Jornada || !PuedeDescartar())) {
      Rotula();
      return;
    }
    CargaJornada(jornada);
  };

  picFecJor_ = new QFrame(this);
  picFecJor_->setObjectName(QStringLiteral("Pic_FecJor"));
  picFecJor_->setFrameShape(QFrame::Panel);
  picFecJor_->setFrameShadow(QFrame::Raised);
  picFecJor_->setAutoFillBackground(true);
  picFecJor_->setGeometry(fecJor_->x(), kFilaBotones + 26, fecJor_->width(), 34);
  texFecDia_ = CajaFecha(QStringLiteral("Tex_FecDia"), 8, picFecJor_);
  texFecMes_ = CajaFecha(QStringLiteral("Tex_FecMes"), 45, picFecJor_);
  texFecAno_ = CajaFecha(QStringLiteral("Tex_FecAno"), 82, picFecJor_);
  for (int x : {36, 73}) {
    auto* barra = new QLabel(QStringLiteral("/"), picFecJor_);
    barra->setGeometry(x, 6, 7, 22);
  }
  for (QLineEdit* caja : {texFecDia_, texFecMes_, texFecAno_}) {
    caja->installEventFilter(this);
    connect(caja, &QLineEdit::textEdited, this, [this, caja] { TecleoFecha(caja); });
    connect(caja, &QLineEdit::returnPressed, this, &PantallaJornadas::FecJor_MD);
  }
  picFecJor_->hide();

  equipos_ = new Boton(QStringLiteral("Pic_BotEquipos"), QStringLiteral("Modificar equipos"), this);
  guardar_ = new Boton(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), this);
  const int yAbajo = kYFilaAbajo + (kAltoBotonAyuda - equipos_->height()) / 2;
  equipos_->move(kAncho / 2 - 10 - equipos_->width(), yAbajo);
  guardar_->move(kAncho / 2 + 10, yAbajo);
  guardar_->hide();

  PonAyudaSalir(QStringLiteral("Datos de jornadas"), kContextoJornadas,
                kAlto - kYFilaAbajo - kAltoBotonAyuda);

  connect(nroJor_, &Boton::pulsadoRaton, this, &PantallaJornadas::NroJor_MD);
  connect(fecJor_, &Boton::pulsadoRaton, this, &PantallaJornadas::FecJor_MD);
  connect(guardar_, &Boton::pulsadoRaton, this, &PantallaJornadas::Guarda);
  connect(equipos_, &Boton::pulsadoRaton, this, &PantallaJornadas::AbreEquipos);

  CreaCboEquipo();
  // The boxes show the current jornada from the start, so that what is saved over it is
  // what it holds and never a screen of empty boxes.
  CargaJornada(std::clamp<int>(s_.estado.datos.Jornada, 1, lisJornadas_->count()));
  IniciaFormulario(this);
  CentraFormulario(this);
  texFecDia_->setCursorPosition(0);
}

PantallaJornadas::~PantallaJornadas() {
  // The dialog deletes the team boxes after this part of the screen is gone; a list of names
  // still open then activates its text, which must not reach the screen any more.
  for (QComboBox* cbo : cboEquipo_) {
    if (cbo == nullptr) continue;
    cbo->disconnect(this);
    cbo->lineEdit()->disconnect(this);
  }
}

void PantallaJornadas::Rotula() {
  nroJor_->PonTexto(QStringLiteral("Jornada") +
                    QString::fromStdString(TextoStr(s_.estado.datos.Jornada)));
  fecJor_->PonTexto(QStringLiteral("Fecha ") + DeCp(s_.estado.datos.FechaJornada));
  nroJor_->Dibuja(false);
  fecJor_->Dibuja(false);
}

void PantallaJornadas::NroJor_MD() {
  if (lisJornadas_->isVisible()) {
    lisJornadas_->Toma();
    return;
  }
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  lisJornadas_->Abre(nroJor_, s_.estado.datos.Jornada);
}

void PantallaJornadas::CargaJornada(int jornada) {
  const LecturaJornada l = LeeJornada(s_.estado.rutaDatos, jornada);
  if (!l.mensaje.empty()) s_.AvisoSistema(DeCp(ConCausa(l.mensaje, l.fallo)));
  const Ocupado ocupado(s_.estado);
  s_.estado.datos.Jornada = static_cast<int16_t>(jornada);
  s_.estado.datos.FechaJornada = l.jornada.FechaJornada;
  registroGuardado_ = l.jornada.RegistroJornada;
  fechaGuardada_ = l.jornada.FechaJornada;
  const CajasFecha c = CajasDesdeFecha(l.jornada.FechaJornada);
  texFecDia_->setText(DeCp(c.dia));
  texFecMes_->setText(DeCp(c.mes));
  texFecAno_->setText(DeCp(c.ano));
  for (int s = 1; s <= kCajasEquipo; ++s) {
    cboEquipo_[static_cast<std::size_t>(s)]->setEditText(
        DeCp(Equipo(l.jornada.RegistroJornada, s)));
  }
  picFecJor_->hide();
  guardar_->hide();
  Rotula();
}

CajasFecha PantallaJornadas::Cajas() const {
  return CajasFecha{ACp(texFecDia_->text()), ACp(texFecMes_->text()), ACp(texFecAno_->text())};
}

bool PantallaJornadas::ValidaFecha() {
  if (zendo::ValidaFecha(Cajas())) return true;
  s_.MuestraMensaje(MensajeErrorFecha());
  s_.PonCursor(this, kCursorDefecto);
  return false;
}

void PantallaJornadas::FecJor_MD() {
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  if (picFecJor_->isHidden()) {
    fecJor_->Dibuja(true);
    picFecJor_->show();
    picFecJor_->raise();
    EntraEnCajaFecha(texFecDia_);
    return;
  }
  CierraFecha();
}

bool PantallaJornadas::CierraFecha() {
  for (QLineEdit* caja : {texFecDia_, texFecMes_, texFecAno_}) {
    caja->setText(DeCp(CompletaCajaFecha(ACp(caja->text()))));
  }
  if (!ValidaFecha()) return false;
  const std::string fecha = FechaDesdeCajas(Cajas());
  if (fecha != s_.estado.datos.FechaJornada) MuestraGuardar();
  s_.estado.datos.FechaJornada = fecha;
  CierraBajoBoton(fecJor_, picFecJor_);
  Rotula();
  return true;
}

void PantallaJornadas::TecleoFecha(QLineEdit* caja) {
  if (caja->text().size() < static_cast<int>(kLargoCajaFecha)) return;
  if (caja == texFecDia_) EntraEnCajaFecha(texFecMes_);
  if (caja == texFecMes_) EntraEnCajaFecha(texFecAno_);
}

void PantallaJornadas::TecleoEquipo() {
  if (!s_.estado.ocupado) MuestraGuardar();
}

void PantallaJornadas::MuestraGuardar() {
  guardar_->Dibuja(false);
  guardar_->show();
}

void PantallaJornadas::Guarda() {
  // An open date panel is applied first, so that what is saved is what the screen shows.
  if (picFecJor_->isVisible()) {
    if (!CierraFecha()) return;
  } else if (!ValidaFecha()) {
    return;
  }
  s_.TocaSonido(kSonidoAccion);
  guardar_->Dibuja(true);
  const std::array<std::string, kCajasEquipo + 1> equipos = EquiposDeCajas();
  const ResultadoJornada r = GuardaJornada(s_.estado.rutaDatos, s_.estado.datos.Jornada,
                                           s_.estado.datos.FechaJornada, equipos);
  if (r.error != 0) {
    guardar_->Dibuja(false);
    s_.MuestraMensaje(QStringLiteral("Datos de jornadas"),
                      QStringLiteral("No se han podido guardar los datos de la jornada en el "
                                     "fichero JORNADAS.TVX (%1). Compruebe que la carpeta de "
                                     "datos admite escritura y vuelva a pulsar Guardar datos.")
                          .arg(DeCp(r.mensaje)),
                      4, kBotonesSalir, kContextoJornadas);
    return;
  }
  for (int s = 1; s <= kCajasEquipo; ++s) {
    PonEquipo(registroGuardado_, s, equipos[static_cast<std::size_t>(s)]);
  }
  fechaGuardada_ = s_.estado.datos.FechaJornada;
  Servicios::Espera(300);
  guardar_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
  Servicios::Espera(200);
  guardar_->hide();
}

std::array<std::string, kCajasEquipo + 1> PantallaJornadas::EquiposDeCajas() const {
  std::array<std::string, kCajasEquipo + 1> equipos;
  for (int s = 1; s <= kCajasEquipo; ++s) {
    equipos[static_cast<std::size_t>(s)] =
        ACp(cboEquipo_[static_cast<std::size_t>(s)]->currentText());
  }
  return equipos;
}

bool PantallaJornadas::CambiosSinGuardar() const {
  if (s_.estado.datos.FechaJornada != fechaGuardada_) return true;
  if (picFecJor_->isVisible()) {
    CajasFecha c = Cajas();
    for (std::string* caja : {&c.dia, &c.mes, &c.ano}) *caja = CompletaCajaFecha(*caja);
    if (FechaDesdeCajas(c) != fechaGuardada_) return true;
  }
  return EquiposCambiados(registroGuardado_, EquiposDeCajas());
}

bool PantallaJornadas::PuedeDescartar() {
  if (!CambiosSinGuardar()) return true;
  if (!s_.MuestraMensaje(PreguntaDescartar(Cp("Datos de jornadas"), kContextoJornadas))) {
    return false;
  }
  s_.estado.datos.FechaJornada = fechaGuardada_;
  return true;
}

void PantallaJornadas::CierraFechaSinCambios() {
  const CajasFecha c = CajasDesdeFecha(s_.estado.datos.FechaJornada);
  texFecDia_->setText(DeCp(c.dia));
  texFecMes_->setText(DeCp(c.mes));
  texFecAno_->setText(DeCp(c.ano));
  CierraBajoBoton(fecJor_, picFecJor_);
  Rotula();
}

void PantallaJornadas::done(int resultado) {
  if (saliendo_) return;
  saliendo_ = true;
  const bool sale = PuedeDescartar();
  saliendo_ = false;
  if (sale) Formulario::done(resultado);
}

bool PantallaJornadas::eventFilter(QObject* objeto, QEvent* evento) {
  // Escape in the open date panel closes it with the date it had: the screen stays.
  if (evento->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape && picFecJor_->isVisible() &&
      (objeto == texFecDia_ || objeto == texFecMes_ || objeto == texFecAno_)) {
    CierraFechaSinCambios();
    return true;
  }
  return Formulario::eventFilter(objeto, evento);
}

void PantallaJornadas::AbreEquipos() {
  s_.TocaSonido(kSonidoAccion);
  equipos_->Dibuja(true);
  {
    PantallaEquipos equipos(s_, this);
    equipos.exec();
  }
  CreaCboEquipo();
  equipos_->Dibuja(false);
}

void PantallaJornadas::CreaCboEquipo() {
  const LecturaEquipos l = zendo::CreaCboEquipo(s_.estado.rutaDatos);
  if (!l.mensaje.empty()) s_.AvisoSistema(DeCp(l.mensaje));
  if (l.error != 0) return;
  QStringList nombres;
  for (const auto& e : l.equipos) nombres << DeCp(e);
  const Ocupado ocupado(s_.estado);
  for (int s = 1; s <= kCajasEquipo; ++s) {
    QComboBox* cbo = cboEquipo_[static_cast<std::size_t>(s)];
    const QString texto = cbo->currentText();
    cbo->clear();
    cbo->addItems(nombres);
    cbo->setCurrentIndex(-1);
    cbo->setEditText(texto);
  }
}

}  // namespace zendo
