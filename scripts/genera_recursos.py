#!/usr/bin/env python3
"""Genera los recursos propios del programa: sonidos, cursores e imágenes.

Todo se dibuja y se sintetiza aquí, con la biblioteca estándar de Python, de
forma determinista: ejecutar el script dos veces da los mismos ficheros.

    python3 scripts/genera_recursos.py [carpeta_resources]
"""

import math
import os
import struct
import sys
import wave
import zlib

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# --------------------------------------------------------------------------
# PNG (RGBA de 8 bits, sin filtros) escrito a mano: no hay PIL.
# --------------------------------------------------------------------------

def escribe_png(ruta, ancho, alto, filas):
    """filas: lista de bytes, cada una de ancho*4 (RGBA)."""
    crudo = b"".join(b"\x00" + f for f in filas)

    def trozo(tipo, datos):
        crc = zlib.crc32(tipo + datos) & 0xFFFFFFFF
        return struct.pack(">I", len(datos)) + tipo + datos + struct.pack(">I", crc)

    cabecera = struct.pack(">IIBBBBB", ancho, alto, 8, 6, 0, 0, 0)
    datos = (b"\x89PNG\r\n\x1a\n" + trozo(b"IHDR", cabecera) +
             trozo(b"IDAT", zlib.compress(crudo, 9)) + trozo(b"IEND", b""))
    os.makedirs(os.path.dirname(os.path.abspath(ruta)), exist_ok=True)
    with open(ruta, "wb") as f:
        f.write(datos)


def limita(v, a=0.0, b=1.0):
    return a if v < a else b if v > b else v


def rgb(r, g, b):
    return (r / 255.0, g / 255.0, b / 255.0)


def mezcla_color(c1, c2, t):
    return tuple(c1[i] + (c2[i] - c1[i]) * t for i in range(3))


class Lienzo:
    """Imagen RGBA en coma flotante (alfa no premultiplicado)."""

    def __init__(self, ancho, alto, fondo=(0.0, 0.0, 0.0), alfa=0.0):
        self.ancho, self.alto = ancho, alto
        n = ancho * alto
        self.r = [fondo[0]] * n
        self.g = [fondo[1]] * n
        self.b = [fondo[2]] * n
        self.a = [alfa] * n

    def mezcla(self, i, c, a):
        if a <= 0.0:
            return
        if a >= 1.0:
            self.r[i], self.g[i], self.b[i], self.a[i] = c[0], c[1], c[2], 1.0
            return
        da = self.a[i]
        k = da * (1.0 - a)
        oa = a + k
        self.r[i] = (c[0] * a + self.r[i] * k) / oa
        self.g[i] = (c[1] * a + self.g[i] * k) / oa
        self.b[i] = (c[2] * a + self.b[i] * k) / oa
        self.a[i] = oa

    def pon(self, x, y, c, a=1.0):
        if 0 <= x < self.ancho and 0 <= y < self.alto:
            self.mezcla(y * self.ancho + x, c, a)

    def _caja(self, caja):
        if caja is None:
            return 0, 0, self.ancho, self.alto
        x0, y0, x1, y1 = caja
        return (max(0, int(math.floor(x0))), max(0, int(math.floor(y0))),
                min(self.ancho, int(math.ceil(x1)) + 1), min(self.alto, int(math.ceil(y1)) + 1))

    def pinta(self, dist, color, caja=None, opacidad=1.0):
        """Rellena la forma de distancia con signo `dist` (en píxeles) con
        suavizado de un píxel. `color` es un rgb o una función (x, y) -> rgb, y
        `opacidad` un número o una función (x, y) -> número."""
        x0, y0, x1, y1 = self._caja(caja)
        funcion = callable(color)
        variable = callable(opacidad)
        for y in range(y0, y1):
            py = y + 0.5
            base = y * self.ancho
            for x in range(x0, x1):
                px = x + 0.5
                d = dist(px, py)
                if d >= 0.5:
                    continue
                cobertura = 1.0 if d <= -0.5 else 0.5 - d
                self.mezcla(base + x, color(px, py) if funcion else color,
                            cobertura * (opacidad(px, py) if variable else opacidad))

    def pinta_muestreado(self, muestra, caja, n=3):
        """Supermuestreo n x n de una función (x, y) -> (rgb, alfa) o None."""
        x0, y0, x1, y1 = self._caja(caja)
        paso = 1.0 / n
        total = n * n
        for y in range(y0, y1):
            for x in range(x0, x1):
                sr = sg = sb = sa = 0.0
                for j in range(n):
                    py = y + (j + 0.5) * paso
                    for i in range(n):
                        m = muestra(x + (i + 0.5) * paso, py)
                        if m is None:
                            continue
                        c, a = m
                        sr += c[0] * a
                        sg += c[1] * a
                        sb += c[2] * a
                        sa += a
                if sa > 0.0:
                    self.mezcla(y * self.ancho + x, (sr / sa, sg / sa, sb / sa), sa / total)

    def filas(self):
        resultado = []
        for y in range(self.alto):
            fila = bytearray()
            for x in range(self.ancho):
                i = y * self.ancho + x
                a = self.a[i]
                fila += bytes((int(round(limita(self.r[i]) * 255)),
                               int(round(limita(self.g[i]) * 255)),
                               int(round(limita(self.b[i]) * 255)),
                               int(round(limita(a) * 255))))
            resultado.append(bytes(fila))
        return resultado

    def guarda(self, ruta):
        os.makedirs(os.path.dirname(ruta), exist_ok=True)
        escribe_png(ruta, self.ancho, self.alto, self.filas())


class LienzoEscala(Lienzo):
    """Lienzo de lado x lado píxeles que se dibuja en las coordenadas del diseño:
    los iconos de cada tamaño salen del mismo dibujo, no de reescalar una imagen."""

    def __init__(self, lado, diseno):
        super().__init__(lado, lado)
        self.s = lado / diseno

    def _escala(self, caja):
        return None if caja is None else tuple(v * self.s for v in caja)

    def pinta(self, dist, color, caja=None, opacidad=1.0):
        s = self.s
        c = (lambda x, y: color(x / s, y / s)) if callable(color) else color
        o = (lambda x, y: opacidad(x / s, y / s)) if callable(opacidad) else opacidad
        super().pinta(lambda x, y: dist(x / s, y / s) * s, c, self._escala(caja), o)

    def pinta_muestreado(self, muestra, caja, n=3):
        s = self.s
        super().pinta_muestreado(lambda x, y: muestra(x / s, y / s), self._escala(caja), n)


# --------------------------------------------------------------------------
# Distancias con signo de las formas básicas.
# --------------------------------------------------------------------------

