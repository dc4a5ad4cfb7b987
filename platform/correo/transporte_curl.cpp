#include "platform/correo/transporte_curl.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/output/mensaje_correo.h"

namespace zendo {
namespace {

bool IniciaCurl() {
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return iniciado;
}

int Depura(CURL*, curl_infotype tipo, char* datos, size_t largo, void* usuario) {
  static_cast<TransporteCurl*>(usuario)->Dialogo(tipo, datos, largo);
  return 0;
}

size_t Descarta(char*, size_t tam, size_t n, void*) {
  return tam * n;
}

size_t LeeMensaje(char* destino, size_t tam, size_t n, void* usuario) {
  auto* mensaje = static_cast<FuenteMensaje*>(usuario);
  const std::size_t leido = mensaje->Lee(destino, tam * n);
  // A columns file that fails half-way must not end the message as if it were whole.
  if (leido == 0 && mensaje->error() != 0) return CURL_READFUNC_ABORT;
  return leido;
}

int Progreso(void* usuario, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* cancelado = static_cast<const std::atomic<bool>*>(usuario);
  return cancelado != nullptr && cancelado->load() ? 1 : 0;
}

bool EmpiezaPor(std::string_view s, std::string_view prefijo) {
  if (s.size() < prefijo.size()) return false;
  for (std::size_t i = 0; i < prefijo.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(s[i])) != prefijo[i]) return false;
  }
  return true;
}

}  // namespace

TransporteCurl::TransporteCurl() {
  IniciaCurl();
}

TransporteCurl::~TransporteCurl() {
  Cierra();
}

void TransporteCurl::OlvidaContrasena() {
  std::fill(contrasena_.begin(), contrasena_.end(), '\0');
  contrasena_.clear();
}

void TransporteCurl::Dialogo(curl_infotype tipo, const char* datos, std::size_t largo) {
  if (tipo == CURLINFO_HEADER_OUT) {
    // Only the verb: what follows it may be a password (AUTH) or an address.
    std::string_view orden(datos, std::min<std::size_t>(largo, 4));
    ultimaOrden_.clear();
    for (char c : orden)
      ultimaOrden_ += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return;
  }
  if (tipo != CURLINFO_HEADER_IN) return;
  recibido_.append(datos, largo);
  std::size_t fin;
  while ((fin = recibido_.find('\n')) != std::string::npos) {
    std::string linea = recibido_.substr(0, fin);
    recibido_.erase(0, fin + 1);
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    LineaServidor(linea);
  }
}

void TransporteCurl::LineaServidor(std::string_view linea) {
  // "250-SIZE 35882577" ... "250 HELP": a reply ends with the line whose code is followed by
  // a blank.
  if (respuestaCerrada_) {
    respuesta_.clear();
    respuestaCerrada_ = false;
  }
  if (!respuesta_.empty()) respuesta_ += ' ';
  respuesta_ += std::string(linea.substr(0, 512));
  if (linea.size() >= 3) {
    codigoRespuesta_ = std::atoi(std::string(linea.substr(0, 3)).c_str());
  }
  if (linea.size() < 4 || linea[3] != '-') {
    respuestaCerrada_ = true;
    if (codigoRespuesta_ >= 400 && codigoFallo_ == 0) {
      codigoFallo_ = codigoRespuesta_;
      respuestaFallo_ = respuesta_;
      ordenFallo_ = ultimaOrden_;
    }
  }
  if (linea.size() > 4 && EmpiezaPor(linea.substr(4), "SIZE")) {
    const std::string_view resto = linea.substr(8);
    limite_ = 0;
    for (char c : resto) {
      if (c >= '0' && c <= '9') {
        limite_ = limite_ * 10 + static_cast<uint64_t>(c - '0');
      } else if (c != ' ' || limite_ > 0) {
        break;
      }
    }
  }
}

