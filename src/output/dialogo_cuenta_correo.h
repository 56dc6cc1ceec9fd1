#pragma once
// Diálogo "Cuenta de correo": servidor, puerto, seguridad, usuario, clave, remitente,
// certificado adicional y tamaño máximo de un mensaje. Se abre en el primer envío mientras no se
// conozca la clave.

#include "platform/correo.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace quiniela {

class BotonImagen;

class DialogoCuentaCorreo : public QDialog {
public:
    explicit DialogoCuentaCorreo(const CuentaCorreo& cuenta, QWidget* padre = nullptr);

    CuentaCorreo Cuenta() const;
    QString Clave() const;

    QLineEdit* Tex_Servidor;
    QSpinBox* Num_Puerto;
    QComboBox* Cbo_Seguridad;
    QLineEdit* Tex_Usuario;
    QLineEdit* Tex_Clave;
    QLineEdit* Tex_Remitente;
    QLineEdit* Tex_Certificado;
    BotonImagen* Pic_BotCertificado;
    QSpinBox* Num_Maximo;
    QLabel* Lbl_Aviso;
    BotonImagen* Pic_Aceptar;
    BotonImagen* Pic_Cancelar;

    void accept() override; // solo con una cuenta que sirve

protected:
    void paintEvent(QPaintEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CreaCampos(const CuentaCorreo& cuenta);
    void CreaBotones();
    void Conecta();
    void EligeCertificado();
    void AvisaSeguridad();
    QLineEdit* CampoEnFila(int fila, const QString& nombre, const QString& texto);
};

} // namespace quiniela
