#!/usr/bin/python3
"""Servidor SMTP para las pruebas del correo (aiosmtpd) en 127.0.0.1.

Listo, escribe "ESCUCHANDO <puerto>". Guarda cada mensaje, completo antes de contestar 250, en
CARPETA/mensajes/NNNNNN.eml: cabeceras "Remitente:", "Destinatario:" (una por destinatario),
"Usuario:" (si hubo AUTH) y "Cifrado: si|no", una línea vacía y los bytes tal como llegaron.
CARPETA/conexiones lleva las conexiones aceptadas. Con --mudo acepta y nunca contesta.
"""

import argparse
import asyncio
import logging
import os
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult


class Estado:
    def __init__(self, carpeta):
        self.carpeta = carpeta
        self.mensajes = os.path.join(carpeta, "mensajes")
        os.makedirs(self.mensajes, exist_ok=True)
        self.conexiones = 0
        self.numero = 0

    def escribe(self, nombre, datos):
        # Escritura atómica: quien lee desde la prueba nunca ve un fichero a medias.
        temporal = nombre + ".tmp"
        with open(temporal, "wb") as f:
            f.write(datos)
        os.replace(temporal, nombre)

    def nueva_conexion(self):
        self.conexiones += 1
        self.escribe(os.path.join(self.carpeta, "conexiones"), str(self.conexiones).encode())

    def guarda(self, sobre, usuario, cifrado):
        self.numero += 1
        cabeza = "Remitente: %s\n" % sobre.mail_from
        for d in sobre.rcpt_tos:
            cabeza += "Destinatario: %s\n" % d
        if usuario is not None:
            cabeza += "Usuario: %s\n" % usuario
        cabeza += "Cifrado: %s\n\n" % ("si" if cifrado else "no")
        nombre = os.path.join(self.mensajes, "%06d.eml" % self.numero)
        self.escribe(nombre, cabeza.encode("utf-8", "surrogateescape") + sobre.original_content)


class Manejador:
    def __init__(self, estado, rechazados, colgados):
        self.estado = estado
        self.rechazados = set(rechazados)
        self.colgados = set(colgados)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.rechazados:
            return "550 5.1.1 <%s>: mailbox unavailable" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.colgados.intersection(envelope.rcpt_tos):
            # Se queda sin contestar al final del mensaje, como un servidor colgado.
            await asyncio.sleep(3600)
        cifrado = server.transport.get_extra_info("ssl_object") is not None
        usuario = None
        if session.authenticated and session.auth_data is not None:
            usuario = session.auth_data.login.decode("utf-8", "replace")
        self.estado.guarda(envelope, usuario, cifrado)
        return "250 OK guardado"


class SMTPContado(SMTP):
    def __init__(self, estado, *args, **kwargs):
        self._estado = estado
        super().__init__(*args, **kwargs)

    def connection_made(self, transport):
        # También se llama tras STARTTLS, que no es una conexión nueva.
        if self._original_transport is None and self.transport is None:
            self._estado.nueva_conexion()
        super().connection_made(transport)


def contexto_tls(certificado, clave):
    contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    contexto.load_cert_chain(certificado, clave)
    return contexto


async def mudo(estado, puerto):
    async def acepta(reader, writer):
        estado.nueva_conexion()
        try:
            await reader.read()  # hasta que el otro lado cierre; nunca contesta
        finally:
            writer.close()

    return await asyncio.start_server(acepta, "127.0.0.1", puerto)


async def smtp(estado, args):
    manejador = Manejador(estado, args.rechaza, args.cuelga)
    contexto = None
    if args.seguridad != "ninguna":
        contexto = contexto_tls(args.certificado, args.clave)

    autenticador = None
    if args.usuario is not None:
        usuario = args.usuario.encode("utf-8")
        clave = (args.clave_usuario or "").encode("utf-8")

        def autenticador(server, session, envelope, mecanismo, datos):
            bien = datos.login == usuario and datos.password == clave
            # handled=False: que aiosmtpd conteste 535 si no vale.
            return AuthResult(success=bien, handled=False, auth_data=datos)

    def fabrica():
        return SMTPContado(
            estado,
            manejador,
            hostname="prueba.local",
            tls_context=contexto if args.seguridad == "starttls" else None,
            require_starttls=args.seguridad == "starttls",
            authenticator=autenticador,
            auth_required=autenticador is not None,
            # Con TLS desde el principio la conexión ya va cifrada.
            auth_require_tls=args.seguridad != "tls",
            timeout=60,
        )

    loop = asyncio.get_running_loop()
    return await loop.create_server(
        fabrica, "127.0.0.1", args.puerto, ssl=contexto if args.seguridad == "tls" else None
    )


async def principal(args):
    estado = Estado(args.carpeta)
    if args.mudo:
        servidor = await mudo(estado, args.puerto)
    else:
        servidor = await smtp(estado, args)
    puerto = servidor.sockets[0].getsockname()[1]
    print("ESCUCHANDO %d" % puerto, flush=True)
    # Hasta que lo maten (SIGTERM termina el proceso sin más).
    await asyncio.Event().wait()
    servidor.close()


def main():
    p = argparse.ArgumentParser(description="Servidor SMTP de pruebas")
    p.add_argument("--carpeta", required=True)
    p.add_argument("--puerto", type=int, default=0)  # 0: uno libre
    p.add_argument("--seguridad", choices=["ninguna", "starttls", "tls"], default="ninguna")
    for opcion in ("--certificado", "--clave", "--usuario", "--clave-usuario"):
        p.add_argument(opcion)
    p.add_argument("--rechaza", action="append", default=[])  # 550 en RCPT TO
    p.add_argument("--cuelga", action="append", default=[])  # su mensaje nunca recibe 250
    p.add_argument("--mudo", action="store_true")
    args = p.parse_args()
    if args.seguridad != "ninguna" and not (args.certificado and args.clave):
        p.error("--seguridad %s necesita --certificado y --clave" % args.seguridad)
    # Los avisos de aiosmtpd (AUTH sin STARTTLS cuando ya va cifrado) ensucian la salida.
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    warnings.simplefilter("ignore")
    asyncio.run(principal(args))
    return 0


if __name__ == "__main__":
    sys.exit(main())
