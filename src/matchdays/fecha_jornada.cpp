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
    return {CompletaCampoFecha(campos.dia), CompletaCampoFecha(campos.mes),
            CompletaCampoFecha(campos.ano)};
}

int AnoCompleto(int dosCifras) {
    return dosCifras < 30 ? 2000 + dosCifras : 1900 + dosCifras;
}

bool FechaValida(const CamposFecha& campos) {
    if (!DosCifrasAscii(campos.dia) || !DosCifrasAscii(campos.mes) || !DosCifrasAscii(campos.ano))
        return false;
    return QDate(AnoCompleto(campos.ano.toInt()), campos.mes.toInt(), campos.dia.toInt()).isValid();
}

QString ComponeFecha(const CamposFecha& campos) {
    return campos.dia + u'/' + campos.mes + u'/' + campos.ano;
}

CamposFecha CamposDeFecha(const QString& fecha) {
    return {fecha.mid(0, 2), fecha.mid(3, 2), fecha.mid(6, 2)};
}

CierreFecha CierraPanelFecha(const CamposFecha& campos, const QString& fechaActual) {
    CierreFecha cierre;
    cierre.campos = CompletaCampos(campos);
    cierre.valida = FechaValida(cierre.campos);
    if (cierre.valida) {
        cierre.fecha = ComponeFecha(cierre.campos);
        cierre.cambiada = cierre.fecha != fechaActual;
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
    if (campo.texto.size() <= maximo)
        return campo;
    return {campo.texto.left(maximo), std::min(campo.cursor, maximo)};
}

bool PasaAlSiguienteCampo(const TextoConCursor& campo) {
    return campo.texto.size() == LongitudCampoFecha && campo.cursor == LongitudCampoFecha;
}

} // namespace quiniela
