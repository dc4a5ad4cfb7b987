// The external column file of a manual reduction: as the reduction screen checks it (from
// memory and from the file) and as the generation checks and copies it. All of them must
// agree on whether it is valid and on its number of columns.

#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/core/fichero.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion_externo.h"
#include "engine/reduction/modelo.h"
#include "fuzz/carpeta_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texto(reinterpret_cast<const char*>(data), size);
  const zendo::CargaExterno memoria = zendo::CompruebaExterno(texto, "Q44F0101.TVF");
  const zendo::Externo& e = memoria.externo;
  int64_t suma = 0;
  for (const int32_t n : e.Externas) suma += n;
  if (e.ExternoValido != (memoria.fallo == zendo::FalloExterno::Ninguno)) __builtin_trap();
  if (e.ExternoValido && (e.ColumnasExternas <= 0 || suma != e.ColumnasExternas)) {
    __builtin_trap();
  }
  if (!e.ExternoValido && (e.ColumnasExternas != 0 || suma != 0 || !memoria.mensaje)) {
    __builtin_trap();
  }

  const std::filesystem::path& carpeta = zendo::fuzz::Carpeta();
  const std::filesystem::path ruta = carpeta / "Q44F0101.TVF";
  if (zendo::ReemplazaFichero(ruta, texto) != 0) return 0;
  zendo::Reduccion r = zendo::ReduccionNueva(1, 1, zendo::kMetodoManual);
  r.IncluyeExterno = 1;
  const zendo::CargaExterno fichero = zendo::CargaArchivoExterno(carpeta, r);
  // Read from the file or from memory, the verdict is the same.
  if (fichero.externo.ExternoValido != e.ExternoValido ||
      fichero.externo.ColumnasExternas != e.ColumnasExternas) {
    __builtin_trap();
  }
  zendo::LectorExterno lector(ruta);
  const std::atomic<bool> nunca{false};
  if (!lector.Abierto()) return 0;
  if (lector.Valida(nunca) != e.ExternoValido) __builtin_trap();
  if (!e.ExternoValido) return 0;
  // The generation copies every column once, in the group of its match-15 sign.
  zendo::EscritorAtomico escritor(carpeta / "RED0101.TVX", 4096);
  int64_t copiadas = 0;
  {
    zendo::SalidaColumnas salida(escritor, 4096);
    for (const char signo : {'1', 'X', '2'}) {
      const int64_t n = lector.CopiaGrupo(signo, salida, nunca);
      if (n < 0) __builtin_trap();
      copiadas += n;
    }
    salida.Vacia();
  }
  if (copiadas != e.ColumnasExternas) __builtin_trap();
  escritor.Descarta();
  return 0;
}
