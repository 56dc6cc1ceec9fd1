#pragma once
// Servicios del sistema que usa la lógica. Cada uno es una interfaz sin widgets; la
// aplicación instala las implementaciones de Qt y las pruebas instalan falsificaciones.

#include <QFlags>
#include <QObject>
#include <QSize>
#include <QString>

namespace quiniela {

// Caja de mensaje sencilla del sistema: un botón Aceptar y el título del programa.
class AvisoSistema {
public:
    virtual ~AvisoSistema() = default;
    virtual void Avisa(const QString& texto) = 0;
};

// Botones extra del diálogo de mensajes que la llamada hace visibles.
enum class BotonMensaje { Ninguno = 0, Ayuda = 1, Borrar = 2, Reducir = 4, Copiar = 8 };
Q_DECLARE_FLAGS(BotonesMensaje, BotonMensaje)
Q_DECLARE_OPERATORS_FOR_FLAGS(BotonesMensaje)

// Diálogo modal de mensajes y confirmaciones. Un botón de confirmación pone a true
// su indicador de EstadoGlobal (BorrarConfirmado, ReducirConfirmado, CopiarConfirmado).
class Mensajero {
public:
    virtual ~Mensajero() = default;
    virtual void MuestraMensaje(const QString& titulo, const QString& texto,
                                BotonesMensaje botones = BotonMensaje::Ninguno) = 0;
};

// Los seis sonidos (1, 5, 6, 7, 9, 10), síncronos.
class Sonidos {
public:
    virtual ~Sonidos() = default;
    virtual void Toca(int numero) = 0;
};

// Esperas activas y paso de eventos pendientes.
class Reloj {
public:
    virtual ~Reloj() = default;
    virtual void Espera(int milisegundos) = 0;
    virtual void ProcesaEventos() = 0;
};

// Ayuda por número de contexto; 0 abre el tema por defecto.
class Ayuda {
public:
    virtual ~Ayuda() = default;
    virtual void AbreAyuda(int tema) = 0;
};

// Punteros del ratón: "ManoIndice", "lapiz", "goma"; vacío restablece el normal.
class Cursores {
public:
    virtual ~Cursores() = default;
    virtual void PonCursor(QObject* control, const QString& nombre) = 0;
};

// Medidas de la pantalla en píxeles.
class MetricasPantalla {
public:
    virtual ~MetricasPantalla() = default;
    virtual QSize TamanoPantalla() const = 0;
};

struct Plataforma {
    AvisoSistema* Aviso = nullptr;
    Mensajero* Mensajeria = nullptr;
    Sonidos* Sonido = nullptr;
    Reloj* Tiempo = nullptr;
    Ayuda* AyudaEnLinea = nullptr;
    Cursores* Punteros = nullptr;
    MetricasPantalla* Metricas = nullptr;
};

// Servicios instalados. Sin instalar, cada servicio no hace nada (p. ej. en la línea
// de órdenes, donde los avisos se escriben en stderr).
Plataforma& ServiciosPlataforma();
void InstalaPlataforma(const Plataforma& servicios);

struct EstadoGlobal;

// Atajos con las reglas comunes a todas las pantallas.
void TocaSonido(const EstadoGlobal& estado, int numero); // solo con Sonido = "Si"
void Espera(int milisegundos);
void ProcesaEventos();
void AvisaSistema(const QString& texto);
void MuestraMensaje(const QString& titulo, const QString& texto,
                    BotonesMensaje botones = BotonMensaje::Ninguno);
void AbreAyuda(int tema);
void PonCursor(QObject* control, const QString& nombre);

} // namespace quiniela
