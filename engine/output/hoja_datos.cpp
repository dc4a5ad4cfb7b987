#include "engine/output/hoja_datos.h"

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr std::size_t kAnchoPartido = 35;

std::string Espacios(std::size_t n) {
  return std::string(n, ' ');
}

// The match part: 35 dots overwritten from the left by the number and the two teams.
std::string PartePartido(int i, const Jornada& jornada) {
  const std::string local(Equipo(jornada.RegistroJornada, 2 * i - 1));
  const std::string visitante(Equipo(jornada.RegistroJornada, 2 * i));
  std::string texto = (i < 10 ? " " : "") + std::to_string(i) + ". " + local;
  if (!local.empty() && !visitante.empty()) texto += "-";
  texto += visitante;
  std::string parte(kAnchoPartido, '.');
  parte.replace(0, std::min(texto.size(), kAnchoPartido), texto, 0, kAnchoPartido);
  return parte;
}

void Pon(std::string& s, std::size_t posicion, std::string_view texto) {
  s.replace(posicion - 1, texto.size(), texto);
}

std::string ParteSignos(const Reduccion& r, int i) {
  const DatosPartido& p = r.Partido[static_cast<std::size_t>(i)];
  std::string s = Espacios(27);
  for (int k = 1; k <= 3; ++k) {
    if (p.Signo[static_cast<std::size_t>(k)] != 0) {
      s[static_cast<std::size_t>(2 * k - 2)] = kSignos[k];
    }
  }
  if (r.Metodo == kMetodoBalanceSignos) {
    std::string porcentajes = Espacios(14);
    for (int k = 1; k <= 3; ++k) {
      const int16_t v = r.Probabilidad[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)];
      if (v > 0)
        Pon(porcentajes, static_cast<std::size_t>(4 * (k - 1) + 1), FormatoTexto(v, "@@@"));
    }
    return s.substr(0, 10) + porcentajes;
  }
  const bool conElegir = r.Metodo != kMetodoManual;
  if (conElegir && p.NumSignos >= 2 && i != kPartidos) Pon(s, 13, p.AReducir ? "[X]" : "[ ]");
  if (p.AReducir && r.Metodo == kMetodoColumnaProbable && p.Probable >= 1 && p.Probable <= 3) {
    s[static_cast<std::size_t>(22 + 2 * (p.Probable - 1))] = kSignos[p.Probable];
  }
  return s;
}

std::string Cuenta(double valor) {
  return Formato(valor, "##,###,###");
}

// A figure divided by another; 0 when the divisor is 0 (as the figures panel shows it).
double Cociente(double a, double b) {
  return b == 0 ? 0.0 : a / b;
}

}  // namespace

std::string TituloJornada(int jornada, std::string_view fecha, int orden) {
  return "JORNADA NRO. " + FormatoTexto(jornada, "@@") + " DE FECHA " + std::string(fecha) +
         " (Orden " + FormatoTexto(orden, "@@") + ")";
}

std::vector<LineaHoja> HojaDatosBasicos(const Reduccion& r, const Jornada& jornada, float precio,
                                        UsoHoja uso) {
  std::vector<LineaHoja> h;
  auto linea = [&h](std::string texto, bool negrita = false) {
    h.push_back({std::move(texto), negrita});
  };
  auto vacias = [&linea](int n) {
    for (int i = 0; i < n; ++i) linea(std::string());
  };
  const bool correo = uso == UsoHoja::Correo;
  const std::string titulo = TituloJornada(r.Jornada, jornada.FechaJornada, r.Orden);
  if (correo) {
    // The message starts at the left edge: neither the title nor the description is indented.
    linea(titulo);
    linea(std::string(RecortaIzq(r.Descripcion)));
  } else {
    for (int i = 0; i < 3; ++i) linea(std::string(), true);
    linea("     " + titulo, true);
    vacias(1);
    linea("     " + r.Descripcion);
  }
  vacias(2);

  const int metodo = r.Metodo;
  const bool sinElegir = metodo == kMetodoBalanceSignos || metodo == kMetodoManual;
  std::string cabeza1 = Espacios(36) + "Quiniela  ";
  std::string cabeza2 = Espacios(36) + "  base    ";
  if (!sinElegir) {
    cabeza1 += "Partidos ";
    cabeza2 += "reducidos";
  }
  if (metodo == kMetodoColumnaProbable) {
    cabeza1 += "   Columna";
    cabeza2 += "  probable";
  } else if (metodo == kMetodoBalanceSignos) {
    cabeza1 += " Porcentajes";
    cabeza2 += " -1- -X- -2-";
  }
  linea(cabeza1);
  linea(cabeza2);
  vacias(1);
  for (int i = 1; i <= kPartidos; ++i) {
    linea(PartePartido(i, jornada) + "  " + ParteSignos(r, i));
    vacias(1);
  }

  vacias(4);
  auto resumen = [&](const std::string& texto) {
    linea(Espacios(10) + texto);
    vacias(1);
  };
  const double base = r.ApuestasBase;
  const double reducidas = r.NumApuestas;
  resumen(std::string(Recorta(NombreLargoMetodo(metodo))));
  resumen(Cuenta(base) + " apuestas reducidas a " + Cuenta(reducidas));
  resumen(Cp("Factor de reducción......: ") + Formato(Cociente(base, reducidas), "##0.00"));
  if (metodo == kMetodoManual) {
    if (r.ApuestasQuiniela != 0 && r.ApuestasExternas != 0) {
      resumen("Apuestas Quiniela Base...: " + Cuenta(r.ApuestasQuiniela));
    }
    if (r.ApuestasExternas != 0)
      resumen("Apuestas Archivo Externo.: " + Cuenta(r.ApuestasExternas));
    if (r.ApuestasBase != r.NumApuestas) {
      resumen("Apuestas borradas........: " + Cuenta(base - reducidas));
    }
  }
  if (metodo == kMetodoBalanceSignos) {
    std::string t = "Porcentajes cubiertos....: " + FormatoSimple(r.MinPorcentaje, "##0.00") + "%";
    if (r.MinPorcentaje != 100.0f) t += "  al  " + FormatoSimple(r.MaxPorcentaje, "##0.00") + "%";
    resumen(t);
  }
  if (metodo == kMetodoSeleccionSignos) {
    for (int s = 1; s <= 3; ++s) {
      std::string t = std::string("Signos ") + kSignos[s] + ".................: ";
      bool primero = true;
      for (int n = 0; n <= 14; ++n) {
        if (r.TotalSignos[static_cast<std::size_t>(s)][static_cast<std::size_t>(n)] == 0) continue;
        if (!primero) t += ",";
        t += FormatoTexto(n, "@@");
        primero = false;
      }
      resumen(t);
    }
  }
  if (metodo == kMetodoColumnaProbable) {
    resumen("Errores permitidos.......: De " + Formato(r.MinErrores, "#0") + " a " +
            Formato(r.MaxErrores, "#0"));
  }
  resumen("Importe reducidas........: " +
          Formato(static_cast<double>(precio) * reducidas, "##,###,##0.00") +
          (correo ? " euros" : Cp(" €")));
  resumen(std::string(metodo == kMetodoDirecto ? "Probabilidad 14 aciertos.: "
                                               : "Posibilidades cubiertas..: ") +
          Formato(Cociente(reducidas * 100, base), "##0.00") + " %");
  if (metodo == kMetodoDirecto) {
    resumen("Probabilidad 13 aciertos.: " +
            Formato(Cociente((base - reducidas) * 100, base), "##0.00") + " %");
  }
  return h;
}

}  // namespace zendo
