#pragma once
// Reglas de la fecha de una jornada: campos de día, mes y año de dos cifras, su
// validación en el calendario y el avance automático al escribir.

#include <QString>

namespace quiniela {

struct CamposFecha {
    QString Dia;
    QString Mes;
    QString Ano;
    bool operator==(const CamposFecha&) const = default;
};

// Un campo de un solo carácter se completa con "0" delante ("5" da "05").
QString CompletaCampoFecha(const QString& campo);
CamposFecha CompletaCampos(const CamposFecha& campos);

// Año de cuatro cifras: 00..29 son 2000..2029; 30..99, 1930..1999.
int AnoCompleto(int dosCifras);

// Los tres campos, de dos cifras cada uno, forman una fecha real leída como día/mes/año.
bool FechaValida(const CamposFecha& campos);

// "DD/MM/AA" a partir de los campos, y al revés (caracteres 1-2, 4-5 y 7-8).
QString ComponeFecha(const CamposFecha& campos);
CamposFecha CamposDeFecha(const QString& fecha);

// Cierre del panel de fecha (o comprobación antes de guardar): completa los campos y
// valida. Si es válida, fecha es la nueva y cambiada dice si difiere de la actual.
struct CierreFecha {
    bool Valida = false;
    CamposFecha Campos; // ya completados
    QString Fecha;
    bool Cambiada = false;
};
CierreFecha CierraPanelFecha(const CamposFecha& campos, const QString& fechaActual);

// El mensaje de fecha incorrecta.
QString TituloErrorFecha();
QString TextoErrorFecha();
void MuestraErrorFecha();

// Un texto de un campo de edición con la posición del cursor.
struct TextoConCursor {
    QString Texto;
    int Cursor = 0;
    bool operator==(const TextoConCursor&) const = default;
};

inline constexpr int LongitudCampoFecha = 2;

// Un texto más largo que el máximo se corta a sus primeros caracteres; el cursor se queda
// donde estaba, o al final si ya no cabe.
TextoConCursor RecortaTexto(const TextoConCursor& campo, int maximo);

// Al llenar el día (o el mes) con el cursor al final, el foco pasa al campo siguiente.
bool PasaAlSiguienteCampo(const TextoConCursor& campo);

} // namespace quiniela
