#include "engine/core/tecleo.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"

namespace zendo {
namespace {

TEST(Tecleo, SoloLoQueCabeEnLosFicheros) {
  // Accents, the euro sign and the curly quotes have their byte; the text comes back in it.
  RevisionTecleo r = RevisaTecleo("Atlético € “Ñ”", {});
  EXPECT_EQ(r.rechazo, RechazoTecleo::Ninguno);
  EXPECT_EQ(r.rechazados, 0);
  EXPECT_EQ(r.texto, Cp("Atlético € “Ñ”"));
  // CJK, an emoji, a Greek letter: each is one refused character, never a question mark.
  r = RevisaTecleo("皇家马德里", {});
  EXPECT_EQ(r.rechazo, RechazoTecleo::FueraCp1252);
  EXPECT_EQ(r.rechazados, 5);
  EXPECT_EQ(r.texto, "");
  r = RevisaTecleo("Be😀tis λ", {});
  EXPECT_EQ(r.rechazados, 2);
  EXPECT_EQ(r.texto, "Betis ");
  // Line breaks, tabs and the five bytes Windows-1252 leaves undefined break a data file.
  for (const std::string_view control :
       {"a\nb", "a\tb", "a\rb", "a\x7f", "a\xc2\x81", "\xc2\x9d"}) {
    r = RevisaTecleo(control, {});
    EXPECT_EQ(r.rechazo, RechazoTecleo::FueraCp1252) << control;
    EXPECT_EQ(r.rechazados, 1) << control;
  }
  // Broken UTF-8 (a lone continuation byte, a cut sequence) is refused, and what follows
  // is still read.
  r = RevisaTecleo(
      "a\x80"
      "b\xe4\xb8",
      {});
  EXPECT_EQ(r.rechazados, 2);
  EXPECT_EQ(r.texto, "ab");
}

TEST(Tecleo, ProhibidosYAdmitidosDeCadaCaja) {
  const ReglaTecleo correo{"\"\\ ", {}};
  RevisionTecleo r = RevisaTecleo("ana perez@x.es", correo);
  EXPECT_EQ(r.rechazo, RechazoTecleo::Prohibido);
  EXPECT_EQ(r.rechazados, 1);
  // The first refused character gives the reason.
  r = RevisaTecleo("1a.5é中", ReglaCifras());
  EXPECT_EQ(r.rechazo, RechazoTecleo::NoAdmitido);
  EXPECT_EQ(r.rechazados, 4);
  EXPECT_EQ(r.texto, "15");
  r = RevisaTecleo("中1.5", ReglaCifrasYPunto());
  EXPECT_EQ(r.rechazo, RechazoTecleo::FueraCp1252);
  EXPECT_EQ(r.texto, "1.5");
  EXPECT_EQ(RevisaTecleo("", ReglaCifras()).rechazados, 0);
}

TEST(Tecleo, AvisoBreveSegunElMotivo) {
  EXPECT_EQ(AvisoRechazo(RechazoTecleo::Ninguno, {}), "");
  EXPECT_EQ(Cp1252AUtf8(AvisoRechazo(RechazoTecleo::FueraCp1252, {})),
            "Carácter no admitido: no se puede guardar en los datos");
  EXPECT_EQ(AvisoRechazo(RechazoTecleo::NoAdmitido, ReglaCifras()), "Solo se admiten cifras");
  EXPECT_EQ(AvisoRechazo(RechazoTecleo::NoAdmitido, ReglaCifrasYPunto()),
            "Solo se admiten cifras y el punto decimal");
  EXPECT_EQ(Cp1252AUtf8(AvisoRechazo(RechazoTecleo::Prohibido, ReglaTecleo{"\"", {}})),
            "Carácter no admitido en esta casilla");
}

}  // namespace
}  // namespace zendo
