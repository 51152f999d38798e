#include "codelists.h"

#include "schemafiles.h"

#include <QHash>
#include <QXmlStreamReader>

namespace codelists {

namespace {

QHash<QString, QList<Code>> readAll()
{
    QHash<QString, QList<Code>> lists;
    QXmlStreamReader xml(schemafiles::invoiceSchema());
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("simpleType"))
            type = xml.attributes().value(QLatin1String("name")).toString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("enumeration") && !type.isEmpty())
            lists[type] << Code{xml.attributes().value(QLatin1String("value")).toString(), QString()};
        else if (xml.isStartElement() && xml.name() == QLatin1String("documentation") && !lists.value(type).isEmpty()
                 && lists[type].last().description.isEmpty())
            lists[type].last().description = xml.readElementText().simplified();
        else if (xml.isEndElement() && xml.name() == QLatin1String("simpleType"))
            type.clear();
    }
    return lists;
}

QStringList codes(const char *simpleType)
{
    QStringList list;
    for (const Code &code : of(QString::fromLatin1(simpleType)))
        list << code.code;
    return list;
}

}

const QList<Code> &of(const QString &simpleType)
{
    static const QHash<QString, QList<Code>> lists = readAll();
    static const QList<Code> none;
    const auto found = lists.constFind(simpleType);
    return found == lists.constEnd() ? none : *found;
}

QStringList regime()
{
    return codes("RegimeFiscaleType");
}

QStringList cassa()
{
    return codes("TipoCassaType");
}

QStringList natura()
{
    return codes("NaturaType");
}

}
