#include "output/formatos_exportar.h"

#include "core/codificacion.h"
#include "core/mascaras.h"
#include "core/tipos.h"

#include <cstring>

namespace quiniela {

namespace {

constexpr char Blancos[NumPartidos + 1] = "               ";

// Casilla k (1..8) del registro D: 14 signos desde la posición 11 + 14(k - 1).
constexpr int InicioCasilla(int k) {
    return 10 + 14 * (k - 1);
}

} // namespace

QString CodigoFormato(FormatoExportar formato) {
    const int indice = static_cast<int>(formato);
    return indice == 0 ? QStringLiteral("AD243") : QStringLiteral("TXT") + QString::number(indice);
}

std::optional<FormatoExportar> FormatoDeCodigo(const QString& codigo) {
    for (int i = 0; i < NumFormatosExportar; ++i) {
        const auto formato = static_cast<FormatoExportar>(i);
        if (codigo.compare(CodigoFormato(formato), Qt::CaseInsensitive) == 0)
            return formato;
    }
    return std::nullopt;
}

QString RotuloFormato(FormatoExportar formato) {
    static const std::array<QString, NumFormatosExportar> rotulos{
        QStringLiteral("Formato AD243"),
        QStringLiteral("Apuestas en formato continuo"),
        QStringLiteral("Apuestas en columna"),
        QStringLiteral("Apuestas delimitadas y separadas por comas"),
        QStringLiteral("Apuestas delimitadas y en columnas"),
        QStringLiteral("Signos delimitados y separados por comas"),
        QStringLiteral("Signos delimitados y en columnas")};
    return rotulos[static_cast<size_t>(formato)];
}

QString NombreArchivoPropuesto(FormatoExportar formato, int jornada, int orden) {
    if (formato == FormatoExportar::AD243)
        return QStringLiteral("AD243");
    return QStringLiteral("Col") + DosCifras(jornada) + DosCifras(orden) + QStringLiteral(".txt");
}

int NumeroControl(const QString& delegacion, const QString& receptor) {
    const QString cifras = AnchoFijo(delegacion, 2) + AnchoFijo(receptor, 5);
    int suma = 0;
    for (int i = 0; i < cifras.size(); ++i) {
        const QChar c = cifras.at(i);
        if (c >= u'0' && c <= u'9')
            suma += (i + 1) * (c.unicode() - u'0');
    }
    return suma % 11;
}

QByteArray RegistroCAD243(const CabeceraAD243& c) {
    const QString fecha = AnchoFijo(c.FechaJornada, 8);
    const QString registro = QStringLiteral("C01243") + DosCifras(c.Jornada % 100) +
                             fecha.mid(0, 2) + fecha.mid(3, 2) + fecha.mid(6, 2) +
                             AnchoFijo(c.CodigoDelegacion, 2) + AnchoFijo(c.CodigoReceptor, 5) +
                             CifrasFijas(QString::number(c.TotalColumnas), 6) +
                             QStringLiteral("01") + CifrasFijas(QString::number(c.Boletos), 6) +
                             DosCifras(NumeroControl(c.CodigoDelegacion, c.CodigoReceptor));
    return AWindows1252(AnchoFijo(registro, LongitudRegistroAD243));
}

EscritorFormato::EscritorFormato(FormatoExportar formato, SalidaBloques& salida,
                                 QByteArray registroC)
    : formato_(formato), salida_(salida), registroC_(std::move(registroC)) {}

void EscritorFormato::RegistroD(const char* quince) {
    if (++posicion_ == 1) {
        ++boletos_;
        if (boletos_ == 1)
            salida_.Anade(registroC_.constData(), registroC_.size());
        boleto_.fill(' ');
        boleto_[0] = 'D';
        int64_t numero = boletos_;
        for (int i = 8; i >= 1; --i, numero /= 10)
            boleto_[size_t(i)] = char('0' + numero % 10);
        boleto_[LongitudRegistroAD243 - 1] = quince[NumPartidos - 1];
    }
    std::memcpy(boleto_.data() + InicioCasilla(posicion_), quince, NumPartidos - 1);
    if (std::memcmp(quince, Blancos, NumPartidos) != 0)
        ++llenas_;
    if (posicion_ == 8)
        CierraBoleto();
}

void EscritorFormato::CierraBoleto() {
    // Un boleto ha de llevar dos columnas como mínimo: la única se copia en la casilla 2.
    if (llenas_ == 1) {
        std::memcpy(boleto_.data() + InicioCasilla(2), boleto_.data() + InicioCasilla(1),
                    NumPartidos - 1);
        llenas_ = 2;
        ++duplicadas_;
    }
    boleto_[9] = char('0' + llenas_);
    salida_.Anade(boleto_.data(), LongitudRegistroAD243);
    posicion_ = 0;
    llenas_ = 0;
}

void EscritorFormato::Termina() {
    if (formato_ == FormatoExportar::AD243 && posicion_ > 0)
        CierraBoleto();
}

} // namespace quiniela
