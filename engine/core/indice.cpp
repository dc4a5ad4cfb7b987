#include "engine/core/indice.h"

#include <algorithm>
#include <cmath>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

const std::string kRegistroBorrado = "0000" + std::string(391, ' ');

std::string MensajeFaltaIndice() {
  return Cp("No se encuentra el fichero BASES.TVX. Se va a proceder a crearlo.");
}

EstadoIndice Error(const char* codigo, int16_t error,
                   OperacionFichero op = OperacionFichero::Leer) {
  return {error, std::string(codigo) + " ERROR " + std::to_string(error),
          FalloFichero{error, kFicheroIndice, op}};
}

// Writes `texto` into `registro` at 1-based position `pos`, at most `ancho` characters.
void Pon(std::string& registro, std::size_t pos, std::size_t ancho, std::string_view texto) {
  registro.replace(pos - 1, std::min(ancho, texto.size()), texto.substr(0, ancho));
}

// A number right-aligned in its field (a wider text is cut to the field).
void PonDerecha(std::string& registro, std::size_t pos, std::size_t ancho, long long valor) {
  Pon(registro, pos, ancho, FormatoTexto(std::to_string(valor), std::string(ancho, '@')));
}

void PonDigito(std::string& registro, std::size_t pos, long long valor) {
  Pon(registro, pos, 1, std::to_string(valor));
}

std::string_view Campo(std::string_view registro, std::size_t desde, std::size_t hasta) {
  if (desde - 1 >= registro.size()) return {};
  return registro.substr(desde - 1, hasta - desde + 1);
}

struct Indice {
  std::vector<std::string> lineas;
  int16_t error = kSinError;
};

Indice LeeLineas(const fs::path& rutaDatos) {
  Indice ind;
  std::string contenido;
  ind.error = LeeFichero(rutaDatos / kFicheroIndice, contenido);
  if (ind.error != kSinError) return ind;
  for (auto linea : PartirLineas(contenido)) ind.lineas.emplace_back(linea);
  return ind;
}

std::string TextoIndice(const std::vector<std::string>& lineas) {
  std::string contenido;
  contenido.reserve(lineas.size() * kLargoRegistroBasesCrLf);
  for (const auto& l : lineas) {
    contenido += l;
    contenido += kSaltoLinea;
  }
  return contenido;
}

int16_t EscribeLineas(const fs::path& rutaDatos, const std::vector<std::string>& lineas) {
  return ReemplazaFichero(rutaDatos / kFicheroIndice, TextoIndice(lineas));
}

std::string Clave(int jornada, int orden) {
  return DosDigitos(jornada) + DosDigitos(orden);
}

bool TieneClave(std::string_view linea, const std::string& clave) {
  return linea.substr(0, 4) == clave;
}

int16_t CreaIndiceVacio(const fs::path& rutaDatos) {
  return ReemplazaFichero(rutaDatos / kFicheroIndice, "");
}

}  // namespace

BusquedaReduccion ExisteReduccion(const fs::path& rutaDatos, int jornada, int orden) {
  BusquedaReduccion b;
  const Indice ind = LeeLineas(rutaDatos);
  if (ind.error == kErrNoEncontrado) {
    b.estado.error = kErrNoEncontrado;
    b.estado.mensaje = MensajeFaltaIndice();
    const int16_t err = CreaIndiceVacio(rutaDatos);
    if (err != kSinError) {
      b.estado.mensaje += kSaltoLinea + "EEB ERROR " + std::to_string(err);
      b.estado.fallo = {err, kFicheroIndice, OperacionFichero::Crear};
    }
    return b;
  }
  if (ind.error != kSinError) {
    b.estado = Error("EEB", ind.error);
    return b;
  }
  const std::string clave = Clave(jornada, orden);
  for (std::size_t i = 0; i < ind.lineas.size(); ++i) {
    b.NumRegistroBases = static_cast<int16_t>(std::min<std::size_t>(i + 1, 32767));
    if (TieneClave(ind.lineas[i], clave)) {
      b.existe = true;
      b.RegistroLeido = AjustaAncho(ind.lineas[i], kLargoRegistroBases);
      return b;
    }
  }
  return b;
}

