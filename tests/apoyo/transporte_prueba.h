#pragma once
// A mail transport for tests: it keeps every message it is handed, whole, and fails where a
// test tells it to.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/output/mensaje_correo.h"
#include "engine/output/transporte_correo.h"

namespace zendo::prueba {

class TransportePrueba : public TransporteCorreo {
 public:
  struct Enviado {
    std::string remitente;
    std::string destinatario;
    std::string mensaje;  // the Internet message, byte for byte
    uint64_t tamano = 0;  // what the source announced
  };

  ResultadoCorreo Abre(const ConexionCorreo& c) override {
    ++aperturas;
    conexion = c;
    abierta = falloAbrir.ok();
    return falloAbrir;
  }
  uint64_t LimiteServidor() const override { return limite; }
  ResultadoCorreo Envia(std::string_view remitente, std::string_view destinatario,
                        FuenteMensaje& mensaje, const std::atomic<bool>*) override {
    if (!abierta) return {FalloCorreo::Conexion, "no abierta"};
    if (antesDeEnviar) antesDeEnviar(enviados.size());
    if (const auto it = fallos.find(std::string(destinatario)); it != fallos.end()) {
      return it->second;
    }
    Enviado e{std::string(remitente), std::string(destinatario), {}, mensaje.Tamano()};
    char trozo[777];
    for (std::size_t n; (n = mensaje.Lee(trozo, sizeof trozo)) > 0;) e.mensaje.append(trozo, n);
    if (mensaje.error() != 0) return {FalloCorreo::Lectura, {}};
    enviados.push_back(std::move(e));
    return {};
  }
  void Cierra() override {
    if (abierta) ++cierres;
    abierta = false;
  }

  ConexionCorreo conexion;
  ResultadoCorreo falloAbrir;
  uint64_t limite = 0;
  std::map<std::string, ResultadoCorreo> fallos;  // by recipient
  std::function<void(std::size_t enviadosYa)> antesDeEnviar;
  std::vector<Enviado> enviados;
  int aperturas = 0;
  int cierres = 0;
  bool abierta = false;
};

}  // namespace zendo::prueba
