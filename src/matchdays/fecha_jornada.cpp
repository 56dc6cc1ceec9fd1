#include "matchdays/fecha_jornada.h"

#include "platform/plataforma.h"

#include <QDate>

namespace quiniela {

namespace {

bool DosCifrasAscii(const QString& campo) {
    return campo.size() == 2 && campo[0] >= u'0' && campo[0] <= u'9' && campo[1] >= u'0' &&
           campo[1] <= u'9';
}

} // namespace

QString CompletaCampoFecha(const QString& campo) {
    return campo.size() == 1 ? QLatin1Char('0') + campo : campo;
}

CamposFecha CompletaCampos(const CamposFecha& campos) {
    return {CompletaCampoFecha(campos.Dia), CompletaCampoFecha(campos.Mes),
            CompletaCampoFecha(campos.Ano)};
}

int AnoCompleto(int dosCifras) {
    return dosCifras < 30 ? 2000 + dosCifras : 1900 + dosCifras;
}

bool FechaValida(const CamposFecha& campos) {
    if (!DosCifrasAscii(campos.Dia) || !DosCifrasAscii(campos.Mes) || !DosCifrasAscii(campos.Ano))
        return false;
    return QDate(AnoCompleto(campos.Ano.toInt()), campos.Mes.toInt(), campos.Dia.toInt()).isValid();
}

QString ComponeFecha(const CamposFecha& campos) {
    return campos.Dia + u'/' + campos.Mes + u'/' + campos.Ano;
}

CamposFecha CamposDeFecha(const QString& fecha) {
    return {fecha.mid(0, 2), fecha.mid(3, 2), fecha.mid(6, 2)};
}

CierreFecha CierraPanelFecha(const CamposFecha& campos, const QString& fechaActual) {
    CierreFecha cierre;
    cierre.Campos = CompletaCampos(campos);
    cierre.Valida = FechaValida(cierre.Campos);
    if (cierre.Valida) {
        cierre.Fecha = ComponeFecha(cierre.Campos);
        cierre.Cambiada = cierre.Fecha != fechaActual;
    }
    return cierre;
}

QString TituloErrorFecha() {
    return QStringLiteral("ERROR EN LA FECHA");
}

QString TextoErrorFecha() {
    return QStringLiteral(
        "No ha indicado la fecha de la jornada o no es correcta. No se pueden guardar los datos "
        "de la jornada  si  no  se incluye una fecha válida.  Introduzca  un  valor  correcto  "
        "antes  de  intentar guardar los datos de la jornada.");
}

void MuestraErrorFecha() {
    MuestraMensaje(TituloErrorFecha(), TextoErrorFecha());
}

TextoConCursor RecortaTexto(const TextoConCursor& campo, int maximo) {
    if (campo.Texto.size() <= maximo)
        return campo;
    return {campo.Texto.left(maximo), std::min(campo.Cursor, maximo)};
}

bool PasaAlSiguienteCampo(const TextoConCursor& campo) {
    return campo.Texto.size() == LongitudCampoFecha && campo.Cursor == LongitudCampoFecha;
}

} // namespace quiniela