Reduccion ParseaRegistroBases(std::string_view texto) {
  const std::string registro = AjustaAncho(texto, kLargoRegistroBases);
  auto corto = [&](std::size_t d, std::size_t h) { return ValCorto(Campo(registro, d, h)); };
  auto largo = [&](std::size_t d, std::size_t h) { return ValEntero(Campo(registro, d, h)); };
  // A corrupt digit must not carry a value the rules cannot hold.
  auto acota = [](int16_t v, int16_t lo, int16_t hi) { return std::clamp(v, lo, hi); };

  Reduccion r;
  r.Jornada = corto(1, 2);
  r.Orden = corto(3, 4);
  r.Metodo = corto(5, 5);
  r.MinErrores = acota(corto(6, 7), 0, 14);
  r.MaxErrores = acota(corto(8, 9), 0, 14);
  r.MinPorcentaje = static_cast<float>(Val(Campo(registro, 10, 14)) / 100.0);
  r.MaxPorcentaje = static_cast<float>(Val(Campo(registro, 15, 19)) / 100.0);
  r.ApuestasBase = largo(24, 31);
  r.NumApuestas = largo(32, 39);
  for (int m = 1; m <= kPartidos; ++m) {
    const std::size_t p = static_cast<std::size_t>(6 * m + 34);
    DatosPartido& d = r.Partido[static_cast<std::size_t>(m)];
    d.NumSignos = 0;
    for (std::size_t s = 1; s <= 3; ++s) {
      d.Signo[s] = corto(p + s - 1, p + s - 1) != 0 ? 1 : 0;
      d.NumSignos = static_cast<int16_t>(d.NumSignos + d.Signo[s]);
    }
    d.AReducir = corto(p + 4, p + 4) != 0;
    d.Probable = acota(corto(p + 5, p + 5), 0, 3);
  }
  for (std::size_t s = 1; s <= 3; ++s) {
    for (std::size_t n = 0; n <= 14; ++n) {
      const std::size_t p = 15 * s + 116 + n;
      r.TotalSignos[s][n] = corto(p, p) != 0 ? 1 : 0;
    }
  }
  for (std::size_t m = 1; m <= 14; ++m) {
    for (std::size_t s = 1; s <= 3; ++s) {
      const std::size_t p = 9 * (m - 1) + 176 + 3 * (s - 1);
      r.Probabilidad[m][s] = acota(corto(p, p + 2), 0, 100);
    }
  }
  r.Probabilidad[kPartidos] = {0, 100, 0, 0};  // match 15 has none stored
  r.Descripcion = AjustaAncho(Recorta(Campo(registro, 311, 345)), 35);
  r.IncluyeExterno = corto(346, 346) != 0 ? 1 : 0;
  r.ColumnasPleno1 = largo(347, 354);
  r.ColumnasPlenoX = largo(355, 362);
  r.ApuestasQuiniela = largo(363, 370);
  r.ApuestasExternas = largo(371, 378);
  return r;
}

LecturaIndice LeeReduccion(const fs::path& rutaDatos, int16_t jornada, int16_t orden,
                           int16_t metodoGeneral, Reduccion& r) {
  LecturaIndice l;
  l.busqueda = ExisteReduccion(rutaDatos, jornada, orden);
  l.estado = l.busqueda.estado;
  if (l.estado.error != kSinError && l.estado.error != kErrNoEncontrado) {
    l.estado = Error("LFB", l.estado.error);
  }
  if (!l.busqueda.existe) {
    r = ReduccionNueva(jornada, orden, metodoGeneral);
    return l;
  }
  r = ParseaRegistroBases(l.busqueda.RegistroLeido);
  r.Jornada = jornada;
  r.Orden = orden;
  if (r.Metodo < kMetodoDirecto || r.Metodo > kMetodoManual) r.Metodo = metodoGeneral;
  l.ReduccionCargada = true;
  return l;
}

