#include "apoyo/servidor_smtp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace zendo::prueba {
namespace fs = std::filesystem;

namespace {

std::string Lee(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> l;
  std::istringstream s(texto);
  for (std::string x; std::getline(s, x);) l.push_back(x);
  return l;
}

}  // namespace

ServidorSmtp::ServidorSmtp(const fs::path& carpeta, OpcionesSmtp o) : carpeta_(carpeta) {
  fs::create_directories(carpeta_);
  const fs::path buzon = carpeta_ / "buzon";
  std::vector<std::string> args = {"/usr/bin/python3", ZENDO_SERVIDOR_SMTP, "--carpeta",
                                   buzon.string()};
  if (o.tls) {
    certificado_ = carpeta_ / "certificado.pem";
    const fs::path clave = carpeta_ / "clave.pem";
    const std::string orden =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost"
        " -addext subjectAltName=DNS:localhost,IP:127.0.0.1 -keyout '" +
        clave.string() + "' -out '" + certificado_.string() + "' >/dev/null 2>&1";
    if (std::system(orden.c_str()) != 0) return;
    args.insert(args.end(),
                {"--certificado", certificado_.string(), "--clave-privada", clave.string()});
  }
  if (!o.usuario.empty())
    args.insert(args.end(), {"--usuario", o.usuario, "--contrasena", o.contrasena});
  if (o.limite > 0) args.insert(args.end(), {"--limite", std::to_string(o.limite)});
  for (const auto& r : o.rechaza) args.insert(args.end(), {"--rechaza", r});

  int haciaServidor[2];
  int desdeServidor[2];
  if (::pipe(haciaServidor) != 0) return;
  if (::pipe(desdeServidor) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(haciaServidor[0], 0);
    ::dup2(desdeServidor[1], 1);
    ::close(haciaServidor[1]);
    ::close(desdeServidor[0]);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(haciaServidor[0]);
  ::close(desdeServidor[1]);
  entrada_ = haciaServidor[1];
  // "PUERTO n" once it listens; give up after 20 s.
  std::string linea;
  pollfd p{desdeServidor[0], POLLIN, 0};
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (linea.find('\n') == std::string::npos && std::chrono::steady_clock::now() < limite) {
    if (::poll(&p, 1, 200) > 0) {
      char c[64];
      const ssize_t n = ::read(desdeServidor[0], c, sizeof c);
      if (n <= 0) break;
      linea.append(c, static_cast<std::size_t>(n));
    }
  }
  ::close(desdeServidor[0]);
  if (linea.rfind("PUERTO ", 0) == 0) puerto_ = std::atoi(linea.c_str() + 7);
}

ServidorSmtp::~ServidorSmtp() {
  if (entrada_ >= 0) ::close(entrada_);
  if (pid_ > 0) {
    for (int i = 0; i < 50; ++i) {
      int estado = 0;
      if (::waitpid(pid_, &estado, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

std::vector<MensajeRecibido> ServidorSmtp::Recibidos() const {
  std::vector<MensajeRecibido> m;
  const fs::path b = carpeta_ / "buzon";
  for (int n = 1; fs::exists(b / (std::to_string(n) + ".eml")); ++n) {
    const std::string base = (b / std::to_string(n)).string();
    MensajeRecibido r;
    r.de = Lee(base + ".de");
    r.para = Lineas(Lee(base + ".para"));
    r.asunto = Lee(base + ".asunto");
    r.cabeceras = Lee(base + ".cabeceras");
    r.cuerpo = Lee(base + ".cuerpo");
    r.crudo = Lee(base + ".eml");
    m.push_back(std::move(r));
  }
  return m;
}

int ServidorSmtp::Conexiones() const {
  return std::atoi(Lee(carpeta_ / "buzon" / "conexiones").c_str());
}

int ServidorSmtp::PuertoLibre() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  socklen_t largo = sizeof a;
  int puerto = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &largo) == 0) {
    puerto = ntohs(a.sin_port);
  }
  ::close(s);  // bound but never listening: a connection is refused
  return puerto;
}

}  // namespace zendo::prueba