def d_circulo(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def d_elipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m


def d_caja(cx, cy, mx, my, radio=0.0, angulo=0.0):
    """Rectángulo de semilados mx, my, esquinas redondeadas y girado `angulo` grados."""
    co, si = math.cos(math.radians(angulo)), math.sin(math.radians(angulo))

    def d(x, y):
        dx, dy = x - cx, y - cy
        u = abs(dx * co + dy * si) - (mx - radio)
        v = abs(-dx * si + dy * co) - (my - radio)
        fuera = math.hypot(max(u, 0.0), max(v, 0.0))
        return fuera + min(max(u, v), 0.0) - radio
    return d


def dist_segmento(x, y, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    wx, wy = x - ax, y - ay
    ll = vx * vx + vy * vy
    t = 0.0 if ll == 0.0 else limita((wx * vx + wy * vy) / ll)
    return math.hypot(wx - vx * t, wy - vy * t)


def d_capsula(ax, ay, bx, by, r):
    return lambda x, y: dist_segmento(x, y, ax, ay, bx, by) - r


def d_poligono(puntos):
    n = len(puntos)

    def d(x, y):
        mejor = float("inf")
        dentro = False
        j = n - 1
        for i in range(n):
            xi, yi = puntos[i]
            xj, yj = puntos[j]
            mejor = min(mejor, dist_segmento(x, y, xj, yj, xi, yi))
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                dentro = not dentro
            j = i
        return -mejor if dentro else mejor
    return d


def union(*formas):
    return lambda x, y: min(f(x, y) for f in formas)


def interseccion(*formas):
    return lambda x, y: max(f(x, y) for f in formas)


def resta(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def gira(px, py, cx, cy, angulo):
    co, si = math.cos(math.radians(angulo)), math.sin(math.radians(angulo))
    dx, dy = px - cx, py - cy
    return cx + dx * co - dy * si, cy + dx * si + dy * co


# --------------------------------------------------------------------------
# Tipografía de trazos propia: cada letra son líneas y arcos sobre una rejilla
# con la altura de mayúsculas 10, la línea base en y = 0 y la y hacia abajo.
# --------------------------------------------------------------------------

def arco(cx, cy, rx, ry, a0, a1):
    pasos = max(4, int(abs(a1 - a0) / 7.5))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / pasos)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / pasos)))
            for k in range(pasos + 1)]


def circulo_trazo(cx, cy, rx, ry):
    return arco(cx, cy, rx, ry, 0, 360)


# Cada glifo: (avance, [polilíneas]).
GLIFOS = {
    " ": (3.2, []),
    "Q": (9.2, [circulo_trazo(4.6, -5, 4.6, 5), [(5.7, -2.7), (8.6, 0.5)]]),
    "U": (7.2, [[(0, -10), (0, -3.6)] + arco(3.6, -3.6, 3.6, 3.6, 180, 0)[1:] + [(7.2, -10)]]),
    "I": (0.0, [[(0, -10), (0, 0)]]),
    "N": (7.0, [[(0, 0), (0, -10), (7, 0), (7, -10)]]),
    "E": (5.8, [[(5.8, -10), (0, -10), (0, 0), (5.8, 0)], [(0, -5.1), (5.0, -5.1)]]),
    "L": (5.6, [[(0, -10), (0, 0), (5.6, 0)]]),
    "A": (8.0, [[(0, 0), (4, -10), (8, 0)], [(1.55, -3.5), (6.45, -3.5)]]),
    "R": (6.4, [[(0, 0), (0, -10), (3.6, -10)] + arco(3.6, -7.3, 2.7, 2.7, -90, 90)[1:] +
                [(0, -4.6)], [(3.0, -4.6), (6.4, 0)]]),
    "X": (7.0, [[(0, -10), (7, 0)], [(0, 0), (7, -10)]]),
    "1": (3.4, [[(0, -7.6), (3.0, -10), (3.0, 0)]]),
    "2": (6.4, [arco(3.1, -7.0, 3.1, 3.0, 200, 372) + [(0, 0), (6.4, 0)]]),
    "0": (6.4, [circulo_trazo(3.2, -5, 3.2, 5)]),
    "3": (6.4, [arco(3.1, -7.6, 2.8, 2.4, 205, 450) + arco(3.1, -2.6, 3.2, 2.6, -90, 155)[1:]]),
    "4": (6.6, [[(5.0, 0), (5.0, -10), (0, -3), (6.6, -3)]]),
    "5": (6.4, [[(6.0, -10), (0.8, -10), (0.5, -5.4)] + arco(3.2, -3.2, 3.2, 3.2, -135, 150)]),
    "6": (6.4, [circulo_trazo(3.2, -3.2, 3.2, 3.2), [(5.2, -10), (0.45, -4.4)]]),
    "7": (6.4, [[(0, -10), (6.4, -10), (2.2, 0)]]),
    "8": (6.4, [circulo_trazo(3.2, -7.6, 2.6, 2.4), circulo_trazo(3.2, -2.7, 3.2, 2.7)]),
    "9": (6.4, [circulo_trazo(3.2, -6.8, 3.2, 3.2), [(6.0, -5.6), (1.2, 0)]]),
    "o": (7.0, [circulo_trazo(3.5, -3.5, 3.5, 3.5)]),
    "c": (6.4, [arco(3.5, -3.5, 3.5, 3.5, 42, 318)]),
    "e": (7.0, [[(0.0, -3.5), (7.0, -3.5)] + arco(3.5, -3.5, 3.5, 3.5, 0, -318)[1:]]),
    "a": (7.0, [circulo_trazo(3.5, -3.5, 3.5, 3.5), [(7, -7), (7, 0)]]),
    "d": (7.0, [circulo_trazo(3.5, -3.5, 3.5, 3.5), [(7, -10.5), (7, 0)]]),
    "p": (7.0, [circulo_trazo(3.5, -3.5, 3.5, 3.5), [(0, -7), (0, 3)]]),
    "u": (6.6, [[(0, -7), (0, -3.3)] + arco(3.3, -3.3, 3.3, 3.3, 180, 0)[1:], [(6.6, -7), (6.6, 0)]]),
    "n": (6.6, [[(0, 0), (0, -7)], arco(3.3, -3.7, 3.3, 3.3, 180, 360) + [(6.6, 0)]]),
    "i": (0.0, [[(0, -7), (0, 0)], [(0, -9.8), (0, -9.8)]]),
    "t": (3.8, [[(1.1, -10), (1.1, -1.9)] + arco(3.0, -1.9, 1.9, 1.9, 180, 90)[1:] + [(3.8, 0)],
                [(-0.6, -7), (3.6, -7)]]),
    "s": (5.8, [arco(2.9, -5.25, 2.9, 1.75, 325, 90) + arco(2.9, -1.75, 2.9, 1.75, -90, 145)[1:]]),
    "ó": (7.0, [circulo_trazo(3.5, -3.5, 3.5, 3.5), [(3.9, -8.4), (5.6, -10.6)]]),
}


def trazos_texto(texto, x, base, escala, grosor, espacio=1.0, cursiva=0.0):
    """Segmentos en píxeles del texto. `grosor` y `espacio` en unidades de la rejilla.
    Devuelve (lista de (glifo, segmentos), ancho en píxeles)."""
    glifos = []
    cx = 0.0
    for k, letra in enumerate(texto):
        avance, lineas = GLIFOS[letra]
        segmentos = []
        for linea in lineas:
            pts = [((cx + px - py * cursiva) * escala + x, py * escala + base) for px, py in linea]
            if len(pts) == 1:
                pts = pts * 2
            for i in range(len(pts) - 1):
                segmentos.append((pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1]))
        if segmentos:
            glifos.append(segmentos)
        cx += avance
        if k + 1 < len(texto):
            cx += grosor + espacio
    return glifos, cx * escala


def ancho_texto(texto, escala, grosor, espacio=1.0):
    return trazos_texto(texto, 0, 0, escala, grosor, espacio)[1]


