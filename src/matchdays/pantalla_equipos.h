#pragma once
// Pantalla "equipos": añadir, borrar y guardar la lista de equipos.

#include "matchdays/fichero_equipos.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaEquipos : public QDialog {
    Q_OBJECT
public:
    explicit PantallaEquipos(EstadoGlobal& estado, QWidget* padre = nullptr);

    QLineEdit* Tex_NuevoEquipo;
    BotonImagen* Pic_BotAnadir; // "Pic_BotAñadir"
    QListWidget* Lis_Equipos;
    BotonImagen* Pic_BotBorrar;
    BotonImagen* Pic_BotGuardar;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    void Anade();
    void Borra();
    void Guarda();
    void Sal();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void reject() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CreaRotulo(const QString& texto, int y);
    void CreaCampoNuevo();
    void CreaLista();
    void CreaBotonesAbajo();
    void Conecta();
    void ActualizaBotones();

    EstadoGlobal& estado_;
    EditorEquipos editor_;
    bool saliendo_ = false;
};

} // namespace quiniela