void LimpiaCriteriosNoUsados(Reduccion& r) {
  const bool usaErrores = r.Metodo == kMetodoColumnaProbable;
  const bool usaTotales = r.Metodo == kMetodoSeleccionSignos;
  const bool usaPorcentajes = r.Metodo == kMetodoBalanceSignos;
  if (!usaErrores) r.MinErrores = r.MaxErrores = 0;
  if (!usaTotales) {
    for (auto& fila : r.TotalSignos) fila.fill(0);
  }
  if (!usaPorcentajes) r.MinPorcentaje = r.MaxPorcentaje = 0;
}

std::string ConstruyeRegistroBases(const Reduccion& r) {
  std::string reg(kLargoRegistroBases, ' ');
  Pon(reg, 1, 2, DosDigitos(r.Jornada));
  Pon(reg, 3, 2, DosDigitos(r.Orden));
  PonDigito(reg, 5, r.Metodo);
  PonDerecha(reg, 6, 2, r.MinErrores);
  PonDerecha(reg, 8, 2, r.MaxErrores);
  PonDerecha(reg, 10, 5, std::llround(static_cast<double>(r.MinPorcentaje) * 100.0));
  PonDerecha(reg, 15, 5, std::llround(static_cast<double>(r.MaxPorcentaje) * 100.0));
  const bool manual = r.Metodo == kMetodoManual;
  const long long totalManual = static_cast<long long>(r.ApuestasQuiniela) + r.ApuestasExternas;
  PonDerecha(reg, 24, 8, manual ? totalManual : r.ApuestasBase);
  PonDerecha(reg, 32, 8, manual ? totalManual : r.NumApuestas);
  for (int m = 1; m <= kPartidos; ++m) {
    const std::size_t p = static_cast<std::size_t>(6 * m + 34);
    const DatosPartido& d = r.Partido[static_cast<std::size_t>(m)];
    for (std::size_t s = 1; s <= 3; ++s) PonDigito(reg, p + s - 1, d.Signo[s]);
    PonDigito(reg, p + 3, d.NumSignos);
    PonDigito(reg, p + 4, d.AReducir ? 1 : 0);
    PonDigito(reg, p + 5, d.Probable);
  }
  for (std::size_t s = 1; s <= 3; ++s) {
    for (std::size_t n = 0; n <= 14; ++n) PonDigito(reg, 15 * s + 116 + n, r.TotalSignos[s][n]);
  }
  for (std::size_t m = 1; m <= 14; ++m) {
    for (std::size_t s = 1; s <= 3; ++s) {
      Pon(reg, 9 * (m - 1) + 176 + 3 * (s - 1), 3, Formato(r.Probabilidad[m][s], "000"));
    }
  }
  Pon(reg, 311, 35, AjustaAncho(r.Descripcion, 35));
  PonDigito(reg, 346, r.IncluyeExterno);
  PonDerecha(reg, 347, 8, r.ColumnasPleno1);
  PonDerecha(reg, 355, 8, r.ColumnasPlenoX);
  PonDerecha(reg, 363, 8, r.ApuestasQuiniela);
  PonDerecha(reg, 371, 8, r.ApuestasExternas);
  return reg;
}

namespace {

// Writes a new index alone; the status carries `codigo` on failure.
EstadoIndice Escribe(const fs::path& rutaDatos, const ContenidoIndice& c, const char* codigo) {
  if (c.estado.error != kSinError || !c.cambia) return c.estado;
  const int16_t err = ReemplazaFichero(rutaDatos / kFicheroIndice, c.contenido);
  return err == kSinError ? EstadoIndice{} : Error(codigo, err, OperacionFichero::Escribir);
}

}  // namespace

