#include "engine/reduction/externo.h"

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/lector_lineas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

inline constexpr int kLargoColumna = 15;

std::string Encontrado(std::string_view archivo) {
  return Cp("Se ha  encontrado  el  archivo  ") + std::string(archivo) +
         Cp(" correspondiente a esta Jornada y Orden, pero ");
}

Mensaje MensajeFallo(FalloExterno fallo, std::string_view archivo, int32_t columna) {
  Mensaje m;
  m.titulo = Cp("Error en Archivo Externo");
  m.contexto = 2251;
  m.botones = kBotonesSalir;
  const std::string numero = TextoNumero(columna);
  switch (fallo) {
    case FalloExterno::Signo:
      m.texto = Encontrado(archivo) + Cp("tiene un error en la columna nro. ") + numero +
                Cp(", por tanto no podrá incorporarse a esta reducción.");
      m.lineas = 4;
      break;
    case FalloExterno::Longitud:
      m.texto = Encontrado(archivo) +
                Cp("se ha detectado  un  error de longitud en la columna no. ") + numero +
                Cp(" (cada columna debe tener un tamaño de  15  dígitos),  por tanto no podrá "
                   "incorporarse a esta reducción.");
      m.lineas = 6;
      break;
    default:
      m.texto = Encontrado(archivo) +
                Cp("no contiene ninguna columna,  por  tanto  no podrá incorporarse a esta "
                   "reducción.");
      m.lineas = 4;
      break;
  }
  return m;
}

}  // namespace

std::string NombreArchivoExterno(int jornada, int orden) {
  return "Q44F" + DosDigitos(jornada) + DosDigitos(orden) + ".TVF";
}

std::string_view CampoExterno(std::string_view linea) {
  if (!linea.empty() && linea.front() == '"') {
    linea.remove_prefix(1);
    return linea.substr(0, linea.find('"'));
  }
  return linea.substr(0, linea.find(','));
}

std::optional<std::string> ColumnaExterna(std::string_view linea) {
  const std::string_view campo = CampoExterno(linea);
  if (campo.size() != kLargoColumna) return std::nullopt;
  std::string columna(campo);
  for (char& c : columna) {
    if (c == 'x') c = 'X';
    if (c != '1' && c != 'X' && c != '2') return std::nullopt;
  }
  return columna;
}

namespace {

// The check of a file, one line at a time, so that a file of millions of lines is read
// streamed.
class Comprobador {
 public:
  explicit Comprobador(std::string_view archivo) { carga_.externo.ArchivoExterno = archivo; }

  // False once a fault is found: nothing after it counts.
  bool Linea(std::string_view linea) {
    Externo& e = carga_.externo;
    const std::string_view campo = CampoExterno(linea);
    if (campo.size() != kLargoColumna) {
      carga_.fallo = FalloExterno::Longitud;
      return false;
    }
    int variantes = 0;
    for (int i = 0; i < kLargoColumna; ++i) {
      const char c = campo[static_cast<std::size_t>(i)];
      if (c != '1' && c != 'X' && c != 'x' && c != '2') {
        carga_.fallo = FalloExterno::Signo;
        return false;
      }
      if (i < kLargoColumna - 1 && c != '1') ++variantes;
    }
    ++e.ColumnasExternas;
    ++e.Externas[static_cast<std::size_t>(variantes)];
    return true;
  }

  CargaExterno Termina() {
    Externo& e = carga_.externo;
    if (carga_.fallo == FalloExterno::Ninguno && e.ColumnasExternas == 0) {
      carga_.fallo = FalloExterno::Vacio;
    }
    if (carga_.fallo != FalloExterno::Ninguno) {
      carga_.mensaje = MensajeFallo(carga_.fallo, e.ArchivoExterno, e.ColumnasExternas + 1);
      e.Externas.fill(0);
      e.ColumnasExternas = 0;
    } else {
      e.ExternoValido = true;
    }
    return carga_;
  }

 private:
  CargaExterno carga_;
};

}  // namespace

CargaExterno CompruebaExterno(std::string_view contenido, std::string_view archivo) {
  Comprobador c(archivo);
  for (const std::string_view linea : PartirLineas(contenido)) {
    if (!c.Linea(linea)) break;
  }
  return c.Termina();
}

CargaExterno CargaArchivoExterno(const std::filesystem::path& rutaDatos, Reduccion& r) {
  if (r.Metodo != kMetodoManual) return {};
  const std::string archivo = NombreArchivoExterno(r.Jornada, r.Orden);
  CargaExterno carga;
  carga.externo.ArchivoExterno = archivo;
  // A column line is short: a longer line is cut, which keeps it faulty.
  LectorLineas lector(rutaDatos / archivo, 1 << 16, 4096);
  if (lector.error() == kSinError) {
    Comprobador c(archivo);
    int64_t lineas = 0;
    std::string_view linea;
    bool sigue = true;
    while (sigue && lector.Siguiente(linea)) {
      if (++lineas > kMaximoColumnasExternas) {
        carga.lectura = {kErrDesbordamiento, archivo, OperacionFichero::Leer};
        break;
      }
      sigue = c.Linea(linea);
    }
    if (lector.error() != kSinError) {
      carga.lectura = {lector.error(), archivo, OperacionFichero::Leer};
    }
    if (!carga.lectura) carga = c.Termina();
  } else if (lector.error() != kErrNoEncontrado) {
    carga.lectura = {lector.error(), archivo, OperacionFichero::Leer};
  }
  if (!carga.externo.ExternoValido) r.IncluyeExterno = 0;
  return carga;
}

std::array<std::string, 3> LineasPanelExterno(const Externo& e) {
  if (!e.ExternoValido) {
    return {Cp("No se ha encontrado ningún archivo"),
            Cp("externo (") + e.ArchivoExterno + Cp(") para añadir"),
            Cp("columnas a las de la Quiniela Base.")};
  }
  return {Cp("Se ha encontrado el archivo externo"), e.ArchivoExterno + " conteniendo un total",
          "de " + TextoNumero(e.ColumnasExternas) + " apuestas."};
}

}  // namespace zendo
