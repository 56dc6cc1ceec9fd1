#pragma once
// Pantalla "borrar": elige un tramo de jornadas y, tras confirmarlo, borra sus datos y sus
// reducciones.

#include "matchdays/borrado.h"
#include "shell/lista_desplegable.h"

#include <QDialog>

class QListWidget;

namespace quiniela {

struct EstadoGlobal;
class BotonImagen;

class PantallaBorrar : public QDialog {
    Q_OBJECT
public:
    explicit PantallaBorrar(EstadoGlobal& estado, QWidget* padre = nullptr);

    BotonImagen* Pic_BotJorIni;
    QListWidget* Lis_JorIni;
    BotonImagen* Pic_BotJorFin;
    QListWidget* Lis_JorFin;
    BotonImagen* Pic_BotBorrar;
    BotonImagen* Pic_Ayuda;
    BotonImagen* Pic_Salir;

    const RangoBorrado& Rango() const { return tramo_; }
    ListaDesplegable* Desplegable(int indice) const { return desplegables_.Listas().at(indice); }

    void Borra();
    // Lo que dice la pantalla del último borrado hecho; vacío si no hay ninguno.
    const QString& TextoHecho() const { return hecho_; }

protected:
    void paintEvent(QPaintEvent* evento) override;
    void reject() override;

private:
    void CreaBotones();
    void CreaListas();
    void CreaDesplegables();
    void LlenaListas();
    void Conecta();
    void OrdenTabulador();
    void EligeEnLista(bool desde, int fila);

    EstadoGlobal& estado_;
    RangoBorrado tramo_;
    GrupoDesplegables desplegables_;
    QString hecho_; // lo borrado la última vez, hasta que se elige otro tramo
};

} // namespace quiniela
