#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail tests (aiosmtpd).

It listens on a free port of 127.0.0.1 only, writes "PUERTO <n>" on its standard output
when it is ready, and keeps every message it accepts in --carpeta as files numbered from 1:
  N.de         the envelope sender
  N.para       the envelope recipients, one a line
  N.asunto     the Subject, decoded (UTF-8)
  N.cabeceras  From and To as the message holds them, decoded (UTF-8)
  N.cuerpo     the body, transfer encoding undone (the bytes of its charset)
  N.eml        the message exactly as received (after the SMTP dot transparency)
and counts the connections in "conexiones". It ends when its standard input closes (the
test that started it died or is done), on SIGTERM, or after --vida seconds at most.
"""

import argparse
import asyncio
import logging
import warnings
import email
import email.policy
import os
import signal
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult


def argumentos():
    p = argparse.ArgumentParser()
    p.add_argument("--carpeta", required=True)
    p.add_argument("--certificado", help="PEM certificate: offer STARTTLS and require it")
    p.add_argument("--clave-privada", help="PEM key of the certificate")
    p.add_argument("--usuario", help="AUTH user name accepted")
    p.add_argument("--contrasena", help="AUTH password accepted")
    p.add_argument("--limite", type=int, default=0, help="SIZE limit; 0 announces none")
    p.add_argument("--rechaza", action="append", default=[], help="a recipient refused")
    p.add_argument("--vida", type=float, default=300.0)
    return p.parse_args()


class Manejador:
    def __init__(self, carpeta, rechazadas):
        self.carpeta = carpeta
        self.rechazadas = {r.lower() for r in rechazadas}
        self.numero = 0

    def fichero(self, nombre, datos):
        modo = "wb" if isinstance(datos, bytes) else "w"
        with open(os.path.join(self.carpeta, nombre), modo) as f:
            f.write(datos)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower() in self.rechazadas:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.numero += 1
        n = str(self.numero)
        crudo = envelope.original_content
        mensaje = email.message_from_bytes(crudo, policy=email.policy.default)
        # The other files are written before the numbered .eml, which tells the test that
        # the message is all there.
        self.fichero(n + ".de", envelope.mail_from)
        self.fichero(n + ".para", "".join(r + "\n" for r in envelope.rcpt_tos))
        self.fichero(n + ".asunto", str(mensaje.get("Subject", "")))
        self.fichero(n + ".cabeceras", "From: %s\nTo: %s\n" % (mensaje.get("From", ""),
                                                               mensaje.get("To", "")))
        cuerpo = mensaje.get_payload(decode=True)
        self.fichero(n + ".cuerpo", cuerpo if cuerpo is not None else b"")
        self.fichero(n + ".eml.tmp", crudo)
        os.rename(os.path.join(self.carpeta, n + ".eml.tmp"),
                  os.path.join(self.carpeta, n + ".eml"))
        return "250 2.0.0 Ok: queued as %s" % n


def main():
    a = argumentos()
    # The failures the tests provoke are expected: no tracebacks on the test's output.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    warnings.simplefilter("ignore")
    os.makedirs(a.carpeta, exist_ok=True)
    manejador = Manejador(a.carpeta, a.rechaza)
    contexto = None
    if a.certificado:
        contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        contexto.load_cert_chain(a.certificado, a.clave_privada)

    def autentica(server, session, envelope, mechanism, auth_data):
        ok = (a.usuario is not None and auth_data.login == a.usuario.encode()
              and auth_data.password == (a.contrasena or "").encode())
        return AuthResult(success=ok, handled=False)

    conexiones = [0]

    class Servidor(SMTP):
        def connection_made(self, transport):
            # STARTTLS hands the same connection over again, wrapped: not a new one.
            if self._original_transport is None:
                conexiones[0] += 1
                manejador.fichero("conexiones", str(conexiones[0]))
            super().connection_made(transport)

    def protocolo():
        opciones = dict(data_size_limit=a.limite or None, hostname="localhost",
                        ident="zendo-pruebas")
        if contexto is not None:
            opciones.update(tls_context=contexto, require_starttls=True)
        if a.usuario is not None:
            opciones.update(authenticator=autentica, auth_required=True)
        return Servidor(manejador, **opciones)

    bucle = asyncio.new_event_loop()
    asyncio.set_event_loop(bucle)
    servidor = bucle.run_until_complete(bucle.create_server(protocolo, "127.0.0.1", 0))
    puerto = servidor.sockets[0].getsockname()[1]

    fin = asyncio.Event()
    bucle.add_signal_handler(signal.SIGTERM, fin.set)

    def entrada():
        if not os.read(sys.stdin.fileno(), 4096):
            fin.set()

    bucle.add_reader(sys.stdin.fileno(), entrada)
    bucle.call_later(a.vida, fin.set)

    sys.stdout.write("PUERTO %d\n" % puerto)
    sys.stdout.flush()
    bucle.run_until_complete(fin.wait())
    servidor.close()
    bucle.run_until_complete(servidor.wait_closed())


if __name__ == "__main__":
    main()