class MapaTrazos:
    """Distancia (en píxeles) de cada píxel a la línea central de los trazos,
    calculada una vez y usada para el relleno, el contorno y la sombra."""

    def __init__(self, lienzo, glifos, margen):
        self.lienzo = lienzo
        self.distancias = {}
        for segmentos in glifos:
            x0 = min(min(s[0], s[2]) for s in segmentos) - margen
            x1 = max(max(s[0], s[2]) for s in segmentos) + margen
            y0 = min(min(s[1], s[3]) for s in segmentos) - margen
            y1 = max(max(s[1], s[3]) for s in segmentos) + margen
            for y in range(max(0, int(y0)), min(lienzo.alto, int(y1) + 2)):
                for x in range(max(0, int(x0)), min(lienzo.ancho, int(x1) + 2)):
                    px, py = x + 0.5, y + 0.5
                    d = min(dist_segmento(px, py, *s) for s in segmentos)
                    if d < self.distancias.get((x, y), 1e9):
                        self.distancias[(x, y)] = d

    def pinta(self, semigrosor, color, dx=0, dy=0, opacidad=1.0):
        lienzo = self.lienzo
        funcion = callable(color)
        for (x, y), d in self.distancias.items():
            tx, ty = x + dx, y + dy
            if not (0 <= tx < lienzo.ancho and 0 <= ty < lienzo.alto):
                continue
            e = d - semigrosor
            if e >= 0.5:
                continue
            cobertura = 1.0 if e <= -0.5 else 0.5 - e
            c = color(tx + 0.5, ty + 0.5) if funcion else color
            lienzo.mezcla(ty * lienzo.ancho + tx, c, cobertura * opacidad)


# --------------------------------------------------------------------------
# El balón: la proyección central de un icosaedro truncado sobre la esfera.
# --------------------------------------------------------------------------

FI = (1 + math.sqrt(5)) / 2


