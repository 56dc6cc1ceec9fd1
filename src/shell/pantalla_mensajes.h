#pragma once
// Diálogo modal de mensajes "mensajes", que también sirve para confirmar.

#include "platform/plataforma.h"

#include <QDialog>

class QLabel;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaMensajes : public QDialog {
    Q_OBJECT
public:
    PantallaMensajes(EstadoGlobal& estado, const QString& titulo, const QString& texto,
                     BotonesMensaje botones, QWidget* padre = nullptr);

    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_BotBorrar;
    BotonImagen* Pic_BotReducir;
    BotonImagen* Pic_BotCopiar;
    BotonImagen* Pic_Salir;
    QLabel* Tex_Titulo;
    QLabel* Tex_Mensaje;

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    void CreaTextos(const QString& titulo, const QString& texto);
    void CreaBotones(BotonesMensaje botones);
    void Conecta();
    void Confirma(BotonImagen* boton, bool& indicador);
    void Sal();
    EstadoGlobal& estado_;
};

// El servicio Mensajero sobre este diálogo.
class MensajeroQt final : public Mensajero {
public:
    explicit MensajeroQt(EstadoGlobal& estado) : estado_(estado) {}
    void MuestraMensaje(const QString& titulo, const QString& texto,
                        BotonesMensaje botones) override;

private:
    EstadoGlobal& estado_;
};

} // namespace quiniela
