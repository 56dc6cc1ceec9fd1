#!/usr/bin/python3
"""Servidor SMTP de pruebas (aiosmtpd) en 127.0.0.1, en un puerto libre; lo usa servidor_smtp.cpp.

Recibe la carpeta y sus opciones en JSON; listo, escribe "ESCUCHANDO <puerto>". Guarda cada
mensaje, antes de contestar 250, en CARPETA/NNNNNN.json; CARPETA/conexiones lleva la cuenta.
"""

import asyncio
import base64
import json
import logging
import os
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult

CARPETA = sys.argv[1]
OPCIONES = json.loads(sys.argv[2])
cuenta = {"conexiones": 0, "mensajes": 0}


def escribe(nombre, datos):
    # Atómica: la prueba nunca lee un fichero a medias.
    ruta = os.path.join(CARPETA, nombre)
    with open(ruta + ".tmp", "w") as f:
        f.write(datos)
    os.replace(ruta + ".tmp", ruta)


def nueva_conexion():
    cuenta["conexiones"] += 1
    escribe("conexiones", str(cuenta["conexiones"]))


class Manejador:
    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in OPCIONES["rechazados"]:
            return "550 5.1.1 <%s>: mailbox unavailable" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if set(OPCIONES["colgados"]).intersection(envelope.rcpt_tos):
            await asyncio.sleep(3600)  # nunca contesta al final del mensaje
        if OPCIONES["rechaza_datos"]:
            return "554 5.7.1 Message rejected"
        auth = session.auth_data if session.authenticated else None
        cuenta["mensajes"] += 1
        mensaje = {
            "remitente": envelope.mail_from,
            "destinatarios": envelope.rcpt_tos,
            "usuario": auth.login.decode("utf-8", "replace") if auth else "",
            "cifrado": server.transport.get_extra_info("ssl_object") is not None,
            "datos": base64.b64encode(envelope.original_content).decode(),
        }
        escribe("%06d.json" % cuenta["mensajes"], json.dumps(mensaje))
        return "250 OK guardado"


class SMTPContado(SMTP):
    def connection_made(self, transport):
        # También se llama tras STARTTLS, que no es una conexión nueva.
        if self._original_transport is None and self.transport is None:
            nueva_conexion()
        super().connection_made(transport)


async def mudo():
    async def acepta(reader, writer):
        nueva_conexion()
        try:
            await reader.read()  # hasta que el otro lado cierre; nunca contesta
        finally:
            writer.close()

    return await asyncio.start_server(acepta, "127.0.0.1", 0)


async def smtp(o):
    seguridad = o["seguridad"]
    contexto = None
    if seguridad != "ninguna":
        contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        contexto.load_cert_chain(o["certificado"], o["clave"])

    def autenticador(server, session, envelope, mecanismo, datos):
        bien = (datos.login, datos.password) == (o["usuario"].encode(), o["clave_usuario"].encode())
        # handled=False: que aiosmtpd conteste 535 si no vale.
        return AuthResult(success=bien, handled=False, auth_data=datos)

    def fabrica():
        return SMTPContado(
            Manejador(),
            hostname="prueba.local",
            tls_context=contexto if seguridad == "starttls" else None,
            require_starttls=seguridad == "starttls",
            authenticator=autenticador if o["usuario"] else None,
            auth_required=bool(o["usuario"]),
            # Con TLS desde el principio la conexión ya va cifrada.
            auth_require_tls=seguridad != "tls",
            timeout=60,
            # Anunciado con SIZE; el que pasa recibe 552 en MAIL FROM. 0: sin límite.
            data_size_limit=o["limite"],
        )

    return await asyncio.get_running_loop().create_server(
        fabrica, "127.0.0.1", 0, ssl=contexto if seguridad == "tls" else None
    )


async def principal():
    servidor = await (mudo() if OPCIONES["mudo"] else smtp(OPCIONES))
    print("ESCUCHANDO %d" % servidor.sockets[0].getsockname()[1], flush=True)
    await asyncio.Event().wait()  # hasta que lo maten


if __name__ == "__main__":
    # Los avisos de aiosmtpd (AUTH sin STARTTLS cuando ya va cifrado) ensucian la salida.
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    warnings.simplefilter("ignore")
    asyncio.run(principal())
