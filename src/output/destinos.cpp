#include "output/destinos.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>

namespace quiniela {

namespace {

bool EstaDentro(const QString& raiz, QStringView carpeta) {
    return raiz.startsWith(carpeta) &&
           (raiz.size() == carpeta.size() || raiz.at(carpeta.size()) == u'/');
}

bool EsTipoVirtual(const QByteArray& tipo) {
    static const std::array<QByteArrayView, 22> virtuales{
        "proc",   "sysfs",    "devtmpfs",   "devpts",     "tmpfs",   "ramfs",
        "cgroup", "cgroup2",  "securityfs", "debugfs",    "tracefs", "pstore",
        "bpf",    "configfs", "fusectl",    "hugetlbfs",  "mqueue",  "efivarfs",
        "autofs", "overlay",  "squashfs",   "binfmt_misc"};
    return std::find(virtuales.begin(), virtuales.end(), QByteArrayView(tipo)) != virtuales.end();
}

} // namespace

bool EsVolumenDestino(const QString& raiz, const QByteArray& tipo, bool soloLectura) {
    if (soloLectura || raiz.isEmpty() || EsTipoVirtual(tipo))
        return false;
    // Los discos extraíbles se montan en /media, /run/media o /mnt; lo demás de /run es
    // del sistema.
    for (const QStringView usuario : {u"/media", u"/run/media", u"/mnt"})
        if (EstaDentro(raiz, usuario))
            return raiz != usuario;
    static const std::array<QStringView, 14> sistema{u"/boot", u"/efi",  u"/proc", u"/sys", u"/run",
                                                     u"/dev",  u"/snap", u"/var",  u"/usr", u"/etc",
                                                     u"/tmp",  u"/opt",  u"/srv",  u"/home"};
    if (raiz == u"/")
        return false;
    return std::none_of(sistema.begin(), sistema.end(),
                        [&](QStringView s) { return EstaDentro(raiz, s); });
}

std::vector<UnidadDestino> CargaLisUnidades() {
    std::vector<UnidadDestino> lista{{QStringLiteral("Carpeta personal"), QDir::homePath()}};
    for (const QStorageInfo& volumen : QStorageInfo::mountedVolumes()) {
        if (!volumen.isValid() || !volumen.isReady() ||
            !EsVolumenDestino(volumen.rootPath(), volumen.fileSystemType(), volumen.isReadOnly()))
            continue;
        const QString carpeta = volumen.rootPath();
        const bool repetida = std::any_of(lista.begin(), lista.end(), [&](const UnidadDestino& u) {
            return u.Carpeta == carpeta;
        });
        if (repetida)
            continue;
        const QString nombre = volumen.displayName();
        lista.push_back({nombre.isEmpty() ? carpeta : nombre, carpeta});
    }
    return lista;
}

bool UnidadPresente(const UnidadDestino& unidad) {
    return !unidad.Carpeta.isEmpty() && QFileInfo(unidad.Carpeta).isDir();
}

QString TituloBotonUnidad(const UnidadDestino& unidad) {
    return QStringLiteral("Unidad de destino:  ") + unidad.Nombre;
}

} // namespace quiniela
