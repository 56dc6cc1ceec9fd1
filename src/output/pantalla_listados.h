#pragma once
// Pantalla "listados": imprime los datos básicos, los boletos, la relación o el continuo,
// copia las apuestas a disco o prepara el correo, según el tipo elegido en la salida.

#include "output/destinos.h"
#include "output/edicion_listados.h"
#include "output/envio_correo.h"
#include "output/impresion_boletos.h"
#include "output/motor_copia.h"
#include "platform/correo.h"
#include "platform/impresora.h"

#include <QDialog>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;
class BotonDibujo;
class ListaDesplegable;

// Título de cada tipo de listado (0..5).
QString TituloListado(int tipo);
// Tema de ayuda de cada tipo: 2410 … 2460.
int TemaAyudaListado(int tipo);

class PantallaListados : public QDialog {
public:
    PantallaListados(EstadoGlobal& estado, int tipoListado, int64_t totalBoletos,
                     QWidget* padre = nullptr);
    ~PantallaListados() override;

    // Rango y márgenes (tipos 1, 2 y 4).
    BotonImagen* Pic_BotBolIni;
    QLineEdit* Tex_BolIni;
    BotonImagen* Pic_BotBolFin;
    QLineEdit* Tex_BolFin;
    BotonImagen* Pic_BotMarIzq;
    QLineEdit* Tex_MarIzq;
    BotonImagen* Pic_BotMarSup;
    QLineEdit* Tex_MarSup;
    // Boletos (tipo 1).
    BotonDibujo* Pic_Orientacion;
    QGroupBox* Fra_OpcionesBoletos;
    std::array<QRadioButton*, 2> Opt_Reverso{};
    QCheckBox* Chk_PruImp;
    BotonImagen* Pic_BotRepetir;
    BotonImagen* Pic_BotSiguiente;
    // Relación (tipo 2).
    BotonImagen* Pic_BotAncPap;
    QListWidget* Lis_AnchoPapel;
    // Datos básicos (tipo 0).
    BotonImagen* Pic_BotCopias;
    QLineEdit* Tex_Copias;
    // Disco (tipo 3).
    QLineEdit* Tex_NombreArchivo;
    QGroupBox* Fra_OpcionesDisco;
    std::array<QRadioButton*, 7> Opt_Exportar{};
    BotonImagen* Pic_BotUnidad;
    QListWidget* Lis_Unidad;
    // Correo (tipo 5).
    QGroupBox* Fra_DatosMail;
    QCheckBox* Chk_MailBase;
    QCheckBox* Chk_MailColumnas;
    QListWidget* Lis_Direcciones;
    QLineEdit* Tex_NuevaDireccion;
    // Órdenes.
    BotonImagen* Pic_BotImprimir;
    BotonImagen* Pic_BotCopiar;
    BotonImagen* Pic_BotEnviar;
    BotonImagen* Pic_BotCancelar;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    // La impresora de cada documento; la del sistema si no se cambia (las pruebas ponen una
    // falsa).
    std::function<std::unique_ptr<Impresora>(const QString& nombreDocumento)> CreaImpresora;
    // Las pausas de la copia tras acabar (4 s y 1 s): la ventana sigue viva. Las pruebas la
    // hacen instantánea.
    std::function<void(int milisegundos)> EsperaCopia;
    // El transporte de cada tanda de correo: el de libcurl si no se cambia (las pruebas ponen
    // uno falso o apuntan a un servidor local).
    std::function<std::unique_ptr<TransporteCorreo>()> CreaTransporte;
    // Fichero de ajustes con la cuenta de correo; vacío, los del usuario.
    QString AjustesCorreo;

    int Tipo() const { return tipoListado_; }
    const RangoBoletos& Rango() const { return rango_; }
    int Copias() const { return copias_; }
    int AnchoPapel() const { return anchoPapel_; }
    bool Imprimiendo() const { return imprimiendo_; }
    bool Copiando() const { return copiando_; }
    bool Enviando() const { return enviando_; }
    // Un boleto impreso espera "Repetir", "Siguiente" o "Cancelar".
    bool EsperandoDecision() const { return bool(terminaEspera_); }
    // Líneas del área de estado: la de lo que se hace y la del progreso.
    const QString& TextoEstado() const { return textoEstado_; }
    const QString& TextoProgreso() const { return textoProgreso_; }
    const std::vector<UnidadDestino>& Unidades() const { return unidades_; }

protected:
    void paintEvent(QPaintEvent* evento) override;
    void reject() override;
    void closeEvent(QCloseEvent* evento) override;

private:
    struct CampoValor;