def _normaliza(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def _caras_balon():
    pentagonos = []
    for a in (-1, 1):
        for b in (-FI, FI):
            pentagonos += [(0, a, b), (a, b, 0), (b, 0, a)]
    hexagonos = [(a, b, c) for a in (-1, 1) for b in (-1, 1) for c in (-1, 1)]
    for a in (-1 / FI, 1 / FI):
        for b in (-FI, FI):
            hexagonos += [(0, a, b), (a, b, 0), (b, 0, a)]
    # Distancia del centro a cada cara del icosaedro truncado de arista 1.
    caras = [(_normaliza(p), 1.0 / 2.32743, True) for p in pentagonos]
    caras += [(_normaliza(h), 1.0 / 2.26728, False) for h in hexagonos]
    return caras


CARAS_BALON = _caras_balon()


def rota_xyz(v, ax, ay, az):
    x, y, z = v
    c, s = math.cos(ax), math.sin(ax)
    y, z = y * c - z * s, y * s + z * c
    c, s = math.cos(ay), math.sin(ay)
    x, z = x * c + z * s, -x * s + z * c
    c, s = math.cos(az), math.sin(az)
    x, y = x * c - y * s, x * s + y * c
    return (x, y, z)


def pinta_balon(lienzo, cx, cy, r, giro=(0.35, 0.5, 0.2), n=4, costura=0.012):
    caras = [(rota_xyz(nv, *giro), k, pent) for nv, k, pent in CARAS_BALON]
    luz = _normaliza((-0.55, -0.7, 0.75))
    blanco = rgb(250, 250, 246)
    negro = rgb(22, 26, 30)

    def muestra(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        rr = nx * nx + ny * ny
        if rr > 1.0:
            return None
        nz = math.sqrt(1.0 - rr)
        p = (nx, ny, nz)
        mejor = segundo = -1e9
        pent = False
        for normal, k, es_pent in caras:
            s = (normal[0] * p[0] + normal[1] * p[1] + normal[2] * p[2]) * k * 2.3
            if s > mejor:
                segundo, mejor, pent = mejor, s, es_pent
            elif s > segundo:
                segundo = s
        base = negro if pent else blanco
        if mejor - segundo < costura and not pent:
            base = rgb(110, 114, 118)
        difusa = max(0.0, p[0] * luz[0] + p[1] * luz[1] + p[2] * luz[2])
        brillo = 0.50 + 0.58 * difusa
        h = _normaliza((luz[0], luz[1], luz[2] + 1.0))
        espec = max(0.0, p[0] * h[0] + p[1] * h[1] + p[2] * h[2]) ** 40 * 0.55
        c = tuple(limita(base[i] * brillo + espec) for i in range(3))
        # Borde algo más oscuro para que el balón se despegue del fondo.
        borde = limita((math.sqrt(rr) - 0.93) / 0.07)
        c = mezcla_color(c, rgb(40, 48, 44), borde * 0.6)
        return c, 1.0

    lienzo.pinta_muestreado(muestra, (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1), n)


def pinta_sombra(lienzo, cx, cy, rx, ry, opacidad):
    caja = (cx - rx - 2, cy - ry - 2, cx + rx + 2, cy + ry + 2)
    negro = (0.0, 0.0, 0.0)

    def d(x, y):
        return math.hypot((x - cx) / rx, (y - cy) / ry)

    # Dentro de la elipse la cobertura es total; la opacidad hace el degradado.
    lienzo.pinta(lambda x, y: -1e9 if d(x, y) < 1.0 else 1e9, negro, caja,
                 lambda x, y: opacidad * (1.0 - d(x, y) ** 2) ** 1.5)


# --------------------------------------------------------------------------
# Imágenes.
# --------------------------------------------------------------------------

def tira_botones():
    """Botón biselado verde claro: fila suelta (y 0..23) y pulsada (y 25..48)."""
    lienzo = Lienzo(7, 49, rgb(60, 110, 60), 1.0)
    borde = rgb(34, 84, 34)
    esquina = rgb(92, 132, 88)

    def fila(y0, pulsado):
        ancho = 7
        for y in range(24):
            t = y / 23.0
            if pulsado:
                relleno = mezcla_color(rgb(92, 146, 74), rgb(116, 170, 94), t)
                luz, luz2 = rgb(58, 100, 48), rgb(76, 124, 62)
                sombra, sombra2 = rgb(170, 214, 150), rgb(140, 192, 120)
            else:
                relleno = mezcla_color(rgb(150, 204, 120), rgb(102, 162, 80), t)
                luz, luz2 = rgb(222, 246, 206), rgb(184, 226, 160)
                sombra, sombra2 = rgb(58, 104, 48), rgb(80, 132, 64)
            for x in range(ancho):
                if (x in (0, ancho - 1)) and (y in (0, 23)):
                    c = esquina
                elif x in (0, ancho - 1) or y in (0, 23):
                    c = borde
                elif y == 22 or x == ancho - 2:
                    c = sombra
                elif y == 1 or x == 1:
                    c = luz
                elif y == 21 or x == ancho - 3:
                    c = sombra2 if not (x == 2 or y == 2) else relleno
                elif y == 2 or x == 2:
                    c = luz2
                else:
                    c = relleno
                lienzo.pon(x, y0 + y, c)

    fila(0, False)
    fila(25, True)
    return lienzo


def pinta_cesped(lienzo, x0, y0, x1, y1, franja, desplazamiento=0.0, viñeta=True):
    claro, oscuro = rgb(74, 160, 72), rgb(60, 142, 60)
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    rx, ry = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    for y in range(int(y0), int(y1)):
        for x in range(int(x0), int(x1)):
            k = int(math.floor((x + 0.5 - x0 + desplazamiento) / franja))
            c = claro if k % 2 == 0 else oscuro
            # Textura fina y determinista para que la hierba no sea plana.
            ruido = ((x * 73856093) ^ (y * 19349663)) % 1000 / 1000.0 - 0.5
            c = tuple(limita(v * (1.0 + ruido * 0.05)) for v in c)
            if viñeta:
                e = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
                c = mezcla_color(c, rgb(20, 70, 30), limita(e - 0.45) * 0.45)
            lienzo.pon(x, y, c)


def pinta_lineas_campo(lienzo, izq, der, arriba, abajo, escala, grosor=1.3, opacidad=0.85):
    """Líneas del campo con las medidas reglamentarias (metros) a `escala` píxeles/metro."""
    blanco = rgb(245, 250, 240)
    medio_x = (izq + der) / 2.0
    medio_y = (arriba + abajo) / 2.0
    g = grosor / 2.0
    formas = []

    def linea(ax, ay, bx, by):
        formas.append(d_capsula(ax, ay, bx, by, g))

    linea(izq, arriba, der, arriba)
    linea(izq, abajo, der, abajo)
    linea(izq, arriba, izq, abajo)
    linea(der, arriba, der, abajo)
    linea(medio_x, arriba, medio_x, abajo)
    r_centro = 9.15 * escala
    formas.append(lambda x, y: abs(math.hypot(x - medio_x, y - medio_y) - r_centro) - g)
    formas.append(d_circulo(medio_x, medio_y, 1.6 * g + 0.6))
    for lado, signo in ((izq, 1), (der, -1)):
        fondo_area = lado + signo * 16.5 * escala
        alto_area = 40.32 * escala / 2.0
        linea(lado, medio_y - alto_area, fondo_area, medio_y - alto_area)
        linea(lado, medio_y + alto_area, fondo_area, medio_y + alto_area)
        linea(fondo_area, medio_y - alto_area, fondo_area, medio_y + alto_area)
        fondo_meta = lado + signo * 5.5 * escala
        alto_meta = 18.32 * escala / 2.0
        linea(lado, medio_y - alto_meta, fondo_meta, medio_y - alto_meta)
        linea(lado, medio_y + alto_meta, fondo_meta, medio_y + alto_meta)
        linea(fondo_meta, medio_y - alto_meta, fondo_meta, medio_y + alto_meta)
        punto_x = lado + signo * 11 * escala
        formas.append(d_circulo(punto_x, medio_y, 1.6 * g + 0.4))
        # Semicírculo del área: la parte del círculo de 9,15 m fuera del área grande.
        arco_d = (lambda px, s=signo, fx=fondo_area, pcx=punto_x:
                  max(abs(math.hypot(px[0] - pcx, px[1] - medio_y) - r_centro) - g,
                      (fx - px[0]) * s + g * 0.0))
        formas.append(lambda x, y, f=arco_d: f((x, y)))
    d = union(*formas)
    lienzo.pinta(d, blanco, (izq - 2, arriba - 2, der + 2, abajo + 2), opacidad)


def boleto(lienzo, cx, cy, angulo, ancho, alto, marcas, filas, escala_texto):
    """Boleto estilizado: cabecera roja, números de partido y casillas 1 X 2."""
    papel = rgb(252, 248, 232)
    rojo = rgb(200, 36, 40)
    rosa = rgb(246, 206, 200)
    tinta = rgb(28, 36, 90)
    mx, my = ancho / 2.0, alto / 2.0
    radio = 3.0
    caja = (cx - mx - 8, cy - my - 8, cx + mx + 10, cy + my + 10)

    def local(f):
        """Pasa una distancia en coordenadas del boleto (origen arriba a la izquierda)
        a coordenadas de la imagen."""
        def d(x, y):
            u, v = gira(x, y, cx, cy, -angulo)
            return f(u - (cx - mx), v - (cy - my))
        return d

    # Sombra difusa bajo el papel.
    for k, op in ((5.0, 0.10), (3.0, 0.12), (1.5, 0.14)):
        sombra = d_caja(cx + 3, cy + 4, mx + k - 1.0, my + k - 1.0, radio + k, angulo)
        lienzo.pinta(sombra, (0.0, 0.0, 0.0), caja, op)
    lienzo.pinta(d_caja(cx, cy, mx, my, radio, angulo), papel, caja)
    # Cabecera.
    alto_cab = 17.0
    cab = local(lambda u, v: max(d_caja(mx, alto_cab / 2.0, mx, alto_cab / 2.0, 0)(u, v),
                                 d_caja(mx, my, mx, my, radio)(u, v)))
    lienzo.pinta(cab, rojo, caja)
    # Rótulo "1 X 2" de la cabecera, en blanco, centrado sobre las casillas.
    margen_izq = 20.0
    paso_x = (ancho - margen_izq - 8.0) / 3.0
    paso_y = (alto - alto_cab - 10.0) / filas
    glifos = []
    for k, signo in enumerate("1X2"):
        a = ancho_texto(signo, escala_texto, 1.8)
        gx = margen_izq + paso_x * (k + 0.5) - a / 2.0
        gl, _ = trazos_texto(signo, gx, alto_cab / 2.0 + 5 * escala_texto, escala_texto, 1.8)
        glifos += gl
    segs = [s for g in glifos for s in g]
    grosor = 0.95 * escala_texto * 1.8

    def texto_cab(u, v):
        return min(dist_segmento(u, v, *s) for s in segs) - grosor
    lienzo.pinta(local(texto_cab), papel, caja)
    # Filas: número de partido, franja alterna y casillas.
    for f in range(filas):
        fy = alto_cab + 5.0 + paso_y * f
        if f % 2 == 1:
            lienzo.pinta(local(d_caja(mx, fy + paso_y / 2.0, mx - 2.0, paso_y / 2.0, 0)),
                         rgb(248, 232, 222), caja)
        num = str(f + 1)
        a = ancho_texto(num, escala_texto * 0.8, 2.0)
        gl, _ = trazos_texto(num, 11.0 - a / 2.0, fy + paso_y / 2.0 + 4 * escala_texto,
                             escala_texto * 0.8, 2.0)
        nsegs = [s for g in gl for s in g]
        lienzo.pinta(local(lambda u, v, ss=nsegs: min(dist_segmento(u, v, *s) for s in ss)
                           - 0.8 * escala_texto), rojo, caja)
        for k in range(3):
            ccx = margen_izq + paso_x * (k + 0.5)
            ccy = fy + paso_y / 2.0
            hx, hy = paso_x * 0.30, paso_y * 0.32
            marco = (lambda u, v, a=ccx, b=ccy, w=hx, h=hy:
                     abs(d_caja(a, b, w, h, 1.0)(u, v)) - 0.45)
            lienzo.pinta(local(marco), rojo, caja, 0.85)
            lienzo.pinta(local(d_caja(ccx, ccy, hx - 0.5, hy - 0.5, 0.8)), rosa, caja, 0.55)
            if k in marcas[f]:
                lienzo.pinta(local(d_caja(ccx, ccy, hx + 0.6, hy - 0.2, 0.6)), tinta, caja)


def careta():
    ancho, alto = 404, 188
    lienzo = Lienzo(ancho, alto, rgb(40, 110, 50), 1.0)
    escala = 3.62  # píxeles por metro: se ve el largo entero; las bandas quedan fuera
    izq, der = 12.0, 12.0 + 105 * escala
    medio_y = alto / 2.0
    arriba, abajo = medio_y - 34 * escala, medio_y + 34 * escala
    pinta_cesped(lienzo, 0, 0, ancho, alto, 105 * escala / 14.0, -izq)
    pinta_lineas_campo(lienzo, izq, der, arriba, abajo, escala, 1.4, 0.80)

    # Balón con su sombra, a la derecha del título.
    bx, by, br = 250.0, 148.0, 21.0
    # Estelas de movimiento: el balón llega rodando desde la izquierda.
    for dy, largo, op in ((-9.0, 52.0, 0.5), (0.0, 78.0, 0.6), (9.0, 44.0, 0.45)):
        x1 = bx - br - 5.0 + abs(dy) * 0.35
        x0 = x1 - largo
        estela = d_capsula(x0, by + dy, x1, by + dy, 1.6)
        desvanece = (lambda x, y, a=x0, b=x1, o=op: o * limita((x - a) / (b - a)) ** 1.2)
        lienzo.pinta(estela, rgb(240, 250, 236), (x0 - 3, by + dy - 3, x1 + 3, by + dy + 3),
                     desvanece)
    pinta_sombra(lienzo, bx + 9, by + br - 2, br * 1.05, br * 0.42, 0.45)
    pinta_balon(lienzo, bx, by, br, (0.45, 0.62, 0.15), 4)

    # Boleto a la derecha.
    marcas = [{0}, {1}, {0, 2}, {2}, {0}, {0, 1, 2}, {1}, {0}, {2}]
    boleto(lienzo, 343.0, 95.0, 4.0, 92.0, 164.0, marcas, 9, 0.62)

    # Título y subtítulo con contorno y sombra para leerse sobre el césped.
    amarillo = rgb(255, 222, 40)
    verde_oscuro = rgb(10, 52, 18)
    escala_t, grosor_t = 3.45, 2.05
    glifos, ancho_t = trazos_texto("QUINIELA", 0, 0, escala_t, grosor_t, 1.25)
    x_t = 24.0
    base_t = 66.0
    glifos, _ = trazos_texto("QUINIELA", x_t, base_t, escala_t, grosor_t, 1.25, cursiva=0.0)
    mapa = MapaTrazos(lienzo, glifos, 10)
    semi = grosor_t * escala_t / 2.0
    mapa.pinta(semi + 3.0, (0.0, 0.0, 0.0), 3, 4, 0.35)
    mapa.pinta(semi + 2.2, verde_oscuro)

    def degradado(x, y):
        t = limita((y - (base_t - 10 * escala_t)) / (10 * escala_t))
        return mezcla_color(rgb(255, 255, 255), rgb(236, 246, 226), t)
    mapa.pinta(semi, degradado)

    # Filete amarillo bajo el título.
    fy = base_t + 12.0
    lienzo.pinta(d_capsula(x_t + 1, fy + 1.5, x_t + ancho_t - 1, fy + 1.5, 2.6),
                 verde_oscuro, (x_t - 6, fy - 6, x_t + ancho_t + 6, fy + 8), 0.9)
    lienzo.pinta(d_capsula(x_t + 1, fy, x_t + ancho_t - 1, fy, 1.5), amarillo,
                 (x_t - 4, fy - 4, x_t + ancho_t + 4, fy + 4))

    escala_s, grosor_s = 1.18, 1.45
    sub = "Reducción de apuestas"
    ancho_s = ancho_texto(sub, escala_s, grosor_s, 0.9)
    x_s = x_t + (ancho_t - ancho_s) / 2.0
    base_s = fy + 22.0
    glifos_s, _ = trazos_texto(sub, x_s, base_s, escala_s, grosor_s, 0.9)
    mapa_s = MapaTrazos(lienzo, glifos_s, 5)
    semi_s = grosor_s * escala_s / 2.0
    mapa_s.pinta(semi_s + 1.6, verde_oscuro, 0, 0, 0.9)
    mapa_s.pinta(semi_s, amarillo)
    return lienzo


def boleto_icono(lienzo, cx, cy, angulo):
    """Boleto simplificado para el icono: cabecera roja y casillas marcadas."""
    mx, my = 13.0, 18.0
    caja = (cx - 22, cy - 24, cx + 24, cy + 26)

    def local(f):
        def d(x, y):
            u, v = gira(x, y, cx, cy, -angulo)
            return f(u - (cx - mx), v - (cy - my))
        return d

    lienzo.pinta(d_caja(cx + 2, cy + 3, mx + 1, my + 1, 3.5, angulo), (0.0, 0.0, 0.0), caja, 0.25)
    lienzo.pinta(d_caja(cx, cy, mx, my, 2.0, angulo), rgb(252, 248, 232), caja)
    lienzo.pinta(local(lambda u, v: max(d_caja(mx, 3.5, mx, 3.5)(u, v),
                                        d_caja(mx, my, mx, my, 2.0)(u, v))), rgb(200, 36, 40), caja)
    marcas = [0, 2, 1, 0, 2]
    for f in range(5):
        for k in range(3):
            ccx, ccy = 6.0 + 7.0 * k, 11.5 + 5.6 * f
            if marcas[f] == k:
                lienzo.pinta(local(d_caja(ccx, ccy, 2.7, 1.9, 0.5)), rgb(28, 36, 90), caja)
            else:
                lienzo.pinta(local(lambda u, v, a=ccx, b=ccy: abs(d_caja(a, b, 2.4, 1.6, 0.5)(u, v)) - 0.45),
                             rgb(200, 36, 40), caja, 0.8)


TAMANOS_ICONO = (16, 22, 24, 32, 48, 64, 128, 256)


def icono(lado=64):
    """El dibujo está en coordenadas de 64 x 64; los demás tamaños lo escalan."""
    diseno = 64
    lienzo = Lienzo(lado, lado) if lado == diseno else LienzoEscala(lado, diseno)
    s = lado / diseno
    fondo = d_caja(32, 32, 30, 30, 11)
    # Césped con franjas dentro del cuadrado redondeado, con la textura al tamaño real.
    cesped = Lienzo(lado, lado)
    pinta_cesped(cesped, 0, 0, lado, lado, 8.0 * s, 0.0, True)

    def color_cesped(x, y):
        i = min(lado - 1, int(y * s)) * lado + min(lado - 1, int(x * s))
        return (cesped.r[i], cesped.g[i], cesped.b[i])
    lienzo.pinta(fondo, color_cesped)
    blanco = rgb(245, 250, 240)
    lienzo.pinta(lambda x, y: max(fondo(x, y) + 4.5, -(fondo(x, y) + 6.0)), blanco, None, 0.8)
    lienzo.pinta(d_capsula(32, 2, 32, 62, 0.8), blanco, None, 0.8)
    lienzo.pinta(lambda x, y: max(abs(math.hypot(x - 32, y - 32) - 14) - 0.8, fondo(x, y) + 4),
                 blanco, None, 0.8)
    # Boleto detrás y balón delante.
    boleto_icono(lienzo, 24.0, 26.0, -12.0)
    pinta_sombra(lienzo, 43, 52, 14, 5, 0.5)
    pinta_balon(lienzo, 40.0, 40.0, 15.0, (0.45, 0.62, 0.15), 4)
    # Borde oscuro del cuadrado.
    lienzo.pinta(lambda x, y: abs(fondo(x, y) + 0.5) - 0.6, rgb(20, 70, 30), None, 0.9)
    return lienzo


# --------------------------------------------------------------------------
# Cursores de 32 x 32 con contorno negro.
# --------------------------------------------------------------------------

def pieza(lienzo, forma, relleno, contorno=1.0):
    """Dibuja una pieza con su contorno negro por fuera; las piezas posteriores
    tapan a las anteriores y su contorno marca la separación."""
    lienzo.pinta(lambda x, y: forma(x, y) - contorno, (0.0, 0.0, 0.0))
    lienzo.pinta(forma, relleno)


def cursor_mano():
    lienzo = Lienzo(32, 32)
    piel = lambda x, y: mezcla_color(rgb(255, 255, 255), rgb(214, 214, 220),
                                      limita((x - 9.0) / 20.0) * 0.8)
    # Pulgar, palma, dedos doblados e índice estirado (la punta es el punto caliente).
    pieza(lienzo, d_capsula(6.0, 17.0, 10.0, 24.0, 2.4), piel)
    pieza(lienzo, d_caja(16.6, 23.2, 7.2, 6.2, 3.2), piel)
    pieza(lienzo, d_capsula(15.0, 15.6, 15.0, 18.6, 2.2), piel)
    pieza(lienzo, d_capsula(19.2, 16.2, 19.2, 19.2, 2.2), piel)
    pieza(lienzo, d_capsula(23.2, 17.4, 23.2, 20.6, 2.1), piel)
    pieza(lienzo, d_capsula(11.5, 3.2, 11.5, 19.5, 2.3), piel)
    # Puño de la camisa.
    pieza(lienzo, d_caja(17.4, 29.6, 6.6, 1.6, 0.6), rgb(70, 120, 200))
    return lienzo, (11, 1)


def cursor_lapiz():
    lienzo = Lienzo(32, 32)
    # Eje del lápiz a 45 grados: la punta abajo a la izquierda.
    tx, ty = 2.2, 29.8
    ux, uy = math.cos(math.radians(-45)), math.sin(math.radians(-45))
    vx, vy = -uy, ux
    medio = 3.3

    def p(s, t):
        return (tx + ux * s + vx * t, ty + uy * s + vy * t)

    def tramo(s0, s1, m0, m1):
        return d_poligono([p(s0, -m0), p(s1, -m1), p(s1, m1), p(s0, m0)])

    largo = 36.0
    negro = (0.0, 0.0, 0.0)
    contorno = d_poligono([p(0.0, 0.0), p(8.0, -medio), p(largo, -medio), p(largo + 1.4, -medio + 1.2),
                           p(largo + 1.4, medio - 1.2), p(largo, medio), p(8.0, medio)])
    lienzo.pinta(lambda x, y: contorno(x, y) - 1.4, negro)
    # Madera, cuerpo amarillo con dos caras, virola y goma.
    lienzo.pinta(tramo(0.0, 8.0, 0.0, medio), rgb(236, 200, 150))
    lienzo.pinta(tramo(8.0, 27.0, medio, medio), rgb(250, 204, 40))
    lienzo.pinta(d_poligono([p(8.0, 0.6), p(27.0, 0.6), p(27.0, medio), p(8.0, medio)]),
                 rgb(214, 160, 20))
    lienzo.pinta(d_poligono([p(8.0, -medio), p(27.0, -medio), p(27.0, -medio + 1.0), p(8.0, -medio + 1.0)]),
                 rgb(255, 236, 140))
    lienzo.pinta(tramo(27.0, 31.0, medio, medio), rgb(188, 192, 198))
    lienzo.pinta(d_poligono([p(28.3, -medio), p(28.9, -medio), p(28.9, medio), p(28.3, medio)]),
                 rgb(120, 124, 130))
    lienzo.pinta(d_poligono([p(31.0, -medio), p(largo, -medio), p(largo + 1.4, -medio + 1.2),
                             p(largo + 1.4, medio - 1.2), p(largo, medio), p(31.0, medio)]),
                 rgb(240, 130, 150))
    # Mina de grafito en la punta y líneas de separación.
    lienzo.pinta(tramo(0.0, 3.2, 0.0, medio * 3.2 / 8.0), rgb(50, 50, 56))
    for s in (8.0, 27.0, 31.0):
        a, b = p(s, -medio), p(s, medio)
        lienzo.pinta(d_capsula(a[0], a[1], b[0], b[1], 0.35), negro, None, 0.7)
    return lienzo, (int(tx), int(ty))


def cursor_goma():
    lienzo = Lienzo(32, 32)
    angulo = -35.0
    cx, cy = 17.5, 15.0
    mx, my = 12.0, 6.0
    forma = d_caja(cx, cy, mx, my, 1.6, angulo)
    negro = (0.0, 0.0, 0.0)
    lienzo.pinta(lambda x, y: forma(x, y) - 1.0, negro)
    co, si = math.cos(math.radians(angulo)), math.sin(math.radians(angulo))

    def u_local(x, y):
        return (x - cx) * co + (y - cy) * si

    def color(x, y):
        u = u_local(x, y)
        v = -(x - cx) * si + (y - cy) * co
        if u < -1.5:
            base = rgb(246, 168, 178)  # goma
        else:
            base = rgb(60, 110, 200)  # funda de cartón
        sombra = limita((v + my) / (2 * my))
        return mezcla_color(base, tuple(c * 0.72 for c in base), sombra * 0.5)
    lienzo.pinta(forma, color)
    # Raya de la funda y filo donde acaba.
    lienzo.pinta(lambda x, y: max(forma(x, y) + 0.2, abs(u_local(x, y) + 1.5) - 0.45), negro, None, 0.9)
    lienzo.pinta(lambda x, y: max(forma(x, y) + 2.4,
                                  abs(-(x - cx) * si + (y - cy) * co) - 0.7,
                                  -u_local(x, y) - 0.5), rgb(250, 250, 250), None, 0.8)
    # Punto caliente: la esquina inferior del extremo de goma, un poco hacia dentro.
    hx = cx + (1.5 - mx) * co - (my - 1.5) * si
    hy = cy + (1.5 - mx) * si + (my - 1.5) * co
    return lienzo, (int(hx), int(hy))


# --------------------------------------------------------------------------
# Sonidos: PCM mono de 16 bits sintetizado, con ruido de un generador propio.
# --------------------------------------------------------------------------

class Ruido:
    def __init__(self, semilla):
        self.estado = semilla & 0xFFFFFFFF

    def __call__(self):
        self.estado = (self.estado * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.estado / 2147483648.0 - 1.0


def escribe_wav(ruta, frecuencia, muestras):
    pico = max(1e-9, max(abs(m) for m in muestras))
    ganancia = 0.85 / pico
    datos = b"".join(struct.pack("<h", int(round(limita(m * ganancia, -1.0, 1.0) * 32767)))
                     for m in muestras)
    os.makedirs(os.path.dirname(os.path.abspath(ruta)), exist_ok=True)
    with wave.open(ruta, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(frecuencia)
        w.writeframes(datos)


def cierra_suave(muestras, frecuencia, ms=6.0):
    n = min(len(muestras), int(frecuencia * ms / 1000.0))
    for k in range(n):
        muestras[-1 - k] *= k / n
    return muestras


def sonido_tic(fs=22050):
    """1: marcar o borrar una casilla; un tic corto y agudo."""
    n = int(fs * 0.045)
    ruido = Ruido(11)
    s = []
    for i in range(n):
        t = i / fs
        v = math.sin(2 * math.pi * 2600 * t) * math.exp(-t / 0.0045)
        v += 0.35 * math.sin(2 * math.pi * 5200 * t) * math.exp(-t / 0.0025)
        v += 0.25 * ruido() * math.exp(-t / 0.0008)
        s.append(v)
    return fs, cierra_suave(s, fs, 4)


def sonido_salida(fs=11025):
    """5: cerrar una pantalla; un soplo de ruido filtrado que baja de tono."""
    n = int(fs * 0.34)
    ruido = Ruido(55)
    bajo = banda = 0.0
    s = []
    for i in range(n):
        t = i / n
        fc = 2600.0 * (1 - t) + 380.0 * t
        f = 2 * math.sin(math.pi * fc / fs)
        q = 0.35
        x = ruido()
        alto_ = x - bajo - q * banda
        banda += f * alto_
        bajo += f * banda
        env = (t / 0.18) if t < 0.18 else math.exp(-(t - 0.18) / 0.07)
        s.append(banda * env)
    return fs, cierra_suave(s, fs, 10)


def sonido_pulsar(fs=22050):
    """6: pulsar un botón; clic con un golpe grave debajo."""
    n = int(fs * 0.065)
    ruido = Ruido(66)
    s = []
    for i in range(n):
        t = i / fs
        v = 0.9 * math.sin(2 * math.pi * (210 - 900 * t) * t) * math.exp(-t / 0.012)
        v += 0.55 * math.sin(2 * math.pi * 1750 * t) * math.exp(-t / 0.003)
        v += 0.30 * ruido() * math.exp(-t / 0.0012)
        s.append(v)
    return fs, cierra_suave(s, fs, 6)


def sonido_cerrar_editor(fs=22050):
    """7: cerrar un editor; dos chasquidos seguidos, el segundo más grave."""
    n = int(fs * 0.075)
    ruido = Ruido(77)
    s = []
    for i in range(n):
        t = i / fs
        v = 0.7 * math.sin(2 * math.pi * 1400 * t) * math.exp(-t / 0.003)
        v += 0.25 * ruido() * math.exp(-t / 0.0008)
        t2 = t - 0.028
        if t2 >= 0:
            v += 0.9 * math.sin(2 * math.pi * 820 * t2) * math.exp(-t2 / 0.006)
            v += 0.15 * ruido() * math.exp(-t2 / 0.001)
        s.append(v)
    return fs, cierra_suave(s, fs, 6)


def sonido_ayuda(fs=22050):
    """9: ayuda y botones secundarios; un pitido breve que sube."""
    n = int(fs * 0.12)
    s = []
    fase = 0.0
    for i in range(n):
        t = i / fs
        f = 660.0 + 330.0 * min(1.0, t / 0.05)
        fase += 2 * math.pi * f / fs
        env = min(1.0, t / 0.006) * math.exp(-t / 0.045)
        s.append(env * (math.sin(fase) + 0.25 * math.sin(2 * fase)))
    return fs, cierra_suave(s, fs, 8)


def sonido_campanilla(fs=11025):
    """10: entrada reconocida; campanilla de dos notas (mi y si)."""
    n = int(fs * 0.38)
    s = [0.0] * n
    for inicio, f0 in ((0.0, 1318.5), (0.085, 1975.5)):
        for parcial, peso, tau in ((1.0, 1.0, 0.16), (2.76, 0.35, 0.05), (5.4, 0.12, 0.02)):
            f = f0 * parcial
            if f >= fs / 2:
                continue
            for i in range(int(inicio * fs), n):
                t = i / fs - inicio
                s[i] += peso * math.sin(2 * math.pi * f * t) * math.exp(-t / tau) * min(1.0, t / 0.002)
    return fs, cierra_suave(s, fs, 20)


# --------------------------------------------------------------------------
# Dibujos de la salida de datos: los seis botones (64 x 56) y el boleto en sus
# dos orientaciones para la impresión de boletos (96 x 96).
# --------------------------------------------------------------------------

def hoja(lienzo, cx, cy, mx, my, angulo=0.0, color=None):
    """Hoja de papel con su sombra."""
    caja = (cx - mx - 6, cy - my - 6, cx + mx + 8, cy + my + 8)
    lienzo.pinta(d_caja(cx + 2, cy + 3, mx, my, 1.5, angulo), (0.0, 0.0, 0.0), caja, 0.30)
    lienzo.pinta(d_caja(cx, cy, mx, my, 1.5, angulo), color or rgb(252, 250, 240), caja)


def renglones(lienzo, x0, x1, y0, paso, n, color, grosor=0.7, cortos=()):
    for k in range(n):
        y = y0 + paso * k
        fin = x1 - (x1 - x0) * 0.35 if k in cortos else x1
        lienzo.pinta(d_capsula(x0, y, fin, y, grosor), color, (x0 - 2, y - 2, fin + 2, y + 2))


def dibujo_quiniela():
    """Datos básicos: la hoja del informe con la base marcada."""
    l = Lienzo(64, 56)
    hoja(l, 30, 28, 19, 25)
    tinta = rgb(40, 48, 70)
    renglones(l, 16, 44, 9, 3.2, 2, rgb(200, 36, 40), 0.9, cortos=(1,))
    for f in range(9):
        y = 17.0 + 3.9 * f
        l.pinta(d_capsula(15, y, 29, y, 0.55), tinta, (13, y - 2, 31, y + 2), 0.8)
        for k in range(3):
            if (f * 7 + k * 3) % 5 < 2:
                x = 34.0 + 4.0 * k
                l.pinta(d_caja(x, y, 1.3, 1.2, 0.3), rgb(28, 36, 90), (x - 3, y - 3, x + 3, y + 3))
    return l


def dibujo_boletos():
    l = Lienzo(64, 56)
    marcas = [{0}, {2}, {1}, {0, 2}, {1}, {0}, {2}]
    boleto(l, 32.0, 28.0, -8.0, 30.0, 46.0, marcas, 7, 0.34)
    return l


def dibujo_relacion():
    """Relación: una hoja con boletos en columnas de signos."""
    l = Lienzo(64, 56)
    hoja(l, 32, 28, 26, 23)
    tinta = rgb(40, 48, 70)
    renglones(l, 12, 52, 10, 1, 1, rgb(200, 36, 40), 0.9)
    for b in range(3):
        x0 = 11.0 + 15.0 * b
        l.pinta(d_capsula(x0, 15, x0 + 11, 15, 0.5), tinta, (x0 - 2, 13, x0 + 13, 17))
        for f in range(7):
            for c in range(4):
                x, y = x0 + 3.0 * c, 19.0 + 4.0 * f
                l.pinta(d_circulo(x + 0.5, y, 0.9), tinta, (x - 2, y - 2, x + 3, y + 2), 0.85)
    return l


def dibujo_disco():
    """Copia a disco: un disquete."""
    l = Lienzo(64, 56)
    cx, cy, m = 32.0, 28.0, 22.0
    cuerpo = d_poligono([(cx - m, cy - m), (cx + m - 5, cy - m), (cx + m, cy - m + 5),
                         (cx + m, cy + m), (cx - m, cy + m)])
    l.pinta(lambda x, y: cuerpo(x - 2, y - 3), (0.0, 0.0, 0.0), None, 0.3)
    l.pinta(cuerpo, rgb(40, 70, 150))
    l.pinta(lambda x, y: abs(cuerpo(x, y) + 0.6) - 0.6, rgb(16, 30, 80))
    # Cierre metálico arriba y etiqueta abajo.
    l.pinta(d_caja(cx + 1, cy - m + 8, 11, 8, 1.0), rgb(200, 204, 210))
    l.pinta(d_caja(cx + 5, cy - m + 8, 2.5, 5.5, 0.5), rgb(60, 70, 90))
    l.pinta(d_caja(cx, cy + 9, 16, 11, 1.2), rgb(250, 248, 236))
    renglones(l, cx - 12, cx + 12, cy + 5, 4.0, 3, rgb(200, 36, 40), 0.6, cortos=(2,))
    return l


def dibujo_continuo():
    """Papel continuo: dos boletos por formulario y los taladros de arrastre."""
    l = Lienzo(64, 56)
    hoja(l, 32, 28, 28, 24, 0.0, rgb(246, 248, 252))
    for y in range(8, 52, 6):
        for x in (7.5, 56.5):
            l.pinta(d_circulo(x, y, 1.4), rgb(120, 130, 150), (x - 3, y - 3, x + 3, y + 3))
    l.pinta(lambda x, y: max(abs(y - 28) - 0.35, abs(x - 32) - 22), rgb(150, 160, 180), None, 0.8)
    for k, cx in enumerate((22.5, 41.5)):
        for cy in (17.5, 39.0):
            caja = (cx - 9, cy - 11, cx + 9, cy + 11)
            l.pinta(d_caja(cx, cy, 7, 9, 1.0), rgb(252, 240, 232), caja)
            l.pinta(lambda x, y, a=cx, b=cy: max(d_caja(a, b - 7, 7, 2, 0.5)(x, y),
                                                 d_caja(a, b, 7, 9, 1.0)(x, y)),
                    rgb(200, 36, 40), caja)
            for f in range(4):
                for c in range(3):
                    if (f + c + k) % 3 == 0:
                        x, y = cx - 4.0 + 4.0 * c, cy - 2.0 + 3.2 * f
                        l.pinta(d_caja(x, y, 1.2, 0.9, 0.2), rgb(28, 36, 90),
                                (x - 2, y - 2, x + 2, y + 2))
    return l


def dibujo_correo():
    """Correo: un sobre con una hoja asomando."""
    l = Lienzo(64, 56)
    cx, cy, mx, my = 32.0, 32.0, 25.0, 16.0
    hoja(l, cx, cy - 9, 18, 12)
    renglones(l, cx - 12, cx + 12, cy - 16, 3.5, 3, rgb(40, 48, 70), 0.6, cortos=(2,))
    sobre = d_caja(cx, cy, mx, my, 2.0)
    l.pinta(lambda x, y: sobre(x - 2, y - 3), (0.0, 0.0, 0.0), None, 0.3)
    l.pinta(sobre, rgb(236, 214, 160))
    solapa = d_poligono([(cx - mx, cy - my), (cx, cy + 3), (cx + mx, cy - my)])
    l.pinta(lambda x, y: max(solapa(x, y), sobre(x, y)), rgb(222, 196, 136))
    l.pinta(lambda x, y: max(abs(solapa(x, y)) - 0.5, sobre(x, y)), rgb(150, 110, 60))
    l.pinta(lambda x, y: abs(sobre(x, y) + 0.5) - 0.5, rgb(150, 110, 60))
    l.pinta(d_circulo(cx, cy + 3, 3.2), rgb(200, 36, 40))
    return l


def dibujo_orientacion(orientacion):
    """El boleto tal como entra en la impresora: de pie (1) o tumbado (2). La flecha
    dice por dónde entra."""
    l = Lienzo(96, 96)
    marcas = [{0}, {2}, {1}, {0, 2}, {1}, {0}, {2}, {1}]
    angulo = 0.0 if orientacion == 1 else 90.0
    boleto(l, 46.0, 50.0, angulo, 40.0, 66.0, marcas, 8, 0.42)
    verde = rgb(255, 222, 40)
    l.pinta(d_capsula(84, 20, 84, 8, 1.6), verde)
    l.pinta(d_poligono([(78, 12), (90, 12), (84, 4)]), verde)
    return l


DIBUJOS_SALIDA = {
    "salida_quiniela": dibujo_quiniela,
    "salida_boletos": dibujo_boletos,
    "salida_relacion": dibujo_relacion,
    "salida_disco": dibujo_disco,
    "salida_continuo": dibujo_continuo,
    "salida_correo": dibujo_correo,
    "orientacion1": lambda: dibujo_orientacion(1),
    "orientacion2": lambda: dibujo_orientacion(2),
}


def dibujos_salida(imagenes):
    for nombre, funcion in DIBUJOS_SALIDA.items():
        funcion().guarda(os.path.join(imagenes, nombre + ".png"))


SONIDOS = {
    1: sonido_tic,
    5: sonido_salida,
    6: sonido_pulsar,
    7: sonido_cerrar_editor,
    9: sonido_ayuda,
    10: sonido_campanilla,
}


def main():
    destino = sys.argv[1] if len(sys.argv) > 1 else os.path.join(RAIZ, "resources")
    for numero, funcion in SONIDOS.items():
        fs, muestras = funcion()
        escribe_wav(os.path.join(destino, "sonidos", "sonido%02d.wav" % numero), fs, muestras)

    puntos = []
    for nombre, funcion in (("manoindice", cursor_mano), ("lapiz", cursor_lapiz),
                            ("goma", cursor_goma)):
        lienzo, (x, y) = funcion()
        lienzo.guarda(os.path.join(destino, "cursores", nombre + ".png"))
        puntos.append("%s %d %d\n" % (nombre, x, y))
    with open(os.path.join(destino, "cursores", "puntos_calientes.txt"), "w", newline="\n") as f:
        f.writelines(puntos)

    imagenes = os.path.join(destino, "imagenes")
    tira_botones().guarda(os.path.join(imagenes, "tira_botones.png"))
    icono().guarda(os.path.join(imagenes, "icono.png"))
    # Iconos del tema hicolor para el menú del escritorio; el de 64 es icono.png.
    for lado in TAMANOS_ICONO:
        if lado == 64:
            continue
        icono(lado).guarda(os.path.join(destino, "iconos", "%dx%d" % (lado, lado), "quiniela.png"))
    careta().guarda(os.path.join(imagenes, "careta.png"))
    dibujos_salida(imagenes)


if __name__ == "__main__":
    main()
