#include "support/carpeta_temporal.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quiniela::prueba {

CarpetaTemporal::CarpetaTemporal() {
    EXPECT_TRUE(dir_.isValid());
}

QString CarpetaTemporal::Ruta() const {
    return dir_.path() + u'/';
}

void CarpetaTemporal::Escribe(const QString& nombre, const QByteArray& contenido) const {
    QFile f(Ruta(nombre));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray CarpetaTemporal::Lee(const QString& nombre) const {
    QFile f(Ruta(nombre));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool CarpetaTemporal::Existe(const QString& nombre) const {
    return QFile::exists(Ruta(nombre));
}

EstadoGlobal CarpetaTemporal::Estado() const {
    EstadoGlobal e;
    e.CarpetaDatos = Ruta();
    return e;
}

} // namespace quiniela::prueba
