#pragma once
// Pantalla "datosgen": edición de los datos generales.

#include "core/datos_generales_tipo.h"

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QListWidget;
class QLabel;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaDatosgen : public QDialog {
    Q_OBJECT
public:
    explicit PantallaDatosgen(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotTotJor;
    BotonImagen* Pic_BotPreApu;
    BotonImagen* Pic_BotDelega;
    BotonImagen* Pic_BotReceptor;
    BotonImagen* Pic_BotSonido;
    BotonImagen* Pic_BotGuardar;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;
    QLineEdit* Tex_TotJor;
    QLineEdit* Tex_PreApu;
    QLineEdit* Tex_Delegacion;
    QLineEdit* Tex_Receptor;
    QListWidget* Lis_Sonido;

    void Guarda();
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void reject() override;

private:
    // Un valor editable: su botón, su editor y cómo se guarda al cerrar.
    struct Ajuste {
        BotonImagen* Boton = nullptr;
        QWidget* Editor = nullptr;
        std::function<QString()> Rotulo;
        std::function<void()> Cierra; // valida y guarda en el estado
        bool Abierto = false;
    };
    void CreaTitulo();
    void CreaBotonesAjuste();
    void CreaEditores();
    void CreaAjustes();
    void CreaBotonesAbajo();
    void Conecta();
    void ConectaSonido();
    void PulsaAjuste(Ajuste& ajuste);
    void AbreEditor(Ajuste& ajuste);
    void CierraEditor(Ajuste& ajuste);
    void RellenaEditores();

    EstadoGlobal& estado_;
    std::array<Ajuste, 5> ajustes_;
    DatosGenerales antes_; // valores al abrir el editor, para ver si han cambiado
    bool saliendo_ = false;
};

} // namespace quiniela