ContenidoIndice IndiceConRegistro(const fs::path& rutaDatos, std::string_view registro) {
  ContenidoIndice c;
  const std::string reg = AjustaAncho(registro, kLargoRegistroBases);
  Indice ind = LeeLineas(rutaDatos);
  if (ind.error != kSinError && ind.error != kErrNoEncontrado) {
    c.estado = Error("EEB", ind.error);
    return c;
  }
  const std::string clave = reg.substr(0, 4);
  auto destino = std::find_if(ind.lineas.begin(), ind.lineas.end(),
                              [&](const std::string& l) { return TieneClave(l, clave); });
  if (destino == ind.lineas.end()) {
    destino = std::find_if(ind.lineas.begin(), ind.lineas.end(),
                           [&](const std::string& l) { return TieneClave(l, "0000"); });
  }
  if (destino == ind.lineas.end()) {
    ind.lineas.push_back(reg);
  } else {
    *destino = reg;
  }
  c.contenido = TextoIndice(ind.lineas);
  c.cambia = true;
  return c;
}

ContenidoIndice IndiceSinReducciones(const fs::path& rutaDatos,
                                     const std::function<bool(int, int)>& esBorrada,
                                     int* borradas) {
  ContenidoIndice c;
  if (borradas != nullptr) *borradas = 0;
  Indice ind = LeeLineas(rutaDatos);
  if (ind.error == kErrNoEncontrado) return c;
  if (ind.error != kSinError) {
    c.estado = Error("BRB", ind.error);
    return c;
  }
  std::vector<std::string> claves;
  for (auto& l : ind.lineas) {
    if (RegistroBorrado(l) || l.size() < 4) continue;
    const int jornada = ValCorto(std::string_view(l).substr(0, 2));
    const int orden = ValCorto(std::string_view(l).substr(2, 2));
    // The key as text, as the lookups compare it: "0A01" is no jornada of any range.
    if (l.substr(0, 4) != Clave(jornada, orden) || !esBorrada(jornada, orden)) continue;
    if (std::find(claves.begin(), claves.end(), l.substr(0, 4)) == claves.end()) {
      claves.push_back(l.substr(0, 4));
    }
    l = kRegistroBorrado;
    c.cambia = true;
  }
  if (borradas != nullptr) *borradas = static_cast<int>(claves.size());
  if (c.cambia) c.contenido = TextoIndice(ind.lineas);
  return c;
}

ContenidoIndice IndiceConContadores(const fs::path& rutaDatos, int16_t numRegistro,
                                    std::string registroLeido, int32_t numApuestas,
                                    int32_t columnasPleno1, int32_t columnasPlenoX) {
  ContenidoIndice c;
  registroLeido = AjustaAncho(registroLeido, kLargoRegistroBases);
  PonDerecha(registroLeido, 32, 8, numApuestas);
  PonDerecha(registroLeido, 347, 8, columnasPleno1);
  PonDerecha(registroLeido, 355, 8, columnasPlenoX);
  Indice ind = LeeLineas(rutaDatos);
  if (ind.error != kSinError) {
    c.estado = Error("EEB", ind.error);
    return c;
  }
  if (numRegistro < 1 || static_cast<std::size_t>(numRegistro) > ind.lineas.size()) {
    c.estado = Error("EEB", kErrFinFichero);
    return c;
  }
  ind.lineas[static_cast<std::size_t>(numRegistro) - 1] = registroLeido;
  c.contenido = TextoIndice(ind.lineas);
  c.cambia = true;
  return c;
}

EstadoIndice GuardaRegistroBases(const fs::path& rutaDatos, std::string_view registro) {
  return Escribe(rutaDatos, IndiceConRegistro(rutaDatos, registro), "EEB");
}

