// Writes the program's five short sounds as WAVE files (16-bit mono PCM, 22050 Hz) into
// the folder given as the only argument: 1.wav a sign or option, 5.wav leaving, 6.wav a
// main action, 7.wav a setting, 9.wav help and the dialog's answers.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kMuestreo = 22050;

struct Nota {
  double inicio;    // seconds
  double duracion;  // seconds
  double hzDesde;
  double hzHasta;  // a glide when it differs from hzDesde
  double volumen;
  double caida;  // decay rate of the envelope, per second
};

std::vector<int16_t> Sintetiza(const std::vector<Nota>& notas, double total) {
  std::vector<double> mezcla(static_cast<std::size_t>(total * kMuestreo), 0.0);
  for (const Nota& n : notas) {
    double fase = 0;
    const auto desde = static_cast<std::size_t>(n.inicio * kMuestreo);
    const auto muestras = static_cast<std::size_t>(n.duracion * kMuestreo);
    for (std::size_t i = 0; i < muestras && desde + i < mezcla.size(); ++i) {
      const double t = static_cast<double>(i) / kMuestreo;
      const double hz = n.hzDesde + (n.hzHasta - n.hzDesde) * (t / n.duracion);
      fase += 2 * std::numbers::pi * hz / kMuestreo;
      // A short attack avoids clicks; the decay gives the sound its shape.
      const double ataque = std::min(1.0, t / 0.004);
      const double final = std::min(1.0, (n.duracion - t) / 0.006);
      const double envolvente = ataque * final * std::exp(-n.caida * t);
      const double onda = std::sin(fase) + 0.25 * std::sin(2 * fase) + 0.1 * std::sin(3 * fase);
      mezcla[desde + i] += n.volumen * envolvente * onda / 1.35;
    }
  }
  std::vector<int16_t> pcm(mezcla.size());
  for (std::size_t i = 0; i < mezcla.size(); ++i) {
    const double v = std::max(-1.0, std::min(1.0, mezcla[i]));
    pcm[i] = static_cast<int16_t>(std::lround(v * 32000));
  }
  return pcm;
}

void Pone32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Pone16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

bool EscribeWav(const std::string& ruta, const std::vector<int16_t>& pcm) {
  const auto bytes = static_cast<uint32_t>(pcm.size() * 2);
  std::string w = "RIFF";
  Pone32(w, 36 + bytes);
  w += "WAVEfmt ";
  Pone32(w, 16);
  Pone16(w, 1);  // PCM
  Pone16(w, 1);  // mono
  Pone32(w, kMuestreo);
  Pone32(w, kMuestreo * 2);
  Pone16(w, 2);
  Pone16(w, 16);
  w += "data";
  Pone32(w, bytes);
  for (int16_t m : pcm) Pone16(w, static_cast<uint16_t>(m));
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  f.write(w.data(), static_cast<std::streamsize>(w.size()));
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s CARPETA\n", argv[0]);
    return 2;
  }
  const std::string carpeta = argv[1];
  struct Sonido {
    int id;
    double total;
    std::vector<Nota> notas;
  };
  const std::vector<Sonido> sonidos = {
      {1, 0.05, {{0, 0.05, 1400, 1300, 0.55, 60}}},
      {5, 0.26, {{0, 0.12, 784, 770, 0.5, 12}, {0.11, 0.15, 523, 500, 0.5, 14}}},
      {6, 0.10, {{0, 0.10, 880, 860, 0.5, 30}, {0, 0.08, 1320, 1320, 0.18, 40}}},
      {7, 0.07, {{0, 0.07, 1000, 1500, 0.45, 25}}},
      {9, 0.20, {{0, 0.09, 1047, 1047, 0.45, 18}, {0.08, 0.12, 1568, 1568, 0.4, 18}}},
  };
  for (const Sonido& s : sonidos) {
    const std::string ruta = carpeta + "/" + std::to_string(s.id) + ".wav";
    if (!EscribeWav(ruta, Sintetiza(s.notas, s.total))) {
      std::fprintf(stderr, "no se puede escribir %s\n", ruta.c_str());
      return 1;
    }
  }
  return 0;
}
