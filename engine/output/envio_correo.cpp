#include "engine/output/envio_correo.h"

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/lector_lineas.h"
#include "engine/core/texto.h"
#include "engine/output/codificacion_correo.h"
#include "engine/output/direcciones.h"

namespace zendo {
namespace {

constexpr int kContextoCorreo = 2460;

std::string Dominio(std::string_view direccion) {
  const auto arroba = direccion.find('@');
  return arroba == std::string_view::npos ? std::string()
                                          : std::string(direccion.substr(arroba + 1));
}

std::string Lista(const std::vector<std::string>& direcciones) {
  std::string l;
  for (const auto& d : direcciones) l += (l.empty() ? "" : ", ") + d;
  return l;
}

std::string Bytes(uint64_t n) {
  return Formato(static_cast<double>(n), "#,###,###,###,##0");
}

}  // namespace

std::string PalabrasServidor(std::string_view utf8) {
  std::string limpio;
  for (unsigned char c : utf8) {
    if (c == '\r' || c == '\n' || c == '\t') {
      if (!limpio.empty() && limpio.back() != ' ') limpio += ' ';
    } else if (c >= 0x20 && c != 0x7F) {
      limpio += static_cast<char>(c);
    }
  }
  // Character by character: what Windows-1252 cannot hold becomes "?".
  std::string texto;
  for (std::size_t i = 0; i < limpio.size();) {
    const auto c = static_cast<unsigned char>(limpio[i]);
    std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    n = std::min(n, limpio.size() - i);
    const ConversionCp1252 cp = Utf8ACp1252(std::string_view(limpio).substr(i, n));
    texto += cp.ok && cp.texto.size() == 1 ? cp.texto : "?";
    i += n;
  }
  return std::string(Recorta(texto));
}

InformeEnvio EnviaMensajes(TransporteCorreo& transporte, const PeticionEnvio& p,
                           const ProgresoEnvio& progreso, const std::atomic<bool>* cancelado,
                           std::time_t ahora) {
  InformeEnvio informe;
  std::vector<std::string> destinatarios;
  for (const auto& d : p.destinatarios) destinatarios.emplace_back(Recorta(d));
  informe.pendientes = destinatarios;
  auto falla = [&](FalloCorreo fallo, std::string direccion, std::string motivo = {}) {
    informe.resultado.fallo = fallo;
    informe.direccionFallida = std::move(direccion);
    informe.motivo = std::move(motivo);
    return informe;
  };

  // Nothing leaves when an address could break a header or the columns cannot be read.
  if (const std::string motivo = FalloDireccion(p.remitente); !motivo.empty()) {
    return falla(FalloCorreo::Remitente, p.remitente, motivo);
  }
  for (const auto& d : destinatarios) {
    if (const std::string motivo = FalloDireccion(d); !motivo.empty()) {
      return falla(FalloCorreo::Destinatario, d, motivo);
    }
  }
  if (!p.cuerpo.columnas.empty()) {
    const LectorLineas prueba(p.cuerpo.columnas);
    if (prueba.error() != kSinError) {
      return falla(FalloCorreo::Lectura, p.cuerpo.columnas.filename().string(),
                   "RED ERROR " + std::to_string(prueba.error()));
    }
  }
  if (destinatarios.empty()) return informe;

  const std::string asunto = Cp1252AUtf8(p.asunto);
  const std::string fecha = FechaCorreo(ahora);
  std::vector<std::string> cabeceras;
  uint64_t mayorCabecera = 0;
  for (const auto& d : destinatarios) {
    cabeceras.push_back(CabecerasMensaje({p.remitente, p.nombreRemitente, d, asunto, fecha,
                                          IdentificadorMensaje(Dominio(p.remitente))}));
    mayorCabecera = std::max<uint64_t>(mayorCabecera, cabeceras.back().size());
  }

  if (cancelado != nullptr && *cancelado) return falla(FalloCorreo::Cancelado, {});
  informe.resultado = transporte.Abre(p.conexion);
  if (!informe.resultado.ok()) {
    transporte.Cierra();
    return informe;
  }
  const uint64_t limite =
      transporte.LimiteServidor() > 0 ? transporte.LimiteServidor() : kLimiteSinAnuncio;
  int16_t error = kSinError;
  const uint64_t cuerpo = TamanoCuerpoCodificado(p.cuerpo, limite, error);
  if (error != kSinError) {
    transporte.Cierra();
    return falla(FalloCorreo::Lectura, p.cuerpo.columnas.filename().string(),
                 "RED ERROR " + std::to_string(error));
  }
  if (mayorCabecera + cuerpo > limite) {
    transporte.Cierra();
    informe.tamano = mayorCabecera + cuerpo;
    informe.limite = limite;
    return falla(FalloCorreo::Tamano, {});
  }

  const int total = static_cast<int>(destinatarios.size());
  for (int i = 0; i < total; ++i) {
    const auto& d = destinatarios[static_cast<std::size_t>(i)];
    if (cancelado != nullptr && *cancelado) {
      informe.resultado = {FalloCorreo::Cancelado, {}};
      break;
    }
    if (progreso) progreso(i + 1, total);
    FuenteMensaje mensaje(cabeceras[static_cast<std::size_t>(i)], p.cuerpo, cuerpo);
    informe.resultado = transporte.Envia(p.remitente, d, mensaje, cancelado);
    if (!informe.resultado.ok()) {
      if (mensaje.error() != kSinError) {
        informe.resultado.fallo = FalloCorreo::Lectura;
        informe.direccionFallida = p.cuerpo.columnas.filename().string();
        informe.motivo = "RED ERROR " + std::to_string(mensaje.error());
      } else {
        informe.direccionFallida =
            informe.resultado.fallo == FalloCorreo::Remitente ? p.remitente : d;
      }
      break;
    }
    informe.recibidos.push_back(d);
    informe.pendientes.erase(informe.pendientes.begin());
  }
  transporte.Cierra();
  return informe;
}

std::string TextoProgresoEnvio(int numero, int total) {
  return "Enviando el mensaje " + std::to_string(numero) + " de " + std::to_string(total);
}

Mensaje MensajeEnvio(const InformeEnvio& informe) {
  const ResultadoCorreo& r = informe.resultado;
  const std::string& d = informe.direccionFallida;
  std::vector<std::string> parrafos;
  switch (r.fallo) {
    case FalloCorreo::Ninguno:
      parrafos.push_back(informe.recibidos.size() == 1
                             ? Cp("Se ha enviado el mensaje.")
                             : "Se han enviado los " + std::to_string(informe.recibidos.size()) +
                                   " mensajes.");
      break;
    case FalloCorreo::Conexion:
      parrafos.push_back(
          Cp("No se ha podido conectar con el servidor de correo. Compruebe el "
             "nombre del servidor y el puerto en los ajustes de correo."));
      break;
    case FalloCorreo::Certificado:
      parrafos.push_back(
          Cp("No se ha podido establecer una conexión segura con el servidor de "
             "correo: su certificado no es de confianza o la conexión cifrada ha "
             "fallado."));
      break;
    case FalloCorreo::Autenticacion:
      parrafos.push_back(
          Cp("El servidor de correo no ha aceptado el usuario o la contraseña. "
             "Revíselos en los ajustes de correo."));
      break;
    case FalloCorreo::Remitente:
      parrafos.push_back(Cp("La dirección del remitente ") + d +
                         (informe.motivo.empty() ? Cp(" ha sido rechazada por el servidor.")
                                                 : Cp(" no es válida: ") + informe.motivo));
      break;
    case FalloCorreo::Destinatario:
      parrafos.push_back(Cp("La dirección ") + d +
                         (informe.motivo.empty() ? Cp(" ha sido rechazada por el servidor.")
                                                 : Cp(" no es válida: ") + informe.motivo));
      break;
    case FalloCorreo::Tamano:
      if (informe.limite > 0) {
        parrafos.push_back(Cp("El mensaje ocupa ") + Bytes(informe.tamano) +
                           Cp(" bytes y el servidor de correo admite como máximo ") +
                           Bytes(informe.limite) +
                           Cp(". No se ha enviado nada. Para hacer llegar las columnas de esta "
                              "reducción cópielas en un soporte externo (Copiar en soporte "
                              "externo) o envíe solo la quiniela base y condiciones."));
      } else {
        parrafos.push_back(
            Cp("El mensaje es demasiado grande para el servidor de correo. Para "
               "hacer llegar las columnas cópielas en un soporte externo."));
      }
      break;
    case FalloCorreo::Lectura:
      parrafos.push_back(Cp("No se ha podido leer el fichero de columnas ") + d + " (" +
                         informe.motivo + Cp("). No se ha enviado nada con ese fichero."));
      break;
    case FalloCorreo::Cancelado:
      parrafos.push_back(Cp("Se ha cancelado el envío."));
      break;
    case FalloCorreo::Otro:
      parrafos.push_back(Cp("El envío del mensaje ha fallado."));
      break;
  }
  if (!r.respuesta.empty()) {
    parrafos.push_back(Cp("Respuesta del servidor: ") + PalabrasServidor(r.respuesta));
  }
  if (r.fallo != FalloCorreo::Ninguno) {
    parrafos.push_back(informe.recibidos.empty()
                           ? Cp("Ninguna dirección ha recibido el mensaje.")
                           : Cp("Han recibido el mensaje: ") + Lista(informe.recibidos) + ".");
  }
  Mensaje m;
  m.titulo = Cp("Envío por correo electrónico");
  m.contexto = kContextoCorreo;
  m.botones = kBotonesSalir;
  for (const auto& parrafo : parrafos) {
    if (!m.texto.empty()) m.texto += kSaltoLinea;
    m.texto += parrafo;
    // The dialog holds some 44 characters a line.
    m.lineas += static_cast<int>(parrafo.size() / 42) + 1;
  }
  return m;
}

}  // namespace zendo