ResultadoCorreo TransporteCurl::Resultado(CURLcode codigo, FalloCorreo alFallar) const {
  ResultadoCorreo r;
  if (codigo == CURLE_OK) return r;
  switch (codigo) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_GOT_NOTHING:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      r.fallo = FalloCorreo::Conexion;
      break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_USE_SSL_FAILED:
      r.fallo = FalloCorreo::Certificado;
      break;
    case CURLE_LOGIN_DENIED:
      r.fallo = FalloCorreo::Autenticacion;
      break;
    case CURLE_ABORTED_BY_CALLBACK:
      r.fallo = FalloCorreo::Cancelado;
      break;
    case CURLE_READ_ERROR:
      r.fallo = FalloCorreo::Lectura;
      break;
    default:
      r.fallo = alFallar;
      if (codigoFallo_ == 530 || codigoFallo_ == 535 || ordenFallo_ == "AUTH") {
        r.fallo = FalloCorreo::Autenticacion;
      } else if (codigoFallo_ == 552 || codigoFallo_ == 523) {
        r.fallo = FalloCorreo::Tamano;
      } else if (codigoFallo_ != 0 && ordenFallo_ == "MAIL") {
        r.fallo = FalloCorreo::Remitente;
      } else if (codigoFallo_ != 0 && ordenFallo_ == "RCPT") {
        r.fallo = FalloCorreo::Destinatario;
      }
      break;
  }
  // The server's words when it refused something, else libcurl's.
  const bool delServidor =
      codigoFallo_ != 0 && r.fallo != FalloCorreo::Conexion && r.fallo != FalloCorreo::Cancelado;
  if (delServidor) {
    r.respuesta = respuestaFallo_;
  } else {
    r.respuesta = error_[0] != '\0' ? std::string(error_) : std::string(curl_easy_strerror(codigo));
  }
  return r;
}

void TransporteCurl::Reinicia() {
  recibido_.clear();
  respuesta_.clear();
  respuestaCerrada_ = true;
  codigoRespuesta_ = 0;
  respuestaFallo_.clear();
  ordenFallo_.clear();
  codigoFallo_ = 0;
  error_[0] = '\0';
}

ResultadoCorreo TransporteCurl::Abre(const ConexionCorreo& c) {
  Cierra();
  limite_ = 0;
  Reinicia();
  if (!IniciaCurl() || (curl_ = curl_easy_init()) == nullptr) {
    return {FalloCorreo::Otro, "libcurl"};
  }
  curl_easy_setopt(curl_, CURLOPT_URL, c.url.c_str());
  curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
  curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L);  // into Dialogo only, never to a stream
  curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, Depura);
  curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, Descarta);
  curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops answering ends the send instead of hanging it.
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
  curl_easy_setopt(curl_, CURLOPT_USE_SSL,
                   c.tls == NivelTls::Ninguno      ? CURLUSESSL_NONE
                   : c.tls == NivelTls::SiSeOfrece ? CURLUSESSL_TRY
                                                   : CURLUSESSL_ALL);
  if (!c.ca.empty()) {
    // The extra authority beside the system's own.
    curl_easy_setopt(curl_, CURLOPT_CAINFO, c.ca.c_str());
    curl_easy_setopt(curl_, CURLOPT_CAPATH, "/etc/ssl/certs");
  }
  if (!c.usuario.empty()) {
    contrasena_ = c.contrasena;
    curl_easy_setopt(curl_, CURLOPT_USERNAME, c.usuario.c_str());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, contrasena_.c_str());
  }
  // Connecting, greeting, STARTTLS and signing on happen with a NOOP, which tells whether
  // everything works before any message; the connection then stays open for the messages.
  curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, "NOOP");
  const ResultadoCorreo r = Resultado(curl_easy_perform(curl_), FalloCorreo::Conexion);
  curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, nullptr);
  if (!r.ok()) Cierra();
  return r;
}

ResultadoCorreo TransporteCurl::Envia(std::string_view remitente, std::string_view destinatario,
                                      FuenteMensaje& mensaje, const std::atomic<bool>* cancelado) {
  if (curl_ == nullptr) return {FalloCorreo::Conexion, "sin conexión"};
  Reinicia();
  const std::string de = "<" + std::string(remitente) + ">";
  const std::string para = "<" + std::string(destinatario) + ">";
  curl_slist* lista = curl_slist_append(nullptr, para.c_str());
  curl_easy_setopt(curl_, CURLOPT_MAIL_FROM, de.c_str());
  curl_easy_setopt(curl_, CURLOPT_MAIL_RCPT, lista);
  curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl_, CURLOPT_READFUNCTION, LeeMensaje);
  curl_easy_setopt(curl_, CURLOPT_READDATA, &mensaje);
  curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mensaje.Tamano()));
  curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, Progreso);
  curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, cancelado);
  const CURLcode codigo = curl_easy_perform(curl_);
  curl_easy_setopt(curl_, CURLOPT_MAIL_RCPT, nullptr);
  curl_easy_setopt(curl_, CURLOPT_READDATA, nullptr);
  curl_slist_free_all(lista);
  ResultadoCorreo r = Resultado(codigo, FalloCorreo::Otro);
  if (codigo == CURLE_ABORTED_BY_CALLBACK && mensaje.error() != 0) r.fallo = FalloCorreo::Lectura;
  return r;
}

void TransporteCurl::Cierra() {
  if (curl_ != nullptr) {
    curl_easy_cleanup(curl_);  // says QUIT on the open connection
    curl_ = nullptr;
  }
  OlvidaContrasena();
}

}  // namespace zendo