    // Construcción (pantalla_listados.cpp).
    void CreaBotonesOrden();
    void CreaCamposRango();
    void ConectaCamposRango();
    void CreaOpcionesBoletos();
    void CreaAnchoPapel();
    void CreaCopias();
    void CreaControlesDisco(); // pantalla_listados_disco.cpp
    void CreaUnidades();
    void CreaControlesCorreo(); // pantalla_listados_correo.cpp
    void MuestraControlesDelTipo();
    void Conecta();
    void EncadenaControles();
    CampoValor& NuevoCampo(BotonImagen* boton, QLineEdit* campo, int ancho,
                           std::function<QString()> rotulo,
                           std::function<void(const QString&)> cierra);
    void PulsaCampo(CampoValor& c);
    void CierraCampo(CampoValor& c);
    void CierraCampos();
    void PliegaListas();
    void DibujaRotulos();
    void CambiaOrientacion();
    void CierraMargenIzquierdo(const QString& texto);
    void CierraMargenSuperior(const QString& texto);
    void Sal();
    void Ayuda();
    void PonEstado(const QString& estado, const QString& progreso = QString());

    // Impresión (pantalla_listados_imprimir.cpp).
    void Imprime();
    void ActivaControles(bool activos);
    ResultadoImpresion ImprimeDelTipo(Impresora& impresora);
    ResultadoImpresion ImprimeBoletosPantalla(Impresora& impresora);
    DecisionBoleto EsperaDecision(bool ultimo);
    void Decide(DecisionBoleto decision);
    AvisosImpresion Avisos();
    void AtiendeVentana();
    void MuestraFinImpresion(const ResultadoImpresion& r);

    // Copia a disco (pantalla_listados_disco.cpp).
    void EligeFormato(int indice);
    void EligeUnidad(int fila);
    void Copia();
    OpcionesCopia OpcionesDeCopia();
    void TerminaCopia(const ResultadoCopia& r);
    void ActivaControlesCopia(bool activos);

    // Correo (pantalla_listados_correo.cpp).
    void ConectaCorreo();
    void CargaDirecciones();
    void AnadeDireccion();
    void EditaDireccion(QListWidgetItem* entrada);
    void GuardaDireccionesAlSalir();
    QStringList DireccionesElegidas() const;
    void Envia();
    std::optional<EnvioPreparado> PreparaEnvioPantalla();
    std::optional<CuentaCorreo> PideCuenta();
    void TerminaEnvio(const ResultadoEnvio& r);
    ResultadoEnvio EnviaEnOtroHilo(const EnvioPreparado& envio, const CuentaCorreo& cuenta);
    void ActivaControlesCorreo(bool activos);

    EstadoGlobal& estado_;
    const int tipoListado_;
    const int64_t totalBoletos_;
    RangoBoletos rango_;
    int copias_ = 1;
    int anchoPapel_ = 0;
    FormatoExportar formato_ = FormatoExportar::AD243;
    std::vector<UnidadDestino> unidades_;
    int unidad_ = 0;
    std::vector<std::unique_ptr<CampoValor>> campos_;
    std::vector<ListaDesplegable*> desplegables_;
    std::atomic<bool> cancelarProceso_{false};
    bool imprimiendo_ = false;
    bool copiando_ = false;
    bool enviando_ = false;
    bool direccionesLeidas_ = false; // tras un fallo al leer, DIRECC.ZPK no se reescribe
    bool datosCambiados_ = false;    // márgenes u orientación: se guardan al cerrar
    std::optional<DecisionBoleto> decision_;
    std::function<void()> terminaEspera_;
    QString textoEstado_;
    QString textoProgreso_;
    QString textoFinalCopia_; // se muestra tras la pausa del final de la copia
    qint64 ultimoBombeo_ = 0;
};

} // namespace quiniela