EstadoIndice BorraReduccionBases(const fs::path& rutaDatos, int jornada, int orden) {
  if (LeeLineas(rutaDatos).error == kErrNoEncontrado) {
    // Opening the index for record access creates it.
    const int16_t err = CreaIndiceVacio(rutaDatos);
    return err == kSinError ? EstadoIndice{} : Error("BRB", err, OperacionFichero::Crear);
  }
  const std::string clave = Clave(jornada, orden);
  return Escribe(rutaDatos,
                 IndiceSinReducciones(
                     rutaDatos, [&](int j, int o) { return Clave(j, o) == clave; }, nullptr),
                 "BRB");
}

EstadoIndice ReescribeContadores(const fs::path& rutaDatos, int16_t numRegistro,
                                 std::string registroLeido, int32_t numApuestas,
                                 int32_t columnasPleno1, int32_t columnasPlenoX) {
  return Escribe(rutaDatos,
                 IndiceConContadores(rutaDatos, numRegistro, std::move(registroLeido), numApuestas,
                                     columnasPleno1, columnasPlenoX),
                 "EEB");
}

EstadoIndice ReescribeDescripcion(const fs::path& rutaDatos, int jornada, int orden,
                                  std::string_view descripcion) {
  Indice ind = LeeLineas(rutaDatos);
  if (ind.error != kSinError) return Error("EEB", ind.error);
  const std::string clave = Clave(jornada, orden);
  for (auto& l : ind.lineas) {
    if (TieneClave(l, clave)) {
      l = AjustaAncho(l, kLargoRegistroBases);
      Pon(l, 311, 35, AjustaAncho(descripcion, 35));
      const int16_t err = EscribeLineas(rutaDatos, ind.lineas);
      return err == kSinError ? EstadoIndice{} : Error("EEB", err, OperacionFichero::Escribir);
    }
  }
  return {};
}

ListaIndice LeeIndice(const fs::path& rutaDatos) {
  ListaIndice li;
  Indice ind = LeeLineas(rutaDatos);
  if (ind.error != kSinError) {
    li.estado = Error("LFB", ind.error);
    return li;
  }
  li.registros = std::move(ind.lineas);
  for (auto& r : li.registros) r = AjustaAncho(r, kLargoRegistroBases);
  return li;
}

bool RegistroBorrado(std::string_view registro) {
  return registro.substr(0, 4) == "0000";
}

std::string NombreReduccion(int jornada, int orden) {
  return "RED" + DosDigitos(jornada) + DosDigitos(orden) + ".TVX";
}

std::string LineaColumna(std::string_view columna) {
  std::string l;
  l.reserve(columna.size() + 4);
  l += '"';
  l += columna;
  l += '"';
  l += kSaltoLinea;
  return l;
}

std::string_view ColumnaDeLinea(std::string_view linea) {
  linea = RecortaIzq(linea);
  if (!linea.empty() && linea.front() == '"') {
    linea.remove_prefix(1);
    return linea.substr(0, linea.find('"'));
  }
  return RecortaDer(linea.substr(0, linea.find(',')));
}

ColumnasReduccion LeeColumnasReduccion(const fs::path& rutaDatos, int jornada, int orden) {
  ColumnasReduccion c;
  std::string contenido;
  c.error = LeeFichero(rutaDatos / NombreReduccion(jornada, orden), contenido);
  if (c.error == kErrNoEncontrado) return c;
  if (c.error != kSinError) {
    c.mensaje = "RED ERROR " + std::to_string(c.error);
    return c;
  }
  for (auto linea : PartirLineas(contenido)) c.columnas.emplace_back(ColumnaDeLinea(linea));
  return c;
}

int16_t ReescribeReduccion(const fs::path& rutaDatos, int jornada, int orden,
                           const std::vector<std::string>& columnas) {
  const std::string nombre = NombreReduccion(jornada, orden);
  // The "N" copy, named by the temporaries' rule.
  EscritorAtomico escritor(rutaDatos / nombre, RutaTemporal(rutaDatos / nombre, "N"), 1 << 20);
  for (const auto& c : columnas) escritor.Escribe(LineaColumna(c));
  return escritor.Confirma();
}

}  // namespace zendo
