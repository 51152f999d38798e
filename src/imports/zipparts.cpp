#include "zipparts.h"

#include "store/storeerror.h"

#include <QFile>

#include <zip.h>

namespace {

// A sheet of a million rows unpacks to a few hundred megabytes.
constexpr zip_uint64_t Largest = 512u << 20;

[[noreturn]] void refuse(const QString &why)
{
    throw StoreError(QStringLiteral("il foglio di calcolo è danneggiato o non leggibile (%1)").arg(why),
                     StoreError::Kind::Invalid);
}

}

ZipParts::ZipParts(const QString &path)
{
    int error = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_archive) {
        zip_error_t described;
        zip_error_init_with_code(&described, error);
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&described));
        zip_error_fini(&described);
        refuse(why);
    }
}

ZipParts::~ZipParts()
{
    zip_discard(m_archive);
}

bool ZipParts::has(const QString &name) const
{
    return zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipParts::read(const QString &name) const
{
    zip_stat_t stat;
    if (zip_stat(m_archive, name.toUtf8().constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        refuse(QStringLiteral("manca la parte %1").arg(name));
    if (stat.size > Largest)
        refuse(QStringLiteral("la parte %1 è troppo grande").arg(name));
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(zip_fopen(m_archive, name.toUtf8().constData(), 0), zip_fclose);
    if (!file)
        refuse(QString::fromLocal8Bit(zip_strerror(m_archive)));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    zip_int64_t got = 0;
    while (got < zip_int64_t(stat.size)) {
        const zip_int64_t read = zip_fread(file.get(), bytes.data() + got, stat.size - zip_uint64_t(got));
        if (read <= 0)
            refuse(QStringLiteral("la parte %1 è incompleta").arg(name));
        got += read;
    }
    return bytes;
}
